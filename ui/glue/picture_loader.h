#pragma once

#include "core/ports.h"

#include <QCache>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <utility>
#include <vector>

class QLabel;

namespace tavenzo::ui {

// A word's picture as the children see it in a box of `wanted` device pixels: upright by its EXIF orientation, a square
// one filling the box, any other shape whole and centred on white. Null when the file cannot be read. Touches nothing
// shared, so several pictures can be decoded side by side.
QImage decodeWordPicture(const QString& path, const QSize& wanted);

// Decodes word pictures straight at the size of their box, keeps the last ones used, and gives a neutral
// placeholder for a picture that is missing or cannot be decoded.
class PictureLoader {
public:
    PictureLoader();
    // The picture at a box's size in device pixels (size times the ratio), or the placeholder.
    QPixmap load(const QString& path, const QSize& size, qreal devicePixelRatio = 1.0);
    QPixmap placeholder(const QSize& size, qreal devicePixelRatio = 1.0);
    // Shows the picture in a box, sharp at the box's size and the display's pixel density.
    void showIn(QLabel* box, const QString& path);
    // The same for all the pictures a screen shows at once, decoded together.
    void showInEach(const std::vector<std::pair<QLabel*, QString>>& boxes);

private:
    struct Wanted {
        QString path;
        QSize size;
        qreal devicePixelRatio;
    };
    std::vector<QPixmap> loadAll(const std::vector<Wanted>& pictures);

    QCache<QString, QPixmap> m_cache;
};

// Reads a picture file's header as the loader would: a format no installed plug-in reads, or a header that cannot be
// read, is a picture that would show as the placeholder.
class QtPictureCheck final : public PictureCheck {
public:
    Result check(const QString& path) override;
};

} // namespace tavenzo::ui
