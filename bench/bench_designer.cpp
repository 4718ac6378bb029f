// Dragging 200 selected objects across a label of 1,000: one mouse move with
// its repaint, on the design area as the main window shows it.
#include "engine/LabelDocument.h"
#include "gui/designer/DesignArea.h"
#include "gui/designer/PlanSurface.h"
#include "document/LabelObject.h"
#include "document/StandInPrinter.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

namespace {

// An 8 x 6 inch label with n rectangles, ellipses, lines and texts.
QByteArray MakeLabel(int n)
{
    QByteArray text = "LabelSize 576,432\r\nLabelCornerRadius 8\r\nLabelProfit Default,1,0\r\n";
    static const char* const kinds[] = {"Rectangle", "Ellipse", "Line", "Text"};
    for (int i = 0; i < n; ++i) {
        const int x = (i * 37) % 540, y = (i * 53) % 400;
        text += QByteArray("Object ") + kinds[i % 4] + "\r\n  X1=" + QByteArray::number(x) +
                "\r\n  Y1=" + QByteArray::number(y) + "\r\n  X2=" + QByteArray::number(x + 12 + i % 20) +
                "\r\n  Y2=" + QByteArray::number(y + 8 + i % 15) + "\r\n";
        if (i % 4 == 3)
            text += "  FontName=Arial\r\n  DataValue=T" + QByteArray::number(i) + "\r\n";
        text += "End\r\n";
    }
    return text;
}

void Send(QWidget& w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(p), w.mapToGlobal(QPointF(p)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

// Counts the surface's paint events, to show that every move repainted.
class TPaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

void BM_DragSelection(benchmark::State& state)
{
    TStandInPrinter printer;
    TScopedPrinter guard{printer};
    TLabelDocument doc;
    TDesignArea area(doc);
    area.resize(900, 700);
    area.show();
    TLabelPlan& plan = doc.Plan();
    plan.LoadPlanFromBytes(MakeLabel(1000));
    plan.ResizeToLabel();
    QApplication::processEvents();
    TPlanLayer* layer = plan.Layers().Item(0);
    for (int i = 0; i < 1000; i += 5)
        layer->Item(i)->SetSelected(true);
    TLabelObject* grab = layer->Item(0);
    const QPoint start = (grab->P1Pixels() + grab->P2Pixels()) / 2;
    Send(*area.Surface(), QEvent::MouseMove, start, Qt::NoButton, Qt::NoButton);
    Send(*area.Surface(), QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    QApplication::processEvents();
    TPaintCounter counter;
    area.Surface()->installEventFilter(&counter);
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 200;
        const QPoint to = start + QPoint(step, step / 2);
        Send(*area.Surface(), QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        QApplication::processEvents();  // the repaint
    }
    Send(*area.Surface(), QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);
    state.counters["paints/move"] = double(counter.paints) / double(state.iterations());
}
BENCHMARK(BM_DragSelection)->Unit(benchmark::kMillisecond);

}  // namespace
