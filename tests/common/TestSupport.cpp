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

}  // namespace testsupport
