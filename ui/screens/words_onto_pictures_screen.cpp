#include "ui/screens/words_onto_pictures_screen.h"

#include "exercises/pictures/words_onto_pictures_exercise.h"
#include "ui/glue/fitted_text.h"
#include "ui/glue/picture_loader.h"
#include "ui/glue/presentation.h"
#include "ui_disegni1.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTouchEvent>

#include <utility>

namespace tavenzo::ui {

namespace {

// Left edges of the three columns the word labels stand in.
constexpr std::array<int, WordsOntoPicturesExercise::kWords> kColumnX {14, 224, 434};

template<typename Widgets> int indexOf(const Widgets& widgets, const QObject* object)
{
    for (size_t i = 0; i < widgets.size(); ++i) {
        if (widgets[i] == object) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

WordsOntoPicturesScreen::WordsOntoPicturesScreen(
    const ScreenContext& context, WordsOntoPicturesExercise& model, QWidget* parent)
    : QMainWindow(parent)
    , m_context(context)
    , m_model(model)
    , m_ui(std::make_unique<Ui::DISEGNI1>())
{
    m_ui->setupUi(this);
    setUpExerciseWindow(this);
    setUpAvanti(m_ui->Command1);
    m_pictures = {m_ui->Image1_0, m_ui->Image1_1, m_ui->Image1_2};
    m_boxes = {m_ui->Label2_0, m_ui->Label2_1, m_ui->Label2_2};
    m_words = {m_ui->Label1_0, m_ui->Label1_1, m_ui->Label1_2};
    m_frameWidgets.avanti = m_ui->Command1;
    // Only the boxes take drops; anywhere else a released word simply goes back.
    for (QLabel* box : m_boxes) {
        box->setAcceptDrops(true);
        box->installEventFilter(this);
    }
    for (QLabel* word : m_words) {
        word->installEventFilter(this);
        word->setAttribute(Qt::WA_AcceptTouchEvents);
    }

    const auto show = [this] { render(); };
    connectFrameCommands(this, m_context, m_model, m_ui->Command1, m_ui->mnuAzzera, m_ui->mnuEsci, show);
    connect(m_ui->mnuEsercizi, &QAction::triggered, this, [this] { m_model.showSummary(m_context.boxes); });
    onCommand(
        this, m_ui->mnuMaiuscolo, &QAction::triggered, [this] { m_model.ScriviMaiuscolo(); }, show);
    onCommand(
        this, m_ui->mnuMinuscolo, &QAction::triggered, [this] { m_model.ScriviMinuscolo(); }, show);

    present(this, {638, 480}, m_context.presentation);
    m_model.open();
    render();
}

WordsOntoPicturesScreen::~WordsOntoPicturesScreen() = default;

QString WordsOntoPicturesScreen::wordMimeType()
{
    return QStringLiteral("application/x-tavenzo-word");
}

QMimeData* WordsOntoPicturesScreen::wordMimeData(int word)
{
    auto* data = new QMimeData;
    data->setData(wordMimeType(), QByteArray::number(word));
    return data;
}

int WordsOntoPicturesScreen::draggedWord(const QMimeData* data)
{
    if (data == nullptr || !data->hasFormat(wordMimeType())) {
        return -1;
    }
    bool ok = false;
    const int word = data->data(wordMimeType()).toInt(&ok);
    return ok && word >= 0 && word < WordsOntoPicturesExercise::kWords ? word : -1;
}

bool WordsOntoPicturesScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (const int word = indexOf(m_words, watched); word >= 0) {
        return wordEvent(word, event) || QMainWindow::eventFilter(watched, event);
    }
    if (const int box = indexOf(m_boxes, watched); box >= 0) {
        return boxEvent(box, event) || QMainWindow::eventFilter(watched, event);
    }
    return QMainWindow::eventFilter(watched, event);
}

bool WordsOntoPicturesScreen::wordEvent(int word, QEvent* event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        return touchEvent(word, event);
    // A press right after a click on the word comes as a double click; it starts a drag all the same.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && m_words[static_cast<size_t>(word)]->isEnabled()) {
            m_pressedWord = word;
            m_pressPosition = mouse->position().toPoint();
            return true;
        }
        return false;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_pressedWord == word && (mouse->buttons() & Qt::LeftButton) != 0
            && (mouse->position().toPoint() - m_pressPosition).manhattanLength() >= QApplication::startDragDistance()) {
            m_pressedWord = -1;
            startDrag(word);
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonRelease:
        m_pressedWord = -1;
        return false;
    default:
        return false;
    }
}

bool WordsOntoPicturesScreen::touchEvent(int word, QEvent* event)
{
    auto* touch = static_cast<QTouchEvent*>(event);
    QLabel* label = m_words[static_cast<size_t>(word)];
    if (touch->points().isEmpty()) {
        return true;
    }
    const QPoint at = touch->points().constFirst().position().toPoint();
    switch (event->type()) {
    case QEvent::TouchBegin:
        m_touchedWord = label->isEnabled() ? word : -1;
        m_pressPosition = at;
        event->setAccepted(m_touchedWord >= 0);
        return true;
    case QEvent::TouchUpdate:
        if (m_touchedWord == word && m_fingerImage == nullptr
            && (at - m_pressPosition).manhattanLength() >= QApplication::startDragDistance()) {
            m_fingerImage = new QLabel(centralWidget());
            m_fingerImage->setPixmap(label->grab());
            m_fingerImage->setAttribute(Qt::WA_TransparentForMouseEvents);
            m_fingerImage->resize(label->size());
            m_fingerImage->show();
        }
        if (m_fingerImage != nullptr) {
            m_fingerImage->move(label->mapTo(centralWidget(), at - m_pressPosition));
            m_fingerImage->raise();
        }
        return true;
    default: {
        const bool dragged = m_fingerImage != nullptr;
        delete m_fingerImage;
        m_fingerImage = nullptr;
        const int touched = std::exchange(m_touchedWord, -1);
        if (event->type() == QEvent::TouchEnd && dragged && touched == word) {
            const QPoint inWindow = touch->points().constFirst().scenePosition().toPoint();
            if (const int box = boxAt(inWindow); box >= 0) {
                dropOn(box, word);
            }
        }
        return true;
    }
    }
}

int WordsOntoPicturesScreen::boxAt(QPoint inWindow) const
{
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes[i]->rect().contains(m_boxes[i]->mapFrom(this, inWindow))) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void WordsOntoPicturesScreen::dropOn(int box, int word)
{
    m_model.drop(box, word);
    render();
}

bool WordsOntoPicturesScreen::boxEvent(int box, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (draggedWord(drag->mimeData()) >= 0) {
            drag->acceptProposedAction();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const int word = draggedWord(drop->mimeData());
        if (word < 0) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        dropOn(box, word);
        return true;
    }
    default:
        return false;
    }
}

void WordsOntoPicturesScreen::startDrag(int word)
{
    QLabel* label = m_words[static_cast<size_t>(word)];
    auto* drag = new QDrag(label);
    drag->setMimeData(wordMimeData(word));
    // The child sees the word itself travel under the pointer; the label stays where it is.
    drag->setPixmap(label->grab());
    drag->setHotSpot(m_pressPosition);
    drag->exec(Qt::MoveAction);
}

void WordsOntoPicturesScreen::render()
{
    const WordsOntoPicturesExercise& model = m_model;
    renderFrame(model.frame(), m_frameWidgets, centralWidget());
    std::vector<std::pair<QLabel*, QString>> pictures;
    for (int n = 0; n < WordsOntoPicturesExercise::kWords; ++n) {
        pictures.emplace_back(m_pictures[static_cast<size_t>(n)], model.picture(n));
    }
    m_context.pictures.showInEach(pictures);
    const Stage stage = Stage::of(this);
    for (int n = 0; n < WordsOntoPicturesExercise::kWords; ++n) {
        const auto i = static_cast<size_t>(n);
        showFitted(m_boxes[i], model.boxText(n));
        QLabel* word = m_words[i];
        showFitted(word, model.wordText(n));
        word->setEnabled(model.wordEnabled(n));
        word->move(stage.point({kColumnX.at(static_cast<size_t>(model.column(n))), 0}).x(), word->y());
    }
    m_ui->mnuMaiuscolo->setChecked(model.Maiuscolo());
    m_ui->mnuMinuscolo->setChecked(!model.Maiuscolo());
}

} // namespace tavenzo::ui
