#include "exercises/frame/exercise_frame.h"
#include "ui/glue/picture_loader.h"
#include "ui/screens/exercise_window.h"
#include "widget_fakes.h"

#include <QMenuBar>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

// The least an exercise can be: it counts its items and keeps the case it is given.
class ProbeExercise final : public Exercise {
public:
    ProbeExercise(qint16& esatti, qint16& errati)
        : Exercise(esatti, errati, {}, [this] { ++items; })
    {
    }
    void open() override
    {
        m_frame.open(true);
        ++opened;
    }
    void setCase(LetterCase letterCase) override { m_case = letterCase; }
    int opened = 0;
    int items = 0;
    int steps = 0;
};

class NoSwitch final : public ui::ScreenSwitcher {
public:
    void open(ScreenId screen) override { opened.push_back(screen); }
    void endRun() override { }
    std::vector<ScreenId> opened;
};

// A seventh exercise screen as short as one can be: a form (here built in code), a control that moves, a render.
class ProbeWindow final : public ui::ExerciseWindow {
public:
    ProbeWindow(const ui::ScreenContext& context, ProbeExercise& model)
        : ExerciseWindow(context, model, nullptr)
        , m_model(model)
    {
        auto* client = new QWidget(this);
        setCentralWidget(client);
        auto* avanti = new QToolButton(client);
        avanti->setObjectName(QStringLiteral("Command1"));
        avanti->setGeometry(10, 200, 129, 65);
        marker = new QLabel(QStringLiteral("x"), client);
        marker->setObjectName(QStringLiteral("Marker"));
        marker->setGeometry(100, 50, 40, 30);
        menuBar()->addAction(QStringLiteral("Azzera"))->setObjectName(QStringLiteral("mnuAzzera"));
        menuBar()->addAction(QStringLiteral("Esci"))->setObjectName(QStringLiteral("mnuEsci"));
        resize(400, 300);
        start();
    }
    QLabel* marker = nullptr;
    int renders = 0;

private:
    void renderExercise() override
    {
        ++renders;
        place(marker, designed(marker).topLeft() + QPoint(10 * m_model.steps, 0));
    }
    ProbeExercise& m_model;
};

class ExerciseWindowBase : public ::testing::TestWithParam<bool> {
protected:
    ExerciseWindowBase()
        : presentation(GetParam(), QRect(0, 0, 1600, 1200))
        , context {screens, boxes, pictures, presentation}
    {
    }
    qint16 esatti = 0;
    qint16 errati = 0;
    ProbeExercise model {esatti, errati};
    NoSwitch screens;
    FakeMessageBoxes boxes;
    ui::PictureLoader pictures;
    ui::Presentation presentation;
    ui::ScreenContext context;
};

TEST_P(ExerciseWindowBase, PlacesAControlAtAPointOfTheFormInEitherPresentation)
{
    ProbeWindow window(context, model);
    EXPECT_EQ(model.opened, 1);
    EXPECT_EQ(window.renders, 1) << "the first item is drawn once the model is open";
    const ui::Stage stage = window.stage();
    if (GetParam()) {
        EXPECT_GT(stage.factor, 1.5);
    } else {
        EXPECT_EQ(stage.factor, 1.0);
        EXPECT_EQ(stage.offset, QPoint());
        EXPECT_EQ(window.centralWidget()->size(), QSize(400, 300)) << "the client area is as the form made it";
    }
    const auto atPoint = [&](QPoint designed) { return stage.offset + designed * stage.factor; };
    EXPECT_EQ(window.marker->pos(), atPoint({100, 50}));
    EXPECT_EQ(window.marker->width(), qRound(140 * stage.factor) - qRound(100 * stage.factor)) << "edges are scaled";

    model.steps = 3;
    click(control<QToolButton>(&window, "Command1")); // disabled: nothing happens but a render
    EXPECT_EQ(model.items, 0);
    window.findChild<QAction*>(QStringLiteral("mnuAzzera"))->trigger();
    EXPECT_EQ(window.renders, 2);
    EXPECT_EQ(window.marker->pos(), atPoint({130, 50})) << "placed from the form's point, not from where it stood";
    model.steps = 0;
    window.findChild<QAction*>(QStringLiteral("mnuAzzera"))->trigger();
    EXPECT_EQ(window.marker->pos(), atPoint({100, 50}));
}

TEST_P(ExerciseWindowBase, WiresTheFrameByTheNamesOfTheForm)
{
    ProbeWindow window(context, model);
    auto* avanti = control<QToolButton>(&window, "Command1");
    EXPECT_FALSE(avanti->isHidden()) << "the model's frame asked for avanti";
    EXPECT_FALSE(avanti->isEnabled());
    EXPECT_EQ(avanti->focusPolicy(), Qt::NoFocus);
    boxes.answers = {false, true};
    window.findChild<QAction*>(QStringLiteral("mnuEsci"))->trigger();
    EXPECT_TRUE(screens.opened.empty()) << "No keeps the child on the screen";
    window.findChild<QAction*>(QStringLiteral("mnuEsci"))->trigger();
    EXPECT_EQ(screens.opened, std::vector<ScreenId> {ScreenId::Menu});
}

INSTANTIATE_TEST_SUITE_P(WindowAndFullScreen, ExerciseWindowBase, ::testing::Bool(),
    [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "FullScreen" : "Window"; });

} // namespace
