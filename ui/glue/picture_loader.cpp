#include "ui/glue/picture_loader.h"

#include "ui/glue/art.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QLabel>
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

QPixmap PictureLoader::placeholder(const QSize& size, qreal devicePixelRatio)
{
    const QString key
        = QStringLiteral("placeholder|%1x%2|%3").arg(size.width()).arg(size.height()).arg(devicePixelRatio);
    if (const QPixmap* hit = m_cache.object(key)) {
        return *hit;
    }
    QPixmap drawn = artPixmap(QStringLiteral(":/art/placeholder.png"), size, devicePixelRatio);
    if (drawn.isNull()) {
        QImage image(size * devicePixelRatio, QImage::Format_RGB32);
        image.fill(QColor(0xF2, 0xF2, 0xF2));
        QPainter painter(&image);
        painter.setPen(QPen(QColor(0xC8, 0xC8, 0xC8), 6));
        painter.drawRoundedRect(QRectF(image.rect()).adjusted(8, 8, -8, -8), 16, 16);
        painter.end();
        drawn = QPixmap::fromImage(image);
        drawn.setDevicePixelRatio(devicePixelRatio);
    }
    auto* pixmap = new QPixmap(drawn);
    m_cache.insert(key, pixmap, costOf(drawn));
    return drawn;
}

QPixmap PictureLoader::load(const QString& path, const QSize& size, qreal devicePixelRatio)
{
    if (path.isEmpty() || size.isEmpty()) {
        return placeholder(size, devicePixelRatio);
    }
    const QFileInfo info(path);
    if (!info.isFile()) {
        return placeholder(size, devicePixelRatio);
    }
    const QSize wanted = size * devicePixelRatio;
    const QString key = cacheKey(path, wanted, info);
    if (const QPixmap* hit = m_cache.object(key)) {
        return *hit;
    }
    QImageReader reader(path);
    const QSize natural = reader.size();
    // Decoding at the box size keeps a huge picture from costing its full size in memory; a teacher's small picture
    // is read whole and enlarged smoothly.
    if (!natural.isValid() || natural.width() >= wanted.width() || natural.height() >= wanted.height()) {
        reader.setScaledSize(wanted);
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return placeholder(size, devicePixelRatio);
    }
    if (image.size() != wanted) {
        image = image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    auto* pixmap = new QPixmap(QPixmap::fromImage(image));
    pixmap->setDevicePixelRatio(devicePixelRatio);
    const QPixmap result = *pixmap;
    m_cache.insert(key, pixmap, costOf(result));
    return result;
}

void PictureLoader::showIn(QLabel* box, const QString& path)
{
    box->setPixmap(load(path, box->contentsRect().size(), box->devicePixelRatioF()));
}

} // namespace tavenzo::ui
