// The printer over the CUPS scheduler, with no window code: it lists the
// scheduler's queues, keeps each queue's paper, resolution, copies and job
// options, writes the pages as PDF through a checked file and sends them to
// the queue as a job that must be accepted, or puts them into the output
// file. The desktop program's printer builds on it with Qt's print dialogs.
#pragma once

#include "document/CupsJob.h"
#include "document/Printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>

#include <map>
#include <memory>

// What the printer keeps for one queue: its paper, resolution, copies and the
// job options chosen for it (name, value).
struct TPrintDevice {
    QPageLayout Layout;
    QSize Dpi;
    int CopyCount = 1;
    bool Collate = false;
    enum class TDuplex { Off, Auto, LongSide, ShortSide } Duplex = TDuplex::Off;
    TCupsOptions Chosen;
};

class QIODevice;
class QPdfWriter;
class TOutputFile;
class TSpoolFile;

class TCupsPrinter : public TPrinter {
public:
    TCupsPrinter();
    ~TCupsPrinter() override;

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
    // Dialogs are the desktop program's.
    bool ExecuteSetupDialog(QWidget*) override { return false; }

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

protected:
    // The settings of the current printer, made on first use from
    // DeviceDefaults; null without printers.
    TPrintDevice* Device() const;
    const QString& DeviceName() const { return FDeviceName; }
    // Makes name the current printer (it must be one of Printers()).
    void SelectPrinterName(const QString& name);
    // A queue's paper and resolution before anyone set them: what the
    // scheduler says is its default (A4 at 300 dpi when it does not say).
    virtual TPrintDevice DeviceDefaults(const QString& name) const;

private:
    void Load() const;

    // The spooler is asked once; Refresh asks again.
    mutable bool FLoaded = false;
    mutable QStringList FNames;
    mutable QString FDefaultName;
    QString FPrinterName;  // empty: the default printer
    mutable std::map<QString, TPrintDevice> FDevices;
    mutable QString FDeviceName;
    // The document in progress: its PDF, into the output file or, for the
    // spooler, into a spool file sent by EndDoc.
    std::unique_ptr<TOutputFile> FFile;
    std::unique_ptr<TSpoolFile> FSpool;
    std::unique_ptr<QPdfWriter> FPdf;
    QString FTitle;
    QPainter FPainter;
};
