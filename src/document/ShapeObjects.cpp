#include "document/ShapeObjects.h"

#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/StrF.h"

// Shapes are painted by the view: until then Draw leaves the canvas untouched.

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

void TPlanLine::Draw(QPainter&)
{
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

void TPlanLine::LoadProperties()
{
    TLabelObject::LoadProperties();
}

// ----- Rectangle --------------------------------------------------------------

TPlanBox::TPlanBox(TLabelPlan* plan) : TLabelObject(plan)
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
    TLabelObject::StoreProperties();
    StoreCorners();
    Properties.SetValue(QStringLiteral("CornerRadius"), QString::number(CornerRadius));
}

QRect TPlanBox::GetBounds()
{
    return RectGetBounds();
}

bool TPlanBox::CreationStep(int x, int y, int)
{
    return RectCreationStep(x, y);
}

TLabelObject* TPlanBox::Duplicate(TLabelObject* parent)
{
    return DuplicateInto(new TPlanBox(Plan()), parent);
}

void TPlanBox::Draw(QPainter&)
{
}

bool TPlanBox::HitBody(int x, int y)
{
    return RectHitBody(x, y);
}

bool TPlanBox::IsKnownProperty(const QString& key) const
{
    return TLabelObject::IsKnownProperty(key) || IsCornerKey(key.toUpper());
}

bool TPlanBox::HitHandle(int x, int y, int& handle)
{
    return RectHitHandle(x, y, handle);
}

void TPlanBox::MoveTo(QPoint mouse)
{
    MoveCorners(mouse);
}

void TPlanBox::Invalidate()
{
    RectInvalidate();
}

void TPlanBox::ResizeByHandle(QPoint mouse)
{
    RectResizeByHandle(mouse);
}

void TPlanBox::LoadProperties()
{
    TLabelObject::LoadProperties();
    int v = 0;
    if (TryStrToInt(Properties.Value(u"CornerRadius"), v))
        SetCornerRadius(v);
}

// ----- Ellipse ----------------------------------------------------------------

TPlanCircle::TPlanCircle(TLabelPlan* plan) : TLabelObject(plan)
{
}

QString TPlanCircle::GetTypeName() const
{
    return QStringLiteral("Ellipse");
}

void TPlanCircle::StoreProperties()
{
    TLabelObject::StoreProperties();
    StoreCorners();
}

QRect TPlanCircle::GetBounds()
{
    return RectGetBounds();
}

bool TPlanCircle::CreationStep(int x, int y, int)
{
    return RectCreationStep(x, y);
}

TLabelObject* TPlanCircle::Duplicate(TLabelObject* parent)
{
    return DuplicateInto(new TPlanCircle(Plan()), parent);
}

void TPlanCircle::Draw(QPainter&)
{
}

bool TPlanCircle::HitBody(int x, int y)
{
    return RectHitBody(x, y);
}

bool TPlanCircle::IsKnownProperty(const QString& key) const
{
    return TLabelObject::IsKnownProperty(key) || IsCornerKey(key.toUpper());
}

bool TPlanCircle::HitHandle(int x, int y, int& handle)
{
    return RectHitHandle(x, y, handle);
}

void TPlanCircle::MoveTo(QPoint mouse)
{
    MoveCorners(mouse);
}

void TPlanCircle::Invalidate()
{
    RectInvalidate();
}

void TPlanCircle::ResizeByHandle(QPoint mouse)
{
    RectResizeByHandle(mouse);
}

void TPlanCircle::LoadProperties()
{
    TLabelObject::LoadProperties();
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

void TPlanCompositeObject::Draw(QPainter&)
{
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
