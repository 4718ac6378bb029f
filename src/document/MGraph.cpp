#include "document/MGraph.h"

#include "document/StrF.h"

#include <cmath>
#include <climits>

int Round(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= double(INT_MAX))
        return INT_MAX;
    if (value <= double(INT_MIN))
        return INT_MIN;
    // The default floating-point rounding mode rounds half to even.
    return int(std::nearbyint(value));
}

double RoundTo3(double value)
{
    if (!std::isfinite(value))
        return value;
    return std::nearbyint(value * 1000.0) / 1000.0;
}

QRect EdgeRect(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect NormalizedRect(int x1, int y1, int x2, int y2)
{
    return EdgeRect(std::min(x1, x2) - HandleTolerance, std::min(y1, y2) - HandleTolerance,
                    std::max(x1, x2) + HandleTolerance, std::max(y1, y2) + HandleTolerance);
}

bool PointInRect(const QRect& r, int x, int y)
{
    return r.left() <= x && x <= r.right() && r.top() <= y && y <= r.bottom();
}

static double Dist(QPoint a, QPoint b)
{
    return std::hypot(double(a.x()) - b.x(), double(a.y()) - b.y());
}

int PointDistance(QPoint a, QPoint b)
{
    return int(Dist(a, b));
}

bool PointNearSegment(QPoint p, QPoint a, QPoint b, double tolerance)
{
    return Dist(p, a) + Dist(p, b) - Dist(a, b) <= tolerance;
}

Qt::PenStyle PenStyleToQt(int style)
{
    switch (style) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
    default: return Qt::SolidLine;  // solid and inside frame
    }
}

QPen CreateStyledPen(int width, int style, const QColor& color)
{
    QPen pen(QBrush(color), width, PenStyleToQt(style), Qt::SquareCap, Qt::RoundJoin);
    return pen;
}

int HexByte(const QString& text)
{
    const QString t = text.contains(QLatin1Char('$')) ? text : QLatin1Char('$') + text;
    int v = 0;
    return TryStrToInt(t, v) ? v : 0;
}
