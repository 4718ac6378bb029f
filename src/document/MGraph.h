// Geometry helpers of the label objects: rounding, rectangles around two
// points, hit-test distances, styled pens and hex bytes.
#pragma once

#include <QPen>
#include <QPoint>
#include <QRect>
#include <QString>

// Half size of a selection handle and the slack of hit tests, in pixels.
constexpr int HandleTolerance = 3;

// Nearest integer, ties to even (2.5 -> 2, 3.5 -> 4); clamped to the int range,
// NaN gives 0.
int Round(double value);

// Rounds to 3 decimals (ties to even), as the millimetre caches keep them.
double RoundTo3(double value);

// The rectangle with left = min(x1, x2), top = min(y1, y2), right = max(x1, x2),
// bottom = max(y1, y2), inflated by HandleTolerance on every side. Right and
// bottom are inclusive edges (QRect's right()/bottom()).
QRect NormalizedRect(int x1, int y1, int x2, int y2);
inline QRect NormalizedRect(QPoint a, QPoint b) { return NormalizedRect(a.x(), a.y(), b.x(), b.y()); }

// A rectangle given by its four edges as they are (not ordered).
QRect EdgeRect(int left, int top, int right, int bottom);

// True when left <= x <= right and top <= y <= bottom (edges included). An
// unordered rectangle contains nothing.
bool PointInRect(const QRect& r, int x, int y);

// Euclidean distance truncated to an integer.
int PointDistance(QPoint a, QPoint b);

// True when |p - a| + |p - b| - |a - b| <= tolerance (real arithmetic).
bool PointNearSegment(QPoint p, QPoint a, QPoint b, double tolerance);

// Pen style ordinals of plan text: 0 solid, 1 dash, 2 dot, 3 dash-dot,
// 4 dash-dot-dot, 5 clear, 6 inside frame.
Qt::PenStyle PenStyleToQt(int style);

// A geometric pen of the given width, style ordinal and colour with square
// end caps and round joins.
QPen CreateStyledPen(int width, int style, const QColor& color);

// The text converted as a hexadecimal number ("$" is prefixed unless the text
// already contains one); 0 when it does not convert.
int HexByte(const QString& text);
