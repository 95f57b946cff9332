#pragma once

#include "ui/screens/frame_view.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QLabel;

namespace Ui {
class parole;
}

namespace tavenzo::ui {

class Program;

// Word for the picture: six words, one picture.
class ParoleScreen final : public QMainWindow {
    Q_OBJECT
public:
    explicit ParoleScreen(Program& program, QWidget* parent = nullptr);
    ~ParoleScreen() override;

    Ui::parole& form() { return *m_ui; }
    const std::array<QLabel*, 6>& words() const { return m_words; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void render();

    Program& m_program;
    std::unique_ptr<Ui::parole> m_ui;
    std::array<QLabel*, 6> m_words {};
    FrameWidgets m_frameWidgets;
};

} // namespace tavenzo::ui
