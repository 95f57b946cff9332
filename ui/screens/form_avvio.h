#pragma once

#include <QWidget>

#include <array>
#include <memory>

class QLabel;

namespace Ui {
class FormAvvio;
}

namespace tavenzo::ui {

class Program;

// The splash screen: any click on it or on its pictures opens the menu.
class FormAvvio final : public QWidget {
    Q_OBJECT
public:
    explicit FormAvvio(Program& program, QWidget* parent = nullptr);
    ~FormAvvio() override;

    const std::array<QLabel*, 4>& images() const { return m_images; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openMenu();

    Program& m_program;
    std::unique_ptr<Ui::FormAvvio> m_ui;
    std::array<QLabel*, 4> m_images {};
};

} // namespace tavenzo::ui
