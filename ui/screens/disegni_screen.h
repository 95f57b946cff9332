#pragma once

#include "ui/screens/frame_view.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QLabel;

namespace Ui {
class disegni;
}

namespace tavenzo::ui {

class Program;

// Picture for the word: one word, six pictures.
class DisegniScreen final : public QMainWindow {
    Q_OBJECT
public:
    explicit DisegniScreen(Program& program, QWidget* parent = nullptr);
    ~DisegniScreen() override;

    Ui::disegni& form() { return *m_ui; }
    const std::array<QLabel*, 6>& pictures() const { return m_pictures; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void render();

    Program& m_program;
    std::unique_ptr<Ui::disegni> m_ui;
    std::array<QLabel*, 6> m_pictures {};
    FrameWidgets m_frameWidgets;
};

} // namespace tavenzo::ui
