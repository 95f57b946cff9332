#include "core/startup.h"

#include "core/paths.h"
#include "core/ports.h"
#include "core/shared_state.h"
#include "core/word_list_reader.h"

namespace tavenzo {

void Main(SharedState& state, RandomSource& random, MessageBoxes& boxes, const Paths& paths)
{
    random.seedFromClock();
    state.NumeroParole = 0;
    CaricaElencoParole(paths.wordList(), state, boxes);
}

void splashLoad(SharedState& state, RandomSource& random)
{
    state.AttendiAvanti = true;
    random.seedFromClock();
}

} // namespace tavenzo
