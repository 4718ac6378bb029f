// EAN-8, EAN-13, UPC-A, UPC-E and the supplements: data, shown digits,
// parity and the structure of the symbols.
#include "barcode/Barcode.h"

#include <gtest/gtest.h>

namespace {

struct TBuilt {
    std::string pattern;
    std::string text;  // Text after the build
    std::string shown;
    int modules = 0;   // Width at Modul 1, Ratio 2
    std::string error;
};

TBuilt Build(TBarcodeType type, const std::string& text, bool checksum)
{
    TBarcode bc;
    bc.SetTyp(type);
    bc.SetText(text);
    bc.SetChecksum(checksum);
    TBuilt b;
    try {
        b.pattern = bc.BuildPattern();
        b.modules = bc.Width();
        b.shown = bc.ShownText();
    } catch (const BarcodeError& e) {
        b.error = e.what();
    }
    b.text = bc.Text();
    return b;
}

// Parity of each digit of four elements starting at `from`: 'A' when it has an
// odd number of dark modules (number set A), 'B' when even (set B).
std::string Parities(const std::string& pattern, size_t from, int digits, size_t step = 4)
{
    std::string parities;
    for (int d = 0; d < digits; ++d) {
        int dark = 0;
        for (size_t k = 0; k < 4; ++k) {
            const char c = pattern[from + size_t(d) * step + k];
            if (c >= '5' && c <= '8')
                dark += c - '5' + 1;
        }
        parities.push_back(dark % 2 ? 'A' : 'B');
    }
    return parities;
}

TEST(EanUpc, DataShownDigitsAndSize)
{
    const struct {
        TBarcodeType type;
        const char* text;
        bool checksum;
        const char* shown;
        size_t patternLength;
        int modules;
    } cases[] = {
        {bcCodeEAN13, "590123412345", true, "5901234123457", 59, 95},
        {bcCodeEAN13, "123", false, "0000000000123", 59, 95},  // padded, 3 is the right check digit
        {bcCodeEAN13, "5901234123457", true, "5901234123457", 59, 95},
        {bcCodeEAN8, "1234567", true, "12345670", 43, 67},
        {bcCodeEAN8, "17", false, "00000017", 43, 67},
        {bcCodeUPC_A, "03600029145", true, "036000291452", 59, 95},
        {bcCodeUPC_E0, "123456", false, "01234565", 33, 51},
        {bcCodeUPC_E0, "123456", true, "01234565", 33, 51},  // the check digit is always there
        {bcCodeUPC_E0, "1", false, "00000019", 33, 51},
        {bcCodeUPC_E1, "425261", false, "14252611", 33, 51},
        {bcCodeUPC_Supp5, "52495", true, "524951", 31, 47},
        {bcCodeUPC_Supp5, "52495", false, "52495", 31, 47},
        {bcCodeUPC_Supp2, "34", false, "34", 13, 20},
        {bcCodeUPC_Supp2, "34", true, "349", 13, 20},
        {bcCodeUPC_Supp2, "7", false, "07", 13, 20},
    };
    for (const auto& c : cases) {
        const TBuilt b = Build(c.type, c.text, c.checksum);
        EXPECT_EQ(b.error, "") << c.text;
        EXPECT_EQ(b.shown, c.shown) << SymbologyTable[c.type].name << " " << c.text;
        EXPECT_EQ(b.pattern.size(), c.patternLength) << c.text;
        EXPECT_EQ(b.modules, c.modules) << c.text;
    }
    EXPECT_EQ(Build(bcCodeEAN13, "123", false).pattern, Build(bcCodeEAN13, "0000000000123", false).pattern);
    EXPECT_EQ(Build(bcCodeEAN13, "590123412345", true).pattern, Build(bcCodeEAN13, "5901234123457", false).pattern);
}

TEST(EanUpc, GuardsAndHalves)
{
    const struct {
        TBarcodeType type;
        const char* text;
        const char* start;
        size_t centreAt;  // 0: no centre guard
        const char* end;
    } cases[] = {
        {bcCodeEAN13, "590123412345", "505", 27, "505"},
        {bcCodeUPC_A, "03600029145", "505", 27, "505"},
        {bcCodeEAN8, "1234567", "505", 19, "505"},
        {bcCodeUPC_E0, "123456", "505", 0, "050505"},
        {bcCodeUPC_Supp5, "52495", "506", 0, ""},
        {bcCodeUPC_Supp2, "34", "506", 0, ""},
    };
    for (const auto& c : cases) {
        const std::string p = Build(c.type, c.text, true).pattern;
        EXPECT_EQ(p.substr(0, 3), c.start) << c.text;
        EXPECT_EQ(p.substr(p.size() - std::strlen(c.end)), c.end) << c.text;
        if (c.centreAt) {
            EXPECT_EQ(p.substr(c.centreAt, 5), "05050") << c.text;
            // Right-half digits (set C) start with a bar and have an even number of dark modules.
            for (size_t at = c.centreAt + 5; at + 3 < p.size(); at += 4)
                EXPECT_TRUE(p[at] >= '5' && p[at] <= '8') << c.text << " at " << at;
        }
    }
    // Supplement digits are separated by a space and a bar of one module.
    const std::string supp5 = Build(bcCodeUPC_Supp5, "52495", false).pattern;
    for (size_t at = 7; at < 27; at += 6)
        EXPECT_EQ(supp5.substr(at, 2), "05");
    EXPECT_EQ(Build(bcCodeUPC_Supp2, "34", false).pattern.substr(7, 2), "05");
}

TEST(EanUpc, DigitEncodings)
{
    // Digit 0 in the three number sets.
    EXPECT_EQ(Build(bcCodeEAN8, "0000000", true).pattern, "505" "2605" "2605" "2605" "2605" "05050" "7150" "7150" "7150"
                                                          "7150" "505");
    // Leading 1 takes row AABABB, so the third and the last two left digits are set B: "0517".
    EXPECT_EQ(Build(bcCodeEAN13, "1000000000009", false).pattern.substr(3, 24), "2605" "2605" "0517" "2605" "0517" "0517");
}

TEST(EanUpc, ParityRows)
{
    const struct {
        TBarcodeType type;
        const char* text;
        bool checksum;
        size_t from;
        int digits;
        size_t step;
        const char* parities;
    } cases[] = {
        // EAN-13 leading digit 5: row ABBAAB.
        {bcCodeEAN13, "590123412345", true, 3, 6, 4, "ABBAAB"},
        {bcCodeEAN13, "0000000000000", false, 3, 6, 4, "AAAAAA"},
        {bcCodeEAN13, "9000000000001", false, 3, 6, 4, "ABBABA"},
        // UPC-E0 check digit 5: EooEEo, E even (set B), o odd (set A).
        {bcCodeUPC_E0, "123456", false, 3, 6, 4, "BAABBA"},
        // UPC-E1 check digit 1: EEoEoo with the letters inverted.
        {bcCodeUPC_E1, "425261", false, 3, 6, 4, "AABABB"},
        // UPC-E0 of seven digits: the number system's own parity (here 1, as E1 above).
        {bcCodeUPC_E0, "1425261", false, 3, 6, 4, "AABABB"},
        // Supplement 5, check digit 1: EoEoo.
        {bcCodeUPC_Supp5, "52495", true, 3, 5, 6, "BABAA"},
        // Supplement 2, 34 mod 4 = 2: Eo.
        {bcCodeUPC_Supp2, "34", false, 3, 2, 6, "BA"},
        {bcCodeUPC_Supp2, "33", false, 3, 2, 6, "AB"},
        {bcCodeUPC_Supp2, "35", false, 3, 2, 6, "BB"},
        {bcCodeUPC_Supp2, "36", false, 3, 2, 6, "AA"},
    };
    for (const auto& c : cases) {
        const TBuilt b = Build(c.type, c.text, c.checksum);
        EXPECT_EQ(Parities(b.pattern, c.from, c.digits, c.step), c.parities) << SymbologyTable[c.type].name << " " << c.text;
    }
}

TEST(EanUpc, UpcEExpansion)
{
    const struct {
        const char* input;
        const char* expanded;
    } cases[] = {
        {"0123456", "01234500006"}, {"1425261", "14210000526"}, {"0123450", "01200000345"},
        {"0123452", "01220000345"}, {"0123453", "01230000045"}, {"0123454", "01234000005"},
        {"0123459", "01234500009"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandUpcE(c.input), c.expanded) << c.input;
    for (const char* bad : {"2123456", "012345", "01234567", "01234a6", ""})
        EXPECT_THROW(ExpandUpcE(bad), BarcodeError) << bad;
    EXPECT_EQ(AddOnCheckDigit("52495"), "524951");
    EXPECT_EQ(AddOnCheckDigit("34"), "349");
}

TEST(EanUpc, UpcESevenDigitTexts)
{
    // A seventh digit is the number system digit: the six after it are
    // encoded, as a six-digit text would be.
    EXPECT_EQ(Build(bcCodeUPC_E0, "0123456", false).pattern, Build(bcCodeUPC_E0, "123456", false).pattern);
    EXPECT_EQ(Build(bcCodeUPC_E0, "0123456", false).shown, "01234565");
    EXPECT_EQ(Build(bcCodeUPC_E0, "1425261", false).pattern, Build(bcCodeUPC_E1, "425261", false).pattern);
    EXPECT_EQ(Build(bcCodeUPC_E0, "1425261", false).shown, "14252611");
    // An eighth digit is the check digit.
    EXPECT_EQ(Build(bcCodeUPC_E0, "14252611", false).pattern, Build(bcCodeUPC_E1, "425261", false).pattern);
    const TBuilt bad = Build(bcCodeUPC_E0, "2123456", false);
    EXPECT_EQ(bad.error, "UPC-E code must have number system 0 or 1");
}

TEST(EanUpc, TextsThatWouldScanAsAnotherNumberAreRefused)
{
    // Each of these used to print: digits cut off, or a check digit that was
    // not the text's (a scanner reads another number, or rejects the symbol).
    const struct {
        TBarcodeType type;
        const char* text;
        bool checksum;
        const char* error;
    } cases[] = {
        {bcCodeUPC_A, "12345678901", false, "Wrong check digit: the last digit must be 5"},  // 012345678901
        {bcCodeEAN13, "12", false, "Wrong check digit: the last digit must be 7"},
        {bcCodeEAN8, "1234567", false, "Wrong check digit: the last digit must be 5"},
        {bcCodeEAN13, "4006381333932", true, "Wrong check digit: the last digit must be 1"},
        {bcCodeEAN13, "59012341234599", true, "Barcode has more digits than the symbol holds"},
        {bcCodeEAN8, "123456789", false, "Barcode has more digits than the symbol holds"},
        {bcCodeUPC_A, "0360002914521", true, "Barcode has more digits than the symbol holds"},
        {bcCodeUPC_Supp5, "524951", false, "Barcode has more digits than the symbol holds"},
        {bcCodeUPC_Supp5, "524952", true, "Wrong check digit: the last digit must be 1"},
        {bcCodeUPC_Supp5, "5249512", true, "Barcode has more digits than the symbol holds"},
        {bcCodeUPC_Supp2, "345", false, "Barcode has more digits than the symbol holds"},
        {bcCodeUPC_E0, "012345659", false, "Barcode has more digits than the symbol holds"},
        {bcCodeUPC_E0, "01234560", false, "Wrong check digit: the last digit must be 5"},
        {bcCodeUPC_E0, "01234560", true, "Wrong check digit: the last digit must be 5"},
        {bcCodeUPC_E1, "1234567", false, "Barcode has more digits than the symbol holds"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Build(c.type, c.text, c.checksum).error, c.error) << SymbologyTable[c.type].name << " " << c.text;
        EXPECT_FALSE(IsValidCode(std::string_view(c.text), c.type, c.checksum)) << c.text;
    }
}

TEST(EanUpc, SupplementsRewriteTheirText)
{
    const struct {
        TBarcodeType type;
        const char* text;
        bool checksum;
        const char* after;
    } cases[] = {
        {bcCodeUPC_Supp5, "52495", true, "524951"},  {bcCodeUPC_Supp5, "7", false, "00007"},
        {bcCodeUPC_Supp5, "524951", true, "524951"}, {bcCodeUPC_Supp2, "7", false, "07"},
        {bcCodeUPC_Supp2, "34", true, "349"},        {bcCodeUPC_Supp2, "349", true, "349"},
    };
    for (const auto& c : cases) {
        TBarcode bc;
        bc.SetTyp(c.type);
        bc.SetChecksum(c.checksum);
        bc.SetText(c.text);
        const std::string first = bc.BuildPattern();
        EXPECT_EQ(bc.Text(), c.after) << c.text;
        // Building again from the rewritten text gives the same symbol.
        EXPECT_EQ(bc.BuildPattern(), first) << c.text;
        EXPECT_EQ(bc.Text(), c.after) << c.text;
    }
}

TEST(EanUpc, DigitGroups)
{
    TBarcode bc;
    bc.SetTyp(bcCodeEAN13);
    bc.SetChecksum(true);
    bc.SetText("590123412345");
    bc.BuildPattern();
    EXPECT_EQ(bc.ShownDigitGroups(), (std::vector<std::string>{"5", "901234", "123457"}));
    bc.SetTyp(bcCodeUPC_A);
    bc.SetText("03600029145");
    EXPECT_EQ(bc.ShownDigitGroups(), (std::vector<std::string>{"0", "36000", "29145", "2"}));
    bc.SetChecksum(false);
    bc.SetText("123");
    EXPECT_EQ(bc.ShownDigitGroups(), (std::vector<std::string>{"0", "00000", "00012", "3"}));  // padded
    bc.SetTyp(bcCodeEAN8);
    EXPECT_TRUE(bc.ShownDigitGroups().empty());
}

TEST(EanUpc, NumberSetsAreMirrors)
{
    // Set B of a digit is set C read backwards: check all ten digits.
    for (char d = '0'; d <= '9'; ++d) {
        const std::string allB = std::string("9") + std::string(11, d);  // row ABBABA: the third digit is in set B
        const std::string p = Build(bcCodeEAN13, allB, true).pattern;
        const std::string setB = p.substr(7, 4);
        const std::string setC = p.substr(32, 4);
        EXPECT_EQ(setB, std::string(setC.rbegin(), setC.rend())) << d;
        // Every digit is seven modules.
        int modules = 0;
        for (const char c : setC)
            modules += (c >= '5' ? c - '5' : c - '0') + 1;
        EXPECT_EQ(modules, 7) << d;
    }
}

}  // namespace
