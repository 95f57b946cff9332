// Drives the real screens through Program with silent ports and a seeded random source, and times what a child
// waits for:
//   new exercise  the right answer is clicked (not timed), then "avanti" is clicked and the events it posts are
//                 delivered: the model's new-item procedure, the picture loads and scaling, render and the paint of
//                 everything that changed;
//   open          Program::open(screen) from the menu until the new window has been painted once: the window built
//                 from its form, the first exercise and the first paint.
// With --memory it instead visits every screen in rounds and prints the resident set after each round.
// With --schermo-intero the screens are shown as the program's full-screen mode shows them: each covering the
// primary screen, its layout scaled to fit.
//
// A screen is added with one row of kScreens.
//
//   tavenzo_screen_bench [--list bundled|500] [--exercises N] [--opens N] [--memory ROUNDS] [--schermo-intero]

#include "app/program.h"
#include "bench/bench_support.h"
#include "core/shared_state.h"
#include "exercises/letters/missing_letter_exercise.h"
#include "exercises/letters/spell_word_exercise.h"
#include "exercises/pictures/choice_exercise.h"
#include "exercises/pictures/words_onto_pictures_exercise.h"
#include "ui/glue/presentation.h"
#include "ui/glue/toolkit_setup.h"
#include "ui/screens/spell_word_screen.h"
#include "ui/screens/word_drag.h"
#include "ui/screens/words_onto_pictures_screen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QScreen>
#include <QStyleHints>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <vector>

using namespace tavenzo;
using namespace tavenzo::bench;

namespace {

// What a row's right answer can reach: the program, the open screen and the clock the spelling wait reads.
struct Context {
    Program& program;
    QWidget* screen;
    StillClock& clock;
};

struct ScreenRow {
    ScreenId id;
    const char* name;
    // Answers the exercise on view right through the screen's own controls, so that avanti is enabled.
    std::function<void(Context&)> answerRight;
};

QWidget* control(const Context& c, const QString& name)
{
    auto* widget = c.screen->findChild<QWidget*>(name);
    if (widget == nullptr) {
        qFatal("no control %s", qPrintable(name));
    }
    return widget;
}

void click(const Context& c, const QString& name)
{
    QWidget* widget = control(c, name);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// The key that carries a letter; -1 when the keyboard has none.
int keyFor(const Keyboard& keyboard, const QString& letter)
{
    for (int k = 0; k < Keyboard::kKeys; ++k) {
        if (keyboard.Alfabeto(k + 1) == letter) {
            return k;
        }
    }
    return -1;
}

void pressLetter(const Context& c, const Keyboard& keyboard, const QString& letter)
{
    const int key = keyFor(keyboard, letter);
    if (key < 0) {
        qFatal("no key for %s: the bench lists hold keyboard letters only", qPrintable(letter));
    }
    click(c, QStringLiteral("tastiera_%1").arg(key));
}

// A word carried onto a box the way the window system delivers a drop: enter, move and drop on the window.
void dropWord(const Context& c, int word, int box)
{
    QWidget* target = control(c, QStringLiteral("Label2_%1").arg(box));
    const QPoint at = target->mapTo(c.screen, target->rect().center());
    const std::unique_ptr<QMimeData> data(ui::WordDrag::mimeData(word));
    QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(c.screen->windowHandle(), &enter);
    QDragMoveEvent move(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(c.screen->windowHandle(), &move);
    QDropEvent drop(QPointF(at), Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(c.screen->windowHandle(), &drop);
}

template<typename Model> Model& model(Context& c, ScreenId screen)
{
    return static_cast<Model&>(c.program.exercise(screen));
}

const ScreenRow kScreens[] = {
    {ScreenId::MissingFirstLetter, "lettera1",
        [](Context& c) {
            pressLetter(c, model<MissingLetterExercise>(c, ScreenId::MissingFirstLetter).keyboard(),
                model<MissingLetterExercise>(c, ScreenId::MissingFirstLetter).LetteraNascosta());
        }},
    {ScreenId::MissingInnerLetter, "lettera",
        [](Context& c) {
            pressLetter(c, model<MissingLetterExercise>(c, ScreenId::MissingInnerLetter).keyboard(),
                model<MissingLetterExercise>(c, ScreenId::MissingInnerLetter).LetteraNascosta());
        }},
    {ScreenId::SpellWord, "lettere",
        [](Context& c) {
            const auto& spell = model<SpellWordExercise>(c, ScreenId::SpellWord);
            for (const QChar letter : c.program.state().word(spell.IndiceParola())) {
                pressLetter(c, spell.keyboard(), QString(letter));
            }
            // The completed word counts after a pause: the clock passes it and the running timer fires at once.
            c.clock.now += SpellWordExercise::kWait + 1;
            QTimer& timer = *c.screen->findChild<QTimer*>(QStringLiteral("Timer1"));
            QTimerEvent tick(timer.timerId());
            QCoreApplication::sendEvent(&timer, &tick);
        }},
    {ScreenId::WordForPicture, "parole",
        [](Context& c) {
            click(c,
                QStringLiteral("Label1_%1")
                    .arg(model<ChoiceExercise>(c, ScreenId::WordForPicture).PosizioneGiusta() - 1));
        }},
    {ScreenId::PictureForWord, "disegni",
        [](Context& c) {
            click(c,
                QStringLiteral("Image1_%1")
                    .arg(model<ChoiceExercise>(c, ScreenId::PictureForWord).PosizioneGiusta() - 1));
        }},
    {ScreenId::WordsOntoPictures, "DISEGNI1",
        [](Context& c) {
            for (int word = 0; word < WordsOntoPicturesExercise::kWords; ++word) {
                dropWord(c, word, word);
            }
        }},
};

// Counts the paint events that reach one window and its children.
class PaintWatch final : public QObject {
public:
    PaintWatch() { QCoreApplication::instance()->installEventFilter(this); }
    void watch(QWidget* window)
    {
        m_window = window;
        paints = 0;
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_window != nullptr) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget != nullptr && widget->window() == m_window) {
                ++paints;
            }
        }
        return false;
    }
    int paints = 0;

private:
    QPointer<QWidget> m_window;
};

struct Ports {
    YesBoxes boxes;
    NoChooser chooser;
    SilentBeeper beeper;
    SilentSounds sounds;
    SeededRandom random;
    StillClock clock;
};

struct Stats {
    double p50 = 0;
    double p95 = 0;
    double max = 0;
};

Stats statsOf(std::vector<double> samples)
{
    Stats s;
    s.p50 = percentile(samples, 0.50);
    s.p95 = percentile(samples, 0.95);
    s.max = samples.empty() ? 0 : samples.back();
    return s;
}

// Lets closed screens go and pending layouts and paints happen, outside any timing.
void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Runs the event loop until the watched window has been painted, at most two seconds.
bool waitForPaint(PaintWatch& watch)
{
    QElapsedTimer guard;
    guard.start();
    QTimer wake;
    wake.start(5);
    while (watch.paints == 0 && guard.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return watch.paints > 0;
}

double elapsedMs(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

class ScreenBench {
public:
    ScreenBench(const QString& folder, bool fullScreen)
        : m_program(Paths(folder, QString()),
            {m_ports.boxes, m_ports.chooser, m_ports.beeper, m_ports.sounds, m_ports.random, m_ports.clock},
            ui::Presentation(fullScreen))
    {
        m_program.start();
        settle();
        m_program.open(ScreenId::Menu);
        settle();
    }

    int words() { return m_program.state().NumeroParole; }

    // Opening from the menu until painted; ends back on the menu.
    double open(const ScreenRow& row)
    {
        QElapsedTimer timer;
        timer.start();
        m_program.open(row.id);
        const double built = elapsedMs(timer);
        m_watch.watch(m_program.currentScreen());
        const bool painted = waitForPaint(m_watch);
        const double ms = elapsedMs(timer);
        if (qEnvironmentVariableIsSet("BENCH_TRACE")) {
            std::fprintf(stderr, "open %s built %.3f painted %.3f factor %.3f\n", row.name, built, ms,
                ui::stageOf(m_program.currentScreen()).factor);
        }
        if (!painted || m_program.currentScreenId() != row.id) {
            qFatal("%s did not open and paint", row.name);
        }
        settle();
        m_program.open(ScreenId::Menu);
        settle();
        return ms;
    }

    // An empty window shown the way Program shows a screen, until it has been painted once: what the toolkit and the
    // display need for any opening, before a screen's own work. Ends back on the menu, which stayed open.
    double openEmpty(bool fullScreen)
    {
        QElapsedTimer timer;
        timer.start();
        auto* window = new QWidget;
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (fullScreen) {
            QScreen* screen = QGuiApplication::primaryScreen();
            window->setScreen(screen);
            window->setGeometry(screen->geometry());
            window->showFullScreen();
        } else {
            window->setFixedSize(672, 502);
            window->show();
        }
        m_watch.watch(window);
        const bool painted = waitForPaint(m_watch);
        const double ms = elapsedMs(timer);
        if (!painted) {
            qFatal("the empty window was not painted");
        }
        window->close();
        settle();
        return ms;
    }

    // New exercises on an open screen: answer right (not timed), then avanti and the events it posts.
    std::vector<double> newExercises(const ScreenRow& row, int count)
    {
        m_program.open(row.id);
        settle();
        QWidget* screen = m_program.currentScreen();
        auto* avanti = screen->findChild<QAbstractButton*>(QStringLiteral("Command1"));
        if (avanti == nullptr) {
            qFatal("%s has no avanti button", row.name);
        }
        std::vector<double> samples;
        samples.reserve(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            Context context {m_program, screen, m_ports.clock};
            row.answerRight(context);
            settle();
            if (!avanti->isEnabled()) {
                qFatal("%s: avanti is not enabled after the right answer", row.name);
            }
            m_watch.watch(screen);
            QElapsedTimer timer;
            timer.start();
            avanti->click();
            const double clicked = elapsedMs(timer);
            // Among the posted events is the update request, whose paint is what the child sees.
            QCoreApplication::sendPostedEvents();
            // On a busy machine the update request can come on the toolkit's timer instead, after the posted events;
            // the child waits for that paint too.
            if (m_watch.paints == 0) {
                waitForPaint(m_watch);
            }
            samples.push_back(elapsedMs(timer));
            if (qEnvironmentVariableIsSet("BENCH_TRACE")) {
                std::fprintf(stderr, "%s %d clicked %.3f painted %.3f paints %d\n", row.name, i, clicked,
                    samples.back(), m_watch.paints);
            }
            if (m_watch.paints == 0) {
                qFatal("%s: the new exercise was not painted", row.name);
            }
        }
        m_program.open(ScreenId::Menu);
        settle();
        return samples;
    }

private:
    Ports m_ports;
    Program m_program;
    PaintWatch m_watch;
};

int intArg(const QStringList& args, const QString& name, int fallback)
{
    const qsizetype at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args.at(at + 1).toInt() : fallback;
}

QString stringArg(const QStringList& args, const QString& name)
{
    const qsizetype at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args.at(at + 1) : QString();
}

// How the screens are shown: "window", or "full screen" and the size of the screen they cover.
QString modeName(bool fullScreen)
{
    if (!fullScreen) {
        return QStringLiteral("window");
    }
    const QSize size = QGuiApplication::primaryScreen()->geometry().size();
    return QStringLiteral("full screen %1x%2").arg(size.width()).arg(size.height());
}

void runTimings(const QString& listName, const QString& folder, bool fullScreen, int exercises, int opens)
{
    ScreenBench bench(folder, fullScreen);
    const QString platform = QGuiApplication::platformName();
    const QString mode = modeName(fullScreen);
    for (const ScreenRow& row : kScreens) {
        const Stats next = statsOf(bench.newExercises(row, exercises));
        std::vector<double> openSamples;
        for (int i = 0; i < opens; ++i) {
            openSamples.push_back(bench.open(row));
        }
        const Stats open = statsOf(openSamples);
        std::printf("| %s | %s | %s (%d) | %s | %.2f | %.2f | %.2f | %.2f | %.2f | %.2f |\n", qPrintable(platform),
            qPrintable(mode), qPrintable(listName), bench.words(), row.name, next.p50, next.p95, next.max, open.p50,
            open.p95, open.max);
        std::fflush(stdout);
    }
    std::vector<double> emptySamples;
    for (int i = 0; i < opens; ++i) {
        emptySamples.push_back(bench.openEmpty(fullScreen));
    }
    const Stats empty = statsOf(emptySamples);
    std::printf("| %s | %s | %s (%d) | (empty window) | - | - | - | %.2f | %.2f | %.2f |\n", qPrintable(platform),
        qPrintable(mode), qPrintable(listName), bench.words(), empty.p50, empty.p95, empty.max);
    std::fflush(stdout);
}

void runMemory(const QString& listName, const QString& folder, bool fullScreen, int rounds)
{
    ScreenBench bench(folder, fullScreen);
    std::vector<long> rss;
    for (int round = 1; round <= rounds; ++round) {
        for (const ScreenRow& row : kScreens) {
            bench.newExercises(row, 5);
        }
        settle();
        rss.push_back(residentKib());
        if (qEnvironmentVariableIsSet("BENCH_TRACE")) {
            std::fprintf(stderr, "round %d: %s\n", round, residentParts().c_str());
        }
    }
    std::printf("| %s | %s | %s (%d) | %d |", qPrintable(QGuiApplication::platformName()),
        qPrintable(modeName(fullScreen)), qPrintable(listName), bench.words(), rounds);
    for (size_t i = 0; i < rss.size(); ++i) {
        std::printf(" %.1f", static_cast<double>(rss[i]) / 1024.0);
    }
    const double growth = rss.size() >= 2 ? static_cast<double>(rss.back() - rss.at(1)) / 1024.0 : 0;
    std::printf(" | %.1f | %.1f |\n", growth, static_cast<double>(privateKib()) / 1024.0);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // As the program itself starts.
    ui::registerResources();
    QApplication app(argc, argv);
    ui::setUpToolkit(app);
    // A new screen ignores presses for the double-click interval, and the bench answers at once: as in the widget
    // tests the interval is 0, which leaves what is timed (building, drawing, painting) as it is.
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(0);

    const QStringList args = app.arguments();
    const QString only = stringArg(args, QStringLiteral("--list"));
    const int exercises = intArg(args, QStringLiteral("--exercises"), 200);
    const int opens = intArg(args, QStringLiteral("--opens"), 40);
    const int memoryRounds = intArg(args, QStringLiteral("--memory"), 0);
    const bool fullScreen = args.contains(QStringLiteral("--schermo-intero"));

    std::unique_ptr<GeneratedProgramFolder> generated;
    std::vector<std::pair<QString, QString>> lists;
    if (only.isEmpty() || only == QStringLiteral("bundled")) {
        lists.emplace_back(QStringLiteral("bundled"), QStringLiteral(TAVENZO_PROGRAM_DIR));
    }
    if (only.isEmpty() || only == QStringLiteral("500")) {
        generated = std::make_unique<GeneratedProgramFolder>(kMaxWords, kGeneratedPictureSide);
        if (!generated->isValid()) {
            qFatal("cannot write the generated program folder");
        }
        lists.emplace_back(QStringLiteral("500 words, %1x%1").arg(kGeneratedPictureSide), generated->path());
    }

    for (const auto& [name, folder] : lists) {
        if (memoryRounds > 0) {
            runMemory(name, folder, fullScreen, memoryRounds);
        } else {
            runTimings(name, folder, fullScreen, exercises, opens);
        }
    }
    return 0;
}
