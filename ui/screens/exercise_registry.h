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

// Registers an exercise: its screen, and its model made from the program's services and the given options. One
// stands in the screen's source file, so an exercise is added without touching the program that runs it. A screen
// is made with `new Screen(context, model)`, or by `Screen::create(context, model)` where it has one.
template<typename Screen, typename Model> struct ExerciseRegistration {
    template<typename... Options> explicit ExerciseRegistration(ScreenId id, Options... options)
    {
        registerExercise(id,
            {[options...](const ExerciseServices& services) -> std::unique_ptr<Exercise> {
                 return std::make_unique<Model>(services, options...);
             },
                [](const ScreenContext& context, Exercise& model) -> QWidget* {
                    auto& own = static_cast<Model&>(model);
                    if constexpr (requires { Screen::create(context, own); }) {
                        return Screen::create(context, own);
                    } else {
                        return new Screen(context, own);
                    }
                }});
    }
};

} // namespace tavenzo::ui
