#include "app/random_source.h"
#include "feedback/preloading_sound_player.h"
#include "ui/glue/program.h"
#include "ui/glue/qt_ports.h"
#include "ui/glue/toolkit_setup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    tavenzo::ui::registerResources();
    QApplication app(argc, argv);
    // The platform plugin is loaded by now; the others wait until the splash is on screen.
    const QStringList plugins = tavenzo::ui::holdBackPlugins();
    tavenzo::ui::setUpToolkit(app);

    tavenzo::ui::QtMessageBoxes boxes;
    tavenzo::ui::QtFileChooser chooser;
    tavenzo::ui::QtBeeper beeper;
    tavenzo::ui::QtSoundBackend soundBackend;
    tavenzo::PreloadingSoundPlayer sounds(soundBackend);
    tavenzo::ClockSeededRandom random;
    tavenzo::SteadyClock clock;

    tavenzo::ui::Program program(
        QCoreApplication::applicationDirPath(), {boxes, chooser, beeper, sounds, random, clock});
    program.start();
    tavenzo::ui::releasePluginsAfterFirstPaint(program.currentScreen(), plugins);
    return QApplication::exec();
}
