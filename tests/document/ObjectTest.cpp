// Label objects: construction, geometry, stacking, duplicates and release.
#include "common/DocTestSupport.h"
#include "document/MGraph.h"
#include "document/PlanObjects.h"

#include <gtest/gtest.h>

namespace {

class Objects : public ::testing::Test, public TPlanFixture {
protected:
    // Reads one plan and answers the first layer's objects.
    void Read(const char* text) { plan.ReadPlan(Lines(text)); }
    TPlanLayer* Layer0() { return plan.Layers().Item(0); }
    TLabelObject* Object(int i) { return Layer0()->Item(i); }
    template <class T>
    T* Add(int x1, int y1, int x2, int y2)
    {
        auto* o = new T(&plan);
        o->Properties.Lines = QStringList{QString("X1=%1").arg(x1), QString("Y1=%1").arg(y1),
                                          QString("X2=%1").arg(x2), QString("Y2=%1").arg(y2), "BrushStyle=0"};
        o->LoadProperties();
        return o;
    }
};

}  // namespace

TEST_F(Objects, NewObjectsTakeTheDocumentTemplates)
{
    plan.Pen.Style = psDash;
    plan.Pen.Width = 3;
    TPlanBox box(&plan);
    EXPECT_EQ(box.Pen.Color, clBlack);
    EXPECT_EQ(box.Pen.Style, psDash);
    EXPECT_EQ(box.Pen.Width, 3);
    EXPECT_EQ(box.PenWidth, 1);
    EXPECT_EQ(box.Brush.Color, clWhite);
    EXPECT_EQ(box.Brush.Style, bsSolid);
    EXPECT_EQ(box.Layer(), plan.ActiveLayer());
    EXPECT_EQ(Layer0()->Count(), 0);  // not yet on its layer

    TPlanText text(&plan);
    EXPECT_EQ(text.Pen.Mode, pmNop);
    EXPECT_EQ(text.Font.Name, plan.Font.Name);
    EXPECT_TRUE(text.AutoFill);
    EXPECT_EQ(text.Alignment, 2);
    TPlanPicture picture(&plan);
    EXPECT_EQ(picture.Brush.Color, clBlack);

    TPlanBarcode at300(&plan);
    EXPECT_EQ(at300.Barcode.Modul(), 4);
    EXPECT_EQ(at300.Barcode.Height(), 177);
    EXPECT_EQ(at300.Barcode.ShowText(), bcoCode);
    EXPECT_EQ(at300.Font.Name, QString("Verdana"));
    EXPECT_EQ(at300.Font.Size, 6);
    plan.PntDPI = 600;
    plan.DefaultBarcodeType = 14;
    TPlanBarcode at600(&plan);
    EXPECT_EQ(at600.Barcode.Modul(), 8);
    EXPECT_EQ(at600.Barcode.Height(), 354);
    EXPECT_EQ(at600.Barcode.Typ(), bcCodeEAN13);
}

TEST_F(Objects, ReversedCornersUseTheOrderedRectangle)
{
    auto* box = Add<TPlanBox>(72, 144, 0, 72);  // first corner is bottom-right
    EXPECT_DOUBLE_EQ(box->LeftMM, 0);
    EXPECT_DOUBLE_EQ(box->TopMM, 25.4);
    EXPECT_DOUBLE_EQ(box->WidthMM, 25.4);
    EXPECT_DOUBLE_EQ(box->HeightMM, 25.4);
    // 100 % zoom: one plan unit is one pixel.
    EXPECT_TRUE(box->HitBody(10, 100));
    EXPECT_FALSE(box->HitBody(80, 100));
    int handle = 0;
    ASSERT_TRUE(box->HitHandle(72, 144, handle));
    EXPECT_EQ(handle, 2);
    ASSERT_TRUE(box->HitHandle(0, 72, handle));
    EXPECT_EQ(handle, 6);
    // The left and right edge bands are empty when P1.y > P2.y.
    EXPECT_FALSE(box->HitHandle(0, 110, handle) && handle == 1);
    EXPECT_FALSE(box->HitHandle(72, 110, handle) && handle == 5);

    box->SetWidthMM(50.8);  // reorders first
    EXPECT_EQ(box->X1, 0);
    EXPECT_EQ(box->Y1, 72);
    EXPECT_EQ(box->X2, 144);
    EXPECT_EQ(box->Y2, 144);
}

TEST_F(Objects, HitTestsOfTheShapes)
{
    auto* line = Add<TPlanLine>(0, 0, 10, 0);
    EXPECT_TRUE(line->HitBody(5, 2));
    EXPECT_FALSE(line->HitBody(5, 3));
    EXPECT_TRUE(line->CreateRegion().isEmpty());
    int handle = 0;
    ASSERT_TRUE(line->HitHandle(1, 1, handle));
    EXPECT_EQ(handle, 1);
    ASSERT_TRUE(line->HitHandle(10, 0, handle));
    EXPECT_EQ(handle, 5);

    auto* ellipse = Add<TPlanCircle>(20, 20, 60, 40);
    EXPECT_TRUE(ellipse->HitBody(21, 21));  // outside the curve, inside the box
    EXPECT_EQ(ellipse->GetBounds(), EdgeRect(17, 17, 63, 43));

    auto* box = Add<TPlanBox>(100, 10, 140, 50);
    struct Case {
        int x, y, handle;
    } cases[] = {{100, 10, 2}, {140, 10, 4}, {140, 50, 6}, {100, 50, 8}, {120, 6, 3},
                 {142, 30, 5}, {120, 53, 7}, {98, 30, 1}, {143, 8, 4}, {97, 15, 3}};
    for (const Case& c : cases) {
        int h = -1;
        EXPECT_TRUE(box->HitHandle(c.x, c.y, h)) << c.x << "," << c.y;
        EXPECT_EQ(h, c.handle) << c.x << "," << c.y;
    }
    int h = 0;
    EXPECT_FALSE(box->HitHandle(120, 30, h));

    // Text: edge bands 3 and 7 reach only between the two x coordinates.
    auto* text = Add<TPlanText>(200, 10, 240, 50);
    EXPECT_TRUE(text->HitHandle(220, 7, h));
    EXPECT_EQ(h, 3);
    EXPECT_FALSE(text->HitHandle(196, 10, h));

    int at = 0;
    EXPECT_EQ(Layer0()->ObjectAt(120, 30, at), box);
    EXPECT_EQ(at, 0);
    EXPECT_EQ(Layer0()->ObjectAt(140, 50, at), box);
    EXPECT_EQ(at, 6);
    Layer0()->SetVisible(false);
    EXPECT_EQ(Layer0()->ObjectAt(120, 30, at), nullptr);
}

TEST_F(Objects, ResizeAndMoveWithoutRoundingDrift)
{
    plan.SetViewSize(500, 361);  // an odd zoom
    auto* box = Add<TPlanBox>(7, 13, 51, 29);
    plan.GrabbedHandle = 4;
    box->ResizeByHandle(QPoint(200, 10));
    EXPECT_EQ(box->X1, 7);
    EXPECT_EQ(box->Y2, 29);
    EXPECT_EQ(box->Y1, Round(130.0 / 361 * 10));
    EXPECT_EQ(box->X2, Round(180.0 / 500 * 200));

    auto* other = Add<TPlanBox>(7, 13, 51, 29);
    other->Focus();
    plan.DownPoint = QPoint(100, 100);
    other->MoveTo(QPoint(110, 100));  // straight to the right
    EXPECT_EQ(other->Y1, 13);
    EXPECT_EQ(other->Y2, 29);
    EXPECT_NE(other->X1, 7);
    EXPECT_EQ(plan.CurrentObject(), other);
}

TEST_F(Objects, ChildrenClipping)
{
    Read("Object Composite\nX1=0\nY1=0\nX2=100\nY2=100\nObject Rectangle\nX1=10\nY1=10\nX2=20\nY2=20\nEnd\nEnd");
    TLabelObject* child = Object(1);
    plan.SetOptions(plan.Options() | poChildrenClipping);
    child->SaveDragOrigin();
    plan.DownPoint = QPoint(0, 0);
    child->MoveTo(QPoint(150, 0));  // both corners outside
    EXPECT_EQ(child->X1, 10);
    child->MoveTo(QPoint(85, 0));  // first corner inside
    EXPECT_EQ(child->X1, 95);
    EXPECT_EQ(child->X2, 105);
}

TEST_F(Objects, MillimetreSetters)
{
    auto* box = Add<TPlanBox>(72, 0, 144, 72);
    EXPECT_DOUBLE_EQ(box->LeftMM, 25.4);
    box->SetLeftMM(50.8);
    EXPECT_EQ(box->X1, 144);
    EXPECT_EQ(box->X2, 216);
    // Larger than the cache but rounding to a position left of X1: cache only.
    box->SetX1(200);
    box->SetLeftMM(60);
    EXPECT_DOUBLE_EQ(box->LeftMM, 60);
    EXPECT_EQ(box->X1, 200);
    box->SetHeightMM(10);
    EXPECT_EQ(box->Y2, Round(10 / 25.4 * 72));
    box->SetTopMM(5);
    EXPECT_EQ(box->Y1, 14);
    EXPECT_EQ(box->Y2, 14 + 28);

    // Setting a pixel point that did not change keeps the plan value.
    plan.SetViewSize(500, 361);
    const int y1 = box->Y1;
    box->SetP1FromPixels(QPoint(box->P1Pixels().x() + 3, box->P1Pixels().y()));
    EXPECT_EQ(box->Y1, y1);
}

TEST_F(Objects, StackingOrder)
{
    auto* a = Add<TPlanLine>(0, 0, 1, 1);
    auto* b = Add<TPlanLine>(0, 0, 1, 1);
    auto* c = Add<TPlanLine>(0, 0, 1, 1);
    a->SendBackward();
    c->BringForward();
    EXPECT_EQ(Layer0()->Objects(), (QList<TLabelObject*>{a, b, c}));
    b->BringForward();
    EXPECT_EQ(Layer0()->Objects(), (QList<TLabelObject*>{a, c, b}));
    b->SendToBottom();
    EXPECT_EQ(Layer0()->Objects(), (QList<TLabelObject*>{b, a, c}));
    b->BringToTop();
    EXPECT_EQ(Layer0()->Objects(), (QList<TLabelObject*>{a, c, b}));
    c->SendBackward();
    EXPECT_EQ(Layer0()->Objects(), (QList<TLabelObject*>{c, a, b}));
    Layer0()->ReleaseAll();
    auto* only = Add<TPlanLine>(0, 0, 1, 1);
    only->SendToBottom();
    only->BringToTop();
    EXPECT_EQ(Layer0()->Count(), 1);
}

TEST_F(Objects, Duplicate)
{
    Read("Object Text\nName=Title\nX1=10\nY1=20\nX2=30\nY2=40\nDataValue=Hi\nFoo=bar\nEnd\n"
         "Object Polygon\nPointCount=2\nX1=1\nY1=2\nX2=3\nY2=4\nEnd\n"
         "Object Composite\nName=Group\nX2=50\nY2=50\nObject Line\nX2=5\nEnd\nObject Ellipse\nEnd\nEnd");
    TLabelObject* copy = Object(0)->Duplicate(nullptr);
    auto* text = dynamic_cast<TPlanText*>(copy);
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->Name.isEmpty());
    EXPECT_EQ(text->Properties.Value(u"ID"), QString("0"));
    EXPECT_EQ(text->Properties.Value(u"Foo"), QString("bar"));
    EXPECT_EQ(QRect(QPoint(text->X1, text->Y1), QPoint(text->X2, text->Y2)), QRect(QPoint(14, 24), QPoint(34, 44)));
    EXPECT_EQ(text->DataValue, QString("Hi"));
    EXPECT_EQ(Layer0()->Item(Layer0()->Count() - 1), copy);

    auto* poly = dynamic_cast<TPlanPolygon*>(Object(1)->Duplicate(nullptr));
    ASSERT_TRUE(poly);
    EXPECT_EQ(poly->GetPoint(0), QPoint(5, 6));
    EXPECT_EQ(poly->GetPoint(1), QPoint(7, 8));

    TLabelObject* group = Object(2)->Duplicate(nullptr);
    EXPECT_EQ(group->GetTypeName(), QString("Composite"));
    ASSERT_EQ(group->ChildCount(), 2);
    EXPECT_EQ(group->Child(0)->X2, 9);
    EXPECT_EQ(group->Child(1)->GetTypeName(), QString("Ellipse"));
    EXPECT_EQ(Layer0()->Count(), 5 + 1 + 1 + 3);
}

TEST_F(Objects, ReleaseUnlinksEverything)
{
    Read("LabelProfit A,1,0\nLabelProfit B,1,0\nObject Composite\nObject Line\nLayer=1\nEnd\n"
         "Object Composite\nObject Text\nEnd\nEnd\nEnd\nObject Line\nEnd");
    TLabelObject* composite = Object(0);
    TLabelObject* inner = composite->Child(1);
    inner->Child(0)->Focus();
    ASSERT_EQ(plan.Layers().Item(1)->Count(), 1);
    composite->Release();
    EXPECT_EQ(Layer0()->Count(), 1);
    EXPECT_EQ(plan.Layers().Item(1)->Count(), 0);
    EXPECT_EQ(plan.CurrentObject(), nullptr);
    EXPECT_EQ(Object(0)->GetTypeName(), QString("Line"));

    plan.ClearPlan();
    EXPECT_EQ(plan.Layers().Count(), 1);
    EXPECT_EQ(Layer0()->Name, QString("Default"));
    EXPECT_EQ(plan.ActiveLayer(), Layer0());
}

TEST_F(Objects, FocusLockAndLayers)
{
    Read("LabelProfit A,1,0\nLabelProfit B,1,0\n"
         "Object Composite\nObject Line\nEnd\nObject Rectangle\nEnd\nEnd\nObject Rectangle\nEnd");
    TLabelObject* composite = Object(0);
    composite->Focus();
    EXPECT_EQ(plan.CurrentObject(), composite->Child(1));
    EXPECT_TRUE(composite->Child(0)->Focused());
    EXPECT_TRUE(composite->Focused());
    composite->Unfocus();
    EXPECT_FALSE(composite->Child(1)->Focused());

    TLabelObject* box = Object(3);
    box->Focus();
    EXPECT_TRUE(box->ShowsHandles());
    plan.Printing = true;
    EXPECT_FALSE(box->ShowsHandles());
    plan.Printing = false;
    Layer0()->SetLocked(true);
    EXPECT_FALSE(box->Focused());
    Layer0()->SetLocked(false);
    box->Focus();
    box->SetReadOnly(true);
    EXPECT_FALSE(box->Focused());

    box->SetLayer(plan.Layers().Item(1));
    EXPECT_EQ(plan.CurrentObject(), nullptr);
    EXPECT_EQ(Layer0()->IndexOf(box), -1);
    EXPECT_EQ(plan.Layers().Item(1)->IndexOf(box), 0);
    EXPECT_EQ(box->Properties.Value(u"Layer"), QString());  // written at the next store
    box->StoreProperties();
    EXPECT_EQ(box->Properties.Value(u"Layer"), QString("1"));
}

TEST_F(Objects, PolygonCreation)
{
    auto* poly = new TPlanPolygon(&plan);
    plan.Layers().Item(0)->Add(poly);
    const QPoint clicks[] = {{10, 10}, {50, 10}, {50, 50}, {11, 11}, {10, 50}};
    for (int i = 0; i < 5; ++i) {
        plan.NewObjectClicks = i;
        // Three points keep accepting clicks anywhere, even next to the first.
        EXPECT_TRUE(poly->CreationStep(clicks[i].x(), clicks[i].y(), 0)) << i;
    }
    plan.NewObjectClicks = 5;
    EXPECT_FALSE(poly->CreationStep(12, 12, 0));  // near the first vertex: done
    EXPECT_TRUE(poly->CreationStep(12, 12, 1));   // a move is always taken
    EXPECT_EQ(poly->PointCount(), 6);
    int handle = 0;
    ASSERT_TRUE(poly->HitHandle(50, 12, handle));
    EXPECT_EQ(handle, 9);
    EXPECT_EQ(poly->SelectedVertex, 1);
    EXPECT_TRUE(poly->HitBody(30, 30));
}

TEST_F(Objects, HandlesAreSixPixelSquaresFilledForTheCurrentObjectOnly)
{
    auto* box = Add<TPlanBox>(10, 10, 40, 30);  // actual size: plan units are pixels
    auto* other = Add<TPlanBox>(60, 10, 90, 30);
    plan.SelectColor = clRed;
    plan.SelectFillColor = clBlue;
    box->Focus();
    other->SetSelected(true);
    ASSERT_EQ(plan.CurrentObject(), box);

    QImage img(120, 60, QImage::Format_RGB32);
    img.fill(Qt::black);
    {
        QPainter p(&img);
        box->DrawRectHandles(p);
        other->DrawRectHandles(p);
    }
    // The handle at (10, 10) covers pixels 7..12 in both directions: red outline, blue fill.
    EXPECT_EQ(img.pixel(7, 7), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(12, 12), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(13, 13), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(6, 6), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(10, 10), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(40, 30), qRgb(0, 0, 255));
    // A selected object that is not current gets white handles.
    EXPECT_EQ(img.pixel(60, 10), qRgb(255, 255, 255));

    // Printing draws none.
    img.fill(Qt::black);
    plan.Printing = true;
    {
        QPainter p(&img);
        box->DrawRectHandles(p);
    }
    EXPECT_EQ(img.pixel(10, 10), qRgb(0, 0, 0));
    plan.Printing = false;
}
