// The least a Qt Widgets program does before its first window is mapped: a QApplication and one empty window
// with the splash's title and size. bench/startup.sh times it beside Tavenzo, so the share of start-up that is
// the toolkit's own (loading its libraries, connecting to the display) stands apart from the program's.

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Form1"));
    window.setFixedSize(707, 608);
    window.show();
    return QApplication::exec();
}
