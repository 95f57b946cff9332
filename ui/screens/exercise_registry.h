#pragma once

#include "core/screen_id.h"
#include "exercises/frame/exercise_services.h"

#include <functional>
#include <map>
#include <memory>

class QWidget;

namespace tavenzo {
class Exercise;
}

namespace tavenzo::ui {

struct ScreenContext;

// How the program makes an exercise: its model, which lives for the whole run, and its screen, built anew at every
// visit.
struct ExerciseMaker {
    std::function<std::unique_ptr<Exercise>(const ExerciseServices&)> model;
    std::function<QWidget*(const ScreenContext&, Exercise&)> screen;
};

// Every exercise that registered itself, by the role it plays.
const std::map<ScreenId, ExerciseMaker>& exerciseMakers();
void registerExercise(ScreenId id, ExerciseMaker maker);

// Registers an exercise screen with the way its model is made. One stands in each exercise screen's source file, so
// a new exercise is added without touching the program that runs it.
template<typename Screen, typename Model> struct ExerciseRegistration {
    ExerciseRegistration(ScreenId id, std::function<std::unique_ptr<Model>(const ExerciseServices&)> makeModel)
    {
        registerExercise(id,
            {[makeModel](const ExerciseServices& services) -> std::unique_ptr<Exercise> { return makeModel(services); },
                [](const ScreenContext& context, Exercise& model) -> QWidget* {
                    return new Screen(context, static_cast<Model&>(model));
                }});
    }
};

} // namespace tavenzo::ui
