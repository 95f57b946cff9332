#include "ui/glue/picture_loader.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>

namespace tavenzo::ui {

namespace {
// About six screenfuls of the busiest screen (six pictures): a picture drawn again while a screen is open, or
// after a quick visit elsewhere, comes from here. A picture decoded afresh costs well under a millisecond, so a
// larger cache buys little speed and only makes the resident set grow visit after visit.
constexpr qsizetype kCacheBytes = 4 * 1024 * 1024;

QString cacheKey(const QString& path, const QSize& size, const QFileInfo& info)
{
    return QStringLiteral("%1|%2x%3|%4|%5")
        .arg(path)
        .arg(size.width())
        .arg(size.height())
        .arg(info.size())
        .arg(info.lastModified().toMSecsSinceEpoch());
}

qsizetype costOf(const QPixmap& pixmap)
{
    return std::max<qsizetype>(1, qsizetype(pixmap.width()) * pixmap.height() * 4 / 1024);
}
} // namespace

PictureLoader::PictureLoader()
{
    // A picture declaring huge dimensions must not be able to claim the machine's memory.
    QImageReader::setAllocationLimit(64);
    m_cache.setMaxCost(kCacheBytes / 1024);
}

QPixmap PictureLoader::placeholder(const QSize& size)
{
    const QString key = QStringLiteral("placeholder|%1x%2").arg(size.width()).arg(size.height());
    if (const QPixmap* hit = m_cache.object(key)) {
        return *hit;
    }
    QImageReader reader(QStringLiteral(":/art/placeholder.png"));
    reader.setScaledSize(size);
    QImage image = reader.read();
    if (image.isNull()) {
        image = QImage(size, QImage::Format_RGB32);
        image.fill(QColor(0xF2, 0xF2, 0xF2));
        QPainter painter(&image);
        painter.setPen(QPen(QColor(0xC8, 0xC8, 0xC8), 6));
        painter.drawRoundedRect(QRectF(image.rect()).adjusted(8, 8, -8, -8), 16, 16);
    }
    auto* pixmap = new QPixmap(QPixmap::fromImage(image));
    const QPixmap result = *pixmap;
    m_cache.insert(key, pixmap, costOf(result));
    return result;
}

QPixmap PictureLoader::load(const QString& path, const QSize& size)
{
    if (path.isEmpty() || size.isEmpty()) {
        return placeholder(size);
    }
    const QFileInfo info(path);
    if (!info.isFile()) {
        return placeholder(size);
    }
    const QString key = cacheKey(path, size, info);
    if (const QPixmap* hit = m_cache.object(key)) {
        return *hit;
    }
    QImageReader reader(path);
    // Decoding at the box size keeps a huge picture from costing its full size in memory.
    reader.setScaledSize(size);
    const QImage image = reader.read();
    if (image.isNull()) {
        return placeholder(size);
    }
    auto* pixmap = new QPixmap(QPixmap::fromImage(image));
    const QPixmap result = *pixmap;
    m_cache.insert(key, pixmap, costOf(result));
    return result;
}

} // namespace tavenzo::ui
