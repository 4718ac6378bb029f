// tagmora-cli print records every run once in the print history, history
// lists them, reprint prints a run's labels from what was recorded; a
// history that cannot be written never stops a print.
#include "common/BarcodeScan.h"
#include "common/HistorySupport.h"
#include "common/PdfSupport.h"
#include "common/TestSupport.h"
#include "barcode/bcchksum.h"
#include "engine/LabelDocument.h"
#include "engine/history/PrintHistory.h"
#include "engine/printing/SheetLayout.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using testsupport::RunCli;

QString Code(int row)
{
    const QString code = QStringLiteral("4006381%1").arg(row, 5, 10, QLatin1Char('0'));
    return code + QLatin1Char(Modulo10CheckDigit(code.toStdString()));
}

class HistoryCli : public ::testing::Test {
protected:
    QTemporaryDir dir;

    // 3 x 6 labels on A4: a text bound to "Name", an EAN-13 bound to "Code"
    // (none with barcode = false); its own datasheet holds rows rows.
    QString MakeLabel(int rows, bool barcode = true)
    {
        QStringList plan{"LabelSize 180,130", "LayoutRows 6", "LayoutCols 3", "MarginLeft 0.8", "MarginTop 1",
                         "MarginRight 0.8", "MarginBottom 1", "HorizontalSpace 0.2", "VerticalSpace 0.2",
                         "LabelCount -1", "PaperSize 9", "PaperOrientation -1",
                         "Object Text", "  X1=8", "  Y1=6", "  X2=172", "  Y2=30", "  DataOrigin=1",
                         "  DataExpression=Name", "End"};
        if (barcode)
            plan << QStringList{"Object Barcode", "  X1=24", "  Y1=36", "  X2=170", "  Y2=120", "  BarType=14",
                                "  Modul=4", "  DataOrigin=1", "  DataExpression=Code", "End"};
        TLabelDocument doc;
        doc.Plan().ReadPlan(plan);
        printtest::FillNameCodeRows(doc.Data, rows);
        const QString path = dir.filePath("label.blf");
        doc.Save(path);
        return path;
    }
    // n rows of Name and Code; the rows listed get the invalid code "12A45".
    QString MakeData(int n, std::initializer_list<int> invalid = {})
    {
        QByteArray csv = "Name,Code\r\n";
        for (int r = 1; r <= n; ++r)
            csv += QStringLiteral("Item %1,%2\r\n").arg(r).arg(std::find(invalid.begin(), invalid.end(), r) != invalid.end() ? QStringLiteral("12A45") : Code(r)).toUtf8();
        const QString path = dir.filePath("rows.csv");
        testsupport::WriteFile(path, csv);
        return path;
    }
};

}  // namespace

TEST_F(HistoryCli, EveryPrintRunRecordsOneEntry)
{
    const QString label = MakeLabel(3);
    const QString rows = MakeData(100), bad = dir.filePath("bad.csv");
    testsupport::WriteFile(bad, ("Name,Code\r\na," + Code(1) + "\r\nb,12A45\r\n").toUtf8());
    const QString out = dir.filePath("out.pdf");
    const struct {
        QStringList args;
        int exit;
        const char* result;
        const char* labels;
        int painted, pages, copies;
        const char* message;  // part of the recorded message
    } cases[] = {
        {{"--data", rows}, 0, "done", "1-100", 100, 6, 1, ""},
        {{"--data", rows, "--pages", "2", "--copies", "2"}, 0, "done", "19-36", 18, 1, 2, ""},
        {{}, 0, "done", "1-3", 3, 1, 1, ""},
        {{"--data", bad}, 1, "aborted", "1", 1, 1, 1, "line 2"},
        {{"--data", rows, "--pages", "9"}, 1, "failed", "", 0, 0, 1, "no such pages"},
        {{"--printer", "Nowhere"}, 1, "failed", "", 0, 0, 1, "no printer named Nowhere"},
        {{"--no-history"}, 0, nullptr, "", 0, 0, 0, ""},
    };
    for (const QString& store : historytest::Stores(dir)) {
        SCOPED_TRACE(store.toStdString());
        size_t recorded = 0;
        for (const auto& test : cases) {
            SCOPED_TRACE(test.args.join(' ').toStdString());
            QStringList args{"print", label, "-o", out, "--history", store};
            if (test.args.contains("--printer"))
                args.remove(2, 2);
            // --no-history wins over the variable.
            const QByteArray variable = store.toUtf8();
            if (test.args.contains("--no-history"))
                args.remove(4, 2);
            const auto r = RunCli(args + test.args, {}, [&variable] { setenv("TAGMORA_HISTORY", variable.constData(), 1); });
            EXPECT_EQ(r.exitCode, test.exit) << r.err.constData();
            EXPECT_FALSE(r.err.contains("warning")) << r.err.constData();
            const std::vector<THistoryRun> runs = THistoryStore(store).Runs();
            if (!test.result) {
                EXPECT_EQ(runs.size(), recorded);
                continue;
            }
            ASSERT_EQ(runs.size(), ++recorded);
            const THistoryRun& run = runs.front();
            EXPECT_EQ(HistoryResultName(run.Result), QLatin1String(test.result));
            EXPECT_EQ(run.LabelRangesText(), QLatin1String(test.labels));
            EXPECT_EQ(run.LabelCount, test.painted);
            EXPECT_EQ(run.Pages, test.pages);
            EXPECT_EQ(run.Copies, test.copies);
            EXPECT_TRUE(run.Message.contains(QLatin1String(test.message))) << run.Message.toStdString();
            EXPECT_EQ(run.LabelPath, label);
            EXPECT_EQ(run.Output, test.args.contains("--printer") ? QStringLiteral("Nowhere") : out);
            EXPECT_EQ(run.LabelSha256, Sha256Hex(testsupport::ReadFile(label)));
        }
        const auto listing = RunCli({"history", "--history", store, "--result", "done", "--format", "csv"});
        EXPECT_EQ(listing.exitCode, 0) << listing.err.constData();
        EXPECT_EQ(listing.out.count("\r\n"), 4) << listing.out.constData();  // the header and three runs
    }
}

TEST_F(HistoryCli, ReprintPrintsTheRecordedLabelsAndData)
{
    if (!testsupport::ScanAvailable())
        GTEST_SKIP() << "ZXing was not found at build time";
    const QString store = historytest::Stores(dir).last();
    QString label = MakeLabel(3);
    const QString rows = MakeData(100);
    auto r = RunCli({"print", label, "--data", rows, "-o", dir.filePath("all.pdf"), "--history", store});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    // The label and the data change on disk afterwards: the reprint prints
    // what the run printed.
    QFile::remove(rows);
    label = MakeLabel(1, false);

    const QString out = dir.filePath("again.pdf");
    r = RunCli({"reprint", "1", "--labels", "19-20", "-o", out, "--history", store});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.err, QByteArray("tagmora-cli reprint: run 1: 2 labels on 1 page, recorded as run 2\n"));
    const QList<QImage> pages = printtest::RenderPdfPages(out, 300);
    ASSERT_EQ(pages.size(), 1);
    TLabelDocument doc;
    doc.Open(dir.filePath("label.blf"));
    const TSheetLayout layout = SheetLayoutOf(doc.Plan(), 300, pages[0].size());
    // Labels 19 and 20 take the first two places of their sheet, the other
    // places stay empty.
    QStringList expected{Code(19), Code(20)};
    for (int k = 21; k <= 36; ++k)
        expected << QString();
    EXPECT_EQ(printtest::DecodeLabelPlaces(pages[0], layout, 19, 36), expected);

    const THistoryRun reprint = THistoryStore(store).Run(2);
    EXPECT_EQ(reprint.ReprintOf, 1);
    EXPECT_EQ(reprint.LabelRangesText(), QStringLiteral("19-20"));
    EXPECT_EQ(reprint.Result, THistoryResult::Done);

    // Labels the run does not have: refused, and recorded as failed.
    r = RunCli({"reprint", "1", "--labels", "100-101", "-o", out, "--history", store});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Labels 100-101 are not in this run of 100 labels")) << r.err.constData();
    EXPECT_EQ(THistoryStore(store).Run(3).Result, THistoryResult::Failed);
}

TEST_F(HistoryCli, AHistoryThatCannotBeWrittenOnlyWarns)
{
    const QString label = MakeLabel(3);
    const QString file = dir.filePath("file");
    testsupport::WriteFile(file, "not a folder");
    for (const QString& store : QStringList{file + "/history.sqlite", "postgresql://tagmora@127.0.0.1:1/none"}) {
        SCOPED_TRACE(store.toStdString());
        const QString out = dir.filePath("printed.pdf");
        QFile::remove(out);
        const auto r = RunCli({"print", label, "-o", out, "--history", store});
        EXPECT_EQ(r.exitCode, 0) << r.err.constData();
        EXPECT_TRUE(QFile::exists(out));
        EXPECT_TRUE(r.err.startsWith(QByteArray(QByteArray("tagmora-cli print: warning: the run was not recorded: print history ") +
                                     store.toUtf8())))
            << r.err.constData();
        EXPECT_TRUE(r.err.endsWith("tagmora-cli print: 3 labels on 1 page\n")) << r.err.constData();
        const auto listing = RunCli({"history", "--history", store});
        EXPECT_EQ(listing.exitCode, 1);
        EXPECT_TRUE(listing.err.contains(store.toUtf8())) << listing.err.constData();
    }
}
