// The ZPL II output read back: its graphic fields decoded by an independent
// reader of the format, the barcodes on them read with ZXing at thermal
// printer resolutions, and the same bytes arriving at a network printer's raw
// port and through a raw CUPS queue as in the file.
#include "engine/LabelDocument.h"
#include "common/BarcodeScan.h"
#include "common/PdfSupport.h"
#include "common/RawPort.h"
#include "common/TestSupport.h"
#include "common/ZplDecode.h"
#include "document/CupsJob.h"
#include "engine/printing/PrintJob.h"
#include "engine/printing/Zpl.h"
#include "engine/printing/ZplPrinter.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>



namespace {

// A 4 x 2 inch roll label (the page is the label): an EAN-13 bound to
// "Code" on the left, a QR Code bound to "Name" on the right.
QStringList RollPlan(int dpi)
{
    return QStringList{"LabelSize 288,144", "LayoutRows 1", "LayoutCols 1", "MarginLeft 0", "MarginTop 0",
                       "MarginRight 0", "MarginBottom 0", "PaperSize 256", "PaperWidth 1016", "PaperLength 508",
                       "PaperOrientation -1", "LabelCount -1",
                       "Object Barcode", "  X1=12", "  Y1=12", "  X2=150", "  Y2=120", "  BarType=14",
                       "  CheckSum=-1", "  Modul=2", QStringLiteral("  ModulDPI=%1").arg(dpi), "  ShowText=1",
                       "  DataOrigin=1", "  DataExpression=Code", "End",
                       "Object Barcode", "  X1=180", "  Y1=20", "  X2=276", "  Y2=116", "  BarType=25",
                       "  Modul=3", QStringLiteral("  ModulDPI=%1").arg(dpi), "  ShowText=0",
                       "  DataOrigin=1", "  DataExpression=Name", "End"};
}

// The rows: "Name r" and a 13-digit EAN "4006381rrrrrC".
void LoadRoll(TLabelDocument& doc, int dpi, int rows)
{
    doc.Plan().ReadPlan(RollPlan(dpi));
    printtest::FillNameCodeRows(doc.Data, rows);
}

QByteArray PrintZpl(TZplPrinter& printer, int dpi, int rows, int copies = 1)
{
    TScopedPrinter guard(printer);
    TLabelDocument doc;
    LoadRoll(doc, dpi, rows);
    TPrintRequest request;
    request.Copies = copies;
    const TPrintOutcome outcome = PrintLabels(doc.Plan(), doc.Data, request);
    EXPECT_EQ(outcome.Status, TPrintStatus::Printed);
    EXPECT_EQ(outcome.Painted, rows);
    QFile file(printer.OutputFileName());
    return printer.OutputFileName().isEmpty() || !file.open(QIODevice::ReadOnly) ? QByteArray() : file.readAll();
}

}  // namespace

TEST(Zpl, GraphicFieldReadsBackDotForDot)
{
    QRandomGenerator random(26);
    // Widths around the byte edges, a row of a 4-inch head and one long
    // enough for runs past 400 digits.
    for (const int width : {1, 7, 8, 9, 812, 3300}) {
        const int rowBytes = (width + 7) / 8;
        const int height = 24;
        for (int pattern = 0; pattern < 5; ++pattern) {
            SCOPED_TRACE(testing::Message() << "width " << width << " pattern " << pattern);
            QImage image(width, height, QImage::Format_RGB32);
            image.fill(Qt::white);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const bool black = pattern == 1                   ? true
                                       : pattern == 2                 ? random.bounded(2) == 1
                                       : pattern == 3                 ? (x / 3) % 2 == 0 && y < 20
                                       : pattern == 4                 ? x < width / 2 && y % 5 != 0
                                                                      : false;
                    if (black)
                        image.setPixel(x, y, qRgb(0, 0, 0));
                }
            const TMonoBitmap bitmap = ToMonoBitmap(image);
            ASSERT_EQ(bitmap.BytesPerRow, rowBytes);
            int readRowBytes = 0, rows = 0;
            const QByteArray field = ZplGraphicField(bitmap);
            ASSERT_TRUE(field.startsWith("^GFA,"));
            const QByteArray bits = testsupport::DecodeGraphicField(field.mid(5), readRowBytes, rows);
            EXPECT_EQ(readRowBytes, rowBytes);
            EXPECT_EQ(rows, height);
            EXPECT_EQ(bits, bitmap.Bits);
            if (pattern == 0) {
                EXPECT_LE(field.size(), 20 + height) << "a white field is a comma a row, and a colon after";
            }
        }
    }
}

TEST(Zpl, EveryLabelScansAtThermalResolutions)
{
    if (!testsupport::ScanAvailable())
        GTEST_SKIP() << "ZXing was not found at build time";
    QTemporaryDir dir;
    for (const int dpi : {203, 300}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        TZplSettings settings;
        settings.Dpi = dpi;
        settings.Darkness = 22;
        settings.Speed = 4;
        settings.Media = TMediaKind::Continuous;
        TZplPrinter printer(settings);
        printer.SetOutputFileName(dir.filePath(QStringLiteral("roll-%1.zpl").arg(dpi)));
        const testsupport::ZplJob job = testsupport::DecodeZpl(PrintZpl(printer, dpi, 3, 2));
        TLabelDocument doc;
        LoadRoll(doc, dpi, 3);
        ASSERT_TRUE(job.error.isEmpty()) << job.error.toStdString();
        EXPECT_EQ(job.darkness, 22);
        ASSERT_EQ(job.labels.size(), 3) << "one format a label";
        for (int k = 0; k < 3; ++k) {
            const testsupport::ZplLabel& label = job.labels[k];
            EXPECT_EQ(label.printWidth, 4 * dpi);
            EXPECT_EQ(label.labelLength, 2 * dpi);
            EXPECT_EQ(label.copies, 2);
            EXPECT_EQ(label.media, "N");
            EXPECT_EQ(label.speed, 4);
            const QImage left = label.image.copy(0, 0, label.image.width() * 5 / 9, label.image.height());
            const QImage right = label.image.copy(label.image.width() * 5 / 9, 0, label.image.width() * 4 / 9,
                                                  label.image.height());
            EXPECT_EQ(testsupport::DecodeImage(left).text, doc.Data.StrGrid_Data.Cells(2, k + 1));
            EXPECT_EQ(testsupport::DecodeImage(right).text, QStringLiteral("Name %1").arg(k + 1));
        }
    }
}

TEST(Zpl, RawPortAndRawQueueGetTheFileBytes)
{
    QTemporaryDir dir;
    TZplPrinter file(TZplSettings{});
    file.SetOutputFileName(dir.filePath(QStringLiteral("job.zpl")));
    const QByteArray expected = PrintZpl(file, 203, 4);
    ASSERT_FALSE(expected.isEmpty());

    // A printer on the loopback's port 9100 (or a free one when that is taken).
    testsupport::RawPort port(9100);
    std::unique_ptr<testsupport::RawPort> fallback;
    testsupport::RawPort* printer = &port;
    if (!port.Listening()) {
        fallback = std::make_unique<testsupport::RawPort>(0);
        printer = fallback.get();
    }
    ASSERT_TRUE(printer->Listening());
    TZplPrinter network(TZplSettings{}, QStringLiteral("socket://127.0.0.1:%1").arg(printer->Port));
    PrintZpl(network, 203, 4);
    EXPECT_EQ(printer->Received(10000), expected);

    // Nobody listening: the run fails naming the printer; nothing is lost.
    uint16_t unused = 0;
    {
        testsupport::RawPort closed(0);
        unused = closed.Port;
    }
    TZplPrinter nowhere(TZplSettings{}, QStringLiteral("socket://127.0.0.1:%1").arg(unused));
    try {
        PrintZpl(nowhere, 203, 1);
        ADD_FAILURE() << "a printer that is not there took the job";
    } catch (const EPrinterError& e) {
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf(QStringLiteral("socket://127.0.0.1")), -1) << e.what();
    }
    // A page longer than any label printer takes is refused, the file untouched.
    TZplPrinter tooLong(TZplSettings{});
    tooLong.SetOutputFileName(file.OutputFileName());
    tooLong.SetDeviceSettings(TPrinterDeviceSettings{kPaperCustom, 1016, 50000, poPortrait});
    EXPECT_THROW(tooLong.BeginDoc(QStringLiteral("long")), EPrinterError);
    tooLong.Abort();
    QFile kept(file.OutputFileName());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), expected);

    // Through CUPS: the queue "TagmoraZPL" (set up by CI) is raw and sends to
    // the loopback's port 9101.
    if (!CupsUnreachable().isEmpty() || !IsRawQueue(QStringLiteral("TagmoraZPL")))
        GTEST_SKIP() << "no raw CUPS queue TagmoraZPL";
    EXPECT_FALSE(IsRawQueue(QStringLiteral("TagmoraPDF")));
    // A job left over from an earlier run would reach the printer first.
    QProcess::execute(QStringLiteral("cancel"), {QStringLiteral("-a"), QStringLiteral("TagmoraZPL")});
    testsupport::RawPort queued(9101);
    ASSERT_TRUE(queued.Listening());
    TZplPrinter queue(TZplSettings{}, QStringLiteral("TagmoraZPL"));
    PrintZpl(queue, 203, 4);
    EXPECT_EQ(queued.Received(60000), expected);
}
