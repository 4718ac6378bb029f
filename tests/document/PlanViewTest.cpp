// The design surface: zoom, the painted label and its layers, the update
// lock and repaint requests, resizing.
#include "document/PlanView.h"
#include "common/DocTestSupport.h"
#include "document/MGraph.h"
#include "document/PlanObjects.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kBack = 0xFFFF00FF;  // outside the label

class PlanView : public ::testing::Test, public TPlanFixture {
protected:
    PlanView() { plan.ApplyMainWindowAppearance(); }
    QImage Paint()
    {
        QImage img(plan.ViewSize(), QImage::Format_RGB32);
        img.fill(kBack);
        QPainter p(&img);
        plan.PaintTo(p);
        return img;
    }
    TLabelObject* AddBox(TPlanLayer* layer, int x1, int y1, int x2, int y2, const char* colour)
    {
        auto* box = new TPlanBox(&plan);
        box->Properties.Lines = QStringList{QString("X1=%1").arg(x1), QString("Y1=%1").arg(y1), QString("X2=%1").arg(x2),
                                            QString("Y2=%1").arg(y2), "PenStyle=5", "BrushStyle=0",
                                            QString("BrushColor=%1").arg(colour),
                                            QString("Layer=%1").arg(plan.Layers().IndexOf(layer))};
        box->LoadProperties();
        return box;
    }
};

// Counts the paint events a widget receives and the area they cover.
// Counts the plan's repaint requests and the area they cover.
struct PaintCounter {
    int count = 0;
    QRegion area;
    void Watch(TLabelPlan& plan)
    {
        QObject::connect(&plan, &TLabelPlan::RepaintRequested, &plan, [this, &plan](const QRect& r) {
            ++count;
            area += r.isEmpty() ? QRect(QPoint(0, 0), plan.ViewSize()) : r;
        });
    }
    void Reset()
    {
        count = 0;
        area = QRegion();
    }
};

}  // namespace

TEST(Zoom, StepsAndLimits)
{
    struct Case {
        QSize size;
        bool canIn, canOut;
        QSize in, out;
    } cases[] = {
        {{1000, 500}, true, true, {1300, 650}, {769, 385}},
        {{1001, 100}, false, true, {1301, 130}, {770, 77}},  // too wide to zoom in, however low
        {{500, 701}, false, true, {650, 911}, {385, 539}},
        {{150, 100}, true, true, {195, 130}, {115, 77}},
        {{149, 500}, true, false, {194, 650}, {115, 385}},
        {{500, 99}, true, false, {650, 129}, {385, 76}},
        {{5, 5}, true, false, {6, 6}, {4, 4}},  // 6.5 rounds to even
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CanZoomIn(c.size), c.canIn) << c.size.width() << "x" << c.size.height();
        EXPECT_EQ(CanZoomOut(c.size), c.canOut) << c.size.width() << "x" << c.size.height();
        EXPECT_EQ(ZoomedIn(c.size), c.in) << c.size.width() << "x" << c.size.height();
        EXPECT_EQ(ZoomedOut(c.size), c.out) << c.size.width() << "x" << c.size.height();
    }
    // Each step rounds: out and in again need not come back (102 -> 78 -> 101).
    EXPECT_EQ(ZoomedIn(ZoomedOut(QSize(102, 106))), QSize(101, 107));
    EXPECT_EQ(ZoomPercentOf(180, 180), 100);
    EXPECT_EQ(ZoomPercentOf(234, 180), 130);
    EXPECT_EQ(ZoomPercentOf(105, 180), 58);  // 0.5833 -> 0.58
    EXPECT_EQ(ZoomPercentOf(500, 0), 100);
}

TEST_F(PlanView, ZoomCommandsOnTheSurface)
{
    ASSERT_EQ(plan.ViewSize(), QSize(180, 130));
    EXPECT_EQ(plan.ZoomPercent(), 100);
    EXPECT_TRUE(plan.ZoomIn());
    EXPECT_EQ(plan.ViewSize(), QSize(234, 169));
    EXPECT_EQ(plan.ZoomPercent(), 130);
    while (plan.CanZoomIn())
        ASSERT_TRUE(plan.ZoomIn());
    EXPECT_FALSE(plan.ZoomIn());
    EXPECT_GT(plan.ViewHeight(), 700);
    EXPECT_LE(plan.ViewWidth(), 1300);
    plan.ActualSize();
    EXPECT_EQ(plan.ViewSize(), QSize(180, 130));
    EXPECT_EQ(plan.ZoomPercent(), 100);
    EXPECT_TRUE(plan.ZoomOut());
    EXPECT_EQ(plan.ViewSize(), QSize(138, 100));
    EXPECT_FALSE(plan.ZoomOut());  // narrower than 150 now
    EXPECT_EQ(plan.ViewSize(), QSize(138, 100));
}

TEST_F(PlanView, ScaleSettersIgnoreNonPositiveValuesAndResizeAlways)
{
    int resizes = 0;
    QObject::connect(&plan, &TLabelPlan::Resized, [&] { ++resizes; });
    plan.SetScaleX(0);
    plan.SetScaleY(-5);
    EXPECT_EQ(plan.ScaleX, 180);
    EXPECT_EQ(plan.ScaleY, 130);
    EXPECT_EQ(resizes, 2);
    plan.SetScaleX(360);  // the surface keeps its pixels: half the zoom across
    EXPECT_EQ(plan.ScaleX, 360);
    EXPECT_EQ(plan.PlanToPixelX(100), 50);
    plan.SetViewSize(400, 300);
    EXPECT_EQ(resizes, 4);
}

TEST_F(PlanView, TheLabelIsARoundedShapeFilledWithItsColour)
{
    // Corner radius 8 points at actual size: a corner ellipse of 8 x 8 pixels.
    plan.Color = clYellow;
    QImage img = Paint();
    const QRgb yellow = qRgb(255, 255, 0);
    EXPECT_EQ(img.pixel(0, 0), kBack);
    EXPECT_EQ(img.pixel(179, 129), kBack);
    EXPECT_EQ(img.pixel(4, 4), yellow);
    EXPECT_EQ(img.pixel(0, 4), yellow);
    EXPECT_EQ(img.pixel(90, 0), yellow);
    EXPECT_EQ(img.pixel(179, 65), yellow);
    EXPECT_FALSE(plan.Shape().contains(QPointF(0.5, 0.5)));
    EXPECT_TRUE(plan.Shape().contains(QPointF(90, 65)));

    // Zoomed: the corner grows with the zoom.
    plan.SetViewSize(540, 390);
    img = Paint();
    EXPECT_EQ(img.pixel(3, 3), kBack);
    EXPECT_EQ(img.pixel(12, 12), yellow);

    // Without a radius: a plain rectangle, no clipping.
    plan.LabCR = 0;
    plan.ActualSize();
    img = Paint();
    EXPECT_EQ(img.pixel(0, 0), yellow);
    EXPECT_EQ(img.pixel(179, 129), yellow);
    EXPECT_TRUE(plan.Shape().contains(QPointF(0.5, 0.5)));

    // A border outlines it in the pen colour.
    plan.BorderStyle = bsSingle;
    plan.Pen.Color = clBlue;
    img = Paint();
    EXPECT_EQ(img.pixel(0, 50), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(179, 50), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(1, 50), yellow);
}

TEST_F(PlanView, LayersPaintInOrderWithTheActiveOneOnTop)
{
    plan.LabCR = 0;
    TPlanLayer* first = plan.Layers().Item(0);
    TPlanLayer* second = plan.Layers().Item(plan.Layers().AddLayer("Second"));
    TPlanLayer* third = plan.Layers().Item(plan.Layers().AddLayer("Third"));
    AddBox(first, 10, 10, 50, 50, "Red");
    AddBox(second, 30, 10, 70, 50, "Lime");
    AddBox(third, 50, 10, 90, 50, "Blue");
    AddBox(first, 85, 10, 95, 50, "Black");  // later in its list: above its layer's red

    plan.SetActiveLayer(third);
    QImage img = Paint();
    EXPECT_EQ(img.pixel(40, 30), qRgb(0, 255, 0));  // second over first
    EXPECT_EQ(img.pixel(60, 30), qRgb(0, 0, 255));  // third over second
    EXPECT_EQ(img.pixel(87, 30), qRgb(0, 0, 255));  // third over first's black

    plan.SetActiveLayer(first);  // first now on top of all
    img = Paint();
    EXPECT_EQ(img.pixel(40, 30), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(87, 30), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(60, 30), qRgb(0, 0, 255));

    second->SetVisible(false);
    third->SetVisible(false);
    img = Paint();
    EXPECT_EQ(img.pixel(60, 30), qRgb(255, 255, 255));  // the label's own white
    plan.SetActiveLayer(second);
    img = Paint();
    EXPECT_EQ(img.pixel(60, 30), qRgb(255, 255, 255));  // a hidden active layer stays hidden
}

TEST_F(PlanView, NothingPaintsWhileTheUpdateLockIsHeld)
{
    AddBox(plan.ActiveLayer(), 10, 10, 50, 50, "Red");
    plan.BeginUpdate();
    plan.BeginUpdate();
    EXPECT_EQ(Paint().pixel(30, 30), kBack);
    plan.EndUpdate();
    EXPECT_EQ(Paint().pixel(30, 30), kBack);
    plan.EndUpdate();
    EXPECT_EQ(Paint().pixel(30, 30), qRgb(255, 0, 0));
    plan.EndUpdate();  // never below zero
    EXPECT_EQ(plan.UpdateCount(), 0);
}

TEST_F(PlanView, RepaintRequestsOnScreen)
{
    TLabelObject* box = AddBox(plan.ActiveLayer(), 10, 10, 50, 50, "Red");
    PaintCounter counter;
    counter.Watch(plan);

    // An object asks for its own area: the box grown by pen width + 3.
    box->SetX2(60);
    EXPECT_GE(counter.count, 1);
    EXPECT_TRUE(counter.area.contains(QRect(QPoint(6, 6), QPoint(64, 54))));
    EXPECT_FALSE(counter.area.contains(QPoint(120, 100)));

    // Nested lock pairs: no painting until the outermost end, then once.
    counter.Reset();
    plan.BeginUpdate();
    plan.BeginUpdate();
    box->SetX2(70);
    box->SetY2(70);
    plan.EndUpdate();
    EXPECT_EQ(counter.count, 0);
    plan.EndUpdate();
    EXPECT_EQ(counter.count, 1);
    EXPECT_TRUE(counter.area.contains(QRect(QPoint(0, 0), plan.ViewSize())));

    // Output lays the plan out at the device's size: no surface is told.
    counter.Reset();
    plan.Printing = true;
    plan.SetViewSize(600, 400);
    box->SetX2(80);
    EXPECT_EQ(counter.count, 0);
}

TEST_F(PlanView, ResizeRescalesPolygonsAndPaintsAtOutputResolution)
{
    plan.ReadPlan(Lines("Object Polygon\nPenStyle=5\nBrushStyle=0\nBrushColor=Red\nPointCount=3\nX1=10\nY1=10\n"
                        "X2=100\nY2=10\nX3=10\nY3=100\nEnd"));
    auto* poly = dynamic_cast<TPlanPolygon*>(plan.ActiveLayer()->Item(0));
    ASSERT_TRUE(poly);
    // The surface sized for 600 dpi, as the print job does.
    plan.Printing = true;
    plan.SetViewSize(1500, Round(130 / 72.0 * 600));
    EXPECT_EQ(poly->PixelPoints().at(1), QPoint(Round(100 * 1500.0 / 180), Round(10 * 1083.0 / 130)));
    poly->Focus();
    const QImage img = Paint();
    EXPECT_EQ(img.size(), QSize(1500, 1083));
    // Printing: no vertex handles beside the first vertex (83, 83).
    EXPECT_EQ(poly->PixelPoints().at(0), QPoint(83, 83));
    EXPECT_EQ(img.pixel(81, 81), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(90, 90), qRgb(255, 0, 0));
}
