// Scan what we encode: every symbology a decoder reads is built from many
// seeded random texts, painted and decoded with ZXing-C++.
#include "barcode/Barcode.h"
#include "common/BarcodeSamples.h"
#include "common/BarcodeScan.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace testsupport;

namespace {

constexpr int kTextsPerSymbology = 400;

// Builds, paints and decodes; fails the test with the text when the build fails.
ScanResult BuildAndScan(TBarcode& bc, const ScanOptions& options, std::string* pattern = nullptr)
{
    std::string p;
    try {
        bc.BuildPattern(p);
    } catch (const BarcodeError& e) {
        ADD_FAILURE() << "build failed for '" << bc.Text() << "': " << e.what();
        return {};
    }
    if (pattern)
        *pattern = p;
    return DecodeImage(PaintModulePattern(bc, p, 40, 12 * bc.Modul()), options);
}

class ScanRoundTrip : public ::testing::TestWithParam<TRoundTrip> {};

TEST_P(ScanRoundTrip, DecoderReadsWhatWasEncoded)
{
    if (!ScanAvailable())
        GTEST_SKIP() << "ZXing not available";
    const TRoundTrip& rt = GetParam();
    std::mt19937 rng(20240501u + unsigned(rt.type) * 7919u);
    const TSymbologyInfo& info = SymbologyTable[size_t(rt.type)];
    std::uniform_int_distribution<int> modul(1, 3);
    std::uniform_real_distribution<double> ratio(info.ratioMin > 0 ? info.ratioMin : 2.0, 3.0);
    int failures = 0;
    for (int n = 0; n < kTextsPerSymbology && failures < 5; ++n) {
        bool checksum = false;
        const std::string source = rt.text(rng, checksum);
        TBarcode bc;
        bc.SetTyp(rt.type);
        bc.SetChecksum(checksum);
        bc.SetText(source);
        bc.SetModul(modul(rng));
        if (rt.twoWidth)
            bc.SetRatio(ratio(rng));
        ScanOptions options;
        options.formats = rt.formats;
        if (rt.options)
            rt.options(options);
        std::string pattern;
        const ScanResult r = BuildAndScan(bc, options, &pattern);
        const std::string expected = rt.expected(bc, source);
        if (!RoundTripMatches(rt, r, expected, pattern)) {
            ++failures;
            ADD_FAILURE() << rt.name << " text '" << source << "' (modul " << bc.Modul() << ", ratio " << bc.Ratio()
                          << ", checksum " << checksum << ")\n  pattern " << pattern << "\n  expected '" << expected
                          << "' read " << (r.found ? "'" + r.bytes.toStdString() + "'" : std::string("nothing"))
                          << " id " << r.symbologyIdentifier.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllReadable, ScanRoundTrip, ::testing::ValuesIn(ScanRoundTrips()),
                         [](const ::testing::TestParamInfo<TRoundTrip>& info) { return RoundTripTestName(info.param); });

// --- where the decoder reads a symbol differently from how this program means it

struct TScanned {
    std::string pattern;
    ScanResult result;
};

TScanned Scan(TBarcodeType type, const std::string& text, const ScanOptions& options, bool checksum = false)
{
    TBarcode bc;
    bc.SetTyp(type);
    bc.SetText(text);
    bc.SetChecksum(checksum);
    bc.SetModul(2);
    TScanned s;
    s.result = BuildAndScan(bc, options, &s.pattern);
    return s;
}

class ScanDifferences : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!ScanAvailable())
            GTEST_SKIP() << "ZXing not available";
    }
};

TEST_F(ScanDifferences, CodabarStartAndStopAreAAndB)
{
    // Decoders drop the start and stop characters unless asked for them; ours
    // are always A and B.
    ScanOptions o;
    o.formats = sfCodabar;
    EXPECT_EQ(Scan(bcCodeCodabar, "123-45", o).result.bytes, QByteArray("123-45"));
    o.codabarStartStop = true;
    EXPECT_EQ(Scan(bcCodeCodabar, "123-45", o).result.bytes, QByteArray("A123-45B"));
    EXPECT_EQ(Scan(bcCodeCodabar, "$:/.+", o).result.bytes, QByteArray("A$:/.+B"));
}

TEST_F(ScanDifferences, Code39ExtendedIsFullAsciiOnlyWhenReadSo)
{
    ScanOptions o;
    o.formats = sfCode39;
    EXPECT_EQ(Scan(bcCode39Extended, "abc", o).result.bytes, QByteArray("+A+B+C"));
    o.code39Extended = true;
    EXPECT_EQ(Scan(bcCode39Extended, "abc", o).result.bytes, QByteArray("abc"));
    const std::string controls{'a', '-', 'b', '.', 'c', '\0', '\x1f', '\x7f', '@', '`'};
    EXPECT_EQ(Scan(bcCode39Extended, controls, o).result.bytes, QByteArray::fromStdString(controls));
}

TEST_F(ScanDifferences, PlainCode93ShiftCharactersReadAsFullAscii)
{
    // "[", "]", "{", "}" are the four shift characters of the Code 93 table;
    // a decoder combines them with the next letter.
    ScanOptions o;
    o.formats = sfCode93;
    EXPECT_EQ(Scan(bcCode93, "[A", o).result.bytes, QByteArray("\x01", 1));
    EXPECT_EQ(Scan(bcCode93, "}A}B", o).result.bytes, QByteArray("ab"));
    EXPECT_EQ(Scan(bcCode93Extended, "ab", o).result.bytes, QByteArray("ab"));
}

TEST_F(ScanDifferences, Ean128ReadsAsGs1WithFnc1First)
{
    ScanOptions o;
    o.formats = sfCode128;
    const struct {
        TBarcodeType type;
        const char* text;
        QByteArray content;
    } cases[] = {
        {bcCodeEAN128C, "011234567890123", "0112345678901231"},  // the GTIN's check digit added
        {bcCodeEAN128C, "0112345678901231", "0112345678901231"},
        {bcCodeEAN128C, "10123", "10123"},
        {bcCodeEAN128C, "011234567890123110123", "011234567890123110123"},
        {bcCodeEAN128B, "10ABC", "10ABC"},
        {bcCodeEAN128A, "21XYZ", "21XYZ"},
        // An escaped FNC1 later in the text separates GS1 fields: read as GS.
        {bcEAN128Auto,
         "01123456789012\\193"
         "10ABC",
         "01123456789012\x1d"
         "10ABC"},
    };
    for (const auto& c : cases) {
        const TScanned s = Scan(c.type, c.text, o);
        EXPECT_EQ(s.result.symbologyIdentifier, QLatin1String("]C1")) << c.text;
        EXPECT_EQ(s.result.contentType, QLatin1String("GS1")) << c.text;
        EXPECT_EQ(s.result.bytes, c.content) << c.text;
    }
    // The same text without FNC1 first is plain Code 128.
    EXPECT_EQ(Scan(bcCode128B, "10ABC", o).result.symbologyIdentifier, QLatin1String("]C0"));
}

TEST_F(ScanDifferences, Code128FunctionCharacters)
{
    ScanOptions o;
    o.formats = sfCode128;
    // FNC1 inside plain Code 128 reads as GS, also where set C saves symbols.
    EXPECT_EQ(Scan(bcCode128Auto, "12\\19334", o).result.bytes, QByteArray("12\x1d" "34"));
    EXPECT_EQ(Scan(bcCode128Auto, "A12\\19334", o).result.bytes, QByteArray("A12\x1d"
                                                                            "34"));
    EXPECT_EQ(Scan(bcCode128Auto, "AB\\001CD", o).result.bytes, QByteArray("AB\x01"
                                                                           "CD"));
    // FNC4 shifts the next character by 128 in a decoder.
    EXPECT_EQ(Scan(bcCode128Auto, "\\196A", o).result.bytes, QByteArray("\xc1"));
    // FNC2 and FNC3 carry no data.
    EXPECT_EQ(Scan(bcCode128Auto, "\\194AB", o).result.bytes, QByteArray("AB"));
    EXPECT_EQ(Scan(bcCode128Auto, "\\195AB", o).result.bytes, QByteArray("AB"));
}

TEST_F(ScanDifferences, SupplementsReadBesideTheirMainSymbol)
{
    // Decoders read the 2- and 5-digit supplements only as add-ons of an EAN or
    // UPC symbol, nine modules to its right.
    ScanOptions o;
    o.addOn = ScanAddOn::Require;
    const struct {
        TBarcodeType main;
        const char* mainText;
        unsigned format;
        TBarcodeType supp;
        const char* suppText;
        bool checksum;
        const char* read;
    } cases[] = {
        {bcCodeEAN13, "590123412345", sfEAN13, bcCodeUPC_Supp5, "52495", true, "5901234123457 52495"},
        {bcCodeEAN13, "590123412345", sfEAN13, bcCodeUPC_Supp5, "7", false, "5901234123457 00007"},
        {bcCodeEAN13, "590123412345", sfEAN13, bcCodeUPC_Supp2, "34", true, "5901234123457 34"},
        {bcCodeUPC_A, "03600029145", sfUPCA, bcCodeUPC_Supp2, "7", true, "036000291452 07"},
        {bcCodeUPC_A, "03600029145", sfUPCA, bcCodeUPC_Supp5, "90000", false, "036000291452 90000"},
        {bcCodeEAN8, "1234567", sfEAN8, bcCodeUPC_Supp2, "99", false, "12345670 99"},
    };
    for (const auto& c : cases) {
        TBarcode main;
        main.SetTyp(c.main);
        main.SetText(c.mainText);
        main.SetChecksum(true);
        TBarcode supp;
        supp.SetTyp(c.supp);
        supp.SetText(c.suppText);
        supp.SetChecksum(c.checksum);
        const std::string pattern = main.BuildPattern() + "000000000" + supp.BuildPattern();
        o.formats = c.format;
        const ScanResult r = DecodeImage(PaintModulePattern(main, pattern, 60, 30), o);
        EXPECT_EQ(r.text, QLatin1String(c.read)) << c.suppText;
    }
}

TEST_F(ScanDifferences, UpcE0SevenDigitsScanAsTheirOwnNumberSystem)
{
    ScanOptions o;
    o.formats = sfUPCE;
    EXPECT_EQ(Scan(bcCodeUPC_E0, "1425261", o).result.bytes, QByteArray("14252611"));
    EXPECT_EQ(Scan(bcCodeUPC_E0, "0123456", o).result.bytes, QByteArray("01234565"));
    EXPECT_EQ(Scan(bcCodeUPC_E1, "425261", o).pattern, Scan(bcCodeUPC_E0, "1425261", o).pattern);
    EXPECT_EQ(Scan(bcCodeUPC_E0, "123456", o).pattern, Scan(bcCodeUPC_E0, "0123456", o).pattern);
}

}  // namespace
