#include "gui/designer/PlanSurface.h"

#include "document/LabelPlan.h"

#include <QPainter>
#include <QPolygon>
#include <QRegion>

TPlanSurface::TPlanSurface(QWidget* parent) : QWidget(parent)
{
    resize(0, 0);
}

void TPlanSurface::SetPlan(TLabelPlan* plan)
{
    if (FPlan)
        FPlan->disconnect(this);
    FPlan = plan;
    if (plan) {
        connect(plan, &TLabelPlan::Resized, this, &TPlanSurface::FollowSize);
        connect(plan, &TLabelPlan::RepaintRequested, this, &TPlanSurface::Repaint);
    }
    FollowSize();
    update();
}

void TPlanSurface::FollowSize()
{
    const QSize size = FPlan ? FPlan->ViewSize() : QSize(0, 0);
    resize(std::min(size.width(), QWIDGETSIZE_MAX), std::min(size.height(), QWIDGETSIZE_MAX));
    const int corner = FPlan ? FPlan->PlanToPixelX(FPlan->LabCR) : 0;
    if (corner > 0 && !size.isEmpty())
        setMask(QRegion(FPlan->Shape().toFillPolygon().toPolygon(), Qt::WindingFill));
    else
        clearMask();
}

void TPlanSurface::Repaint(const QRect& area)
{
    if (area.isEmpty())
        update();
    else
        update(area);
}

void TPlanSurface::paintEvent(QPaintEvent*)
{
    // While the document is laid out for output its pixels are not the
    // screen's: the next repaint after printing shows it again.
    if (!FPlan || FPlan->Printing)
        return;
    QPainter painter(this);
    FPlan->PaintOnScreen(painter);
}
