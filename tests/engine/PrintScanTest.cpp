// Printed sheets read back: the PDF's pages rendered with poppler, every label
// place decoded with ZXing in placement order against the print grid, for all
// eight output orders; and bars of whole Modul widths at 1200 dpi.
#include "engine/LabelDocument.h"
#include "common/BarcodeScan.h"
#include "common/TestSupport.h"
#include "common/PdfSupport.h"
#include "engine/printing/PdfPrinter.h"
#include "engine/printing/PrintJob.h"
#include "document/StandInPrinter.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <numeric>

namespace {

// 3 x 6 labels of 180 x 130 points on A4, margins 0.8 / 1 cm, gaps 0.2 cm; a
// text bound to "Name", an EAN-13 (Modul 4 at 300 dpi) bound to "Code".
QStringList SheetPlan(int order)
{
    return QStringList{
        "LabelSize 180,130", "LayoutRows 6", "LayoutCols 3", "MarginLeft 0.8", "MarginTop 1", "MarginRight 0.8",
        "MarginBottom 1", "HorizontalSpace 0.2", "VerticalSpace 0.2", "CutMark -1", "LabelCount -1", "PaperSize 9",
        "PaperOrientation -1", "OutputOrder " + QString::number(order),
        "Object Text", "  X1=8", "  Y1=6", "  X2=172", "  Y2=30", "  FontName=DejaVu Sans", "  FontSize=10",
        "  DataOrigin=1", "  DataExpression=Name", "End",
        "Object Barcode", "  X1=24", "  Y1=36", "  X2=170", "  Y2=120", "  BarType=14", "  CheckSum=-1", "  Modul=4", "  ShowText=1",
        "  DataOrigin=1", "  DataExpression=Code", "End"};
}

QString Code(int row)
{
    return QStringLiteral("590123%1").arg(row * 7919 % 1000000, 6, 10, QLatin1Char('0'));
}

void FillRows(TLabelDocument& doc, int n, std::initializer_list<int> invalid = {})
{
    TAdvStringGrid& g = doc.Data.StrGrid_Data;
    g.SetColCount(3);
    g.SetRowCount(n + 1);
    g.SetCell(1, 0, u"Name");
    g.SetCell(2, 0, u"Code");
    for (int r = 1; r <= n; ++r) {
        g.SetCell(1, r, QStringLiteral("Item %1").arg(r));
        g.SetCell(2, r, Code(r));
    }
    for (int r : invalid)
        g.SetCell(2, r, u"12A45");
    doc.Data.BuildPrintGrid();
}

// The decoded texts without their check digit (the grid holds 12 digits).
QStringList WithoutCheckDigits(QStringList texts)
{
    for (QString& t : texts)
        if (t.size() == 13)
            t.chop(1);
    return texts;
}

class PrintScan : public ::testing::Test {
protected:
    QTemporaryDir dir;

    void SetUp() override
    {
        if (!testsupport::ScanAvailable())
            GTEST_SKIP() << "ZXing was not found at build time";
    }
};

}  // namespace

TEST_F(PrintScan, EverySheetReadsBackInPlacementOrder)
{
    for (int order = 0; order < 8; ++order) {
        SCOPED_TRACE(order);
        TPdfPrinter pdf(300);
        TScopedPrinter guard(pdf);
        const QString out = dir.filePath(QStringLiteral("order%1.pdf").arg(order));
        pdf.SetOutputFileName(out);
        TLabelDocument doc;
        doc.Plan().ReadPlan(SheetPlan(order));
        FillRows(doc, 20);
        const TPrintOutcome outcome = PrintLabels(doc.Plan(), doc.Data, TPrintRequest());
        ASSERT_EQ(outcome.Painted, 20);

        const QList<QImage> pages = printtest::RenderPdfPages(out, 300);
        ASSERT_EQ(pages.size(), 2);
        const TSheetLayout layout = SheetLayoutOf(doc.Plan(), 300, pdf.PhysicalPageSize());
        QStringList expected;
        for (int r = 1; r <= 20; ++r)
            expected << Code(r);
        const QStringList read = printtest::DecodeLabelPlaces(pages[0], layout, 1, 18) +
                                 printtest::DecodeLabelPlaces(pages[1], layout, 19, 20);
        EXPECT_EQ(WithoutCheckDigits(read).join(' ').toStdString(), expected.join(' ').toStdString());
        // The places no label took stay empty.
        EXPECT_EQ(printtest::DecodeLabelPlaces(pages[1], layout, 21, 36).join(QString()), QString());
    }
}

TEST_F(PrintScan, SkippedLabelsLeaveTheirPlaceEmpty)
{
    TPdfPrinter pdf(300);
    TScopedPrinter guard(pdf);
    const QString out = dir.filePath("skip.pdf");
    pdf.SetOutputFileName(out);
    TLabelDocument doc;
    doc.Plan().ReadPlan(SheetPlan(0));
    FillRows(doc, 6, {2, 5});
    TPrintRequest request;
    request.InvalidCodeProcess = 0;
    ASSERT_EQ(PrintLabels(doc.Plan(), doc.Data, request).Skipped, 2);
    const QList<QImage> pages = printtest::RenderPdfPages(out, 300);
    ASSERT_EQ(pages.size(), 1);
    const TSheetLayout layout = SheetLayoutOf(doc.Plan(), 300, pdf.PhysicalPageSize());
    EXPECT_EQ(WithoutCheckDigits(printtest::DecodeLabelPlaces(pages[0], layout, 1, 6)).join(',').toStdString(),
              QStringList({Code(1), "", Code(3), Code(4), "", Code(6)}).join(',').toStdString());
}

namespace {

// Widths of the dark and light runs along one row of pixels, from the first
// dark pixel to the last.
QList<int> Runs(const QImage& image, int y)
{
    QList<int> runs;
    int x = 0;
    while (x < image.width() && qGray(image.pixel(x, y)) >= 128)
        ++x;
    int last = image.width() - 1;
    while (last > x && qGray(image.pixel(last, y)) >= 128)
        --last;
    while (x <= last) {
        const bool dark = qGray(image.pixel(x, y)) < 128;
        int w = 0;
        while (x <= last && (qGray(image.pixel(x, y)) < 128) == dark) {
            ++w;
            ++x;
        }
        runs << w;
    }
    return runs;
}

// One label, 144 x 72 points, on a 60 x 40 mm sheet: an EAN-13 with Modul 5
// at the printer's resolution, or at the resolution given.
void MakeSmallLabel(TLabelDocument& doc, const QStringList& modul = {"  Modul=5"})
{
    doc.Plan().ReadPlan(QStringList{
        "LabelSize 144,72", "LayoutRows 1", "LayoutCols 1", "MarginLeft 0.5", "MarginTop 0.5", "PaperSize 256",
        "PaperWidth 600", "PaperLength 400", "PaperOrientation -1", "LabelCount 1",
        "Object Barcode", "  X1=6", "  Y1=6", "  X2=140", "  Y2=66", "  BarType=14", "  CheckSum=-1", "  ShowText=0",
        "  DataValue=590123412345"} + modul + QStringList{"End"});
}

}  // namespace

TEST_F(PrintScan, BarsAreWholeModulesAt1200Dpi)
{
    // Through the PDF at 1200 dpi, rendered back at 1200 dpi: bar edges fall
    // on pixel edges, so every pixel is wholly dark or light.
    {
        TPdfPrinter pdf(1200);
        TScopedPrinter guard(pdf);
        const QString out = dir.filePath("fine.pdf");
        pdf.SetOutputFileName(out);
        TLabelDocument doc;
        MakeSmallLabel(doc);
        ASSERT_EQ(PrintLabels(doc.Plan(), doc.Data, TPrintRequest()).Painted, 1);
        EXPECT_EQ(doc.Plan().PntDPI, 1200);
        const QList<QImage> pages = printtest::RenderPdfPages(out, 1200);
        ASSERT_EQ(pages.size(), 1);
        const QImage& page = pages[0];
        const int y = CentimetresToPixels(0.5, 1200) + PointsToPixels(30, 1200);
        const QList<int> runs = Runs(page, y);
        ASSERT_EQ(runs.size(), 59);  // EAN-13: 30 bars, 29 spaces
        for (int w : runs)
            EXPECT_TRUE(w % 5 == 0 && w >= 5 && w <= 20) << w;
        EXPECT_EQ(std::accumulate(runs.begin(), runs.end(), 0), 95 * 5);
        const auto scan = testsupport::DecodeImage(page);
        EXPECT_EQ(scan.text.toStdString(), "5901234123457");
    }
    // Straight onto a 1200-dpi printer's raster.
    {
        TStandInPrinter printer;
        TScopedPrinter guard(printer);
        printer.AddPrinter(TStandInPrinter::FromPrinterList("Fine@1200")->Info(0));
        TLabelDocument doc;
        MakeSmallLabel(doc);
        ASSERT_EQ(PrintLabels(doc.Plan(), doc.Data, TPrintRequest()).Painted, 1);
        ASSERT_EQ(printer.Pages.size(), 1);
        const QImage& page = printer.Pages[0];
        EXPECT_EQ(page.size(), QSize(2835, 1890));
        const QList<int> runs = Runs(page, CentimetresToPixels(0.5, 1200) + PointsToPixels(30, 1200));
        ASSERT_EQ(runs.size(), 59);
        for (int w : runs)
            EXPECT_TRUE(w % 5 == 0 && w >= 5 && w <= 20) << w;
    }
}

TEST_F(PrintScan, ModuleKeepsItsWidthOnEveryPrinter)
{
    // 0.34 mm modules set for a 1200 dpi printer and for a 300 dpi one, each
    // printed at 300, 600 and 1200 dpi: whole dots of the printer, as near
    // 0.34 mm as they come, and every symbol scans.
    for (const QStringList& modul : {QStringList{"  Modul=16", "  ModulDPI=1200"}, QStringList{"  Modul=4", "  ModulDPI=300"}}) {
        for (const int dpi : {300, 600, 1200}) {
            SCOPED_TRACE(::testing::Message() << modul.join(' ').toStdString() << " on " << dpi);
            TStandInPrinter printer;
            TScopedPrinter guard(printer);
            printer.AddPrinter(TStandInPrinter::FromPrinterList(QStringLiteral("P@%1").arg(dpi))->Info(0));
            TLabelDocument doc;
            MakeSmallLabel(doc, modul);
            ASSERT_EQ(PrintLabels(doc.Plan(), doc.Data, TPrintRequest()).Painted, 1);
            const QImage& page = printer.Pages.at(0);
            const QList<int> runs = Runs(page, CentimetresToPixels(0.5, dpi) + PointsToPixels(30, dpi));
            ASSERT_EQ(runs.size(), 59);
            EXPECT_EQ(*std::min_element(runs.begin(), runs.end()), dpi / 75);  // 4, 8, 16 dots
            EXPECT_EQ(std::accumulate(runs.begin(), runs.end(), 0), 95 * dpi / 75);
            EXPECT_EQ(testsupport::DecodeImage(page).text.toStdString(), "5901234123457");
        }
    }
}
