#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QTransform>

namespace tavenzo::testing {

// A picture of four solid quarters, so that any turn or mirror of it shows: red top left, green top right, blue bottom
// left, yellow bottom right.
inline QImage quarters(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    const int w = size.width() / 2;
    const int h = size.height() / 2;
    QPainter painter(&image);
    painter.fillRect(0, 0, w, h, Qt::red);
    painter.fillRect(w, 0, size.width() - w, h, Qt::green);
    painter.fillRect(0, h, w, size.height() - h, Qt::blue);
    painter.fillRect(w, h, size.width() - w, size.height() - h, Qt::yellow);
    painter.end();
    return image;
}

// What a camera stores for a scene that looks like `upright` when the EXIF orientation `tag` (1..8) is applied.
inline QImage storedFor(const QImage& upright, int tag)
{
    const auto turned
        = [](const QImage& image, int degrees) { return image.transformed(QTransform().rotate(degrees)); };
    switch (tag) {
    case 2:
        return upright.mirrored(true, false);
    case 3:
        return turned(upright, 180);
    case 4:
        return upright.mirrored(false, true);
    case 5: // transpose, its own inverse
        return turned(upright, 90).mirrored(true, false);
    case 6: // shown turned a quarter clockwise, so stored a quarter the other way
        return turned(upright, 270);
    case 7: // transverse, its own inverse
        return turned(upright, 90).mirrored(false, true);
    case 8:
        return turned(upright, 90);
    default:
        return upright;
    }
}

// The JPEG bytes of an image with an APP1 Exif segment holding only the orientation tag, as a phone writes it.
inline QByteArray jpegWithOrientation(const QImage& stored, int tag, bool bigEndian = true)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    stored.save(&buffer, "JPEG", 95);
    // Two bytes in the byte order the segment declares; QByteArray's brace constructor would take them for a count.
    const auto two = [](char first, char second) {
        QByteArray bytes;
        bytes.append(first).append(second);
        return bytes;
    };
    const auto u16 = [&two, bigEndian](quint16 v) {
        const char high = char(v >> 8);
        const char low = char(v & 0xFF);
        return bigEndian ? two(high, low) : two(low, high);
    };
    const auto u32 = [&u16, bigEndian](quint32 v) {
        const auto high = quint16(v >> 16);
        const auto low = quint16(v & 0xFFFF);
        return bigEndian ? u16(high) + u16(low) : u16(low) + u16(high);
    };
    QByteArray tiff = bigEndian ? QByteArray("MM", 2) : QByteArray("II", 2);
    tiff += u16(42) + u32(8); // the first directory right after this header
    tiff += u16(1); // one entry
    tiff += u16(0x0112) + u16(3) + u32(1) + u16(quint16(tag)) + u16(0); // Orientation, SHORT, one value
    tiff += u32(0); // no further directory
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    const auto length = quint16(payload.size() + 2);
    segment += two(char(length >> 8), char(length & 0xFF)) + payload; // segment lengths are always big-endian
    jpeg.insert(2, segment); // right after the start-of-image marker
    return jpeg;
}

// Whether two colours are the same but for what JPEG compression changes.
inline bool near(QColor a, QColor b, int tolerance = 60)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace tavenzo::testing
