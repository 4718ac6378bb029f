#include "engine/printing/PreviewPage.h"

#include "engine/datasheet/Datasheet.h"
#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "engine/printing/DataBinding.h"
#include "engine/printing/LabelOutput.h"
#include "engine/printing/LabelRun.h"
#include "engine/printing/PrintJob.h"
#include "document/Printer.h"
#include "document/CupsPrinter.h"
#include "engine/printing/SheetLayout.h"

#include <QPainter>

#include <algorithm>

int PreviewPageCount(const TLabelPlan& plan, const TDatasheet& datasheet)
{
    return std::max(1, SheetCounts(plan, datasheet).Pages);
}

QSize PreviewPaperSize(const TLabelPlan& plan)
{
    if (!Printer().HasPrinters()) {
        // The document's paper (A4 unless the label setup chose another).
        const QPageSize paper = TCupsPrinter::PageSizeOfCode(plan.PaperSize, plan.PaperWidth, plan.PaperLength);
        const QSize points = paper.isValid() ? paper.sizePoints() : QSize(595, 842);
        return plan.PaperOrientation ? points : points.transposed();
    }
    const double dpi = UsableDpi(plan.PntDPI);
    return QSize(Round(PaperMetric(QStringLiteral("Width")) / dpi * 72),
                 Round(PaperMetric(QStringLiteral("Length")) / dpi * 72));
}

TPreviewPage RenderPreviewPage(TLabelPlan& plan, const TDatasheet& datasheet, int page, int invalidCodeProcess,
                               const std::function<void(const QString&)>& reportError,
                               const std::function<bool(int64_t done, int64_t total)>& progress,
                               const TPrinterProfile& profile)
{
    TPreviewPage result;
    result.PaperSize = PreviewPaperSize(plan);
    const TSheetCounts counts = SheetCounts(plan, datasheet);
    if (page < 1 || page > std::max(1, counts.Pages))
        return result;
    result.Rendered = true;

    // One pixel per point: the sheet is laid out in points.
    TSheetLayout layout = SheetLayoutOf(plan, 72, result.PaperSize);
    SetCalibration(layout, profile.OffsetMm, profile.ScalePercent, 72);
    TPageRecorder recorder(result.PaperSize);
    QPainter canvas(&recorder);
    canvas.fillRect(QRect(QPoint(0, 0), result.PaperSize), Qt::white);
    if (counts.PerPage >= 1 && counts.Total > 0) {
        const int64_t first = counts.PerPage * (page - 1) + 1;
        const int64_t last = std::min<int64_t>(counts.PerPage * page, counts.Total);
        struct TShowCurrentRow {
            TLabelPlan& plan;
            const TDatasheet& datasheet;
            ~TShowCurrentRow()
            {
                FillObjectsFromRow(plan, datasheet, std::max(1, datasheet.StrGrid_Data.Row()),
                                   TDatasheet::DataGridSource);
            }
        } showCurrentRow{plan, datasheet};
        TOutputSurface surface(plan, QSize(plan.ScaleX, plan.ScaleY), true);
        TLabelRun run{plan, datasheet, layout, invalidCodeProcess, [&canvas] { return &canvas; }, {}, reportError};
        if (progress)
            run.Progress = [&](int64_t k) { return progress(k - first + 1, last - first + 1); };
        const TLabelRunResult r = run.Run(first, last);
        result.Stopped = r.Stopped;
        result.Painted = r.Painted;
        result.Skipped = r.Skipped;
        result.BeyondLabel = r.BeyondLabel;
        result.AbortedAt = r.AbortedAt;
    }
    canvas.end();
    result.Picture = recorder.Picture();
    return result;
}
