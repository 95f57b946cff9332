// Stands for a core file that slipped in a GUI class: QtCore's include path reaches this header, but the core
// does not link the library that defines it, so the core's link check must refuse it.
#include <QtGui/QImage>

int guiProbe()
{
    return QImage(1, 1, QImage::Format_RGB32).width();
}
