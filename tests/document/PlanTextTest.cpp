// Reading and writing plan text.
#include "common/DocTestSupport.h"
#include "document/PlanObjects.h"
#include "document/StrF.h"

#include <QElapsedTimer>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

class PlanText : public ::testing::Test, public TPlanFixture {
protected:
    void Read(const char* text) { plan.ReadPlan(Lines(text)); }
    TPlanLayer* Layer0() { return plan.Layers().Item(0); }
    TLabelObject* Object(int i) { return Layer0()->Item(i); }
    QStringList Written()
    {
        QStringList lines;
        plan.WritePlan(lines);
        return lines;
    }
    // The written lines of the first object section.
    QStringList FirstSection()
    {
        const QStringList all = Written();
        const qsizetype start = all.indexOf(QRegularExpression("Object .*"));
        QStringList out;
        for (qsizetype i = start; i >= 0 && i < all.size(); ++i) {
            out << all.at(i);
            if (all.at(i) == QLatin1String("End"))
                break;
        }
        return out;
    }
};

}  // namespace

TEST_F(PlanText, NewLabelWritesEveryHeaderInOrder)
{
    const QStringList expected = {
        "LabelSize 180,130", "SetLineWidth 1", "LabelCornerRadius 8", "LayoutRows 6", "LayoutCols 3",
        "MarginLeft 0.8", "MarginTop 1", "MarginRight 0.8", "MarginBottom 1", "VerticalSpace 0",
        "HorizontalSpace 0", "AutoCalcLayout 0", "CutMark 0", "PageNumber 0", "DataEmbed -1", "DataFilePath ",
        "DataMDBTable ", "OutputPrinterName None", "OutputPrinter -1", "PaperSize 9", "PaperWidth 2100",
        "PaperLength 2970", "PaperOrientation -1", "OutputOrder 0", "OutPutOffset 1", "LabelCount -1",
        "LabelProfit Default,1,0",
    };
    EXPECT_EQ(Written(), expected);
    EXPECT_EQ(plan.ViewWidth(), 180);
    EXPECT_EQ(plan.ViewHeight(), 130);
    EXPECT_EQ(plan.PntDPI, 300);
}

TEST_F(PlanText, EmptyListChangesNothing)
{
    Read("Object Line\nX2=10");
    plan.LabCR = 3;
    plan.ReadPlan(QStringList());
    EXPECT_EQ(Layer0()->Count(), 1);
    EXPECT_EQ(plan.LabCR, 3);
}

TEST_F(PlanText, LabelSize)
{
    Read("LabelSize 300,200");
    EXPECT_EQ(plan.ScaleX, 300);
    EXPECT_EQ(plan.ScaleY, 200);
    EXPECT_EQ(plan.ViewSize(), QSize(300, 200));

    Read("LabelSize 250");  // no comma: nothing
    EXPECT_EQ(plan.ScaleX, 300);

    Read("LabelSize 0,-5");
    EXPECT_EQ(plan.ScaleX, 500);
    EXPECT_EQ(plan.ScaleY, 500);
    EXPECT_EQ(plan.ViewSize(), QSize(500, 500));

    Read("LabelSize 120,abc");  // width only; height and surface stay
    EXPECT_EQ(plan.ScaleX, 120);
    EXPECT_EQ(plan.ScaleY, 500);
    EXPECT_EQ(plan.ViewSize(), QSize(500, 500));

    Read("scale 90,60");  // older keyword, value from position 6
    EXPECT_EQ(plan.ScaleX, 90);
    EXPECT_EQ(plan.ScaleY, 60);
}

TEST_F(PlanText, OlderKeywordsInAnyCaseSetTheSameFields)
{
    Read("labelcr 4.5\nLabCount 7\nrows 9\nCoLs 4\nautocale -1\nprinterzx 0\n"
         "mt 1.25\nMl 0.5\nmR 0.75\nmb 2\nHs 0.3\nvS 0.4");
    EXPECT_EQ(plan.LabCR, 4.5);
    EXPECT_EQ(plan.LabelCount, 7);
    EXPECT_EQ(plan.LayoutRows, 9);
    EXPECT_EQ(plan.LayoutCols, 4);
    EXPECT_TRUE(plan.AutoCalcLayout);
    EXPECT_FALSE(plan.PaperOrientation);
    EXPECT_EQ(plan.MarginTop, 1.25);
    EXPECT_EQ(plan.MarginLeft, 0.5);
    EXPECT_EQ(plan.MarginRight, 0.75);
    EXPECT_EQ(plan.MarginBottom, 2);
    EXPECT_EQ(plan.HorizontalSpace, 0.3);
    EXPECT_EQ(plan.VerticalSpace, 0.4);
    // The current keywords in other letter case too.
    Read("LAYOUTROWS 2\nmargintop 0.1\nlabelcount 3\ncutmark true\npagenumber 1\ndataembed False");
    EXPECT_EQ(plan.LayoutRows, 2);
    EXPECT_EQ(plan.MarginTop, 0.1);
    EXPECT_EQ(plan.LabelCount, 3);
    EXPECT_TRUE(plan.CutMark);
    EXPECT_TRUE(plan.PageNumber);
    EXPECT_FALSE(plan.DataEmbed);
}

TEST_F(PlanText, HeaderValuesAreTrimmedCutAndLenient)
{
    Read("DataFilePath   C:\\data\\list.csv  \nDataMDBTable Orders\nLayoutRows abc\nOutputOrder 9\n"
         "OutPutOffset 3\nOutputPrinterName  Office \nSetLineWidth 0\nSetPenColor red\nSetBrushColor $FF00\n"
         "SetFont Arial,9,IB\nUnknownHeader 5");
    EXPECT_EQ(plan.DataFilePath, QString("C:\\data\\list.csv"));
    EXPECT_EQ(plan.DataMDBTable, QString("Orders"));
    EXPECT_EQ(plan.LayoutRows, 6);  // not a number: unchanged
    EXPECT_EQ(int(plan.OutputOrder), 9);
    EXPECT_EQ(plan.OutputOffset, 3);
    EXPECT_EQ(plan.OutputPrinterName, QString("Office"));
    EXPECT_EQ(plan.Pen.Width, 1);
    EXPECT_EQ(plan.Pen.Color, clRed);
    EXPECT_EQ(plan.Brush.Color, clLime);
    EXPECT_EQ(plan.Font.Name, QString("Arial"));
    EXPECT_EQ(plan.Font.Size, 9);
    EXPECT_EQ(plan.Font.Style, fsItalic | fsBold);
    EXPECT_TRUE(Written().contains("OutputOrder 9"));

    Read("SetFont Courier");  // nothing without a comma
    EXPECT_EQ(plan.Font.Name, QString("Arial"));
    Read("SetFont Courier,11");  // no style letters: style cleared
    EXPECT_EQ(plan.Font.Size, 11);
    EXPECT_EQ(plan.Font.Style, TFontStyles());

    Read(("DataFilePath " + QString(300, 'a') + "bbbb").toUtf8().constData());
    EXPECT_EQ(plan.DataFilePath, QString(255, 'a'));
}

TEST_F(PlanText, CommentsAndBlankLines)
{
    Read("; a comment line\n   \n\t LayoutRows 4 ; rows\nObject Text\n  DataValue=Price; 5 EUR\n"
         "  ; only a comment\n  Angle=90;\nEnd");
    EXPECT_EQ(plan.LayoutRows, 4);
    auto* text = dynamic_cast<TPlanText*>(Object(0));
    ASSERT_TRUE(text);
    EXPECT_EQ(text->DataValue, QString("Price"));
    EXPECT_EQ(text->Angle, 90);
}

TEST_F(PlanText, LayerLines)
{
    Read("LabelProfit Base,1,0\nLabelProfit Top,0,1\nLabelProfit NoComma\nLabelProfit base,1,1\n"
         "LabelProfit Extra,\nObject Line\nLayer=1\nEnd");
    TPlanLayers& layers = plan.Layers();
    ASSERT_EQ(layers.Count(), 3);
    EXPECT_EQ(layers.Item(0)->Name, QString("Base"));
    EXPECT_TRUE(layers.Item(0)->Locked());  // the second "base" line found it
    EXPECT_FALSE(layers.Item(1)->Visible());
    EXPECT_TRUE(layers.Item(1)->Locked());
    EXPECT_TRUE(layers.Item(2)->Visible());
    EXPECT_FALSE(layers.Item(2)->Locked());
    EXPECT_EQ(plan.ActiveLayer(), layers.Item(0));
    EXPECT_EQ(layers.Item(1)->Count(), 1);
    EXPECT_EQ(Written().mid(26, 3),
              (QStringList{"LabelProfit Base,1,1", "LabelProfit Top,0,1", "LabelProfit Extra,1,0"}));
}

TEST_F(PlanText, WithoutLayerLinesOneDefaultLayerHoldsAll)
{
    Read("Object Line\nEnd\nObject Rectangle\nLayer=3\nEnd");
    ASSERT_EQ(plan.Layers().Count(), 1);
    EXPECT_EQ(Layer0()->Name, QString("Default"));
    EXPECT_EQ(Layer0()->Count(), 2);
}

TEST_F(PlanText, PropertyLinesBeforeTheFirstObjectAreIgnored)
{
    Read("X1=5\nObject Line\nY1=3\nEnd");
    EXPECT_EQ(Object(0)->X1, 0);
    EXPECT_EQ(Object(0)->Y1, 3);
    EXPECT_EQ(Object(0)->Properties.IndexOfName(u"X1"), -1);
}

TEST_F(PlanText, KeysBeginningWithEndCloseTheSection)
{
    Read("Object Composite\nObject Line\nEndCap=1\nX1=1\nObject Line\nEnd");
    // "EndCap=1" closed the first line; "X1=1" still belongs to it; the second
    // line is a child of the composite.
    TLabelObject* composite = Object(0);
    ASSERT_EQ(composite->ChildCount(), 2);
    EXPECT_EQ(composite->Child(0)->X1, 1);
    EXPECT_EQ(composite->Child(0)->Properties.IndexOfName(u"EndCap"), -1);
}

TEST_F(PlanText, LinesAfterEndBelongToTheLastObjectStarted)
{
    Read("Object Line\nEnd\nX2=9\nObject Line\nEnd");
    EXPECT_EQ(Object(0)->X2, 9);
}

TEST_F(PlanText, NestedSections)
{
    Read("Object Composite\n X1=1\n Object composite\n  Object LINE\n  End\n  Object Text\n  End\n End\n"
         " Object Ellipse\n End\nEnd\nObject Line\n Object Rectangle\n End\nEnd");
    ASSERT_EQ(Layer0()->Count(), 7);
    TLabelObject* outer = Object(0);
    ASSERT_EQ(outer->ChildCount(), 2);
    EXPECT_EQ(outer->Child(0)->GetTypeName(), QString("Composite"));
    EXPECT_EQ(outer->Child(0)->ChildCount(), 2);
    EXPECT_EQ(outer->Child(1)->GetTypeName(), QString("Ellipse"));
    // A section inside a line is attached to it although a line holds no children.
    TLabelObject* line = Object(5);
    EXPECT_FALSE(line->IsContainer());
    ASSERT_EQ(line->ChildCount(), 1);
    EXPECT_EQ(line->Child(0)->Parent(), line);

    const QStringList written = Written();
    const qsizetype at = written.indexOf("Object Composite");
    EXPECT_EQ(written.at(at + 16), QString("  Object Composite"));
    EXPECT_TRUE(written.contains("    Object Line"));
    EXPECT_TRUE(written.contains("    End"));
    EXPECT_TRUE(written.contains("  Object Rectangle"));
}

TEST_F(PlanText, UnclosedSectionsAndDeepNesting)
{
    QByteArray text;
    for (int i = 0; i < kMaxPlanNesting; ++i)
        text += "Object Composite\n";
    plan.ReadPlan(Lines(text.constData()));
    EXPECT_EQ(Layer0()->Count(), kMaxPlanNesting);
    EXPECT_EQ(Written().size(), 27 + kMaxPlanNesting * 17);  // writes back fully closed

    text += "Object Composite\nX1=1";
    try {
        plan.ReadPlan(Lines(text.constData()));
        FAIL() << "nesting beyond the limit was accepted";
    } catch (const ELabelPlanException& e) {
        EXPECT_TRUE(e.Message().contains("nested")) << e.what();
    }
    EXPECT_EQ(Layer0()->Count(), kMaxPlanNesting);
}

TEST_F(PlanText, UnknownObjectTypeStopsReadingAndKeepsWhatWasRead)
{
    try {
        Read("LayoutRows 2\nObject Line\nX1=5\nObject Circle\nX1=7\nLayoutCols 9");
        FAIL() << "no exception";
    } catch (const ELabelPlanException& e) {
        EXPECT_EQ(e.Message(), QString("Invalid object: Circle"));
    }
    EXPECT_EQ(plan.LayoutRows, 2);
    EXPECT_EQ(plan.LayoutCols, 3);
    ASSERT_EQ(Layer0()->Count(), 1);
    EXPECT_EQ(Object(0)->X1, 5);
}

TEST_F(PlanText, NonIntegerPrinterValueStopsReading)
{
    for (const char* key : {"OutputPrinter", "PaperSize", "PaperWidth", "PaperLength"}) {
        const QByteArray text = QByteArray("Object Text\nDataValue=kept\n") + key + " A4\nObject Line";
        EXPECT_THROW(plan.ReadPlan(Lines(text.constData())), EConvertError) << key;
        ASSERT_EQ(plan.Layers().Count(), 1);
        ASSERT_EQ(Layer0()->Count(), 1) << key;
        EXPECT_EQ(dynamic_cast<TPlanText*>(Object(0))->DataValue, QString("kept"));
    }
}

TEST_F(PlanText, CommonKeysLoadWithTheirDefaults)
{
    Read("LabelProfit A,1,0\nLabelProfit B,1,0\n"
         "Object Rectangle\nPenColor=0000FF\nLayer=5\nEnd\n"
         "Object Rectangle\nPenColor=$0000FF\nLayer=x\nBrushStyle=3\nCursor=-21\nEnd\n"
         "Object Rectangle\nPenColor=RED\nLayer=1\nBrushStyle=solid\nReadOnly=1\nPenWidth=3\nEnd");
    TLabelObject* a = plan.Layers().Item(0)->Item(0);
    TLabelObject* b = plan.Layers().Item(0)->Item(1);
    TLabelObject* c = plan.Layers().Item(1)->Item(0);
    EXPECT_EQ(a->Pen.Color, clWhite);
    EXPECT_EQ(b->Pen.Color, clRed);
    EXPECT_EQ(c->Pen.Color, clRed);
    // A section without "BrushStyle" is clear although a new object is solid;
    // without "Cursor" the cursor is 0.
    EXPECT_EQ(a->Brush.Style, bsClear);
    EXPECT_EQ(b->Brush.Style, bsVertical);
    EXPECT_EQ(c->Brush.Style, bsSolid);  // not a number: as constructed
    EXPECT_EQ(b->Cursor, -21);
    EXPECT_EQ(a->Cursor, 0);
    EXPECT_TRUE(c->ReadOnly);
    EXPECT_EQ(c->PenWidth, 3);
    EXPECT_EQ(c->Pen.Width, 3);
    TPlanText fresh(&plan);
    EXPECT_EQ(fresh.Brush.Style, bsSolid);
}

TEST_F(PlanText, ObjectKeysRoundTripInTheirOrderWithUnknownKeys)
{
    Read("Object rectangle\n  Zeta=last one\n  X1 = 10\n  Name=Box\n  weird key=a = b\n  CornerRadius=-4\n"
         "  ID=3\n  Y2=40\n  x2=30\nEnd");
    const QStringList section = FirstSection();
    const QStringList expected = {
        "Object Rectangle", "  Zeta=last one", "  X1=10", "  Name=Box", "  weird key=a=b", "  CornerRadius=-4",
        "  ID=3", "  Y2=40", "  X2=30", "  Index=0", "  Layer=0", "  PenColor=Black", "  PenStyle=0",
        "  PenMode=4", "  PenWidth=1", "  BrushColor=White", "  BrushStyle=1", "  Cursor=0", "  ReadOnly=0",
        "  Y1=0", "End",
    };
    EXPECT_EQ(section, expected);
    // Written text reads back to the same text.
    const QStringList first = Written();
    plan.ReadPlan(first);
    EXPECT_EQ(Written(), first);
}

TEST_F(PlanText, EmptyValuesAreNotWritten)
{
    Read("Object Text\nName=\nDataValue=\nDataExpression=\nStyle=\nEnd");
    const QStringList section = FirstSection();
    for (const char* key : {"Name", "DataValue", "DataExpression", "DataFormat", "Style"})
        EXPECT_FALSE(section.join('|').contains(QString("  %1=").arg(key))) << key;
}

TEST_F(PlanText, TextObjectKeys)
{
    Read("SetFont Tahoma,9,U\nObject Text\nX1=1\nY1=2\nX2=3\nY2=4\nStyle=BI\nAlignment=center\n"
         "DataValue=Hello\nDataOrigin=1\nDataExpression=Name\nDataFormat=%.2f\nFormatText=-1\nAutoFill=0\n"
         "Angle=450\nFontColor=Navy\nFontCharSet=300\nCaption=old\nEnd");
    auto* t = dynamic_cast<TPlanText*>(Object(0));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->Font.Name, QString("Tahoma"));  // absent: the document's font
    EXPECT_EQ(t->Font.Size, 9);
    EXPECT_EQ(t->Font.Style, fsBold | fsItalic);
    EXPECT_EQ(t->Alignment, 2);  // "center" is no exact match: unchanged
    EXPECT_EQ(t->DataValue, QString("Hello"));
    EXPECT_EQ(t->DataOrigin, 1);
    EXPECT_EQ(t->DataFormat, QString("%.2f"));
    EXPECT_TRUE(t->FormatText);
    EXPECT_FALSE(t->AutoFill);
    EXPECT_EQ(t->Angle, 450);
    EXPECT_EQ(t->Font.Color, clNavy);
    EXPECT_EQ(t->Font.CharSet, 44);  // one byte
    EXPECT_DOUBLE_EQ(t->WidthMM, 0.706);

    const QStringList s = FirstSection();
    const QStringList tail = s.mid(s.indexOf("  FontName=Tahoma"));
    // Keys the section lacked are appended; the others are rewritten in place.
    EXPECT_EQ(tail, (QStringList{"  FontName=Tahoma", "  FontSize=9", "End"}));
    EXPECT_EQ(s.mid(1, 6), (QStringList{"  X1=1", "  Y1=2", "  X2=3", "  Y2=4", "  Style=IB", "  Alignment=Center"}));
    EXPECT_TRUE(s.contains("  FontCharSet=44"));
    EXPECT_TRUE(s.contains("  Caption=old"));
    EXPECT_TRUE(s.contains("  Style=IB"));
    EXPECT_TRUE(s.contains("  FormatText=-1"));
    EXPECT_TRUE(s.contains("  AutoFill=0"));
}

TEST_F(PlanText, BarcodeObjectKeys)
{
    Read("Object Barcode\nBarType=14\nModul=80\nBarRatio=2.5\nAngle=90.5\nCheckSum= -1 \nAutoCenter=1\n"
         "Align=4\nShowText=3\nFontName=\nBarHeight=99\nLeft=5\nTop=6\nEnd\n"
         "Object Barcode\nModul=7\nFontStyle=U\nEnd");
    auto* a = dynamic_cast<TPlanBarcode*>(Object(0));
    auto* b = dynamic_cast<TPlanBarcode*>(Object(1));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->Barcode.Typ(), bcCodeEAN13);
    EXPECT_EQ(a->Barcode.Modul(), 4);  // 80 is out of range: the 300 dpi default stays
    EXPECT_EQ(a->Barcode.Ratio(), 2.5);
    EXPECT_EQ(a->Barcode.Angle(), 90.5);
    EXPECT_TRUE(a->Barcode.Checksum());
    EXPECT_TRUE(a->AutoCenter);
    EXPECT_EQ(a->Font.Name, QString("Verdana"));
    EXPECT_EQ(a->Font.Size, 6);
    EXPECT_EQ(a->Barcode.Height(), 99);
    EXPECT_EQ(b->Barcode.Modul(), 7);
    EXPECT_EQ(b->Barcode.Height(), 177);
    EXPECT_EQ(b->Barcode.Typ(), bcCode39);  // the document's default symbology
    EXPECT_EQ(b->Font.Style, fsUnderline);

    const QStringList s = FirstSection();
    EXPECT_EQ(s.mid(1, 12), (QStringList{"  BarType=14", "  Modul=4", "  BarRatio=2.5", "  Angle=90.5",
                                         "  CheckSum=-1", "  AutoCenter=-1", "  Align=4", "  ShowText=3",
                                         "  FontName=Verdana", "  BarHeight=99", "  Left=5", "  Top=6"}));
    EXPECT_EQ(s.mid(13), (QStringList{"  Index=0", "  Layer=0", "  PenColor=Black", "  PenStyle=0", "  PenMode=4",
                                      "  PenWidth=1", "  BrushColor=White", "  BrushStyle=1", "  Cursor=0",
                                      "  ReadOnly=0", "  X1=0", "  Y1=0", "  X2=0", "  Y2=0", "  FontSize=6",
                                      "  FontCharSet=1", "  ModulDPI=300", "  DataOrigin=0", "End"}));
}

TEST_F(PlanText, BarcodeModulKeepsTheResolutionItIsSetFor)
{
    // On a 600 dpi printer: a Modul without its resolution means dots of the
    // printer the plan opens with, one with it keeps its own.
    printer.AddPrinter(TStandInPrinter::FromPrinterList("Fine@600")->Info(0));
    Read("Object Barcode\nModul=8\nEnd\nObject Barcode\nModul=16\nModulDPI=1200\nEnd\n"
         "Object Barcode\nModul=4\nModulDPI=-3\nEnd");
    ASSERT_EQ(plan.PntDPI, 600);
    const int expected[][3] = {{8, 600, 8}, {16, 1200, 8}, {4, 600, 4}};  // Modul, ModulDPI, dots at 600
    for (int i = 0; i < 3; ++i) {
        auto* b = dynamic_cast<TPlanBarcode*>(Object(i));
        ASSERT_TRUE(b);
        EXPECT_EQ(b->Barcode.Modul(), expected[i][0]) << i;
        EXPECT_EQ(b->ModulDpi, expected[i][1]) << i;
        EXPECT_EQ(b->ModulAt(600), expected[i][2]) << i;
        b->StoreProperties();
        EXPECT_EQ(b->Properties.Value(u"ModulDPI"), QString::number(expected[i][1])) << i;
    }
}

TEST_F(PlanText, PolygonPoints)
{
    Read(
        "Object Polygon\nPointCount=3\nX1=10\nY1=20\nX2=30\nY2=40\nX9=5\nEnd\n"
        "Object Polygon\nPointCount=999999999\nEnd\n"
        "Object Polygon\nPointCount=20\nX1=1\nY1=2\nX2=3\nY2=4\nX20=5\nY20=6\nEnd");
    auto* p = dynamic_cast<TPlanPolygon*>(Object(0));
    ASSERT_TRUE(p);
    ASSERT_EQ(p->PointCount(), 3);
    EXPECT_EQ(p->GetPoint(0), QPoint(10, 20));
    EXPECT_EQ(p->GetPoint(1), QPoint(30, 40));
    EXPECT_EQ(p->GetPoint(2), QPoint(0, 0));
    EXPECT_EQ(p->GetPoint(3), QPoint(-1, -1));
    // Points left out stay (0, 0); only an absurd count is cut.
    EXPECT_EQ(dynamic_cast<TPlanPolygon*>(Object(1))->PointCount(), kMaxPolygonPoints);
    auto* gaps = dynamic_cast<TPlanPolygon*>(Object(2));
    ASSERT_EQ(gaps->PointCount(), 20);
    EXPECT_EQ(gaps->GetPoint(2), QPoint(0, 0));
    EXPECT_EQ(gaps->GetPoint(19), QPoint(5, 6));
    const QStringList s = FirstSection();
    EXPECT_TRUE(s.contains("  X3=0"));
    EXPECT_TRUE(s.contains("  Y3=0"));
    EXPECT_TRUE(s.contains("  X9=5"));
    EXPECT_EQ(s.at(1), QString("  PointCount=3"));
}

TEST_F(PlanText, LargeInputStaysFast)
{
    // Many layers and a polygon with many points: no step may be quadratic.
    QByteArray text;
    for (int i = 0; i < 50000; ++i)
        text += "LabelProfit L" + QByteArray::number(i) + ",1,0\n";
    text += "Object Polygon\nPointCount=50000\n";
    for (int i = 1; i <= 50000; ++i)
        text += "X" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\nY" + QByteArray::number(i) + "=1\n";
    text += "End";
    QElapsedTimer timer;
    timer.start();
    Read(text.constData());
    EXPECT_EQ(plan.Layers().Count(), 50000);
    auto* p = dynamic_cast<TPlanPolygon*>(Object(0));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->GetPoint(49999), QPoint(50000, 1));
    const QStringList written = Written();
    EXPECT_EQ(written.size(), 26 + 50000 + 13 + 100000);
    EXPECT_LT(timer.elapsed(), 10000);

    // Objects beyond the limit end the reading.
    QByteArray many;
    for (int i = 0; i <= kMaxPlanObjects; ++i)
        many += "Object Line\nEnd\n";
    EXPECT_THROW(Read(many.constData()), ELabelPlanException);
    EXPECT_EQ(Layer0()->Count(), kMaxPlanObjects);
}

TEST_F(PlanText, PictureKeepsItsBytesAndType)
{
    // A 1 x 1 pixel bitmap file.
    const QByteArray bmp = QByteArray::fromHex("424D3A0000000000000036000000280000000100000001000000010018000000"
                                               "000004000000130B0000130B00000000000000000000FF000000");
    const QString hex = QString::fromLatin1(bmp.toHex().toUpper());
    Read(QByteArray("Object Picture\nGraphic=" + hex.toLatin1() + "\nType= bitmap \nTransparent=1\nEnd\n" +
                    "Object Picture\nGraphic=" + hex.toLatin1() + "\nEnd\n" +
                    "Object Picture\nGraphic=" + hex.toLatin1() + "\nType=JPEG\nTransparent=1\nEnd\n" +
                    "Object Picture\nGraphic=%logo%\nTransparent=1\nDataValue= /no/such.bmp \nEnd")
             .constData());
    auto* a = dynamic_cast<TPlanPicture*>(Object(0));
    auto* b = dynamic_cast<TPlanPicture*>(Object(1));
    auto* c = dynamic_cast<TPlanPicture*>(Object(2));
    auto* d = dynamic_cast<TPlanPicture*>(Object(3));
    ASSERT_TRUE(a && b && c && d);
    EXPECT_EQ(a->Picture.Kind, TPictureKind::Bitmap);
    EXPECT_EQ(a->Picture.Bytes, bmp);
    EXPECT_TRUE(a->IsTransparent());
    EXPECT_EQ(b->Picture.Kind, TPictureKind::Bitmap);  // no type: bitmap is tried first
    EXPECT_EQ(c->Picture.Kind, TPictureKind::Bitmap);  // a bitmap, whatever the type says
    EXPECT_TRUE(d->Picture.IsEmpty());                 // no such standard picture
    EXPECT_EQ(d->DataValue, QString("/no/such.bmp"));

    const QStringList written = Written();
    EXPECT_TRUE(written.contains("  Graphic=" + hex));
    // The empty picture keeps its "Graphic" and "Transparent" lines; the
    // mislabelled one is written under its own type.
    EXPECT_TRUE(written.contains("  Graphic=%logo%"));
    EXPECT_EQ(written.count("  Type=JPEG"), 0);
    EXPECT_EQ(written.count("  Type=Bitmap"), 3);
}

TEST_F(PlanText, PictureFromStandardPictureOrHost)
{
    TPlanPictureData logo;
    ASSERT_TRUE(logo.LoadFromStream("", QByteArray::fromHex("FFD8FFE000104A464946")));
    QObject::connect(&plan, &TLabelPlan::PictureNeeded, [&](const QString& name, bool* found) {
        if (name != QLatin1String("LOGO"))
            return;
        plan.AddStandardPicture("Logo", logo);
        *found = true;
    });
    // Reading clears the standard pictures only through ClearPlan, so the
    // host's picture stays for the second object.
    Read("Object Picture\nGraphic=%Logo%\nEnd\nObject Picture\nGraphic=%LOGO%\nTransparent=1\nEnd\n"
         "Object Picture\nGraphic=%Other%\nEnd");
    auto* a = dynamic_cast<TPlanPicture*>(Object(0));
    auto* b = dynamic_cast<TPlanPicture*>(Object(1));
    auto* c = dynamic_cast<TPlanPicture*>(Object(2));
    EXPECT_EQ(a->StandardPictureName, QString("LOGO"));
    EXPECT_EQ(a->Picture.Kind, TPictureKind::Jpeg);
    EXPECT_TRUE(b->IsTransparent());
    EXPECT_TRUE(c->Picture.IsEmpty());
    EXPECT_EQ(plan.StandardPictureCount(), 1);
    const QStringList s = FirstSection();
    EXPECT_TRUE(s.contains("  Graphic=%LOGO%"));
    EXPECT_TRUE(s.contains("  Transparent=0"));
    EXPECT_TRUE(s.contains("  Type=JPEG"));

    // A changed standard picture reaches every picture object using it.
    TPlanPictureData other;
    other.LoadFromStream("", QByteArray::fromHex("FFD8FFE1"));
    plan.SetStandardPictureContent(0, other);
    EXPECT_EQ(a->Picture.Bytes, other.Bytes);
    EXPECT_EQ(b->Picture.Bytes, other.Bytes);
    EXPECT_TRUE(c->Picture.IsEmpty());
}

TEST_F(PlanText, ProgressIsReported)
{
    QList<int> seen;
    QObject::connect(&plan, &TLabelPlan::ParseProgressed, [&](int percent) { seen << percent; });
    Read("LayoutRows 1\nLayoutCols 1\nCutMark 0\nObject Line");
    EXPECT_EQ(seen, (QList<int>{25, 50, 75, 100, 100}));
}

TEST_F(PlanText, StreamsSplitLinesAndDecodeText)
{
    plan.LoadPlanFromBytes(QByteArray("LayoutRows 4\rLayoutCols 5\nObject Text\r\nDataValue=M\xFC" "ller\r\nEnd"));
    EXPECT_EQ(plan.LayoutRows, 4);
    EXPECT_EQ(plan.LayoutCols, 5);
    auto* t = dynamic_cast<TPlanText*>(Object(0));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->DataValue, QString::fromUtf8("Müller"));  // not UTF-8: Windows-1252
    EXPECT_EQ(plan.UpdateCount(), 0);

    const QByteArray out = plan.SavePlanToBytes();
    EXPECT_TRUE(out.startsWith("LabelSize 180,130\r\nSetLineWidth 1\r\n"));
    EXPECT_TRUE(out.endsWith("\r\nEnd\r\n"));
    EXPECT_TRUE(out.contains("DataValue=M\xC3\xBCller\r\n"));
    EXPECT_EQ(out.count('\n'), out.count("\r\n"));
    EXPECT_EQ(plan.PlanStrings().size(), out.count("\r\n"));

    // A failed read still releases the update lock.
    EXPECT_THROW(plan.LoadPlanFromBytes("Object Nothing"), ELabelPlanException);
    EXPECT_EQ(plan.UpdateCount(), 0);
    EXPECT_EQ(plan.Layers().Count(), 1);
}

TEST_F(PlanText, LineBreaksInValuesAreWrittenAsSpaces)
{
    auto* t = new TPlanText(&plan);
    t->Properties.Append("Note=x");
    t->LoadProperties();
    t->SetText("two\r\nlines\nhere");
    plan.DataFilePath = "a\nb";
    const QStringList lines = Written();
    EXPECT_TRUE(lines.contains("  DataValue=two lines here"));
    EXPECT_TRUE(lines.contains("DataFilePath a b"));
}
