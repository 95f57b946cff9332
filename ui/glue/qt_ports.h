#pragma once

#include "core/ports.h"
#include "feedback/sound_player.h"

namespace tavenzo::ui {

class QtMessageBoxes final : public MessageBoxes {
public:
    bool question(const QString& text) override;
    void information(const QString& text) override;
    void error(const QString& text) override;
    void plain(const QString& text) override;
};

class QtFileChooser final : public FileChooser {
public:
    QString chooseWordList(const QString& startFolder) override;
};

class QtBeeper final : public Beeper {
public:
    void beep() override;
};

} // namespace tavenzo::ui
