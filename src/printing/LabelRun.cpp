#include "printing/LabelRun.h"

#include "datasheet/Datasheet.h"
#include "document/LabelPlan.h"
#include "printing/DataBinding.h"
#include "printing/LabelOutput.h"
#include "printing/SheetLayout.h"

#include <QPainter>

#include <algorithm>

QString InvalidCodeAbortMessage(int64_t k)
{
    return QStringLiteral("A value in line ") + QString::number(k) +
           QStringLiteral(" is a invalid code for selected bar code format!") + QLatin1Char('\r') +
           QStringLiteral("Abort printing!");
}

TLabelRunResult TLabelRun::Run(int64_t first, int64_t last)
{
    TLabelRunResult result;
    const int64_t n = Layout.PerPage();
    if (n < 1 || first > last)
        return result;
    const bool fromPrintGrid = Plan.LabelCount < 0;
    const int currentRow = std::max(1, Data.StrGrid_Data.Row());
    for (int64_t k = first; k <= last; ++k) {
        const QPoint origin = Layout.LabelOrigin(k);
        const int filled = fromPrintGrid
                               ? FillObjectsFromRow(Plan, Data, int(std::min<int64_t>(k, INT32_MAX)), TDatasheet::PrintGridSource)
                               : FillObjectsFromRow(Plan, Data, currentRow, TDatasheet::DataGridSource);
        QPainter* canvas = Canvas();
        if (Plan.CutMark && canvas) {
            for (const QRect& mark : Layout.CutMarks(origin))
                canvas->fillRect(mark, Qt::black);
        }
        if (filled != 0) {
            if (InvalidCodeProcess != 0) {
                if (ReportError)
                    ReportError(InvalidCodeAbortMessage(k));
                result.AbortedAt = k;
                return result;
            }
            ++result.Skipped;
        } else {
            if (canvas)
                PaintLabelAt(Plan, *canvas, origin);
            ++result.Painted;
        }
        if (Progress && !Progress(k)) {
            result.Stopped = true;
            return result;
        }
        if (k < last && k % n == 0 && NewPage) {
            NewPage();
            ++result.PageBreaks;
        }
    }
    return result;
}
