#include "ui/glue/program.h"

#include "app/startup.h"
#include "ui/screens/disegni1_screen.h"
#include "ui/screens/disegni_screen.h"
#include "ui/screens/form_avvio.h"
#include "ui/screens/form_menu.h"
#include "ui/screens/lettere_screen.h"
#include "ui/screens/missing_letter_screen.h"
#include "ui/screens/parole_screen.h"

#include <QCoreApplication>
#include <QPixmapCache>

namespace tavenzo::ui {

Program::Program(QString programFolder, ProgramPorts ports, QObject* parent)
    : QObject(parent)
    , m_programFolder(std::move(programFolder))
    , m_ports(ports)
    , m_feedback(ports.sounds, ports.beeper, ports.random, m_programFolder)
    , m_pictures(m_programFolder)
    , m_menu(m_state, m_feedback, m_programFolder)
    , m_parole(services(), ChoiceExercise::paroleTraits())
    , m_disegni(services(), ChoiceExercise::disegniTraits())
    , m_lettera1(services(), MissingLetterExercise::lettera1Traits())
    , m_lettera(services(), MissingLetterExercise::letteraTraits())
    , m_lettere(services(), ports.clock)
    , m_disegni1(services())
{
}

Program::~Program()
{
    delete m_current.data();
}

void Program::start()
{
    Main(m_state, m_ports.random, m_ports.boxes, m_programFolder);
    open(ScreenId::Splash);
}

QWidget* Program::createScreen(ScreenId screen)
{
    switch (screen) {
    case ScreenId::Splash:
        return new FormAvvio(*this);
    case ScreenId::Menu:
        return new FormMenu(*this);
    case ScreenId::Parole:
        return new ParoleScreen(*this);
    case ScreenId::Disegni:
        return new DisegniScreen(*this);
    case ScreenId::Disegni1:
        return new Disegni1Screen(*this);
    case ScreenId::Lettera1:
        return new Lettera1Screen(*this);
    case ScreenId::Lettera:
        return new LetteraScreen(*this);
    case ScreenId::Lettere:
        return new LettereScreen(*this);
    }
    return nullptr;
}

void Program::open(ScreenId screen)
{
    if (m_ended) {
        return;
    }
    QWidget* next = createScreen(screen);
    if (next == nullptr) {
        return;
    }
    next->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<QWidget> previous = m_current;
    m_current = next;
    m_currentId = screen;
    next->show();
    if (previous) {
        previous->close();
        // The style caches pixmaps under keys of the widgets just closed, which never come back since every screen
        // is built anew; dropping them keeps the cache small.
        QPixmapCache::clear();
    }
    Q_EMIT screenOpened(screen);
}

void Program::endRun()
{
    m_ended = true;
    Q_EMIT runEnded();
    QCoreApplication::exit(0);
}

} // namespace tavenzo::ui
