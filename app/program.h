#pragma once

#include "core/background_work.h"
#include "core/menu_model.h"
#include "core/paths.h"
#include "core/ports.h"
#include "core/random_source.h"
#include "core/screen_id.h"
#include "core/shared_state.h"
#include "exercises/frame/picture_finder.h"
#include "exercises/letters/missing_letter_exercise.h"
#include "exercises/letters/spell_word_exercise.h"
#include "exercises/pictures/choice_exercise.h"
#include "exercises/pictures/words_onto_pictures_exercise.h"
#include "feedback/feedback.h"
#include "feedback/sound_bank.h"
#include "ui/glue/picture_loader.h"
#include "ui/glue/presentation.h"
#include "ui/glue/qt_ports.h"
#include "ui/glue/qt_sound.h"
#include "ui/screens/screen_context.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace tavenzo {

// Every modal interaction, time and chance as the program meets them; tests hand in fakes.
struct ProgramPorts {
    MessageBoxes& boxes;
    FileChooser& chooser;
    Beeper& beeper;
    SoundPlayer& sounds;
    RandomSource& random;
    MonotonicClock& clock;
};

// The toolkit behind every port, as a real run uses it.
struct ToolkitPorts {
    ui::QtMessageBoxes boxes;
    ui::QtFileChooser chooser;
    ui::QtBeeper beeper;
    ClockSeededRandom random;
    SteadyClock clock;
    ui::QtSoundFileDecoder soundDecoder;
    ui::QtPcmOutput soundOutput;
    // Ends after the bank and before the decoder: it waits for a decode under way.
    ThreadPoolWork soundWork;
    SoundBank sounds {soundDecoder, soundOutput, soundWork, clock};

    ProgramPorts ports() { return {boxes, chooser, beeper, sounds, random, clock}; }
};

// Owns the shared values and one model per screen for the whole run, and keeps exactly one screen open.
class Program final : public QObject, public ui::ScreenSwitcher {
    Q_OBJECT
public:
    Program(
        Paths paths, ProgramPorts ports, ui::Presentation presentation = ui::Presentation(), QObject* parent = nullptr);
    ~Program() override;

    // Start-up: Main, then the splash screen.
    void start();
    void open(ScreenId screen) override;
    void endRun() override;

    QWidget* currentScreen() const { return m_current; }
    ScreenId currentScreenId() const { return m_currentId; }

    const Paths& paths() const { return m_paths; }
    SharedState& state() { return m_state; }
    Feedback& feedback() { return m_feedback; }
    ui::PictureLoader& pictureLoader() { return m_pictureLoader; }
    MenuModel& menu() { return m_menu; }
    MissingLetterExercise& missingFirstLetter() { return m_missingFirstLetter; }
    MissingLetterExercise& missingInnerLetter() { return m_missingInnerLetter; }
    SpellWordExercise& spellWord() { return m_spellWord; }
    ChoiceExercise& wordForPicture() { return m_wordForPicture; }
    ChoiceExercise& pictureForWord() { return m_pictureForWord; }
    WordsOntoPicturesExercise& wordsOntoPictures() { return m_wordsOntoPictures; }

Q_SIGNALS:
    void screenOpened(tavenzo::ScreenId screen);
    void runEnded();

private:
    QWidget* createScreen(ScreenId screen);
    // A list chosen from the menu is in force: pictures are looked for beside it first, and the teacher learns
    // which of its words will not work.
    void listChosen(const QString& path, const WordListLoad& load);
    ExerciseServices services() { return {m_state, m_ports.random, m_feedback, m_pictures}; }

    Paths m_paths;
    ProgramPorts m_ports;
    SharedState m_state;
    Feedback m_feedback;
    PictureFinder m_pictures;
    ui::PictureLoader m_pictureLoader;
    ui::Presentation m_presentation;
    ui::ScreenContext m_context;
    MenuModel m_menu;
    MissingLetterExercise m_missingFirstLetter;
    MissingLetterExercise m_missingInnerLetter;
    SpellWordExercise m_spellWord;
    ChoiceExercise m_wordForPicture;
    ChoiceExercise m_pictureForWord;
    WordsOntoPicturesExercise m_wordsOntoPictures;
    QPointer<QWidget> m_current;
    ScreenId m_currentId = ScreenId::Splash;
    bool m_ended = false;
};

} // namespace tavenzo
