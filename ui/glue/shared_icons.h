#pragma once

#include <QIcon>
#include <QString>

class QAbstractButton;

namespace tavenzo::ui {

// One icon object per picture for the whole run. Screens are built anew at every opening, and a fresh icon would
// give the toolkit's pixmap cache a fresh key each time, so a long session would pile up dead entries.
QIcon sharedIcon(const QString& resource);
void useSharedIcon(QAbstractButton* button, const QString& resource);

} // namespace tavenzo::ui
