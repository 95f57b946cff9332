#include "ui/screens/missing_letter_screen.h"

#include "exercises/letters/missing_letter_exercise.h"
#include "ui/glue/picture_loader.h"

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
    fixClientSize(this, kClientWidth, kClientHeight);
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

    m_model.open();
    render();
}

void MissingLetterScreen::render()
{
    renderFrame(m_model.frame(), m_widgets.frame, centralWidget());
    m_keyboard.render(m_model.keyboard());
    (m_model.letterCase() == LetterCase::Upper ? m_widgets.Option2 : m_widgets.Option1)->setChecked(true);
    m_widgets.Label1->setText(m_model.label1());
    QLabel* image = m_widgets.Image1;
    image->move(m_pictureHome + QPoint(m_model.pictureSteps() * kPictureStep, 0));
    image->setPixmap(m_context.pictures.load(m_model.picture(), image->contentsRect().size()));
}

} // namespace tavenzo::ui
