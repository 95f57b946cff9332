#pragma once

#include <QLabel>

namespace tavenzo::ui {

// A bordered box that draws its picture over the whole box (the loader has already given it the box's size and shape).
// Unlike a plain label it keeps the picture in full colour while disabled: a child waiting for "avanti" still sees
// every picture as it was, not a greyed copy.
class PictureBox : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavenzo::ui

using tavenzo::ui::PictureBox;
