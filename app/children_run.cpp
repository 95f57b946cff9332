#include "app/children_run.h"

#include "app/program.h"
#include "core/settings.h"
#include "ui/glue/sound_environment.h"
#include "ui/glue/toolkit_setup.h"

#include <QApplication>

namespace tavenzo {

std::optional<int> beforeToolkit(int argc, char* argv[], ui::CommandLine& options)
{
    if (const std::optional<int> status = ui::readCommandLine(argc, argv, options)) {
        return status;
    }
    ui::keepSoundLibraryOffDisk();
    ui::registerResources();
    return std::nullopt;
}

int runChildren(QApplication& app, const Paths& paths, const ui::CommandLine& options, const StartUpHooks& hooks)
{
    // What the adult chose in the settings; an option given now adds to it for this run.
    Settings settings = readSettings(settingsFile(paths.teacherFolder()));
    settings.fullScreen = settings.fullScreen || options.fullScreen;
    settings.speakWord = settings.speakWord || options.speakWord;
    ToolkitPorts toolkit(settings.pace);
    Program program(paths, toolkit.ports(settings.speakWord), ui::Presentation(settings.fullScreen));
    hooks.step("ports-and-models");
    ui::startWithoutPlugins(
        [&app, &program, &hooks] {
            ui::setUpToolkit(app);
            hooks.step("toolkit-set-up");
            program.start(); // Main: seeds the random generator, reads the start-up lista.txt; then the splash is shown
            hooks.step("word-list-and-splash");
            return program.currentScreen();
        },
        // The sounds are decoded once the splash is up, on a thread of their own, so the first answer plays at once
        // and start-up waits for none; the teacher's own start-up list is checked then too, when its pictures can be
        // read.
        [&toolkit, &program, &hooks] {
            hooks.step("first-paint");
            toolkit.sounds.preload(program.feedback().soundPaths());
            program.started();
            hooks.started(toolkit);
        });
    return QApplication::exec();
}

} // namespace tavenzo
