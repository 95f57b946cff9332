#pragma once

#include <QLabel>

namespace tavenzo::ui {

// A bordered box that stretches its picture to fill it. Unlike a plain label it keeps the picture in full colour
// while disabled: a child waiting for "avanti" still sees every picture as it was, not a greyed copy.
class PictureBox : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavenzo::ui

using tavenzo::ui::PictureBox;
