#pragma once

#include "ui/glue/presentation.h"
#include "ui/screens/screen_context.h"

#include <QWidget>

#include <memory>

namespace Ui {
class FormAvvio;
}

namespace tavenzo {
struct SharedState;
class RandomSource;
} // namespace tavenzo

namespace tavenzo::ui {

// The splash screen: any click on it or on its pictures opens the menu.
class SplashScreen final : public QWidget, public StagedWindow {
    Q_OBJECT
public:
    SplashScreen(const ScreenContext& context, SharedState& state, RandomSource& random, QWidget* parent = nullptr);
    ~SplashScreen() override;

    Stage stage() const override { return m_stage; }

private:
    ScreenContext m_context;
    std::unique_ptr<Ui::FormAvvio> m_ui;
    Stage m_stage;
};

} // namespace tavenzo::ui
