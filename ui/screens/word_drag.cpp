#include "ui/screens/word_drag.h"

#include "exercises/pictures/words_onto_pictures_exercise.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QTouchEvent>

#include <utility>

namespace tavenzo::ui {

namespace {

int indexOf(const WordDrag::Labels& labels, const QObject* object)
{
    for (size_t i = 0; i < labels.size(); ++i) {
        if (labels[i] == object) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

WordDrag::WordDrag(QWidget* client, const Labels& words, const Labels& boxes, std::function<void(int, int)> dropped)
    : QObject(client)
    , m_client(client)
    , m_words(words)
    , m_boxes(boxes)
    , m_dropped(std::move(dropped))
{
    // Only the boxes take drops; anywhere else a released word simply goes back.
    for (QLabel* box : m_boxes) {
        box->setAcceptDrops(true);
        box->installEventFilter(this);
    }
    for (QLabel* word : m_words) {
        word->installEventFilter(this);
        word->setAttribute(Qt::WA_AcceptTouchEvents);
    }
}

QString WordDrag::mimeType()
{
    return QStringLiteral("application/x-tavenzo-word");
}

QMimeData* WordDrag::mimeData(int word)
{
    auto* data = new QMimeData;
    data->setData(mimeType(), QByteArray::number(word));
    return data;
}

int WordDrag::draggedWord(const QMimeData* data)
{
    if (data == nullptr || !data->hasFormat(mimeType())) {
        return -1;
    }
    bool ok = false;
    const int word = data->data(mimeType()).toInt(&ok);
    return ok && word >= 0 && word < WordsOntoPicturesExercise::kWords ? word : -1;
}

bool WordDrag::eventFilter(QObject* watched, QEvent* event)
{
    if (const int word = indexOf(m_words, watched); word >= 0) {
        return wordEvent(word, event);
    }
    if (const int box = indexOf(m_boxes, watched); box >= 0) {
        return boxEvent(box, event);
    }
    return false;
}

bool WordDrag::wordEvent(int word, QEvent* event)
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

bool WordDrag::touchEvent(int word, QEvent* event)
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
            m_fingerImage = new QLabel(m_client);
            m_fingerImage->setPixmap(label->grab());
            m_fingerImage->setAttribute(Qt::WA_TransparentForMouseEvents);
            m_fingerImage->resize(label->size());
            m_fingerImage->show();
        }
        if (m_fingerImage != nullptr) {
            m_fingerImage->move(label->mapTo(m_client, at - m_pressPosition));
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
                m_dropped(box, word);
            }
        }
        return true;
    }
    }
}

int WordDrag::boxAt(QPoint inWindow) const
{
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes[i]->rect().contains(m_boxes[i]->mapFrom(m_client->window(), inWindow))) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool WordDrag::boxEvent(int box, QEvent* event)
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
        m_dropped(box, word);
        return true;
    }
    default:
        return false;
    }
}

void WordDrag::startDrag(int word)
{
    QLabel* label = m_words[static_cast<size_t>(word)];
    auto* drag = new QDrag(label);
    drag->setMimeData(mimeData(word));
    // The child sees the word itself travel under the pointer; the label stays where it is.
    drag->setPixmap(label->grab());
    drag->setHotSpot(m_pressPosition);
    drag->exec(Qt::MoveAction);
}

} // namespace tavenzo::ui
