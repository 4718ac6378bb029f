#include "document/ShapeObjects.h"

#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/PlanDraw.h"
#include "document/StrF.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// Selects an object's pen and brush on the canvas as its shapes paint them:
// the pen width scaled to the surface (kept in Pen.Width for bounds and hit
// tests), the highlight colour in place of the pen colour, the brush style
// or bitmap pattern, and the pen mode. Call between save() and restore().
void SelectPenAndBrush(TLabelObject& o, QPainter& canvas, int penStyle, bool styled, bool withBrush)
{
    const int width = o.ScaledPenWidth();
    o.Pen.Width = width;
    const QColor color = ColorToQColor(o.HighlightColor != -1 ? o.HighlightColor : o.Pen.Color);
    QPen pen = PlanPen(color, width, penStyle, styled);
    TPlanBrush brush = o.Brush;
    if (!withBrush)
        brush = TPlanBrush{clWhite, bsClear, {}};
    canvas.setRenderHint(QPainter::Antialiasing, false);
    ApplyPenMode(canvas, o.Pen.Mode, pen, brush);
    canvas.setPen(pen);
    canvas.setBrush(PlanBrush(brush, PatternScaleFor(o.Plan()->PixelsPerPointX()), SupportsTextures(canvas)));
}

// Curves and slanted edges are smoothed unless the pen mode combines colours
// with the destination (raster operations are exact per pixel).
void SmoothCurves(QPainter& canvas)
{
    if (canvas.compositionMode() == QPainter::CompositionMode_SourceOver)
        canvas.setRenderHint(QPainter::Antialiasing, true);
}

// The rectangle a shape's outline and fill are drawn along: the whole fill
// area when there is no outline.
QRectF ShapePath(const QRect& area, const QPen& pen, int penStyle)
{
    if (pen.style() == Qt::NoPen)
        return QRectF(area);
    return OutlinePath(area, pen.width(), penStyle == psInsideFrame);
}

QPainterPath RoundedPath(const QRectF& rect, int diameter)
{
    QPainterPath path;
    const double rx = std::min<double>(diameter, rect.width()) / 2.0;
    const double ry = std::min<double>(diameter, rect.height()) / 2.0;
    path.addRoundedRect(rect, rx, ry);
    return path;
}

}  // namespace

// ----- Line -------------------------------------------------------------------

TPlanLine::TPlanLine(TLabelPlan* plan) : TLabelObject(plan)
{
}

QString TPlanLine::GetTypeName() const
{
    return QStringLiteral("Line");
}

void TPlanLine::StoreProperties()
{
    TLabelObject::StoreProperties();
    StoreCorners();
}

QRect TPlanLine::GetBounds()
{
    return RectGetBounds();
}

bool TPlanLine::CreationStep(int x, int y, int)
{
    return RectCreationStep(x, y);
}

QRegion TPlanLine::CreateRegion()
{
    return QRegion();
}

TLabelObject* TPlanLine::Duplicate(TLabelObject* parent)
{
    return DuplicateInto(new TPlanLine(Plan()), parent);
}

void TPlanLine::Draw(QPainter& canvas)
{
    if (!DrawAllowed())
        return;
    const QPoint p1 = P1Pixels(), p2 = P2Pixels();
    canvas.save();
    SelectPenAndBrush(*this, canvas, Pen.Style, true, false);
    if (p1 != p2) {
        if (p1.x() != p2.x() && p1.y() != p2.y())
            SmoothCurves(canvas);
        // Through the centres of the end pixels; square caps reach half the
        // width beyond them.
        const double o = StrokeOffset(Pen.Width);
        canvas.drawLine(QLineF(p1.x() + o, p1.y() + o, p2.x() + o, p2.y() + o));
    }
    canvas.restore();
    DrawHandles(canvas, {p1, p2});
}

bool TPlanLine::HitBody(int x, int y)
{
    return PointNearSegment(QPoint(x, y), P1Pixels(), P2Pixels(), Pen.Width);
}

bool TPlanLine::IsKnownProperty(const QString& key) const
{
    return TLabelObject::IsKnownProperty(key) || IsCornerKey(key.toUpper());
}

bool TPlanLine::HitHandle(int x, int y, int& handle)
{
    const QPoint p1 = P1Pixels(), p2 = P2Pixels();
    if (InHandleSquare(p1, x, y)) {
        handle = p1.x() < p2.x() ? 1 : 3;
        return true;
    }
    if (InHandleSquare(p2, x, y)) {
        handle = p1.x() < p2.x() ? 5 : 7;
        return true;
    }
    return false;
}

void TPlanLine::MoveTo(QPoint mouse)
{
    MoveCorners(mouse);
}

void TPlanLine::Invalidate()
{
    RectInvalidate();
}

void TPlanLine::ResizeByHandle(QPoint mouse)
{
    if (!Resizable)
        return;
    Invalidate();
    const int h = Plan()->GrabbedHandle;
    if (h == 1 || h == 3)
        SetP1FromPixels(mouse);
    else
        SetP2FromPixels(mouse);
    Invalidate();
}

// ----- Rectangle --------------------------------------------------------------

TPlanBox::TPlanBox(TLabelPlan* plan) : TRectObject(plan)
{
}

void TPlanBox::SetCornerRadius(int radius)
{
    if (radius == CornerRadius)
        return;
    Invalidate();
    CornerRadius = radius;
    Invalidate();
}

QString TPlanBox::GetTypeName() const
{
    return QStringLiteral("Rectangle");
}

void TPlanBox::StoreProperties()
{
    TRectObject::StoreProperties();
    Properties.SetValue(QStringLiteral("CornerRadius"), QString::number(CornerRadius));
}

TLabelObject* TPlanBox::Duplicate(TLabelObject* parent)
{
    return DuplicateInto(new TPlanBox(Plan()), parent);
}

void TPlanBox::Draw(QPainter& canvas)
{
    if (!DrawAllowed())
        return;
    const int r = Plan()->ScaleX != 0 ? Plan()->PlanToPixelX(CornerRadius) : 0;
    const QRect area = ShapeArea(P1Pixels(), P2Pixels());
    canvas.save();
    // A solid outline uses the plain pen; other styles the square-capped one.
    SelectPenAndBrush(*this, canvas, Pen.Style, Pen.Style != psSolid, true);
    if (!area.isEmpty()) {
        const QRectF path = ShapePath(area, canvas.pen(), Pen.Style);
        if (CornerRadius <= 0) {
            canvas.drawRect(path);
        } else {
            SmoothCurves(canvas);
            canvas.drawPath(RoundedPath(path, r));
        }
    }
    canvas.restore();
    DrawRectHandles(canvas);
    DrawChildren(canvas);
}

void TPlanBox::LoadProperties()
{
    TRectObject::LoadProperties();
    SetCornerRadius(StrToIntDef(Properties.Value(u"CornerRadius"), CornerRadius));
}

// ----- Ellipse ----------------------------------------------------------------

TPlanCircle::TPlanCircle(TLabelPlan* plan) : TRectObject(plan)
{
}

QString TPlanCircle::GetTypeName() const
{
    return QStringLiteral("Ellipse");
}

TLabelObject* TPlanCircle::Duplicate(TLabelObject* parent)
{
    return DuplicateInto(new TPlanCircle(Plan()), parent);
}

void TPlanCircle::Draw(QPainter& canvas)
{
    if (!DrawAllowed())
        return;
    const QRect area = ShapeArea(P1Pixels(), P2Pixels());
    canvas.save();
    SelectPenAndBrush(*this, canvas, Pen.Style, true, true);
    if (!area.isEmpty()) {
        SmoothCurves(canvas);
        canvas.drawEllipse(ShapePath(area, canvas.pen(), Pen.Style));
    }
    canvas.restore();
    DrawRectHandles(canvas);
    DrawChildren(canvas);
}

// ----- Composite --------------------------------------------------------------

TPlanCompositeObject::TPlanCompositeObject(TLabelPlan* plan) : TPlanBox(plan)
{
}

void TPlanCompositeObject::SetPen(const TPlanPen& pen)
{
    for (TLabelObject* child : Children())
        child->SetPen(pen);
    TLabelObject::SetPen(pen);
}

void TPlanCompositeObject::SetBrush(const TPlanBrush& brush)
{
    for (TLabelObject* child : Children())
        child->SetBrush(brush);
    TLabelObject::SetBrush(brush);
}

void TPlanCompositeObject::SetFocused(bool value)
{
    // Focus and Unfocus go to every child first, then to the composite.
    if (value)
        Focus();
    else
        Unfocus();
}

QString TPlanCompositeObject::GetTypeName() const
{
    return QStringLiteral("Composite");
}

TLabelObject* TPlanCompositeObject::Duplicate(TLabelObject* parent)
{
    TLabelObject* copy = DuplicateInto(new TPlanCompositeObject(Plan()), parent);
    for (TLabelObject* child : Children())
        child->Duplicate(copy);
    return copy;
}

void TPlanCompositeObject::Draw(QPainter& canvas)
{
    if (!DrawAllowed())
        return;
    // A dashed frame without fill around the children; no handles of its own.
    const QRect area = ShapeArea(P1Pixels(), P2Pixels());
    canvas.save();
    SelectPenAndBrush(*this, canvas, psDash, true, false);
    if (!area.isEmpty())
        canvas.drawRect(ShapePath(area, canvas.pen(), psDash));
    canvas.restore();
    DrawChildren(canvas);
}

void TPlanCompositeObject::Focus()
{
    for (TLabelObject* child : Children())
        child->Focus();
    StoreFocused(true);
    Invalidate();
}

void TPlanCompositeObject::SetHighlightColor(TColor color)
{
    for (TLabelObject* child : Children())
        child->SetHighlightColor(color);
}

void TPlanCompositeObject::Unfocus()
{
    for (TLabelObject* child : Children())
        child->Unfocus();
    StoreFocused(false);
    Invalidate();
}

void TPlanCompositeObject::ClearHighlight()
{
    for (TLabelObject* child : Children())
        child->ClearHighlight();
}
