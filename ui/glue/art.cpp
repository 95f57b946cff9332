#include "ui/glue/art.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QLabel>
#include <QWidget>

#include <array>

namespace tavenzo::ui {

namespace {

constexpr std::array<int, 3> kTiers {1, 2, 4};

QString tierOf(const QString& resource, int tier)
{
    if (tier == 1) {
        return resource;
    }
    QString name = resource;
    return name.insert(name.lastIndexOf(QLatin1Char('.')), QStringLiteral("@%1x").arg(tier));
}

} // namespace

QIcon sharedIcon(const QString& resource)
{
    static QHash<QString, QIcon> icons;
    auto it = icons.find(resource);
    if (it == icons.end()) {
        QIcon icon;
        for (const int tier : kTiers) {
            // Each size as the size it is: a scaled screen asks for a larger icon, not for a denser one.
            QImage image(tierOf(resource, tier));
            if (!image.isNull()) {
                image.setDevicePixelRatio(1.0);
                icon.addPixmap(QPixmap::fromImage(image));
            }
        }
        it = icons.insert(resource, icon);
    }
    return *it;
}

void useSharedIcon(QAbstractButton* button, const QString& resource)
{
    button->setIcon(sharedIcon(resource));
}

QPixmap artPixmap(const QString& resource, QSize shown, qreal devicePixelRatio)
{
    const QSize wanted = shown * devicePixelRatio;
    QString source = resource;
    for (const int tier : kTiers) {
        const QString file = tierOf(resource, tier);
        if (!QFileInfo::exists(file)) {
            break;
        }
        source = file;
        if (QImageReader(file).size().width() >= wanted.width()) {
            break;
        }
    }
    QImageReader reader(source);
    QImage image = reader.read();
    if (image.isNull()) {
        return {};
    }
    if (image.size() != wanted) {
        image = image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

void refreshArt(QWidget* window)
{
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
