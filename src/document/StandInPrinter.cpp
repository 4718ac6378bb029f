#include "document/StandInPrinter.h"

#include "document/CupsPrinter.h"

#include <QPageSize>

#include <cmath>
#include <stdexcept>

TStandInPrinter::~TStandInPrinter()
{
    if (FPainter.isActive())
        FPainter.end();
}

void TStandInPrinter::AddPrinter(const TStandInPrinterInfo& info)
{
    FPrinters.append(Entry{info, TPrinterDeviceSettings()});
}

std::unique_ptr<TStandInPrinter> TStandInPrinter::FromPrinterList(const QString& settings)
{
    auto printer = std::make_unique<TStandInPrinter>();
    const QStringList items = settings.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString item : items) {
        item = item.trimmed();
        bool isDefault = false;
        if (item.endsWith(QLatin1Char('*'))) {
            isDefault = true;
            item.chop(1);
        }
        TStandInPrinterInfo info;
        const qsizetype at = item.lastIndexOf(QLatin1Char('@'));
        if (at >= 0) {
            const QStringList dpi = item.mid(at + 1).split(QLatin1Char('x'));
            bool okX = false, okY = true;
            const int x = dpi.value(0).toInt(&okX);
            const int y = dpi.size() > 1 ? dpi.at(1).toInt(&okY) : x;
            if (okX && okY) {
                info.DpiX = x;
                info.DpiY = y;
                item = item.left(at);
            }
        }
        info.Name = item;
        if (isDefault)
            printer->SetDefault(int(printer->FPrinters.size()));
        printer->AddPrinter(info);
    }
    return printer;
}

QStringList TStandInPrinter::Printers() const
{
    QStringList names;
    for (const Entry& e : FPrinters)
        names << e.Info.Name;
    return names;
}

int TStandInPrinter::PrinterIndex() const
{
    if (FPrinters.isEmpty())
        return -1;
    if (FIndex >= 0)
        return FIndex;
    return FDefault >= 0 && FDefault < FPrinters.size() ? FDefault : 0;
}

void TStandInPrinter::SetPrinterIndex(int index)
{
    Log << QStringLiteral("SetPrinterIndex %1").arg(index);
    if (index != -1 && (index < 0 || index >= FPrinters.size()))
        throw std::out_of_range("Printer index out of range");
    FIndex = index;
}

const TStandInPrinter::Entry* TStandInPrinter::Current() const
{
    const int i = PrinterIndex();
    return i >= 0 ? &FPrinters.at(i) : nullptr;
}

TStandInPrinter::Entry* TStandInPrinter::Current()
{
    const int i = PrinterIndex();
    return i >= 0 ? &FPrinters[i] : nullptr;
}

bool TStandInPrinter::HasDeviceSettings() const
{
    const Entry* e = Current();
    return e && e->Info.HasDeviceSettings;
}

TPrinterDeviceSettings TStandInPrinter::DeviceSettings() const
{
    const Entry* e = Current();
    return e ? e->Settings : TPrinterDeviceSettings();
}

void TStandInPrinter::SetDeviceSettings(const TPrinterDeviceSettings& s)
{
    Log << QStringLiteral("SetDeviceSettings %1 %2x%3 %4")
               .arg(s.PaperSize)
               .arg(s.PaperWidth)
               .arg(s.PaperLength)
               .arg(s.Orientation == poPortrait ? QStringLiteral("portrait") : QStringLiteral("landscape"));
    Entry* e = Current();
    if (!e || !e->Info.HasDeviceSettings)
        return;
    TPrinterDeviceSettings applied = s;
    // A coded paper reports its own size, as a driver would.
    if (s.PaperSize != kPaperCustom) {
        const QPageSize size = TCupsPrinter::PageSizeOfCode(s.PaperSize, 0, 0);
        const QPageSize paper = size.isValid() ? size : QPageSize(QPageSize::A4);
        const QSizeF mm = paper.size(QPageSize::Millimeter);
        applied.PaperWidth = int(std::lround(mm.width() * 10));
        applied.PaperLength = int(std::lround(mm.height() * 10));
    }
    e->Settings = applied;
}

int TStandInPrinter::ResolutionX() const
{
    const Entry* e = Current();
    return e ? e->Info.DpiX : 0;
}

int TStandInPrinter::ResolutionY() const
{
    const Entry* e = Current();
    return e ? e->Info.DpiY : 0;
}

QSize TStandInPrinter::PhysicalPageSize() const
{
    const Entry* e = Current();
    if (!e)
        return QSize();
    QSize size = e->Info.PageSizeDots;
    if (size.isEmpty()) {
        const int dpiX = UsableDpi(e->Info.DpiX), dpiY = UsableDpi(e->Info.DpiY);
        size = QSize(int(std::lround(e->Settings.PaperWidth / 254.0 * dpiX)),
                     int(std::lround(e->Settings.PaperLength / 254.0 * dpiY)));
    }
    if (e->Settings.Orientation == poLandscape)
        size.transpose();
    return size;
}

QRect TStandInPrinter::PrintableArea() const
{
    const Entry* e = Current();
    if (!e)
        return QRect();
    const int m = e->Info.MarginDots;
    return QRect(QPoint(0, 0), PhysicalPageSize()).adjusted(m, m, -m, -m);
}

void TStandInPrinter::SetCopies(int copies)
{
    Log << QStringLiteral("SetCopies %1").arg(copies);
    FCopies = std::max(1, copies);
}

void TStandInPrinter::StartPage()
{
    const QSize size = PhysicalPageSize();
    FPage = QImage(size.isEmpty() ? QSize(1, 1) : size, QImage::Format_RGB32);
    FPage.fill(Qt::white);
    if (const Entry* e = Current()) {
        FPage.setDotsPerMeterX(int(std::lround(UsableDpi(e->Info.DpiX) / 0.0254)));
        FPage.setDotsPerMeterY(int(std::lround(UsableDpi(e->Info.DpiY) / 0.0254)));
    }
    FPainter.begin(&FPage);
    FPainter.translate(PrintableArea().topLeft());
}

void TStandInPrinter::FinishPage()
{
    FPainter.end();
    Pages.append(FPage);
    FPage = QImage();
}

void TStandInPrinter::BeginDoc(const QString& title)
{
    Log << QStringLiteral("BeginDoc ") + title;
    if (FPainter.isActive())
        throw EPrinterError(QStringLiteral("Printing in progress"));
    if (!Current() && OutputFileName().isEmpty())
        throw EPrinterError(QStringLiteral("There is no printer to print on"));
    Pages.clear();
    StartPage();
}

void TStandInPrinter::NewPage()
{
    Log << QStringLiteral("NewPage");
    if (!FPainter.isActive())
        return;
    FinishPage();
    StartPage();
}

void TStandInPrinter::EndDoc()
{
    Log << QStringLiteral("EndDoc");
    if (FPainter.isActive())
        FinishPage();
}

void TStandInPrinter::Abort()
{
    Log << QStringLiteral("Abort");
    if (FPainter.isActive())
        FPainter.end();
    FPage = QImage();
    Pages.clear();
}

bool TStandInPrinter::ExecuteSetupDialog(QWidget*)
{
    Log << QStringLiteral("SetupDialog");
    return SetupDialogResult;
}

bool InstallStandInPrinterFromEnvironment()
{
    if (!qEnvironmentVariableIsSet("TAGMORA_PRINTERS"))
        return false;
    static std::unique_ptr<TStandInPrinter> printer;
    printer = TStandInPrinter::FromPrinterList(qEnvironmentVariable("TAGMORA_PRINTERS"));
    SetPrinter(printer.get());
    return true;
}
