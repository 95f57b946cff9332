#include "ui/screens/disegni_screen.h"

#include "ui/glue/program.h"
#include "ui_disegni.h"

#include <QMouseEvent>

namespace tavenzo::ui {

namespace {
constexpr int kWordPoints = 18;
} // namespace

DisegniScreen::DisegniScreen(Program& program, QWidget* parent)
    : QMainWindow(parent)
    , m_program(program)
    , m_ui(std::make_unique<Ui::disegni>())
{
    m_ui->setupUi(this);
    fixClientSize(this, 640, 480);
    setUpAvanti(m_ui->Command1);
    m_pictures = {m_ui->Image1_0, m_ui->Image1_1, m_ui->Image1_2, m_ui->Image1_3, m_ui->Image1_4, m_ui->Image1_5};
    m_frameWidgets = frameWidgetsOf(*m_ui);
    for (QLabel* picture : m_pictures) {
        picture->installEventFilter(this);
    }
    // The marker is drawn over the pictures as an outline only, so the right picture stays in view.
    m_ui->Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_ui->Shape1->raise();

    ChoiceExercise& model = m_program.disegni();
    const auto show = [this] { render(); };
    connectFrameCommands(this, m_program, model, m_ui->Command1, m_ui->mnuAzzera, m_ui->mnuEsci, show);
    connectCaseChoice(this, model, m_ui->Option1, m_ui->Option2, &QRadioButton::clicked, show);

    model.open();
    m_ui->Option1->setChecked(true);
    render();
}

DisegniScreen::~DisegniScreen() = default;

bool DisegniScreen::eventFilter(QObject* watched, QEvent* event)
{
    const int index = releasedOn(watched, event, m_pictures);
    if (index >= 0) {
        m_program.disegni().choose(index);
        render();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void DisegniScreen::render()
{
    const ChoiceExercise& model = m_program.disegni();
    renderFrame(model.frame(), m_frameWidgets, centralWidget());
    for (size_t i = 0; i < m_pictures.size(); ++i) {
        QLabel* picture = m_pictures[i];
        picture->setPixmap(
            m_program.pictureLoader().load(model.choicePicture(static_cast<int>(i)), picture->contentsRect().size()));
        picture->setEnabled(model.choicesEnabled());
    }
    QFont font = m_ui->testo->font();
    font.setFamily(QStringLiteral("MS Sans Serif"));
    font.setPointSize(kWordPoints);
    font.setBold(true);
    m_ui->testo->setFont(font);
    m_ui->testo->setText(model.testo());

    const int marked = model.markedChoice();
    if (marked >= 0) {
        // The marker keeps its own size wherever it goes; only its corner follows the picture.
        m_ui->Shape1->move(m_pictures[static_cast<size_t>(marked)]->pos());
    }
    m_ui->Shape1->setVisible(marked >= 0);
}

} // namespace tavenzo::ui
