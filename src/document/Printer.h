// The printer as the program sees it: installed printers, the current one, its
// device settings (paper and orientation), resolution, page size, copy count
// and a document of pages drawn with a QPainter.
//
// Printer() is the printer object every caller uses: by default the CUPS
// printer (the desktop program's adds Qt's dialogs); tests and the
// command-line tool may install a TStandInPrinter with SetPrinter.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>
#include <memory>

class QPainter;
class QWidget;

enum TPrinterOrientation { poPortrait, poLandscape };

// Paper codes of the device settings (the Windows DMPAPER numbers).
constexpr int kPaperA4 = 9;
constexpr int kPaperCustom = 256;

struct TPrinterDeviceSettings {
    int PaperSize = kPaperA4;   // paper code; kPaperCustom = PaperWidth x PaperLength
    int PaperWidth = 2100;      // tenths of a millimetre (portrait width of the paper)
    int PaperLength = 2970;     // tenths of a millimetre
    TPrinterOrientation Orientation = poPortrait;
};

// Resolution used when no printer is installed or a printer reports none.
constexpr int kFallbackDpi = 300;
// A resolution as callers use it: values of 0 or less count as 300.
inline int UsableDpi(int dpi) { return dpi > 0 ? dpi : kFallbackDpi; }

// A document that cannot be started, written or delivered to the printer;
// the message says why, for the user.
class EPrinterError : public std::runtime_error {
public:
    explicit EPrinterError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// Queries and settings never throw (a printer that cannot be asked answers
// with no printers, its defaults or PrintSystemProblem); only SetPrinterIndex
// with a position outside the list and the document calls do.
class TPrinter {
public:
    virtual ~TPrinter() = default;

    // Names of the installed printers in a stable order; empty when none is
    // installed (callers then skip their printer work).
    virtual QStringList Printers() const = 0;
    bool HasPrinters() const { return !Printers().isEmpty(); }
    // Reads the installed printers again (the list is kept after the first
    // look; the current printer stays selected by name when it still exists).
    virtual void Refresh() {}
    // Empty while the print system answers (or there is none to ask); else
    // why the printers cannot be seen ("cannot reach the print system at ...").
    virtual QString PrintSystemProblem() const { return QString(); }

    // Position of the current printer in Printers(); the default printer's
    // position while none was chosen; -1 only without printers.
    virtual int PrinterIndex() const = 0;
    // Selects a printer by position; -1 selects the default printer. Throws
    // std::out_of_range for any other position outside the list.
    virtual void SetPrinterIndex(int index) = 0;
    // Name of the current printer; empty without printers.
    QString PrinterName() const;

    // Whether the current printer has device settings (paper, orientation).
    virtual bool HasDeviceSettings() const = 0;
    virtual TPrinterDeviceSettings DeviceSettings() const = 0;
    // Written settings take effect for the next document.
    virtual void SetDeviceSettings(const TPrinterDeviceSettings& settings) = 0;

    // Dots per inch of the current printer (0 when unknown or none).
    virtual int ResolutionX() const = 0;
    virtual int ResolutionY() const = 0;
    // The whole sheet in device dots, as oriented.
    virtual QSize PhysicalPageSize() const = 0;
    // The printable area in device dots, relative to the sheet's corner. The
    // canvas origin is this area's top-left corner.
    virtual QRect PrintableArea() const = 0;

    virtual int Copies() const = 0;
    virtual void SetCopies(int copies) = 0;
    // Whether the device repeats the document Copies() times by itself (a
    // spooler does); when not (a file), the caller sends the copies.
    virtual bool RepeatsCopies() const { return true; }

    // Whether every page starts white on the canvas, so that white paints
    // nothing (a picture of our own rather than a device or a document).
    virtual bool PagesStartWhite() const { return false; }

    // Output into a file instead of the device ("print to file", PDF); an empty
    // name prints to the device. Applies to the next document.
    virtual void SetOutputFileName(const QString& path) { FOutputFileName = path; }
    QString OutputFileName() const { return FOutputFileName; }

    // The document: BeginDoc starts it (throws EPrinterError when the
    // printer cannot start), NewPage ends a page and starts the next, EndDoc
    // sends it (throws EPrinterError when the file cannot be written or
    // the spooler does not take the job), Abort discards it. Canvas() is valid
    // between BeginDoc and EndDoc; its units are device dots.
    virtual void BeginDoc(const QString& title) = 0;
    virtual void NewPage() = 0;
    virtual void EndDoc() = 0;
    virtual void Abort() = 0;
    virtual bool Printing() const = 0;
    virtual QPainter* Canvas() = 0;

    // The printer setup dialog (printer, paper, orientation); true when the
    // user confirmed it.
    virtual bool ExecuteSetupDialog(QWidget* parent) = 0;
    // The printer's own options (the driver's properties and the printer
    // choice, without page range or file output); copies goes in and comes
    // back as the user left it. True when the user confirmed it; printers
    // without such a dialog return false.
    virtual bool HasPropertiesDialog() const { return false; }
    virtual bool ExecutePropertiesDialog(QWidget* parent, int& copies) { return false; }

private:
    QString FOutputFileName;
};

// The printer in use: the calling thread's TScopedPrinter when it has one;
// else, until SetPrinter installs another, the default printer:
// made on first use by the maker SetDefaultPrinterMaker gave (the desktop
// program's gives one with Qt's dialogs), else a TCupsPrinter.
TPrinter& Printer();
using TPrinterMaker = std::function<std::unique_ptr<TPrinter>()>;
// Call before the first use of Printer().
void SetDefaultPrinterMaker(TPrinterMaker maker);
// Installs a printer (not owned); nullptr restores the Qt printer.
void SetPrinter(TPrinter* printer);

// The resolution callers take as PntDPI: the current printer's horizontal
// dots per inch, 300 without printers or when the printer reports none.
int CurrentPrinterDpi();

// Installs a printer for the calling thread for the lifetime of the guard,
// then restores the previous one. Other threads keep theirs, so runs on
// worker threads can each print through a printer of their own.
class TScopedPrinter {
public:
    explicit TScopedPrinter(TPrinter& printer);
    ~TScopedPrinter();
    TScopedPrinter(const TScopedPrinter&) = delete;
    TScopedPrinter& operator=(const TScopedPrinter&) = delete;

private:
    TPrinter* FPrevious;
};
