#include "document/QtPrinter.h"

#include "document/CupsJob.h"
#include "document/OutputFile.h"
#include "document/Tr.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <stdexcept>

TQtPrinter::TQtPrinter() = default;

TQtPrinter::~TQtPrinter()
{
    Abort();
}

void TQtPrinter::Load() const
{
    if (FLoaded)
        return;
    FNames = QPrinterInfo::availablePrinterNames();
    // CUPS lists destinations by name; sort anyway so the order never depends
    // on the spooler.
    std::sort(FNames.begin(), FNames.end(), [](const QString& a, const QString& b) { return a.compare(b) < 0; });
    FDefaultName = FNames.isEmpty() ? QString() : QPrinterInfo::defaultPrinterName();
    FLoaded = true;
}

QStringList TQtPrinter::Printers() const
{
    Load();
    return FNames;
}

void TQtPrinter::Refresh()
{
    FLoaded = false;
    Load();
    if (!FPrinterName.isEmpty() && !FNames.contains(FPrinterName))
        FPrinterName.clear();
}

int TQtPrinter::PrinterIndex() const
{
    const QStringList names = Printers();
    if (names.isEmpty())
        return -1;
    const QString name = FPrinterName.isEmpty() ? FDefaultName : FPrinterName;
    const int i = int(names.indexOf(name));
    return i >= 0 ? i : 0;
}

void TQtPrinter::SetPrinterIndex(int index)
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

QPrinter* TQtPrinter::Device() const
{
    const QString name = PrinterName();
    if (name.isEmpty())
        return nullptr;
    if (!FDevice || FDeviceName != name) {
        FDevice = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(name), QPrinter::HighResolution);
        FDeviceName = name;
    }
    return FDevice.get();
}

bool TQtPrinter::HasDeviceSettings() const
{
    return Device() != nullptr;
}

QPageSize TQtPrinter::PageSizeOfCode(int code, int customWidth, int customLength)
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

int TQtPrinter::CodeOfPageSize(const QPageSize& size)
{
    if (!size.isValid() || size.id() == QPageSize::Custom)
        return kPaperCustom;
    const int code = size.windowsId();
    return code > 0 ? code : kPaperCustom;
}

TPrinterDeviceSettings TQtPrinter::DeviceSettings() const
{
    TPrinterDeviceSettings s;
    QPrinter* device = Device();
    if (!device)
        return s;
    const QPageLayout layout = device->pageLayout();
    const QPageSize size = layout.pageSize();
    s.PaperSize = CodeOfPageSize(size);
    const QSizeF mm = size.size(QPageSize::Millimeter);
    s.PaperWidth = int(std::lround(mm.width() * 10));
    s.PaperLength = int(std::lround(mm.height() * 10));
    s.Orientation = layout.orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
    return s;
}

void TQtPrinter::SetDeviceSettings(const TPrinterDeviceSettings& settings)
{
    QPrinter* device = Device();
    if (!device)
        return;
    // Codes without a page size of their own leave the paper as it is.
    const QPageSize size = PageSizeOfCode(settings.PaperSize, settings.PaperWidth, settings.PaperLength);
    if (size.isValid())
        device->setPageSize(size);
    device->setPageOrientation(settings.Orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

QSize TQtPrinter::ResolutionOf(const QPaintDevice& device)
{
    return QSize(device.logicalDpiX(), device.logicalDpiY());
}

int TQtPrinter::ResolutionX() const
{
    QPrinter* device = Device();
    return device ? ResolutionOf(*device).width() : 0;
}

int TQtPrinter::ResolutionY() const
{
    QPrinter* device = Device();
    return device ? ResolutionOf(*device).height() : 0;
}

QSize TQtPrinter::PhysicalPageSize() const
{
    QPrinter* device = Device();
    if (!device)
        return QSize();
    return device->pageLayout().fullRectPixels(device->resolution()).size();
}

QRect TQtPrinter::PrintableArea() const
{
    QPrinter* device = Device();
    if (!device)
        return QRect();
    return device->pageLayout().paintRectPixels(device->resolution());
}

int TQtPrinter::Copies() const
{
    QPrinter* device = Device();
    return device ? device->copyCount() : 1;
}

void TQtPrinter::SetCopies(int copies)
{
    if (QPrinter* device = Device())
        device->setCopyCount(std::max(1, copies));
}

std::unique_ptr<QPdfWriter> TQtPrinter::StartPdf(QIODevice& device, int dpi, const QPageLayout& layout,
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

// Qt keeps the options chosen in its printer dialog under this key of the
// CUPS print engine, as name, value, name, value, ...
const auto kCupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// The job options Qt's own CUPS printing would send for the device.
TCupsOptions JobOptions(QPrinter& device)
{
    TCupsOptions options;
    const auto add = [&options](const QByteArray& name, const QByteArray& value) { options.append({name, value}); };
    const QPageLayout layout = device.pageLayout();
    add("media", layout.pageSize().key().toLocal8Bit());
    if (device.copyCount() > 1) {
        add("copies", QByteArray::number(device.copyCount()));
        if (device.collateCopies())
            add("Collate", "True");
    }
    const bool portrait = layout.orientation() == QPageLayout::Portrait;
    const QPrinter::DuplexMode duplex = device.duplex();
    if (duplex == QPrinter::DuplexLongSide || (duplex == QPrinter::DuplexAuto && portrait))
        add("sides", "two-sided-long-edge");
    else if (duplex == QPrinter::DuplexShortSide || duplex == QPrinter::DuplexAuto)
        add("sides", "two-sided-short-edge");
    else
        add("sides", "one-sided");
    if (!portrait)
        add("landscape", "");
    const QStringList chosen = device.printEngine()->property(kCupsOptionsKey).toStringList();
    for (qsizetype i = 0; i + 1 < chosen.size(); i += 2)
        add(chosen.at(i).toLocal8Bit(), chosen.at(i + 1).toLocal8Bit());
    return options;
}

}  // namespace

void TQtPrinter::BeginDoc(const QString& title)
{
    if (FPainter.isActive())
        throw std::runtime_error("Printing in progress");
    QPrinter* device = Device();
    const bool toFile = !OutputFileName().isEmpty();
    // Printing to a file needs no installed printer.
    if (!device && !toFile)
        throw std::runtime_error("There is no printer to print on");
    const QPageLayout layout =
        device ? device->pageLayout() : QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    const int dpi = UsableDpi(device ? ResolutionOf(*device).width() : 0);
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
        throw std::runtime_error(
            Tr("Printer", "The printer %1 cannot start a document").arg(FDeviceName).toStdString());
    }
}

void TQtPrinter::NewPage()
{
    if (FPdf && FPainter.isActive())
        FPdf->newPage();
}

void TQtPrinter::EndDoc()
{
    if (FPainter.isActive())
        FPainter.end();
    FPdf.reset();
    const std::unique_ptr<TOutputFile> file = std::move(FFile);
    const std::unique_ptr<TSpoolFile> spool = std::move(FSpool);
    if (file)
        file->Commit();
    else if (spool && FDevice)
        SendPdfJob(FDeviceName, FTitle, JobOptions(*FDevice), *spool);
}

void TQtPrinter::Abort()
{
    if (FPainter.isActive())
        FPainter.end();
    FPdf.reset();
    FFile.reset();
    FSpool.reset();
}

QString TQtPrinter::PrintSystemProblem() const
{
    return CupsUnreachable();
}

bool TQtPrinter::ExecuteSetupDialog(QWidget* parent)
{
    QPrinter* device = Device();
    if (!device)
        return false;
    QPageSetupDialog dialog(device, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool TQtPrinter::ExecutePropertiesDialog(QWidget* parent, int& copies)
{
    QPrinter* device = Device();
    if (!device)
        return false;
    device->setCopyCount(std::max(1, copies));
    QPrintDialog dialog(device, parent);
    // Page range and file output stay with the program's own print dialog.
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    dialog.setWindowTitle(QPrintDialog::tr("Printer Properties"));
    // It confirms the options; printing starts from the program's dialog.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QPrintDialog::tr("&OK"));
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    copies = device->copyCount();
    // The user may have chosen another printer in the dialog: it becomes the
    // current one, keeping the options set for it.
    const QString chosen = device->printerName();
    if (!chosen.isEmpty() && chosen != FDeviceName && Printers().contains(chosen)) {
        FPrinterName = chosen;
        FDeviceName = chosen;
    }
    return true;
}
