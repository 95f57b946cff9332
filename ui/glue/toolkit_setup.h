#pragma once

#include <QStringList>

#include <functional>

class QApplication;
class QWidget;

namespace tavenzo::ui {

// Fonts of the forms mapped to fonts that exist here, Qt's own texts in Italian, the program's
// name and icon. Run once, before any screen is built.
void setUpToolkit(QApplication& app);
// The screen art is linked in from a static library, so its resources are registered by hand.
void registerResources();
// Large blocks of memory go back to the system once freed, so the resident set does not keep the pictures of screens
// long closed. Part of setUpToolkit.
void keepLargeBlocksReturnable();
void installFontSubstitutions();
// Nothing the toolkit would keep in the user's settings (the file dialog's history) reaches the disk.
void keepSettingsOffDisk();

// Runs `start`, which shows the first window and answers it, with Qt's plugin folders out of sight, and gives them
// back once that window has been painted; then runs `afterPaint`. The first picture read, even a PNG that Qt decodes
// itself, makes Qt load every picture-format plugin and the SVG module behind one of them, which the splash (PNG
// only) does not need: keeping them out of its way takes about 4 ms off a start of about 60 ms.
void startWithoutPlugins(const std::function<QWidget*()>& start, std::function<void()> afterPaint);
// Runs `work` once `window` has been painted for the first time, or is gone, or a second has passed, whichever
// comes first: what the first window does not need waits until it is on screen.
void afterFirstPaint(QWidget* window, std::function<void()> work);

} // namespace tavenzo::ui
