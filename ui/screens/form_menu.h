#pragma once

#include "app/screen_id.h"

#include <QWidget>

#include <array>
#include <memory>

class QAbstractButton;
class QRadioButton;

namespace Ui {
class FormMenu;
}

namespace tavenzo::ui {

class Program;

class FormMenu final : public QWidget {
    Q_OBJECT
public:
    explicit FormMenu(Program& program, QWidget* parent = nullptr);
    ~FormMenu() override;

    Ui::FormMenu& form() { return *m_ui; }
    const std::array<QRadioButton*, 2>& options() const { return m_options; }

private:
    void openExercise(ScreenId screen);
    void render();

    Program& m_program;
    std::unique_ptr<Ui::FormMenu> m_ui;
    std::array<QRadioButton*, 2> m_options {};
};

} // namespace tavenzo::ui
