// Printing from a CSV into a PDF, as "tagmora-cli print sheet.blf --data
// rows.csv -o out.pdf" does: 3 x 6 labels per A4 sheet, each a bound text and
// a bound EAN-13 (bench/print/sheet.plan), at 600 dpi; and one preview sheet.
// scripts/compare-glabels.sh runs the same sheet against gLabels.
#include "engine/LabelDocument.h"
#include "engine/printing/PdfPrinter.h"
#include "engine/printing/PreviewPage.h"
#include "engine/printing/PrintJob.h"
#include "engine/printing/ZplPrinter.h"

#include "document/StandInPrinter.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

QByteArray Csv(int rows)
{
    QByteArray csv = "Name,Code\n";
    for (int i = 1; i <= rows; ++i)
        csv += "Item " + QByteArray::number(i) + ",590123" + QByteArray::number(i).rightJustified(6, '0') + '\n';
    return csv;
}

// The rows written into dir/rows.csv; its path.
QString WriteCsv(const QTemporaryDir& dir, int rows)
{
    const QString path = dir.filePath(QStringLiteral("rows.csv"));
    QFile csv(path);
    csv.open(QIODevice::WriteOnly);
    csv.write(Csv(rows));
    return path;
}

void LoadSheet(TLabelDocument& doc, const char* name = "sheet.plan")
{
    QFile plan(QStringLiteral(TAGMORA_SOURCE_DIR "/bench/print/") + QLatin1String(name));
    if (!plan.open(QIODevice::ReadOnly))
        throw std::runtime_error("a plan in bench/print is missing");
    doc.Plan().LoadPlanFromBytes(plan.readAll());
}

double PeakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void BM_PrintCsvToPdf(benchmark::State& state)
{
    const int labels = int(state.range(0));
    QTemporaryDir dir;
    const QString csvPath = WriteCsv(dir, labels);
    TPdfPrinter pdf(600);
    pdf.SetOutputFileName(dir.filePath(QStringLiteral("out.pdf")));
    TScopedPrinter guard(pdf);
    TPrintOutcome outcome;
    for (auto _ : state) {
        TLabelDocument doc;
        LoadSheet(doc);
        doc.Data.ImportFile(csvPath, TTablePicker());
        doc.Data.BuildPrintGrid();
        outcome = PrintLabels(doc.Plan(), doc.Data, TPrintRequest());
    }
    state.counters["labels"] = outcome.Painted;
    state.counters["pages"] = outcome.Pages;
    state.counters["labels/s"] = benchmark::Counter(double(labels), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_rss_MB"] = PeakRssMb();
    state.counters["pdf_MB"] = QFileInfo(pdf.OutputFileName()).size() / 1048576.0;
}
BENCHMARK(BM_PrintCsvToPdf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// A thermal printer's run: 10,000 roll labels of 4 x 2 inches (bench/print/
// roll.plan) to ZPL II at 203 dpi, each label one format with its page as a
// compressed graphic field. Target: under 2 s.
void BM_PrintCsvToZpl(benchmark::State& state)
{
    const int labels = int(state.range(0));
    QTemporaryDir dir;
    const QString csvPath = WriteCsv(dir, labels);
    TZplPrinter zpl(TZplSettings{});
    zpl.SetOutputFileName(dir.filePath(QStringLiteral("out.zpl")));
    TScopedPrinter guard(zpl);
    TPrintOutcome outcome;
    for (auto _ : state) {
        TLabelDocument doc;
        LoadSheet(doc, "roll.plan");
        doc.Data.ImportFile(csvPath, TTablePicker());
        doc.Data.BuildPrintGrid();
        outcome = PrintLabels(doc.Plan(), doc.Data, TPrintRequest());
    }
    state.counters["labels"] = outcome.Painted;
    state.counters["labels/s"] = benchmark::Counter(double(labels), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_rss_MB"] = PeakRssMb();
    state.counters["zpl_MB"] = QFileInfo(zpl.OutputFileName()).size() / 1048576.0;
}
BENCHMARK(BM_PrintCsvToZpl)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

void BM_PreviewSheet(benchmark::State& state)
{
    TStandInPrinter printer;
    TScopedPrinter guard(printer);
    printer.AddPrinter(TStandInPrinter::FromPrinterList(QStringLiteral("Office@600"))->Info(0));
    TLabelDocument doc;
    LoadSheet(doc);
    TAdvStringGrid& g = doc.Data.StrGrid_Data;
    g.SetColCount(3);
    g.SetRowCount(19);
    g.SetCell(1, 0, u"Name");
    g.SetCell(2, 0, u"Code");
    for (int r = 1; r <= 18; ++r) {
        g.SetCell(1, r, QStringLiteral("Item %1").arg(r));
        g.SetCell(2, r, QStringLiteral("590123%1").arg(r, 6, 10, QLatin1Char('0')));
    }
    doc.Data.BuildPrintGrid();
    doc.Plan().PntDPI = 600;
    for (auto _ : state) {
        TPreviewPage page = RenderPreviewPage(doc.Plan(), doc.Data, 1, 1);
        benchmark::DoNotOptimize(page.Picture.CommandCount());
    }
}
BENCHMARK(BM_PreviewSheet)->Unit(benchmark::kMillisecond);

// Any page of a 100,000-label run renders on its own: the pages before it are
// not rendered, so the last page costs what the first does (under 100 ms).
void BM_PreviewPageOfLargeRun(benchmark::State& state)
{
    static TLabelDocument* doc = [] {
        auto* d = new TLabelDocument;
        LoadSheet(*d);
        TAdvStringGrid& g = d->Data.StrGrid_Data;
        g.SetColCount(3);
        g.SetRowCount(100001);
        g.SetCell(1, 0, u"Name");
        g.SetCell(2, 0, u"Code");
        for (int r = 1; r <= 100000; ++r) {
            g.SetCell(1, r, QStringLiteral("Item %1").arg(r));
            g.SetCell(2, r, QStringLiteral("590123%1").arg(r, 6, 10, QLatin1Char('0')));
        }
        d->Data.BuildPrintGrid();
        return d;
    }();
    TStandInPrinter printer;
    TScopedPrinter guard(printer);
    printer.AddPrinter(TStandInPrinter::FromPrinterList(QStringLiteral("Office@600"))->Info(0));
    doc->Plan().PntDPI = 600;
    const int pages = PreviewPageCount(doc->Plan(), doc->Data);
    const int page = std::max(1, int(pages * state.range(0) / 100));
    for (auto _ : state) {
        TPreviewPage p = RenderPreviewPage(doc->Plan(), doc->Data, page, 1);
        benchmark::DoNotOptimize(p.Picture.CommandCount());
    }
    state.counters["page"] = page;
    state.counters["pages"] = pages;
}
// The page at 0 %, 50 % and 100 % of the run.
BENCHMARK(BM_PreviewPageOfLargeRun)->Arg(0)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
