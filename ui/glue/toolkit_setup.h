#pragma once

#include <QStringList>

#include <functional>

class QApplication;
class QWidget;

namespace tavenzo::ui {

// Fonts of the screen definitions mapped to fonts that exist here, Qt's own texts in Italian, the program's
// name and icon. Run once, before any screen is built.
void setUpToolkit(QApplication& app);
// The screen art is linked in from a static library, so its resources are registered by hand.
void registerResources();
void installFontSubstitutions();

// The first picture read, even a PNG that Qt decodes itself, makes Qt load every picture-format plugin (and the
// SVG module behind one of them). The splash shows PNG pictures only, so the plugin folders are hidden while it is
// built; this returns the folders to give back with releasePlugins().
QStringList holdBackPlugins();
void releasePlugins(const QStringList& paths);
// Runs `work` once `window` has been painted for the first time, or is gone, or a second has passed, whichever
// comes first: what the first window does not need waits until it is on screen.
void afterFirstPaint(QWidget* window, std::function<void()> work);

} // namespace tavenzo::ui
