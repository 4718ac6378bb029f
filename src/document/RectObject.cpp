#include "document/RectObject.h"

#include "document/LabelPlan.h"
#include "document/MGraph.h"

void TRectObject::StoreProperties()
{
    TLabelObject::StoreProperties();
    StoreCorners();
}

QRect TRectObject::GetBounds()
{
    return RectGetBounds();
}

bool TRectObject::CreationStep(int x, int y, int)
{
    return RectCreationStep(x, y);
}

bool TRectObject::HitBody(int x, int y)
{
    return PointInRect(NormalizedRect(P1Pixels(), P2Pixels()), x, y);
}

bool TRectObject::IsKnownProperty(const QString& key) const
{
    return TLabelObject::IsKnownProperty(key) || IsCornerKey(key.toUpper());
}

bool TRectObject::HitHandle(int x, int y, int& handle)
{
    return RectHitHandle(x, y, handle, true);
}

void TRectObject::MoveTo(QPoint mouse)
{
    MoveCorners(mouse);
}

void TRectObject::Invalidate()
{
    RectInvalidate();
}

void TRectObject::ResizeByHandle(QPoint mouse)
{
    if (!Resizable)
        return;
    Invalidate();
    const QPoint p1 = P1Pixels(), p2 = P2Pixels();
    switch (Plan()->GrabbedHandle) {
    case 1: SetP1FromPixels(QPoint(mouse.x(), p1.y())); break;
    case 2: SetP1FromPixels(mouse); break;
    case 3: SetP1FromPixels(QPoint(p1.x(), mouse.y())); break;
    case 4:
        SetP1FromPixels(QPoint(p1.x(), mouse.y()));
        SetP2FromPixels(QPoint(mouse.x(), p2.y()));
        break;
    case 5: SetP2FromPixels(QPoint(mouse.x(), p2.y())); break;
    case 6: SetP2FromPixels(mouse); break;
    case 7: SetP2FromPixels(QPoint(p2.x(), mouse.y())); break;
    case 8:
        SetP1FromPixels(QPoint(mouse.x(), p1.y()));
        SetP2FromPixels(QPoint(p2.x(), mouse.y()));
        break;
    default: break;
    }
    Invalidate();
}

void TRectObject::DrawRectHandles(QPainter& canvas) const
{
    const QPoint p1 = P1Pixels();
    const QPoint p2 = P2Pixels();
    DrawHandles(canvas, {p1, QPoint(p2.x(), p1.y()), p2, QPoint(p1.x(), p2.y())});
}

bool TRectObject::RectHitHandle(int x, int y, int& handle, bool widenTopBottom)
{
    const QPoint p1 = P1Pixels(), p2 = P2Pixels();
    const int t = HandleTolerance;
    QRect (*const topBottom)(int, int, int, int) =
        widenTopBottom ? static_cast<QRect (*)(int, int, int, int)>(NormalizedRect) : EdgeRect;
    struct Test {
        QRect r;
        int id;
    };
    const Test tests[] = {
        {HandleSquare(p1), 2},
        {HandleSquare(QPoint(p2.x(), p1.y())), 4},
        {HandleSquare(p2), 6},
        {HandleSquare(QPoint(p1.x(), p2.y())), 8},
        {topBottom(p1.x(), p1.y() - t, p2.x(), p1.y() + t), 3},
        {EdgeRect(p2.x() - t, p1.y(), p2.x() + t, p2.y()), 5},
        {topBottom(p1.x(), p2.y() - t, p2.x(), p2.y() + t), 7},
        {EdgeRect(p1.x() - t, p1.y(), p1.x() + t, p2.y()), 1},
    };
    for (const Test& test : tests) {
        if (PointInRect(test.r, x, y)) {
            handle = test.id;
            return true;
        }
    }
    return false;
}
