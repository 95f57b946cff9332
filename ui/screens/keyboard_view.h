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

    // Finds the keys under the form's client area, puts each at its place and hands clicks to onPress.
    void attach(QWidget* client, std::function<void(int)> onPress);
    void render(const Keyboard& keyboard);

    const Keys& keys() const { return m_keys; }

private:
    Keys m_keys {};
};

} // namespace tavenzo::ui
