// The preview's page rendering: pages offered, the paper in points, the labels
// of a page, cut marks in points and invalid codes.
#include "engine/LabelDocument.h"
#include "common/PdfSupport.h"
#include "common/TestSupport.h"
#include "document/LabelFile.h"
#include "document/PlanObjects.h"
#include "engine/printing/PreviewPage.h"
#include "document/StandInPrinter.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

// Labels 144 x 108 points, 6 x 3 per sheet, margins 1 cm (28 points), gaps
// 0.5 cm (14 points), cut marks; an EAN-13 bound to "Code", a text to "Name".
class Preview : public ::testing::Test {
protected:
    TStandInPrinter printer;
    TScopedPrinter guard{printer};
    QStringList errors;  // what the rendering reported
    TLabelDocument doc;
    TPlanText* name = nullptr;

    void SetUp() override
    {
        printer.AddPrinter(TStandInPrinter::FromPrinterList("Labels@300")->Info(0));
        doc.Plan().ReadPlan(QStringList{
            "LabelSize 144,108", "LayoutRows 6", "LayoutCols 3", "MarginLeft 1", "MarginTop 1", "MarginRight 1",
            "MarginBottom 1", "HorizontalSpace 0.5", "VerticalSpace 0.5", "CutMark -1", "LabelCount -1",
            "Object Text", "  X1=4", "  Y1=4", "  X2=140", "  Y2=30", "  DataOrigin=1", "  DataExpression=Name",
            "End",
            "Object Barcode", "  X1=4", "  Y1=34", "  X2=140", "  Y2=104", "  BarType=14", "  DataOrigin=1",
            "  DataExpression=Code", "End"});
        name = dynamic_cast<TPlanText*>(doc.Plan().Layers().Item(0)->Item(0));
        ASSERT_TRUE(name);
        doc.Plan().PntDPI = 300;
    }

    void SetRows(int n, std::initializer_list<int> invalid = {}) { printtest::FillNameCodeRows(doc.Data, n, invalid); }

    TPreviewPage Render(int page, int invalidCodeProcess = 1)
    {
        return RenderPreviewPage(doc.Plan(), doc.Data, page, invalidCodeProcess,
                                 [this](const QString& text) { errors << text; });
    }

    static QImage Play(const TPreviewPage& page)
    {
        QImage image(page.PaperSize, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter p(&image);
        page.Picture.Play(p);
        return image;
    }
    static bool Black(const QImage& image, int x, int y) { return image.pixelColor(x, y) == QColor(Qt::black); }
};

}  // namespace

TEST_F(Preview, OffersThePagesOfTheRunAndAtLeastOne)
{
    struct Case {
        int rows, pages;
    } cases[] = {{20, 2}, {18, 1}, {0, 1}, {37, 3}};
    for (const Case& c : cases) {
        SetRows(c.rows);
        EXPECT_EQ(PreviewPageCount(doc.Plan(), doc.Data), c.pages) << c.rows;
    }

    SetRows(20);
    EXPECT_EQ(Render(1).Painted, 18);
    const TPreviewPage second = Render(2);
    EXPECT_TRUE(second.Rendered);
    EXPECT_EQ(second.Painted, 2);
    EXPECT_FALSE(Render(3).Rendered);
    EXPECT_FALSE(Render(0).Rendered);

    // No labels: one empty white sheet.
    SetRows(0);
    const TPreviewPage empty = Render(1);
    EXPECT_TRUE(empty.Rendered);
    EXPECT_EQ(empty.Painted, 0);
    EXPECT_EQ(empty.Picture.boundingRect(), QRect(0, 0, 595, 842));
    const QImage image = Play(empty);
    EXPECT_EQ(image.pixelColor(300, 400), QColor(Qt::white));
}

TEST_F(Preview, PaperIsThePrintersSheetInPoints)
{
    ApplyPrinterSettings(doc.Plan());
    EXPECT_EQ(PreviewPaperSize(doc.Plan()), QSize(595, 842));  // 2480 x 3508 dots at 300 dpi
    doc.Plan().PntDPI = 600;  // a resolution the printer does not have halves the sheet
    EXPECT_EQ(PreviewPaperSize(doc.Plan()), QSize(298, 421));

    TStandInPrinter none;
    TScopedPrinter noPrinter(none);
    EXPECT_EQ(PreviewPaperSize(doc.Plan()), QSize(595, 842));
    doc.Plan().PaperOrientation = false;
    EXPECT_EQ(PreviewPaperSize(doc.Plan()), QSize(842, 595));
}

TEST_F(Preview, CutMarksAreLaidOutInPointsWithThePrintersCalibration)
{
    SetRows(2);
    // A printer moving the sheet 2 mm right and 1 mm up puts everything 6
    // points right and 3 up (5.67 and 2.83 rounded), as its print job does.
    TPrinterProfile calibrated;
    calibrated.OffsetMm = QPointF(2, -1);
    for (const QPoint shift : {QPoint(0, 0), QPoint(6, -3)}) {
        const QImage image = Play(RenderPreviewPage(doc.Plan(), doc.Data, 1, 1, {}, {},
                                                    shift.isNull() ? TPrinterProfile() : calibrated));
        const auto black = [&](int x, int y) { return Black(image, x + shift.x(), y + shift.y()); };
        // Margin 28 points: the top mark of the first label covers rows 20..23.
        for (int y = 16; y < 28; ++y)
            EXPECT_EQ(black(28, y), y >= 20 && y <= 23) << y << " shifted " << shift.x();
        EXPECT_FALSE(black(28 - 6, 21)) << shift.x();
        // Label 2 starts at 28 + 144 + 14 = 186; its right edge is at 330.
        EXPECT_TRUE(black(186, 21));
        EXPECT_TRUE(black(330, 21));
        EXPECT_FALSE(black(330 + 14 + 144, 21));  // no third label
        // Left marks at columns 21..24 on the first row's top and bottom edges.
        EXPECT_TRUE(black(21, 28));
        EXPECT_TRUE(black(24, 28 + 108));
        EXPECT_FALSE(black(24, 28 + 108 + 14 + 108));  // no second row
    }
}

TEST_F(Preview, LabelCountShowsTheCurrentRowOnEveryLabel)
{
    SetRows(4, {1, 2});
    doc.Data.StrGrid_Data.SetRow(3);
    doc.Plan().LabelCount = 4;
    const TPreviewPage page = Render(1);
    EXPECT_EQ(page.Painted, 4);
    EXPECT_EQ(page.AbortedAt, 0);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(Preview, InvalidCodesFollowTheOption)
{
    SetRows(20, {3});
    doc.Data.StrGrid_Data.SetRow(2);
    TPreviewPage page = Render(1, 1);
    EXPECT_EQ(page.AbortedAt, 3);
    EXPECT_EQ(page.Painted, 2);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0],
              QString("A value in line 3 is a invalid code for selected bar code format!\rAbort printing!"));

    page = Render(1, 0);
    EXPECT_EQ(page.Painted, 17);
    EXPECT_EQ(page.Skipped, 1);
    EXPECT_EQ(errors.size(), 1);

    // The surface is left as it was, showing the current row.
    EXPECT_FALSE(doc.Plan().Printing);
    EXPECT_FALSE(doc.Plan().RenderingOutput);
    EXPECT_EQ(name->DataValue, QString("Name 2"));
}
