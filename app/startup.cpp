#include "app/startup.h"

#include "app/paths.h"
#include "app/ports.h"
#include "app/shared_state.h"
#include "app/word_list_reader.h"

namespace tavenzo {

void Main(SharedState& state, RandomSource& random, MessageBoxes& boxes, const QString& programFolder)
{
    random.seedFromClock();
    state.NumeroParole = 0;
    CaricaElencoParole(dataPath(programFolder, QStringLiteral("\\lista.txt")), state, boxes);
}

void splashLoad(SharedState& state, RandomSource& random)
{
    state.AttendiAvanti = true;
    random.seedFromClock();
}

} // namespace tavenzo
