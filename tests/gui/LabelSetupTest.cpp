// The label setup page on a page without a printer (A4 at 300 dpi).
#include "engine/LabelDocument.h"
#include "common/DialogSupport.h"
#include "common/TestSupport.h"
#include "engine/printing/PreviewPage.h"
#include "engine/printing/SheetLayout.h"
#include "document/StandInPrinter.h"
#include "gui/properties/LabelSetup.h"
#include "gui/properties/ObjectProperties.h"
#include "gui/properties/PropertyUnits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

class LabelSetup : public ::testing::Test {
protected:
    LabelSetup() : printer(none) { doc.Plan().PntDPI = 300; }
    ~LabelSetup() override { TFM_ObjPro::ExecHook = nullptr; }

    bool Edit(std::function<void(TLabelSetupPage&)> drive, int units = 0, bool ok = true)
    {
        TFM_ObjPro::ExecHook = [&](QDialog& d) {
            auto& form = static_cast<TFM_ObjPro&>(d);
            EXPECT_EQ(form.windowTitle(), QString("Label Setup "));
            drive(*form.LabelSetup());
            if (ok)
                QTest::mouseClick(form.Btn_OK, Qt::LeftButton);
            else
                form.reject();
            return d.result();
        };
        return TLabelSetupPage::EditLabelSetup(doc, units, nullptr);
    }

    TStandInPrinter none;
    TScopedPrinter printer;
    TLabelDocument doc;
    testsupport::ScopedDialogs scoped;
};

}  // namespace

// Text that is no number is refused at the field: Enter keeps the dialog
// open, and OK then applies the size the field kept.
TEST_F(LabelSetup, WidthThatIsNoNumberIsRefusedAtTheField)
{
    EXPECT_TRUE(Edit([](TLabelSetupPage& p) {
        p.RSEdt_Width->findChild<QLineEdit*>()->clear();
        QTest::keyClicks(p.RSEdt_Width, "ten.5x");
        QTest::keyClick(p.RSEdt_Width, Qt::Key_Return);
        EXPECT_DOUBLE_EQ(p.RSEdt_Width->value(), 6.35);
        EXPECT_EQ(p.RSEdt_Width->text(), QString("6.35"));
        EXPECT_EQ(p.RSEdt_Width->Refusal(), QString("'ten.5x' is not a valid floating point value"));
        EXPECT_EQ(qobject_cast<QDialog*>(p.window())->result(), 0);  // Enter did not close it
    }));
    EXPECT_EQ(doc.Plan().ScaleX, 180);
    EXPECT_TRUE(scoped.dialogs.messages.isEmpty());
}

// Without a printer the paper is chosen on the page (Qt's sizes): the sheet
// follows it, the document keeps it, and a size of its own shows as Custom.
TEST_F(LabelSetup, PaperChosenWithoutAPrinter)
{
    EXPECT_TRUE(Edit([](TLabelSetupPage& p) {
        EXPECT_EQ(p.CBX_Paper->currentText(), QString("A4"));
        EXPECT_EQ(p.PageGeometry().Width, 2479);
        const int letter = p.CBX_Paper->findData(1);  // the paper code of Letter
        ASSERT_GE(letter, 0);
        p.CBX_Paper->setCurrentIndex(letter);
        p.CBX_Orientation->setCurrentIndex(1);
        Q_EMIT p.CBX_Orientation->activated(1);
        EXPECT_EQ(p.PageGeometry().Width, 3300);  // 11 x 8.5 inches at 300 dpi
        EXPECT_EQ(p.PageGeometry().Height, 2550);
    }));
    EXPECT_EQ(doc.Plan().PaperSize, 1);
    EXPECT_EQ(QSize(doc.Plan().PaperWidth, doc.Plan().PaperLength), QSize(2159, 2794));
    EXPECT_FALSE(doc.Plan().PaperOrientation);
    EXPECT_EQ(PreviewPaperSize(doc.Plan()), QSize(792, 612));
    Edit([](TLabelSetupPage& p) { EXPECT_EQ(p.CBX_Paper->currentData(), QVariant(1)); }, 0, false);

    doc.Plan().PaperSize = kPaperCustom;
    doc.Plan().PaperWidth = 1000;
    doc.Plan().PaperLength = 1500;
    Edit([](TLabelSetupPage& p) {
        EXPECT_EQ(p.CBX_Paper->currentText(), QString("Custom..."));
        EXPECT_EQ(p.RSEdt_PaperWidth->value(), 10);  // centimetres
        EXPECT_EQ(p.RSEdt_PaperLength->value(), 15);
        EXPECT_EQ(p.PageGeometry().Height, 1179);  // landscape: 100 mm, 283 points
    }, 0, false);
}

// A new label shows its size in centimetres, lays out 3 x 6 on A4, and
// confirming it unchanged gives back the same points, keeping the zoom.
TEST_F(LabelSetup, NewLabelRoundTrip)
{
    doc.Plan().SetViewSize(360, 260);
    const QStringList before = doc.Plan().PlanStrings();
    EXPECT_TRUE(Edit([](TLabelSetupPage& p) {
        EXPECT_EQ(p.GBox_Lab->title(), QString(" Label Setup  ( cm ) "));
        EXPECT_DOUBLE_EQ(p.RSEdt_Width->value(), 6.35);
        EXPECT_DOUBLE_EQ(p.RSEdt_Height->value(), 4.59);
        EXPECT_DOUBLE_EQ(p.RSEdt_CR->value(), 0.28);
        EXPECT_DOUBLE_EQ(p.RSEdt_ML->value(), 0.8);
        EXPECT_TRUE(p.Rdio_ALLItem->isChecked());
        p.SEdt_Col->setValue(1);
        p.CHK_Auto->setChecked(true);
        EXPECT_EQ(p.SEdt_Col->value(), 3);
        EXPECT_EQ(p.SEdt_Row->value(), 6);
        EXPECT_FALSE(p.SEdt_Col->isEnabled());
        p.CHK_Auto->setChecked(false);
    }));
    EXPECT_EQ(doc.Plan().ScaleX, 180);
    EXPECT_EQ(doc.Plan().ScaleY, 130);
    EXPECT_EQ(doc.Plan().LabCR, 8);
    EXPECT_EQ(doc.Plan().ViewSize(), QSize(360, 260));
    EXPECT_EQ(doc.Plan().PlanStrings(), before);
    EXPECT_TRUE(doc.Modified());
    EXPECT_TRUE(scoped.dialogs.messages.isEmpty());
}

TEST_F(LabelSetup, InchesOrderCopiesAndUndo)
{
    doc.Plan().ResizeToLabel();
    EXPECT_TRUE(Edit([](TLabelSetupPage&) {}, 1));
    EXPECT_DOUBLE_EQ(doc.Plan().MarginLeft, 0.8) << "unchanged inch values keep the centimetres";
    EXPECT_TRUE(Edit(
        [](TLabelSetupPage& p) {
            EXPECT_EQ(p.GBox_Mar->title(), QString(" Margins ( in ) "));
            p.RSEdt_Width->setValue(2.5);
            p.RSEdt_Height->setValue(3);
            p.RSEdt_ML->setValue(0.5);
            p.CBX_Start->setCurrentIndex(3);   // BottomRight
            p.CBX_Direct->setCurrentIndex(1);  // Vertical
            p.Rdio_onelab->setChecked(true);
            p.SEdt_LabCopies->setValue(12);
        },
        1));
    EXPECT_EQ(doc.Plan().ScaleX, 180);
    EXPECT_EQ(doc.Plan().ScaleY, 216);
    EXPECT_DOUBLE_EQ(doc.Plan().MarginLeft, 1.27);
    EXPECT_EQ(doc.Plan().OutputOrder, oo2RbLt);
    EXPECT_EQ(doc.Plan().LabelCount, 12);
    EXPECT_EQ(doc.Plan().ViewSize(), QSize(180, 216));

    doc.UndoStack().undo();
    EXPECT_EQ(doc.Plan().ScaleY, 130);
    EXPECT_EQ(doc.Plan().ViewSize(), QSize(180, 130)) << "undo keeps the zoom, not the pixel size";
    EXPECT_EQ(doc.Plan().LabelCount, -1);

    // Cancel changes nothing.
    const QStringList before = doc.Plan().PlanStrings();
    EXPECT_FALSE(Edit([](TLabelSetupPage& p) { p.RSEdt_Width->setValue(9); }, 0, false));
    EXPECT_EQ(doc.Plan().PlanStrings(), before);
}

TEST_F(LabelSetup, CapacityWarningsAndLabelsThatDoNotFit)
{
    Edit(
        [&](TLabelSetupPage& p) {
            // One column above the capacity: the warning, and back to it.
            p.SEdt_Col->setValue(4);
            EXPECT_EQ(p.SEdt_Col->value(), 3);
            p.SEdt_Row->setValue(7);
            EXPECT_EQ(p.SEdt_Row->value(), 6);
            ASSERT_EQ(scoped.dialogs.messages.size(), 2);
            EXPECT_EQ(scoped.dialogs.messages[0].text, QString("Too many columns out of page! "));
            EXPECT_EQ(scoped.dialogs.messages[1].text, QString("Too many rows out of page! "));

            // Wider than the printable width: no column fits, rows still do.
            p.RSEdt_Width->setValue(25);
            TLabelSetupPage::TCapacity c = p.CalcLayoutCapacity();
            EXPECT_EQ(c.Cols, -1);
            EXPECT_EQ(c.Rows, 6);
            p.CHK_Auto->setChecked(true);
            EXPECT_EQ(p.SEdt_Col->value(), 1);

            // A label of no width and no gap has no capacity across: a
            // message, not a division by zero.
            scoped.dialogs.messages.clear();
            p.RSEdt_Width->setValue(0);
            c = p.CalcLayoutCapacity();
            EXPECT_FALSE(c.ColsDefined);
            EXPECT_TRUE(c.RowsDefined);
            ASSERT_FALSE(scoped.dialogs.messages.isEmpty());
            EXPECT_TRUE(scoped.dialogs.messages[0].text.contains("no width"));
        },
        0, true);
    // OK refuses a label of no width.
    EXPECT_EQ(doc.Plan().ScaleX, 180);
}

// The thumbnail: a silver outline per label place, red crop ticks outside
// the margins only when asked for.
TEST_F(LabelSetup, PageThumbnail)
{
    Edit(
        [&](TLabelSetupPage& p) {
            auto redPixels = [&] {
                const QImage& img = p.IMG_Page->Thumbnail();
                int n = 0;
                for (int y = 0; y < img.height(); ++y)
                    for (int x = 0; x < img.width(); ++x)
                        n += img.pixel(x, y) == qRgb(255, 0, 0);
                return n;
            };
            const QImage& img = p.IMG_Page->Thumbnail();
            EXPECT_EQ(img.size(), QSize(155, 219));
            EXPECT_EQ(redPixels(), 0);
            // Label (1, 2) starts at ml + w + hs, mt + 2 (h + vs) = 6 + 47, 7 + 2 * 34.
            // Every place sits where the printed sheet puts its label (within
            // a pixel of the thumbnail's scale).
            const TSheetLayout sheet = SheetLayoutOf(doc.Plan(), 300, QSize(2479, 3508));
            for (int k = 1; k <= sheet.PerPage(); ++k) {
                const QPoint at = sheet.LabelOrigin(k) / 16.0 + QPoint(10, 0);
                bool outline = false;
                for (int dy = -1; dy <= 1; ++dy)
                    outline = outline || img.pixel(at.x(), at.y() + dy) == qRgb(192, 192, 192);
                EXPECT_TRUE(outline) << k;
            }
            p.CHK_CutMark->setChecked(true);
            EXPECT_GT(redPixels(), 0);
            EXPECT_EQ(p.IMG_Page->Thumbnail().pixel(60, 100), qRgb(255, 255, 255));
        },
        0, false);
}

// A label product chosen from the search fills the sheet; the sheet saved as
// the user's template is found again.
TEST_F(LabelSetup, LabelProductsFillTheSheetAndTheUsersOwnAreSaved)
{
    QTemporaryDir system, user;
    QFile file(system.filePath("test-templates.xml"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"(<Glabels-templates>
  <Template brand="Avery" part="5163" size="US-Letter" _description="Shipping Labels">
    <Label-rectangle id="0" width="4in" height="2in" round="0.125in">
      <Layout nx="2" ny="5" x0="0.1625in" y0="0.5in" dx="4.1875in" dy="2in"/>
    </Label-rectangle>
  </Template>
  <Template brand="Herma" part="5055" size="A4" _description="CD">
    <Label-cd id="0" radius="58.5mm" hole="20mm"><Layout nx="1" ny="2" x0="46mm" y0="20mm" dx="0" dy="140mm"/></Label-cd>
  </Template>
</Glabels-templates>)");
    file.close();
    qputenv("TAGMORA_TEMPLATE_DIRS", (system.path() + ':' + user.path()).toUtf8());
    scoped.dialogs.inputAnswers = {"Tavix T-21"};
    EXPECT_TRUE(Edit([](TLabelSetupPage& p) {
        EXPECT_EQ(p.LST_Template->count(), 2);
        QTest::keyClicks(p.Edt_Template, "herma cd");
        ASSERT_EQ(p.LST_Template->count(), 1);
        p.LST_Template->setCurrentRow(0);
        EXPECT_TRUE(p.Lab_TemplateNote->text().contains("CD labels printed in their square")) << p.Lab_TemplateNote->text().toStdString();
        p.Edt_Template->setText("5163");
        ASSERT_EQ(p.LST_Template->count(), 1);
        p.LST_Template->setCurrentRow(0);
        EXPECT_EQ(p.CBX_Paper->currentData().toInt(), 1);  // Letter
        QTest::mouseClick(p.Btn_SaveTemplate, Qt::LeftButton);
        EXPECT_EQ(p.LST_Template->count(), 1);
        EXPECT_TRUE(p.LST_Template->item(0)->text().startsWith("Tavix T-21")) << p.LST_Template->item(0)->text().toStdString();
    }));
    qunsetenv("TAGMORA_TEMPLATE_DIRS");
    const TLabelPlan& plan = doc.Plan();
    EXPECT_EQ(QSize(plan.ScaleX, plan.ScaleY), QSize(288, 144));
    EXPECT_EQ(QSize(plan.LayoutCols, plan.LayoutRows), QSize(2, 5));
    EXPECT_DOUBLE_EQ(plan.MarginLeft, 0.413);
    EXPECT_DOUBLE_EQ(plan.HorizontalSpace, 0.476);
    EXPECT_EQ(plan.PaperSize, 1);
    EXPECT_TRUE(QFile::exists(user.filePath("tavix-t-21.xml")));
    EXPECT_TRUE(scoped.dialogs.messages.isEmpty());
}

// Roll media: 1 x 1, the paper one label and the margins big, kept in step
// with the label; saved as a custom paper and found again when the file is
// opened, with or without a printer.
TEST_F(LabelSetup, RollPaperIsOneLabelAPage)
{
    QTemporaryDir dir;
    TStandInPrinter thermal;
    thermal.AddPrinter(TStandInPrinter::FromPrinterList("Thermal@203")->Info(0));
    for (const bool withPrinter : {false, true}) {
        std::optional<TScopedPrinter> use;
        if (withPrinter)
            use.emplace(thermal);
        doc.NewLabel();
        doc.Plan().PaperSize = 9;  // A4: no size boxes
        EXPECT_TRUE(Edit([](TLabelSetupPage& p) {
            EXPECT_TRUE(p.RSEdt_PaperWidth->isHidden());
            p.RSEdt_Width->setValue(5);
            p.RSEdt_Height->setValue(3);
            for (auto [box, cm] : {std::pair{p.RSEdt_ML, 0.2}, {p.RSEdt_MR, 0.2}, {p.RSEdt_MT, 0.1}, {p.RSEdt_MB, 0.1}})
                box->setValue(cm);
            p.CBX_Paper->setCurrentIndex(p.CBX_Paper->findData(TLabelSetupPage::kPaperRollEntry));
            Q_EMIT p.CBX_Paper->activated(p.CBX_Paper->currentIndex());
            EXPECT_EQ(QSize(p.SEdt_Col->value(), p.SEdt_Row->value()), QSize(1, 1));
            EXPECT_FALSE(p.RSEdt_PaperWidth->isHidden());
            EXPECT_DOUBLE_EQ(p.RSEdt_PaperWidth->value(), 5.41);  // 142 points + 4 mm
        }));
        const QString path = dir.filePath(QStringLiteral("roll.blf"));
        doc.Save(path);
        doc.NewLabel();
        ASSERT_TRUE(doc.Open(path));
        const TLabelPlan& plan = doc.Plan();
        EXPECT_EQ(plan.PaperSize, kPaperCustom) << withPrinter;
        EXPECT_EQ(QSize(plan.PaperWidth, plan.PaperLength), QSize(541, 320)) << withPrinter;
        EXPECT_TRUE(IsRollPaper(plan)) << withPrinter;
        // Opened again it is the roll, and follows a longer label.
        EXPECT_TRUE(Edit([](TLabelSetupPage& p) {
            EXPECT_TRUE(p.RollChosen());
            EXPECT_EQ(p.CBX_Paper->currentData().toInt(), TLabelSetupPage::kPaperRollEntry);
            p.RSEdt_Height->setValue(4);
        }));
        EXPECT_EQ(QSize(plan.PaperWidth, plan.PaperLength), QSize(541, 419)) << withPrinter;  // 113 points + 2 mm
        EXPECT_EQ(QSize(plan.LayoutCols, plan.LayoutRows), QSize(1, 1));
    }
    EXPECT_TRUE(scoped.dialogs.messages.isEmpty());
}
