#include "app/program.h"

#include "core/startup.h"
#include "core/word_list_reader.h"
#include "exercises/list_check.h"
#include "ui/glue/clicks.h"
#include "ui/screens/menu_screen.h"
#include "ui/screens/missing_first_letter_screen.h"
#include "ui/screens/missing_inner_letter_screen.h"
#include "ui/screens/picture_for_word_screen.h"
#include "ui/screens/spell_word_screen.h"
#include "ui/screens/splash_screen.h"
#include "ui/screens/word_for_picture_screen.h"
#include "ui/screens/words_onto_pictures_screen.h"

#include <QCoreApplication>
#include <QPixmapCache>
#include <QScreen>

namespace tavenzo {

Program::Program(Paths paths, ProgramPorts ports, ui::Presentation presentation, QObject* parent)
    : QObject(parent)
    , m_paths(std::move(paths))
    , m_ports(ports)
    , m_feedback(ports.sounds, ports.beeper, ports.random, m_paths.soundFolder())
    , m_pictures(m_paths.pictureFolders({}))
    , m_presentation(presentation)
    , m_context {*this, ports.boxes, m_pictureLoader, m_presentation}
    , m_menu(
          m_state, m_paths, [this] { return m_feedback.ColoreCasuale(); },
          [this](const QString& path, const WordListLoad& load) { listChosen(path, load); })
    , m_missingFirstLetter(services(), MissingLetterExercise::kMissingFirstLetter)
    , m_missingInnerLetter(services(), MissingLetterExercise::kMissingInnerLetter)
    , m_spellWord(services(), ports.clock)
    , m_wordForPicture(services(), ChoiceExercise::kWordForPicture)
    , m_pictureForWord(services(), ChoiceExercise::kPictureForWord)
    , m_wordsOntoPictures(services())
{
}

Program::~Program()
{
    delete m_current.data();
}

void Program::start()
{
    m_pictures.setFolders(m_paths.pictureFolders(Main(m_state, m_ports.random, m_ports.boxes, m_paths)));
    open(ScreenId::Splash);
}

void Program::listChosen(const QString& path, const WordListLoad& load)
{
    m_pictures.setFolders(m_paths.pictureFolders(path));
    const QString message = listCheckMessage(checkList(m_state, m_pictures, load.emptyLinesSkipped));
    if (!message.isEmpty()) {
        m_ports.boxes.information(message);
    }
}

QWidget* Program::createScreen(ScreenId screen)
{
    switch (screen) {
    case ScreenId::Splash:
        return new ui::SplashScreen(m_context, m_state, m_ports.random);
    case ScreenId::Menu:
        return new ui::MenuScreen(m_context, m_menu, m_ports.chooser);
    case ScreenId::MissingFirstLetter:
        return new ui::MissingFirstLetterScreen(m_context, m_missingFirstLetter);
    case ScreenId::MissingInnerLetter:
        return new ui::MissingInnerLetterScreen(m_context, m_missingInnerLetter);
    case ScreenId::SpellWord:
        return new ui::SpellWordScreen(m_context, m_spellWord);
    case ScreenId::WordForPicture:
        return new ui::WordForPictureScreen(m_context, m_wordForPicture);
    case ScreenId::PictureForWord:
        return new ui::PictureForWordScreen(m_context, m_pictureForWord);
    case ScreenId::WordsOntoPictures:
        return new ui::WordsOntoPicturesScreen(m_context, m_wordsOntoPictures);
    }
    return nullptr;
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
    if (m_presentation.fullScreen()) {
        // Without a window manager nothing would resize the window; with one, the full-screen state keeps it so.
        next->setScreen(m_presentation.screen());
        next->setGeometry(m_presentation.area());
        next->showFullScreen();
    } else {
        next->show();
    }
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

} // namespace tavenzo
