#pragma once

#include "app/menu_model.h"
#include "app/ports.h"
#include "app/screen_id.h"
#include "app/shared_state.h"
#include "exercises/frame/exercise_services.h"
#include "exercises/frame/picture_finder.h"
#include "exercises/letters/missing_letter_exercise.h"
#include "exercises/letters/spell_word_exercise.h"
#include "exercises/pictures/choice_exercise.h"
#include "exercises/pictures/drag_words_exercise.h"
#include "feedback/feedback.h"
#include "ui/glue/picture_loader.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace tavenzo::ui {

// The toolkit's side of every modal interaction and of time and chance; tests hand in fakes.
struct ProgramPorts {
    MessageBoxes& boxes;
    FileChooser& chooser;
    Beeper& beeper;
    SoundPlayer& sounds;
    RandomSource& random;
    MonotonicClock& clock;
};

// Owns the shared values and one model per screen for the whole run, and keeps exactly one screen open.
class Program final : public QObject {
    Q_OBJECT
public:
    Program(QString programFolder, ProgramPorts ports, QObject* parent = nullptr);
    ~Program() override;

    // Start-up: seeds, loads lista.txt and shows the splash screen.
    void start();
    // Shows the new screen without waiting for it, then closes the one that was open.
    void open(ScreenId screen);
    // Ends the run at once, without the screens' own leave steps.
    void endRun();

    QWidget* currentScreen() const { return m_current; }
    ScreenId currentScreenId() const { return m_currentId; }

    const QString& programFolder() const { return m_programFolder; }
    ProgramPorts& ports() { return m_ports; }
    SharedState& state() { return m_state; }
    Feedback& feedback() { return m_feedback; }
    PictureLoader& pictureLoader() { return m_pictureLoader; }
    ExerciseServices services() { return {m_state, m_ports.random, m_feedback, m_pictures}; }

    MenuModel& menu() { return m_menu; }
    ChoiceExercise& parole() { return m_parole; }
    ChoiceExercise& disegni() { return m_disegni; }
    MissingLetterExercise& lettera1() { return m_lettera1; }
    MissingLetterExercise& lettera() { return m_lettera; }
    SpellWordExercise& lettere() { return m_lettere; }
    DragWordsExercise& disegni1() { return m_disegni1; }

Q_SIGNALS:
    void screenOpened(tavenzo::ScreenId screen);
    void runEnded();

private:
    QWidget* createScreen(ScreenId screen);

    QString m_programFolder;
    ProgramPorts m_ports;
    SharedState m_state;
    Feedback m_feedback;
    PictureFinder m_pictures;
    PictureLoader m_pictureLoader;
    MenuModel m_menu;
    ChoiceExercise m_parole;
    ChoiceExercise m_disegni;
    MissingLetterExercise m_lettera1;
    MissingLetterExercise m_lettera;
    SpellWordExercise m_lettere;
    DragWordsExercise m_disegni1;
    QPointer<QWidget> m_current;
    ScreenId m_currentId = ScreenId::Splash;
    bool m_ended = false;
};

} // namespace tavenzo::ui
