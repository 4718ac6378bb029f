// Sheet layout arithmetic: totals and pages, page ranges, label placement in
// the eight output orders, device lengths and cut marks.
#include "engine/printing/SheetLayout.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

struct OrderCase {
    int order;
    TLabelCell first, second, fourth, last;  // labels 1, 2, 4 and 18 on a 6 x 3 sheet
};

}  // namespace

TEST(PrintLayout, PlacesLabelsInEveryOutputOrder)
{
    // 6 rows x 3 columns.
    const OrderCase cases[] = {
        {0, {0, 0}, {0, 1}, {1, 0}, {5, 2}},  // ooLtRb
        {1, {5, 0}, {5, 1}, {4, 0}, {0, 2}},  // ooLbRt
        {2, {0, 2}, {0, 1}, {1, 2}, {5, 0}},  // ooRtLb
        {3, {5, 2}, {5, 1}, {4, 2}, {0, 0}},  // ooRbLt
        {4, {0, 0}, {1, 0}, {3, 0}, {5, 2}},  // oo2LtRb
        {5, {5, 0}, {4, 0}, {2, 0}, {0, 2}},  // oo2LbRt
        {6, {0, 2}, {1, 2}, {3, 2}, {5, 0}},  // oo2RtLb
        {7, {5, 2}, {4, 2}, {2, 2}, {0, 0}},  // oo2RbLt
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.order);
        EXPECT_EQ(LabelCell(c.order, 6, 3, 1), c.first);
        EXPECT_EQ(LabelCell(c.order, 6, 3, 2), c.second);
        EXPECT_EQ(LabelCell(c.order, 6, 3, 4), c.fourth);
        EXPECT_EQ(LabelCell(c.order, 6, 3, 18), c.last);
        // The next sheet starts over, and a partial sheet fills the same way.
        EXPECT_EQ(LabelCell(c.order, 6, 3, 19), c.first);
        EXPECT_EQ(LabelCell(c.order, 6, 3, 20), c.second);

        // Every place of a sheet is taken exactly once, whatever the shape.
        for (auto [rows, cols] : {std::pair{6, 3}, std::pair{1, 4}, std::pair{5, 1}, std::pair{2, 7}}) {
            QSet<int> seen;
            for (int k = 1; k <= rows * cols; ++k) {
                const TLabelCell cell = LabelCell(c.order, rows, cols, k);
                ASSERT_TRUE(cell.Row >= 0 && cell.Row < rows && cell.Col >= 0 && cell.Col < cols);
                seen.insert(cell.Row * cols + cell.Col);
            }
            EXPECT_EQ(seen.size(), rows * cols);
        }
    }
}

TEST(PrintLayout, OrdersOutsideTheEightFillLikeLeftTopRightBottom)
{
    for (int order : {8, 9, 200, 255, -1}) {
        for (int k = 1; k <= 20; ++k)
            EXPECT_EQ(LabelCell(order, 6, 3, k), LabelCell(0, 6, 3, k)) << order << " " << k;
    }
    // A layout without places never divides by zero.
    EXPECT_EQ(LabelCell(0, 0, 3, 5), TLabelCell{});
    EXPECT_EQ(LabelCell(7, 6, 0, 5), TLabelCell{});
}

TEST(PrintLayout, CountsLabelsAndPages)
{
    struct Case {
        int labelCount, gridRows, rows, cols;
        int total, pages;
    } cases[] = {
        {-1, 21, 6, 3, 20, 2},  // 20 data rows below the header
        {-1, 19, 6, 3, 18, 1},  // a full sheet is one page, not two
        {-1, 1, 6, 3, 0, 0},    // only the header: no labels, no pages
        {-1, 0, 6, 3, 0, 0},
        {0, 4, 6, 3, 3, 1},     // 0 counts like -1
        {5, 100, 1, 1, 5, 5},   // LabelCount: that many labels, whatever the grid holds
        {1, 1, 2, 2, 1, 1},
        {7, 1, 0, 3, 7, 1},     // no places: one page
        {7, 1, -2, -3, 7, 1},   // both negative is no layout either
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.labelCount << "/" << c.gridRows << "/" << c.rows << "x" << c.cols);
        const TSheetCounts counts = SheetCounts(LabelTotal(c.labelCount, c.gridRows), c.rows, c.cols);
        EXPECT_EQ(counts.Total, c.total);
        EXPECT_EQ(counts.Pages, c.pages);
    }
    // Rows x columns beyond the int range do not overflow.
    const TSheetCounts huge = SheetCounts(10, 100000, 100000);
    EXPECT_EQ(huge.PerPage, int64_t(10000000000));
    EXPECT_EQ(huge.Pages, 1);
}

TEST(PrintLayout, PageRangesSelectLabels)
{
    const TSheetCounts twenty = SheetCounts(20, 6, 3);
    struct Case {
        int from, to;
        int64_t first, last;
    } cases[] = {
        {1, 2, 1, 20},
        {1, 1, 1, 18},
        {2, 2, 19, 20},  // to is the last page: up to the last label
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(ValidPageRange(c.from, c.to, twenty.Pages));
        const TLabelSpan span = LabelsOfPages(c.from, c.to, twenty);
        EXPECT_EQ(span.First, c.first) << c.from << "-" << c.to;
        EXPECT_EQ(span.Last, c.last) << c.from << "-" << c.to;
    }
    const TSheetCounts thirtySix = SheetCounts(36, 6, 3);
    EXPECT_EQ(LabelsOfPages(1, 1, thirtySix).Last, 18);

    for (auto [from, to] : {std::pair{0, 1}, std::pair{1, 3}, std::pair{3, 3}, std::pair{2, 1}, std::pair{-1, 2}})
        EXPECT_FALSE(ValidPageRange(from, to, twenty.Pages)) << from << "-" << to;

    // No labels: "All" (pages 1 to 0) selects nothing; any typed range is an error.
    const TSheetCounts none = SheetCounts(0, 6, 3);
    EXPECT_TRUE(LabelsOfPages(1, none.Pages, none).IsEmpty());
    EXPECT_FALSE(ValidPageRange(1, 1, none.Pages));
    EXPECT_FALSE(ValidPageRange(1, 0, none.Pages));
}

TEST(PrintLayout, DeviceLengthsRoundHalfToEven)
{
    EXPECT_EQ(CentimetresToPixels(1.0, 300), 118);  // 118.11
    EXPECT_EQ(CentimetresToPixels(0.8, 600), 189);  // 188.98
    EXPECT_EQ(CentimetresToPixels(1.27, 1), 0);     // 0.5
    EXPECT_EQ(CentimetresToPixels(1.27, 3), 2);     // 1.5
    EXPECT_EQ(CentimetresToPixels(1.27, 5), 2);     // 2.5
    EXPECT_EQ(PointsToPixels(36, 1), 0);            // 0.5
    EXPECT_EQ(PointsToPixels(108, 1), 2);           // 1.5
    EXPECT_EQ(PointsToPixels(180, 1), 2);           // 2.5
    EXPECT_EQ(PointsToPixels(180, 300), 750);
    EXPECT_EQ(PointsToPixels(130, 203), 367);       // 366.53
}

TEST(PrintLayout, LabelOriginsAndCutMarks)
{
    // Margins 1 cm at 300 dpi (118 pixels), gaps 0.5 cm (59), labels 180 x 130
    // points (750 x 542 pixels), A4 at 300 dpi.
    TSheetLayout s;
    s.Rows = 6;
    s.Cols = 3;
    s.Lw = 750;
    s.Lh = 542;
    s.ML = s.MT = s.MR = s.MB = 118;
    s.HG = s.VG = 59;
    s.PW = 2480;
    s.PH = 3508;
    EXPECT_EQ(s.LabelOrigin(1), QPoint(118, 118));
    EXPECT_EQ(s.LabelOrigin(2), QPoint(118 + 809, 118));
    EXPECT_EQ(s.LabelOrigin(5), QPoint(118 + 809, 118 + 601));
    EXPECT_EQ(s.LabelOrigin(20), QPoint(118 + 809, 118));

    const auto marks = s.CutMarks(s.LabelOrigin(5));
    const int x = 927, y = 719;
    // Top marks cover rows MT - 8 .. MT - 5 (110 to 113), bottom ones
    // PH - MB + 4 .. + 7; left marks columns ML - 7 .. ML - 4, right ones
    // PW - MR + 4 .. + 7.
    EXPECT_EQ(marks[0], QRect(QPoint(x, 110), QPoint(x, 113)));
    EXPECT_EQ(marks[1], QRect(QPoint(x + 750, 110), QPoint(x + 750, 113)));
    EXPECT_EQ(marks[2], QRect(QPoint(x, 3394), QPoint(x, 3397)));
    EXPECT_EQ(marks[3], QRect(QPoint(x + 750, 3394), QPoint(x + 750, 3397)));
    EXPECT_EQ(marks[4], QRect(QPoint(111, y), QPoint(114, y)));
    EXPECT_EQ(marks[5], QRect(QPoint(111, y + 542), QPoint(114, y + 542)));
    EXPECT_EQ(marks[6], QRect(QPoint(2366, y), QPoint(2369, y)));
    EXPECT_EQ(marks[7], QRect(QPoint(2366, y + 542), QPoint(2369, y + 542)));

    // Far-away places stay far away without overflowing.
    s.Cols = 100000;
    s.Lw = 2000000000;
    const QPoint far = s.LabelOrigin(99999);
    EXPECT_GT(far.x(), 1 << 20);
}
