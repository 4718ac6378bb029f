// Painting a whole label of 200 mixed objects: on screen (actual size and
// zoomed in) and at 600 dpi for the printer.
#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/StandInPrinter.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

// Plan text of a 4 x 3 inch label with n objects cycling through the kinds:
// texts stretched, formatted, wrapped and turned, shapes with styled pens,
// hatches and rounded corners, polygons, groups and barcodes.
// With onlyKind >= 0 every object is of that one kind.
QByteArray MakeLabel(int n, int onlyKind = -1)
{
    QByteArray text = "LabelSize 288,216\r\nLabelCornerRadius 8\r\nLabelProfit Default,1,0\r\n";
    for (int k = 0; k < n; ++k) {
        const int i = onlyKind >= 0 ? (k / 10) * 10 + onlyKind : k;
        const int x = (i * 37) % 240, y = (i * 53) % 180;
        const QByteArray x1 = QByteArray::number(x), y1 = QByteArray::number(y);
        const QByteArray x2 = QByteArray::number(x + 20 + i % 40), y2 = QByteArray::number(y + 10 + i % 25);
        const QByteArray box = "  X1=" + x1 + "\r\n  Y1=" + y1 + "\r\n  X2=" + x2 + "\r\n  Y2=" + y2 + "\r\n";
        switch (i % 10) {
        case 0:
            text += "Object Text\r\n" + box + "  FontName=Arial\r\n  DataValue=Stretched " + QByteArray::number(i) +
                    "\r\nEnd\r\n";
            break;
        case 1:
            text += "Object Text\r\n" + box + "  FontName=Arial\r\n  FontSize=7\r\n  AutoFill=0\r\n"
                    "  Alignment=Left\r\n  DataValue=Formatted text that wraps " + QByteArray::number(i) + "\r\nEnd\r\n";
            break;
        case 2:
            text += "Object Text\r\n" + box + "  FontName=Times New Roman\r\n  FontSize=8\r\n  AutoFill=0\r\n"
                    "  Angle=90\r\n  DataValue=Turned " + QByteArray::number(i) + "\r\nEnd\r\n";
            break;
        case 3:
            text += "Object Rectangle\r\n" + box + "  PenWidth=2\r\n  CornerRadius=6\r\n  BrushStyle=6\r\n"
                    "  BrushColor=Silver\r\nEnd\r\n";
            break;
        case 4:
            text += "Object Ellipse\r\n" + box + "  PenStyle=1\r\n  BrushStyle=0\r\n  BrushColor=Yellow\r\nEnd\r\n";
            break;
        case 5:
            text += "Object Line\r\n" + box + "  PenWidth=2\r\n  PenStyle=2\r\nEnd\r\n";
            break;
        case 6:
            text += "Object Polygon\r\n  BrushStyle=0\r\n  BrushColor=Red\r\n  PointCount=4\r\n  X1=" + x1 +
                    "\r\n  Y1=" + y1 + "\r\n  X2=" + x2 + "\r\n  Y2=" + y1 + "\r\n  X3=" + x1 + "\r\n  Y3=" + y2 +
                    "\r\n  X4=" + x2 + "\r\n  Y4=" + y2 + "\r\nEnd\r\n";
            break;
        case 7:
            text += "Object Composite\r\n" + box + "  Object Rectangle\r\n" + box +
                    "    BrushStyle=0\r\n  End\r\n  Object Text\r\n" + box +
                    "    DataValue=In a group\r\n    AutoFill=0\r\n  End\r\nEnd\r\n";
            break;
        case 8:
            text += "Object Barcode\r\n" + box + "  BarType=23\r\n  Modul=2\r\n  DataValue=TRK" +
                    QByteArray::number(100000 + i) + "\r\nEnd\r\n";
            break;
        default:
            text += "Object Text\r\n" + box + "  FontName=Courier New\r\n  AutoFill=0\r\n  DataValue=" +
                    QByteArray::number(i * 3.25) + "\r\n  DataFormat=%8.2f EUR\r\n  FormatText=-1\r\nEnd\r\n";
            break;
        }
    }
    return text;
}

void PaintLabel(benchmark::State& state, double zoom, int dpi, int onlyKind = -1)
{
    TStandInPrinter none;
    TScopedPrinter guard(none);
    TLabelPlan plan;
    plan.NewLabel();
    plan.LoadPlanFromBytes(MakeLabel(200, onlyKind));
    plan.ApplyMainWindowAppearance();
    if (dpi > 0) {
        plan.Printing = true;
        plan.PntDPI = dpi;
        plan.SetViewSize(Round(plan.ScaleX / 72.0 * dpi), Round(plan.ScaleY / 72.0 * dpi));
    } else {
        plan.SetViewSize(Round(plan.ScaleX * zoom), Round(plan.ScaleY * zoom));
    }
    QImage image(plan.ViewSize(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        plan.PaintTo(painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["pixels"] = double(image.width()) * image.height();
}

void BM_PaintLabel200_Screen100(benchmark::State& state)
{
    PaintLabel(state, 1.0, 0);
}
BENCHMARK(BM_PaintLabel200_Screen100)->Unit(benchmark::kMillisecond);

void BM_PaintLabel200_Screen220(benchmark::State& state)
{
    PaintLabel(state, 2.2, 0);
}
BENCHMARK(BM_PaintLabel200_Screen220)->Unit(benchmark::kMillisecond);

// The largest zoom the Zoom In command reaches for this label (1069 pixels wide).
void BM_PaintLabel200_Screen371(benchmark::State& state)
{
    PaintLabel(state, 1069 / 288.0, 0);
}
BENCHMARK(BM_PaintLabel200_Screen371)->Unit(benchmark::kMillisecond);

void BM_PaintLabel200_600dpi(benchmark::State& state)
{
    PaintLabel(state, 0, 600);
}
BENCHMARK(BM_PaintLabel200_600dpi)->Unit(benchmark::kMillisecond);

// One kind at a time (0 stretched text, 1 formatted, 2 turned, 3 hatched
// rounded rectangle, 4 ellipse, 5 dotted line, 6 polygon, 7 group, 8
// barcode, 9 number pattern), 200 objects, zoomed in.
void BM_PaintKind200_Screen220(benchmark::State& state)
{
    PaintLabel(state, 2.2, 0, int(state.range(0)));
}
BENCHMARK(BM_PaintKind200_Screen220)->DenseRange(0, 9)->Unit(benchmark::kMillisecond);

}  // namespace
