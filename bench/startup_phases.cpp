// Where start-up goes: the start-up steps of app/main.cpp, called the same way and with the same options
// (--schermo-intero), with the CPU time of the whole process and its page faults after each, up to the sounds loaded
// after the splash's first paint; then it quits. One line per step:
//   <step> <cpu ms> <page faults>
// run.sh starts it several times and prints the medians.
//
//   tavenzo_startup_phases [--schermo-intero]

#include "app/children_run.h"
#include "app/program.h"

#include <QApplication>

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
    tavenzo::ui::CommandLine options;
    if (const std::optional<int> status = tavenzo::beforeToolkit(argc, argv, options)) {
        return *status;
    }
    QApplication app(argc, argv);
    mark("QApplication");
    tavenzo::StartUpHooks hooks;
    hooks.step = mark;
    hooks.started = [](tavenzo::ToolkitPorts& toolkit) {
        // They are decoded on a worker thread, whose time the process's CPU time counts as well.
        while (toolkit.sounds.decoding() > 0) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        mark("sounds-loaded");
        print();
        QCoreApplication::quit();
    };
    // The bundled content of the build, where the program itself would find it beside its executable.
    return tavenzo::runChildren(
        app, {QStringLiteral(TAVENZO_PROGRAM_DIR), tavenzo::Paths::teacherFolderOfUser()}, options, hooks);
}
