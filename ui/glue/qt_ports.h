#pragma once

#include "core/ports.h"
#include "feedback/sound_player.h"

#include <functional>

class QDialog;

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

// Every box and dialog of these ports is handed to the seam, when one is set, instead of waiting for the user: it is
// shown, the seam looks at it and ends it (done(), accept(), reject()), and what it ended with is the answer. Tests set
// it; a run never does.
void setModalSeam(std::function<void(QDialog&)> seam);

class QtBeeper final : public Beeper {
public:
    void beep() override;
};

} // namespace tavenzo::ui
