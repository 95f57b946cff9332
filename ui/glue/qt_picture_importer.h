#pragma once

#include "core/picture_import.h"

#include <QImage>

namespace tavenzo::ui {

// The picture of a file as imported: upright, framed, kImportedSide pixels a side, on white. Null when unreadable.
QImage framedPicture(const QString& source, const Framing& framing, int side = kImportedSide);

class QtPictureImporter final : public PictureImporter {
public:
    QSize uprightSize(const QString& source) override;
    QString importPicture(const QString& source, const QString& target, const Framing& framing) override;
};

} // namespace tavenzo::ui
