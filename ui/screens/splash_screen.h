#pragma once

#include "ui/glue/presentation.h"
#include "ui/screens/screen_context.h"

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
class SplashScreen final : public StagedWidget {
    Q_OBJECT
public:
    SplashScreen(const ScreenContext& context, SharedState& state, RandomSource& random, QWidget* parent = nullptr);
    ~SplashScreen() override;

    void presentAgain() override;

private:
    ScreenContext m_context;
    std::unique_ptr<Ui::FormAvvio> m_ui;
};

} // namespace tavenzo::ui
