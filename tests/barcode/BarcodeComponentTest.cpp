// The component: properties, change notification, width classes, measuring,
// the build steps every symbology shares, and the validity check.
#include "barcode/Barcode.h"
#include "barcode/bcchksum.h"

#include <gtest/gtest.h>


namespace {

TEST(BarcodeComponent, InitialValues)
{
    TBarcode bc;
    EXPECT_EQ(bc.Text(), "");
    EXPECT_EQ(bc.Typ(), bcCodeEAN13);
    EXPECT_EQ(bc.Modul(), 1);
    EXPECT_EQ(bc.Ratio(), 2.0);
    EXPECT_EQ(bc.Height(), 0);
    EXPECT_EQ(bc.Left(), 0);
    EXPECT_EQ(bc.Top(), 0);
    EXPECT_EQ(bc.Angle(), 0.0);
    EXPECT_FALSE(bc.Checksum());
    EXPECT_EQ(bc.CheckSumMethod(), csmModulo10);
    EXPECT_EQ(bc.ShowText(), bcoNone);
    EXPECT_EQ(bc.ShowTextPosition(), stpTopLeft);
    EXPECT_EQ(bc.Color(), 16777215);
    EXPECT_EQ(bc.ColorBar(), 0);
    EXPECT_FALSE(bc.OnChange());
    EXPECT_EQ(bc.ShowTextFont(), QFont());
}

TEST(BarcodeComponent, SettersNotifyOnlyOnChange)
{
    TBarcode bc;
    int calls = 0;
    bc.SetOnChange([&calls] { ++calls; });
    const struct {
        const char* name;
        std::function<void()> set;
        int expectedCalls;
    } cases[] = {
        {"Text new", [&] { bc.SetText("12"); }, 1},
        {"Text same", [&] { bc.SetText("12"); }, 0},
        {"Typ new", [&] { bc.SetTyp(bcCode39); }, 1},
        {"Typ same", [&] { bc.SetTyp(bcCode39); }, 0},
        {"Ratio", [&] { bc.SetRatio(2.5); bc.SetRatio(2.5); }, 1},
        {"Angle", [&] { bc.SetAngle(90); bc.SetAngle(90); }, 1},
        {"ShowText", [&] { bc.SetShowText(bcoBoth); bc.SetShowText(bcoBoth); }, 1},
        {"Top and Left", [&] { bc.SetTop(3); bc.SetLeft(4); bc.SetTop(3); }, 2},
        {"Checksum", [&] { bc.SetChecksum(true); bc.SetChecksum(true); }, 1},
        {"Height", [&] { bc.SetHeight(50); bc.SetHeight(50); }, 1},
        {"ShowTextPosition", [&] { bc.SetShowTextPosition(stpBottomCenter); bc.SetShowTextPosition(stpBottomCenter); }, 1},
        // Modul notifies on every accepted value and ignores the others silently.
        {"Modul accepted twice", [&] { bc.SetModul(3); bc.SetModul(3); }, 2},
        {"Modul rejected", [&] { bc.SetModul(0); bc.SetModul(50); bc.SetModul(-4); }, 0},
    };
    for (const auto& c : cases) {
        calls = 0;
        c.set();
        EXPECT_EQ(calls, c.expectedCalls) << c.name;
    }
    EXPECT_EQ(bc.Modul(), 3);
    bc.SetModul(49);
    EXPECT_EQ(bc.Modul(), 49);
}

TEST(BarcodeComponent, AssignCopiesEverythingButFontsAndTextPosition)
{
    TBarcode src;
    int calls = 0;
    src.SetOnChange([&calls] { ++calls; });
    src.SetHeight(7);
    src.SetText("ABC");
    src.SetTop(1);
    src.SetLeft(2);
    src.SetModul(5);
    src.SetRatio(2.5);
    src.SetTyp(bcCode93);
    src.SetChecksum(true);
    src.SetShowText(bcoTyp);
    src.SetAngle(180);
    src.SetColor(255);
    src.SetColorBar(65280);
    src.SetCheckSumMethod(csmNone);
    src.SetShowTextPosition(stpBottomRight);
    QFont big;
    big.setPointSize(31);
    src.SetShowTextFont(big);
    calls = 0;

    TBarcode dst;
    dst.Assign(src);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(dst.Height(), 7);
    EXPECT_EQ(dst.Text(), "ABC");
    EXPECT_EQ(dst.Top(), 1);
    EXPECT_EQ(dst.Left(), 2);
    EXPECT_EQ(dst.Modul(), 5);
    EXPECT_EQ(dst.Ratio(), 2.5);
    EXPECT_EQ(dst.Typ(), bcCode93);
    EXPECT_TRUE(dst.Checksum());
    EXPECT_EQ(dst.ShowText(), bcoTyp);
    EXPECT_EQ(dst.Angle(), 180.0);
    EXPECT_EQ(dst.Color(), 255);
    EXPECT_EQ(dst.ColorBar(), 65280);
    EXPECT_EQ(dst.CheckSumMethod(), csmNone);
    EXPECT_EQ(dst.ShowTextPosition(), stpTopLeft);
    EXPECT_NE(dst.ShowTextFont().pointSize(), 31);
    dst.SetHeight(8);
    EXPECT_EQ(calls, 1);  // the handler came along
}

TEST(BarcodeComponent, WidthClasses)
{
    const struct {
        int modul;
        double ratio;
        TBarcodeType type;
        std::array<int, 4> classes;
    } cases[] = {
        {1, 2.0, bcCodeEAN13, {1, 2, 3, 4}},
        {2, 2.0, bcCodeEAN13, {2, 4, 6, 8}},
        {3, 2.5, bcCode39, {3, 8, 12, 16}},   // 7.5 rounds to the even 8
        {1, 2.5, bcCode39, {1, 2, 3, 4}},     // 2.5 rounds to the even 2
        {3, 2.25, bcCode39, {3, 7, 10, 14}},  // 6.75; 7 * 3 / 2 truncates
        {49, 3.0, bcCode39, {49, 147, 220, 294}},
        {49, 100.0, bcCode128B, {49, 4900, 7350, 9800}},
        {2, -1.0, bcCode128B, {2, 0, 0, 0}},
        {2, 1e300, bcCode128B, {2, 1000000, 1500000, 2000000}},
    };
    for (const auto& c : cases) {
        TBarcode bc;
        bc.SetTyp(c.type);
        bc.SetModul(c.modul);
        bc.SetRatio(c.ratio);
        bc.ComputeModuleWidths();
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(bc.ModuleWidth(k), c.classes[size_t(k)]) << c.modul << " x " << c.ratio << " class " << k;
    }
}

TEST(BarcodeComponent, ModuleInfoAndMeasuring)
{
    TBarcode bc;
    bc.SetModul(2);
    bc.ComputeModuleWidths();
    const struct {
        char c;
        int width;
        TModuleKind kind;
    } cases[] = {
        {'0', 2, mkSpace}, {'3', 8, mkSpace}, {'5', 2, mkBar}, {'8', 8, mkBar}, {'A', 2, mkShortBar}, {'D', 8, mkShortBar},
    };
    for (const auto& c : cases) {
        const TModuleInfo info = bc.ModuleInfo(c.c);
        EXPECT_EQ(info.width, c.width) << c.c;
        EXPECT_EQ(info.kind, c.kind) << c.c;
    }
    for (const char bad : {'4', '9', 'E', 'a', ' ', '\0'}) {
        try {
            bc.ModuleInfo(bad);
            ADD_FAILURE() << "no error for " << int(bad);
        } catch (const BarcodeError& e) {
            EXPECT_STREQ(e.what(), "System internal Error");
        }
    }
    int guard = 0;
    for (const char c : std::string("505"))
        guard += bc.ModuleInfo(c).width;
    EXPECT_EQ(guard, 6);
}

TEST(BarcodeComponent, HelpersOfTheComponent)
{
    TBarcode bc;
    bc.SetText("12345");
    EXPECT_EQ(bc.PadDigits(3), "123");
    EXPECT_EQ(bc.PadDigits(5), "12345");
    EXPECT_EQ(bc.PadDigits(8), "00012345");
    EXPECT_EQ(bc.PadDigits(0), "");
    EXPECT_EQ(bc.ApplyCheckSum("590123412345"), "5901234123457");
    bc.SetCheckSumMethod(csmNone);
    EXPECT_EQ(bc.ApplyCheckSum("590123412345"), "590123412345");
    EXPECT_EQ(TBarcode::WidthsToModules("211214"), "605153");
    EXPECT_EQ(TBarcode::WidthsToModules("4444"), "8383");
    bc.SetTyp(bcCodeCodabar);
    EXPECT_EQ(bc.SymbologyName(), QStringLiteral("Codebar"));
    bc.SetTyp(bcEAN128Auto);
    EXPECT_EQ(bc.SymbologyName(), QStringLiteral("bcEAN128Auto"));
}

TEST(BarcodeComponent, CheckDigits)
{
    const struct {
        const char* digits;
        char modulo10;
        char addOn;
        char msi;
    } cases[] = {
        {"590123412345", '7', '9', '7'}, {"03600029145", '2', '6', '4'}, {"1234", '8', '4', '4'},
        {"52495", '7', '1', '9'},         {"34", '5', '9', '9'},          {"", '0', '0', '0'},
        {"0", '0', '0', '0'},             {"9", '3', '7', '1'},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Modulo10CheckDigit(c.digits), c.modulo10) << c.digits;
        EXPECT_EQ(AddOnCheckDigitOf(c.digits), c.addOn) << c.digits;
        EXPECT_EQ(MsiCheckDigit(c.digits), c.msi) << c.digits;
    }
}

TEST(BarcodeComponent, SymbologyTableAndNames)
{
    for (int t = 0; t < kBarcodeTypeCount; ++t)
        EXPECT_EQ(SymbologyTable[size_t(t)].type, t);
    const struct {
        const char* text;
        int type;  // -1: no match
    } cases[] = {
        {"14", bcCodeEAN13},           {"0", bcCode_2_5_interleaved}, {"24", bcEAN128Auto},
        {"bcCodeEAN13", bcCodeEAN13},  {"BCCODEEAN13", bcCodeEAN13},  {"ean13", bcCodeEAN13},
        {"Codebar", bcCodeCodabar},    {"code39 extended", bcCode39Extended},
        {"bcean128auto", bcEAN128Auto}, {" UPC Supp5 ", bcCodeUPC_Supp5},
        {"25", -1},                    {"-1", -1},                    {"", -1},
        {"EAN 13", -1},                {"Code128", -1},
    };
    for (const auto& c : cases) {
        TBarcodeType type = bcCodeMSI;
        const bool ok = ParseBarcodeType(QString::fromLatin1(c.text), type);
        EXPECT_EQ(ok, c.type >= 0) << c.text;
        if (ok) {
            EXPECT_EQ(type, c.type) << c.text;
        }
    }
}

}  // namespace
