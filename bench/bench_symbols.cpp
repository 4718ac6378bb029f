// The 2D and GS1 codes: building and drawing a QR Code of 100 characters at
// 300 dpi (each iteration a new text, so the library encodes every time), and
// printing 10,000 labels with a bound QR Code and a bound GS1-128 to PDF
// against the same run with the EAN-13 sheet of bench_print.
#include "barcode/Barcode.h"
#include "engine/LabelDocument.h"
#include "engine/printing/PdfPrinter.h"
#include "engine/printing/PrintJob.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_QrCodeBuildAndDraw(benchmark::State& state)
{
    QImage canvas(600, 600, QImage::Format_Grayscale8);
    TBarcode qr;
    qr.SetTyp(bcQRCode);
    qr.SetModul(4);  // 0.34 mm at 300 dpi
    qr.SetShowText(bcoNone);
    qr.SetLeft(20);
    qr.SetTop(20);
    const std::string base =
        "https://example.com/tagmora/items/2026/warehouse-7/shelf-42/lot-AB12?serial=";
    int n = 0;
    for (auto _ : state) {
        qr.SetText(base + std::to_string(1000000000 + n++));  // 100 characters
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        qr.DrawBarcode(painter);
    }
    state.counters["modules"] = qr.LibrarySymbol() ? qr.LibrarySymbol()->Width : 0;
}
BENCHMARK(BM_QrCodeBuildAndDraw)->Unit(benchmark::kMicrosecond);

// The bench_print sheet with its EAN-13 (0), or with a QR Code bound to
// "Link" and a GS1-128 bound to "Gs1" in its place (1).
QByteArray SheetPlan(bool codes)
{
    QFile file(QStringLiteral(TAGMORA_SOURCE_DIR "/bench/print/sheet.plan"));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("bench/print/sheet.plan is missing");
    QByteArray plan = file.readAll();
    if (codes) {
        plan = plan.left(plan.indexOf("Object Barcode"));
        plan += "Object Barcode\n  X1=8\n  Y1=36\n  X2=80\n  Y2=110\n  BarType=25\n  ShowText=0\n  Modul=3\n"
                "  ModulDPI=300\n  DataOrigin=1\n  DataExpression=Link\nEnd\n"
                "Object Barcode\n  X1=84\n  Y1=36\n  X2=176\n  Y2=120\n  Angle=90\n  BarType=36\n  ShowText=1\n"
                "  Modul=1\n  ModulDPI=300\n  FontName=DejaVu Sans\n  FontSize=6\n  DataOrigin=1\n"
                "  DataExpression=Gs1\nEnd\n";
    }
    return plan;
}

void BM_PrintCodesToPdf(benchmark::State& state)
{
    const bool codes = state.range(0) != 0;
    constexpr int kLabels = 10000;
    TLabelDocument doc;
    doc.Plan().LoadPlanFromBytes(SheetPlan(codes));
    TAdvStringGrid& g = doc.Data.StrGrid_Data;
    g.SetColCount(5);
    g.SetRowCount(kLabels + 1);
    g.SetCell(1, 0, u"Name");
    g.SetCell(2, 0, u"Code");
    g.SetCell(3, 0, u"Link");
    g.SetCell(4, 0, u"Gs1");
    for (int r = 1; r <= kLabels; ++r) {
        g.SetCell(1, r, QStringLiteral("Item %1").arg(r));
        g.SetCell(2, r, QStringLiteral("590123%1").arg(r, 6, 10, QLatin1Char('0')));
        g.SetCell(3, r, QStringLiteral("https://example.com/i/%1").arg(r));
        g.SetCell(4, r, QStringLiteral("(01)09501101530003(21)%1").arg(r));
    }
    doc.Data.BuildPrintGrid();
    QTemporaryDir dir;
    TPdfPrinter pdf(600);
    pdf.SetOutputFileName(dir.filePath(QStringLiteral("out.pdf")));
    TScopedPrinter guard(pdf);
    TPrintOutcome outcome;
    for (auto _ : state)
        outcome = PrintLabels(doc.Plan(), doc.Data, TPrintRequest());
    state.counters["labels"] = outcome.Painted;
    state.counters["labels/s"] = benchmark::Counter(double(kLabels), benchmark::Counter::kIsIterationInvariantRate);
}
// 0: EAN-13, 1: QR Code and GS1-128.
BENCHMARK(BM_PrintCodesToPdf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
