// The hot folder: a data file written slowly in pieces is printed once, whole;
// a bad one goes to failed/ with its reason; each run is in the history; a
// SIGTERM ends the watch.
#include "common/PdfSupport.h"
#include "common/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace {

bool WaitFor(const QString& path, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!QFile::exists(path) && t.elapsed() < ms)
        QThread::msleep(50);
    return QFile::exists(path);
}

}  // namespace

TEST(WatchCli, PrintsEachCompleteFileOnceAndSortsItOut)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in")), out = dir.filePath(QStringLiteral("out"));
    QDir().mkpath(in);
    QDir().mkpath(out);
    QProcess watch;
    watch.start(QStringLiteral(TAGMORA_CLI_PATH),
                {"watch", in, "--label", testsupport::SourcePath(QStringLiteral("examples/shipping.blf")),
                 "--output-dir", out, "--settle", "500"});
    ASSERT_TRUE(watch.waitForStarted());

    // 8 rows (two sheets of 6) arriving in three pieces, each before the
    // file has settled.
    QFile slow(QDir(in).filePath(QStringLiteral("slow.csv")));
    ASSERT_TRUE(slow.open(QIODevice::WriteOnly));
    const QByteArray pieces[] = {"Name,Street,City,Tracking\r\n",
                                 "A,Street 1,City,TRK1\r\nB,Street 2,City,TRK2\r\nC,Street 3,City,TRK3\r\n",
                                 "D,Street 4,City,TRK4\r\nE,S5,C,TRK5\r\nF,S6,C,TRK6\r\nG,S7,C,TRK7\r\nH,S8,C,TRK8\r\n"};
    for (const QByteArray& piece : pieces) {
        slow.write(piece);
        slow.flush();
        QThread::msleep(200);
    }
    slow.close();
    ASSERT_TRUE(testsupport::WriteFile(QDir(in).filePath(QStringLiteral("bad.csv")), "Other\r\n1\r\n"));

    EXPECT_TRUE(WaitFor(QDir(in).filePath(QStringLiteral("done/slow.csv.log")), 30000));
    EXPECT_TRUE(WaitFor(QDir(in).filePath(QStringLiteral("failed/bad.csv.log")), 30000));
    EXPECT_EQ(printtest::PdfPageCount(QDir(out).filePath(QStringLiteral("slow.pdf"))), 2) << "all 8 rows";
    QFile log(QDir(in).filePath(QStringLiteral("failed/bad.csv.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("the data has no column"));
    EXPECT_EQ(QDir(in).entryList(QDir::Files), QStringList());

    // Each file once, as any print run.
    const auto history = testsupport::RunCli({"history", "--format", "csv"});
    EXPECT_EQ(history.out.count("slow.pdf"), 1) << history.out.constData();
    EXPECT_EQ(history.out.count("bad.pdf"), 1) << history.out.constData();

    ::kill(pid_t(watch.processId()), SIGTERM);
    ASSERT_TRUE(watch.waitForFinished(10000));
    EXPECT_EQ(watch.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(watch.exitCode(), 0);
    EXPECT_TRUE(watch.readAllStandardError().contains("stopped"));
}
