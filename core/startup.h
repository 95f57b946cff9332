#pragma once

#include <QString>

namespace tavenzo {

struct SharedState;
class RandomSource;
class MessageBoxes;
class Paths;

// The start of the run, up to showing the splash screen, which the caller does next: seeds the random generator and
// reads the start-up word list. Answers the list now in force, or nothing when no list could be read.
QString Main(SharedState& state, RandomSource& random, MessageBoxes& boxes, const Paths& paths);

// The splash screen's load.
void splashLoad(SharedState& state, RandomSource& random);

} // namespace tavenzo
