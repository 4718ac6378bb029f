#include "engine/printing/PrintJob.h"

#include "engine/datasheet/Datasheet.h"
#include "document/LabelFile.h"
#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/Tr.h"
#include "engine/printing/DataBinding.h"
#include "engine/printing/LabelOutput.h"
#include "engine/printing/LabelRun.h"
#include "document/Printer.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <stdexcept>

QString NoPrinterMessage()
{
    return Tr("PrintJob", "No printr device exist! ");
}

QString PrintRangeMessage()
{
    return Tr("PrintJob", "Error print range! ");
}

QString NoPlacesMessage()
{
    return Tr("PrintJob", "The label layout has no rows or no columns! ");
}

QString NotAPageNumberMessage(const QString& text)
{
    return Tr("PrintJob", "'%1' is not a valid page number! ").arg(text);
}

QString NoSuchLabelsMessage(int64_t first, int64_t last, int64_t total)
{
    return Tr("PrintJob", "Labels %1-%2 are not in this run of %3 labels! ").arg(first).arg(last).arg(total);
}

namespace {

void Warn(const TPrintRequest& request, const QString& text)
{
    if (request.Report)
        request.Report(text, false);
}

// A typed page number: trimmed decimal digits with an optional sign.
bool ParsePageNumber(const QString& text, int& value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok, 10);
    return ok;
}

// Selects the printer and applies the document's paper to it. A printer asked
// for by name is selected for this run only: the document keeps its own.
void SetUpPrinter(TLabelPlan& plan, const QString& printerName)
{
    if (printerName.isEmpty()) {
        ApplyPrinterSettings(plan);
        return;
    }
    const int index = int(Printer().Printers().indexOf(printerName));
    if (index < 0)
        throw EPrinterError(Tr("PrintJob", "There is no printer named %1").arg(printerName));
    const int32_t documentPrinter = plan.OutputPrinter;
    plan.OutputPrinter = index;
    ApplyPrinterSettings(plan);
    plan.OutputPrinter = documentPrinter;
}

void ShowCurrentRow(TLabelPlan& plan, const TDatasheet& datasheet)
{
    FillObjectsFromRow(plan, datasheet, std::max(1, datasheet.StrGrid_Data.Row()), TDatasheet::DataGridSource);
}

}  // namespace

int PaperMetric(const QString& name)
{
    const bool width = name == QLatin1String("Width");
    if (!width && name != QLatin1String("Length"))
        return 0;
    TPrinter& printer = Printer();
    if (!printer.HasPrinters())
        return width ? 2479 : 3508;
    QSize size = printer.PhysicalPageSize();
    if (size.isEmpty()) {
        // A printer that cannot tell its sheet: A4 at its resolution.
        size = QSize(Round(2100 / 254.0 * UsableDpi(printer.ResolutionX())),
                     Round(2970 / 254.0 * UsableDpi(printer.ResolutionY())));
    }
    return width ? size.width() : size.height();
}

TPrintOutcome PrintLabels(TLabelPlan& plan, TDatasheet& datasheet, TPrintRequest request)
{
    TPrintOutcome outcome;
    TPrinter& printer = Printer();
    if (!printer.HasPrinters()) {
        Warn(request, NoPrinterMessage());
        outcome.Status = TPrintStatus::NoPrinter;
        return outcome;
    }
    SetUpPrinter(plan, request.PrinterName);
    plan.PntDPI = UsableDpi(printer.ResolutionX());

    if (request.Dialog) {
        const TPrintDialogInfo info{printer.PrinterName(), plan.PntDPI, SheetCounts(plan, datasheet).Pages};
        switch (request.Dialog(info, request)) {
        case TPrintChoice::Cancel:
            outcome.Status = TPrintStatus::Cancelled;
            return outcome;
        case TPrintChoice::Preview:
            outcome.Status = TPrintStatus::Previewed;
            if (request.OpenPreview)
                request.OpenPreview();
            return outcome;
        case TPrintChoice::Print:
            break;
        }
    }
    // The dialog's label setup may have changed the layout or the printer.
    const int dpi = plan.PntDPI = UsableDpi(printer.ResolutionX());
    const TSheetCounts counts = SheetCounts(plan, datasheet);
    outcome.Counts = counts;
    outcome.Copies = std::max(1, request.Copies);

    if (request.Copies > 0)
        printer.SetCopies(request.Copies);

    int from = 1, to = counts.Pages;
    if (!request.AllPages) {
        if (!ParsePageNumber(request.FromPage, from)) {
            Warn(request, NotAPageNumberMessage(request.FromPage.trimmed()));
            outcome.Status = TPrintStatus::RangeError;
            return outcome;
        }
        if (!ParsePageNumber(request.ToPage, to)) {
            Warn(request, NotAPageNumberMessage(request.ToPage.trimmed()));
            outcome.Status = TPrintStatus::RangeError;
            return outcome;
        }
        if (!ValidPageRange(from, to, counts.Pages)) {
            Warn(request, PrintRangeMessage());
            outcome.Status = TPrintStatus::RangeError;
            return outcome;
        }
    }
    if (counts.PerPage < 1 && counts.Total > 0) {
        Warn(request, NoPlacesMessage());
        outcome.Status = TPrintStatus::NoPlaces;
        return outcome;
    }
    outcome.Span = LabelsOfPages(from, to, counts);
    if (request.FirstLabel > 0 || request.LastLabel > 0) {
        const int64_t first = std::max<int64_t>(1, request.FirstLabel);
        const int64_t last = request.LastLabel > 0 ? request.LastLabel : counts.Total;
        if (first > last || last > counts.Total) {
            Warn(request, NoSuchLabelsMessage(first, last, counts.Total));
            outcome.Status = TPrintStatus::RangeError;
            return outcome;
        }
        outcome.Span.First = std::max<int64_t>(outcome.Span.First, first);
        outcome.Span.Last = std::min<int64_t>(outcome.Span.Last, last);
    }
    // Nothing to print starts no document (no blank sheet).
    if (outcome.Span.IsEmpty())
        return outcome;

    if (request.ReleaseTools)
        request.ReleaseTools();
    TSheetLayout layout =
        SheetLayoutOf(plan, dpi, QSize(PaperMetric(QStringLiteral("Width")), PaperMetric(QStringLiteral("Length"))));
    SetCalibration(layout, request.OffsetMm, request.ScalePercent, dpi);
    // A printer that cannot repeat the document (a file) gets the copies
    // one after the other.
    const int repeats = printer.RepeatsCopies() ? 1 : outcome.Copies;
    // Afterwards, with the surface restored, the design shows the current row.
    struct TShowCurrentRow {
        TLabelPlan& plan;
        const TDatasheet& datasheet;
        ~TShowCurrentRow() { ShowCurrentRow(plan, datasheet); }
    } showCurrentRow{plan, datasheet};
    TOutputSurface surface(plan, QSize(layout.Lw, layout.Lh), false);
    struct TBlankPages {
        TLabelPlan& plan;
        ~TBlankPages() { plan.OnBlankPage = false; }
    } blankPages{plan};
    plan.OnBlankPage = printer.PagesStartWhite();
    TLabelRun run{plan, datasheet, layout, request.InvalidCodeProcess, [&printer] { return printer.Canvas(); },
                  [&printer] { printer.NewPage(); }};
    if (request.Report)
        run.ReportError = [&request](const QString& text) { request.Report(text, true); };
    const QString file = printer.OutputFileName();
    TPrintProgress progress;
    const int64_t spanLabels = outcome.Span.Last - outcome.Span.First + 1;
    const int spanPages = int((spanLabels + counts.PerPage - 1) / counts.PerPage);
    progress.Total = spanLabels * repeats;
    progress.Pages = spanPages * repeats;
    progress.ToFile = !file.isEmpty();
    int copy = 0;
    if (request.Progress) {
        run.Progress = [&](int64_t k) {
            const int64_t done = k - outcome.Span.First + 1;
            progress.Done = spanLabels * copy + done;
            progress.Page = spanPages * copy + int((done + counts.PerPage - 1) / counts.PerPage);
            return request.Progress(progress);
        };
    }
    try {
        printer.BeginDoc(request.Title);
        for (copy = 0; copy < repeats; ++copy) {
            if (copy > 0)
                printer.NewPage();
            const TLabelRunResult r = run.Run(outcome.Span.First, outcome.Span.Last);
            outcome.LastPlaced = std::max(outcome.LastPlaced, r.Last);
            if (copy == 0) {
                outcome.Painted = r.Painted;
                outcome.Skipped = r.Skipped;
                outcome.BeyondLabel = r.BeyondLabel;
                outcome.Pages = 1 + r.PageBreaks;
            }
            if (r.Aborted()) {
                outcome.Status = TPrintStatus::Aborted;
                outcome.AbortedAt = r.AbortedAt;
                outcome.AbortedBeyondLabel = r.AbortedBeyondLabel;
                outcome.AbortReason = r.Reason;
                break;
            }
            if (r.Stopped) {
                outcome.Status = TPrintStatus::Stopped;
                break;
            }
        }
        // An unfinished file is no use: the old one stays.
        const bool unfinished = outcome.Status == TPrintStatus::Stopped ||
                                (outcome.Status == TPrintStatus::Aborted && request.DiscardFileOnAbort);
        if (unfinished && !file.isEmpty())
            printer.Abort();
        else
            printer.EndDoc();
    } catch (...) {
        printer.Abort();
        throw;
    }
    return outcome;
}
