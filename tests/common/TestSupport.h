// Helpers shared by the test programs.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class QProcess;

namespace testsupport {

// Result of running tagmora-cli.
struct CliResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the built tagmora-cli with the given arguments (and optional stdin);
// childSetup runs in the child before the program starts.
CliResult RunCli(const QStringList& args, const QByteArray& input = QByteArray(),
                 const std::function<void()>& childSetup = {});
// Starts the built tagmora-cli on the offscreen platform.
void StartCli(QProcess& process, const QStringList& args, const std::function<void()>& childSetup = {});

// Path of a file below the source tree / the shared fixtures folder.
QString SourcePath(const QString& relative);
QString FixturePath(const QString& relative);

// Reads a whole file (empty when missing).
QByteArray ReadFile(const QString& path);
bool WriteFile(const QString& path, const QByteArray& bytes);

}  // namespace testsupport
