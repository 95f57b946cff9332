#pragma once

#include <QRadioButton>

namespace tavenzo::ui {

// An option button whose caption wraps onto several lines inside its fixed box, as the menu's long captions
// need; the text itself stays exactly as given.
class WrappingRadioButton : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};

} // namespace tavenzo::ui

using tavenzo::ui::WrappingRadioButton;
