// The printer over Qt Print Support (CUPS on Linux). Qt keeps the printers'
// settings and shows their dialogs; the pages are written as PDF through a
// checked file and sent to the CUPS queue as a job that must be accepted, or
// put into the output file.
#pragma once

#include "document/Printer.h"

#include <QPageSize>
#include <QPainter>

#include <memory>

class QIODevice;
class QPageLayout;
class QPdfWriter;
class QPrinter;
class TOutputFile;
class TSpoolFile;

class TQtPrinter : public TPrinter {
public:
    TQtPrinter();
    ~TQtPrinter() override;

    QStringList Printers() const override;
    void Refresh() override;
    QString PrintSystemProblem() const override;
    int PrinterIndex() const override;
    void SetPrinterIndex(int index) override;
    bool HasDeviceSettings() const override;
    TPrinterDeviceSettings DeviceSettings() const override;
    void SetDeviceSettings(const TPrinterDeviceSettings& settings) override;
    int ResolutionX() const override;
    int ResolutionY() const override;
    QSize PhysicalPageSize() const override;
    QRect PrintableArea() const override;
    int Copies() const override;
    void SetCopies(int copies) override;
    // The spooler repeats documents; a file holds what was sent.
    bool RepeatsCopies() const override { return OutputFileName().isEmpty(); }
    void BeginDoc(const QString& title) override;
    void NewPage() override;
    void EndDoc() override;
    void Abort() override;
    bool Printing() const override { return FPainter.isActive(); }
    QPainter* Canvas() override { return FPainter.isActive() ? &FPainter : nullptr; }
    bool ExecuteSetupDialog(QWidget* parent) override;
    bool HasPropertiesDialog() const override { return !Printers().isEmpty(); }
    bool ExecutePropertiesDialog(QWidget* parent, int& copies) override;

    // Windows paper codes and QPageSize: the page size of a code (an invalid
    // QPageSize for codes without a twin), and the code of a page size (256
    // for sizes without one).
    static QPageSize PageSizeOfCode(int code, int customWidth, int customLength);
    static int CodeOfPageSize(const QPageSize& size);
    // Dots per inch across and down a device, as its painter maps them.
    static QSize ResolutionOf(const QPaintDevice& device);
    // A PDF writer into device at dpi with the page layout, titled, made by
    // this program.
    static std::unique_ptr<QPdfWriter> StartPdf(QIODevice& device, int dpi, const QPageLayout& layout,
                                                const QString& title);

private:
    // The QPrinter of the current printer, made on first use.
    QPrinter* Device() const;

    void Load() const;

    // The spooler is asked once; Refresh asks again.
    mutable bool FLoaded = false;
    mutable QStringList FNames;
    mutable QString FDefaultName;
    QString FPrinterName;  // empty: the default printer
    mutable std::unique_ptr<QPrinter> FDevice;
    mutable QString FDeviceName;
    // The document in progress: its PDF, into the output file or, for the
    // spooler, into a spool file sent by EndDoc.
    std::unique_ptr<TOutputFile> FFile;
    std::unique_ptr<TSpoolFile> FSpool;
    std::unique_ptr<QPdfWriter> FPdf;
    QString FTitle;
    QPainter FPainter;
};
