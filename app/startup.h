#pragma once

#include <QString>

namespace tavenzo {

struct SharedState;
class RandomSource;
class MessageBoxes;

// The start of the run, up to showing the splash screen, which the caller does next.
void Main(SharedState& state, RandomSource& random, MessageBoxes& boxes, const QString& programFolder);

// The splash screen's load.
void splashLoad(SharedState& state, RandomSource& random);

} // namespace tavenzo
