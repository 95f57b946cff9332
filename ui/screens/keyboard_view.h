#pragma once

#include "exercises/letters/keyboard.h"

#include <array>
#include <functional>

class QPushButton;
class QWidget;

namespace tavenzo::ui {

// The 21 key buttons of a letter screen, gathered from its form as tastiera_0 .. tastiera_20.
class KeyboardView {
public:
    using Keys = std::array<QPushButton*, Keyboard::kKeys>;

    // Finds the keys of the form's client area, which stand where the form puts them (rows a-g, h-p, q-z), gives
    // them the point size and hands their clicks to onPress.
    void attach(QWidget* client, int pointSize, std::function<void(int)> onPress);
    void render(const Keyboard& keyboard);

private:
    Keys m_keys {};
};

} // namespace tavenzo::ui
