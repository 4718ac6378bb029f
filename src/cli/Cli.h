// tagmora-cli: the headless tool. One dispatcher, one function per subcommand;
// every subcommand calls the same code the windows call.
//
// Every command declares its options in one table (TOptions); the dispatcher
// parses them all the same way: "--opt=value" and "--opt value", "-o value"
// and "-ovalue", "--" ends the options, "-h"/"--help" and "-V"/"--version"
// everywhere, unknown options are usage errors.
#pragma once

#include <QByteArray>
#include <QHash>
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

// Thrown when the work fails on a file (or on "standard output"); the
// dispatcher prints "tagmora-cli COMMAND: FILE: message" and exits with
// ExitError.
class Failure : public std::runtime_error {
public:
    Failure(const QString& file, const QString& message) : std::runtime_error(message.toStdString()), File(file) {}
    QString File;
};

struct TOption {
    const char* shortName;  // "o", or nullptr
    const char* longName;   // "output"
    const char* valueName;  // "FILE"; nullptr for a switch
    const char* help;       // one or more sentences, wrapped by the help text
};
using TOptions = std::vector<TOption>;

// The parsed command line of one command.
class TArguments {
public:
    bool IsSet(const char* longName) const { return FValues.contains(QLatin1String(longName)); }
    // The last value given for the option, or `fallback` when it was not given.
    QString Value(const char* longName, const QString& fallback = QString()) const;
    QStringList Positional;

private:
    friend TArguments ParseArguments(const TOptions&, const QStringList&);
    QHash<QString, QString> FValues;
};

// Parses args against the options; throws UsageError for an unknown option, a
// missing value or a value given to a switch.
TArguments ParseArguments(const TOptions& options, const QStringList& args);

using CommandFn = int (*)(const TArguments& args);

struct Command {
    const char* name;
    const char* operands;  // the arguments besides the options, e.g. "FILE.blf"
    const char* summary;   // what it does, wrapped by the help text
    const TOptions* options;
    CommandFn run;
};

const std::vector<Command>& Commands();

// Runs the tool on the arguments that follow the program name.
int Run(const QStringList& args);

// Raw bytes to stdout (no newline translation); throws Failure when standard
// output cannot take them (a full disk).
void WriteOut(const QByteArray& bytes);
// One message to stderr; a message of several lines becomes one line.
void WriteErr(const QString& text);
// "tagmora-cli COMMAND: " + text on stderr, for the command running now.
void Report(const QString& text);

// Text wrapped to `width` columns for a line that already holds `startColumn`
// characters; the lines after the first are indented by `indent` spaces.
QString Wrap(const QString& text, int width, int indent, int startColumn);

}  // namespace cli
