// Label files through tagmora-cli: the hand-written label, the printer a
// file names, errors.
#include "common/TestSupport.h"
#include "document/LabelFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

// A label file from its plan and datasheet blocks.
QByteArray Container(const QByteArray& plan, const QByteArray& data)
{
    QByteArray header = LabelFileHeader();
    header.resize(kLabelFilePlanOffset, '\0');
    QByteArray length(4, '\0');
    qToLittleEndian<qint32>(qint32(plan.size()), length.data());
    QByteArray file = header + length + plan;
    qToLittleEndian<qint32>(qint32(data.size()), length.data());
    return file + length + data;
}

struct Blocks {
    QByteArray plan, data;
};

Blocks SplitLabelFile(const QByteArray& file)
{
    Blocks b;
    const qint32 l1 = qFromLittleEndian<qint32>(file.constData() + 513);
    b.plan = file.mid(517, l1);
    const qint32 l2 = qFromLittleEndian<qint32>(file.constData() + 517 + l1);
    b.data = file.mid(521 + l1, l2);
    return b;
}

testsupport::CliResult RunWithPrinters(const QByteArray& printers, const QStringList& args)
{
    qputenv("TAGMORA_PRINTERS", printers);
    auto r = testsupport::RunCli(args);
    qunsetenv("TAGMORA_PRINTERS");
    return r;
}

}  // namespace

TEST(LabelFileCli, HandWrittenLabelPrintsItsPlanAndConvertsLosslessly)
{
    const QString source = testsupport::SourcePath("tests/cli/data/everything.blf");
    QByteArray expected = ReadFile(testsupport::SourcePath("tests/cli/data/everything.expected"));
    ASSERT_FALSE(expected.isEmpty());
    expected.replace("\n", "\r\n");

    // The committed label file holds the hand-written plan and datasheet.
    const Blocks original = SplitLabelFile(ReadFile(source));
    QByteArray handWritten = ReadFile(testsupport::SourcePath("tests/cli/data/everything.plan"));
    EXPECT_EQ(original.plan, handWritten.replace("\n", "\r\n"));

    const auto plan = RunWithPrinters("", {"plan", source});
    ASSERT_EQ(plan.exitCode, 0) << plan.err.toStdString();
    EXPECT_EQ(plan.out, expected);

    QTemporaryDir dir;
    const QString out = dir.filePath("converted.blf");
    const auto convert = RunWithPrinters("", {"convert", source, out});
    ASSERT_EQ(convert.exitCode, 0) << convert.err.toStdString();
    const Blocks converted = SplitLabelFile(ReadFile(out));
    EXPECT_EQ(converted.plan, expected);
    EXPECT_EQ(converted.data, original.data);
    const auto again = RunWithPrinters("", {"plan", out});
    EXPECT_EQ(again.out, expected);
    // Saving what was saved changes nothing.
    const QString out2 = dir.filePath("again.blf");
    RunWithPrinters("", {"convert", out, out2});
    EXPECT_EQ(ReadFile(out2), ReadFile(out));
}

TEST(LabelFileCli, PrinterOfTheFileIsReconciledWithTheInstalledOnes)
{
    const QString source = testsupport::SourcePath("tests/cli/data/everything.blf");
    // The stored index 1 names "Label Printer": kept, and new barcodes took the
    // default printer's 203 dpi while the label was read.
    auto r = RunWithPrinters("Office@600x300;Label Printer@203*", {"plan", source});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains("\r\nOutputPrinterName Label Printer\r\nOutputPrinter 1\r\n"));
    EXPECT_TRUE(r.out.contains("\r\n  BarHeight=120\r\n"));
    // Index 1 is another printer now: the default printer is taken.
    r = RunWithPrinters("Label Printer@203;Office@600*", {"plan", source});
    EXPECT_TRUE(r.out.contains("\r\nOutputPrinterName Office\r\nOutputPrinter -1\r\n"));
    EXPECT_TRUE(r.out.contains("\r\n  BarHeight=354\r\n"));
}

TEST(LabelFileCli, Errors)
{
    QTemporaryDir dir;
    auto r = testsupport::RunCli({"plan"});
    EXPECT_EQ(r.exitCode, 2);
    r = testsupport::RunCli({"convert", "a.blf"});
    EXPECT_EQ(r.exitCode, 2);
    r = testsupport::RunCli({"plan", dir.filePath("missing.blf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("no such file"));

    const QString bad = dir.filePath("bad.blf");
    WriteFile(bad, Container("Object Circle\r\n", ""));
    r = testsupport::RunCli({"plan", bad});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Invalid object: Circle"));
    EXPECT_TRUE(r.out.isEmpty());

    const QString out = dir.filePath("out.blf");
    r = testsupport::RunCli({"convert", bad, out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(QFile::exists(out));

    WriteFile(bad, "short");
    r = testsupport::RunCli({"plan", bad});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("cut short"));
}

TEST(LabelFileCli, ExampleOpens)
{
    const auto r = RunWithPrinters("", {"plan", testsupport::SourcePath("examples/shipping.blf")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("LabelSize 288,216\r\n"));
    EXPECT_EQ(r.out.count("\r\nObject "), 10);
}
