#pragma once

#include "../core/fakes.h"
#include "app/program.h"
#include "core/random_source.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <memory>

#include <gtest/gtest.h>

namespace tavenzo::testing {

// A whole program wired to fakes: answers to message boxes and the file dialog are preset, sounds and beeps are
// recorded, chance is scripted (or, with a fallback, repeats one value).
struct ProgramBench {
    explicit ProgramBench(QString programFolder = QStringLiteral(TAVENZO_PROGRAM_DIR))
        : sounds(recorder)
        , beeper(recorder)
        , program(
              std::make_unique<Program>(programFolder, ProgramPorts {boxes, chooser, beeper, sounds, random, clock}))
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

inline void click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
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
