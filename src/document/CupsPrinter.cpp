#include "document/CupsPrinter.h"

#include "document/CupsJob.h"
#include "document/OutputFile.h"
#include "document/Tr.h"

#include <QCoreApplication>
#include <QPageSize>
#include <QPdfWriter>

#include <cups/cups.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

TCupsPrinter::TCupsPrinter() = default;

TCupsPrinter::~TCupsPrinter()
{
    Abort();
}

void TCupsPrinter::Load() const
{
    if (FLoaded)
        return;
    FNames.clear();
    FDefaultName.clear();
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < count; ++i) {
        QString name = QString::fromLocal8Bit(dests[i].name);
        if (dests[i].instance)
            name += QLatin1Char('/') + QString::fromLocal8Bit(dests[i].instance);
        if (dests[i].is_default)
            FDefaultName = name;
        FNames << name;
    }
    cupsFreeDests(count, dests);
    // Sorted, so the order never depends on the spooler.
    std::sort(FNames.begin(), FNames.end(), [](const QString& a, const QString& b) { return a.compare(b) < 0; });
    FLoaded = true;
}

QStringList TCupsPrinter::Printers() const
{
    Load();
    return FNames;
}

void TCupsPrinter::Refresh()
{
    FLoaded = false;
    Load();
    if (!FPrinterName.isEmpty() && !FNames.contains(FPrinterName))
        FPrinterName.clear();
}

int TCupsPrinter::PrinterIndex() const
{
    const QStringList names = Printers();
    if (names.isEmpty())
        return -1;
    const QString name = FPrinterName.isEmpty() ? FDefaultName : FPrinterName;
    const int i = int(names.indexOf(name));
    return i >= 0 ? i : 0;
}

void TCupsPrinter::SetPrinterIndex(int index)
{
    const QStringList names = Printers();
    if (index == -1) {
        FPrinterName.clear();
        return;
    }
    if (index < 0 || index >= names.size())
        throw std::out_of_range("Printer index out of range");
    FPrinterName = names.at(index);
}

void TCupsPrinter::SelectPrinterName(const QString& name)
{
    FPrinterName = name;
}

TPrintDevice TCupsPrinter::DeviceDefaults(const QString& name) const
{
    TPrintDevice device;
    QPageSize paper(QPageSize::A4);
    int dpi = kFallbackDpi;
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    const QStringList parts = name.split(QLatin1Char('/'));
    const QByteArray queue = parts.value(0).toLocal8Bit();
    const QByteArray instance = parts.value(1).toLocal8Bit();
    cups_dest_t* dest = cupsGetDest(queue.constData(), instance.isEmpty() ? nullptr : instance.constData(), count, dests);
    if (cups_dinfo_t* info = dest ? cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest) : nullptr) {
        cups_size_t size;
        if (cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, 0, &size) && size.width > 0 && size.length > 0)
            paper = QPageSize(QSizeF(size.width / 100.0, size.length / 100.0), QPageSize::Millimeter, QString(),
                              QPageSize::FuzzyMatch);
        if (ipp_attribute_t* res = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution")) {
            int y = 0;
            ipp_res_t units = IPP_RES_PER_INCH;
            const int x = ippGetResolution(res, 0, &y, &units);
            const int perInch = units == IPP_RES_PER_CM ? int(std::lround(x * 2.54)) : x;
            if (perInch > 0)
                dpi = perInch;
        }
        cupsFreeDestInfo(info);
    }
    cupsFreeDests(count, dests);
    device.Layout = QPageLayout(paper, QPageLayout::Portrait, QMarginsF());
    device.Dpi = QSize(dpi, dpi);
    return device;
}

TPrintDevice* TCupsPrinter::Device() const
{
    const QString name = PrinterName();
    if (name.isEmpty())
        return nullptr;
    auto it = FDevices.find(name);
    if (it == FDevices.end())
        it = FDevices.emplace(name, DeviceDefaults(name)).first;
    FDeviceName = name;
    return &it->second;
}

bool TCupsPrinter::HasDeviceSettings() const
{
    return Device() != nullptr;
}

QPageSize TCupsPrinter::PageSizeOfCode(int code, int customWidth, int customLength)
{
    if (code == kPaperCustom) {
        if (customWidth <= 0 || customLength <= 0)
            return QPageSize();
        return QPageSize(QSizeF(customWidth / 10.0, customLength / 10.0), QPageSize::Millimeter, QString(),
                         QPageSize::ExactMatch);
    }
    const QPageSize::PageSizeId id = QPageSize::id(code);
    if (id == QPageSize::Custom)
        return QPageSize();
    return QPageSize(id);
}

int TCupsPrinter::CodeOfPageSize(const QPageSize& size)
{
    if (!size.isValid() || size.id() == QPageSize::Custom)
        return kPaperCustom;
    const int code = size.windowsId();
    return code > 0 ? code : kPaperCustom;
}

TPrinterDeviceSettings TCupsPrinter::DeviceSettings() const
{
    TPrinterDeviceSettings s;
    const TPrintDevice* device = Device();
    if (!device)
        return s;
    const QPageLayout& layout = device->Layout;
    const QPageSize size = layout.pageSize();
    s.PaperSize = CodeOfPageSize(size);
    const QSizeF mm = size.size(QPageSize::Millimeter);
    s.PaperWidth = int(std::lround(mm.width() * 10));
    s.PaperLength = int(std::lround(mm.height() * 10));
    s.Orientation = layout.orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
    return s;
}

void TCupsPrinter::SetDeviceSettings(const TPrinterDeviceSettings& settings)
{
    TPrintDevice* device = Device();
    if (!device)
        return;
    // Codes without a page size of their own leave the paper as it is.
    const QPageSize size = PageSizeOfCode(settings.PaperSize, settings.PaperWidth, settings.PaperLength);
    if (size.isValid())
        device->Layout.setPageSize(size);
    device->Layout.setOrientation(settings.Orientation == poLandscape ? QPageLayout::Landscape
                                                                     : QPageLayout::Portrait);
}

QSize TCupsPrinter::ResolutionOf(const QPaintDevice& device)
{
    return QSize(device.logicalDpiX(), device.logicalDpiY());
}

int TCupsPrinter::ResolutionX() const
{
    const TPrintDevice* device = Device();
    return device ? device->Dpi.width() : 0;
}

int TCupsPrinter::ResolutionY() const
{
    const TPrintDevice* device = Device();
    return device ? device->Dpi.height() : 0;
}

QSize TCupsPrinter::PhysicalPageSize() const
{
    const TPrintDevice* device = Device();
    if (!device)
        return QSize();
    return device->Layout.fullRectPixels(device->Dpi.width()).size();
}

QRect TCupsPrinter::PrintableArea() const
{
    const TPrintDevice* device = Device();
    if (!device)
        return QRect();
    return device->Layout.paintRectPixels(device->Dpi.width());
}

int TCupsPrinter::Copies() const
{
    const TPrintDevice* device = Device();
    return device ? device->CopyCount : 1;
}

void TCupsPrinter::SetCopies(int copies)
{
    if (TPrintDevice* device = Device())
        device->CopyCount = std::max(1, copies);
}

std::unique_ptr<QPdfWriter> TCupsPrinter::StartPdf(QIODevice& device, int dpi, const QPageLayout& layout,
                                                 const QString& title)
{
    auto writer = std::make_unique<QPdfWriter>(&device);
    writer->setResolution(dpi);
    writer->setPageLayout(layout);
    writer->setTitle(title);
    writer->setCreator(QStringLiteral("Tagmora " TAGMORA_VERSION));
    return writer;
}

namespace {

// The job options for a queue's settings: paper, copies, sides, orientation
// and whatever was chosen for it.
TCupsOptions JobOptions(const TPrintDevice& device)
{
    TCupsOptions options;
    const auto add = [&options](const QByteArray& name, const QByteArray& value) { options.append({name, value}); };
    const QPageLayout& layout = device.Layout;
    add("media", layout.pageSize().key().toLocal8Bit());
    if (device.CopyCount > 1) {
        add("copies", QByteArray::number(device.CopyCount));
        if (device.Collate)
            add("Collate", "True");
    }
    using TDuplex = TPrintDevice::TDuplex;
    const bool portrait = layout.orientation() == QPageLayout::Portrait;
    if (device.Duplex == TDuplex::LongSide || (device.Duplex == TDuplex::Auto && portrait))
        add("sides", "two-sided-long-edge");
    else if (device.Duplex == TDuplex::ShortSide || device.Duplex == TDuplex::Auto)
        add("sides", "two-sided-short-edge");
    else
        add("sides", "one-sided");
    if (!portrait)
        add("landscape", "");
    options += device.Chosen;
    return options;
}

}  // namespace

void TCupsPrinter::BeginDoc(const QString& title)
{
    if (FPainter.isActive())
        throw EPrinterError(QStringLiteral("Printing in progress"));
    const TPrintDevice* device = Device();
    const bool toFile = !OutputFileName().isEmpty();
    // Printing to a file needs no installed printer.
    if (!device && !toFile)
        throw EPrinterError(QStringLiteral("There is no printer to print on"));
    const QPageLayout layout =
        device ? device->Layout : QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    const int dpi = UsableDpi(device ? device->Dpi.width() : 0);
    if (toFile) {
        FFile = std::make_unique<TOutputFile>(OutputFileName());
        FPdf = StartPdf(*FFile, dpi, layout, title);
    } else {
        FSpool = std::make_unique<TSpoolFile>(Tr("Printer", "the print job"));
        FPdf = StartPdf(*FSpool, dpi, layout, title);
    }
    FTitle = title;
    if (!FPainter.begin(FPdf.get())) {
        Abort();
        throw EPrinterError(Tr("Printer", "The printer %1 cannot start a document").arg(FDeviceName));
    }
}

void TCupsPrinter::NewPage()
{
    if (FPdf && FPainter.isActive())
        FPdf->newPage();
}

void TCupsPrinter::EndDoc()
{
    if (FPainter.isActive())
        FPainter.end();
    FPdf.reset();
    const std::unique_ptr<TOutputFile> file = std::move(FFile);
    const std::unique_ptr<TSpoolFile> spool = std::move(FSpool);
    if (file)
        file->Commit();
    else if (spool) {
        if (const TPrintDevice* device = Device())
            SendPdfJob(FDeviceName, FTitle, JobOptions(*device), *spool);
    }
}

void TCupsPrinter::Abort()
{
    if (FPainter.isActive())
        FPainter.end();
    FPdf.reset();
    FFile.reset();
    FSpool.reset();
}

QString TCupsPrinter::PrintSystemProblem() const
{
    return CupsUnreachable();
}
