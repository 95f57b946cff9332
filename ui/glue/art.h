#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

class QAbstractButton;
class QLabel;

namespace tavenzo::ui {

// The screen art is built in three sizes, ":/art/<name>.png" at the size the screens show it and "@2x", "@4x"
// beside it, so it stays sharp on a projector and on a high-density display.

// One icon object per picture for the whole run, holding every size of it. Screens are built anew at every opening,
// and a fresh icon would give the toolkit's pixmap cache a fresh key each time, so a long session would pile up dead
// entries.
QIcon sharedIcon(const QString& resource);
void useSharedIcon(QAbstractButton* button, const QString& resource);

// A picture of the art at a shown size, from the smallest source at least that large, scaled smoothly.
QPixmap artPixmap(const QString& resource, QSize shown, qreal devicePixelRatio);

// Labels whose form names their art in the dynamic property "art" get it again at the size they now have, when that
// is larger than the size it was drawn at.
void refreshArt(QWidget* window);

} // namespace tavenzo::ui
