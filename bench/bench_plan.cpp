// Reading and writing the plan text of a label with 10,000 objects.
#include "document/LabelPlan.h"
#include "document/StandInPrinter.h"

#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

// Plan text of n objects cycling through the kinds, as the program writes them.
QByteArray MakePlan(int n)
{
    TStandInPrinter none;
    TScopedPrinter guard(none);
    QByteArray text = "LabelSize 288,216\r\nLabelProfit Default,1,0\r\n";
    for (int i = 0; i < n; ++i) {
        const QByteArray x = QByteArray::number(i % 280), y = QByteArray::number(i % 200);
        switch (i % 5) {
        case 0:
            text += "Object Text\r\n  X1=" + x + "\r\n  Y1=" + y + "\r\n  X2=200\r\n  Y2=40\r\n"
                    "  FontName=Arial\r\n  FontSize=9\r\n  Style=B\r\n  DataValue=Item " + QByteArray::number(i) +
                    "\r\n  DataOrigin=1\r\n  DataExpression=Name\r\n  AutoFill=0\r\nEnd\r\n";
            break;
        case 1:
            text += "Object Barcode\r\n  X1=" + x + "\r\n  Y1=" + y + "\r\n  X2=260\r\n  Y2=200\r\n"
                    "  BarType=23\r\n  Modul=3\r\n  DataValue=TRK" + QByteArray::number(100000 + i) + "\r\nEnd\r\n";
            break;
        case 2:
            text += "Object Rectangle\r\n  X1=" + x + "\r\n  Y1=" + y + "\r\n  X2=282\r\n  Y2=210\r\n"
                    "  CornerRadius=6\r\n  PenWidth=2\r\nEnd\r\n";
            break;
        case 3:
            text += "Object Line\r\n  X1=" + x + "\r\n  Y1=" + y + "\r\n  X2=282\r\n  Y2=50\r\n  PenStyle=2\r\nEnd\r\n";
            break;
        default:
            text += "Object Polygon\r\n  PointCount=3\r\n  X1=" + x + "\r\n  Y1=" + y +
                    "\r\n  X2=40\r\n  Y2=70\r\n  X3=70\r\n  Y3=100\r\nEnd\r\n";
            break;
        }
    }
    TLabelPlan plan;
    plan.LoadPlanFromBytes(text);
    return plan.SavePlanToBytes();
}

void BM_ReadPlan10000(benchmark::State& state)
{
    TStandInPrinter none;
    TScopedPrinter guard(none);
    const QByteArray text = MakePlan(10000);
    TLabelPlan plan;
    for (auto _ : state)
        plan.LoadPlanFromBytes(text);
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size());
    state.counters["objects"] = double(plan.Layers().Item(0)->Count());
}
BENCHMARK(BM_ReadPlan10000)->Unit(benchmark::kMillisecond);

void BM_WritePlan10000(benchmark::State& state)
{
    TStandInPrinter none;
    TScopedPrinter guard(none);
    TLabelPlan plan;
    plan.LoadPlanFromBytes(MakePlan(10000));
    qsizetype size = 0;
    for (auto _ : state) {
        const QByteArray out = plan.SavePlanToBytes();
        size = out.size();
        benchmark::DoNotOptimize(out.constData());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * size);
}
BENCHMARK(BM_WritePlan10000)->Unit(benchmark::kMillisecond);

}  // namespace
