#pragma once

class QWidget;

namespace tavenzo::ui {

// Gives a window no title at all on the window system. The toolkit puts the program's name where a window's title
// is empty, but the exercise screens have none, so a window manager must show nothing there; the icon and the
// window class still tell which program the window belongs to.
void showNoTitle(QWidget* window);

} // namespace tavenzo::ui
