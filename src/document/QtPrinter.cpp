#include "document/QtPrinter.h"

#include <QPageSetupDialog>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cmath>
#include <stdexcept>

TQtPrinter::TQtPrinter() = default;

TQtPrinter::~TQtPrinter()
{
    if (FPainter.isActive())
        FPainter.end();
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

void TQtPrinter::BeginDoc(const QString& title)
{
    if (FPainter.isActive())
        throw std::runtime_error("Printing in progress");
    QPrinter* device = Device();
    if (!device) {
        if (OutputFileName().isEmpty())
            throw std::runtime_error("There is no printer to print on");
        // Printing to a file needs no installed printer.
        FDevice = std::make_unique<QPrinter>(QPrinter::HighResolution);
        FDeviceName.clear();
        device = FDevice.get();
    }
    device->setDocName(title);
    if (OutputFileName().isEmpty()) {
        device->setOutputFormat(QPrinter::NativeFormat);
        device->setPrinterName(FDeviceName);
    } else {
        device->setOutputFormat(QPrinter::PdfFormat);
        device->setOutputFileName(OutputFileName());
    }
    if (!FPainter.begin(device))
        throw std::runtime_error(QString(QStringLiteral("The printer ") + FDeviceName + QStringLiteral(" cannot start a document")).toStdString());
}

void TQtPrinter::NewPage()
{
    if (FDevice && FPainter.isActive())
        FDevice->newPage();
}

void TQtPrinter::EndDoc()
{
    if (FPainter.isActive())
        FPainter.end();
}

void TQtPrinter::Abort()
{
    if (FDevice && FPainter.isActive()) {
        FDevice->abort();
        FPainter.end();
    }
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
