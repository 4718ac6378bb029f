// The properties panel and the status bar texts, driven offscreen.
#include "app/LabelDocument.h"
#include "barcode/PlanBarcode.h"
#include "document/PictureObject.h"
#include "document/ShapeObjects.h"
#include "document/TextObject.h"
#include "properties/PropertiesPanel.h"
#include "properties/PropertyUnits.h"
#include "properties/StandardDialogs.h"
#include "properties/StatusTexts.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TLabelObject* ReadObject(TLabelDocument& doc, const QString& section)
{
    doc.Plan.ClearPlan();
    doc.Plan.ReadPlan(QStringList{"LabelSize 180,130"} + section.split('\n'));
    return doc.Plan.Layers().Item(0)->Item(0);
}

}  // namespace

TEST(StatusTexts, ZoomLabelSizeAndObjectDescriptions)
{
    TLabelDocument doc;
    doc.Plan.ResizeToLabel();
    EXPECT_EQ(ZoomStatusText(doc.Plan), QString("  Zoom: 100%"));
    doc.Plan.SetViewSize(234, 169);
    EXPECT_EQ(ZoomStatusText(doc.Plan), QString("  Zoom: 130%"));
    EXPECT_EQ(LabelSizeStatusText(doc.Plan, 0), QString(" Label Size Width: 6.35 cm Height: 4.59 cm"));
    EXPECT_EQ(LabelSizeStatusText(doc.Plan, 1), QString(" Label Size Width: 2.5 in Height: 1.81 in"));

    const struct {
        const char* section;
        const char* text;  // null: the field stays as it is
    } cases[] = {
        {"Object Rectangle\nEnd", "  Rectangle Object "},
        {"Object Rectangle\nReadOnly=1\nEnd", "  Rectangle Object - Locked"},
        {"Object Composite\nEnd", "  Rectangle Object "},
        {"Object Line\nEnd", "  Line Object "},
        {"Object Ellipse\nEnd", "  Ellipse Object "},
        {"Object Barcode\nBarType=3\nEnd", "  [ Symbology: Code39 ] Barcode Object - Code Origin: Constant Code. "},
        {"Object Barcode\nBarType=14\nDataOrigin=2\nDataExpression=Fun_Date_MDY\nEnd",
         "  [ Symbology: EAN13 ] Barcode Object - Code Origin: Field [ Fun_Date_MDY ]. "},
        {"Object Picture\nEnd", "  Picture Object - Picture Origin: Embedded Picture. "},
        {"Object Text\nEnd", "  Text Object - Text Origin: Constant Text. "},
        {"Object Text\nDataOrigin=1\nDataExpression=Name\nEnd", "  Text Object - Text Origin: Field [ Name ]. "},
        {"Object Text\nDataOrigin=2\nDataExpression=Fun_Time_HM\nEnd", "  Text Object - Text Origin: Function Value. "},
        {"Object Polygon\nPointCount=3\nX1=1\nY1=1\nX2=9\nY2=1\nX3=5\nY3=9\nEnd", nullptr},
    };
    for (const auto& c : cases) {
        TLabelObject* object = ReadObject(doc, c.section);
        ASSERT_NE(object, nullptr) << c.section;
        const std::optional<QString> text = ObjectStatusText(*object);
        if (c.text)
            EXPECT_EQ(text.value_or("(none)"), QString(c.text)) << c.section;
        else
            EXPECT_FALSE(text.has_value()) << c.section;
    }
}

class PropertiesPanel : public ::testing::Test {
protected:
    PropertiesPanel() : panel(doc) {}
    ~PropertiesPanel() override { SetColorChooser({}); }
    TLabelDocument doc;
    TPropertiesPanel panel;
};

// Values shown in both units, and edits converting back: each edit one step.
TEST_F(PropertiesPanel, ShowsAndEditsInBothUnits)
{
    TLabelObject* box = ReadObject(doc, "Object Rectangle\nX1=0\nY1=0\nX2=100\nY2=50\nPenWidth=1\nCornerRadius=8\nEnd");
    box->SetLeftMM(10);
    doc.Plan.SetCurrentObject(box);
    const int steps = doc.UndoStack().count();
    EXPECT_DOUBLE_EQ(panel.SEDT_Left->value(), 1);
    EXPECT_DOUBLE_EQ(panel.SEDT_LineWid->value(), 0.035);
    EXPECT_DOUBLE_EQ(panel.SEDT_CR->value(), 0.282);
    EXPECT_FALSE(panel.SEDT_CR->isHidden());
    EXPECT_TRUE(panel.Lab_More->isHidden());
    panel.SetUnits(1);
    EXPECT_EQ(panel.Lab_PUnits->text(), QString("(Unit: in)"));
    EXPECT_DOUBLE_EQ(panel.SEDT_Left->value(), 0.394);
    EXPECT_EQ(doc.UndoStack().count(), steps) << "filling the panel changed the document";

    panel.SEDT_Width->setValue(2.5);
    EXPECT_DOUBLE_EQ(box->WidthMM, 63.5);
    EXPECT_EQ(doc.UndoStack().count(), steps + 1);
    EXPECT_TRUE(doc.Modified());

    panel.SetUnits(0);
    panel.SEDT_LineWid->setValue(0.04);
    EXPECT_EQ(box->PenWidth, 1);
    panel.SEDT_LineWid->setValue(0.1);
    EXPECT_EQ(box->PenWidth, 2);  // 2.83 points cut to 2
    const int fillStyle = box->Brush.Style;
    panel.CBX_FillStyle->setCurrentIndex(bsCross);
    Q_EMIT panel.CBX_FillStyle->activated(bsCross);
    EXPECT_EQ(box->Brush.Style, bsCross);

    // Undo goes back one edit and the panel follows the restored object.
    doc.UndoStack().undo();
    TLabelObject* restored = doc.Plan.Layers().Item(0)->Item(0);
    doc.Plan.SetCurrentObject(restored);
    EXPECT_EQ(restored->Brush.Style, fillStyle);
    EXPECT_EQ(panel.CBX_FillStyle->currentIndex(), fillStyle);
}

TEST_F(PropertiesPanel, LockedObjectsAndColours)
{
    TLabelObject* text = ReadObject(doc, "Object Text\nX1=0\nY1=0\nX2=100\nY2=20\nEnd");
    doc.Plan.SetCurrentObject(text);
    EXPECT_TRUE(panel.PNL_Pro->isEnabled());
    EXPECT_FALSE(panel.Lab_More->isHidden());
    EXPECT_TRUE(panel.SEDT_CR->isHidden());

    SetColorChooser([](QColor& c, QWidget*) {
        c = Qt::red;
        return true;
    });
    QTest::mouseClick(panel.SHP_Brush, Qt::LeftButton);
    EXPECT_EQ(static_cast<TPlanText*>(text)->Font.Color, clRed);
    EXPECT_EQ(text->Brush.Color, clWhite);

    const double width = panel.SEDT_Width->value();
    TLabelObject* locked = ReadObject(doc, "Object Rectangle\nX1=0\nY1=0\nX2=300\nY2=50\nReadOnly=1\nEnd");
    panel.Fill(locked);
    EXPECT_DOUBLE_EQ(panel.SEDT_Width->value(), width);
    doc.Plan.SetCurrentObject(locked);
    EXPECT_FALSE(panel.PNL_Pro->isEnabled());
}
