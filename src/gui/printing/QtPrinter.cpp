#include "gui/printing/QtPrinter.h"

#include <QDialogButtonBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include <algorithm>

namespace {

// Qt keeps the options chosen in its printer dialog under this key of the
// CUPS print engine, as name, value, name, value, ...
const auto kCupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

}  // namespace

TPrintDevice TQtPrinter::DeviceDefaults(const QString& name) const
{
    QPrinter printer(QPrinterInfo::printerInfo(name), QPrinter::HighResolution);
    TPrintDevice device;
    FromQPrinter(printer, device);
    return device;
}

void TQtPrinter::ToQPrinter(const TPrintDevice& device, QPrinter& printer)
{
    printer.setPageLayout(device.Layout);
    printer.setCopyCount(std::max(1, device.CopyCount));
    printer.setCollateCopies(device.Collate);
    using TDuplex = TPrintDevice::TDuplex;
    switch (device.Duplex) {
        case TDuplex::Off: printer.setDuplex(QPrinter::DuplexNone); break;
        case TDuplex::Auto: printer.setDuplex(QPrinter::DuplexAuto); break;
        case TDuplex::LongSide: printer.setDuplex(QPrinter::DuplexLongSide); break;
        case TDuplex::ShortSide: printer.setDuplex(QPrinter::DuplexShortSide); break;
    }
    QStringList chosen;
    for (const auto& option : device.Chosen)
        chosen << QString::fromLocal8Bit(option.first) << QString::fromLocal8Bit(option.second);
    if (!chosen.isEmpty())
        printer.printEngine()->setProperty(kCupsOptionsKey, chosen);
}

void TQtPrinter::FromQPrinter(QPrinter& printer, TPrintDevice& device)
{
    device.Layout = printer.pageLayout();
    device.Dpi = ResolutionOf(printer);
    device.CopyCount = printer.copyCount();
    device.Collate = printer.collateCopies();
    using TDuplex = TPrintDevice::TDuplex;
    switch (printer.duplex()) {
        case QPrinter::DuplexNone: device.Duplex = TDuplex::Off; break;
        case QPrinter::DuplexAuto: device.Duplex = TDuplex::Auto; break;
        case QPrinter::DuplexLongSide: device.Duplex = TDuplex::LongSide; break;
        case QPrinter::DuplexShortSide: device.Duplex = TDuplex::ShortSide; break;
    }
    device.Chosen.clear();
    const QStringList chosen = printer.printEngine()->property(kCupsOptionsKey).toStringList();
    for (qsizetype i = 0; i + 1 < chosen.size(); i += 2)
        device.Chosen.append({chosen.at(i).toLocal8Bit(), chosen.at(i + 1).toLocal8Bit()});
}

bool TQtPrinter::ExecuteSetupDialog(QWidget* parent)
{
    TPrintDevice* device = Device();
    if (!device)
        return false;
    QPrinter printer(QPrinterInfo::printerInfo(DeviceName()), QPrinter::HighResolution);
    ToQPrinter(*device, printer);
    QPageSetupDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    device->Layout = printer.pageLayout();
    return true;
}

bool TQtPrinter::ExecutePropertiesDialog(QWidget* parent, int& copies)
{
    TPrintDevice* device = Device();
    if (!device)
        return false;
    const QString name = DeviceName();
    QPrinter printer(QPrinterInfo::printerInfo(name), QPrinter::HighResolution);
    ToQPrinter(*device, printer);
    printer.setCopyCount(std::max(1, copies));
    QPrintDialog dialog(&printer, parent);
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
    copies = printer.copyCount();
    // The user may have chosen another printer in the dialog: it becomes the
    // current one, with the options set for it.
    const QString chosen = printer.printerName();
    const bool other = !chosen.isEmpty() && chosen != name && Printers().contains(chosen);
    if (other)
        SelectPrinterName(chosen);
    if (TPrintDevice* target = Device())
        FromQPrinter(printer, *target);
    return true;
}
