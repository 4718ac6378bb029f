// Shapes on a canvas: pixel geometry, pens, brushes, pen modes, handles,
// children, and the geometry operations that drawing relies on.
#include "common/DocTestSupport.h"
#include "document/MGraph.h"
#include "document/PlanDraw.h"
#include "document/PlanObjects.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include <gtest/gtest.h>

namespace {


class ShapeDraw : public ::testing::Test, public TPlanFixture {
protected:
    ShapeDraw() { plan.ApplyMainWindowAppearance(); }

    template <class T>
    T* Add(int x1, int y1, int x2, int y2, const QStringList& more = {})
    {
        auto* o = new T(&plan);
        o->Properties.Lines = QStringList{QString("X1=%1").arg(x1), QString("Y1=%1").arg(y1),
                                          QString("X2=%1").arg(x2), QString("Y2=%1").arg(y2)} +
                              more;
        o->LoadProperties();
        return o;
    }
    TPlanPolygon* AddPolygon(const QStringList& lines)
    {
        auto* o = new TPlanPolygon(&plan);
        o->Properties.Lines = lines;
        o->LoadProperties();
        return o;
    }
};

QRgb Rgb(TColor c)
{
    return ColorToQColor(c).rgb();
}

}  // namespace

TEST_F(ShapeDraw, RectangleCoversItsCornersUpToTheSecondExcluded)
{
    // Solid black one-pixel outline, white fill; given bottom-right first.
    auto* box = Add<TPlanBox>(20, 15, 10, 10, {"BrushStyle=0"});
    const QImage img = Draw(box);
    EXPECT_EQ(Ink(img), QRect(QPoint(10, 10), QPoint(19, 14)));
    EXPECT_EQ(img.pixel(10, 12), Rgb(clBlack));
    EXPECT_EQ(img.pixel(19, 12), Rgb(clBlack));
    EXPECT_EQ(img.pixel(15, 10), Rgb(clBlack));
    EXPECT_EQ(img.pixel(15, 14), Rgb(clBlack));
    EXPECT_EQ(img.pixel(15, 12), Rgb(clWhite));
    EXPECT_EQ(box->Pen.Width, 1);

    // Without an outline the fill covers the whole area; a clear brush leaves
    // the inside alone.
    auto* fill = Add<TPlanBox>(30, 10, 40, 20, {"PenStyle=5", "BrushStyle=0", "BrushColor=Red"});
    const QImage f = Draw(fill);
    EXPECT_EQ(Ink(f), QRect(QPoint(30, 10), QPoint(39, 19)));
    EXPECT_EQ(f.pixel(30, 10), Rgb(clRed));
    auto* frame = Add<TPlanBox>(30, 10, 40, 20);  // BrushStyle absent: clear
    EXPECT_EQ(Draw(frame).pixel(35, 15), kBack);
}

TEST_F(ShapeDraw, PenWidthFollowsTheSurfaceScale)
{
    auto* box = Add<TPlanBox>(10, 10, 50, 40, {"PenWidth=2", "BrushStyle=0"});
    plan.SetViewSize(540, 390);  // three pixels per point
    const QImage img = Draw(box);
    EXPECT_EQ(box->Pen.Width, 6);
    // The 6-pixel outline is centred on the area's edge at x = 30.
    EXPECT_EQ(img.pixel(27, 60), Rgb(clBlack));
    EXPECT_EQ(img.pixel(32, 60), Rgb(clBlack));
    EXPECT_EQ(img.pixel(26, 60), kBack);
    EXPECT_EQ(img.pixel(33, 60), Rgb(clWhite));
    EXPECT_EQ(box->GetBounds(), NormalizedRect(box->P1Pixels(), box->P2Pixels()).adjusted(-3, -3, 3, 3));

    // The inside-frame style keeps the whole outline inside the area.
    auto* inside = Add<TPlanBox>(10, 10, 50, 40, {"PenWidth=2", "PenStyle=6", "BrushStyle=0"});
    const QImage i = Draw(inside);
    EXPECT_EQ(Ink(i), QRect(QPoint(30, 30), QPoint(149, 119)));
    EXPECT_EQ(i.pixel(35, 60), Rgb(clBlack));
    EXPECT_EQ(i.pixel(36, 60), Rgb(clWhite));
}

TEST_F(ShapeDraw, LinesRunThroughTheCentresOfTheirEndPixels)
{
    struct Case {
        int penWidth;
        int firstRow, lastRow, firstColumn, lastColumn;
    } cases[] = {
        {1, 20, 20, 10, 50},  // exactly the end pixels
        {3, 19, 21, 9, 51},   // square caps reach half the width beyond
        {2, 19, 20, 9, 50},
    };
    for (const Case& c : cases) {
        auto* line = Add<TPlanLine>(50, 20, 10, 20, {QString("PenWidth=%1").arg(c.penWidth)});
        EXPECT_EQ(Ink(Draw(line)), QRect(QPoint(c.firstColumn, c.firstRow), QPoint(c.lastColumn, c.lastRow)))
            << "pen width " << c.penWidth;
        line->Release();
    }
    // A dotted line leaves gaps; a clear one draws nothing.
    auto* dotted = Add<TPlanLine>(10, 20, 90, 20, {"PenStyle=2"});
    const QImage d = Draw(dotted);
    int gaps = 0;
    for (int x = 10; x <= 90; ++x)
        gaps += d.pixel(x, 20) == kBack;
    EXPECT_GT(gaps, 10);
    EXPECT_TRUE(Ink(Draw(Add<TPlanLine>(10, 20, 90, 20, {"PenStyle=5"}))).isNull());
}

TEST_F(ShapeDraw, RoundedCornersEllipsesAndHighlight)
{
    auto corner = [&](TLabelObject* o) { return Draw(o).pixel(10, 10); };
    EXPECT_EQ(corner(Add<TPlanBox>(10, 10, 60, 50, {"BrushStyle=0"})), Rgb(clBlack));
    EXPECT_EQ(corner(Add<TPlanBox>(10, 10, 60, 50, {"BrushStyle=0", "CornerRadius=12"})), kBack);
    EXPECT_EQ(corner(Add<TPlanBox>(10, 10, 60, 50, {"BrushStyle=0", "CornerRadius=-4"})), Rgb(clBlack));

    auto* ellipse = Add<TPlanCircle>(10, 10, 60, 50, {"BrushStyle=0", "BrushColor=Lime"});
    const QImage e = Draw(ellipse);
    EXPECT_EQ(e.pixel(10, 10), kBack);
    EXPECT_EQ(e.pixel(35, 30), Rgb(clLime));
    EXPECT_EQ(Ink(e), QRect(QPoint(10, 10), QPoint(59, 49)));
    EXPECT_TRUE(ellipse->HitBody(11, 11));  // hit in the whole bounding box

    auto* box = Add<TPlanBox>(10, 10, 60, 50);
    box->SetHighlightColor(clRed);
    EXPECT_EQ(Draw(box).pixel(35, 10), Rgb(clRed));
    box->ClearHighlight();
    EXPECT_EQ(Draw(box).pixel(35, 10), Rgb(clBlack));
}

TEST_F(ShapeDraw, HatchesAndBitmapPatternsScaleWithTheSurface)
{
    // Horizontal hatch: one line every 8 pattern pixels, gaps see through.
    auto* box = Add<TPlanBox>(0, 0, 40, 40, {"PenStyle=5", "BrushStyle=2", "BrushColor=Blue"});
    auto rowsPainted = [&](const QImage& img, int x, int height) {
        QList<int> rows;
        for (int y = 0; y < height; ++y)
            if (img.pixel(x, y) == Rgb(clBlue))
                rows << y;
        return rows;
    };
    const QList<int> rows = rowsPainted(Draw(box), 20, 40);
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows.at(1) - rows.at(0), 8);
    EXPECT_EQ(Draw(box).pixel(20, rows.at(0) + 1), kBack);

    plan.SetViewSize(720, 520);  // four pixels per point: four times coarser
    const QList<int> big = rowsPainted(Draw(box), 80, 160);
    ASSERT_EQ(big.size(), 20);
    EXPECT_EQ(big.at(4) - big.at(0), 32);
    EXPECT_EQ(big.at(3) - big.at(0), 3);  // a line four pixels thick

    // A bitmap pattern replaces the style: a 2 x 1 red and green bitmap.
    QImage pattern(2, 1, QImage::Format_RGB32);
    pattern.setPixel(0, 0, qRgb(255, 0, 0));
    pattern.setPixel(1, 0, qRgb(0, 255, 0));
    QBuffer bmp;
    bmp.open(QIODevice::WriteOnly);
    pattern.save(&bmp, "BMP");
    plan.ActualSize();
    auto* patterned =
        Add<TPlanBox>(0, 0, 10, 10, {"PenStyle=5", "BrushStyle=0", "BrushBitmap=" + BytesToHex(bmp.data())});
    ASSERT_FALSE(patterned->Brush.Bitmap.isEmpty());
    const QImage p = Draw(patterned);
    EXPECT_EQ(p.pixel(4, 3), qRgb(255, 0, 0));
    EXPECT_EQ(p.pixel(5, 3), qRgb(0, 255, 0));
}

TEST_F(ShapeDraw, PenModesOnPixels)
{
    // Filled 10 x 10 squares over a background of kBack.
    struct Case {
        int mode;
        QRgb inside;  // expected pixel in the middle of the fill (brush white)
    } cases[] = {
        {pmCopy, qRgb(255, 255, 255)},
        {pmBlack, qRgb(0, 0, 0)},
        {pmNop, kBack},
        {pmNot, 0xFF000000 | (~kBack & 0xFFFFFF)},
        {pmNotCopy, qRgb(0, 0, 0)},
        {pmXor, 0xFF000000 | (~kBack & 0xFFFFFF)},
        {pmNotXor, kBack},
        {pmMask, kBack},
        {pmMerge, qRgb(255, 255, 255)},
    };
    for (const Case& c : cases) {
        auto* box = Add<TPlanBox>(10, 10, 20, 20, {"BrushStyle=0", QString("PenMode=%1").arg(c.mode)});
        EXPECT_EQ(Draw(box).pixel(15, 15), c.inside) << "mode " << c.mode;
        box->Release();
    }
    // The sixteen operations on colours, spot checks.
    EXPECT_EQ(ApplyRop2(pmXor, 0x0000FF, 0xFFFFFF), 0xFFFF00u);
    EXPECT_EQ(ApplyRop2(pmMergePenNot, 0x000000, 0x00FF00), 0xFF00FFu);
    EXPECT_EQ(ApplyRop2(pmMaskNotPen, 0x0000FF, 0x00FFFF), 0x00FF00u);
    EXPECT_EQ(ApplyRop2(pmNotMerge, 0x0000FF, 0x00FF00), 0xFF0000u);
}

TEST_F(ShapeDraw, PenModesOnVectorDevicesActOnWhitePaper)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&out);
    svg.setSize(QSize(100, 100));
    QPainter p(&svg);
    EXPECT_FALSE(SupportsRasterOps(p));
    struct Case {
        int mode;
        QColor pen, brush;  // after the mode, for a red pen and a blue brush
        bool penShown, brushShown;
    } cases[] = {
        {pmXor, QColor(0, 255, 255), QColor(255, 255, 0), true, true},
        {pmMerge, {}, {}, false, false},  // red | white is white: nothing
        {pmNot, QColor(0, 0, 0), QColor(0, 0, 0), true, true},
        {pmMask, QColor(255, 0, 0), QColor(0, 0, 255), true, true},
        {pmNop, {}, {}, false, false},
    };
    for (const Case& c : cases) {
        QPen pen(QColor(255, 0, 0));
        TPlanBrush brush{clBlue, bsSolid, {}};
        ApplyPenMode(p, c.mode, pen, brush);
        EXPECT_EQ(pen.style() != Qt::NoPen, c.penShown) << c.mode;
        EXPECT_EQ(brush.Style != bsClear, c.brushShown) << c.mode;
        if (c.penShown) {
            EXPECT_EQ(pen.color(), c.pen) << c.mode;
        }
        if (c.brushShown) {
            EXPECT_EQ(ColorToQColor(brush.Color), c.brush) << c.mode;
        }
        EXPECT_EQ(p.compositionMode(), QPainter::CompositionMode_SourceOver);
    }
    p.end();
}

TEST_F(ShapeDraw, CombiningPenModesLookTheSameOnVectorOutput)
{
    // A white box combined by exclusive or over a black one: where they
    // overlap the black turns white, on paper as on the screen.
    plan.ReadPlan(
        Lines("Object Rectangle\nBrushStyle=0\nBrushColor=Black\nX1=10\nY1=10\nX2=30\nY2=30\nEnd\n"
              "Object Rectangle\nPenStyle=5\nBrushStyle=0\nBrushColor=White\nPenMode=14\n"
              "X1=20\nY1=20\nX2=40\nY2=40\nEnd"));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&out);
    svg.setSize(plan.ViewSize());
    svg.setViewBox(QRect(QPoint(0, 0), plan.ViewSize()));
    {
        QPainter p(&svg);
        plan.PaintTo(p);
    }
    QImage fromSvg(plan.ViewSize(), QImage::Format_RGB32);
    fromSvg.fill(Qt::white);
    {
        QPainter p(&fromSvg);
        QSvgRenderer(out.data()).render(&p);
    }
    QImage screen(plan.ViewSize(), QImage::Format_RGB32);
    screen.fill(Qt::white);
    {
        QPainter p(&screen);
        plan.PaintTo(p);
    }
    for (const int at : {15, 25, 35}) {
        const QPoint pixel(plan.PlanToPixelX(at), plan.PlanToPixelY(at));
        EXPECT_EQ(fromSvg.pixel(pixel), screen.pixel(pixel)) << at;
    }
    EXPECT_EQ(screen.pixel(plan.PlanToPixelX(25), plan.PlanToPixelY(25)), qRgb(255, 255, 255));
}

TEST_F(ShapeDraw, NothingDrawsWhileLockedHiddenOrOnAHiddenLayer)
{
    auto* box = Add<TPlanBox>(10, 10, 20, 20, {"BrushStyle=0"});
    ASSERT_FALSE(Ink(Draw(box)).isNull());
    plan.BeginUpdate();
    EXPECT_TRUE(Ink(Draw(box)).isNull());
    plan.EndUpdate();
    box->Layer()->SetVisible(false);
    EXPECT_TRUE(Ink(Draw(box)).isNull());
    box->Layer()->SetVisible(true);
    box->Visible = false;
    EXPECT_TRUE(Ink(Draw(box)).isNull());
}

TEST_F(ShapeDraw, HandlesByKind)
{
    auto* line = Add<TPlanLine>(10, 10, 40, 30);
    line->Focus();
    const QImage l = Draw(line);
    EXPECT_EQ(l.pixel(7, 7), Rgb(clBlack));      // square around the first end
    EXPECT_EQ(l.pixel(42, 32), Rgb(clBlack));    // and the second
    EXPECT_EQ(l.pixel(40, 10), kBack);           // no corner handles
    plan.Printing = true;
    EXPECT_EQ(Draw(line).pixel(7, 7), kBack);
    plan.Printing = false;

    // A polygon shows its vertex handles only while focused, always filled
    // with the current object's colour; a selected one shows none.
    plan.SelectFillColor = clRed;
    auto* poly = AddPolygon({"PointCount=3", "X1=20", "Y1=20", "X2=80", "Y2=20", "X3=50", "Y3=70",
                                    "PenStyle=5", "BrushStyle=1"});
    poly->SetSelected(true);
    EXPECT_EQ(Draw(poly).pixel(80, 20), kBack);
    poly->Focus();
    line->Focus();  // the line is current now; the polygon stays focused
    ASSERT_TRUE(poly->Focused());
    const QImage p = Draw(poly);
    EXPECT_EQ(p.pixel(80, 20), Rgb(clRed));
    EXPECT_EQ(p.pixel(50, 70), Rgb(clRed));

    // A composite draws a dashed frame around its children but no handles.
    plan.ReadPlan(Lines("Object Composite\nPenColor=Green\nX1=100\nY1=10\nX2=170\nY2=60\n"
                        "Object Rectangle\nBrushStyle=0\nBrushColor=Blue\nX1=110\nY1=20\nX2=130\nY2=40\nEnd\nEnd"));
    TLabelObject* group = plan.Layers().Item(0)->Item(plan.Layers().Item(0)->Count() - 2);
    ASSERT_EQ(group->GetTypeName(), QString("Composite"));
    group->Focus();
    const QImage g = Draw(group);
    EXPECT_EQ(g.pixel(120, 30), Rgb(clBlue));
    EXPECT_EQ(g.pixel(100, 10), Rgb(clGreen));
    int gaps = 0;
    for (int x = 100; x < 170; ++x)
        gaps += g.pixel(x, 10) == kBack;
    EXPECT_GT(gaps, 5);
    EXPECT_EQ(g.pixel(170 - 1, 60 + 2), kBack);                // no handle at the composite's corner
    EXPECT_EQ(g.pixel(130 + 2, 40 + 2), Rgb(plan.SelectColor));  // the child's handles
}

TEST_F(ShapeDraw, ChildrenAreClippedToTheirContainerWhenAsked)
{
    plan.ReadPlan(Lines("Object Polygon\nPenStyle=5\nBrushStyle=1\nPointCount=3\nX1=10\nY1=10\nX2=90\nY2=10\n"
                        "X3=10\nY3=90\nObject Rectangle\nPenStyle=5\nBrushStyle=0\nBrushColor=Red\nX1=10\nY1=10\n"
                        "X2=90\nY2=90\nEnd\nEnd"));
    TLabelObject* poly = plan.Layers().Item(0)->Item(0);
    ASSERT_EQ(poly->ChildCount(), 1);
    EXPECT_EQ(Draw(poly).pixel(80, 80), Rgb(clRed));
    plan.SetOptions(plan.Options() | poChildrenClipping);
    const QImage clipped = Draw(poly);
    EXPECT_EQ(clipped.pixel(80, 80), kBack);
    EXPECT_EQ(clipped.pixel(20, 20), Rgb(clRed));
}

TEST_F(ShapeDraw, PolygonFillsAlternatelyAndHitsByWinding)
{
    // A five-pointed star: its centre is outside by the alternate rule.
    auto* star = AddPolygon({"PointCount=5", "X1=50", "Y1=10", "X2=74", "Y2=80", "X3=12", "Y3=36", "X4=88",
                                    "Y4=36", "X5=26", "Y5=80", "PenStyle=5", "BrushStyle=0", "BrushColor=Red"});
    const QImage img = Draw(star);
    EXPECT_EQ(img.pixel(50, 50), kBack);
    EXPECT_EQ(img.pixel(50, 20), Rgb(clRed));
    EXPECT_TRUE(star->HitBody(50, 50));
    EXPECT_TRUE(star->CreateRegion().contains(QPoint(50, 50)));

    // Pixel points follow the surface size.
    plan.SetViewSize(360, 260);
    EXPECT_EQ(star->PixelPoints().at(0), QPoint(100, 20));
    plan.SetViewSize(540, 390);
    EXPECT_TRUE(star->HitBody(150, 40));
    EXPECT_EQ(star->PixelPoints().at(0), QPoint(150, 30));

    // A section that gives fewer points than its count keeps (0, 0).
    auto* short3 = AddPolygon({"PointCount=3", "X1=5", "Y1=6", "X2=7", "Y2=8"});
    EXPECT_EQ(short3->PointCount(), 3);
    EXPECT_EQ(short3->GetPoint(2), QPoint(0, 0));
    EXPECT_EQ(short3->GetPoint(3), QPoint(-1, -1));
}

TEST_F(ShapeDraw, ResizeByEveryHandle)
{
    // Box from (100, 100) to (200, 160); the mouse at (90, 80).
    struct Case {
        int handle;
        QRect expected;  // X1, Y1 as left/top, X2, Y2 as right/bottom
    } cases[] = {
        {1, QRect(QPoint(90, 100), QPoint(200, 160))},  {2, QRect(QPoint(90, 80), QPoint(200, 160))},
        {3, QRect(QPoint(100, 80), QPoint(200, 160))},  {4, QRect(QPoint(100, 80), QPoint(90, 160))},
        {5, QRect(QPoint(100, 100), QPoint(90, 160))},  {6, QRect(QPoint(100, 100), QPoint(90, 80))},
        {7, QRect(QPoint(100, 100), QPoint(200, 80))},  {8, QRect(QPoint(90, 100), QPoint(200, 80))},
        {0, QRect(QPoint(100, 100), QPoint(200, 160))}, {9, QRect(QPoint(100, 100), QPoint(200, 160))},
    };
    plan.SetViewSize(500, 400);
    plan.ScaleX = 500;  // one pixel per point
    plan.ScaleY = 400;
    for (const Case& c : cases) {
        auto* box = Add<TPlanBox>(100, 100, 200, 160);
        plan.GrabbedHandle = c.handle;
        box->ResizeByHandle(QPoint(90, 80));
        EXPECT_EQ(QRect(QPoint(box->X1, box->Y1), QPoint(box->X2, box->Y2)), c.expected) << "handle " << c.handle;
        box->Release();
    }
    auto* fixed = Add<TPlanCircle>(100, 100, 200, 160);
    fixed->Resizable = false;
    plan.GrabbedHandle = 6;
    fixed->ResizeByHandle(QPoint(90, 80));
    EXPECT_EQ(fixed->X2, 200);

    // Lines: 1 and 3 move the first end point, anything else the second.
    for (int h : {1, 3, 5, 7, 0}) {
        auto* line = Add<TPlanLine>(100, 100, 200, 160);
        plan.GrabbedHandle = h;
        line->ResizeByHandle(QPoint(90, 80));
        const bool first = h == 1 || h == 3;
        EXPECT_EQ(QPoint(line->X1, line->Y1), first ? QPoint(90, 80) : QPoint(100, 100)) << h;
        EXPECT_EQ(QPoint(line->X2, line->Y2), first ? QPoint(200, 160) : QPoint(90, 80)) << h;
        line->Release();
    }
    // A polygon moves the vertex its last handle hit grabbed.
    auto* poly = AddPolygon({"PointCount=3", "X1=10", "Y1=10", "X2=50", "Y2=10", "X3=30", "Y3=40"});
    poly->ResizeByHandle(QPoint(5, 5));  // no vertex grabbed yet
    EXPECT_EQ(poly->GetPoint(0), QPoint(10, 10));
    int handle = 0;
    ASSERT_TRUE(poly->HitHandle(52, 8, handle));
    poly->ResizeByHandle(QPoint(60, 20));
    EXPECT_EQ(poly->GetPoint(1), QPoint(60, 20));
}

TEST_F(ShapeDraw, LineHitsAndHandleIds)
{
    // The tolerance is the pen's pixel width: 3 here.
    auto* line = Add<TPlanLine>(0, 0, 10, 0, {"PenWidth=3"});
    Draw(line);
    EXPECT_TRUE(line->HitBody(5, 3));   // detour about 1.66
    EXPECT_TRUE(line->HitBody(5, 4));   // about 2.81
    EXPECT_FALSE(line->HitBody(5, 5));  // about 4.14
    int h = 0;
    auto* back = Add<TPlanLine>(60, 10, 20, 30);  // first end right of the second
    ASSERT_TRUE(back->HitHandle(61, 11, h));
    EXPECT_EQ(h, 3);
    ASSERT_TRUE(back->HitHandle(20, 30, h));
    EXPECT_EQ(h, 7);

    // Text: the top and bottom bands need P1.x <= P2.x.
    auto* text = Add<TPlanText>(60, 10, 20, 40);
    EXPECT_FALSE(text->HitHandle(40, 10, h) && h == 3);
    EXPECT_FALSE(text->HitHandle(40, 40, h) && h == 7);
}

TEST_F(ShapeDraw, PolygonCreationIsCompletedNearTheFirstVertex)
{
    auto* poly = new TPlanPolygon(&plan);
    plan.Layers().Item(0)->Add(poly);
    const QPoint clicks[] = {{10, 10}, {50, 10}, {50, 50}, {10, 50}};
    for (int i = 0; i < 4; ++i) {
        plan.NewObjectClicks = i;
        ASSERT_TRUE(poly->CreationStep(clicks[i].x(), clicks[i].y(), 0));
    }
    plan.NewObjectClicks = 4;
    EXPECT_TRUE(poly->CreationStep(17, 10, 0));  // 7 pixels away: a new vertex
    plan.NewObjectClicks = 5;
    EXPECT_TRUE(poly->CreationStep(14, 14, 2));  // a button-up is always taken
    EXPECT_FALSE(poly->CreationStep(14, 14, 0)); // 5.66 pixels: done
    EXPECT_EQ(poly->PointCount(), 6);
    EXPECT_EQ(poly->GetPoint(4), QPoint(17, 10));
}

TEST_F(ShapeDraw, APolygonOfThousandsOfCrossingEdgesDraws)
{
    // Smoothing such a polygon would take minutes; it is drawn without.
    QStringList lines{"PointCount=3000", "BrushStyle=0", "BrushColor=Red"};
    uint32_t seed = 1;
    for (int i = 1; i <= 3000; ++i) {
        seed = seed * 1103515245u + 12345u;
        lines << QString("X%1=%2").arg(i).arg((seed >> 8) % 180) << QString("Y%1=%2").arg(i).arg((seed >> 16) % 130);
    }
    auto* poly = AddPolygon(lines);
    plan.SetViewSize(750, 542);
    EXPECT_FALSE(Ink(Draw(poly)).isNull());
}
