#pragma once

namespace tavenzo {

struct SharedState;
class RandomSource;
class ListInForce;
class Paths;

// The start of the run, up to showing the splash screen, which the caller does next: seeds the random generator and
// reads the start-up word list, the teacher's own when there is one, else the bundled one. What the teacher should
// know of her list is told once the splash is on view (startupReport). False when no list could be read; the run
// goes on with an empty list.
bool Main(SharedState& state, RandomSource& random, ListInForce& list, const Paths& paths);

// After the splash has been painted: the teacher's own start-up list is checked and reported as a list chosen in the
// menu is; the bundled list needs no word.
void startupReport(ListInForce& list, const Paths& paths);

// The splash screen's load.
void splashLoad(SharedState& state, RandomSource& random);

} // namespace tavenzo
