#include "engine/printing/PdfPrinter.h"

#include "document/OutputFile.h"
#include "document/CupsPrinter.h"
#include "document/Tr.h"

#include <QCoreApplication>
#include <QFile>
#include <QPageLayout>
#include <QPdfWriter>

#include <cmath>
#include <stdexcept>

namespace {

QPageLayout LayoutOf(const TPrinterDeviceSettings& s)
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

}  // namespace

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
    TPrinterDeviceSettings s = settings;
    if (s.PaperSize != kPaperCustom) {
        const QPageSize coded = TCupsPrinter::PageSizeOfCode(s.PaperSize, 0, 0);
        if (coded.isValid()) {
            const QSizeF mm = coded.size(QPageSize::Millimeter);
            s.PaperWidth = int(std::lround(mm.width() * 10));
            s.PaperLength = int(std::lround(mm.height() * 10));
        } else {
            // A code without a paper of its own leaves the paper as it is.
            s.PaperSize = FSettings.PaperSize;
            s.PaperWidth = FSettings.PaperWidth;
            s.PaperLength = FSettings.PaperLength;
        }
    } else if (s.PaperWidth <= 0 || s.PaperLength <= 0) {
        s.PaperSize = FSettings.PaperSize;
        s.PaperWidth = FSettings.PaperWidth;
        s.PaperLength = FSettings.PaperLength;
    }
    FSettings = s;
}

QSize TPdfPrinter::PhysicalPageSize() const
{
    return LayoutOf(FSettings).fullRectPixels(FDpi).size();
}

void TPdfPrinter::BeginDoc(const QString& title)
{
    if (FPainter.isActive())
        throw EPrinterError(QStringLiteral("Printing in progress"));
    const QString path = OutputFileName();
    if (path.isEmpty())
        throw EPrinterError(Tr("PdfPrinter", "No file to print to"));
    FOutput = std::make_unique<TOutputFile>(path);
    FWriter = TCupsPrinter::StartPdf(*FOutput, FDpi, LayoutOf(FSettings), title);
    if (!FPainter.begin(FWriter.get())) {
        FWriter.reset();
        FOutput.reset();
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
}
