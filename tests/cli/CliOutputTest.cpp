// tagmora-cli's outputs: a full disk fails every command with one line and
// keeps the old file; devices, pipes and links are written, not replaced; an
// interrupted run leaves no work file behind.
#include "common/FullDisk.h"
#include "common/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using testsupport::ReadFile;
using testsupport::RunCli;
using testsupport::SourcePath;
using testsupport::WriteFile;

namespace {

const QString kLabel = SourcePath("examples/shipping.blf");

QString CsvFile(const QTemporaryDir& dir, int rows)
{
    QByteArray csv = "Name,Street,City,Tracking\n";
    for (int i = 1; i <= rows; ++i)
        csv += QStringLiteral("N %1,S %1,C %1,TRK%1\n").arg(i).toUtf8();
    const QString path = dir.filePath(QStringLiteral("rows.csv"));
    WriteFile(path, csv);
    return path;
}

QStringList WorkFiles(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral(".*.tagmora-*")}, QDir::Files | QDir::Hidden | QDir::System);
}

}  // namespace

TEST(CliOutput, AFullDiskFailsEveryCommandAndKeepsTheOldFile)
{
    testsupport::TFullDisk disk;
    if (!disk.Unavailable().isEmpty())
        GTEST_SKIP() << disk.Unavailable().toStdString();
    QTemporaryDir dir;
    const QString csv = CsvFile(dir, 3);
    struct Case {
        QString command, target;
        QStringList args;
    };
    const QList<Case> cases = {
        {"print", "sheet.pdf", {"print", kLabel, "-o"}},
        {"convert", "copy.blf", {"convert", kLabel}},
        {"import", "imported.blf", {"import", kLabel, csv, "-o"}},
        {"plan", "plan.txt", {"plan", kLabel, "-o"}},
        {"datasheet", "sheet.csv", {"datasheet", kLabel, "--csv", "-o"}},
        {"render", "label.png", {"render", kLabel, "-o"}},
    };
    QStringList names;
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteFile(disk.FilePath(c.target), "old " + c.target.toUtf8()));
        names << c.target;
    }
    disk.Fill();
    for (const Case& c : cases) {
        const QString target = disk.FilePath(c.target);
        const auto r = disk.RunCli(c.args + QStringList{target});
        EXPECT_EQ(r.exitCode, 1) << c.command.toStdString();
        EXPECT_EQ(QString::fromUtf8(r.err),
                  QStringLiteral("tagmora-cli %1: %2: cannot write: %3\n").arg(c.command, target, disk.Reason()));
        EXPECT_EQ(ReadFile(target), "old " + c.target.toUtf8()) << c.command.toStdString();
    }
    names.sort();
    EXPECT_EQ(disk.Entries(), names);  // no work files left
}

TEST(CliOutput, DevicesPipesAndLinksAreWrittenNotReplaced)
{
    QTemporaryDir dir;
    const QString csv = CsvFile(dir, 3);
    const QString plain = dir.filePath("plain.blf");
    ASSERT_EQ(RunCli({"convert", kLabel, plain}).exitCode, 0);
    const QByteArray saved = ReadFile(plain);

    // A device stays a device: root would otherwise replace /dev/null.
    for (const QStringList& args :
         {QStringList{"convert", kLabel, "/dev/null"}, QStringList{"import", kLabel, csv, "-o", "/dev/null"}}) {
        const auto r = RunCli(args);
        EXPECT_EQ(r.exitCode, 0) << r.err.constData();
        struct stat st {};
        ASSERT_EQ(::stat("/dev/null", &st), 0);
        EXPECT_TRUE(S_ISCHR(st.st_mode));
    }

    // A pipe gets the label and stays a pipe.
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    auto read = std::async(std::launch::async, [&fifo] { return ReadFile(fifo); });
    const auto r = RunCli({"convert", kLabel, fifo});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(read.get(), saved);
    EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());

    // Through a link the file it leads to is replaced, keeping its rights,
    // owner and group; the link stays.
    const QString real = dir.filePath("real.blf");
    const QString link = dir.filePath("link.blf");
    ASSERT_TRUE(WriteFile(real, "old"));
    ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(QFile::encodeName(real).constData(), 65534, 65534), 0);
    }
    ASSERT_TRUE(QFile::link("real.blf", link));
    EXPECT_EQ(RunCli({"convert", kLabel, link}).exitCode, 0);
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), real);
    EXPECT_EQ(ReadFile(real), saved);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
    }
    EXPECT_TRUE(WorkFiles(dir.path()).isEmpty());
}

// A run stopped by a signal dies of it, leaves the old file and removes its
// work file.
TEST(CliOutput, SignalsRemoveTheWorkFile)
{
    QTemporaryDir dir;
    const QString csv = CsvFile(dir, 20000);
    const QString out = dir.filePath("sheet.pdf");
    ASSERT_TRUE(WriteFile(out, "old"));
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        QProcess p;
        testsupport::StartCli(p, {"print", kLabel, "--data", csv, "-o", out});
        ASSERT_TRUE(p.waitForStarted());
        QElapsedTimer waited;
        waited.start();
        while (WorkFiles(dir.path()).isEmpty() && p.state() == QProcess::Running && waited.elapsed() < 60000)
            QThread::msleep(5);
        ASSERT_EQ(WorkFiles(dir.path()).size(), 1) << "no work file while printing";
        EXPECT_TRUE(WorkFiles(dir.path()).front().startsWith(".sheet.pdf.tagmora-"));
        ::kill(pid_t(p.processId()), signal);
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitStatus(), QProcess::CrashExit) << signal;
        EXPECT_EQ(p.exitCode(), signal);
        EXPECT_TRUE(WorkFiles(dir.path()).isEmpty()) << signal;
        EXPECT_EQ(ReadFile(out), "old");
    }
}
