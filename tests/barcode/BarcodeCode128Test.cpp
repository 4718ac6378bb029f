// Code 128 and EAN-128: symbol values of the fixed and automatic code sets,
// escapes, shown texts and the symbol table.
#include "barcode/Barcode.h"

#include <gtest/gtest.h>

namespace {

// Reads a pattern back into symbol values: six elements per symbol, the stop
// last. Empty when the pattern does not split into known symbols.
std::vector<int> Values(const std::string& pattern)
{
    std::string widths;
    for (const char c : pattern)
        widths.push_back(char('1' + (c >= '5' ? c - '5' : c - '0')));
    std::vector<int> values;
    if (widths.size() < 7 || widths.substr(widths.size() - 7) != Code128Widths(106))
        return {};
    for (size_t at = 0; at + 7 < widths.size(); at += 6) {
        int found = -1;
        for (int v = 0; v < 106 && found < 0; ++v) {
            if (widths.compare(at, 6, Code128Widths(v)) == 0)
                found = v;
        }
        if (found < 0)
            return {};
        values.push_back(found);
    }
    return values;
}

// Start value plus each later value times its position, modulo 103.
int CheckOf(const std::vector<int>& values)
{
    long sum = values.at(0);
    for (size_t k = 1; k < values.size(); ++k)
        sum += long(values[k]) * long(k);
    return int(sum % 103);
}

std::vector<int> WithCheck(std::vector<int> values)
{
    values.push_back(CheckOf(values));
    return values;
}

std::vector<int> BuiltValues(TBarcodeType type, const std::string& text, bool checksum = false)
{
    TBarcode bc;
    bc.SetTyp(type);
    bc.SetText(text);
    bc.SetChecksum(checksum);
    return Values(bc.BuildPattern());
}

TEST(Code128, SymbolTable)
{
    for (int v = 0; v <= 105; ++v) {
        const std::string w = Code128Widths(v);
        ASSERT_EQ(w.size(), 6u) << v;
        int modules = 0;
        int bars = 0;
        for (size_t k = 0; k < 6; ++k) {
            modules += w[k] - '0';
            if (k % 2 == 0)
                bars += w[k] - '0';
        }
        EXPECT_EQ(modules, 11) << v;
        EXPECT_EQ(bars % 2, 0) << v;  // even parity of the bars
        for (int u = 0; u < v; ++u)
            EXPECT_NE(w, Code128Widths(u)) << v << " repeats " << u;
    }
    EXPECT_STREQ(Code128Widths(106), "2331112");
    EXPECT_STREQ(Code128Widths(107), "");
    EXPECT_STREQ(Code128Widths(-1), "");
}

TEST(Code128, FixedCodeSets)
{
    const struct {
        TBarcodeType type;
        std::string text;
        std::vector<int> values;  // start to the last data value
        int check;                // -1: worked out from the values
    } cases[] = {
        {bcCode128B, "Ab1", {104, 33, 66, 17}, 11},
        {bcCode128C, "12345", {105, 1, 23, 45}, -1},
        {bcCodeEAN128C, "011234567890123", {105, 102, 1, 12, 34, 56, 78, 90, 12, 31}, -1},  // check digit 1
        {bcCodeEAN128C, "0010614141123456789", {105, 102, 0, 10, 61, 41, 41, 12, 34, 56, 78, 97}, -1},
        {bcCodeEAN128C, "12", {105, 102, 12}, -1},
        {bcCodeEAN128C, "123", {105, 102, 12, 100, 19}, -1},  // an odd last digit in set B
        {bcCodeEAN128C, "7", {105, 102, 100, 23}, -1},
        {bcCode128A, std::string("A\0\x1f_", 4), {103, 33, 64, 95, 63}, -1},
        {bcCode128B, "~ }", {104, 94, 0, 93}, -1},
        {bcCodeEAN128A, "AB", {103, 102, 33, 34}, -1},
        {bcCodeEAN128B, "ab", {104, 102, 65, 66}, -1},
    };
    for (const auto& c : cases) {
        std::vector<int> expected = WithCheck(c.values);
        if (c.check >= 0) {
            EXPECT_EQ(expected.back(), c.check) << c.text;
        }
        EXPECT_EQ(BuiltValues(c.type, c.text), expected) << SymbologyTable[c.type].name << " " << c.text;
    }
}

TEST(Code128, Ean128CIdentifierFields)
{
    // The SSCC (00) and GTIN (01, 02) fields: 18 and 14 digits, check digit
    // last, added where the field ends when the text stops one digit short.
    const struct {
        const char* text;
        const char* shown;  // nullptr: refused with `error`
        const char* error;
    } cases[] = {
        {"011234567890123", "0112345678901231", nullptr},
        {"0112345678901231", "0112345678901231", nullptr},
        {"011234567890123110123", "011234567890123110123", nullptr},
        {"0112345678901231021234567890123", "01123456789012310212345678901231", nullptr},
        {"0010614141123456789", "00106141411234567897", nullptr},
        {"021234567890123", "0212345678901231", nullptr},
        {"1012345", "1012345", nullptr},  // other identifiers as they stand
        {"1234", "1234", nullptr},
        // Fields of predefined length lead to the next: a date (11), a weight (3102).
        {"112401160010614141123456789", "1124011600106141411234567897", nullptr},
        {"3102001500011234567890123", "31020015000112345678901231", nullptr},
        {"3102001500011", nullptr, "EAN128 bad Data: identifiers 00 (SSCC) and 01, 02 (GTIN) need 18 and 14 digits"},
        {"0112345678901", nullptr, "EAN128 bad Data: identifiers 00 (SSCC) and 01, 02 (GTIN) need 18 and 14 digits"},
        {"01", nullptr, "EAN128 bad Data: identifiers 00 (SSCC) and 01, 02 (GTIN) need 18 and 14 digits"},
        {"0112345678901232", nullptr, "Wrong check digit: the last digit must be 1"},
        {"01123456789012321", nullptr, "Wrong check digit: the last digit must be 1"},
    };
    for (const auto& c : cases) {
        for (const bool checksum : {false, true}) {
            TBarcode bc;
            bc.SetTyp(bcCodeEAN128C);
            bc.SetChecksum(checksum);
            bc.SetText(c.text);
            try {
                bc.BuildPattern();
                EXPECT_TRUE(c.shown) << c.text;
                EXPECT_EQ(bc.ShownText(), c.shown ? c.shown : "") << c.text;
            } catch (const BarcodeError& e) {
                EXPECT_STREQ(e.what(), c.error ? c.error : "") << c.text;
            }
            EXPECT_EQ(bc.Text(), c.text);  // the component keeps the text
        }
    }
}

TEST(Code128, AutomaticCodeSets)
{
    const struct {
        TBarcodeType type;
        std::string text;
        std::vector<int> values;
    } cases[] = {
        {bcCode128Auto, "1234", {105, 12, 34}},
        {bcCode128Auto, "12", {105, 12}},
        {bcCode128Auto, "123", {104, 17, 18, 19}},
        {bcCode128Auto, "AB12345", {104, 33, 34, 17, 99, 23, 45}},
        {bcCode128Auto, "AB1234C", {104, 33, 34, 99, 12, 34, 100, 35}},
        {bcCode128Auto, "ab\\013cd", {104, 65, 66, 98, 77, 67, 68}},
        {bcCode128Auto, "\\009\\010A", {103, 73, 74, 33}},
        {bcCode128Auto, "1234\\1935678", {105, 12, 34, 102, 56, 78}},
        {bcEAN128Auto, "\\19301234", {104, 102, 102, 16, 99, 12, 34}},
        {bcCode128Auto, "AB\\", {104, 33, 34, 60}},
        // Set A meets lower case: SHIFT for one, CODE B for two in a row.
        {bcCode128Auto, "\\001a\\002", {103, 65, 98, 65, 66}},
        {bcCode128Auto, "\\001ab", {103, 65, 100, 65, 66}},
        // Set B meets a control character followed by another: CODE A.
        {bcCode128Auto, "a\\001\\002", {104, 65, 101, 65, 66}},
        // Byte 0 prefers set B; in set B it is shifted as NUL.
        {bcCode128Auto, "\\000a", {104, 98, 64, 65}},
        {bcCode128Auto, "\\128a", {103, 64, 100, 65}},  // past the end reads as byte 0: set B
        // Function characters.
        {bcCode128Auto, "A\\194\\195\\196", {104, 33, 97, 96, 100}},
        {bcCode128Auto, "\\001\\196", {103, 65, 101}},
        // Set C leaves for the set of the next byte.
        {bcCode128Auto, "1234\\001", {105, 12, 34, 101, 65}},
        {bcCode128Auto, "1234\\127", {105, 12, 34, 100, 95}},
        {bcCode128Auto, "12345", {105, 12, 34, 100, 21}},
        // Shorter than the first choice of code sets: a control character
        // after the start, digits around an FNC1.
        {bcCode128Auto, "AB\\001CD", {103, 33, 34, 65, 35, 36}},
        {bcCode128Auto, "A12\\19334", {103, 33, 99, 12, 102, 34}},
        {bcCode128Auto, "AB12\\19334\\19356", {103, 33, 34, 99, 12, 102, 34, 102, 56}},
        // A leading FNC1 stays first; one after a single pair would mark an
        // AIM application instead of a field separator.
        {bcCode128Auto, "\\193A\\001", {103, 102, 33, 65}},
        {bcCode128Auto, "12\\19334", {104, 17, 18, 102, 19, 20}},
    };
    for (const auto& c : cases) {
        const std::vector<int> expected = WithCheck(c.values);
        EXPECT_EQ(EncodeCode128Auto(DecodeEscapes(c.text, true), c.type == bcEAN128Auto), expected) << c.text;
        EXPECT_EQ(BuiltValues(c.type, c.text), expected) << c.text;
    }
}

TEST(Code128, AutomaticRejectsBytesWithoutSymbolValue)
{
    for (int b = 0; b < 256; ++b) {
        // Blanks and control characters at the ends are trimmed: nothing is left.
        const bool encodable = (b > 32 && b <= 128) || (b >= 193 && b <= 196);
        const std::string text(1, char(b));
        EXPECT_EQ(IsValidCode(text, bcCode128Auto, false), encodable) << b;
        EXPECT_EQ(IsValidCode(text, bcEAN128Auto, false), encodable) << b;
        // The fixed sets take the bytes of their column.
        EXPECT_EQ(IsValidCode(text, bcCode128B, false), b > 32 && b <= 126) << b;
    }
    EXPECT_THROW(EncodeCode128Auto("A\xc5", false), BarcodeError);
    TBarcode bc;
    bc.SetTyp(bcCode128Auto);
    bc.SetText("\\200");
    try {
        bc.BuildPattern();
        ADD_FAILURE() << "no error";
    } catch (const BarcodeError& e) {
        EXPECT_STREQ(e.what(), "Code128 bad Data: characters 129 to 192 and 197 to 255 cannot be encoded");
    }
}

TEST(Code128, Escapes)
{
    const struct {
        const char* text;
        std::string inserted;
        std::string dropped;
    } cases[] = {
        {"\\7", "\x07", ""},
        {"\\13", "\x0d", ""},
        {"\\127", "\x7f", ""},
        {"\\193", "\xc1", ""},
        {"\\256", std::string("\x19") + "6", "6"},
        {"\\300", std::string("\x1e") + "0", "0"},
        {"\\009\\010A", "\x09\x0a" "A", "A"},
        {"\\000", std::string(1, '\0'), ""},
        {"\\x", "\\x", "\\x"},
        {"\\\\7", "\\\\7", "\\\\7"},
        {"AB\\", "AB\\", "AB\\"},
        {"ab\\013cd", "ab\x0d" "cd", "abcd"},
        {"\\2555", "\xff" "5", "5"},
        {"\\25", "\x19", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeEscapes(c.text, true), c.inserted) << c.text;
        EXPECT_EQ(DecodeEscapes(c.text, false), c.dropped) << c.text;
    }
}

TEST(Code128, CodeSetsAndValuesOfBytes)
{
    for (int b = 0; b < 256; ++b) {
        const char expected = (b >= 1 && b <= 31) || b == 128 ? 'A' : 'B';
        EXPECT_EQ(CodeSetFor((unsigned char)b), expected) << b;
    }
    const struct {
        char set;
        int byte;
        int value;
    } cases[] = {
        {'A', 193, 102}, {'B', 194, 97}, {'A', 195, 96}, {'A', 196, 101}, {'B', 196, 100}, {'A', 32, 0},
        {'B', 95, 63},   {'A', 128, 64}, {'A', 0, 64},   {'A', 31, 95},   {'B', 96, 64},   {'B', 127, 95},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Code128Value(c.set, (unsigned char)c.byte), c.value) << c.set << " " << c.byte;
}

TEST(Code128, ShownTexts)
{
    const struct {
        TBarcodeType type;
        std::string text;
        std::string shown;
    } cases[] = {
        {bcCode128C, "12345", "012345"},
        {bcCode128C, "1234", "1234"},
        {bcCodeEAN128C, "011234567890123", "0112345678901231"},
        {bcCode128Auto, "ab\\013cd", "abcd"},
        {bcEAN128Auto, "\\19301234", "01234"},
        {bcCode128A, "A\tB", "A B"},
        {bcCode128A, std::string("\0\x1e\x1f", 3), "   "},  // control characters blank
        {bcCode128A, "\x1f ", "  "},
        {bcCode128Auto,
         "A\x7f"
         "B\\127",
         "A B"},
        {bcCode39Extended, "a\tb", "a b"},
    };
    for (const auto& c : cases) {
        TBarcode bc;
        bc.SetTyp(c.type);
        bc.SetText(c.text);
        bc.BuildPattern();
        EXPECT_EQ(bc.ShownText(), c.shown) << c.text;
    }
}

TEST(Code128, BuildsLeaveTheTextAlone)
{
    for (const TBarcodeType type : {bcCode128A, bcCode128B, bcCode128C, bcCodeEAN128A, bcCodeEAN128B, bcCodeEAN128C,
                                    bcCode128Auto, bcEAN128Auto}) {
        TBarcode bc;
        bc.SetTyp(type);
        bc.SetText("12345");
        bc.SetRatio(5.0);
        const std::string first = bc.BuildPattern();
        EXPECT_EQ(bc.Text(), "12345");
        EXPECT_EQ(bc.Ratio(), 5.0);
        EXPECT_EQ(bc.BuildPattern(), first);
    }
}

}  // namespace
