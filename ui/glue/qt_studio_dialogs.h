#pragma once

#include "core/studio_list.h"

class QWidget;

namespace tavenzo::ui {

class QtStudioDialogs final : public StudioDialogs {
public:
    UnsavedAnswer askUnsaved(const QString& listName) override;
    QString chooseListToOpen(const QString& startFolder) override;
    QString chooseListToSave(const QString& suggestedPath) override;
    QString choosePicture(const QString& startFolder) override;
};

// The file-name filter of the picture chooser: every format the installed plug-ins read.
QString pictureFilter();

} // namespace tavenzo::ui
