// A printer that writes PDF files: one printer of a chosen name and
// resolution whose documents go to OutputFileName() through a TOutputFile
// (whole or not at all), page by page, with the paper and orientation of its
// device settings and no unprintable margin.
// tagmora-cli installs it for "print -o OUT.pdf"; it needs no spooler.
#pragma once

#include "document/Printer.h"

#include <QPainter>

#include <algorithm>
#include <memory>

class QBuffer;
class QPageLayout;
class QPdfWriter;
class TOutputFile;

class TPdfPrinter : public TPrinter {
public:
    explicit TPdfPrinter(int dpi = 600, const QString& name = QStringLiteral("PDF"));
    ~TPdfPrinter() override;

    QStringList Printers() const override { return {FName}; }
    int PrinterIndex() const override { return 0; }
    void SetPrinterIndex(int index) override;
    bool HasDeviceSettings() const override { return true; }
    TPrinterDeviceSettings DeviceSettings() const override { return FSettings; }
    void SetDeviceSettings(const TPrinterDeviceSettings& settings) override;
    int ResolutionX() const override { return FDpi; }
    int ResolutionY() const override { return FDpi; }
    QSize PhysicalPageSize() const override;
    QRect PrintableArea() const override { return QRect(QPoint(0, 0), PhysicalPageSize()); }
    int Copies() const override { return FCopies; }
    void SetCopies(int copies) override { FCopies = std::max(1, copies); }
    bool RepeatsCopies() const override { return false; }
    // Starts the file ("-": standard output); throws EPrinterError
    // without a file name, EOutputFileError when it cannot be written.
    void BeginDoc(const QString& title) override;
    void NewPage() override;
    // Puts the file in place; throws EOutputFileError when it could not be
    // written whole (the old file then stays).
    void EndDoc() override;
    // Ends the document; the file stays as it was.
    void Abort() override;
    bool Printing() const override { return FPainter.isActive(); }
    QPainter* Canvas() override { return FPainter.isActive() ? &FPainter : nullptr; }
    bool ExecuteSetupDialog(QWidget*) override { return false; }

    // Keeps each document in memory instead of a file (no output file name
    // is needed then); Document() is the last one ended.
    void SetInMemory(bool inMemory) { FInMemory = inMemory; }
    const QByteArray& Document() const { return FDocument; }

private:
    QString FName;
    int FDpi;
    int FCopies = 1;
    TPrinterDeviceSettings FSettings;
    bool FInMemory = false;
    QByteArray FDocument;
    std::unique_ptr<QBuffer> FBuffer;
    std::unique_ptr<TOutputFile> FOutput;
    std::unique_ptr<QPdfWriter> FWriter;
    QPainter FPainter;
};

// The paper of device settings as a page layout without margins (A4 when
// they name no paper).
QPageLayout PaperLayoutOf(const TPrinterDeviceSettings& settings);
// Device settings as a printer of our own takes them: a paper code brings its
// size; a code that names no paper, or a custom size without one, keeps the
// current paper (orientation is taken as asked).
TPrinterDeviceSettings SettledPaper(const TPrinterDeviceSettings& asked, const TPrinterDeviceSettings& current);
