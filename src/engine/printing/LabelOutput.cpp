#include "engine/printing/LabelOutput.h"

#include "document/LabelPlan.h"

#include <QPainter>

TOutputSurface::TOutputSurface(TLabelPlan& plan, QSize labelSize, bool renderingOutput)
    : FPlan(plan), FFormerSize(plan.ViewSize())
{
    plan.Printing = true;
    plan.RenderingOutput = renderingOutput;
    plan.SetViewSize(labelSize.width(), labelSize.height());
}

TOutputSurface::~TOutputSurface()
{
    FPlan.SetViewSize(FFormerSize.width(), FFormerSize.height());
    FPlan.Printing = false;
    FPlan.RenderingOutput = false;
    FPlan.InvalidatePlan();
}

void PaintLabelAt(TLabelPlan& plan, QPainter& canvas, QPoint origin)
{
    struct TSaved {
        QPainter& p;
        explicit TSaved(QPainter& painter) : p(painter) { p.save(); }
        ~TSaved() { p.restore(); }
    } saved(canvas);
    canvas.translate(origin);
    canvas.setClipRect(QRect(QPoint(0, 0), plan.ViewSize()), Qt::IntersectClip);
    plan.PaintTo(canvas);
}
