#include "ui/screens/missing_letter_screen.h"

#include "exercises/letters/missing_letter_exercise.h"
#include "ui/glue/program.h"
#include "ui_lettera.h"
#include "ui_lettera1.h"

namespace tavenzo::ui {

namespace {

constexpr int kClientWidth = 706;
constexpr int kClientHeight = 575;

template<typename Form> MissingLetterWidgets gather(Form& form)
{
    MissingLetterWidgets w;
    w.Command1 = form.Command1;
    w.Label1 = form.Label1;
    w.Image1 = form.Image1;
    w.Option1 = form.Option1;
    w.Option2 = form.Option2;
    w.mnuAzzera = form.mnuAzzera;
    w.mnuEsci = form.mnuEsci;
    w.frame = frameWidgetsOf(form);
    return w;
}

} // namespace

MissingLetterScreen::MissingLetterScreen(Program& program, MissingLetterExercise& model, QWidget* parent)
    : QMainWindow(parent)
    , m_program(program)
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

    m_keyboard.attach(centralWidget(), [this](int index) {
        m_model.press(index);
        render();
    });
    const auto show = [this] { render(); };
    connectFrameCommands(this, m_program, m_model, m_widgets.Command1, m_widgets.mnuAzzera, m_widgets.mnuEsci, show);
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
    image->move(m_pictureHome + QPoint(m_model.pictureOffset(), 0));
    image->setPixmap(m_program.pictureLoader().load(m_model.picture(), image->contentsRect().size()));
}

LetteraScreen::LetteraScreen(Program& program, QWidget* parent)
    : MissingLetterScreen(program, program.lettera(), parent)
    , m_ui(std::make_unique<Ui::lettera>())
{
    m_ui->setupUi(this);
    start(gather(*m_ui));
}

LetteraScreen::~LetteraScreen() = default;

Lettera1Screen::Lettera1Screen(Program& program, QWidget* parent)
    : MissingLetterScreen(program, program.lettera1(), parent)
    , m_ui(std::make_unique<Ui::lettera1>())
{
    m_ui->setupUi(this);
    start(gather(*m_ui));
}

Lettera1Screen::~Lettera1Screen() = default;

} // namespace tavenzo::ui
