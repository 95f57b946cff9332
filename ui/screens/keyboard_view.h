#pragma once

#include "exercises/letters/keyboard.h"

#include <QRect>

#include <array>
#include <functional>

class QPushButton;
class QWidget;

namespace tavenzo::ui {

// The 21 key buttons of a letter screen, gathered from its form as tastiera_0 .. tastiera_20.
class KeyboardView {
public:
    using Keys = std::array<QPushButton*, Keyboard::kKeys>;

    // The key's place in the client area: rows a-g, h-p, q-z, the same on the three letter screens.
    static QRect keyPlace(int index);

    // Finds the keys under the form's client area, puts each at its place in the given point size and hands clicks
    // to onPress.
    void attach(QWidget* client, int pointSize, std::function<void(int)> onPress);
    void render(const Keyboard& keyboard);

    const Keys& keys() const { return m_keys; }

private:
    Keys m_keys {};
};

} // namespace tavenzo::ui
