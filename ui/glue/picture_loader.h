#pragma once

#include <QCache>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace tavenzo::ui {

// Decodes word pictures straight at the size of their box, keeps the last ones used, and gives a neutral
// placeholder for a picture that is missing or cannot be decoded.
class PictureLoader {
public:
    PictureLoader();
    QPixmap load(const QString& path, const QSize& size);
    QPixmap placeholder(const QSize& size);

private:
    QCache<QString, QPixmap> m_cache;
};

} // namespace tavenzo::ui
