#include "ui/screens/exercise_registry.h"

namespace tavenzo::ui {

namespace {

std::map<ScreenId, ExerciseMaker>& makers()
{
    // Made on first use, so the registrations of every source file find it whatever order they run in.
    static std::map<ScreenId, ExerciseMaker> all;
    return all;
}

} // namespace

const std::map<ScreenId, ExerciseMaker>& exerciseMakers()
{
    return makers();
}

void registerExercise(ScreenId id, ExerciseMaker maker)
{
    makers().insert_or_assign(id, std::move(maker));
}

} // namespace tavenzo::ui
