#include "engine/printing/SheetLayout.h"

#include "engine/datasheet/Datasheet.h"
#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/Printer.h"

#include <cmath>
#include <algorithm>

namespace {

// Lengths and positions are held within +-2^24 pixels (4.7 km at 90 dpi, 355 m
// at 1200 dpi): far beyond any sheet, and small enough that sums of a few
// never overflow.
constexpr int64_t kFar = int64_t(1) << 24;

int Held(int64_t v)
{
    return int(std::clamp(v, -kFar, kFar));
}

}  // namespace

int LabelTotal(int labelCount, int printGridRowCount)
{
    if (labelCount >= 1)
        return labelCount;
    return std::max(0, printGridRowCount - 1);
}

TSheetCounts SheetCounts(int total, int rows, int cols)
{
    TSheetCounts c;
    c.Total = std::max(0, total);
    c.PerPage = rows >= 1 && cols >= 1 ? int64_t(rows) * cols : 0;
    c.Pages = c.PerPage < 1 ? 1 : int((c.Total + c.PerPage - 1) / c.PerPage);
    return c;
}

TSheetCounts SheetCounts(const TLabelPlan& plan, const TDatasheet& datasheet)
{
    return SheetCounts(LabelTotal(plan.LabelCount, datasheet.StrGrid_Print.RowCount()), plan.LayoutRows,
                       plan.LayoutCols);
}

TLabelCell LabelCell(int order, int rows, int cols, int64_t k)
{
    if (rows < 1 || cols < 1)
        return {};
    const int64_t n = int64_t(rows) * cols;
    const int64_t i = ((k - 1) % n + n) % n;
    const int byRowR = int(i / cols), byRowC = int(i % cols);   // row by row
    const int byColR = int(i % rows), byColC = int(i / rows);   // column by column
    switch (order) {
    case ooLbRt: return {rows - 1 - byRowR, byRowC};
    case ooRtLb: return {byRowR, cols - 1 - byRowC};
    case ooRbLt: return {rows - 1 - byRowR, cols - 1 - byRowC};
    case oo2LtRb: return {byColR, byColC};
    case oo2LbRt: return {rows - 1 - byColR, byColC};
    case oo2RtLb: return {byColR, cols - 1 - byColC};
    case oo2RbLt: return {rows - 1 - byColR, cols - 1 - byColC};
    case ooLtRb:
    default: return {byRowR, byRowC};
    }
}

int CentimetresToPixels(double cm, int dpi)
{
    return Round(cm / 2.54 * dpi);
}

int PointsToPixels(double points, int dpi)
{
    return Round(points / 72.0 * dpi);
}

QPoint TSheetLayout::LabelOrigin(int64_t k) const
{
    const TLabelCell cell = Cell(k);
    return Calibrated((int64_t(Lw) + HG) * cell.Col + ML, (int64_t(Lh) + VG) * cell.Row + MT);
}

QPoint TSheetLayout::Calibrated(int64_t x, int64_t y) const
{
    if (ScaleX != 1.0)
        x = std::llround(double(x) * ScaleX);
    if (ScaleY != 1.0)
        y = std::llround(double(y) * ScaleY);
    return QPoint(Held(x + Offset.x()), Held(y + Offset.y()));
}

std::array<QRect, 8> TSheetLayout::CutMarks(QPoint origin) const
{
    const int x1 = origin.x(), x2 = origin.x() + Lw;
    const int y1 = origin.y(), y2 = origin.y() + Lh;
    // Each mark runs 4 pixels from its first point towards its second, the
    // second point not drawn.
    const QPoint topLeft = Calibrated(ML - 7, MT - 8), bottomRight = Calibrated(PW - MR + 4, PH - MB + 4);
    const int top = topLeft.y(), bottom = bottomRight.y(), left = topLeft.x(), right = bottomRight.x();
    return {QRect(x1, top, 1, 4),    QRect(x2, top, 1, 4),    QRect(x1, bottom, 1, 4), QRect(x2, bottom, 1, 4),
            QRect(left, y1, 4, 1),   QRect(left, y2, 4, 1),   QRect(right, y1, 4, 1),  QRect(right, y2, 4, 1)};
}

TSheetLayout SheetLayoutOf(const TLabelPlan& plan, int dpi, QSize page)
{
    TSheetLayout s;
    s.Rows = plan.LayoutRows;
    s.Cols = plan.LayoutCols;
    s.Order = int(plan.OutputOrder);
    s.Lw = Held(PointsToPixels(plan.ScaleX, dpi));
    s.Lh = Held(PointsToPixels(plan.ScaleY, dpi));
    s.ML = Held(CentimetresToPixels(plan.MarginLeft, dpi));
    s.MT = Held(CentimetresToPixels(plan.MarginTop, dpi));
    s.MR = Held(CentimetresToPixels(plan.MarginRight, dpi));
    s.MB = Held(CentimetresToPixels(plan.MarginBottom, dpi));
    s.HG = Held(CentimetresToPixels(plan.HorizontalSpace, dpi));
    s.VG = Held(CentimetresToPixels(plan.VerticalSpace, dpi));
    s.PW = Held(page.width());
    s.PH = Held(page.height());
    return s;
}

void SetCalibration(TSheetLayout& layout, QPointF offsetMm, QPointF scalePercent, int dpi)
{
    layout.Offset = QPoint(int(std::lround(offsetMm.x() / 25.4 * dpi)), int(std::lround(offsetMm.y() / 25.4 * dpi)));
    layout.ScaleX = scalePercent.x() / 100.0;
    layout.ScaleY = scalePercent.y() / 100.0;
}

QSize RollPaperTenths(int labelWidthPt, int labelHeightPt, double left, double top, double right, double bottom)
{
    return QSize(Round(labelWidthPt / 72.0 * 254 + (left + right) * 100),
                 Round(labelHeightPt / 72.0 * 254 + (top + bottom) * 100));
}

void SetRollPaper(TLabelPlan& plan)
{
    const QSize roll = RollPaperTenths(plan.ScaleX, plan.ScaleY, plan.MarginLeft, plan.MarginTop, plan.MarginRight,
                                       plan.MarginBottom);
    plan.LayoutRows = plan.LayoutCols = 1;
    plan.AutoCalcLayout = false;
    plan.PaperSize = kPaperCustom;
    plan.PaperWidth = roll.width();
    plan.PaperLength = roll.height();
    plan.PaperOrientation = true;
}

bool IsRollPaper(const TLabelPlan& plan)
{
    if (plan.PaperSize != kPaperCustom || !plan.PaperOrientation || plan.LayoutRows != 1 || plan.LayoutCols != 1)
        return false;
    const QSize roll = RollPaperTenths(plan.ScaleX, plan.ScaleY, plan.MarginLeft, plan.MarginTop, plan.MarginRight,
                                       plan.MarginBottom);
    return std::abs(plan.PaperWidth - roll.width()) <= 1 && std::abs(plan.PaperLength - roll.height()) <= 1;
}

bool ValidPageRange(int from, int to, int pages)
{
    return from >= 1 && from <= pages && to <= pages && to >= from;
}

TLabelSpan LabelsOfPages(int from, int to, const TSheetCounts& counts)
{
    TLabelSpan span;
    if (counts.PerPage < 1 || from < 1 || to < from)
        return span;
    span.First = counts.PerPage * (from - 1) + 1;
    span.Last = to >= counts.Pages ? counts.Total : std::min<int64_t>(counts.PerPage * to, counts.Total);
    return span;
}
