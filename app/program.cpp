#include "app/program.h"

#include "core/startup.h"
#include "exercises/frame/exercise_frame.h"
#include "ui/glue/clicks.h"
#include "ui/screens/exercise_registry.h"
#include "ui/screens/menu_screen.h"
#include "ui/screens/splash_screen.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPixmapCache>
#include <QScreen>

namespace tavenzo {

Program::Program(Paths paths, ProgramPorts ports, ui::Presentation presentation, QObject* parent)
    : QObject(parent)
    , m_paths(std::move(paths))
    , m_ports(ports)
    , m_feedback(ports.sounds, ports.beeper, ports.random, m_paths.soundFolder())
    , m_list(m_state, m_paths, ports.boxes, m_pictureCheck)
    , m_presentation(presentation)
    , m_context {*this, ports.boxes, m_pictureLoader, m_presentation}
    , m_menu(m_state, m_paths, m_list, m_feedback)
{
    if (ports.voice) {
        m_voice = std::make_unique<WordVoice>(
            ports.voice->bank, m_list.voices(), ports.voice->decoder, ports.voice->synthesiser);
        m_feedback.setSpeaker(m_voice.get());
        m_list.setWordsSpoken(true);
    }
    const ExerciseServices services {m_state, ports.random, m_feedback, m_list.pictures(), ports.clock};
    for (const ExerciseScreen& row : kExerciseScreens) {
        const auto maker = ui::exerciseMakers().find(row.id);
        Q_ASSERT(maker != ui::exerciseMakers().end());
        m_exercises.emplace(row.id, maker->second.model(services));
    }
    // F11 reaches the program whichever control of its screen would take the key.
    QCoreApplication::instance()->installEventFilter(this);
}

Program::~Program()
{
    // A screen talks to its model until it is gone, and a screen just closed is deleted only by the event loop: both go
    // now, while the models are still there.
    for (const QPointer<QWidget>& closed : m_closed) {
        delete closed.data();
    }
    delete m_current.data();
}

void Program::start()
{
    Main(m_state, m_ports.random, m_list, m_paths);
    open(ScreenId::Splash);
}

void Program::started()
{
    startupReport(m_list, m_paths);
}

QWidget* Program::createScreen(ScreenId screen)
{
    switch (screen) {
    case ScreenId::Splash:
        return new ui::SplashScreen(m_context, m_state, m_ports.random);
    case ScreenId::Menu:
        return new ui::MenuScreen(m_context, m_menu, m_ports.chooser);
    default:
        return ui::exerciseMakers().at(screen).screen(m_context, exercise(screen));
    }
}

void Program::open(ScreenId screen)
{
    if (m_ended) {
        return;
    }
    // Each screen opens on the screen where the one before it was.
    m_presentation.followWindow(m_current);
    QWidget* next = createScreen(screen);
    if (next == nullptr) {
        return;
    }
    next->setAttribute(Qt::WA_DeleteOnClose);
    ui::ignorePressesWhileNew(next);
    QPointer<QWidget> previous = m_current;
    m_current = next;
    m_currentId = screen;
    ui::showPresented(next, m_presentation);
    if (previous) {
        std::erase_if(m_closed, [](const QPointer<QWidget>& closed) { return closed.isNull(); });
        m_closed.push_back(previous);
        previous->close();
        // The style caches pixmaps under keys of the widgets just closed, which never come back since every screen
        // is built anew; dropping them keeps the cache small.
        QPixmapCache::clear();
    }
    Q_EMIT screenOpened(screen);
}

void Program::switchFullScreen()
{
    auto* staged = dynamic_cast<ui::StagedWindow*>(m_current.data());
    if (staged == nullptr) {
        return;
    }
    m_presentation.followWindow(m_current);
    m_presentation.setFullScreen(!m_presentation.fullScreen());
    staged->presentAgain();
    ui::showPresented(m_current, m_presentation);
}

bool Program::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (key->key() != Qt::Key_F11 || widget == nullptr || m_current.isNull() || widget->window() != m_current) {
        return false;
    }
    // A box or an open menu answers first; the screen under it switches once it is the screen's turn again.
    if (!key->isAutoRepeat() && QApplication::activeModalWidget() == nullptr
        && QApplication::activePopupWidget() == nullptr) {
        switchFullScreen();
    }
    return true;
}

void Program::endRun()
{
    m_ended = true;
    Q_EMIT runEnded();
    QCoreApplication::exit(0);
}

} // namespace tavenzo
