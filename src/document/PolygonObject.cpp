#include "document/PolygonObject.h"

#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/PlanDraw.h"
#include "document/StrF.h"

#include <QHash>
#include <QPainter>

namespace {

constexpr int kMaxSmoothPolygonPoints = 1000;

}  // namespace

TPlanPolygon::TPlanPolygon(TLabelPlan* plan) : TLabelObject(plan)
{
}

QPoint TPlanPolygon::ToPixels(QPoint p) const
{
    return QPoint(Plan()->PlanToPixelX(p.x()), Plan()->PlanToPixelY(p.y()));
}

QPoint TPlanPolygon::ToPlan(QPoint p) const
{
    return QPoint(Plan()->PixelToPlanX(p.x()), Plan()->PixelToPlanY(p.y()));
}

void TPlanPolygon::SetPointCount(int count)
{
    count = std::max(0, count);
    if (count == PointCount())
        return;
    FPoints.resize(count);  // new points are (0, 0)
    FPixelPoints.resize(count);
    Rescale();
}

QPoint TPlanPolygon::GetPoint(int index) const
{
    if (index < 0 || index >= PointCount())
        return QPoint(-1, -1);
    return FPoints.at(index);
}

void TPlanPolygon::SetPoint(int index, QPoint point)
{
    if (index < 0 || index >= PointCount())
        return;
    Invalidate();
    FPoints[index] = point;
    FPixelPoints[index] = ToPixels(point);
    Invalidate();
}

QString TPlanPolygon::GetTypeName() const
{
    return QStringLiteral("Polygon");
}

void TPlanPolygon::StoreProperties()
{
    TLabelObject::StoreProperties();
    Properties.SetValue(QStringLiteral("PointCount"), QString::number(PointCount()));
    // As SetValue key by key, with the lines' keys looked up once: a value
    // replaces the first line of its key, a key without a line is appended.
    QStringList& lines = Properties.Lines;
    QHash<QString, qsizetype> where;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype eq = lines.at(i).indexOf(QLatin1Char('='));
        if (eq > 0) {
            const QString key = lines.at(i).left(eq).toUpper();
            if (!where.contains(key))
                where.insert(key, i);
        }
    }
    auto set = [&](const QString& key, int value) {
        QString line = key + QLatin1Char('=') + QString::number(value);
        const auto it = where.constFind(key);
        if (it != where.cend()) {
            lines[*it] = std::move(line);
        } else {
            where.insert(key, lines.size());
            lines.append(std::move(line));
        }
    };
    for (int i = 0; i < PointCount(); ++i) {
        const QString n = QString::number(i + 1);
        set(QLatin1Char('X') + n, FPoints.at(i).x());
        set(QLatin1Char('Y') + n, FPoints.at(i).y());
    }
}

QRect TPlanPolygon::GetBounds()
{
    EnsurePixels();
    const int half = std::clamp(Pen.Width, 0, kMaxPenPixels) / 2;
    return FPixelPoints.boundingRect().adjusted(-half, -half, half, half);
}

bool TPlanPolygon::CreationStep(int x, int y, int mode)
{
    const int clicks = Plan()->NewObjectClicks;
    const bool accept = PointCount() <= 3 || mode != 0 ||
                        (PointCount() > 0 && PointDistance(FPixelPoints.at(0), QPoint(x, y)) > 2 * HandleTolerance);
    if (!accept)
        return false;
    if (clicks < 0 || clicks >= kMaxPolygonPoints)
        return false;
    SetPointCount(clicks + 1);
    FPixelPoints[clicks] = QPoint(x, y);
    FPoints[clicks] = ToPlan(QPoint(x, y));
    Invalidate();
    return true;
}

QRegion TPlanPolygon::CreateRegion()
{
    EnsurePixels();
    return QRegion(FPixelPoints, Qt::WindingFill);
}

TLabelObject* TPlanPolygon::Duplicate(TLabelObject* parent)
{
    auto* copy = new TPlanPolygon(Plan());
    StoreProperties();
    copy->SetParent(parent);
    copy->Properties = Properties;
    copy->Properties.Remove(u"Name");
    copy->Properties.SetValue(QStringLiteral("ID"), QStringLiteral("0"));
    copy->LoadProperties();
    for (int i = 0; i < copy->PointCount(); ++i)
        copy->SetPoint(i, copy->GetPoint(i) + QPoint(4, 4));
    return copy;
}

void TPlanPolygon::Draw(QPainter& canvas)
{
    if (!DrawAllowed())
        return;
    EnsurePixels();
    const int width = ScaledPenWidth();
    Pen.Width = width;
    canvas.save();
    const QColor color = ColorToQColor(HighlightColor != -1 ? HighlightColor : Pen.Color);
    QPen pen = PlanPen(color, width, Pen.Style, false);
    TPlanBrush brush = Brush;
    canvas.setRenderHint(QPainter::Antialiasing, false);
    ApplyPenMode(canvas, Pen.Mode, pen, brush);
    // Smoothing costs grow steeply with crossing edges; a polygon of
    // thousands of points is drawn without it.
    if (canvas.compositionMode() == QPainter::CompositionMode_SourceOver && PointCount() <= kMaxSmoothPolygonPoints)
        canvas.setRenderHint(QPainter::Antialiasing, true);
    canvas.setPen(pen);
    canvas.setBrush(PlanBrush(brush, PatternScaleFor(Plan()->PixelsPerPointX()), SupportsTextures(canvas)));
    if (FPixelPoints.size() >= 2) {
        const double o = pen.style() == Qt::NoPen ? 0.0 : StrokeOffset(width);
        QPolygonF outline(FPixelPoints.size());
        for (int i = 0; i < FPixelPoints.size(); ++i)
            outline[i] = QPointF(FPixelPoints.at(i).x() + o, FPixelPoints.at(i).y() + o);
        canvas.drawPolygon(outline, Qt::OddEvenFill);
    }
    canvas.restore();
    // Vertex handles only while focused (being selected is not enough), always
    // filled as for the current object.
    if (Focused() && ShowsHandles())
        DrawHandles(canvas, QList<QPoint>(FPixelPoints.cbegin(), FPixelPoints.cend()), true);
    DrawChildren(canvas);
}

void TPlanPolygon::Release()
{
    FPoints.clear();
    FPixelPoints.clear();
    FDragPixelPoints.clear();
    TLabelObject::Release();
}

bool TPlanPolygon::HitBody(int x, int y)
{
    EnsurePixels();
    return FPixelPoints.containsPoint(QPoint(x, y), Qt::WindingFill);
}

bool TPlanPolygon::IsKnownProperty(const QString& key) const
{
    if (TLabelObject::IsKnownProperty(key))
        return true;
    const QString k = key.toUpper();
    if (k == QLatin1String("POINTCOUNT"))
        return true;
    if (k.size() < 2 || (k.at(0) != QLatin1Char('X') && k.at(0) != QLatin1Char('Y')))
        return false;
    int v = 0;
    return TryStrToInt(QStringView(k).mid(1), v);
}

bool TPlanPolygon::HitHandle(int x, int y, int& handle)
{
    EnsurePixels();
    for (int i = 0; i < FPixelPoints.size(); ++i) {
        if (InHandleSquare(FPixelPoints.at(i), x, y)) {
            SelectedVertex = i;
            handle = 9;
            return true;
        }
    }
    return false;
}

void TPlanPolygon::MoveTo(QPoint mouse)
{
    if (FDragPixelPoints.size() != FPixelPoints.size())
        return;
    const QPoint delta = mouse - Plan()->DownPoint;
    QPolygon moved(FDragPixelPoints.size());
    for (int i = 0; i < moved.size(); ++i)
        moved[i] = FDragPixelPoints.at(i) + delta;
    if (Parent() && (Plan()->Options() & poChildrenClipping)) {
        const QRegion region = Parent()->CreateRegion();
        bool inside = false;
        for (const QPoint& p : moved)
            if (region.contains(p)) {
                inside = true;
                break;
            }
        if (!inside)
            return;
    }
    Invalidate();
    FPixelPoints = moved;
    for (int i = 0; i < moved.size(); ++i)
        FPoints[i] = ToPlan(moved.at(i));
    Invalidate();
    TLabelObject::MoveTo(mouse);
}

void TPlanPolygon::Invalidate()
{
    if (Destroying || PointCount() == 0)
        return;
    const int grow = std::clamp(Pen.Width, 0, kMaxPenPixels) + HandleTolerance;
    Plan()->InvalidateRect(FPixelPoints.boundingRect().adjusted(-grow, -grow, grow, grow));
}

void TPlanPolygon::EnsurePixels()
{
    if (FPixelSurface != Plan()->ViewSize())
        Rescale();
}

void TPlanPolygon::Rescale()
{
    FPixelSurface = Plan()->ViewSize();
    FPixelPoints.resize(FPoints.size());
    for (int i = 0; i < FPoints.size(); ++i)
        FPixelPoints[i] = ToPixels(FPoints.at(i));
}

void TPlanPolygon::ResizeByHandle(QPoint mouse)
{
    if (!Resizable || SelectedVertex < 0 || SelectedVertex >= PointCount())
        return;
    Invalidate();
    FPixelPoints[SelectedVertex] = mouse;
    FPoints[SelectedVertex] = ToPlan(mouse);
    Invalidate();
}

void TPlanPolygon::DragOriginSaved()
{
    FDragPixelPoints = FPixelPoints;
}

void TPlanPolygon::LoadProperties()
{
    TLabelObject::LoadProperties();
    SetPointCount(0);
    int count = StrToIntDef(Properties.Value(u"PointCount"), 0);
    if (count <= 0)
        return;
    // Points may be left out (they stay at (0, 0)), so the count is kept as
    // given, up to a limit that keeps a hostile count from taking the memory.
    count = std::min(count, kMaxPolygonPoints);
    SetPointCount(count);
    // One pass over the lines: the first line of each "X<i>" / "Y<i>" key wins.
    QHash<QString, QString> values;
    values.reserve(2 * count);
    for (const QString& line : Properties.Lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 2)
            continue;
        const QChar c = line.at(0);
        if (c != QLatin1Char('X') && c != QLatin1Char('x') && c != QLatin1Char('Y') && c != QLatin1Char('y'))
            continue;
        const QString key = line.left(eq).toUpper();
        if (!values.contains(key))
            values.insert(key, line.mid(eq + 1));
    }
    for (int i = 0; i < count; ++i) {
        const QString n = QString::number(i + 1);
        int x = 0, y = 0;
        if (TryStrToInt(values.value(QLatin1Char('Y') + n), y) && TryStrToInt(values.value(QLatin1Char('X') + n), x)) {
            FPoints[i] = QPoint(x, y);
            FPixelPoints[i] = ToPixels(FPoints.at(i));
        }
    }
}
