// The component: properties, change notification, width classes, measuring,
// the build steps every symbology shares, and the validity check.
#include "barcode/Barcode.h"
#include "barcode/bcchksum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::string BuildError(TBarcode& bc)
{
    try {
        bc.BuildPattern();
    } catch (const BarcodeError& e) {
        return e.what();
    }
    return {};
}

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

TEST(BarcodeComponent, RatioBoundsAppliedByTheBuild)
{
    const struct {
        TBarcodeType type;
        double ratio;
        double after;
    } cases[] = {
        {bcCodeCodabar, 1.5, 2.0},          {bcCodeEAN13, 3.5, 3.0},   {bcCode_2_5_matrix, 2.0, 2.25},
        {bcCode128B, 5.0, 5.0},             {bcCode93, 0.5, 0.5},      {bcCode39, 2.7, 2.7},
        {bcCode_2_5_interleaved, 3.0, 3.0}, {bcCodeUPC_Supp5, 1.0, 2.0},
        {bcCode39, std::numeric_limits<double>::quiet_NaN(), 2.0},
    };
    for (const auto& c : cases) {
        TBarcode bc;
        bc.SetTyp(c.type);
        bc.SetText("1");
        bc.SetRatio(c.ratio);
        int calls = 0;
        bc.SetOnChange([&calls] { ++calls; });
        int width = 0;
        bc.TryWidth(width);
        EXPECT_EQ(bc.Ratio(), c.after) << SymbologyTable[c.type].name << " " << c.ratio;
        EXPECT_EQ(calls, bc.Ratio() == c.ratio ? 0 : 1) << SymbologyTable[c.type].name;
    }
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

TEST(BarcodeComponent, RatioBelowOneIsRefused)
{
    // Wide elements narrower than narrow ones (or of no width) make no symbol.
    for (const double ratio : {0.4, 0.7, -1.0}) {
        TBarcode bc;
        bc.SetTyp(bcCode128B);
        bc.SetModul(2);
        bc.SetRatio(ratio);
        bc.SetText("A");
        EXPECT_EQ(BuildError(bc), "Barcode Ratio too small: wide elements would be narrower than narrow ones") << ratio;
    }
    TBarcode one;
    one.SetTyp(bcCode93);
    one.SetRatio(1.0);
    one.SetText("A");
    EXPECT_EQ(BuildError(one), "");
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

TEST(BarcodeComponent, WidthIsTheSumOverThePattern)
{
    // The library's symbologies have no pattern (LibrarySymbolTest).
    for (int t = 0; t < kFirstLibrarySymbology; ++t) {
        TBarcode bc;
        bc.SetTyp(TBarcodeType(t));
        bc.SetText("12");
        bc.SetChecksum(true);
        bc.SetModul(3);
        const std::string pattern = bc.BuildPattern();
        int sum = 0;
        for (const char c : pattern)
            sum += bc.ModuleInfo(c).width;
        EXPECT_EQ(bc.Width(), sum) << SymbologyTable[size_t(t)].name;
    }
}

TEST(BarcodeComponent, HugeSymbolsFailInsteadOfOverflowing)
{
    TBarcode bc;
    bc.SetTyp(bcCode128B);
    bc.SetRatio(1e12);
    bc.SetText("A");
    EXPECT_GT(bc.Width(), 0);
    bc.SetText(std::string(2000, 'A'));
    EXPECT_EQ(BuildError(bc), "");
    int width = 0;
    EXPECT_STREQ(bc.TryWidth(width), "Barcode too wide");
}

TEST(BarcodeComponent, SharedBuildSteps)
{
    const struct {
        TBarcodeType type;
        std::string text;
        const char* error;
        std::string textAfter;
    } cases[] = {
        {bcCodeEAN13, " 123 ", "", "123"},
        {bcCodeEAN13, "\t\r\n123\x01", "", "123"},
        {bcCodeEAN13, "12a", "Barcode must be numeric", "12a"},
        {bcCodeMSI, "1 2", "Barcode must be numeric", "1 2"},
        {bcCodeEAN13, "12\xa0", "Barcode must be numeric", "12\xa0"},  // bytes above 127 are not blanks
        {bcCode128C, "-5", "Barcode must be numeric", "-5"},
        {TBarcodeType(99), "1", "System error!", "1"},
        {TBarcodeType(-1), "1", "System error!", "1"},
        {bcCode128B, " A ", "", " A "},  // only digits-only symbologies trim
    };
    for (const auto& c : cases) {
        TBarcode bc;
        bc.SetTyp(c.type);
        bc.SetText(c.text);
        EXPECT_EQ(BuildError(bc), c.error) << c.text;
        EXPECT_EQ(bc.Text(), c.textAfter) << c.text;
    }
}

TEST(BarcodeComponent, TextRewritesDuringTheBuildDoNotNotify)
{
    TBarcode bc;
    bc.SetTyp(bcCodeUPC_Supp5);
    bc.SetChecksum(true);
    bc.SetText(" 7 ");
    int calls = 0;
    bc.SetOnChange([&calls] { ++calls; });
    bc.BuildPattern();
    EXPECT_EQ(bc.Text(), "000071");
    EXPECT_EQ(calls, 0);
}

TEST(BarcodeComponent, EmptyTextEncodesInNoSymbology)
{
    // An empty code would print a symbol nobody asked for: EAN and UPC a row
    // of zeros, the others start and stop characters no scanner reads.
    for (int t = 0; t < kBarcodeTypeCount; ++t) {
        for (const bool checksum : {false, true}) {
            TBarcode bc;
            bc.SetTyp(TBarcodeType(t));
            bc.SetChecksum(checksum);
            EXPECT_EQ(BuildError(bc), "Barcode has no data") << SymbologyTable[size_t(t)].name;
            EXPECT_FALSE(IsValidCode(QStringLiteral(" \t"), TBarcodeType(t), checksum));
        }
    }
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
        {"99", -1},                    {"-1", -1},                    {"", -1},
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

TEST(BarcodeComponent, EightBitText)
{
    std::string bytes;
    EXPECT_TRUE(BarcodeBytesFromString(QStringLiteral("A\u00e9\u00ff"), bytes));
    EXPECT_EQ(bytes, "A\xe9\xff");
    EXPECT_EQ(BarcodeBytesToString(bytes), QStringLiteral("A\u00e9\u00ff"));
    EXPECT_FALSE(BarcodeBytesFromString(QStringLiteral("A\u20acB"), bytes));

    TBarcode bc;
    bc.SetTyp(bcCode128B);
    int calls = 0;
    bc.SetOnChange([&calls] { ++calls; });
    EXPECT_FALSE(bc.SetTextString(QStringLiteral("A\u20acB")));
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(bc.TextEncodable());
    EXPECT_EQ(bc.Text(), "A?B");
    EXPECT_EQ(BuildError(bc), "Barcode text holds a character that is not 8-bit text");
    EXPECT_TRUE(bc.SetTextString(QStringLiteral("A?B")));  // same bytes, now encodable: a change
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(BuildError(bc), "");
    EXPECT_EQ(bc.TextString(), QStringLiteral("A?B"));
}

TEST(BarcodeComponent, ValidityCheck)
{
    const struct {
        QString text;
        TBarcodeType type;
        bool checksum;
        bool valid;
    } cases[] = {
        {QStringLiteral(" 123 "), bcCodeEAN13, false, true},
        {QStringLiteral("12A"), bcCodeEAN13, false, false},
        {QStringLiteral("abc"), bcCode93, false, false},
        {QStringLiteral("abc"), bcCode93Extended, false, true},
        {QStringLiteral("\t0123456 \n"), bcCodeUPC_E0, false, true},
        {QStringLiteral("2123456"), bcCodeUPC_E0, false, false},
        {QStringLiteral("123a"), bcCodeCodabar, false, false},
        // A symbol must carry every character its text shows.
        {QStringLiteral("A\u00e9"), bcCode128B, false, false},
        {QStringLiteral("abc1"), bcCode128A, false, false},
        {QStringLiteral("7"), bcCodeEAN128C, false, true},  // the last digit in set B
        {QStringLiteral("Ab"), bcCode39, false, false},
        {QStringLiteral("A\u00e9"), bcCode39Extended, false, false},
        {QStringLiteral("A\u00e9"), bcCode93Extended, false, false},
        // Without Checksum a full-length retail code carries its own check digit.
        {QStringLiteral("4006381333931"), bcCodeEAN13, false, true},
        {QStringLiteral("4006381333932"), bcCodeEAN13, false, false},
        {QStringLiteral("4006381333932"), bcCodeEAN13, true, false},  // not drawn with another digit
        {QStringLiteral("40063813339310"), bcCodeEAN13, false, false},
        {QStringLiteral("96385074"), bcCodeEAN8, false, true},
        {QStringLiteral("96385075"), bcCodeEAN8, false, false},
        {QStringLiteral("036000291452"), bcCodeUPC_A, false, true},
        {QStringLiteral("036000291453"), bcCodeUPC_A, false, false},
        {QStringLiteral("A\u00e9"), bcCode128Auto, false, false},  // no symbol value
        {QStringLiteral("A\u20ac"), bcCode128B, false, false},     // not 8-bit text
        {QStringLiteral("A\\200"), bcCode128Auto, false, false},
        {QStringLiteral("A\\128\\193\\196"), bcEAN128Auto, false, true},
        {QStringLiteral("\u20ac "), bcCode39, false, false},
        {QStringLiteral(" \u00a0"), bcCode39, false, false},  // U+00A0 is no blank and not in Code 39
        {QStringLiteral("12345"), TBarcodeType(99), false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidCode(c.text, c.type, c.checksum), c.valid) << c.text.toStdString() << " " << c.type;
        // The check leaves no state behind for the next text.
        EXPECT_TRUE(IsValidCode(QStringLiteral("1"), bcCodeEAN13, true));
    }
}

TEST(BarcodeComponent, WrongCheckDigitNamesTheExpectedOne)
{
    TBarcode bc;
    bc.SetTyp(bcCodeEAN13);
    bc.SetText("4006381333932");
    EXPECT_EQ(BuildError(bc), "Wrong check digit: the last digit must be 1");
}

}  // namespace
