// The barcode label object drawing itself: on the design surface at 100 %
// zoom (the symbol unchanged since the last paint, and a new code at every
// paint, as during printing previews of data rows), and straight onto a
// 600-dpi output canvas.
#include "document/PlanBarcode.h"
#include "document/LabelPlan.h"
#include "document/MGraph.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

namespace {

struct TSample {
    TBarcodeType type;
    const char* code;
};
const TSample kSamples[] = {{bcCodeEAN13, "590123412345"}, {bcCode128B, "Tagmora-4.2/abc 123"}};

// A 180 x 130 point label with one barcode object; the surface at `surfaceDpi`
// (72 = 100 % zoom), output at 300 dpi or, when printing, the surface's.
struct TBench {
    TLabelPlan plan;
    TPlanBarcode* barcode = nullptr;
    QImage image;

    TBench(const TSample& sample, int surfaceDpi, bool printing)
    {
        plan.ScaleX = 180;
        plan.ScaleY = 130;
        plan.PntDPI = printing ? surfaceDpi : 300;
        plan.Printing = printing;
        plan.SetViewSize(Round(180 / 72.0 * surfaceDpi), Round(130 / 72.0 * surfaceDpi));
        barcode = new TPlanBarcode(&plan);
        barcode->LoadProperties();
        barcode->Barcode.SetTyp(sample.type);
        barcode->DataValue = QString::fromLatin1(sample.code);
        barcode->X1 = 10;
        barcode->Y1 = 10;
        barcode->X2 = 100;
        barcode->Y2 = 60;
        image = QImage(plan.ViewSize(), QImage::Format_RGB32);
    }
    void Paint()
    {
        image.fill(Qt::white);
        QPainter painter(&image);
        barcode->Draw(painter);
    }
};

// args: sample
void BM_ObjectScreenUnchanged(benchmark::State& state)
{
    TBench b(kSamples[state.range(0)], 72, false);
    b.Paint();
    for (auto _ : state)
        b.Paint();
}
BENCHMARK(BM_ObjectScreenUnchanged)->ArgName("sample")->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

void BM_ObjectScreenNewCode(benchmark::State& state)
{
    TBench b(kSamples[state.range(0)], 72, false);
    const QString code = b.barcode->DataValue;
    int n = 0;
    for (auto _ : state) {
        // A different last digit each time: the symbol is rendered again.
        b.barcode->DataValue = code.left(code.size() - 1) + QChar(u'0' + n++ % 10);
        b.Paint();
    }
}
BENCHMARK(BM_ObjectScreenNewCode)->ArgName("sample")->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

void BM_ObjectPrint600(benchmark::State& state)
{
    TBench b(kSamples[state.range(0)], 600, true);
    for (auto _ : state)
        b.Paint();
}
BENCHMARK(BM_ObjectPrint600)->ArgName("sample")->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

}  // namespace
