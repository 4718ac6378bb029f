// Helpers shared by the test programs.
#pragma once

#include "gui/UserDialogs.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <deque>
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

// Scripted stand-in for the dialog layer: records every message and answers
// from queues (defaults: the first offered button, cancelled input and files).
class ScriptedDialogs : public TUserDialogs {
public:
    struct Message {
        QString text;
        TMsgDlgType type;
        int buttons;
    };
    std::deque<int> buttonAnswers;
    std::deque<QString> inputAnswers;  // a null QString answers Cancel
    std::deque<QString> fileAnswers;
    QList<Message> messages;
    QStringList inputPrompts;

    int MessageDlg(const QString& text, TMsgDlgType type, int buttons) override;
    bool InputQuery(const QString& caption, const QString& prompt, QString& value) override;
    QString OpenFileName(const QString& caption, const QString& folder, const QString& filter) override;
    QString SaveFileName(const QString& caption, const QString& folder, const QString& filter,
                         const QString& defaultSuffix) override;
};

// Installs a ScriptedDialogs for the lifetime of the guard.
class ScopedDialogs {
public:
    ScopedDialogs() { SetDialogs(&dialogs); }
    ~ScopedDialogs() { SetDialogs(nullptr); }
    ScriptedDialogs dialogs;
};

}  // namespace testsupport
