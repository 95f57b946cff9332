#pragma once

#include "ui/glue/presentation.h"
#include "ui/screens/screen_context.h"

#include <array>
#include <memory>

class QRadioButton;

namespace Ui {
class FormMenu;
}

namespace tavenzo {
class MenuModel;
class FileChooser;
} // namespace tavenzo

namespace tavenzo::ui {

class BackgroundFill;

// The main menu: the six exercises, the list change, the wait-for-avanti option, the about box and the exit.
class MenuScreen final : public StagedWidget {
    Q_OBJECT
public:
    MenuScreen(const ScreenContext& context, MenuModel& model, FileChooser& chooser, QWidget* parent = nullptr);
    ~MenuScreen() override;

    void presentAgain() override;

private:
    void openExercise(ScreenId screen);
    void render();

    ScreenContext m_context;
    MenuModel& m_model;
    FileChooser& m_chooser;
    std::unique_ptr<Ui::FormMenu> m_ui;
    std::array<QRadioButton*, 2> m_options {};
    std::array<BackgroundFill*, 3> m_backgrounds {};
};

} // namespace tavenzo::ui
