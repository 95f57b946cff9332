#pragma once

#include "core/ports.h"
#include "feedback/preloading_sound_player.h"
#include "feedback/sound_player.h"

#include <QHash>

#include <memory>
#include <vector>

class QSoundEffect;

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

class QtSoundBackend final : public SoundEffectBackend {
public:
    QtSoundBackend();
    ~QtSoundBackend() override;
    int load(const QString& path) override;
    void start(int id) override;
    void stop(int id) override;

private:
    std::vector<std::unique_ptr<QSoundEffect>> m_effects;
};

} // namespace tavenzo::ui
