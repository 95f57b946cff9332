#include "ui/glue/picture_box.h"

#include <QPainter>

namespace tavenzo::ui {

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QPixmap picture = pixmap();
    if (!picture.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(contentsRect(), picture);
    }
}

} // namespace tavenzo::ui
