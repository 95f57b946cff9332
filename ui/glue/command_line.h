#pragma once

#include <QStringList>

#include <optional>

class QTextStream;

namespace tavenzo::ui {

struct CommandLine {
    bool fullScreen = false;
    bool speakWord = false; // for this run only, whatever the settings say
    bool studio = false; // the teachers' studio instead of the children's screens
    QString folder; // takes the place of the teacher's folder; empty for the usual one
};

// Reads the program's own options from its arguments (the toolkit's, such as -platform, are left to it). Answers the
// exit status when the run ends here: after the help or the version, or after an option it does not know.
std::optional<int> readCommandLine(
    const QStringList& arguments, CommandLine& options, QTextStream& out, QTextStream& err);

// The same for main's own arguments, writing to the standard output and error.
std::optional<int> readCommandLine(int argc, char* argv[], CommandLine& options);

} // namespace tavenzo::ui
