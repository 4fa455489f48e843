#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace veltrasa {

// What the command line asks of this start: a record (no status), or an
// answer on the terminal and an end with the status given.
struct CommandLineAnswer {
    std::optional<int> exitStatus;
    QString output; // for standard output
    QString error;  // for standard error, one line
};

// Reads the program's arguments, the program's own name first. The options
// of Qt's (-display, -platform, -style, ...) are let through for the
// application object, which takes them. --help needs a QCoreApplication.
CommandLineAnswer readCommandLine(const QStringList& arguments);

// The command line answered before anything needs a display: the status to
// end with, or none to go on. Loads no platform plugin.
std::optional<int> answerCommandLine(int& argc, char** argv);

} // namespace veltrasa
