#include "app/program.h"
#include "core/background_work.h"
#include "core/settings.h"
#include "ui/glue/clicks.h"
#include "ui/glue/command_line.h"
#include "ui/glue/espeak_synthesiser.h"
#include "ui/glue/qt_picture_importer.h"
#include "ui/glue/qt_ports.h"
#include "ui/glue/qt_sound.h"
#include "ui/glue/qt_studio_dialogs.h"
#include "ui/glue/sound_environment.h"
#include "ui/glue/toolkit_setup.h"
#include "ui/studio/settings_page.h"
#include "ui/studio/studio_window.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // The options are read before the toolkit starts, so that the help needs no display.
    tavenzo::ui::CommandLine options;
    if (const std::optional<int> status = tavenzo::ui::readCommandLine(argc, argv, options)) {
        return *status;
    }

    tavenzo::ui::keepSoundLibraryOffDisk();
    tavenzo::ui::registerResources();
    QApplication app(argc, argv);
    const tavenzo::Paths paths(tavenzo::Paths::bundledFolderOf(QCoreApplication::applicationDirPath()),
        tavenzo::Paths::teacherFolderFor(options.folder, tavenzo::Paths::systemSettingsFile()));
    if (options.studio) {
        // The teachers' studio: no exercises, only the lists, their pictures and their spoken words.
        tavenzo::ui::setUpToolkit(app);
        tavenzo::ui::QtMessageBoxes boxes;
        tavenzo::ui::QtStudioDialogs dialogs;
        tavenzo::ui::QtPictureImporter importer;
        // "Ascolta" speaks at the pace the children will hear; the work ends before the decoder and voice it uses.
        tavenzo::ui::QtSoundFileDecoder decoder;
        tavenzo::ui::QtPcmOutput output;
        tavenzo::ui::EspeakSynthesiser synthesiser(
            tavenzo::readSettings(tavenzo::settingsFile(paths.teacherFolder())).pace);
        tavenzo::ui::QtMicrophone microphone;
        tavenzo::ThreadPoolWork work;
        tavenzo::ui::StudioSound sound {work, decoder, output, &synthesiser, microphone};
        tavenzo::ui::StudioWindow studio(paths, boxes, dialogs, importer, &sound);
        auto* settingsPage = new tavenzo::ui::SettingsPage(tavenzo::settingsFile(paths.teacherFolder()), boxes);
        // The teacher hears the pace she is choosing with "Ascolta", before she saves it.
        QObject::connect(settingsPage, &tavenzo::ui::SettingsPage::paceChanged, settingsPage,
            [&synthesiser](int pace) { synthesiser.setPace(pace); });
        studio.addSettingsPage(settingsPage, QStringLiteral("Impostazioni"));
        // Scripts wait for the line this logs before they click, as for the children's windows.
        tavenzo::ui::ignorePressesWhileNew(&studio);
        studio.show();
        return QApplication::exec();
    }
    // What the adult chose in the settings; an option given now adds to it for this run.
    tavenzo::Settings settings = tavenzo::readSettings(tavenzo::settingsFile(paths.teacherFolder()));
    settings.fullScreen = settings.fullScreen || options.fullScreen;
    settings.speakWord = settings.speakWord || options.speakWord;
    tavenzo::ToolkitPorts toolkit(settings.pace);
    tavenzo::Program program(paths, toolkit.ports(settings.speakWord), tavenzo::ui::Presentation(settings.fullScreen));
    tavenzo::ui::startWithoutPlugins(
        [&app, &program] {
            tavenzo::ui::setUpToolkit(app);
            program.start(); // Main: seeds the random generator, reads the start-up lista.txt; then the splash is shown
            return program.currentScreen();
        },
        // The sounds are decoded once the splash is up, on a thread of their own, so the first answer plays at once
        // and start-up waits for none; the teacher's own start-up list is checked then too, when its pictures can be
        // read.
        [&toolkit, &program] {
            toolkit.sounds.preload(program.feedback().soundPaths());
            program.started();
        });
    return QApplication::exec();
}
