#include "ui/screens/missing_letter_screen.h"

#include "exercises/letters/missing_letter_exercise.h"
#include "ui/glue/fitted_text.h"
#include "ui/glue/picture_loader.h"
#include "ui/glue/presentation.h"

#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

namespace tavenzo::ui {

namespace {

constexpr int kClientWidth = 706;
constexpr int kClientHeight = 575;
constexpr int kKeyPoints = 13;
// The picture's sideways step: 20 units of 1/15 pixel, which a screen can only show as one whole pixel.
constexpr int kPictureStep = 1;

} // namespace

MissingLetterScreen::MissingLetterScreen(const ScreenContext& context, MissingLetterExercise& model, QWidget* parent)
    : QMainWindow(parent)
    , m_context(context)
    , m_model(model)
{
}

MissingLetterScreen::~MissingLetterScreen() = default;

void MissingLetterScreen::start(const MissingLetterWidgets& widgets)
{
    m_widgets = widgets;
    setUpExerciseWindow(this);
    setUpAvanti(m_widgets.Command1);
    setPointSize(m_widgets.Label1, 27.75);
    setPointSize(m_widgets.Option1, 8.25);
    setPointSize(m_widgets.Option2, 8.25);
    m_pictureHome = m_widgets.Image1->pos();

    m_keyboard.attach(centralWidget(), kKeyPoints, [this](int index) {
        m_model.press(index);
        render();
    });
    const auto show = [this] { render(); };
    connectFrameCommands(this, m_context, m_model, m_widgets.Command1, m_widgets.mnuAzzera, m_widgets.mnuEsci, show);
    connectCaseChoice(this, m_model, m_widgets.Option1, m_widgets.Option2, &QRadioButton::clicked, show);

    present(this, {kClientWidth, kClientHeight}, m_context.presentation);
    m_model.open();
    render();
}

void MissingLetterScreen::render()
{
    renderFrame(m_model.frame(), m_widgets.frame, centralWidget());
    m_keyboard.render(m_model.keyboard());
    (m_model.letterCase() == LetterCase::Upper ? m_widgets.Option2 : m_widgets.Option1)->setChecked(true);
    showFitted(m_widgets.Label1, m_model.label1());
    QLabel* image = m_widgets.Image1;
    image->move(Stage::of(this).point(m_pictureHome + QPoint(m_model.pictureSteps() * kPictureStep, 0)));
    m_context.pictures.showIn(image, m_model.picture());
}

} // namespace tavenzo::ui
