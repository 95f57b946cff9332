#include "ui/glue/qt_picture_importer.h"

#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

namespace tavenzo::ui {

namespace {

QSize uprightOf(QImageReader& reader)
{
    const QSize stored = reader.size();
    return reader.transformation().testFlag(QImageIOHandler::TransformationRotate90) ? stored.transposed() : stored;
}

} // namespace

QImage framedPicture(const QString& source, const Framing& framing, int side)
{
    QImageReader reader(source);
    reader.setAutoTransform(true);
    const QSize upright = uprightOf(reader);
    if (!upright.isValid()) {
        return {};
    }
    const QRect kept
        = framing.mode == Framing::Mode::Crop ? cropSquare(upright, framing.offset) : QRect(QPoint(), upright);
    // A large photo is decoded at a fraction of its size when that still covers the square: a 12-megapixel JPEG
    // costs a quarter of the time and memory at half its width.
    int factor = 1;
    while (factor < 8 && std::min(kept.width(), kept.height()) / (factor * 2) >= side) {
        factor *= 2;
    }
    if (factor > 1 && reader.format() == "jpeg") {
        const QSize stored = reader.size();
        reader.setScaledSize(QSize((stored.width() + factor - 1) / factor, (stored.height() + factor - 1) / factor));
    } else {
        factor = 1;
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return {};
    }
    const QSizeF scale(double(image.width()) / upright.width(), double(image.height()) / upright.height());
    const QRectF from(kept.x() * scale.width(), kept.y() * scale.height(), kept.width() * scale.width(),
        kept.height() * scale.height());
    QImage square(side, side, QImage::Format_RGB32);
    square.fill(Qt::white);
    QPainter painter(&square);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect to = framing.mode == Framing::Mode::Crop ? QRect(0, 0, side, side) : fitInSquare(upright, side);
    if (from.width() > 2.0 * to.width()) {
        // Drawn straight, a picture many times the square's size would be sampled, not averaged: grainy.
        const QImage part
            = image.copy(from.toAlignedRect()).scaled(to.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        painter.drawImage(to, part);
    } else {
        painter.drawImage(QRectF(to), image, from);
    }
    painter.end();
    return square;
}

QSize QtPictureImporter::uprightSize(const QString& source)
{
    QImageReader reader(source);
    reader.setAutoTransform(true);
    if (!reader.canRead()) {
        return {};
    }
    return uprightOf(reader);
}

QString QtPictureImporter::importPicture(const QString& source, const QString& target, const Framing& framing)
{
    const QImage square = framedPicture(source, framing);
    if (square.isNull()) {
        return QStringLiteral("Non riesco a leggere la figura %1.").arg(QDir::toNativeSeparators(source));
    }
    // Written beside the target and put in its place whole, so a failure leaves the old picture, or none, never half.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        return QStringLiteral("Non ho il permesso di scrivere la figura in %1.")
            .arg(QDir::toNativeSeparators(QFileInfo(target).absolutePath()));
    }
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(90);
    writer.setOptimizedWrite(true);
    if (!writer.write(square) || !file.commit()) {
        file.cancelWriting();
        return QStringLiteral("Non riesco a salvare la figura %1: forse il disco è pieno o la chiavetta è stata tolta.")
            .arg(QDir::toNativeSeparators(target));
    }
    return {};
}

} // namespace tavenzo::ui
