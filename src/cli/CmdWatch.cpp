// tagmora-cli watch DIR --label L.blf (--printer P | --output-dir OUT): a hot
// folder. Each data file that appears in DIR is printed once it is complete
// (its size and time unchanged for the settle time, or renamed in whole) and
// moved into DIR/done or DIR/failed with a log of the run beside it.
//
// Every file is printed by a "tagmora-cli print" of its own, so a hostile data
// file can take down no more than its own run, and the run is recorded in the
// print history as any print is. SIGTERM and SIGINT end the watch after the
// file in hand.
#include "cli/CliCommands.h"
#include "cli/CliFiles.h"
#include "document/OutputFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QThread>

#include <unistd.h>

namespace {

// A file seen in the folder, and since when it has stayed as it is.
struct TSeen {
    qint64 Size = -1;
    QDateTime Modified;
    QElapsedTimer Unchanged;
};

bool IsDataFile(const QFileInfo& info)
{
    const QString suffix = info.suffix().toLower();
    return info.isFile() && !info.fileName().startsWith(QLatin1Char('.')) &&
           (suffix == QLatin1String("csv") || suffix == QLatin1String("txt"));
}

// A free name in folder for name: the name itself, else with the time added.
QString FreeName(const QDir& folder, const QString& name)
{
    if (!folder.exists(name))
        return folder.filePath(name);
    const QFileInfo info(name);
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmsszzz"));
    for (int n = 0;; ++n) {
        const QString candidate = QStringLiteral("%1-%2%3.%4")
                                      .arg(info.completeBaseName(), stamp,
                                           n == 0 ? QString() : QStringLiteral("-%1").arg(n), info.suffix());
        if (!folder.exists(candidate))
            return folder.filePath(candidate);
    }
}

struct TWatchArgs {
    QString folder;
    QString label;
    QStringList printArgs;  // what every print run gets besides the label and its data
    QString outputDir;
    int settleMs = 2000;
    int timeoutS = 600;
    bool once = false;
};

// Prints one data file and moves it into done/ or failed/ with its log.
bool PrintOne(const TWatchArgs& a, const QString& path)
{
    const QFileInfo info(path);
    QStringList args{QStringLiteral("print"), a.label, QStringLiteral("--data"), path};
    if (!a.outputDir.isEmpty())
        args << QStringLiteral("-o") << QDir(a.outputDir).filePath(info.completeBaseName() + QStringLiteral(".pdf"));
    args += a.printArgs;
    QProcess print;
    print.setProcessChannelMode(QProcess::MergedChannels);
    // A group of its own: Ctrl-C in the terminal stops the watch, not the
    // run in hand, which ends first.
    print.setChildProcessModifier([] { ::setpgid(0, 0); });
    print.start(QCoreApplication::applicationFilePath(), args);
    bool finished = print.waitForFinished(a.timeoutS * 1000);
    if (!finished) {
        print.kill();
        print.waitForFinished(5000);
    }
    QByteArray log = print.readAll();
    const bool done = finished && print.exitStatus() == QProcess::NormalExit && print.exitCode() == 0;
    if (!finished)
        log += QStringLiteral("tagmora-cli watch: the run took longer than %1 s and was ended\n").arg(a.timeoutS).toUtf8();
    else if (print.exitStatus() != QProcess::NormalExit)
        log += "tagmora-cli watch: the run ended abnormally\n";

    const QDir folder(QDir(a.folder).filePath(done ? QStringLiteral("done") : QStringLiteral("failed")));
    if (!folder.exists() && !QDir().mkpath(folder.path()))
        throw cli::Failure(folder.path(), QStringLiteral("cannot make the folder"));
    const QString target = FreeName(folder, info.fileName());
    if (!QFile::rename(path, target))
        throw cli::Failure(path, QStringLiteral("cannot move it into %1").arg(folder.path()));
    WriteWholeFile(target + QStringLiteral(".log"), log);
    cli::Report(QStringLiteral("%1: %2").arg(info.fileName(), done ? QStringLiteral("done") : QStringLiteral("failed")));
    return done;
}

}  // namespace

const cli::TOptions& WatchOptions()
{
    static const cli::TOptions options = {
        {nullptr, "label", "L.blf", "the label every data file is printed on (required)"},
        {nullptr, "printer", "NAME", "print onto this printer (as for print: a queue, or socket://HOST[:PORT])"},
        {nullptr, "output-dir", "OUT",
         "print each data file into OUT/NAME.pdf instead (NAME: the data file's name without its suffix)"},
        {nullptr, "settle", "MS",
         "a data file is complete once its size and time stayed the same this long, 100 to 600000 ms "
         "(default 2000); write elsewhere and rename it in to have it taken at once"},
        {nullptr, "timeout", "S", "end a run that takes longer, 10 to 86400 seconds (default 600)"},
        {nullptr, "once", nullptr, "print what is there and what settles, then end instead of watching on"},
        {nullptr, "copies", "N", "as for print"},
        {nullptr, "on-invalid", "skip|abort", "as for print"},
        {nullptr, "allow-missing-columns", nullptr, "as for print"},
        {nullptr, "zpl", nullptr, "as for print"},
        {nullptr, "history", "URL|PATH", "the print history every run is recorded in, as for print"},
        {nullptr, "no-history", nullptr, "record nothing"},
    };
    return options;
}

int CmdWatch(const cli::TArguments& args)
{
    if (args.Positional.size() != 1)
        throw cli::UsageError(QStringLiteral("expects one folder to watch"));
    TWatchArgs a;
    a.folder = args.Positional.front();
    a.label = args.Value("label");
    a.outputDir = args.Value("output-dir");
    if (a.label.isEmpty())
        throw cli::UsageError(QStringLiteral("--label is required"));
    if (args.IsSet("printer") == args.IsSet("output-dir"))
        throw cli::UsageError(QStringLiteral("give either --printer NAME or --output-dir OUT"));
    if (args.IsSet("settle"))
        a.settleMs = cli::IntValue("settle", args.Value("settle"), 100, 600000);
    if (args.IsSet("timeout"))
        a.timeoutS = cli::IntValue("timeout", args.Value("timeout"), 10, 86400);
    a.once = args.IsSet("once");
    for (const char* option : {"printer", "copies", "on-invalid", "history"})
        if (args.IsSet(option))
            a.printArgs << QStringLiteral("--") + QLatin1String(option) << args.Value(option);
    for (const char* option : {"allow-missing-columns", "zpl", "no-history"})
        if (args.IsSet(option))
            a.printArgs << QStringLiteral("--") + QLatin1String(option);
    const QFileInfo folder(a.folder);
    if (!folder.isDir())
        throw cli::Failure(a.folder, QStringLiteral("no such folder"));
    cli::RequireFile(a.label);
    a.label = QFileInfo(a.label).absoluteFilePath();
    if (!a.outputDir.isEmpty() && !QFileInfo(a.outputDir).isDir())
        throw cli::Failure(a.outputDir, QStringLiteral("no such folder"));

    const cli::TStopSignals stop;

    cli::Report(QStringLiteral("watching %1").arg(a.folder));
    QHash<QString, TSeen> seen;
    int failed = 0;
    while (!stop.Requested()) {
        const QFileInfoList files =
            QDir(a.folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
        QHash<QString, TSeen> now;
        bool pending = false;
        for (const QFileInfo& info : files) {
            if (stop.Requested())
                break;
            if (!IsDataFile(info))
                continue;
            const QString path = info.absoluteFilePath();
            TSeen s = seen.value(path);
            if (s.Size != info.size() || s.Modified != info.lastModified()) {
                s.Size = info.size();
                s.Modified = info.lastModified();
                s.Unchanged.start();
            }
            if (s.Unchanged.elapsed() < a.settleMs) {
                now.insert(path, s);
                pending = true;
                continue;
            }
            if (!PrintOne(a, path))
                ++failed;
        }
        seen = now;
        if (a.once && !pending)
            break;
        for (int slept = 0; slept < 250 && !stop.Requested(); slept += 50)
            QThread::msleep(50);
    }
    if (stop.Requested())
        cli::Report(QStringLiteral("stopped"));
    return failed > 0 && a.once ? cli::ExitError : cli::ExitOk;
}
