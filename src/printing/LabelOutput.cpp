#include "printing/LabelOutput.h"

#include "document/LabelPlan.h"
#include "document/PlanLayer.h"

#include <QPainter>

#include <algorithm>

namespace {

void SetSurfaceSize(TLabelPlan& plan, QSize size)
{
    plan.resize(std::clamp(size.width(), 0, QWIDGETSIZE_MAX), std::clamp(size.height(), 0, QWIDGETSIZE_MAX));
}

void PaintSurface(TLabelPlan& plan, QPainter& canvas)
{
    if (plan.Destroying() || plan.UpdateCount() > 0)
        return;
    TPlanLayers& layers = plan.Layers();
    TPlanLayer* active = plan.ActiveLayer();
    for (int i = 0; i < layers.Count(); ++i) {
        TPlanLayer* layer = layers.Item(i);
        if (layer != active && layer->Visible())
            layer->Draw(canvas);
    }
    if (active && active->Visible())
        active->Draw(canvas);
}

}  // namespace

TOutputSurface::TOutputSurface(TLabelPlan& plan, QSize labelSize, bool renderingOutput)
    : FPlan(plan), FFormerSize(plan.size()), FWasHidden(plan.isHidden())
{
    plan.hide();
    plan.Printing = true;
    plan.RenderingOutput = renderingOutput;
    SetSurfaceSize(plan, labelSize);
}

TOutputSurface::~TOutputSurface()
{
    SetSurfaceSize(FPlan, FFormerSize);
    FPlan.Printing = false;
    FPlan.RenderingOutput = false;
    if (!FWasHidden)
        FPlan.show();
}

void PaintLabelAt(TLabelPlan& plan, QPainter& canvas, QPoint origin)
{
    struct TSaved {
        QPainter& p;
        explicit TSaved(QPainter& painter) : p(painter) { p.save(); }
        ~TSaved() { p.restore(); }
    } saved(canvas);
    canvas.translate(origin);
    canvas.setClipRect(QRect(QPoint(0, 0), plan.size()), Qt::IntersectClip);
    PaintSurface(plan, canvas);
}
