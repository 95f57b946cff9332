#pragma once

#include "core/paths.h"
#include "ui/glue/command_line.h"

#include <functional>
#include <optional>

class QApplication;

namespace tavenzo {

struct ToolkitPorts;

// Hooks into the children's start-up, for the start-up bench: `step` hears the name of each step as it ends, and
// `started` runs once the splash has been painted and the sounds asked for.
struct StartUpHooks {
    std::function<void(const char* step)> step = [](const char*) {};
    std::function<void(ToolkitPorts&)> started = [](ToolkitPorts&) {};
};

// What a run does before the toolkit starts: reads the options (the help and the version need no display) and keeps
// the sound library from writing. A status means the run ends here with it.
std::optional<int> beforeToolkit(int argc, char* argv[], ui::CommandLine& options);

// The children's run: the settings the adult chose, the options of this run on top, the program with the toolkit's
// ports, the splash first and everything it does not need after its first paint. Returns when the run ends.
int runChildren(QApplication& app, const Paths& paths, const ui::CommandLine& options, const StartUpHooks& hooks = {});

} // namespace tavenzo
