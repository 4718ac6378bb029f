// tagmora-cli's conventions: option syntax, help, barcode type names, files
// named "-", outputs that are inputs, write errors.
#include "common/TestSupport.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "barcode/Barcode.h"

#include <gtest/gtest.h>

using testsupport::RunCli;
using testsupport::SourcePath;

namespace {

const QStringList kCommands = {"plan",    "convert", "datasheet", "import", "print",
                               "barcode", "render",  "validate",  "types"};

}  // namespace

TEST(Cli, VersionHelpAndUsageErrors)
{
    for (const char* v : {"--version", "-V"}) {
        auto r = RunCli({v});
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.out.trimmed(), QByteArray("Tagmora 4.2"));
    }
    EXPECT_EQ(RunCli({"types", "-V"}).out.trimmed(), QByteArray("Tagmora 4.2"));

    // Every command has its help, wrapped at 80 columns, listing the exit codes.
    for (const QString& command : QStringList{"--help"} + kCommands) {
        const auto h = command == "--help" ? RunCli({"--help"}) : RunCli({command, "-h"});
        EXPECT_EQ(h.exitCode, 0) << command.toStdString();
        const QByteArray start =
            command == "--help" ? QByteArray("Tagmora 4.2") : "Usage: tagmora-cli " + command.toUtf8();
        EXPECT_TRUE(h.out.startsWith(start)) << h.out.left(80).constData();
        EXPECT_TRUE(h.out.contains("Exit status: 0 success, 1 failure")) << command.toStdString();
        for (const QByteArray& line : h.out.split('\n'))
            EXPECT_LE(line.size(), 80) << line.constData();
    }

    EXPECT_EQ(RunCli({}).exitCode, 2);
    const auto bad = RunCli({"no-such-command"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.contains("unknown command"));
}

TEST(Cli, OptionSyntaxIsTheSameEverywhere)
{
    struct Case {
        QStringList args;
        int exitCode;
        QByteArray out;  // expected on stdout (0) or in the message on stderr
    };
    const QString label = SourcePath("examples/shipping.blf");
    const QList<Case> cases = {
        // Values that look like options are values; Qt takes none of them.
        {{"barcode", "--type", "6", "--text", "-platform", "--pattern"}, 0, "\n-platform\n"},
        {{"barcode", "--type=6", "--text", "--help", "--pattern"}, 0, "\n--help\n"},
        {{
             "barcode",
             "-t",
             "6",
             "--text=-reverse",
             "--pattern",
             "--",
         },
         0,
         "\n-reverse\n"},
        {{"barcode", "-t6", "--text", "-style", "--pattern"}, 0, "\n-style\n"},
        {{"validate", "--type", "EAN13", "--", "--bogus"}, 1, "invalid\n"},
        {{"validate", "--type", "EAN13", "--bogus", "123"}, 2, "unknown option '--bogus'"},
        {{"plan", label, "--bogus"}, 2, "unknown option '--bogus'"},
        {{"plan", label, "-x"}, 2, "unknown option '-x'"},
        {{"datasheet", label, "--csv=yes"}, 2, "--csv takes no value"},
        {{"barcode", "--type", "6", "--pattern", "--text"}, 2, "--text needs a value"},
        {{"barcode", "--type", "2_5_interleaved", "--text", "1234", "--ratio", "0.5", "--pattern"}, 2, "--ratio"},
        {{"barcode", "--type", "MaxiCode", "--text", "1", "--pattern"}, 2, "unknown barcode type 'MaxiCode'"},
        {{"import", label, SourcePath("tests/fixtures/none.csv"), "-o", "x.blf", "--table", "T"}, 2, "has no tables"},
        {{"types", "extra"}, 2, "takes no arguments"},
    };
    for (const Case& c : cases) {
        const auto r = RunCli(c.args);
        const std::string what = c.args.join(' ').toStdString() + "\n" + r.err.toStdString();
        EXPECT_EQ(r.exitCode, c.exitCode) << what;
        if (c.exitCode == 2) {
            EXPECT_TRUE(r.err.contains(c.out)) << what;
            EXPECT_EQ(r.err.count('\n'), 1) << what;
        } else {
            EXPECT_TRUE(r.out.endsWith(c.out)) << what << r.out.constData();
        }
    }
}

TEST(Cli, BarcodeTypesByNumberNameOrAlias)
{
    const auto types = RunCli({"types"});
    ASSERT_EQ(types.exitCode, 0);
    EXPECT_EQ(types.out.count('\n'), kBarcodeTypeCount);
    EXPECT_TRUE(types.out.contains("14  EAN13")) << types.out.constData();

    // Each name encodes the text exactly as the number does.
    const QList<QStringList> same = {{"14", "EAN13", "ean-13", "bcCodeEAN13", "5901234123457"},
                                     {"23", "Code128", "code128auto", "CODE128", "Tag-42"},
                                     {"12", "Codabar", "Codebar", "codabar", "A123B"},
                                     {"0", "ITF", "2_5_interleaved", "2 5 interleaved", "1234"},
                                     {"15", "UPC-A", "upc_a", "UPCA", "012345678905"}};
    for (const QStringList& names : same) {
        const QString text = names.back();
        const auto expected = RunCli({"barcode", "--type", names.front(), "--text", text, "--pattern"});
        ASSERT_EQ(expected.exitCode, 0) << expected.err.constData();
        for (qsizetype i = 1; i + 1 < names.size(); ++i) {
            const auto r = RunCli({"barcode", "--type", names.at(i), "--text", text, "--pattern"});
            EXPECT_EQ(r.out, expected.out) << names.at(i).toStdString() << r.err.constData();
        }
    }
}

TEST(Cli, DashIsStandardOutputAndOutputsAreNeverInputs)
{
    QTemporaryDir dir;
    const QString label = dir.filePath("shipping.blf");
    ASSERT_TRUE(QFile::copy(SourcePath("examples/shipping.blf"), label));
    const QByteArray before = testsupport::ReadFile(label);

    EXPECT_TRUE(RunCli({"render", label, "-o", "-", "--format", "png"}).out.startsWith("\x89PNG"));
    EXPECT_TRUE(
        RunCli({"barcode", "--type", "14", "--text", "5901234123457", "-o", "-", "--format=svg"}).out.contains("<svg"));
    EXPECT_EQ(RunCli({"plan", label, "-o", "-"}).out, RunCli({"plan", label}).out);
    EXPECT_EQ(RunCli({"render", label, "-o", "-"}).exitCode, 2);  // no format to go by

    const QList<QStringList> overwriting = {{"plan", label, "-o", label},
                                            {"convert", label, dir.filePath("./shipping.blf")},
                                            {"datasheet", label, "-o", label},
                                            {"import", label, label, "-o", label}};
    for (const QStringList& args : overwriting) {
        const auto r = RunCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("is the input")) << r.err.constData();
    }
    EXPECT_EQ(testsupport::ReadFile(label), before);
}

TEST(Cli, WriteErrorsFailWithOneLineNamingTheFile)
{
    QProcess p;
    p.setStandardOutputFile(QStringLiteral("/dev/full"));
    p.start(QStringLiteral(TAGMORA_CLI_PATH), {"plan", SourcePath("examples/shipping.blf")});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_EQ(p.readAllStandardError(),
              QByteArray("tagmora-cli plan: standard output: cannot write: No space left on device\n"));

    // A device is written in place, never replaced or removed.
    for (const QStringList& args :
         QList<QStringList>{{"print", SourcePath("examples/shipping.blf"), "-o", "/dev/full"},
                            {"datasheet", SourcePath("examples/shipping.blf"), "-o", "/dev/full"}}) {
        const auto r = RunCli(args);
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.endsWith(": /dev/full: cannot write: No space left on device\n")) << r.err.constData();
    }
    EXPECT_TRUE(QFileInfo::exists("/dev/full") && !QFileInfo("/dev/full").isFile());

    // A folder that does not exist: our message, none of Qt's.
    const auto r = RunCli({"render", SourcePath("examples/shapes.blf"), "-o", "/nonexistent/dir/x.pdf"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith("tagmora-cli render: /nonexistent/dir/x.pdf: cannot write")) << r.err.constData();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.constData();
}
