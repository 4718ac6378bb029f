// tagmora-cli import and datasheet: a data file goes into a label's datasheet
// and comes back out as CSV.
#include "common/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testsupport::FixturePath;
using testsupport::RunCli;
using testsupport::SourcePath;

TEST(CliImport, ImportsTextAndDatabaseTablesIntoTheLabel)
{
    QTemporaryDir dir;
    const QString label = SourcePath("examples/shipping.blf");
    const QString out = dir.filePath("out.blf");

    auto r = RunCli({"import", label, FixturePath("import/text/semicolon.csv"), "-o", out});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    auto csv = RunCli({"datasheet", out, "--csv"});
    ASSERT_EQ(csv.exitCode, 0);
    const QList<QByteArray> lines = csv.out.split('\n');
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines[0], QByteArray("Name,Code,Price\r"));
    EXPECT_TRUE(lines[1].endsWith(",\"1,50\"\r")) << lines[1].constData();

    // The design keeps its bindings; bound texts show the first imported row.
    const QByteArray before = RunCli({"plan", label}).out;
    const QByteArray after = RunCli({"plan", out}).out;
    EXPECT_EQ(after.count("DataOrigin=1"), before.count("DataOrigin=1"));
    EXPECT_GT(before.count("DataOrigin=1"), 0);

    r = RunCli({"import", label, FixturePath("import/mdb/products.mdb"), "--table", "customers", "-o", out});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    csv = RunCli({"datasheet", out, "--csv"});
    EXPECT_TRUE(csv.out.startsWith("ID,Name,City,Balance,Ratio,Joined,Active,Notes\r\n")) << csv.out.left(80).constData();
    EXPECT_TRUE(csv.out.contains("\"O'Brien, \"\"Jim\"\"\""));
}

TEST(CliImport, FailuresLeaveNoOutput)
{
    QTemporaryDir dir;
    const QString label = SourcePath("examples/shipping.blf");
    const QString out = dir.filePath("out.blf");

    auto r = RunCli({"import", label, FixturePath("import/mdb/products.mdb"), "--table", "nope", "-o", out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Products, Customers, Empty")) << r.err.constData();

    const QString broken = dir.filePath("broken.xls");
    ASSERT_TRUE(testsupport::WriteFile(broken, QByteArray(4096, '\x5a')));
    r = RunCli({"import", label, broken, "-o", out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.isEmpty());

    const QString dat = dir.filePath("data.dat");
    ASSERT_TRUE(testsupport::WriteFile(dat, "a,b\n1,2\n"));
    r = RunCli({"import", label, dat, "-o", out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(QFile::exists(out));

    EXPECT_EQ(RunCli({"import", label, dat}).exitCode, 2);
}

TEST(CliImport, HostileDataIsRefusedInOneLineAndTheOutputStays)
{
    QTemporaryDir dir;
    const QStringList files = {"ods-repeated-value.ods", "xlsx-empty.xlsx", "csv-long-cell.csv",
                               "csv-mixed-encodings.csv"};
    ASSERT_EQ(QProcess::execute(QStandardPaths::findExecutable("python3"),
                                QStringList{SourcePath("scripts/make-hostile-imports.py"), dir.path()} + files),
              0);
    const QString label = SourcePath("examples/shipping.blf");
    const QString out = dir.filePath("out.blf");
    for (const QString& name : files) {
        ASSERT_TRUE(testsupport::WriteFile(out, "previous"));
        const QString data = dir.filePath(name);
        const auto r = RunCli({"import", label, data, "-o", out});
        const QList<QByteArray> lines = r.err.trimmed().split('\n');
        ASSERT_EQ(lines.size(), 1) << r.err.constData();
        EXPECT_TRUE(lines[0].startsWith(("tagmora-cli import: " + data + ": ").toUtf8())) << r.err.constData();
        if (name.startsWith("csv-mixed")) {  // imported, with a warning
            EXPECT_EQ(r.exitCode, 0);
            EXPECT_TRUE(lines[0].endsWith("mixes UTF-8 and Windows-1252 text; each line was read in the encoding it "
                                          "fits. Check the imported text."));
            EXPECT_TRUE(RunCli({"datasheet", out, "--csv"}).out.contains("Stra\xC3\x9F" "e,K\xC3\xB6ln"));
        } else {
            EXPECT_EQ(r.exitCode, 1);
            EXPECT_EQ(testsupport::ReadFile(out), QByteArray("previous"));
        }
    }
}
