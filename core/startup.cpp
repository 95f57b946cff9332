#include "core/startup.h"

#include "core/list_in_force.h"
#include "core/paths.h"
#include "core/ports.h"
#include "core/shared_state.h"

namespace tavenzo {

bool Main(SharedState& state, RandomSource& random, ListInForce& list, const Paths& paths)
{
    random.seedFromClock();
    state.NumeroParole = 0;
    const QString startup = paths.startupWordList();
    if (list.read(startup)) {
        return true;
    }
    // A teacher's list that cannot be read has been reported; the class still gets the bundled words.
    const QString bundled = paths.bundledWordList();
    return startup != bundled && list.read(bundled);
}

void startupReport(ListInForce& list, const Paths& paths)
{
    if (!list.path().isEmpty() && list.path() != paths.bundledWordList()) {
        list.report();
    }
}

void splashLoad(SharedState& state, RandomSource& random)
{
    state.AttendiAvanti = true;
    random.seedFromClock();
}

} // namespace tavenzo
