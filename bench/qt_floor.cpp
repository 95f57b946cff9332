// The least a Qt Widgets program does before its first window is painted: a QApplication and one empty window
// with the splash's title and size. bench/startup.sh times it beside Tavenzo, so the share of start-up that is
// the toolkit's own (loading its libraries, connecting to the display, filling and sending the first frame) stands
// apart from the program's.
//
//   tavenzo_qt_floor [--schermo-intero]
//
// With the program's full-screen option the window covers the primary screen, shown the way Program shows a screen
// in full-screen mode, so the floor pays for a frame of the same size.

#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Form1"));
    if (QApplication::arguments().contains(QStringLiteral("--schermo-intero"))) {
        QScreen* screen = QGuiApplication::primaryScreen();
        window.setScreen(screen);
        window.setGeometry(screen->geometry());
        window.showFullScreen();
    } else {
        window.setFixedSize(707, 608);
        window.show();
    }
    return QApplication::exec();
}
