#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace qs {

// What a program says of itself on its command line.
struct CommandLineSpec
{
    QString program; // the command's name
    QString version; // "1.5.3"
    // The texts --help prints, in English; they are translated in the context named program, so
    // mark them with QT_TRANSLATE_NOOP(program, text).
    const char *description; // one line
    QString filesName;       // the files argument as --help names it, empty when there is none
    const char *filesHelp = "";
};

// What the command line asked for: the files to open, or the code to end with at once.
struct CommandLine
{
    QStringList files; // absolute paths, as the user named them
    std::optional<int> exitCode;
};

// The command line's arguments (the program's name first) as spec reads them, with what an
// option asks to print in message (to standard output for exit code 0, else standard error).
// Needs no application object; asks nothing about the display.
CommandLine parseCommandLine(const QStringList &arguments, const CommandLineSpec &spec,
                             QString *message);

// Reads the command line before any window can exist: --help and --version print and end with
// 0, an unknown option says so and ends with 2, and without a display the program says it
// needs one and ends with 1. None of these needs a display.
CommandLine readCommandLine(int argc, char **argv, const CommandLineSpec &spec);

} // namespace qs
