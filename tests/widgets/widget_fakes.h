#pragma once

#include "../core/fakes.h"
#include "app/program.h"
#include "core/random_source.h"
#include "ui/screens/word_drag.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <array>
#include <memory>

#include <gtest/gtest.h>

namespace tavenzo::testing {

// A whole program wired to fakes: answers to message boxes and the file dialog are preset, sounds and beeps are
// recorded, chance is scripted (or, with a fallback, repeats one value).
struct ProgramBench {
    // No teacher's folder unless a test gives one: the machine's own must not change what a test sees.
    explicit ProgramBench(QString programFolder = QStringLiteral(TAVENZO_PROGRAM_DIR),
        QString teacherFolder = QString(), ui::Presentation presentation = ui::Presentation())
        : sounds(recorder)
        , beeper(recorder)
        , program(std::make_unique<Program>(Paths(programFolder, teacherFolder),
              ProgramPorts {boxes, chooser, beeper, sounds, random, clock}, presentation))
    {
    }
    ~ProgramBench()
    {
        program.reset();
        QApplication::processEvents();
    }

    template<typename Screen> Screen* current() const { return qobject_cast<Screen*>(program->currentScreen()); }
    // The window of the exercise screen now open when it is that screen's, else null.
    QMainWindow* screen(ScreenId id) const
    {
        return program->currentScreenId() == id ? qobject_cast<QMainWindow*>(program->currentScreen()) : nullptr;
    }
    template<typename Model> Model& model(ScreenId screen) { return static_cast<Model&>(program->exercise(screen)); }

    // One six-choice exercise: the colour, slots 1..6 of a list of `words`, the right position.
    void scriptChoices(int position, int words = 6)
    {
        random.push({0.0});
        for (int s = 1; s <= 6; ++s) {
            random.pushSlot(s, words);
        }
        random.pushSlot(position, 6);
    }

    void setWords(const QStringList& words)
    {
        for (int i = 0; i < words.size(); ++i) {
            program->state().word(i + 1) = words.at(i);
        }
        program->state().NumeroParole = static_cast<qint16>(words.size());
    }

    Recorder recorder;
    FakeMessageBoxes boxes;
    FakeFileChooser chooser;
    FakeSoundPlayer sounds;
    FakeBeeper beeper;
    ScriptedRandom random;
    FakeClock clock;
    std::unique_ptr<Program> program;
};

// A control of a screen by its name in its form ("Command2", "EtichettaEsatti", "mnuEsci").
template<typename Control> Control* control(QObject* screen, const char* name)
{
    auto* found = screen->findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no control " << name;
    return found;
}

// A row of like controls of a form, by the name they share ("tastiera" gives tastiera_0, tastiera_1, ...).
template<typename Control, size_t N> std::array<Control*, N> controlsOf(const QObject* screen, const char* name)
{
    std::array<Control*, N> found {};
    for (size_t i = 0; i < N; ++i) {
        found[i] = screen->findChild<Control*>(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
        EXPECT_NE(found[i], nullptr) << "no control " << name << "_" << i;
    }
    return found;
}

// The rows of controls the tests press, drag onto and look at.
inline std::array<QPushButton*, 21> keysOf(const QObject* screen)
{
    return controlsOf<QPushButton, 21>(screen, "tastiera");
}
inline std::array<QLabel*, 6> choicesOf(const QObject* screen)
{
    const bool pictures = screen->objectName() == QStringLiteral("disegni");
    return controlsOf<QLabel, 6>(screen, pictures ? "Image1" : "Label1");
}
inline std::array<QLabel*, 4> imagesOf(const QObject* splash)
{
    return controlsOf<QLabel, 4>(splash, "Image1");
}
inline std::array<QLabel*, 3> wordsOf(const QObject* screen)
{
    return controlsOf<QLabel, 3>(screen, "Label1");
}
inline std::array<QLabel*, 3> boxesOf(const QObject* screen)
{
    return controlsOf<QLabel, 3>(screen, "Label2");
}
inline std::array<QLabel*, 3> picturesOf(const QObject* screen)
{
    return controlsOf<QLabel, 3>(screen, "Image1");
}
inline QTimer& timerOf(const QObject* screen)
{
    auto* timer = screen->findChild<QTimer*>(QStringLiteral("Timer1"));
    EXPECT_NE(timer, nullptr) << "no Timer1";
    return *timer;
}

// Carries a dragged word the way the window system does: enter, move and drop at one point of the window, so the
// window itself finds the control under the pointer. Answers whether the drop was taken.
inline bool dropWordAt(QWidget* over, QPoint local, int word)
{
    QWidget* window = over->window();
    QWindow* handle = window->windowHandle();
    const QPointF at = over->mapTo(window, local);
    const std::unique_ptr<QMimeData> data(ui::WordDrag::mimeData(word));
    QDragEnterEvent enter(at.toPoint(), Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &enter);
    QDragMoveEvent move(at.toPoint(), Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &move);
    QDropEvent drop(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &drop);
    return drop.isAccepted();
}

// The same three events sent to the control itself.
inline bool dropStraightOnto(QWidget* box, int word)
{
    const std::unique_ptr<QMimeData> data(ui::WordDrag::mimeData(word));
    const QPoint at = box->rect().center();
    QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &enter);
    QDragMoveEvent move(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &move);
    QDropEvent drop(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &drop);
    return enter.isAccepted() && move.isAccepted() && drop.isAccepted();
}

inline bool dropWordOn(QWidget* over, int word)
{
    return dropWordAt(over, over->rect().center(), word);
}

inline void click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// A double click as the window system delivers it to a widget: a click, then a press reported as a double click and
// its release.
inline void doubleClick(QWidget* widget)
{
    const QPoint at = widget->rect().center();
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

// Starts the program and clicks the given splash picture; the menu it opens, or null.
template<typename Splash, typename Menu> Menu* startToMenu(ProgramBench& bench, int picture)
{
    bench.program->start();
    bench.program->started();
    auto* splash = bench.current<Splash>();
    if (splash == nullptr) {
        return nullptr;
    }
    click(imagesOf(splash)[static_cast<size_t>(picture)]);
    return bench.current<Menu>();
}

} // namespace tavenzo::testing
