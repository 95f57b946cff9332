#pragma once

#include <QString>

namespace tavenzo {

struct SharedState;
class RandomSource;
class Feedback;
class PictureFinder;

// What an exercise model needs from the rest of the program, handed in once when it is made.
struct ExerciseServices {
    SharedState& state;
    RandomSource& random;
    Feedback& feedback;
    PictureFinder& pictures;
};

enum class LetterCase { Lower, Upper };

inline QString inCase(const QString& word, LetterCase letterCase)
{
    return letterCase == LetterCase::Upper ? word.toUpper() : word.toLower();
}

} // namespace tavenzo
