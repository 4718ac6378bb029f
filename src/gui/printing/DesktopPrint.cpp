#include "gui/printing/DesktopPrint.h"

#include "document/BusyCursor.h"
#include "engine/LabelDocument.h"
#include "gui/UserDialogs.h"
#include "document/Printer.h"
#include "document/Tr.h"
#include "engine/printing/DataBinding.h"
#include "engine/printing/PdfPrinter.h"
#include "engine/printing/ZplPrinter.h"
#include "document/CupsJob.h"
#include "gui/printing/PreviewWindow.h"
#include "gui/printing/PrintDialog.h"
#include "engine/printing/SheetLayout.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProgressDialog>
#include <QRadioButton>
#include <QSpinBox>

#include <exception>
#include <memory>

namespace {

// What the print dialog and the preview keep between uses.
struct TRemembered {
    bool AllPages = true;
    QString FromPage = QStringLiteral("1");
    QString ToPage;
    int Copies = 1;
    int ZoomEntry = pzActualSize;
};

TRemembered& Remembered()
{
    static TRemembered remembered;
    return remembered;
}

// The progress dialog of a long run: made when a run of more labels than the
// threshold reports, updated a few times a second (which also lets the
// windows repaint and the Cancel button work), closed with the run.
class TRunProgress {
public:
    TRunProgress(QWidget* parent, const QString& caption) : FParent(parent), FCaption(caption) {}
    ~TRunProgress()
    {
        if (FDialog)
            FDialog->close();
    }
    TRunProgress(const TRunProgress&) = delete;
    TRunProgress& operator=(const TRunProgress&) = delete;

    // False once the user cancelled.
    bool Update(int64_t done, int64_t total, const QString& text)
    {
        if (total <= kProgressLabelThreshold)
            return true;
        if (!FDialog) {
            FDialog = std::make_unique<QProgressDialog>(text, Tr("DesktopPrint", "&Cancel"), 0, 1000, FParent);
            FDialog->setObjectName(QStringLiteral("PrintProgress"));
            FDialog->setWindowTitle(FCaption);
            FDialog->setAccessibleName(FCaption);
            FDialog->setWindowModality(Qt::ApplicationModal);
            FDialog->setAutoClose(false);
            FDialog->setAutoReset(false);
            FDialog->setMinimumDuration(300);
            FDialog->setValue(0);
            FSince.start();
        }
        if (FDialog->wasCanceled())
            return false;
        if (FSince.elapsed() >= 40 || done >= total) {
            FDialog->setLabelText(text);
            FDialog->setValue(int(done * 1000 / total));
            QCoreApplication::processEvents();
            FSince.restart();
        }
        return !FDialog->wasCanceled();
    }

private:
    QWidget* FParent;
    QString FCaption;
    std::unique_ptr<QProgressDialog> FDialog;
    QElapsedTimer FSince;
};

QString DocumentTitle(const TLabelDocument& doc)
{
    return doc.HasFileName() ? QFileInfo(doc.CurrentFileName()).completeBaseName() : QStringLiteral("Tagmora");
}

// Objects bound to a column the datasheet does not have print without their
// data: the user is asked before such a run.
QStringList MissingColumns(const TLabelDocument& doc)
{
    return MissingBoundColumns(doc.Plan(), doc.Data);
}

// Asked after OK in the print dialog; false cancels the run.
bool ConfirmMissingColumns(const TLabelDocument& doc)
{
    const QStringList missing = MissingColumns(doc);
    if (missing.isEmpty())
        return true;
    const QString text = Tr("DesktopPrint",
                            "The label uses columns the datasheet does not have: %1\r"
                            "Their objects print without data. Print anyway?")
                             .arg(missing.join(QStringLiteral(", ")));
    return Dialogs().MessageDlg(text, TMsgDlgType::mtWarning, mbYes | mbCancel) == mbYes;
}

TPrintChoice ShowPrintDialog(TLabelDocument& doc, QWidget* parent, const std::function<bool()>& labelSetup,
                             const TPrintDialogInfo& info, TPrintRequest& request, QString& pdfFile)
{
    TFM_Print dialog(parent);
    dialog.AskPdfFile = [&doc] {
        const QString folder = doc.HasFileName() ? QFileInfo(doc.CurrentFileName()).absolutePath() : QString();
        return Dialogs().SaveFileName(Tr("DesktopPrint", "Print to PDF file"), folder,
                                      Tr("DesktopPrint", "PDF File (*.pdf)"), QStringLiteral("pdf"));
    };
    dialog.SetLabelSetup(labelSetup);
    dialog.RefreshInfo = [&doc] {
        TPrinter& printer = Printer();
        return TPrintDialogInfo{printer.PrinterName(), UsableDpi(printer.ResolutionX()),
                                SheetCounts(doc.Plan(), doc.Data).Pages};
    };
    TRemembered& r = Remembered();
    (r.AllPages ? dialog.Rdio_All : dialog.Rdio_Pages)->setChecked(true);
    dialog.Edt_From->setText(r.FromPage);
    dialog.Edt_To->setText(r.ToPage);
    dialog.SEdt_Copies->setValue(r.Copies);
    const TPrintChoice choice = dialog.Execute(info, request);
    r.AllPages = dialog.AllPages();
    r.FromPage = dialog.FromPage();
    r.ToPage = dialog.ToPage();
    r.Copies = dialog.Copies();
    pdfFile = dialog.PdfFile();
    if ((choice == TPrintChoice::Print || !pdfFile.isEmpty()) && !ConfirmMissingColumns(doc)) {
        pdfFile.clear();
        return TPrintChoice::Cancel;
    }
    return choice;
}

// The run on a printer of our own in place of the current one (a PDF file, a
// ZPL printer), as the dialog left the range and the copies, with a progress
// dialog. The document keeps its own printer and resolution. Throws what the
// printer throws.
TPrintOutcome PrintOn(TPrinter& printer, TLabelDocument& doc, TPrintRequest request, QWidget* parent)
{
    TLabelPlan& plan = doc.Plan();
    struct TKeepPrinter {
        TLabelPlan& plan;
        const int32_t printer = plan.OutputPrinter;
        const int dpi = plan.PntDPI;
        ~TKeepPrinter()
        {
            plan.OutputPrinter = printer;
            plan.PntDPI = dpi;
        }
    } keep{plan};
    TScopedPrinter use(printer);
    request.Dialog = nullptr;
    request.PrinterName.clear();
    TRunProgress progress(parent, Tr("DesktopPrint", "Printing"));
    request.Progress = [&progress](const TPrintProgress& p) {
        return progress.Update(p.Done, p.Total, PrintProgressText(p));
    };
    return PrintLabels(plan, doc.Data, request);
}

// The run into a PDF file, at the document's resolution on its paper. The
// PDF printer writes the file whole or not at all: a failed or stopped run
// leaves a file that was there untouched.
TPrintStatus PrintToPdfFile(TLabelDocument& doc, TPrintRequest request, const QString& path, QWidget* parent)
{
    TPdfPrinter pdf(UsableDpi(doc.Plan().PntDPI), Tr("DesktopPrint", "PDF file"));
    pdf.SetOutputFileName(path);
    // A file is no printer to calibrate: its sheets are as designed.
    request.OffsetMm = QPointF();
    request.ScalePercent = QPointF(100, 100);
    TPrintOutcome outcome;
    try {
        outcome = PrintOn(pdf, doc, request, parent);
    } catch (const std::exception& e) {
        Dialogs().MessageDlg(
            Tr("DesktopPrint", "Cannot write the file %1: %2").arg(path, QString::fromLocal8Bit(e.what())),
            TMsgDlgType::mtError, mbOK);
        return TPrintStatus::Failed;
    }
    if (outcome.Status == TPrintStatus::Printed && outcome.Span.IsEmpty())
        Dialogs().MessageDlg(Tr("DesktopPrint", "There is nothing to print; the file %1 was not written.").arg(path),
                             TMsgDlgType::mtWarning, mbOK);
    return outcome.Status;
}

// The run on a thermal label printer in its own language: the queue gets
// ZPL II as raw data, drawn at the print head's resolution, with the
// printer's calibration.
TPrintStatus PrintZpl(TLabelDocument& doc, const TPrintRequest& request, const QString& queue,
                      const TZplSettings& settings, QWidget* parent)
{
    TZplPrinter zpl(settings, queue);
    try {
        return PrintOn(zpl, doc, request, parent).Status;
    } catch (const std::exception& e) {
        Dialogs().MessageDlg(QString::fromLocal8Bit(e.what()), TMsgDlgType::mtError, mbOK);
        return TPrintStatus::Failed;
    }
}

// Shows the preview; true when it closed with "&Print ...".
bool RunPreview(TLabelDocument& doc, const TDesktopPrintSettings& settings, QWidget* parent,
                const std::function<void()>& releaseTools, const std::function<bool()>& labelSetup)
{
    if (releaseTools)
        releaseTools();
    TFM_Preview preview(doc, settings.InvalidCodeProcess, parent);
    preview.SetLabelSetup(labelSetup);
    preview.SetZoomEntry(Remembered().ZoomEntry);
    preview.Profile = [&settings] { return CurrentPrinterProfile(settings); };
    preview.RenderGuard = [&preview](int64_t labels, const auto& render) {
        if (labels <= kProgressLabelThreshold) {
            TBusyCursor busy;
            return render({});
        }
        TRunProgress progress(&preview, Tr("DesktopPrint", "Preview"));
        return render([&progress](int64_t done, int64_t total) {
            return progress.Update(done, total,
                                   Tr("DesktopPrint", "Rendering label %1 of %2 ...").arg(done).arg(total));
        });
    };
    preview.Start(PreviewPageCount(doc.Plan(), doc.Data));
    preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
    const int result = preview.exec();
    Remembered().ZoomEntry = preview.ZoomEntry();
    return result == QDialog::Accepted;
}

}  // namespace

QString PrintProgressText(const TPrintProgress& progress)
{
    return Tr("DesktopPrint", "Printing label %1 of %2, page %3 of %4 ...")
               .arg(progress.Done)
               .arg(progress.Total)
               .arg(progress.Page)
               .arg(progress.Pages) +
           QStringLiteral("\n\n") +
           (progress.ToFile ? Tr("DesktopPrint", "Cancel stops printing and writes no PDF file.")
                            : Tr("DesktopPrint", "Cancel stops printing; the printer gets the pages printed so far."));
}

TPrinterProfile CurrentPrinterProfile(const TDesktopPrintSettings& settings)
{
    if (!settings.Profile || !Printer().HasPrinters())
        return TPrinterProfile();
    return settings.Profile(Printer().PrinterName());
}

TPrintStatus PrintDocument(TLabelDocument& doc, const TDesktopPrintSettings& settings, QWidget* parent,
                           const std::function<void()>& releaseTools, const std::function<bool()>& labelSetup)
{
    for (;;) {
        // A printer added since the last look is offered.
        Printer().Refresh();
        QString pdfFile;
        // A thermal printer (a raw queue, or one the options mark as ZPL)
        // chosen in the dialog is printed on in ZPL after it.
        QString zplQueue;
        TZplSettings zplSettings;
        TPrintRequest request;
        // The request as the dialog left it (range, copies, calibration),
        // for a run that follows the dialog's.
        TPrintRequest chosen;
        request.InvalidCodeProcess = settings.InvalidCodeProcess;
        request.Title = DocumentTitle(doc);
        request.ReleaseTools = releaseTools;
        request.Report = [](const QString& text, bool error) {
            Dialogs().MessageDlg(text, error ? TMsgDlgType::mtError : TMsgDlgType::mtWarning, mbOK);
        };
        request.Dialog = [&](const TPrintDialogInfo& info, TPrintRequest& r) {
            const TPrintChoice choice = ShowPrintDialog(doc, parent, labelSetup, info, r, pdfFile);
            // The printer the run goes to, as the dialog left it, brings its
            // calibration.
            const TPrinterProfile profile = CurrentPrinterProfile(settings);
            r.OffsetMm = profile.OffsetMm;
            r.ScalePercent = profile.ScalePercent;
            chosen = r;
            if (choice == TPrintChoice::Print && (profile.Zpl || IsRawQueue(Printer().PrinterName()))) {
                zplQueue = Printer().PrinterName();
                zplSettings = profile.ZplSettings;
                return TPrintChoice::Cancel;
            }
            return choice;
        };
        TPrintOutcome outcome;
        if (!Printer().HasPrinters()) {
            // The warning as ever; then the dialog all the same, for a PDF
            // file or the preview.
            Dialogs().MessageDlg(NoPrinterMessage(), TMsgDlgType::mtWarning, mbOK);
            const TPrintDialogInfo info{QString(), UsableDpi(doc.Plan().PntDPI), SheetCounts(doc.Plan(), doc.Data).Pages};
            outcome.Status = request.Dialog(info, request) == TPrintChoice::Preview ? TPrintStatus::Previewed
                                                                                   : TPrintStatus::NoPrinter;
        } else {
            TRunProgress progress(parent, Tr("DesktopPrint", "Printing"));
            request.Progress = [&progress](const TPrintProgress& p) {
                return progress.Update(p.Done, p.Total, PrintProgressText(p));
            };
            try {
                outcome = PrintLabels(doc.Plan(), doc.Data, request);
            } catch (const std::exception& e) {
                Dialogs().MessageDlg(QString::fromLocal8Bit(e.what()), TMsgDlgType::mtError, mbOK);
                return TPrintStatus::Failed;
            }
        }
        if (!pdfFile.isEmpty())
            return PrintToPdfFile(doc, chosen, pdfFile, parent);
        if (!zplQueue.isEmpty())
            return PrintZpl(doc, chosen, zplQueue, zplSettings, parent);
        if (outcome.Status != TPrintStatus::Previewed)
            return outcome.Status;
        if (!RunPreview(doc, settings, parent, releaseTools, labelSetup))
            return TPrintStatus::Previewed;
    }
}

TPrintStatus OpenPreview(TLabelDocument& doc, const TDesktopPrintSettings& settings, QWidget* parent,
                         const std::function<void()>& releaseTools, const std::function<bool()>& labelSetup)
{
    Printer().Refresh();
    if (!RunPreview(doc, settings, parent, releaseTools, labelSetup))
        return TPrintStatus::Previewed;
    return PrintDocument(doc, settings, parent, releaseTools, labelSetup);
}

TPrintStatus PrintCurrentRow(TLabelDocument& doc, const TDesktopPrintSettings& settings, QWidget* parent,
                             const std::function<void()>& releaseTools, const std::function<bool()>& labelSetup)
{
    struct TAllRowsAgain {
        TDatasheet& data;
        ~TAllRowsAgain() { data.BuildPrintGrid(); }
    } allRowsAgain{doc.Data};
    doc.Data.BuildPrintGridCurrentRow();
    return PrintDocument(doc, settings, parent, releaseTools, labelSetup);
}
