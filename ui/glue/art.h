#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

class QAbstractButton;
class QLabel;

namespace tavenzo::ui {

// The screen art is built in three sizes, ":/art/<name>.png" at the size the screens show it and "@2x", "@4x"
// beside it, so it stays sharp on a projector and on a high-density display.

// One icon object per size of a picture for the whole run, holding the smallest size at least as large as the icon
// is shown (or the largest there is). Screens are built anew at every opening, and a fresh icon would give the
// toolkit's pixmap cache a fresh key each time, so a long session would pile up dead entries. Only the sizes shown
// are decoded: every size of the menu's pictures together held some 4 MiB for the whole run.
QIcon sharedIcon(const QString& resource, QSize shown);
// Gives the button the picture at the size it shows icons now; refreshArt gives it again once that has changed. The
// forms name no icons themselves: an icon set by a form would be decoded at every opening only to be replaced.
void useSharedIcon(QAbstractButton* button, const QString& resource);

// A picture at another size, smoothly. Down to half its size (what the art's tiers and the JPEG decoder's halving
// leave) it is filtered between neighbouring pixels, which looks the same as averaging and costs half as much;
// further down, every source pixel is averaged in, so nothing flickers away.
QImage resized(QImage image, QSize size);

// A picture of the art at a shown size, from the smallest source at least that large, scaled smoothly.
QPixmap artPixmap(const QString& resource, QSize shown, qreal devicePixelRatio);

// Labels whose form names their art in the dynamic property "art" are given it at the size they now have, unless the
// picture they hold already fits; buttons given a shared icon get the size of it that their icon size now needs.
void refreshArt(QWidget* window);

} // namespace tavenzo::ui
