#pragma once

class QApplication;

namespace tavenzo::ui {

// Fonts of the screen definitions mapped to fonts that exist here, Qt's own texts in Italian, the program's
// name and icon. Run once, before any screen is built.
void setUpToolkit(QApplication& app);
// The screen art is linked in from a static library, so its resources are registered by hand.
void registerResources();
void installFontSubstitutions();

} // namespace tavenzo::ui
