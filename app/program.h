#pragma once

#include "core/background_work.h"
#include "core/list_in_force.h"
#include "core/menu_model.h"
#include "core/paths.h"
#include "core/ports.h"
#include "core/random_source.h"
#include "core/screen_id.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "feedback/feedback.h"
#include "feedback/sound_bank.h"
#include "feedback/word_voice.h"
#include "ui/glue/espeak_synthesiser.h"
#include "ui/glue/picture_loader.h"
#include "ui/glue/presentation.h"
#include "ui/glue/qt_ports.h"
#include "ui/glue/qt_sound.h"
#include "ui/screens/screen_context.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>
#include <vector>

namespace tavenzo {

class Exercise;

// What says the words after right answers: the bank they are played through, the decoder of the teacher's
// recordings and the synthesiser for the other words (none: only recordings are heard).
struct VoicePorts {
    SoundBank& bank;
    SoundFileDecoder& decoder;
    SpeechSynthesiser* synthesiser = nullptr;
};

// Every modal interaction, time and chance as the program meets them; tests hand in fakes.
struct ProgramPorts {
    MessageBoxes& boxes;
    FileChooser& chooser;
    Beeper& beeper;
    SoundPlayer& sounds;
    RandomSource& random;
    MonotonicClock& clock;
    // With it the word of every right answer is said; without it the answers sound as they always have.
    VoicePorts* voice = nullptr;
};

// The toolkit behind every port, as a real run uses it.
struct ToolkitPorts {
    explicit ToolkitPorts(int pace = Settings::kDefaultPace)
        : synthesiser(pace)
    {
    }

    ui::QtMessageBoxes boxes;
    ui::QtFileChooser chooser;
    ui::QtBeeper beeper;
    ClockSeededRandom random;
    SteadyClock clock;
    ui::QtSoundFileDecoder soundDecoder;
    ui::QtPcmOutput soundOutput;
    ui::EspeakSynthesiser synthesiser;
    // Ends after the bank and before the decoder: it waits for a decode under way.
    ThreadPoolWork soundWork;
    SoundBank sounds {soundDecoder, soundOutput, soundWork, clock};

    VoicePorts voice {sounds, soundDecoder, &synthesiser};

    // With the spoken word or without.
    ProgramPorts ports(bool speakWords = false)
    {
        return {boxes, chooser, beeper, sounds, random, clock, speakWords ? &voice : nullptr};
    }
};

// Owns the shared values, the list in force and one model per screen for the whole run, and keeps exactly one
// screen open.
class Program final : public QObject, public ui::ScreenSwitcher {
    Q_OBJECT
public:
    Program(
        Paths paths, ProgramPorts ports, ui::Presentation presentation = ui::Presentation(), QObject* parent = nullptr);
    ~Program() override;

    // Start-up: Main, then the splash screen.
    void start();
    // Once the splash has been painted and the toolkit's picture plug-ins may be loaded: what waits until then.
    void started();
    void open(ScreenId screen) override;
    void endRun() override;
    // Between the classroom's full screen and a window of the screen's own size, on the screen now open and on every
    // one after it; what the screen shows stays as it is.
    void switchFullScreen();

    QWidget* currentScreen() const { return m_current; }
    ScreenId currentScreenId() const { return m_currentId; }

    SharedState& state() { return m_state; }
    Feedback& feedback() { return m_feedback; }
    // The model of an exercise screen, which lives for the whole run.
    Exercise& exercise(ScreenId screen) { return *m_exercises.at(screen); }

Q_SIGNALS:
    void screenOpened(tavenzo::ScreenId screen);
    void runEnded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* createScreen(ScreenId screen);

    Paths m_paths;
    ProgramPorts m_ports;
    SharedState m_state;
    Feedback m_feedback;
    ui::QtPictureCheck m_pictureCheck;
    ListInForce m_list;
    std::unique_ptr<WordVoice> m_voice;
    ui::PictureLoader m_pictureLoader;
    ui::Presentation m_presentation;
    ui::ScreenContext m_context;
    MenuModel m_menu;
    std::map<ScreenId, std::unique_ptr<Exercise>> m_exercises;
    QPointer<QWidget> m_current;
    // Screens closed whose deletion the event loop has not reached yet.
    std::vector<QPointer<QWidget>> m_closed;
    ScreenId m_currentId = ScreenId::Splash;
    bool m_ended = false;
};

} // namespace tavenzo
