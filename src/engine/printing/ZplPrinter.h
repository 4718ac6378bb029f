// A printer that speaks ZPL II: every page is drawn at the printer's
// resolution with the same painting as every other output, made 1-bit and
// sent as one label format. The formats go to a file (OutputFileName()),
// straight to a network printer's raw port ("socket://HOST[:PORT]", port 9100
// when none is given), or to a CUPS queue as raw data, which the queue passes
// to the printer untouched.
//
// With roll media the page is one label, so each label is one ^XA ... ^XZ;
// copies are the printer's (^PQ: each label that many times in a row).
#pragma once

#include "document/Printer.h"
#include "engine/printing/PrinterProfile.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <memory>

class TCheckedWriter;

class TZplPrinter : public TPrinter {
public:
    // destination: "socket://HOST[:PORT]", a CUPS queue's name, or empty to
    // write the file named by SetOutputFileName.
    explicit TZplPrinter(const TZplSettings& settings, const QString& destination = QString());
    ~TZplPrinter() override;

    // Whether text names a network printer's raw port.
    static bool IsSocketUri(const QString& text);
    // Whether a run on the printer of this name goes out as ZPL: a network
    // printer's raw port, a raw queue, or a printer whose profile says so.
    static bool TakesZpl(const QString& printerName, const TPrinterProfile& profile);

    QStringList Printers() const override { return {FName}; }
    int PrinterIndex() const override { return 0; }
    void SetPrinterIndex(int index) override;
    bool HasDeviceSettings() const override { return true; }
    TPrinterDeviceSettings DeviceSettings() const override { return FPaper; }
    void SetDeviceSettings(const TPrinterDeviceSettings& settings) override;
    int ResolutionX() const override { return FSettings.Dpi; }
    int ResolutionY() const override { return FSettings.Dpi; }
    QSize PhysicalPageSize() const override;
    QRect PrintableArea() const override { return QRect(QPoint(0, 0), PhysicalPageSize()); }
    int Copies() const override { return FCopies; }
    void SetCopies(int copies) override { FCopies = std::clamp(copies, 1, 99999999); }
    // ^PQ repeats every label.
    bool RepeatsCopies() const override { return true; }
    bool PagesStartWhite() const override { return true; }
    // Starts the output: the file, or a spool for the printer. Throws
    // EPrinterError without a place to send to, EOutputFileError when the
    // file or spool cannot be made.
    void BeginDoc(const QString& title) override;
    void NewPage() override;
    // Puts the file in place or sends the job; throws EOutputFileError or
    // EPrinterError naming the printer when that fails (a file then stays as
    // it was).
    void EndDoc() override;
    void Abort() override;
    bool Printing() const override { return FPainter.isActive(); }
    QPainter* Canvas() override { return FPainter.isActive() ? &FPainter : nullptr; }
    bool ExecuteSetupDialog(QWidget*) override { return false; }

    // Pages written so far in the document in progress.
    int Labels() const { return FLabels; }

private:
    void StartPage();
    void FinishPage();

    TZplSettings FSettings;
    QString FDestination;
    QString FName;
    QString FTitle;
    TPrinterDeviceSettings FPaper;
    int FCopies = 1;
    int FLabels = 0;
    std::unique_ptr<TCheckedWriter> FOutput;
    QImage FPage;
    QPainter FPainter;
};

// Sends data to a network printer's raw port, "socket://HOST[:PORT]"; throws
// EPrinterError naming the printer when it cannot be reached or does not
// take all of it.
void SendToRawPort(const QString& uri, TCheckedWriter& data);
