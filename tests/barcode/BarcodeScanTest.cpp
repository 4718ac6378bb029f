// Scan what we encode: every symbology a decoder reads is built from many
// seeded random texts, painted and decoded with ZXing-C++.
#include "barcode/Barcode.h"
#include "common/BarcodeScan.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace testsupport;

namespace {

constexpr int kTextsPerSymbology = 400;

const char kDigits[] = "0123456789";
const char kCode39Alphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
const char kCodabarData[] = "0123456789-$:/.+";

std::string RandomText(std::mt19937& rng, std::string_view alphabet, int minLen, int maxLen)
{
    std::uniform_int_distribution<int> len(minLen, maxLen);
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    std::string s(size_t(len(rng)), ' ');
    for (char& c : s)
        c = alphabet[pick(rng)];
    return s;
}

std::string RandomBytes(std::mt19937& rng, int lo, int hi, int minLen, int maxLen)
{
    std::string alphabet;
    for (int b = lo; b <= hi; ++b)
        alphabet.push_back(char(b));
    return RandomText(rng, alphabet, minLen, maxLen);
}

// Bytes as text for the automatic Code 128 encoders: control characters and
// the backslash as three-digit escapes. Digit runs are made likely so that the
// encoder switches into set C.
std::string EscapedRandomText(std::mt19937& rng, int maxLen, std::string& bytes)
{
    std::uniform_int_distribution<int> len(1, maxLen);
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_int_distribution<int> ascii(0, 127);
    std::uniform_int_distribution<int> run(1, 7);
    std::uniform_int_distribution<int> digit(0, 9);
    bytes.clear();
    const int n = len(rng);
    while (int(bytes.size()) < n) {
        if (kind(rng) < 3) {
            for (int k = run(rng); k > 0; --k)
                bytes.push_back(char('0' + digit(rng)));
        } else {
            bytes.push_back(char(ascii(rng)));
        }
    }
    std::string text;
    for (const char c : bytes) {
        const auto b = (unsigned char)c;
        if (b < 32 || b == '\\' || b == 127) {
            char esc[5];
            std::snprintf(esc, sizeof esc, "\\%03d", b);
            text += esc;
        } else {
            text.push_back(c);
        }
    }
    return text;
}

struct TScanSetup {
    int modul = 2;
    double ratio = 2.0;
};

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

QByteArray Bytes(const std::string& s)
{
    return QByteArray::fromStdString(s);
}

// Symbol value of the Code 128 check character of a pattern (-1 if none).
int Code128CheckValue(const std::string& pattern)
{
    if (pattern.size() < 13)
        return -1;
    const std::string check = pattern.substr(pattern.size() - 13, 6);
    for (int v = 0; v < 106; ++v) {
        if (TBarcode::WidthsToModules(Code128Widths(v)) == check)
            return v;
    }
    return -1;
}

// ZXing 1.4 takes a check character of value 102 for an FNC1 in second position
// and then reports "]C2" for a symbol that starts with FNC1 all the same.
bool Gs1CheckValueQuirk(const QString& expectedId, const ScanResult& r, const std::string& pattern)
{
    return expectedId == QLatin1String("]C1") && r.symbologyIdentifier == QLatin1String("]C2") &&
           Code128CheckValue(pattern) == 102;
}

struct TRoundTrip {
    const char* name;
    TBarcodeType type;
    unsigned formats;
    bool twoWidth;  // vary Ratio within the bounds
    // Makes the text (and whether to set Checksum) for random source `rng`.
    std::function<std::string(std::mt19937&, bool& checksum)> text;
    // The content a decoder must report, from the component after the build.
    std::function<std::string(const TBarcode&, const std::string& source)> expected;
    std::function<void(ScanOptions&)> options;
    QString symbologyIdentifier;  // checked when set
};

std::string ShownOf(const TBarcode& bc, const std::string&)
{
    return bc.ShownText();
}

std::string SourceOf(const TBarcode&, const std::string& source)
{
    return source;
}

// Check character of Code 39, worked out here from the published values.
char Code39Check(const std::string& text)
{
    int sum = 0;
    for (const char c : text)
        sum += int(std::string_view(kCode39Alphabet).find(c));
    return kCode39Alphabet[sum % 43];
}

std::vector<TRoundTrip> RoundTrips()
{
    auto digits = [](int lo, int hi, bool check) {
        return [=](std::mt19937& rng, bool& checksum) {
            checksum = check;
            return RandomText(rng, kDigits, lo, hi);
        };
    };
    std::vector<TRoundTrip> t;
    t.push_back({"EAN8", bcCodeEAN8, sfEAN8, false, digits(0, 7, true), ShownOf, {}, "]E4"});
    t.push_back({"EAN13", bcCodeEAN13, sfEAN13, false, digits(0, 12, true), ShownOf, {}, "]E0"});
    t.push_back({"UPC_A", bcCodeUPC_A, sfUPCA, false, digits(0, 11, true), ShownOf, {}, {}});
    t.push_back({"UPC_E0", bcCodeUPC_E0, sfUPCE, false, digits(0, 6, false), ShownOf, {}, {}});
    // Seven digits carry their own number system digit, 0 or 1.
    t.push_back({"UPC_E0 seven digits", bcCodeUPC_E0, sfUPCE, false,
                 [](std::mt19937& rng, bool& checksum) {
                     checksum = false;
                     return RandomText(rng, "01", 1, 1) + RandomText(rng, kDigits, 6, 6);
                 },
                 ShownOf, {}, {}});
    t.push_back({"UPC_E1", bcCodeUPC_E1, sfUPCE, false, digits(0, 6, false), ShownOf, {}, {}});
    t.push_back({"2_5_interleaved", bcCode_2_5_interleaved, sfITF, true, digits(6, 30, false), ShownOf, {}, {}});
    t.push_back({"Code39", bcCode39, sfCode39, true,
                 [](std::mt19937& rng, bool& checksum) {
                     checksum = rng() % 2 == 0;
                     return RandomText(rng, kCode39Alphabet, 1, 20);
                 },
                 [](const TBarcode& bc, const std::string& s) { return bc.Checksum() ? s + Code39Check(s) : s; }, {},
                 {}});
    t.push_back({"Code39 Extended", bcCode39Extended, sfCode39, true,
                 [](std::mt19937& rng, bool& checksum) {
                     checksum = false;
                     return RandomBytes(rng, 0, 127, 1, 15);
                 },
                 SourceOf, [](ScanOptions& o) { o.code39Extended = true; }, {}});
    t.push_back({"Code93", bcCode93, sfCode93, false,
                 [](std::mt19937& rng, bool& checksum) {
                     checksum = false;
                     return RandomText(rng, kCode39Alphabet, 1, 25);
                 },
                 SourceOf, {}, "]G0"});
    t.push_back({"Code93 Extended", bcCode93Extended, sfCode93, false,
                 [](std::mt19937& rng, bool& checksum) {
                     checksum = false;
                     return RandomBytes(rng, 0, 127, 1, 20);
                 },
                 SourceOf, {}, {}});
    t.push_back({"Codabar", bcCodeCodabar, sfCodabar, true,
                 [](std::mt19937& rng, bool& checksum) {
                     checksum = false;
                     return RandomText(rng, kCodabarData, 2, 20);
                 },
                 SourceOf, {}, {}});
    t.push_back({"Code128A", bcCode128A, sfCode128, false,
                 [](std::mt19937& rng, bool& checksum) {
                     checksum = false;
                     return RandomBytes(rng, 0, 95, 1, 25);
                 },
                 SourceOf, {}, "]C0"});
    t.push_back({"Code128B", bcCode128B, sfCode128, false,
                 [](std::mt19937& rng, bool& checksum) {
                     checksum = false;
                     return RandomBytes(rng, 32, 126, 1, 25);
                 },
                 SourceOf, {}, "]C0"});
    t.push_back({"Code128C", bcCode128C, sfCode128, false, digits(1, 30, false), ShownOf, {}, "]C0"});
    t.push_back({"EAN128A", bcCodeEAN128A, sfCode128, false,
                 [](std::mt19937& rng, bool& checksum) {
                     checksum = false;
                     return RandomText(rng, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-./", 1, 25);
                 },
                 SourceOf, {}, "]C1"});
    t.push_back({"EAN128B", bcCodeEAN128B, sfCode128, false,
                 [](std::mt19937& rng, bool& checksum) {
                     checksum = false;
                     return RandomBytes(rng, 32, 126, 1, 25);
                 },
                 SourceOf, {}, "]C1"});
    t.push_back({"EAN128C", bcCodeEAN128C, sfCode128, false,
                 [](std::mt19937& rng, bool& checksum) {
                     checksum = false;
                     // Often an SSCC or GTIN identifier, whose check digit the encoder adds.
                     return (rng() % 2 ? RandomText(rng, "012", 1, 1) : std::string()) + RandomText(rng, kDigits, 2, 30);
                 },
                 ShownOf, {}, "]C1"});
    auto escaped = [](std::mt19937& rng, bool& checksum) {
        checksum = false;
        std::string bytes;
        const std::string text = EscapedRandomText(rng, 30, bytes);
        EXPECT_EQ(DecodeEscapes(text, true), bytes) << text;
        return text;
    };
    auto unescaped = [](const TBarcode&, const std::string& source) { return DecodeEscapes(source, true); };
    t.push_back({"Code128Auto", bcCode128Auto, sfCode128, false, escaped, unescaped, {}, "]C0"});
    t.push_back({"EAN128Auto", bcEAN128Auto, sfCode128, false, escaped, unescaped, {}, "]C1"});
    return t;
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
        const bool ok = r.found && r.bytes == Bytes(expected) &&
                        (rt.symbologyIdentifier.isEmpty() || r.symbologyIdentifier == rt.symbologyIdentifier ||
                         Gs1CheckValueQuirk(rt.symbologyIdentifier, r, pattern));
        if (!ok) {
            ++failures;
            ADD_FAILURE() << rt.name << " text '" << source << "' (modul " << bc.Modul() << ", ratio " << bc.Ratio()
                          << ", checksum " << checksum << ")\n  pattern " << pattern << "\n  expected '" << expected
                          << "' read " << (r.found ? "'" + r.bytes.toStdString() + "'" : std::string("nothing"))
                          << " id " << r.symbologyIdentifier.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllReadable, ScanRoundTrip, ::testing::ValuesIn(RoundTrips()),
                         [](const ::testing::TestParamInfo<TRoundTrip>& info) {
                             std::string name = info.param.name;
                             for (char& c : name) {
                                 if (!std::isalnum((unsigned char)c))
                                     c = '_';
                             }
                             return name;
                         });

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
    // Characters from 128 on are dropped.
    EXPECT_EQ(Scan(bcCode39Extended, "A\xe9" "B", o).result.bytes, QByteArray("AB"));
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
        {bcCodeEAN128C, "0112345678901", "01123456789012"},
        {bcCodeEAN128B, "10ABC", "10ABC"},
        {bcCodeEAN128A, "21XYZ", "21XYZ"},
        // An escaped FNC1 later in the text separates GS1 fields: read as GS.
        {bcEAN128Auto, "01123456789012\\193" "10ABC", "01123456789012\x1d" "10ABC"},
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
    // FNC1 inside plain Code 128 reads as GS.
    EXPECT_EQ(Scan(bcCode128Auto, "12\\19334", o).result.bytes, QByteArray("12\x1d" "34"));
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
