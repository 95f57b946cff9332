#pragma once

#include "../core/fakes.h"
#include "app/program.h"
#include "core/random_source.h"
#include "ui/screens/words_onto_pictures_screen.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QWindow>

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

// A control of a screen by its name in the screen tables ("Command2", "EtichettaEsatti", "mnuEsci").
template<typename Control> Control* control(QObject* screen, const char* name)
{
    auto* found = screen->findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no control " << name;
    return found;
}

// Carries a dragged word the way the window system does: enter, move and drop at one point of the window, so the
// window itself finds the control under the pointer. Answers whether the drop was taken.
inline bool dropWordAt(QWidget* over, QPoint local, int word)
{
    QWidget* window = over->window();
    QWindow* handle = window->windowHandle();
    const QPointF at = over->mapTo(window, local);
    const std::unique_ptr<QMimeData> data(ui::WordsOntoPicturesScreen::wordMimeData(word));
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
    const std::unique_ptr<QMimeData> data(ui::WordsOntoPicturesScreen::wordMimeData(word));
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
    auto* splash = bench.current<Splash>();
    if (splash == nullptr) {
        return nullptr;
    }
    click(splash->images()[static_cast<size_t>(picture)]);
    return bench.current<Menu>();
}

} // namespace tavenzo::testing
