#pragma once

#include "ui/screens/screen_context.h"

#include <QWidget>

#include <array>
#include <memory>

class QLabel;

namespace Ui {
class FormAvvio;
}

namespace tavenzo {
struct SharedState;
class RandomSource;
} // namespace tavenzo

namespace tavenzo::ui {

// The splash screen: any click on it or on its pictures opens the menu.
class SplashScreen final : public QWidget {
    Q_OBJECT
public:
    SplashScreen(const ScreenContext& context, SharedState& state, RandomSource& random, QWidget* parent = nullptr);
    ~SplashScreen() override;

    const std::array<QLabel*, 4>& images() const { return m_images; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openMenu();

    ScreenContext m_context;
    std::unique_ptr<Ui::FormAvvio> m_ui;
    std::array<QLabel*, 4> m_images {};
};

} // namespace tavenzo::ui
