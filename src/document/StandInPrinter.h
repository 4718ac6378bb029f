// A printer without a spooler, for tests and the command-line tool: a chosen
// list of printers with their resolutions and page sizes, device settings
// kept per printer, a log of what callers set, and every printed page kept as
// an image.
#pragma once

#include "document/Printer.h"

#include <QImage>
#include <QList>
#include <QPainter>

#include <memory>

struct TStandInPrinterInfo {
    QString Name;
    int DpiX = 300;
    int DpiY = 300;
    bool HasDeviceSettings = true;
    // The sheet in dots as the printer reports it; empty = computed from the
    // paper and the resolution.
    QSize PageSizeDots;
    // Unprintable margin on every side, in dots.
    int MarginDots = 0;
};

class TStandInPrinter : public TPrinter {
public:
    TStandInPrinter() = default;
    ~TStandInPrinter() override;

    // Adds a printer; the first one added is the default until SetDefault.
    void AddPrinter(const TStandInPrinterInfo& info);
    void SetDefault(int index) { FDefault = index; }
    TStandInPrinterInfo& Info(int index) { return FPrinters[index].Info; }

    // Builds a printer list from "Name[@dpi[xdpiY]][*];...": "*" marks the
    // default printer; an empty text gives no printers. Example:
    // "Office@600x300;Labels@203*".
    static std::unique_ptr<TStandInPrinter> FromPrinterList(const QString& settings);

    // What callers set, one line per call ("SetPrinterIndex -1",
    // "SetDeviceSettings 9 2100x2970 portrait", "BeginDoc title", ...).
    QStringList Log;
    // Every finished page as printed, the sheet's full size in dots.
    QList<QImage> Pages;
    // Whether setup dialogs are confirmed.
    bool SetupDialogResult = false;

    QStringList Printers() const override;
    int PrinterIndex() const override;
    void SetPrinterIndex(int index) override;
    bool HasDeviceSettings() const override;
    TPrinterDeviceSettings DeviceSettings() const override;
    void SetDeviceSettings(const TPrinterDeviceSettings& settings) override;
    int ResolutionX() const override;
    int ResolutionY() const override;
    QSize PhysicalPageSize() const override;
    QRect PrintableArea() const override;
    int Copies() const override { return FCopies; }
    void SetCopies(int copies) override;
    void BeginDoc(const QString& title) override;
    void NewPage() override;
    void EndDoc() override;
    void Abort() override;
    bool Printing() const override { return FPainter.isActive(); }
    QPainter* Canvas() override { return FPainter.isActive() ? &FPainter : nullptr; }
    bool ExecuteSetupDialog(QWidget* parent) override;

private:
    struct Entry {
        TStandInPrinterInfo Info;
        TPrinterDeviceSettings Settings;
    };
    const Entry* Current() const;
    Entry* Current();
    void StartPage();
    void FinishPage();

    QList<Entry> FPrinters;
    int FIndex = -1;    // -1: the default printer
    int FDefault = 0;
    int FCopies = 1;
    QImage FPage;
    QPainter FPainter;
};

// When the environment variable TAGMORA_PRINTERS is set, installs a stand-in
// printer built from it (TStandInPrinter::FromPrinterList; empty = no printers) and
// returns true. Lets scripts and tests run the programs against known printers.
bool InstallStandInPrinterFromEnvironment();
