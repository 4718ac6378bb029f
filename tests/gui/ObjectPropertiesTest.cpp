// The object properties dialog driven through its controls offscreen.
#include "engine/LabelDocument.h"
#include "document/PlanBarcode.h"
#include "common/BarcodeScan.h"
#include "common/DialogSupport.h"
#include "common/TestSupport.h"
#include "document/PictureObject.h"
#include "document/TextObject.h"
#include "gui/properties/ObjectProperties.h"
#include "document/StandInPrinter.h"
#include "gui/properties/StandardDialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "gui/properties/PropertyUnits.h"

#include <gtest/gtest.h>

#include <functional>

using testsupport::ScopedDialogs;

namespace {

class ObjectProperties : public ::testing::Test {
protected:
    // A 300 dpi printer, whatever the machine has installed: reading plan
    // text takes the output resolution from the printer.
    ObjectProperties() { printer.AddPrinter(TStandInPrinter::FromPrinterList("Labels@300")->Info(0)); }
    ~ObjectProperties() override
    {
        TFM_ObjPro::ExecHook = nullptr;
        SetFontChooser({});
    }

    TLabelObject* Read(const QString& section)
    {
        doc.Plan().ClearPlan();
        doc.Plan().ReadPlan(QStringList{"LabelSize 180,130"} + section.split('\n'));
        return doc.Plan().Layers().Item(0)->Item(0);
    }
    // Opens the dialog for the object; drive sets the controls and presses
    // buttons. Returns whether the dialog applied.
    bool Edit(TLabelObject* object, std::function<void(TFM_ObjPro&)> drive, int units = 0)
    {
        TFM_ObjPro::ExecHook = [&](QDialog& d) {
            drive(static_cast<TFM_ObjPro&>(d));
            return d.result();
        };
        return TFM_ObjPro::EditObject(doc, object, units, nullptr);
    }
    static void Ok(TFM_ObjPro& d) { QTest::mouseClick(d.Btn_OK, Qt::LeftButton); }
    // Datasheet columns "Code" and "Name"; row 1 has an empty code.
    void SetRows(const QStringList& codes)
    {
        TAdvStringGrid& g = doc.Data.StrGrid_Data;
        g.SetColCount(3);
        g.SetRowCount(codes.size() + 1);
        g.SetCell(1, 0, u"Name");
        g.SetCell(2, 0, u"Code");
        for (int r = 1; r <= codes.size(); ++r) {
            g.SetCell(1, r, QStringLiteral("Name %1").arg(r));
            g.SetCell(2, r, codes[r - 1]);
        }
        doc.Data.BuildPrintGrid();
    }

    TStandInPrinter printer;
    TScopedPrinter guard{printer};
    TLabelDocument doc;
    ScopedDialogs scoped;
};

}  // namespace

TEST_F(ObjectProperties, BarcodeValuesInBothUnits)
{
    TLabelObject* barcode = Read(
        "Object Barcode\nX1=0\nY1=0\nX2=100\nY2=60\nBarType=3\nBarHeight=177\nModul=2\n"
        "DataValue=AB12\nEnd");
    const struct {
        int units;
        double height;
        const char* unit;
    } cases[] = {{0, 1.499, "(Unit: cm)"}, {1, 0.59, "(Unit: in)"}};
    for (const auto& c : cases) {
        EXPECT_FALSE(Edit(
            barcode,
            [&](TFM_ObjPro& d) {
                EXPECT_EQ(d.windowTitle(), QString("Modify Current Barcode"));
                EXPECT_DOUBLE_EQ(d.SEdt_BarHeight->value(), c.height);
                EXPECT_EQ(d.Lab_UnitBH->text(), QString(c.unit));
                EXPECT_EQ(d.Lab_BarWid->text(), QString("Base element bar width: 0.17 mm"));
                EXPECT_EQ(d.Lab_BWin->text(), QString("0.007 in"));
                EXPECT_EQ(d.Edt_Code->text(), QString("AB12"));
                EXPECT_TRUE(d.SBtn_Code->isHidden());
                d.CBX_BarType->setCurrentIndex(bcCode128Auto);
                EXPECT_FALSE(d.SBtn_Code->isHidden());
                d.reject();
            },
            c.units));
    }
}

// Apply order: the bar height in dots, the angle, and the extent across the
// bars going to the width for 90 degrees (EAN-13 leaves less room for text).
TEST_F(ObjectProperties, BarcodeApplyAndExtent)
{
    auto extentFor = [&](int type, const QString& code) {
        auto* barcode = static_cast<TPlanBarcode*>(
            Read("Object Barcode\nX1=0\nY1=0\nX2=100\nY2=60\nBarType=3\nDataValue=AB12\nEnd"));
        const double height = barcode->HeightMM;
        EXPECT_TRUE(Edit(barcode, [&](TFM_ObjPro& d) {
            d.CBX_BarType->setCurrentIndex(type);
            d.Edt_Code->setText(code);
            d.SEdt_BarHeight->setValue(1.5);
            d.CBX_BarAngle->setCurrentIndex(1);
            d.SEdt_BarModul->setValue(3);
            Ok(d);
        }));
        EXPECT_EQ(barcode->Barcode.Height(), 177);
        EXPECT_EQ(barcode->Barcode.Angle(), 90);
        EXPECT_EQ(barcode->Barcode.Modul(), 3);
        EXPECT_EQ(barcode->Barcode.TextString(), code);
        EXPECT_DOUBLE_EQ(barcode->HeightMM, height);
        EXPECT_GT(barcode->WidthMM, 15);
        EXPECT_LT(barcode->WidthMM, 22);
        return barcode->WidthMM;
    };
    EXPECT_LT(extentFor(bcCodeEAN13, "4006381333931"), extentFor(bcCode39, "AB12"));

    // One undoable step.
    const QStringList after = doc.Plan().PlanStrings();
    ASSERT_TRUE(doc.UndoStack().canUndo());
    doc.UndoStack().undo();
    EXPECT_NE(doc.Plan().PlanStrings(), after);
    doc.UndoStack().redo();
    EXPECT_EQ(doc.Plan().PlanStrings(), after);
}

TEST_F(ObjectProperties, ModulIsShownInDotsOfThePrinter)
{
    // Set for 1200 dpi: 16 dots there are 4 on this 300 dpi printer; OK
    // without a change keeps the exact width, a new value is for 300 dpi.
    auto* barcode = static_cast<TPlanBarcode*>(
        Read("Object Barcode\nBarType=3\nDataValue=AB12\nModul=15\nModulDPI=1200\nEnd"));
    EXPECT_TRUE(Edit(barcode, [](TFM_ObjPro& d) {
        EXPECT_EQ(d.SEdt_BarModul->value(), 4);
        Ok(d);
    }));
    EXPECT_EQ(barcode->Barcode.Modul(), 15);
    EXPECT_EQ(barcode->ModulDpi, 1200);
    EXPECT_TRUE(Edit(barcode, [](TFM_ObjPro& d) {
        d.SEdt_BarModul->setValue(3);
        Ok(d);
    }));
    EXPECT_EQ(barcode->Barcode.Modul(), 3);
    EXPECT_EQ(barcode->ModulDpi, 300);
}

TEST_F(ObjectProperties, OkRefusesInvalidConstantCode)
{
    auto* barcode = static_cast<TPlanBarcode*>(Read("Object Barcode\nBarType=14\nDataValue=4006381333931\nEnd"));
    const QStringList before = doc.Plan().PlanStrings();
    EXPECT_FALSE(Edit(barcode, [](TFM_ObjPro& d) {
        d.Edt_Code->setText(" 12AB ");
        Ok(d);
        EXPECT_FALSE(d.isHidden() && d.result() == QDialog::Accepted);
        d.reject();
    }));
    ASSERT_EQ(scoped.dialogs.messages.size(), 1);
    EXPECT_EQ(scoped.dialogs.messages[0].text,
              QString("Value '12AB' is an invalid code for selected bar code format!"));
    EXPECT_EQ(doc.Plan().PlanStrings(), before);

    // Checked without the blanks, stored as typed.
    EXPECT_TRUE(Edit(barcode, [](TFM_ObjPro& d) {
        d.Edt_Code->setText(" 4006381333931 ");
        Ok(d);
    }));
    EXPECT_EQ(barcode->DataValue, QString(" 4006381333931 "));
}

TEST_F(ObjectProperties, ControlCharacterEscapes)
{
    int caret = 0;
    EXPECT_EQ(TFM_ObjPro::InsertControlChar("12AB", 2, "102", caret), QString("12\\102AB"));
    EXPECT_EQ(caret, 6);
    EXPECT_EQ(TFM_ObjPro::InsertControlChar(" AB", 0, "029", caret), QString("\\029 AB"));

    auto* barcode = static_cast<TPlanBarcode*>(Read("Object Barcode\nBarType=23\nDataValue=12\nEnd"));
    // The function characters insert the escapes the automatic encoders read,
    // and the code set shifts are hidden.
    const struct {
        const char* item;
        const char* code;
    } items[] = {{"FNC1", "12\\193"}, {"FNC2", "12\\194"}, {"FNC3", "12\\195"}, {"FNC4", "12\\196"}};
    for (const auto& item : items) {
        Edit(barcode, [&](TFM_ObjPro& d) {
            QMenu* others = nullptr;
            for (QAction* a : d.PMenu_Code->actions())
                if (a->menu() && a->text() == "Others")
                    others = a->menu();
            ASSERT_NE(others, nullptr);
            QStringList shown;
            for (QAction* a : others->actions()) {
                if (a->isVisible())
                    shown << a->text();
                if (a->text() == item.item) {
                    d.Edt_Code->setCursorPosition(2);
                    a->trigger();
                }
            }
            EXPECT_EQ(shown, QStringList({"FNC1", "FNC2", "FNC3", "FNC4"}));
            EXPECT_EQ(d.Edt_Code->text(), QString(item.code));
            d.reject();
        });
    }

    if (!testsupport::ScanAvailable())
        GTEST_SKIP() << "ZXing not available";
    // FNC1 first marks GS1 data, FNC1 later separates fields, FNC4 shifts
    // the next character into the upper half.
    const struct {
        const char* code;
        QByteArray bytes;
        const char* identifier;
    } symbols[] = {
        {"\\19301234567890128", "01234567890128", "]C1"},
        {"AB\\193CD",
         "AB\x1D"
         "CD",
         "]C0"},
        {"1\\196A", QByteArray("1\xC1"), "]C0"},
    };
    for (const auto& s : symbols) {
        TBarcode b;
        b.SetTyp(bcCode128Auto);
        b.SetModul(2);
        b.SetText(s.code);
        const std::string pattern = b.BuildPattern();
        testsupport::ScanOptions options;
        options.formats = testsupport::sfCode128;
        const testsupport::ScanResult scan =
            testsupport::DecodeImage(testsupport::PaintModulePattern(b, pattern), options);
        ASSERT_TRUE(scan.found) << s.code;
        EXPECT_EQ(scan.bytes, s.bytes) << s.code;
        EXPECT_EQ(scan.symbologyIdentifier, QString(s.identifier)) << s.code;
    }
}

TEST_F(ObjectProperties, DatasheetOriginsAndColumnCheck)
{
    SetRows({"", "12AB", "4006381333931"});
    auto* barcode = static_cast<TPlanBarcode*>(Read("Object Barcode\nBarType=14\nDataValue=4006381333931\nEnd"));

    // No column chosen: refused with a message, the dialog stays open.
    EXPECT_TRUE(Edit(barcode, [&](TFM_ObjPro& d) {
        EXPECT_EQ(d.CBX_BarDataOrigin->count(), 2);
        d.Rdio_CodeFrom->setChecked(true);
        EXPECT_TRUE(d.SBtn_Check->isEnabled());
        Ok(d);
        EXPECT_NE(d.result(), QDialog::Accepted);
        d.CBX_BarDataOrigin->setCurrentIndex(1);  // "Code"
        QTest::mouseClick(d.SBtn_Check, Qt::LeftButton);
        Ok(d);
    }));
    ASSERT_EQ(scoped.dialogs.messages.size(), 2);
    // An empty cell is a missing code, as when printing.
    EXPECT_EQ(scoped.dialogs.messages[1].text, QString("Value '' in line 1 is a invalid code for bar code"));
    EXPECT_EQ(barcode->DataOrigin, doDataColumn);
    EXPECT_EQ(barcode->DataExpression, QString("Code"));
    EXPECT_EQ(barcode->DataValue, QString("1234"));

    SetRows({"4006381333931", "", "BLANK*LABEL"});
    doc.Data.StrGrid_Data.SetCell(2, 2, u"4006381333948");
    doc.Data.BuildPrintGrid();
    scoped.dialogs.messages.clear();
    Edit(barcode, [](TFM_ObjPro& d) {
        EXPECT_EQ(d.CBX_BarDataOrigin->currentText(), QString("Code"));
        QTest::mouseClick(d.SBtn_Check, Qt::LeftButton);
        d.reject();
    });
    ASSERT_EQ(scoped.dialogs.messages.size(), 1);
    EXPECT_EQ(scoped.dialogs.messages[0].text, QString("All codes are passed!"));

    SetRows({""});
    auto* text = static_cast<TPlanText*>(Read("Object Text\nX1=0\nY1=0\nX2=100\nY2=20\nDataValue=abc\nEnd"));
    EXPECT_TRUE(Edit(text, [](TFM_ObjPro& d) {
        d.Rdio_TextFrom->setChecked(true);
        d.CBX_TextDataOrigin->setCurrentIndex(1);
        Ok(d);
    }));
    EXPECT_EQ(text->DataValue, QString("Empty Text"));
    EXPECT_EQ(text->DataOrigin, doDataColumn);
}

TEST_F(ObjectProperties, TextKeepsItsSizeUnlessTheFontChanges)
{
    auto* text = static_cast<TPlanText*>(Read("Object Text\nX1=0\nY1=0\nX2=100\nY2=20\nDataValue=abc\nEnd"));
    EXPECT_TRUE(Edit(text, [](TFM_ObjPro& d) {
        EXPECT_TRUE(d.CBX_TxtAlign->isEnabled() == d.CKBox_Fmt->isChecked());
        d.Edt_Text->setText("a much longer text");
        d.CKBox_Fmt->setChecked(true);
        d.CBX_TxtAlign->setCurrentIndex(0);
        Ok(d);
    }));
    EXPECT_EQ(text->DataValue, QString("a much longer text"));
    EXPECT_EQ(text->X2, 100);
    EXPECT_EQ(text->Y2, 20);
    EXPECT_FALSE(text->AutoFill);
    EXPECT_EQ(text->Alignment, 0);

    SetFontChooser([](QFont& f, QWidget*) {
        f.setPointSize(30);
        return true;
    });
    EXPECT_TRUE(Edit(text, [](TFM_ObjPro& d) {
        QTest::mouseClick(d.Btn_Font, Qt::LeftButton);
        Ok(d);
    }));
    EXPECT_EQ(text->Font.Size, 30);
    EXPECT_GT(text->Y2 - text->Y1, 20);
    EXPECT_GT(text->X2 - text->X1, 100);
}

TEST_F(ObjectProperties, PictureSizeMustBeNumbers)
{
    TLabelObject* picture = Read("Object Picture\nX1=0\nY1=0\nX2=72\nY2=36\nEnd");
    const QStringList before = doc.Plan().PlanStrings();
    EXPECT_TRUE(Edit(
        picture,
        [](TFM_ObjPro& d) {
            EXPECT_TRUE(d.Btn_Font->isHidden());
            EXPECT_EQ(d.Edt_PicWidth->text(), QString("1"));  // 1 inch
            d.Rdio_CusSize->setChecked(true);
            d.Edt_PicWidth->setText("2,5");
            Ok(d);
            EXPECT_NE(d.result(), QDialog::Accepted);
            d.Edt_PicWidth->setText("2.5");
            Ok(d);
        },
        1));
    ASSERT_EQ(scoped.dialogs.messages.size(), 1);
    EXPECT_TRUE(scoped.dialogs.messages[0].text.startsWith("'2,5' is not a valid floating point value"));
    EXPECT_NE(doc.Plan().PlanStrings(), before);
    EXPECT_DOUBLE_EQ(picture->WidthMM, 63.5);
    EXPECT_EQ(picture->Y2 - picture->Y1, 36);

    // A browsed picture sized by ratio: 144 x 72 pixels at 50 % and 200 %.
    QTemporaryDir dir;
    const QString path = dir.filePath("p.png");
    QImage image(144, 72, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(path));
    scoped.dialogs.fileAnswers.push_back(path);
    EXPECT_TRUE(Edit(picture, [](TFM_ObjPro& d) {
        QTest::mouseClick(d.Btn_LoadPic, Qt::LeftButton);
        EXPECT_EQ(d.Edt_PicWidth->text(), QString("5.08"));
        EXPECT_EQ(d.SEdt_SX->value(), 100);
        d.Rdio_RatioSize->setChecked(true);
        d.SEdt_SX->setValue(50);
        d.SEdt_SY->setValue(200);
        Ok(d);
    }));
    EXPECT_EQ(static_cast<TPlanPicture*>(picture)->Picture.NaturalSize(), QSize(144, 72));
    EXPECT_DOUBLE_EQ(picture->WidthMM, 25.4);
    EXPECT_DOUBLE_EQ(picture->HeightMM, 50.8);
}

// The label replaced while the dialog is up (a file opened from within it):
// OK applies to nothing and says so by returning false.
TEST_F(ObjectProperties, ObjectGoneWhileTheDialogIsUpIsLeftAlone)
{
    TLabelObject* text = Read("Object Text\nX1=10\nY1=10\nX2=90\nY2=30\nDataValue=Old\nEnd");
    const QStringList replaced{"LabelSize 180,130", "Object Text", "  X1=5", "  Y1=5", "  X2=50", "  Y2=20",
                               "  DataValue=Other", "End"};
    EXPECT_FALSE(Edit(text, [&](TFM_ObjPro& d) {
        d.Edt_Text->setText(QStringLiteral("New"));
        doc.Plan().ClearPlan();
        doc.Plan().ReadPlan(replaced);
        Ok(d);
    }));
    EXPECT_EQ(static_cast<TPlanText*>(doc.Plan().Layers().Item(0)->Item(0))->DataValue, QStringLiteral("Other"));
    EXPECT_EQ(doc.UndoStack().count(), 0);
}

// The 2D settings apply per symbology; matrix symbols take no bar height and
// library-drawn ones no ratio.
TEST_F(ObjectProperties, SymbolSettingsFollowTheSymbology)
{
    TLabelObject* barcode = Read("Object Barcode\nBarType=3\nDataValue=AB12\nEnd");
    const struct {
        TBarcodeType type;
        bool group, ecc, size, columns, gs1, height, ratio;
        int eccItems, sizeItems, maxColumns;
    } cases[] = {
        {bcQRCode, true, true, true, false, true, false, false, 5, 41, 0},
        {bcDataMatrix, true, false, true, false, true, false, false, 0, 32, 0},
        {bcPDF417, true, true, false, true, false, false, false, 10, 0, 30},
        {bcGS1_128, false, false, false, false, false, true, false, 0, 0, 0},
        {bcCodeEAN13, false, false, false, false, false, true, true, 0, 0, 0},
    };
    Edit(barcode, [&](TFM_ObjPro& d) {
        for (const auto& c : cases) {
            d.CBX_BarType->setCurrentIndex(c.type);
            SCOPED_TRACE(d.CBX_BarType->currentText().toStdString());
            EXPECT_EQ(d.GBox_2D->isVisibleTo(&d), c.group);
            EXPECT_EQ(d.CBX_Ecc->isEnabled(), c.ecc);
            EXPECT_EQ(d.CBX_SymbolSize->isEnabled(), c.size);
            EXPECT_EQ(d.SEdt_Columns->isEnabled(), c.columns);
            EXPECT_EQ(d.CB_Gs1->isEnabled(), c.gs1);
            EXPECT_EQ(d.SEdt_BarHeight->isEnabled(), c.height);
            EXPECT_EQ(d.SEdt_BarRatio->isEnabled(), c.ratio);
            EXPECT_EQ(d.CBX_Ecc->count(), c.eccItems);
            EXPECT_EQ(d.CBX_SymbolSize->count(), c.sizeItems);
            EXPECT_EQ(d.SEdt_Columns->maximum(), c.maxColumns);
        }
        d.reject();
    });
}

TEST_F(ObjectProperties, SymbolSettingsReachTheEncoderAndRoundTrip)
{
    auto* barcode = static_cast<TPlanBarcode*>(Read("Object Barcode\nBarType=25\nDataValue=AB12\nEnd"));
    const QStringList before = doc.Plan().PlanStrings();
    const QString longCode(60, QLatin1Char('A'));
    // Version 2 at level H holds 20 letters: the encoder's reason shows in the
    // preview and OK refuses the code.
    EXPECT_FALSE(Edit(barcode, [&](TFM_ObjPro& d) {
        d.Edt_Code->setText(longCode);
        EXPECT_TRUE(d.Lab_Preview->text().isEmpty());
        d.CBX_Ecc->setCurrentIndex(4);
        d.CBX_SymbolSize->setCurrentIndex(2);
        EXPECT_EQ(d.CBX_SymbolSize->currentText(), QString("Version 2 (25 \u00d7 25)"));
        EXPECT_TRUE(d.Lab_Preview->text().startsWith("The code cannot be printed: "));
        EXPECT_TRUE(d.Lab_Preview->text().contains("too long")) << d.Lab_Preview->text().toStdString();
        Ok(d);
        EXPECT_NE(d.result(), QDialog::Accepted);
        d.reject();
    }));
    ASSERT_EQ(scoped.dialogs.messages.size(), 1);
    EXPECT_EQ(scoped.dialogs.messages[0].text,
              QString("Value '%1' is an invalid code for selected bar code format!").arg(longCode));
    EXPECT_EQ(doc.Plan().PlanStrings(), before);

    // A setting that holds the data goes into the object in one step, the box
    // left to the symbol, and comes back into the dialog.
    const double boxHeight = barcode->HeightMM;
    EXPECT_TRUE(Edit(barcode, [&](TFM_ObjPro& d) {
        d.Edt_Code->setText(longCode);
        d.CBX_Ecc->setCurrentIndex(2);
        d.CBX_SymbolSize->setCurrentIndex(4);
        d.CB_Gs1->setChecked(false);
        d.SEdt_BarHeight->setValue(3);
        Ok(d);
    }));
    EXPECT_EQ(barcode->Barcode.Options(), (TSymbolOptions{2, 4, 0, false}));
    EXPECT_DOUBLE_EQ(barcode->HeightMM, boxHeight);
    EXPECT_EQ(doc.UndoStack().count(), 1);
    Edit(barcode, [](TFM_ObjPro& d) {
        EXPECT_EQ(d.CBX_Ecc->currentText(), QString("M (15 %)"));
        EXPECT_EQ(d.CBX_SymbolSize->currentData().toInt(), 4);
        // Another symbology keeps the values that mean the same there.
        d.CBX_BarType->setCurrentIndex(bcMicroQR);
        EXPECT_EQ(d.CBX_Ecc->currentText(), QString("M"));
        EXPECT_EQ(d.CBX_SymbolSize->currentText(), QString("Automatic"));
        d.CBX_SymbolSize->setCurrentIndex(4);
        EXPECT_EQ(d.CBX_SymbolSize->currentText(), QString("M4 (17 \u00d7 17)"));
        d.CBX_BarType->setCurrentIndex(bcAztec);
        EXPECT_EQ(d.CBX_Ecc->currentText(), QString("Automatic"));
        d.reject();
    });
}
