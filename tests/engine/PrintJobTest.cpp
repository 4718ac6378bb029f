// The print job on a stand-in printer: sheets and page breaks, ranges, copies,
// the data rows labels are filled from, invalid codes, the design surface
// during and after the run, and the printer's sheet size.
#include "engine/LabelDocument.h"
#include "common/PdfSupport.h"
#include "common/TestSupport.h"
#include "document/LabelFile.h"
#include "document/PlanObjects.h"
#include "engine/printing/LabelRun.h"
#include "engine/printing/PrintJob.h"
#include "document/StandInPrinter.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A stand-in printer that also notes the design surface at every page break.
class TRecordingPrinter : public TStandInPrinter {
public:
    TLabelPlan* plan = nullptr;
    struct Seen {
        QSize size;
        bool printing, rendering;
    };
    QList<Seen> seen;
    bool failBegin = false;

    void BeginDoc(const QString& title) override
    {
        if (failBegin)
            throw std::runtime_error("The printer is out of paper");
        TStandInPrinter::BeginDoc(title);
    }
    void NewPage() override
    {
        Note();
        TStandInPrinter::NewPage();
    }
    void EndDoc() override
    {
        Note();
        TStandInPrinter::EndDoc();
    }
    void Note()
    {
        if (plan)
            seen.append({plan->ViewSize(), plan->Printing, plan->RenderingOutput});
    }
};

// Labels 144 x 108 points (600 x 450 pixels at 300 dpi), 6 rows x 3 columns,
// margins 1 cm (118 pixels), gaps 0.5 cm (59), cut marks, on A4 at 300 dpi.
// A text shows the column "Name", an EAN-13 the column "Code".
class PrintJob : public ::testing::Test {
protected:
    TRecordingPrinter printer;
    TScopedPrinter guard{printer};
    QStringList messages;  // what the job reported
    QList<bool> errors;    // whether each was an error
    TLabelDocument doc;
    TPlanText* name = nullptr;

    static constexpr int kM = 118, kStepX = 659, kStepY = 509, kLw = 600, kLh = 450;

    void SetUp() override
    {
        printer.AddPrinter(TStandInPrinter::FromPrinterList("Labels@300")->Info(0));
        printer.AddPrinter(TStandInPrinter::FromPrinterList("Fine@600")->Info(0));
        doc.Plan().ReadPlan(QStringList{
            "LabelSize 144,108", "LayoutRows 6", "LayoutCols 3", "MarginLeft 1", "MarginTop 1", "MarginRight 1",
            "MarginBottom 1", "HorizontalSpace 0.5", "VerticalSpace 0.5", "CutMark -1", "OutputOrder 0",
            "LabelCount -1", "PaperSize 9", "PaperOrientation -1",
            "Object Text", "  X1=4", "  Y1=4", "  X2=140", "  Y2=30", "  DataOrigin=1", "  DataExpression=Name",
            "End",
            "Object Barcode", "  X1=4", "  Y1=34", "  X2=140", "  Y2=104", "  BarType=14", "  DataOrigin=1",
            "  DataExpression=Code", "End"});
        name = dynamic_cast<TPlanText*>(doc.Plan().Layers().Item(0)->Item(0));
        ASSERT_TRUE(name);
        printer.plan = &doc.Plan();
        doc.Plan().SetViewSize(144, 108);
    }

    void SetRows(int n, std::initializer_list<int> invalid = {}) { printtest::FillNameCodeRows(doc.Data, n, invalid); }

    TPrintOutcome Print(TPrintRequest request = {})
    {
        request.Report = [this](const QString& text, bool error) {
            messages << text;
            errors << error;
        };
        return PrintLabels(doc.Plan(), doc.Data, request);
    }

    int Count(const QString& logLine) const { return int(printer.Log.count(logLine)); }

    static bool Black(const QImage& page, int x, int y) { return page.pixelColor(x, y) == QColor(Qt::black); }

    // Columns / rows of the sheet that have a label on the page, read from the
    // cut marks at the right and bottom edges of each place.
    static QList<int> ColumnsMarked(const QImage& page)
    {
        QList<int> cols;
        for (int c = 0; c < 3; ++c)
            if (Black(page, kM + kStepX * c + kLw, kM - 6))
                cols << c;
        return cols;
    }
    static QList<int> RowsMarked(const QImage& page)
    {
        QList<int> rows;
        for (int r = 0; r < 6; ++r)
            if (Black(page, kM - 5, kM + kStepY * r + kLh))
                rows << r;
        return rows;
    }
    QStringList Messages() const { return messages; }
};

}  // namespace

TEST_F(PrintJob, TwentyLabelsFillTwoSheets)
{
    SetRows(20);
    const TPrintOutcome out = Print();
    EXPECT_EQ(out.Status, TPrintStatus::Printed);
    EXPECT_EQ(out.Counts.Total, 20);
    EXPECT_EQ(out.Counts.Pages, 2);
    EXPECT_EQ(out.Painted, 20);
    EXPECT_EQ(out.Pages, 2);
    EXPECT_EQ(Count("NewPage"), 1);
    EXPECT_EQ(Count("EndDoc"), 1);
    ASSERT_EQ(printer.Pages.size(), 2);
    EXPECT_EQ(printer.Pages[0].size(), QSize(2480, 3508));
    EXPECT_EQ(ColumnsMarked(printer.Pages[0]), (QList<int>{0, 1, 2}));
    EXPECT_EQ(RowsMarked(printer.Pages[0]), (QList<int>{0, 1, 2, 3, 4, 5}));
    // Labels 19 and 20: row 0, columns 0 and 1.
    EXPECT_EQ(ColumnsMarked(printer.Pages[1]), (QList<int>{0, 1}));
    EXPECT_EQ(RowsMarked(printer.Pages[1]), (QList<int>{0}));
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(PrintJob, CutMarksLieWhereTheLayoutPutsThem)
{
    SetRows(1);
    Print();
    ASSERT_EQ(printer.Pages.size(), 1);
    const QImage& page = printer.Pages[0];
    // The top mark of the label's left edge covers rows 110..113 only.
    for (int y = 105; y < 120; ++y)
        EXPECT_EQ(Black(page, kM, y), y >= 110 && y <= 113) << y;
    // Left marks: columns 111..114 at the label's top row.
    for (int x = 105; x < 120; ++x)
        EXPECT_EQ(Black(page, x, kM), x >= 111 && x <= 114) << x;
    // Right and bottom marks from the paper's far edges.
    EXPECT_TRUE(Black(page, 2480 - kM + 4, kM));
    EXPECT_TRUE(Black(page, 2480 - kM + 7, kM + kLh));
    EXPECT_FALSE(Black(page, 2480 - kM + 8, kM));
    EXPECT_TRUE(Black(page, kM + kLw, 3508 - kM + 4));
    EXPECT_FALSE(Black(page, kM + kLw, 3508 - kM + 3));

    doc.Plan().CutMark = false;
    Print();
    ASSERT_EQ(printer.Pages.size(), 1);
    EXPECT_FALSE(Black(printer.Pages[0], kM, 111));
}

TEST_F(PrintJob, SurfaceIsPreparedForThePrinterAndRestored)
{
    SetRows(20);
    doc.Data.StrGrid_Data.SetRow(3);
    const QSize before = doc.Plan().ViewSize();
    TPrintRequest request;
    request.PrinterName = "Fine";
    bool released = false;
    request.ReleaseTools = [&] { released = true; };
    int surfaceMoves = 0;  // a window showing the document must stay as it is
    QObject::connect(&doc.Plan(), &TLabelPlan::Resized, [&] { ++surfaceMoves; });
    QObject::connect(&doc.Plan(), &TLabelPlan::RepaintRequested,
                     [&](const QRect&) { surfaceMoves += doc.Plan().Printing; });
    Print(request);
    EXPECT_EQ(surfaceMoves, 0);
    EXPECT_TRUE(released);
    ASSERT_EQ(printer.seen.size(), 2);
    for (const auto& s : printer.seen) {
        EXPECT_EQ(s.size, QSize(1200, 900));  // 144 x 108 points at 600 dpi
        EXPECT_TRUE(s.printing);
        EXPECT_FALSE(s.rendering);
    }
    EXPECT_EQ(doc.Plan().PntDPI, 600);
    EXPECT_EQ(doc.Plan().ViewSize(), before);
    EXPECT_FALSE(doc.Plan().Printing);
    EXPECT_EQ(doc.Plan().OutputPrinter, -1);  // the run's printer did not become the document's
    // The design shows the datasheet's current row again.
    EXPECT_EQ(name->DataValue, QString("Name 3"));
}

TEST_F(PrintJob, PageRangePrintsItsLabelsOnly)
{
    SetRows(20);
    TPrintRequest request;
    request.AllPages = false;
    request.FromPage = " 2";
    request.ToPage = "2 ";
    const TPrintOutcome out = Print(request);
    EXPECT_EQ(out.Span.First, 19);
    EXPECT_EQ(out.Span.Last, 20);
    EXPECT_EQ(out.Painted, 2);
    ASSERT_EQ(printer.Pages.size(), 1);
    EXPECT_EQ(ColumnsMarked(printer.Pages[0]), (QList<int>{0, 1}));
    EXPECT_EQ(Count("NewPage"), 0);
}

TEST_F(PrintJob, WrongRangesPrintNothing)
{
    SetRows(20);
    struct Case {
        const char *from, *to, *message;
    } cases[] = {
        {"0", "1", "Error print range! "},
        {"1", "3", "Error print range! "},
        {"2", "1", "Error print range! "},
        {"3", "3", "Error print range! "},
        {"1a", "2", "'1a' is not a valid page number! "},
        {"1", "", "'' is not a valid page number! "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from + std::string("-") + c.to);
        messages.clear();
        errors.clear();
        printer.Log.clear();
        TPrintRequest request;
        request.AllPages = false;
        request.FromPage = c.from;
        request.ToPage = c.to;
        EXPECT_EQ(Print(request).Status, TPrintStatus::RangeError);
        EXPECT_EQ(Messages(), QStringList{c.message});
        EXPECT_EQ(errors.value(0, true), false);
        EXPECT_EQ(Count("BeginDoc Tagmora"), 0);
    }
}

TEST_F(PrintJob, EmptyPrintGridPrintsNothing)
{
    SetRows(0);
    TPrintOutcome out = Print();
    EXPECT_EQ(out.Status, TPrintStatus::Printed);
    EXPECT_EQ(out.Counts.Total, 0);
    EXPECT_EQ(out.Counts.Pages, 0);
    EXPECT_EQ(Count("BeginDoc Tagmora"), 0);  // not even a blank sheet
    EXPECT_TRUE(Messages().isEmpty());

    TPrintRequest request;
    request.AllPages = false;
    request.ToPage = "1";
    EXPECT_EQ(Print(request).Status, TPrintStatus::RangeError);
    EXPECT_EQ(Messages(), QStringList{"Error print range! "});
}

TEST_F(PrintJob, LabelCountPrintsCopiesOfTheCurrentRow)
{
    // Rows 1 and 2 hold invalid codes: a label filled from them would abort.
    SetRows(4, {1, 2});
    doc.Data.StrGrid_Data.SetRow(3);
    doc.Plan().LabelCount = 5;
    doc.Plan().LayoutRows = doc.Plan().LayoutCols = 1;
    const TPrintOutcome out = Print();
    EXPECT_EQ(out.Status, TPrintStatus::Printed);
    EXPECT_EQ(out.Painted, 5);
    EXPECT_EQ(printer.Pages.size(), 5);
    EXPECT_EQ(name->DataValue, QString("Name 3"));

    // The same run from the print grid stops at its first row.
    doc.Plan().LabelCount = -1;
    EXPECT_EQ(Print().AbortedAt, 1);
}

TEST_F(PrintJob, InvalidCodeWithSkipLeavesThePlaceEmptyAndAddsNoPage)
{
    // The last label of the run ends a full sheet and is invalid.
    SetRows(18, {18});
    TPrintRequest request;
    request.InvalidCodeProcess = 0;
    TPrintOutcome out = Print(request);
    EXPECT_EQ(out.Status, TPrintStatus::Printed);
    EXPECT_EQ(out.Painted, 17);
    EXPECT_EQ(out.Skipped, 1);
    EXPECT_EQ(printer.Pages.size(), 1);
    EXPECT_TRUE(Messages().isEmpty());

    // Inside a run the sheet still ends after an invalid last place.
    SetRows(20, {18});
    out = Print(request);
    EXPECT_EQ(out.Painted, 19);
    EXPECT_EQ(printer.Pages.size(), 2);
    EXPECT_EQ(ColumnsMarked(printer.Pages[1]), (QList<int>{0, 1}));
}

TEST_F(PrintJob, InvalidCodeWithAbortStopsAfterTheLabelsBeforeIt)
{
    for (int option : {1, 7}) {
        SetRows(20, {5, 9});
        messages.clear();
        errors.clear();
        printer.Log.clear();
        TPrintRequest request;
        request.InvalidCodeProcess = option;
        const TPrintOutcome out = Print(request);
        EXPECT_EQ(out.Status, TPrintStatus::Aborted);
        EXPECT_EQ(out.AbortedAt, 5);
        EXPECT_EQ(out.Painted, 4);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages[0],
                  QString("A value in line 5 is a invalid code for selected bar code format!\rAbort printing!"));
        EXPECT_TRUE(errors[0]);
        // The document ends normally with the one sheet begun.
        EXPECT_EQ(Count("EndDoc"), 1);
        EXPECT_EQ(Count("Abort"), 0);
        EXPECT_EQ(printer.Pages.size(), 1);
        EXPECT_FALSE(doc.Plan().Printing);
    }
    EXPECT_EQ(InvalidCodeAbortMessage(12345678901LL),
              QString("A value in line 12345678901 is a invalid code for selected bar code format!\rAbort printing!"));
}

TEST_F(PrintJob, CopiesGoToThePrinter)
{
    SetRows(3);
    TPrintRequest request;
    request.Copies = 3;
    const TPrintOutcome out = Print(request);
    EXPECT_EQ(Count("SetCopies 3"), 1);
    EXPECT_EQ(printer.Copies(), 3);
    // The spooler repeats the document; the job sends it once.
    EXPECT_EQ(printer.Pages.size(), 1);
    EXPECT_EQ(out.Copies, 3);

    printer.Log.clear();
    request.Copies = 0;
    Print(request);
    EXPECT_EQ(Count("SetCopies 0"), 0);
    EXPECT_EQ(printer.Copies(), 3);  // stays as set
}

TEST_F(PrintJob, WithoutPrintersNothingHappensButAWarning)
{
    TStandInPrinter none;
    TScopedPrinter noPrinter(none);
    SetRows(3);
    EXPECT_EQ(Print().Status, TPrintStatus::NoPrinter);
    EXPECT_EQ(Messages(), QStringList{"No printr device exist! "});
    EXPECT_FALSE(errors.value(0, true));
    EXPECT_TRUE(none.Log.isEmpty());
}

TEST_F(PrintJob, LayoutWithoutPlacesIsReported)
{
    SetRows(3);
    doc.Plan().LayoutRows = 0;
    EXPECT_EQ(Print().Status, TPrintStatus::NoPlaces);
    EXPECT_EQ(Messages(), QStringList{NoPlacesMessage()});
    EXPECT_EQ(Count("BeginDoc Tagmora"), 0);
}

TEST_F(PrintJob, TheDialogSeesThePrinterAndMayChangeTheRun)
{
    SetRows(20);
    TPrintDialogInfo shown;
    TPrintRequest request;
    request.Dialog = [&](const TPrintDialogInfo& info, TPrintRequest&) {
        shown = info;
        return TPrintChoice::Cancel;
    };
    EXPECT_EQ(Print(request).Status, TPrintStatus::Cancelled);
    EXPECT_EQ(shown.PrinterName, QString("Labels"));
    EXPECT_EQ(shown.Dpi, 300);
    EXPECT_EQ(shown.Pages, 2);
    EXPECT_EQ(Count("BeginDoc Tagmora"), 0);

    bool previewed = false;
    request.OpenPreview = [&] { previewed = true; };
    request.Dialog = [](const TPrintDialogInfo&, TPrintRequest&) { return TPrintChoice::Preview; };
    EXPECT_EQ(Print(request).Status, TPrintStatus::Previewed);
    EXPECT_TRUE(previewed);
    EXPECT_EQ(Count("BeginDoc Tagmora"), 0);

    // The label setup behind the dialog widens the layout: one sheet then.
    request.Dialog = [this](const TPrintDialogInfo&, TPrintRequest& r) {
        doc.Plan().LayoutCols = 4;
        doc.Plan().HorizontalSpace = 0;
        r.Copies = 2;
        return TPrintChoice::Print;
    };
    const TPrintOutcome out = Print(request);
    EXPECT_EQ(out.Counts.Pages, 1);
    EXPECT_EQ(printer.Pages.size(), 1);
    EXPECT_EQ(Count("SetCopies 2"), 1);
}

TEST_F(PrintJob, PrinterErrorsPassAfterTheSurfaceIsRestored)
{
    SetRows(3);
    doc.Data.StrGrid_Data.SetRow(2);
    printer.failBegin = true;
    const QSize before = doc.Plan().ViewSize();
    EXPECT_THROW(Print(), std::runtime_error);
    EXPECT_EQ(doc.Plan().ViewSize(), before);
    EXPECT_FALSE(doc.Plan().Printing);
    EXPECT_EQ(name->DataValue, QString("Name 2"));

    TPrintRequest request;
    request.PrinterName = "Nowhere";
    EXPECT_THROW(PrintLabels(doc.Plan(), doc.Data, request), EPrinterError);
}

TEST_F(PrintJob, PaperMetricIsTheCurrentPrintersSheet)
{
    doc.Plan().OutputPrinter = 1;
    ApplyPrinterSettings(doc.Plan());
    EXPECT_EQ(PaperMetric("Width"), 4961);   // A4 at 600 dpi
    EXPECT_EQ(PaperMetric("Length"), 7016);
    EXPECT_EQ(PaperMetric("Height"), 0);
    EXPECT_EQ(PaperMetric("width"), 0);
    doc.Plan().PaperOrientation = false;
    ApplyPrinterSettings(doc.Plan());
    EXPECT_EQ(PaperMetric("Width"), 7016);

    TStandInPrinter none;
    TScopedPrinter noPrinter(none);
    EXPECT_EQ(PaperMetric("Width"), 2479);
    EXPECT_EQ(PaperMetric("Length"), 3508);
}

// A printer's calibration moves every printed dot by exactly the offset, and
// scales the positions on the sheet without changing a label.
TEST_F(PrintJob, CalibrationMovesEverythingByWholeDots)
{
    SetRows(4);
    ASSERT_EQ(Print().Status, TPrintStatus::Printed);
    const QImage plain = printer.Pages.at(0).convertToFormat(QImage::Format_Grayscale8);
    printer.Pages.clear();
    TPrintRequest moved;
    moved.OffsetMm = QPointF(2, -1);  // 24 dots right, 12 up at 300 dpi
    ASSERT_EQ(Print(moved).Status, TPrintStatus::Printed);
    const QImage shifted = printer.Pages.at(0).convertToFormat(QImage::Format_Grayscale8);
    ASSERT_EQ(plain.size(), shifted.size());
    int dark = 0;
    for (int y = 12; y < plain.height(); ++y)
        for (int x = 0; x + 24 < plain.width(); ++x) {
            const bool a = qGray(plain.pixel(x, y)) < 128, b = qGray(shifted.pixel(x + 24, y - 12)) < 128;
            dark += a;
            ASSERT_EQ(a, b) << x << "," << y;
        }
    EXPECT_GT(dark, 10000);

    // 102 % across: the second column starts 2 % of its distance from the
    // page's corner further right; the labels themselves are as wide as before.
    printer.Pages.clear();
    TPrintRequest scaled;
    scaled.ScalePercent = QPointF(102, 100);
    ASSERT_EQ(Print(scaled).Status, TPrintStatus::Printed);
    const QImage wide = printer.Pages.at(0).convertToFormat(QImage::Format_Grayscale8);
    const int y = kM + 200;  // through the barcodes of the first row
    auto firstDark = [&](const QImage& img, int from) {
        for (int x = from; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128)
                return x;
        return -1;
    };
    const int col2 = kM + kStepX;
    EXPECT_EQ(firstDark(wide, col2 - 10) - firstDark(plain, col2 - 10), int(std::lround(col2 * 0.02)));
}
