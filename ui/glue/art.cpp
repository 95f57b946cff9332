#include "ui/glue/art.h"

#include <QAbstractButton>
#include <QCache>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QWidget>

#include <algorithm>
#include <array>

namespace tavenzo::ui {

namespace {

constexpr std::array<int, 3> kTiers {1, 2, 4};

// The icons beside the answers come back at every opening of a screen, at the same size, so they are kept for the
// run once drawn; the splash's pictures, far larger and shown once, are not.
constexpr qsizetype kKeptArtBytes = 1024 * 1024;
constexpr qsizetype kLargestKeptBytes = 128 * 1024;

QCache<QString, QPixmap>& keptArt()
{
    static QCache<QString, QPixmap> kept(kKeptArtBytes / 1024);
    return kept;
}

QString tierOf(const QString& resource, int tier)
{
    if (tier == 1) {
        return resource;
    }
    QString name = resource;
    return name.insert(name.lastIndexOf(QLatin1Char('.')), QStringLiteral("@%1x").arg(tier));
}

// The size of a picture of the art; invalid when there is no such picture. Asked at every opening of a screen, and
// the art never changes during a run.
QSize artFileSize(const QString& file)
{
    static QHash<QString, QSize> sizes;
    auto it = sizes.find(file);
    if (it == sizes.end()) {
        it = sizes.insert(file, QFileInfo::exists(file) ? QImageReader(file).size() : QSize());
    }
    return *it;
}

// The smallest size of the art at least as wide as wanted, or the largest there is.
QString sourceFor(const QString& resource, QSize wanted)
{
    QString source = resource;
    for (const int tier : kTiers) {
        const QString file = tierOf(resource, tier);
        const QSize size = artFileSize(file);
        if (!size.isValid()) {
            break;
        }
        source = file;
        if (size.width() >= wanted.width()) {
            break;
        }
    }
    return source;
}

// The drawing of a piece of art as the build wrote it in SVG, ":/art/<name>.svg" beside its PNG, or empty when the
// piece has none: that one is drawn at the size shown, sharp at any scale and density.
QString vectorOf(const QString& resource)
{
    static QHash<QString, QString> vectors;
    auto it = vectors.find(resource);
    if (it == vectors.end()) {
        QString svg = resource;
        svg.replace(QRegularExpression(QStringLiteral("\\.png$")), QStringLiteral(".svg"));
        it = vectors.insert(resource, svg != resource && QFileInfo::exists(svg) ? svg : QString());
    }
    return *it;
}

QImage drawVector(const QString& svg, QSize pixels)
{
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(svg);
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return image;
}

// Set on buttons by useSharedIcon: which art their icon shows.
const char* const kIconProperty = "tavenzo_icon_art";

} // namespace

QImage resized(QImage image, QSize size)
{
    if (image.isNull() || image.size() == size || size.isEmpty()) {
        return image;
    }
    if (2 * size.width() < image.width() || 2 * size.height() < image.height()) {
        return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QImage result(size, image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (image.hasAlphaChannel()) {
        result.fill(Qt::transparent);
    }
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(result.rect(), image);
    painter.end();
    return result;
}

QIcon sharedIcon(const QString& resource, QSize shown)
{
    static QHash<QString, QIcon> icons;
    if (const QString svg = vectorOf(resource); !svg.isEmpty() && !shown.isEmpty()) {
        const QString key = QStringLiteral("%1|%2x%3").arg(svg).arg(shown.width()).arg(shown.height());
        auto it = icons.find(key);
        if (it == icons.end()) {
            QIcon icon;
            icon.addPixmap(QPixmap::fromImage(drawVector(svg, shown)));
            it = icons.insert(key, icon);
        }
        return *it;
    }
    const QString source = sourceFor(resource, shown);
    auto it = icons.find(source);
    if (it == icons.end()) {
        QIcon icon;
        // The size as the size it is: a scaled screen asks for a larger icon, not for a denser one.
        QImage image(source);
        if (!image.isNull()) {
            image.setDevicePixelRatio(1.0);
            icon.addPixmap(QPixmap::fromImage(std::move(image)));
        }
        it = icons.insert(source, icon);
    }
    return *it;
}

void useSharedIcon(QAbstractButton* button, const QString& resource)
{
    button->setProperty(kIconProperty, resource);
    button->setIcon(sharedIcon(resource, button->iconSize() * button->devicePixelRatioF()));
}

QPixmap artPixmap(const QString& resource, QSize shown, qreal devicePixelRatio)
{
    const QSize wanted = shown * devicePixelRatio;
    const QString key
        = QStringLiteral("%1|%2x%3|%4").arg(resource).arg(shown.width()).arg(shown.height()).arg(devicePixelRatio);
    if (const QPixmap* kept = keptArt().object(key)) {
        return *kept;
    }
    const QString svg = vectorOf(resource);
    QImage image = svg.isEmpty() ? QImageReader(sourceFor(resource, wanted)).read() : drawVector(svg, wanted);
    if (image.isNull()) {
        return {};
    }
    QPixmap pixmap = QPixmap::fromImage(resized(std::move(image), wanted));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    const qsizetype bytes = qsizetype(wanted.width()) * wanted.height() * 4;
    if (bytes <= kLargestKeptBytes) {
        keptArt().insert(key, new QPixmap(pixmap), std::max<qsizetype>(1, bytes / 1024));
    }
    return pixmap;
}

void refreshArt(QWidget* window)
{
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        const QString resource = button->property(kIconProperty).toString();
        if (!resource.isEmpty()) {
            const QIcon icon = sharedIcon(resource, button->iconSize() * button->devicePixelRatioF());
            if (icon.cacheKey() != button->icon().cacheKey()) {
                button->setIcon(icon);
            }
        }
    }
    for (QLabel* label : window->findChildren<QLabel*>()) {
        const QString name = label->property("art").toString();
        if (name.isEmpty()) {
            continue;
        }
        const QSize shown = label->contentsRect().size();
        const qreal ratio = label->devicePixelRatioF();
        const QPixmap current = label->pixmap();
        if (!current.isNull() && current.deviceIndependentSize().toSize() == shown
            && current.devicePixelRatio() >= ratio) {
            continue;
        }
        label->setPixmap(artPixmap(QStringLiteral(":/art/%1.png").arg(name), shown, ratio));
    }
}

} // namespace tavenzo::ui
