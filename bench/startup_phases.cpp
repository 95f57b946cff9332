// Where start-up goes: the steps of app/main.cpp in the same order, with the CPU time of the whole process and its
// page faults after each, up to the end of the splash's first paint; then it quits. One line per step:
//   <step> <cpu ms> <page faults>
// run.sh starts it several times and prints the medians.

#include "app/random_source.h"
#include "app/startup.h"
#include "feedback/preloading_sound_player.h"
#include "ui/glue/program.h"
#include "ui/glue/qt_ports.h"
#include "ui/glue/toolkit_setup.h"

#include <QApplication>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <ctime>
#include <vector>

namespace {

struct Mark {
    const char* step;
    double cpuMs;
    long faults;
};

std::vector<Mark>& marks()
{
    static std::vector<Mark> all;
    return all;
}

void mark(const char* step)
{
    timespec cpu {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    marks().push_back({step, static_cast<double>(cpu.tv_sec) * 1e3 + static_cast<double>(cpu.tv_nsec) / 1e6,
        usage.ru_minflt + usage.ru_majflt});
}

void print()
{
    Mark previous {"", 0, 0};
    for (const Mark& m : marks()) {
        std::printf("%s %.3f %ld\n", m.step, m.cpuMs - previous.cpuMs, m.faults - previous.faults);
        previous = m;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    mark("before-main");
    tavenzo::ui::registerResources();
    QApplication app(argc, argv);
    mark("QApplication");
    const QStringList plugins = tavenzo::ui::holdBackPlugins();
    tavenzo::ui::setUpToolkit(app);
    mark("toolkit-set-up");

    tavenzo::ui::QtMessageBoxes boxes;
    tavenzo::ui::QtFileChooser chooser;
    tavenzo::ui::QtBeeper beeper;
    tavenzo::ui::QtSoundBackend soundBackend;
    tavenzo::PreloadingSoundPlayer sounds(soundBackend);
    tavenzo::ClockSeededRandom random;
    tavenzo::SteadyClock clock;
    tavenzo::ui::Program program(QStringLiteral(TAVENZO_PROGRAM_DIR), {boxes, chooser, beeper, sounds, random, clock});
    mark("ports-and-models");
    // Program::start() in two halves, so the word list and the splash are told apart.
    tavenzo::Main(program.state(), random, boxes, program.programFolder());
    mark("word-list");
    program.open(tavenzo::ScreenId::Splash);
    mark("splash-built-and-shown");
    tavenzo::ui::afterFirstPaint(program.currentScreen(), [&plugins] {
        mark("first-paint");
        tavenzo::ui::releasePlugins(plugins);
        print();
        QCoreApplication::quit();
    });
    return QApplication::exec();
}
