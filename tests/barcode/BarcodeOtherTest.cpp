// 2 of 5, Code 39, Code 93, MSI, PostNet and Codabar: published structure
// (start and stop, element counts, wide elements, check characters).
#include "barcode/Barcode.h"

#include <gtest/gtest.h>

namespace {

struct TBuilt {
    std::string pattern;
    std::string text;
    std::string error;
};

TBuilt Build(TBarcodeType type, const std::string& text, bool checksum = false)
{
    TBarcode bc;
    bc.SetTyp(type);
    bc.SetText(text);
    bc.SetChecksum(checksum);
    TBuilt b;
    try {
        b.pattern = bc.BuildPattern();
    } catch (const BarcodeError& e) {
        b.error = e.what();
    }
    b.text = bc.Text();
    return b;
}

// 2 of 5: the digit whose two wide elements (weights 1, 2, 4, 7, 0) are
// flagged; 4 + 7 stands for 0. -1 when not exactly two are wide.
int TwoOfFiveDigit(const bool wide[5])
{
    static const int weights[5] = {1, 2, 4, 7, 0};
    int count = 0;
    int sum = 0;
    for (int k = 0; k < 5; ++k) {
        if (wide[k]) {
            ++count;
            sum += weights[k];
        }
    }
    if (count != 2)
        return -1;
    return sum == 11 ? 0 : sum;
}

bool Wide(char c)
{
    return c == '6' || c == '1';
}

TEST(TwoOfFive, IndustrialAndMatrixStructure)
{
    const std::string digits = "0123456789";
    const TBuilt industrial = Build(bcCode_2_5_industrial, digits);
    ASSERT_EQ(industrial.error, "");
    const std::string& p = industrial.pattern;
    EXPECT_EQ(p.substr(0, 6), "606050");
    EXPECT_EQ(p.substr(p.size() - 6), "605060");
    ASSERT_EQ(p.size(), 6 + 10 * digits.size() + 6);
    for (size_t d = 0; d < digits.size(); ++d) {
        bool wide[5];
        for (size_t k = 0; k < 5; ++k) {
            const std::string bar = p.substr(6 + d * 10 + k * 2, 2);
            EXPECT_TRUE(bar == "60" || bar == "50") << bar;  // every bar followed by a narrow space
            wide[k] = bar[0] == '6';
        }
        EXPECT_EQ(TwoOfFiveDigit(wide), digits[d] - '0');
    }

    const TBuilt matrix = Build(bcCode_2_5_matrix, digits);
    const std::string& m = matrix.pattern;
    EXPECT_EQ(m.substr(0, 6), "705050");
    EXPECT_EQ(m.substr(m.size() - 5), "70505");
    ASSERT_EQ(m.size(), 6 + 6 * digits.size() + 5);
    for (size_t d = 0; d < digits.size(); ++d) {
        const std::string e = m.substr(6 + d * 6, 6);
        bool wide[5];
        for (size_t k = 0; k < 5; ++k) {
            EXPECT_EQ(e[k] >= '5', k % 2 == 0) << e;  // bar, space, bar, space, bar
            wide[k] = Wide(e[k]);
        }
        EXPECT_EQ(e[5], '0');
        EXPECT_EQ(TwoOfFiveDigit(wide), digits[d] - '0');
    }
}

TEST(TwoOfFive, InterleavedPairs)
{
    const TBuilt b = Build(bcCode_2_5_interleaved, "123");
    EXPECT_EQ(b.text, "0123");
    EXPECT_EQ(b.pattern, Build(bcCode_2_5_interleaved, "0123").pattern);
    const std::string& p = b.pattern;
    ASSERT_EQ(p.size(), 4u + 2 * 10 + 3);
    EXPECT_EQ(p.substr(0, 4), "5050");
    EXPECT_EQ(p.substr(p.size() - 3), "605");
    const char pairs[2][2] = {{0, 1}, {2, 3}};
    for (int pr = 0; pr < 2; ++pr) {
        bool bars[5], spaces[5];
        for (int k = 0; k < 5; ++k) {
            bars[k] = Wide(p[size_t(4 + pr * 10 + k * 2)]);
            spaces[k] = Wide(p[size_t(4 + pr * 10 + k * 2 + 1)]);
        }
        EXPECT_EQ(TwoOfFiveDigit(bars), pairs[pr][0]);
        EXPECT_EQ(TwoOfFiveDigit(spaces), pairs[pr][1]);
    }
}

// The nine elements of one Code 39 character, taken from a one-character symbol.
std::string Code39Char(char c)
{
    return Build(bcCode39, std::string(1, c)).pattern.substr(10, 9);
}

TEST(Code39, Characters)
{
    const std::string star = Build(bcCode39, "A").pattern.substr(0, 9);
    EXPECT_EQ(Build(bcCode39, "A").pattern, star + "0" + Code39Char('A') + "0" + star);
    // 43 characters and the start/stop: nine elements, three of them wide, all different.
    const std::string chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
    std::vector<std::string> seen{star};
    for (const char c : chars) {
        const std::string e = Code39Char(c);
        int wide = 0;
        for (size_t k = 0; k < 9; ++k) {
            EXPECT_EQ(e[k] >= '5', k % 2 == 0);
            wide += Wide(e[k]);
        }
        EXPECT_EQ(wide, 3) << c;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), e), 0) << c;
        seen.push_back(e);
    }
    // The start/stop character is no data: a scanner would end the symbol there.
    EXPECT_EQ(Build(bcCode39, "A*B").error, "Code39 bad Data: only 0-9, A-Z, space and - . $ / + % can be encoded");
    EXPECT_EQ(Build(bcCode39Extended, "A*B").pattern, Build(bcCode39, "A/JB").pattern);
}

TEST(Code39, TextsAndCheckCharacter)
{
    const struct {
        TBarcodeType type;
        std::string text;
        bool checksum;
        const char* same;  // Code 39 text that gives the same symbol without a check character
    } cases[] = {
        {bcCode39, "CODE39", true, "CODE39W"},  // 12+24+13+14+3+9 = 75, 75 mod 43 = 32: W
        {bcCode39, "%%", true, "%%+"},          // 84 mod 43 = 41: +
        {bcCode39Extended, "abc", false, "+A+B+C"},
        {bcCode39Extended, "abc", true, "+A+B+CR"},  // over the replacement: 156 mod 43 = 27: R
        {bcCode39Extended, "a-b.\x01\x7f", false, "+A/M+B/N$A%T"},
        {bcCode39Extended, std::string("\0@`{:;", 6), false, "%U%V%W%P/Z%F"},
    };
    for (const auto& c : cases) {
        const TBuilt b = Build(c.type, c.text, c.checksum);
        EXPECT_EQ(b.error, "");
        EXPECT_EQ(b.pattern, Build(bcCode39, c.same).pattern) << c.text;
        EXPECT_EQ(b.text, c.text);  // the extended encoder restores the text
    }
}

std::string Code93Char(char c)
{
    return Build(bcCode93, std::string(1, c)).pattern.substr(6, 6);
}

TEST(Code93, StructureAndCheckCharacters)
{
    const TBuilt b = Build(bcCode93, "TEST93");
    ASSERT_EQ(b.error, "");
    const std::string& p = b.pattern;
    ASSERT_EQ(p.size(), 6u + 6 * 6 + 12 + 7);
    EXPECT_EQ(p.substr(0, 6), "505080");
    EXPECT_EQ(p.substr(p.size() - 7), "5050805");
    EXPECT_EQ(p.substr(6, 6), Code93Char('T'));
    // C = 41 ("+"), K = 6 ("6").
    EXPECT_EQ(p.substr(42, 12), Code93Char('+') + Code93Char('6'));
    // 47 characters of nine modules in three bars and three spaces, all different.
    const std::string chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%[]{}";
    std::vector<std::string> seen;
    for (const char c : chars) {
        const std::string e = Code93Char(c);
        int modules = 0;
        for (size_t k = 0; k < 6; ++k) {
            EXPECT_EQ(e[k] >= '5', k % 2 == 0);
            modules += (e[k] >= '5' ? e[k] - '5' : e[k] - '0') + 1;
        }
        EXPECT_EQ(modules, 9) << c;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), e), 0) << c;
        seen.push_back(e);
    }
}

TEST(Code93, FullAsciiAndBadData)
{
    const struct {
        TBarcodeType type;
        std::string text;
        const char* error;
        const char* same;  // plain Code 93 text of the same symbol
    } cases[] = {
        {bcCode93, "abc", "Code93 bad Data !", ""},
        {bcCode93, "A*", "Code93 bad Data !", ""},
        {bcCode93, "A\xe9", "Code93 bad Data !", ""},
        {bcCode93Extended, "a", "", "}A"},
        {bcCode93Extended, "a-$\x01\x7f", "", "}A{M{D[A]T"},
        {bcCode93Extended,
         "A\xe9"
         "B",
         "Barcode bad Data: characters above 127 cannot be encoded", ""},
    };
    for (const auto& c : cases) {
        const TBuilt b = Build(c.type, c.text);
        EXPECT_EQ(b.error, c.error) << c.text;
        if (!*c.error) {
            EXPECT_EQ(b.pattern, Build(bcCode93, c.same).pattern) << c.text;
        }
        EXPECT_EQ(b.text, c.text);
    }
}

std::string MsiDigit(int d)
{
    std::string e;
    for (int bit = 3; bit >= 0; --bit)
        e += (d >> bit) & 1 ? "60" : "51";
    return e;
}

TEST(Msi, DigitsAndCheckDigit)
{
    const struct {
        const char* text;
        int check;
    } cases[] = {{"1234", 4}, {"0", 0}, {"80523", 4}, {"9", 1}};
    for (const auto& c : cases) {
        std::string expected = "60";
        for (const char* d = c.text; *d; ++d)
            expected += MsiDigit(*d - '0');
        expected += MsiDigit(c.check) + "515";
        EXPECT_EQ(Build(bcCodeMSI, c.text).pattern, expected) << c.text;
    }
    EXPECT_EQ(Build(bcCodeMSI, "12a").error, "Barcode must be numeric");
}

TEST(PostNet, BarsPerDigit)
{
    const char* table[10] = {"FFHHH", "HHHFF", "HHFHF", "HHFFH", "HFHHF", "HFHFH", "HFFHH", "FHHHF", "FHHFH", "FHFHH"};
    const std::string text = "0123456789";
    const std::string p = Build(bcCodePostNet, text).pattern;
    ASSERT_EQ(p.size(), 2 + 10 * text.size() + 1);
    EXPECT_EQ(p.substr(0, 2), "51");
    EXPECT_EQ(p.back(), '5');
    for (size_t d = 0; d < text.size(); ++d) {
        for (size_t k = 0; k < 5; ++k) {
            EXPECT_EQ(p[2 + d * 10 + k * 2], table[d][k] == 'F' ? '5' : 'A') << d;
            EXPECT_EQ(p[2 + d * 10 + k * 2 + 1], '1');
        }
    }
    // No check digit: 1 + 25 + 1 bars for five digits.
    const std::string five = Build(bcCodePostNet, "12345").pattern;
    EXPECT_EQ(std::count(five.begin(), five.end(), '5') + std::count(five.begin(), five.end(), 'A'), 27);
}

TEST(Codabar, StartStopAndCharacters)
{
    const TBuilt b = Build(bcCodeCodabar, "123-45");
    ASSERT_EQ(b.error, "");
    const std::string& p = b.pattern;
    auto symbol = [](char c) {
        if (c >= 'A' && c <= 'D')
            return Build(bcCodeCodabar, std::string(1, c) + "1").pattern.substr(0, 7);
        return Build(bcCodeCodabar, std::string(1, c)).pattern.substr(8, 7);
    };
    EXPECT_EQ(p, symbol('A') + "0" + symbol('1') + "0" + symbol('2') + "0" + symbol('3') + "0" + symbol('-') + "0" +
                     symbol('4') + "0" + symbol('5') + "0" + symbol('B'));
    const std::string chars = "0123456789-$:/.+ABCD";
    std::vector<std::string> seen;
    for (const char c : chars) {
        const std::string e = symbol(c);
        int wide = 0;
        for (size_t k = 0; k < 7; ++k) {
            EXPECT_EQ(e[k] >= '5', k % 2 == 0);
            wide += Wide(e[k]);
        }
        // Digits, "-" and "$" have two wide elements; the others three.
        EXPECT_EQ(wide, std::string("0123456789-$").find(c) != std::string::npos ? 2 : 3) << c;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), e), 0) << c;
        seen.push_back(e);
    }
    for (const char* bad : {"a", "123a", "E", "*"})
        EXPECT_EQ(Build(bcCodeCodabar, bad).error, "Codabar bad Data: only 0-9, - $ : / . + and A-D can be encoded") << bad;

    // A, B, C and D at the ends of the text are the start and stop characters.
    const struct {
        const char* text;
        char start, stop;
        const char* data;
        const char* error;
    } ends[] = {
        {"A1234B", 'A', 'B', "1234", ""},
        {"C12D", 'C', 'D', "12", ""},
        {"D12", 'D', 'B', "12", ""},
        {"12C", 'A', 'C', "12", ""},
        {"A$A", 'A', 'A', "$", ""},
        {"1A2", 0, 0, "", "Codabar bad Data: A, B, C and D can only start and end the code"},
        {"AB", 0, 0, "", "Barcode has no data"},
    };
    for (const auto& c : ends) {
        const TBuilt e = Build(bcCodeCodabar, c.text);
        EXPECT_EQ(e.error, c.error) << c.text;
        if (*c.error)
            continue;
        std::string expected = symbol(c.start) + "0";
        for (const char* d = c.data; *d; ++d)
            expected += symbol(*d) + "0";
        EXPECT_EQ(e.pattern, expected + symbol(c.stop)) << c.text;
        EXPECT_EQ(e.text, c.text);
    }
}

TEST(TwoWidthSymbologies, RatioScalesOnlyTheWideElements)
{
    for (const TBarcodeType type : {bcCode_2_5_interleaved, bcCode_2_5_industrial, bcCode39, bcCodeCodabar}) {
        TBarcode bc;
        bc.SetTyp(type);
        bc.SetText("1234");
        bc.SetModul(4);
        bc.SetRatio(2.0);
        const std::string p = bc.BuildPattern();
        const int narrow = int(std::count_if(p.begin(), p.end(), [](char c) { return c == '0' || c == '5'; }));
        const int wide = int(std::count_if(p.begin(), p.end(), [](char c) { return c == '1' || c == '6'; }));
        EXPECT_EQ(narrow + wide, int(p.size())) << SymbologyTable[type].name;
        EXPECT_EQ(bc.Width(), narrow * 4 + wide * 8);
        bc.SetRatio(3.0);
        EXPECT_EQ(bc.Width(), narrow * 4 + wide * 12);
    }
}

}  // namespace
