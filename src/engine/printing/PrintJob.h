// The print job: prints the label once per label of the run onto sheets,
// through the printer in use (Printer()).
//
// The choices of the print dialog (page range, copies) come in a
// TPrintRequest; the dialog itself is a callback so the job runs without
// windows too (tagmora-cli print). Warnings and errors go to the request's
// Report callback: the job itself never opens a window.
#pragma once

#include "engine/printing/SheetLayout.h"

#include <QPointF>
#include <QString>

#include <cstdint>
#include <functional>

class TDatasheet;
class TLabelPlan;

// What the print dialog shows before printing.
struct TPrintDialogInfo {
    QString PrinterName;
    int Dpi = 0;
    int Pages = 0;
};

// Where a run stands, told after every label.
struct TPrintProgress {
    int64_t Done = 0;    // labels done (painted or left empty), copies sent one by one included
    int64_t Total = 0;   // labels to do
    int Page = 1;        // sheet being filled, from 1, counted over the copies sent
    int Pages = 0;       // sheets to fill
    bool ToFile = false; // the printer writes a file: a stopped run leaves no file
};

// How the print dialog closed.
enum class TPrintChoice { Print, Cancel, Preview };

struct TPrintRequest {
    // "All" pages, or "Pages From" FromPage "to" ToPage as typed (trimmed
    // decimal numbers).
    bool AllPages = true;
    QString FromPage = QStringLiteral("1");
    QString ToPage;
    // Only labels FirstLabel..LastLabel (numbers from 1) of the chosen pages,
    // each in its own place on its sheet; 0: from the first / to the last.
    int64_t FirstLabel = 0;
    int64_t LastLabel = 0;
    // Copies of the whole document; values above 0 become the printer's copy
    // count.
    int Copies = 1;
    // The printer to print on by name; empty: the document's printer.
    QString PrinterName;
    // The program's option: 0 leaves a label with an invalid barcode value
    // empty and goes on; any other value stops the run with an error box.
    int InvalidCodeProcess = 1;
    // Name of the document in the spooler.
    QString Title = QStringLiteral("Tagmora");
    // A file printer (OutputFileName()) keeps the labels before an invalid
    // code that ended the run; true writes no file then (the old one stays).
    bool DiscardFileOnAbort = false;
    // The printer's calibration: the sheet moved by OffsetMm (millimetres,
    // right and down) and its positions scaled by ScalePercent.
    QPointF OffsetMm;
    QPointF ScalePercent{100.0, 100.0};

    // The print dialog: shown with the printer and the page count once the
    // printer is set up; it may change the request (and, through its label
    // setup, the document). None: print the request as it stands.
    std::function<TPrintChoice(const TPrintDialogInfo&, TPrintRequest&)> Dialog;
    // Opens the preview when the dialog chose it.
    std::function<void()> OpenPreview;
    // Ends any object creation and returns to the pointer tool before the
    // surface is used for output.
    std::function<void()> ReleaseTools;
    // Tells the user a warning (a printer or range problem) or an error (the
    // invalid code that ended the run). None: the messages are dropped and
    // only the outcome tells.
    std::function<void(const QString& text, bool error)> Report;
    // Told after every label of the run; returning false stops it. A printer
    // then gets the sheets printed so far, the sheet in progress as far as it
    // got; a file is not written, as a part of a run is no use there.
    std::function<bool(const TPrintProgress&)> Progress;
};

enum class TPrintStatus {
    Printed,      // the run went through (also when it had no labels)
    NoPrinter,    // "No printr device exist! "
    Cancelled,    // the dialog was cancelled
    Previewed,    // the dialog chose the preview
    RangeError,   // "Error print range! ", a page number that is not a number, or labels beyond the run
    NoPlaces,     // the layout has no rows or no columns
    Aborted,      // an invalid barcode value ended the run
    Stopped,      // the run was stopped through Progress
    Failed,       // the printer failed (PrintLabels throws; callers that catch report it)
};

struct TPrintOutcome {
    TPrintStatus Status = TPrintStatus::Printed;
    TSheetCounts Counts;     // labels and pages of the whole run
    TLabelSpan Span;         // labels of the chosen pages
    int Painted = 0;         // labels painted (per copy)
    int Skipped = 0;         // places left empty for an invalid code (per copy)
    int BeyondLabel = 0;     // of those, for a barcode that does not fit on the label
    int Pages = 0;           // sheets output per copy
    int Copies = 1;          // the copy count asked for
    int64_t LastPlaced = 0;  // the furthest label the run placed, painted or left empty (0: none)
    int64_t AbortedAt = 0;   // label number of the invalid code that ended the run
    bool AbortedBeyondLabel = false;  // that label's barcode did not fit on it
    QString AbortReason;     // which value of its data row was refused (empty: none was)
};

// The whole run: printer check, the document's printer settings
// (ApplyPrinterSettings; PntDPI becomes the printer's resolution), the
// dialog, the range, the labels sheet by sheet, and the surface restored
// showing the datasheet's current row. Errors of the printer and of the
// painting pass to the caller after the document has been aborted and the
// surface restored.
TPrintOutcome PrintLabels(TLabelPlan& plan, TDatasheet& datasheet, TPrintRequest request);

// "Width" / "Length": the current printer's whole sheet in device pixels; with
// no printer installed 2479 and 3508 (A4 at 300 dpi). Any other name: 0.
int PaperMetric(const QString& name);

// Messages of the job.
QString NoPrinterMessage();   // "No printr device exist! "
QString PrintRangeMessage();  // "Error print range! "
QString NoPlacesMessage();    // the layout has no label places
// The warning for a page number that is not a number.
QString NotAPageNumberMessage(const QString& text);
// The warning for labels first..last asked of a run of total labels.
QString NoSuchLabelsMessage(int64_t first, int64_t last, int64_t total);
