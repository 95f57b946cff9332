#pragma once

#include <array>
#include <string_view>

namespace tavenzo {

enum class ScreenId {
    Splash,
    Menu,
    MissingFirstLetter,
    MissingInnerLetter,
    SpellWord,
    WordForPicture,
    PictureForWord,
    WordsOntoPictures,
};

// One row per exercise: its role, the form it is drawn from, the main-menu button that opens it, and the fewest
// words it can be built from (six different slots for the six choices, three for the three pictures, one word for
// the letter exercises).
struct ExerciseScreen {
    ScreenId id;
    std::string_view form;
    std::string_view menuButton;
    int minimumWords;
};

inline constexpr std::array<ExerciseScreen, 6> kExerciseScreens {{
    {ScreenId::MissingFirstLetter, "lettera1", "Command1", 1},
    {ScreenId::MissingInnerLetter, "lettera", "Command3D1", 1},
    {ScreenId::SpellWord, "lettere", "Command3D2", 1},
    {ScreenId::WordForPicture, "parole", "Command3D4", 6},
    {ScreenId::PictureForWord, "disegni", "Command3D3", 6},
    {ScreenId::WordsOntoPictures, "DISEGNI1", "Command2", 3},
}};

// The row of an exercise screen; the splash and the menu have none.
constexpr const ExerciseScreen* exerciseScreen(ScreenId id)
{
    for (const ExerciseScreen& screen : kExerciseScreens) {
        if (screen.id == id) {
            return &screen;
        }
    }
    return nullptr;
}

constexpr int minimumWords(ScreenId id)
{
    const ExerciseScreen* screen = exerciseScreen(id);
    return screen != nullptr ? screen->minimumWords : 0;
}

} // namespace tavenzo
