// Printing from the desktop program: the print command with its dialog, the
// page preview and "Print Current Row Directly", through the printer in use
// (Printer()), with messages through Dialogs() and a progress dialog with
// Cancel on long runs.
//
// The print dialog and the preview keep their choices (range, copies, zoom)
// from one use to the next while the program runs.
#pragma once

#include "engine/printing/PrintJob.h"
#include "engine/printing/PrinterProfile.h"

#include <QString>

#include <cstdint>
#include <functional>

class QWidget;
class TLabelDocument;

struct TDesktopPrintSettings {
    // 0: a label with an invalid barcode value stays empty; any other value
    // stops the run with an error box.
    int InvalidCodeProcess = 1;
    // Unit lengths are shown in: 0 centimetre, 1 inch.
    int Units = 0;
    // The profile kept for a printer by its name (the user settings'); its
    // calibration moves and scales the sheets of that printer in print and
    // preview. Empty: every printer prints as designed.
    std::function<TPrinterProfile(const QString& printerName)> Profile;
    // The print history every run is recorded in: an SQLite file or a
    // postgresql:// URL; empty: $TAGMORA_HISTORY, else the default file.
    QString History;
};

// The profile of the current printer of Printer() by the settings; the
// default profile without printers or without a lookup.
TPrinterProfile CurrentPrinterProfile(const TDesktopPrintSettings& settings);
// The print history the settings name (see History).
QString HistoryLocationOf(const TDesktopPrintSettings& settings);

// The print command: the print dialog, then the run (or the preview, when
// the dialog chose it; printing from the preview shows the dialog again).
// Without a printer it warns ("No printr device exist! ") and shows the
// dialog all the same, where "Print to PDF file…" prints into a PDF file at
// the document's resolution on its paper. The printers are looked up anew
// each time, so one added while the program runs is offered.
// releaseTools ends any object creation before the surface is used for
// output; labelSetup is the dialogs' "&Setting ..." (true when it changed
// something; empty hides the button). Printer failures are told through
// Dialogs() and give TPrintStatus::Failed.
TPrintStatus PrintDocument(TLabelDocument& doc, const TDesktopPrintSettings& settings, QWidget* parent,
                           const std::function<void()>& releaseTools = {},
                           const std::function<bool()>& labelSetup = {});

// The preview command: page 1 of the run at the zoom chosen last. Its
// "&Print ..." runs the print command. Returns Previewed when the preview was
// closed, else the outcome of the print command.
TPrintStatus OpenPreview(TLabelDocument& doc, const TDesktopPrintSettings& settings, QWidget* parent,
                         const std::function<void()>& releaseTools = {},
                         const std::function<bool()>& labelSetup = {});

// "Print Current Row Directly": the print command over the datasheet's
// current row only (repeated by its tag quantity); the print grid holds all
// rows again afterwards.
TPrintStatus PrintCurrentRow(TLabelDocument& doc, const TDesktopPrintSettings& settings, QWidget* parent,
                             const std::function<void()>& releaseTools = {},
                             const std::function<bool()>& labelSetup = {});

// Prints recorded run runId of the print history again, labels first..last
// (0: the labels it printed), from the label and data it printed, through the
// print dialog; the reprint is recorded as one of that run. A run that cannot
// be read is told through Dialogs() and gives TPrintStatus::Failed.
TPrintStatus ReprintRun(int64_t runId, int64_t first, int64_t last, const TDesktopPrintSettings& settings,
                        QWidget* parent);

// Runs of more labels than this show a progress dialog.
constexpr int64_t kProgressLabelThreshold = 300;

// The text of the progress dialog while printing.
QString PrintProgressText(const TPrintProgress& progress);
