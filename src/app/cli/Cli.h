// tagmora-cli: the headless tool. One dispatcher, one function per subcommand;
// every subcommand calls the same code the windows call.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

namespace cli {

enum ExitCode { ExitOk = 0, ExitError = 1, ExitUsage = 2 };

// Thrown by a subcommand when its arguments are wrong; the dispatcher prints
// the message and the subcommand's synopsis and exits with ExitUsage.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

using CommandFn = int (*)(const QStringList& args);

struct Command {
    const char* name;
    const char* synopsis;  // argument summary shown by --help
    const char* summary;   // one line of what it does
    CommandFn run;
};

const std::vector<Command>& Commands();

// Runs the tool on the arguments that follow the program name.
int Run(const QStringList& args);

// Raw bytes to stdout (no newline translation) and text lines to stderr.
void WriteOut(const QByteArray& bytes);
void WriteErr(const QString& text);

}  // namespace cli
