// The properties panel and the status bar texts, driven offscreen.
#include "engine/LabelDocument.h"
#include "document/PlanBarcode.h"
#include "document/PictureObject.h"
#include "document/ShapeObjects.h"
#include "document/TextObject.h"
#include "gui/properties/PropertiesPanel.h"
#include "gui/properties/PropertyUnits.h"
#include "gui/properties/StandardDialogs.h"
#include "gui/properties/StatusTexts.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TLabelObject* ReadObject(TLabelDocument& doc, const QString& section)
{
    doc.Plan().ClearPlan();
    doc.Plan().ReadPlan(QStringList{"LabelSize 180,130"} + section.split('\n'));
    return doc.Plan().Layers().Item(0)->Item(0);
}

}  // namespace

TEST(StatusTexts, ZoomLabelSizeAndObjectDescriptions)
{
    TLabelDocument doc;
    doc.Plan().ResizeToLabel();
    EXPECT_EQ(ZoomStatusText(doc.Plan()), QString("  Zoom: 100%"));
    doc.Plan().SetViewSize(234, 169);
    EXPECT_EQ(ZoomStatusText(doc.Plan()), QString("  Zoom: 130%"));
    EXPECT_EQ(LabelSizeStatusText(doc.Plan(), 0), QString(" Label Size Width: 6.35 cm Height: 4.59 cm"));
    EXPECT_EQ(LabelSizeStatusText(doc.Plan(), 1), QString(" Label Size Width: 2.5 in Height: 1.81 in"));

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
    doc.Plan().SetCurrentObject(box);
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
    TLabelObject* restored = doc.Plan().Layers().Item(0)->Item(0);
    doc.Plan().SetCurrentObject(restored);
    EXPECT_EQ(restored->Brush.Style, fillStyle);
    EXPECT_EQ(panel.CBX_FillStyle->currentIndex(), fillStyle);
}

TEST_F(PropertiesPanel, LockedObjectsAndColours)
{
    TLabelObject* text = ReadObject(doc, "Object Text\nX1=0\nY1=0\nX2=100\nY2=20\nEnd");
    doc.Plan().SetCurrentObject(text);
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
    doc.Plan().SetCurrentObject(locked);
    EXPECT_FALSE(panel.PNL_Pro->isEnabled());
}

// Text that is no number is refused by every number box: the box keeps its
// value and says why; a number out of range becomes the nearest one. A
// refusal as the focus leaves a box holds a dialog's OK once.
TEST_F(PropertiesPanel, TextThatIsNoNumberIsRefused)
{
    TLabelObject* box = ReadObject(doc, "Object Rectangle\nX1=0\nY1=0\nX2=100\nY2=50\nEnd");
    box->SetLeftMM(10);
    box->Focus();
    panel.show();
    ASSERT_DOUBLE_EQ(panel.SEDT_Left->value(), 1);
    TIntSpinBox count;
    count.setRange(1, 10000);
    count.setValue(5);
    const struct {
        QAbstractSpinBox* box;
        const char* typed;
        const char* refusal;  // null: taken
    } cases[] = {
        {panel.SEDT_Left, "abc", "'abc' is not a valid floating point value"},
        {panel.SEDT_Left, "", "'' is not a valid floating point value"},
        {panel.SEDT_Left, "1.5.", "'1.5.' is not a valid floating point value"},
        {&count, "12x", "'12x' is not a valid integer value"},
        {&count, "20000", nullptr},
    };
    for (const auto& c : cases) {
        auto* refusal = dynamic_cast<TNumberRefusal*>(c.box);
        const QString before = c.box->text();
        c.box->findChild<QLineEdit*>()->clear();
        QTest::keyClicks(c.box, c.typed);
        QTest::keyClick(c.box, Qt::Key_Return);
        if (c.refusal) {
            EXPECT_EQ(refusal->Refusal(), QString(c.refusal)) << c.typed;
            EXPECT_EQ(c.box->text(), before) << c.typed;
        }
    }
    EXPECT_EQ(count.value(), 10000);
    EXPECT_DOUBLE_EQ(box->LeftMM, 10);
    EXPECT_EQ(doc.UndoStack().count(), 0);

    QApplication::setActiveWindow(&panel);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));
    panel.SEDT_Top->setFocus();
    panel.SEDT_Top->findChild<QLineEdit*>()->clear();
    QTest::keyClicks(panel.SEDT_Top, "zz");
    panel.SEDT_Width->setFocus();  // leaving the box refuses the text
    EXPECT_EQ(panel.SEDT_Top->text(), QString("0"));
    EXPECT_TRUE(TNumberRefusal::TakePendingRefusal(&panel));
    EXPECT_FALSE(TNumberRefusal::TakePendingRefusal(&panel));
}
