#pragma once

#include "core/letter_case.h"

namespace tavenzo {

struct SharedState;
class RandomSource;
class MonotonicClock;
class Feedback;
class ContentFinder;

// What an exercise model needs from the rest of the program, handed in once when it is made.
struct ExerciseServices {
    SharedState& state;
    RandomSource& random;
    Feedback& feedback;
    ContentFinder& pictures;
    MonotonicClock& clock;
};

} // namespace tavenzo
