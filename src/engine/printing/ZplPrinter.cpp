#include "engine/printing/ZplPrinter.h"

#include "document/CupsJob.h"
#include "document/OutputFile.h"
#include "document/Tr.h"
#include "engine/printing/PdfPrinter.h"
#include "engine/printing/Zpl.h"

#include <QPageLayout>
#include <QTcpSocket>
#include <QUrl>

#include <stdexcept>

namespace {

constexpr int kRawPort = 9100;
constexpr int kConnectTimeoutMs = 10000;
constexpr int kWriteTimeoutMs = 30000;
constexpr int kMaxDots = 32000;

int ZplDpi(int dpi)
{
    return dpi == 300 || dpi == 600 ? dpi : 203;
}

}  // namespace

bool TZplPrinter::IsSocketUri(const QString& text)
{
    return text.startsWith(QLatin1String("socket://"), Qt::CaseInsensitive);
}

bool TZplPrinter::TakesZpl(const QString& printerName, const TPrinterProfile& profile)
{
    return IsSocketUri(printerName) || profile.Zpl || IsRawQueue(printerName);
}

TZplPrinter::TZplPrinter(const TZplSettings& settings, const QString& destination)
    : FSettings(settings), FDestination(destination), FName(destination.isEmpty() ? QStringLiteral("ZPL") : destination)
{
    FSettings.Dpi = ZplDpi(settings.Dpi);
}

TZplPrinter::~TZplPrinter()
{
    if (FPainter.isActive())
        FPainter.end();
}

void TZplPrinter::SetPrinterIndex(int index)
{
    if (index != -1 && index != 0)
        throw std::out_of_range("Printer index out of range");
}

void TZplPrinter::SetDeviceSettings(const TPrinterDeviceSettings& settings)
{
    FPaper = SettledPaper(settings, FPaper);
}

QSize TZplPrinter::PhysicalPageSize() const
{
    return PaperLayoutOf(FPaper).fullRectPixels(FSettings.Dpi).size();
}

void TZplPrinter::BeginDoc(const QString& title)
{
    if (FPainter.isActive())
        throw EPrinterError(QStringLiteral("Printing in progress"));
    const QString file = OutputFileName();
    if (file.isEmpty() && FDestination.isEmpty())
        throw EPrinterError(Tr("ZplPrinter", "No file or printer to print to"));
    if (!file.isEmpty())
        FOutput = std::make_unique<TOutputFile>(file);
    else
        FOutput = std::make_unique<TSpoolFile>(FDestination);
    FTitle = title;
    FLabels = 0;
    FOutput->write(ZplJobHeader(FSettings));
    StartPage();
}

void TZplPrinter::StartPage()
{
    const QSize size = PhysicalPageSize();
    // ZPL's print width and label length stop at 32,000 dots.
    if (size.isEmpty() || size.width() > kMaxDots || size.height() > kMaxDots)
        throw EPrinterError(Tr("ZplPrinter", "A page of %1 x %2 dots is more than a label printer takes (%3 dots)")
                                .arg(size.width())
                                .arg(size.height())
                                .arg(kMaxDots));
    if (FPage.size() != size)
        FPage = QImage(size, QImage::Format_Grayscale8);
    if (!FPage.isNull())
        FPage.fill(255);
    if (FPage.isNull() || !FPainter.begin(&FPage))
        throw EPrinterError(Tr("ZplPrinter", "There is not enough memory for a page of %1 x %2 dots")
                                .arg(size.width())
                                .arg(size.height()));
}

void TZplPrinter::FinishPage()
{
    FPainter.end();
    FOutput->write(ZplLabelFormat(ToMonoBitmap(FPage), FSettings, FCopies));
    ++FLabels;
}

void TZplPrinter::NewPage()
{
    if (!FPainter.isActive())
        return;
    FinishPage();
    StartPage();
}

void TZplPrinter::EndDoc()
{
    if (!FPainter.isActive())
        return;
    FinishPage();
    const std::unique_ptr<TCheckedWriter> output = std::move(FOutput);
    if (auto* file = dynamic_cast<TOutputFile*>(output.get()))
        file->Commit();
    else if (IsSocketUri(FDestination))
        SendToRawPort(FDestination, *output);
    else
        SendRawJob(FDestination, FTitle, *output);
}

void TZplPrinter::Abort()
{
    if (FPainter.isActive())
        FPainter.end();
    FOutput.reset();
}

void SendToRawPort(const QString& uri, TCheckedWriter& data)
{
    const QUrl url(uri);
    auto fail = [&uri](const QString& reason) {
        return EPrinterError(Tr("ZplPrinter", "The printer %1 did not take the job: %2").arg(uri, reason));
    };
    if (!url.isValid() || url.host().isEmpty())
        throw fail(Tr("ZplPrinter", "not a printer address (socket://HOST or socket://HOST:PORT)"));
    if (data.Error())
        throw EOutputFileError(Tr("ZplPrinter", "the print job"), data.errorString());
    QTcpSocket socket;
    socket.connectToHost(url.host(), quint16(url.port(kRawPort)));
    if (!socket.waitForConnected(kConnectTimeoutMs))
        throw fail(socket.errorString());
    const bool sent = data.ReadBack([&socket](const char* chunk, qint64 size) {
        while (size > 0) {
            const qint64 n = socket.write(chunk, size);
            if (n < 0)
                return false;
            chunk += n;
            size -= n;
            while (socket.bytesToWrite() > 0)
                if (!socket.waitForBytesWritten(kWriteTimeoutMs))
                    return false;
        }
        return true;
    });
    if (!sent)
        throw fail(socket.errorString());
    socket.disconnectFromHost();
    if (socket.state() != QAbstractSocket::UnconnectedState && !socket.waitForDisconnected(kWriteTimeoutMs))
        throw fail(socket.errorString());
}
