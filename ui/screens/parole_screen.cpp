#include "ui/screens/parole_screen.h"

#include "ui/glue/program.h"
#include "ui_parole.h"

#include <QMouseEvent>

namespace tavenzo::ui {

namespace {
const QString kWordStyle = QStringLiteral("background-color: #ffffff; color: #000000;");
const QString kMarkedStyle = QStringLiteral("background-color: #ff0000; color: #000000;");
} // namespace

ParoleScreen::ParoleScreen(Program& program, QWidget* parent)
    : QMainWindow(parent)
    , m_program(program)
    , m_ui(std::make_unique<Ui::parole>())
{
    m_ui->setupUi(this);
    fixClientSize(this, 672, 502);
    setUpAvanti(m_ui->Command1);
    m_words = {m_ui->Label1_0, m_ui->Label1_1, m_ui->Label1_2, m_ui->Label1_3, m_ui->Label1_4, m_ui->Label1_5};
    m_frameWidgets = frameWidgetsOf(*m_ui);
    for (QLabel* word : m_words) {
        word->installEventFilter(this);
    }

    ChoiceExercise& model = m_program.parole();
    const auto show = [this] { render(); };
    connectFrameCommands(this, m_program, model, m_ui->Command1, m_ui->mnuAzzera, m_ui->mnuEsci, show);
    connectCaseChoice(this, model, m_ui->Option1, m_ui->Option2, &QRadioButton::clicked, show);

    model.open();
    m_ui->Option1->setChecked(true);
    render();
}

ParoleScreen::~ParoleScreen() = default;

bool ParoleScreen::eventFilter(QObject* watched, QEvent* event)
{
    const int index = releasedOn(watched, event, m_words);
    if (index >= 0) {
        m_program.parole().choose(index);
        render();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void ParoleScreen::render()
{
    const ChoiceExercise& model = m_program.parole();
    renderFrame(model.frame(), m_frameWidgets, centralWidget());
    for (size_t i = 0; i < m_words.size(); ++i) {
        QLabel* word = m_words[i];
        word->setText(model.choiceText(static_cast<int>(i)));
        word->setEnabled(model.choicesEnabled());
        word->setStyleSheet(model.markedChoice() == static_cast<int>(i) ? kMarkedStyle : kWordStyle);
    }
    m_ui->Image1->setPixmap(m_program.pictureLoader().load(model.rightPicture(), m_ui->Image1->contentsRect().size()));
}

} // namespace tavenzo::ui
