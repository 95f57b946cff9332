#include "ui/screens/keyboard_view.h"

#include <QPushButton>

namespace tavenzo::ui {

void KeyboardView::attach(QWidget* client, int pointSize, std::function<void(int)> onPress)
{
    for (int index = 0; index < Keyboard::kKeys; ++index) {
        auto* key = client->findChild<QPushButton*>(QStringLiteral("tastiera_%1").arg(index));
        Q_ASSERT(key != nullptr);
        m_keys[static_cast<size_t>(index)] = key;
        QFont font = key->font();
        font.setPointSize(pointSize);
        key->setFont(font);
        // Letters come from the mouse alone: a key must never take the focus and answer to the space bar.
        key->setFocusPolicy(Qt::NoFocus);
        key->setAutoDefault(false);
        QObject::connect(key, &QPushButton::clicked, key, [onPress, index] { onPress(index); });
    }
}

void KeyboardView::render(const Keyboard& keyboard)
{
    for (int index = 0; index < Keyboard::kKeys; ++index) {
        QPushButton* key = m_keys[static_cast<size_t>(index)];
        key->setText(keyboard.Alfabeto(index + 1));
        key->setVisible(keyboard.visible(index));
        key->setEnabled(keyboard.enabled(index));
    }
}

} // namespace tavenzo::ui
