#include "TestSupport.h"

#include <QFile>
#include <QProcess>

namespace testsupport {

void StartCli(QProcess& p, const QStringList& args, const std::function<void()>& childSetup)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    if (childSetup)
        p.setChildProcessModifier(childSetup);
    p.start(QStringLiteral(TAGMORA_CLI_PATH), args);
}

CliResult RunCli(const QStringList& args, const QByteArray& input, const std::function<void()>& childSetup)
{
    CliResult r;
    QProcess p;
    StartCli(p, args, childSetup);
    if (!p.waitForStarted(30000))
        return r;
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(300000);
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QString SourcePath(const QString& relative)
{
    return QStringLiteral(TAGMORA_SOURCE_DIR "/") + relative;
}

QString FixturePath(const QString& relative)
{
    return QStringLiteral(TAGMORA_FIXTURES_DIR "/") + relative;
}

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

int ScriptedDialogs::MessageDlg(const QString& text, TMsgDlgType type, int buttons)
{
    messages.push_back({text, type, buttons});
    if (!buttonAnswers.empty()) {
        const int b = buttonAnswers.front();
        buttonAnswers.pop_front();
        return b;
    }
    for (int b : {mbYes, mbNo, mbOK, mbCancel})
        if (buttons & b)
            return b;
    return mbOK;
}

bool ScriptedDialogs::InputQuery(const QString& caption, const QString& prompt, QString& value)
{
    inputPrompts << prompt;
    if (inputAnswers.empty())
        return false;
    const QString a = inputAnswers.front();
    inputAnswers.pop_front();
    if (a.isNull())
        return false;
    value = a;
    return true;
}

QString ScriptedDialogs::OpenFileName(const QString&, const QString&, const QString&)
{
    if (fileAnswers.empty())
        return QString();
    const QString a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
}

QString ScriptedDialogs::SaveFileName(const QString&, const QString&, const QString&, const QString&)
{
    return OpenFileName(QString(), QString(), QString());
}

}  // namespace testsupport
