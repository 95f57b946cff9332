#include "ui/glue/picture_loader.h"

#include "ui/glue/art.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QtConcurrent/QtConcurrentMap>

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

// The size to decode a picture at, when it is at least as large as the box. The JPEG decoder halves, quarters and
// eighths a picture almost for free, but any other size goes through a generic path slower than decoding it whole:
// a JPEG is decoded at the smallest of those sizes that still covers the box, and resized from there. Other formats
// are decoded at the box size, which their readers do by decoding whole and scaling.
QSize decodedSize(const QImageReader& reader, const QSize& natural, const QSize& wanted)
{
    if (!natural.isValid() || reader.format() != "jpeg") {
        return wanted;
    }
    QSize decoded = natural;
    for (int halvings = 0; halvings < 3; ++halvings) {
        const QSize half((decoded.width() + 1) / 2, (decoded.height() + 1) / 2);
        if (half.width() < wanted.width() || half.height() < wanted.height()) {
            break;
        }
        decoded = half;
    }
    return decoded;
}
// Whether a picture counts as square. Square pictures (every bundled one) fill their box as they always have, though
// no box is quite square; any other shape is drawn whole on white, since stretching it distorts what it shows.
bool isSquare(const QSize& size)
{
    return std::abs(size.width() - size.height()) * 100 <= std::max(size.width(), size.height());
}

// The size of a picture as it is shown, once turned upright.
QSize uprightSize(const QSize& stored, QImageIOHandler::Transformations transformation)
{
    return transformation.testFlag(QImageIOHandler::TransformationRotate90) ? stored.transposed() : stored;
}

} // namespace

QImage decodeWordPicture(const QString& path, const QSize& wanted)
{
    QImageReader reader(path);
    // Phones store a photo as the sensor saw it and say in EXIF which way is up.
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    const QImageIOHandler::Transformations transformation = reader.transformation();
    const QSize natural = stored.isValid() ? uprightSize(stored, transformation) : QSize();
    const bool fill = !natural.isValid() || isSquare(natural);
    // Where the picture lands in the box: the whole box, or the largest part of it of the picture's own shape.
    const QSize drawn = fill ? wanted : natural.scaled(wanted, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    // Decoding near the box size keeps a huge picture from costing its full size in memory; a teacher's small picture
    // is read whole and enlarged smoothly. The reader scales before it turns the picture, so it is given the size in
    // the orientation the file stores.
    if (!natural.isValid() || natural.width() >= drawn.width() || natural.height() >= drawn.height()) {
        const QSize decoded = decodedSize(reader, natural, drawn);
        reader.setScaledSize(uprightSize(decoded, transformation));
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return image;
    }
    if (image.hasAlphaChannel()) {
        // A picture with see-through parts stands on white, as the bundled ones do, not on the screen's colour.
        QImage opaque(image.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
        painter.end();
        image = std::move(opaque);
    }
    image = resized(std::move(image), drawn);
    if (drawn == wanted) {
        return image;
    }
    QImage boxed(wanted, QImage::Format_RGB32);
    boxed.fill(Qt::white);
    QPainter painter(&boxed);
    painter.drawImage((wanted.width() - drawn.width()) / 2, (wanted.height() - drawn.height()) / 2, image);
    painter.end();
    return boxed;
}

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
    return loadAll({{path, size, devicePixelRatio}}).front();
}

std::vector<QPixmap> PictureLoader::loadAll(const std::vector<Wanted>& pictures)
{
    struct Job {
        size_t index;
        QString key;
        QSize wanted;
        QImage image;
    };
    std::vector<QPixmap> shown(pictures.size());
    std::vector<Job> jobs;
    for (size_t i = 0; i < pictures.size(); ++i) {
        const Wanted& picture = pictures[i];
        const QFileInfo info(picture.path);
        if (picture.path.isEmpty() || picture.size.isEmpty() || !info.isFile()) {
            shown[i] = placeholder(picture.size, picture.devicePixelRatio);
            continue;
        }
        const QSize wanted = picture.size * picture.devicePixelRatio;
        QString key = cacheKey(picture.path, wanted, info);
        if (const QPixmap* hit = m_cache.object(key)) {
            shown[i] = *hit;
        } else {
            jobs.push_back({i, std::move(key), wanted, {}});
        }
    }
    // A screen's pictures are decoded side by side: six large ones one after the other would keep the child waiting.
    QtConcurrent::blockingMap(
        jobs, [&pictures](Job& job) { job.image = decodeWordPicture(pictures[job.index].path, job.wanted); });
    for (Job& job : jobs) {
        const Wanted& picture = pictures[job.index];
        if (job.image.isNull()) {
            shown[job.index] = placeholder(picture.size, picture.devicePixelRatio);
            continue;
        }
        auto* pixmap = new QPixmap(QPixmap::fromImage(std::move(job.image)));
        pixmap->setDevicePixelRatio(picture.devicePixelRatio);
        shown[job.index] = *pixmap;
        m_cache.insert(job.key, pixmap, costOf(*pixmap));
    }
    return shown;
}

PictureCheck::Result QtPictureCheck::check(const QString& path)
{
    QImageReader reader(path);
    if (reader.canRead() && reader.size().isValid()) {
        return Result::Readable;
    }
    // A file named for a format the plug-ins read, which they cannot read, is damaged (or something else renamed).
    const QByteArray ending = QFileInfo(path).suffix().toLower().toLatin1();
    return QImageReader::supportedImageFormats().contains(ending) ? Result::Damaged : Result::UnknownFormat;
}

void PictureLoader::showIn(QLabel* box, const QString& path)
{
    showInEach({{box, path}});
}

void PictureLoader::showInEach(const std::vector<std::pair<QLabel*, QString>>& boxes)
{
    std::vector<Wanted> pictures;
    pictures.reserve(boxes.size());
    for (const auto& [box, path] : boxes) {
        pictures.push_back({path, box->contentsRect().size(), box->devicePixelRatioF()});
    }
    const std::vector<QPixmap> shown = loadAll(pictures);
    for (size_t i = 0; i < boxes.size(); ++i) {
        boxes[i].first->setPixmap(shown[i]);
    }
}

} // namespace tavenzo::ui
