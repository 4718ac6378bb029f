#include "engine/printing/PdfPrinter.h"

#include "document/OutputFile.h"
#include "document/CupsPrinter.h"
#include "document/Tr.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QPageLayout>
#include <QPdfWriter>

#include <cmath>
#include <stdexcept>

QPageLayout PaperLayoutOf(const TPrinterDeviceSettings& s)
{
    QPageSize size = TCupsPrinter::PageSizeOfCode(kPaperCustom, s.PaperWidth, s.PaperLength);
    if (s.PaperSize != kPaperCustom) {
        const QPageSize coded = TCupsPrinter::PageSizeOfCode(s.PaperSize, 0, 0);
        if (coded.isValid())
            size = coded;
    }
    if (!size.isValid())
        size = QPageSize(QPageSize::A4);
    return QPageLayout(size, s.Orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

TPrinterDeviceSettings SettledPaper(const TPrinterDeviceSettings& asked, const TPrinterDeviceSettings& current)
{
    TPrinterDeviceSettings s = asked;
    if (s.PaperSize != kPaperCustom) {
        const QPageSize coded = TCupsPrinter::PageSizeOfCode(s.PaperSize, 0, 0);
        if (coded.isValid()) {
            const QSizeF mm = coded.size(QPageSize::Millimeter);
            s.PaperWidth = int(std::lround(mm.width() * 10));
            s.PaperLength = int(std::lround(mm.height() * 10));
            return s;
        }
    } else if (s.PaperWidth > 0 && s.PaperLength > 0) {
        return s;
    }
    // A code without a paper of its own, or a custom size without one,
    // leaves the paper as it is.
    s.PaperSize = current.PaperSize;
    s.PaperWidth = current.PaperWidth;
    s.PaperLength = current.PaperLength;
    return s;
}

TPdfPrinter::TPdfPrinter(int dpi, const QString& name) : FName(name), FDpi(UsableDpi(dpi)) {}

TPdfPrinter::~TPdfPrinter()
{
    if (FPainter.isActive())
        EndDoc();
}

void TPdfPrinter::SetPrinterIndex(int index)
{
    if (index != -1 && index != 0)
        throw std::out_of_range("Printer index out of range");
}

void TPdfPrinter::SetDeviceSettings(const TPrinterDeviceSettings& settings)
{
    FSettings = SettledPaper(settings, FSettings);
}

QSize TPdfPrinter::PhysicalPageSize() const
{
    return PaperLayoutOf(FSettings).fullRectPixels(FDpi).size();
}

void TPdfPrinter::BeginDoc(const QString& title)
{
    if (FPainter.isActive())
        throw EPrinterError(QStringLiteral("Printing in progress"));
    const QString path = FInMemory ? QStringLiteral("memory") : OutputFileName();
    if (path.isEmpty())
        throw EPrinterError(Tr("PdfPrinter", "No file to print to"));
    FDocument.clear();
    QIODevice* device = nullptr;
    if (FInMemory) {
        FBuffer = std::make_unique<QBuffer>(&FDocument);
        FBuffer->open(QIODevice::WriteOnly);
        device = FBuffer.get();
    } else {
        FOutput = std::make_unique<TOutputFile>(path);
        device = FOutput.get();
    }
    FWriter = TCupsPrinter::StartPdf(*device, FDpi, PaperLayoutOf(FSettings), title);
    if (!FPainter.begin(FWriter.get())) {
        FWriter.reset();
        FOutput.reset();
        FBuffer.reset();
        throw EPrinterError(Tr("PdfPrinter", "Cannot write %1").arg(path));
    }
}

void TPdfPrinter::NewPage()
{
    if (FWriter && FPainter.isActive())
        FWriter->newPage();
}

void TPdfPrinter::EndDoc()
{
    if (FPainter.isActive())
        FPainter.end();
    FWriter.reset();
    FBuffer.reset();
    if (!FOutput)
        return;
    const std::unique_ptr<TOutputFile> output = std::move(FOutput);
    output->Commit();
}

void TPdfPrinter::Abort()
{
    if (FPainter.isActive())
        FPainter.end();
    FWriter.reset();
    FOutput.reset();
    FBuffer.reset();
    FDocument.clear();
}
