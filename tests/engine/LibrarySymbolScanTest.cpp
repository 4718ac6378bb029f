// The 2D and GS1 symbologies printed to PDF through the print job, rendered
// back at the printer's resolution and read with ZXing: every symbol at four
// angles, at three printers with three module sizes, scans as exactly its
// data (GS1 ones as the element string, FNC1 as the group separator).
#include "engine/LabelDocument.h"
#include "barcode/Barcode.h"
#include "common/BarcodeScan.h"
#include "common/PdfSupport.h"
#include "common/TestSupport.h"
#include "engine/printing/PdfPrinter.h"
#include "engine/printing/PrintJob.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct TSymbolCase {
    TBarcodeType type;
    const char* text;      // what the label holds (Latin-1)
    const char* expected;  // what the scanner reads; nullptr where ZXing has no reader
};

const char kGs1[] = "(01)09501101530003(10)AB12(17)260630";
// The variable-length lot number ends with FNC1, read as GS.
const char kGs1Read[] = "010950110153000310AB12\x1d" "17260630";

const TSymbolCase kCases[] = {
    {bcQRCode, "Gr\xfc\xdf" "e aus Tagmora: QR 2D", "Gr\xfc\xdf" "e aus Tagmora: QR 2D"},
    {bcMicroQR, "TAG-42", "TAG-42"},
    {bcDataMatrix, "Tagmora Data Matrix 0042", "Tagmora Data Matrix 0042"},
    {bcGS1DataMatrix, kGs1, kGs1Read},
    {bcPDF417, "Tagmora PDF417 label", "Tagmora PDF417 label"},
    {bcMicroPDF417, "Tagmora", nullptr},
    {bcAztec, "Tagmora Aztec Code", "Tagmora Aztec Code"},
    {bcDataBarOmni, "0950110153000", "09501101530003"},
    {bcDataBarLimited, "0950110153000", nullptr},
    {bcDataBarExpanded, kGs1, kGs1},  // the reader gives DataBar Expanded in brackets
    {bcDataBarExpandedStacked, kGs1, nullptr},
    {bcGS1_128, kGs1, kGs1Read},
    {bcITF14, "1234567890123", "12345678901231"},
    {bcISBN, "0306406152", "9780306406157"},
};

// An 8 x 8 inch label with the symbol four times, turned 0, 90, 180 and 270
// degrees, one in each quarter.
QStringList QuarterPlan(const TSymbolCase& c, int modul, int dpi)
{
    QStringList plan{"LabelSize 576,576", "LayoutRows 1", "LayoutCols 1", "MarginLeft 0.5", "MarginTop 0.5",
                     "PaperSize 256", "PaperWidth 2132", "PaperLength 2132", "PaperOrientation -1", "LabelCount 1"};
    const int corners[4][2] = {{20, 20}, {308, 20}, {20, 308}, {308, 308}};
    for (int q = 0; q < 4; ++q) {
        const int x = corners[q][0], y = corners[q][1];
        plan << "Object Barcode" << QStringLiteral("  X1=%1").arg(x) << QStringLiteral("  Y1=%1").arg(y)
             << QStringLiteral("  X2=%1").arg(x + 150) << QStringLiteral("  Y2=%1").arg(y + 150)
             << QStringLiteral("  BarType=%1").arg(int(c.type)) << QStringLiteral("  Angle=%1").arg(q * 90)
             << QStringLiteral("  Modul=%1").arg(modul) << QStringLiteral("  ModulDPI=%1").arg(dpi) << "  ShowText=0"
             << QStringLiteral("  DataValue=") + QString::fromLatin1(c.text) << "End";
    }
    return plan;
}

// The dark part of an image and a quiet margin of a quarter of its size
// around it, as a scanner aimed at the symbol sees it.
QImage Aimed(const QImage& image)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    QRect dark;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            if (line[x] < 128)
                dark |= QRect(x, y, 1, 1);
    }
    if (dark.isEmpty())
        return grey;
    const int m = std::max(20, std::max(dark.width(), dark.height()) / 4);
    return grey.copy(dark.adjusted(-m, -m, m, m));
}

}  // namespace

TEST(LibrarySymbolScan, EverySymbolReadsBackAtEveryAngleAndResolution)
{
    if (!testsupport::ScanAvailable())
        GTEST_SKIP() << "ZXing was not found at build time";
    QTemporaryDir dir;
    // Thermal printers at 203 dpi, office printers at 300 and 600: modules of
    // 0.25, 0.17 and 0.21 mm.
    const struct {
        int dpi, modul;
    } printers[] = {{203, 2}, {300, 2}, {600, 5}};
    for (const TSymbolCase& c : kCases) {
        if (!c.expected)
            continue;  // no independent reader; its drawing is checked against the library's own
        for (const auto& p : printers) {
            SCOPED_TRACE(testing::Message() << int(c.type) << " at " << p.dpi << " dpi");
            TPdfPrinter pdf(p.dpi);
            TScopedPrinter guard(pdf);
            const QString out = dir.filePath(QStringLiteral("s%1-%2.pdf").arg(int(c.type)).arg(p.dpi));
            pdf.SetOutputFileName(out);
            TLabelDocument doc;
            doc.Plan().ReadPlan(QuarterPlan(c, p.modul, p.dpi));
            ASSERT_EQ(PrintLabels(doc.Plan(), doc.Data, TPrintRequest()).Painted, 1);
            const QList<QImage> pages = printtest::RenderPdfPages(out, p.dpi);
            ASSERT_EQ(pages.size(), 1);
            // Each symbol with a margin around its box, as a scanner aims at it.
            const auto px = [&](double points) { return int(points * p.dpi / 72.0); };
            const int margin = CentimetresToPixels(0.5, p.dpi);
            for (int q = 0; q < 4; ++q) {
                const QImage quarter = Aimed(pages[0].copy(margin + px((q % 2) * 288 + 8),
                                                           margin + px((q / 2) * 288 + 8), px(276), px(276)));
                const testsupport::ScanResult scan = testsupport::DecodeImage(quarter);
                EXPECT_EQ(scan.bytes.toStdString(), std::string(c.expected)) << "angle " << q * 90 << " " << scan.format.toStdString();
            }
        }
    }
}
