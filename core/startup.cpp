#include "core/startup.h"

#include "core/paths.h"
#include "core/ports.h"
#include "core/shared_state.h"
#include "core/word_list_reader.h"

namespace tavenzo {

QString Main(SharedState& state, RandomSource& random, MessageBoxes& boxes, const Paths& paths)
{
    random.seedFromClock();
    state.NumeroParole = 0;
    const QString list = paths.startupWordList();
    if (CaricaElencoParole(list, state, boxes).loaded()) {
        return list;
    }
    // A teacher's list that cannot be read has been reported; the class still gets the bundled words.
    const QString bundled = paths.bundledWordList();
    if (list != bundled && CaricaElencoParole(bundled, state, boxes).loaded()) {
        return bundled;
    }
    return {};
}

void splashLoad(SharedState& state, RandomSource& random)
{
    state.AttendiAvanti = true;
    random.seedFromClock();
}

} // namespace tavenzo
