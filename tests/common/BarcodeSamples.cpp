#include "common/BarcodeSamples.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>

namespace testsupport {

namespace {

const char kDigits[] = "0123456789";
const char kCode39Alphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
const char kCodabarData[] = "0123456789-$:/.+";

}  // namespace

std::string RandomText(std::mt19937& rng, std::string_view alphabet, int minLen, int maxLen)
{
    std::uniform_int_distribution<int> len(minLen, maxLen);
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    std::string s(size_t(len(rng)), ' ');
    for (char& c : s)
        c = alphabet[pick(rng)];
    return s;
}

std::string WithGs1Check(const std::string& digits)
{
    int sum = 0;
    int weight = 3;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it, weight = 4 - weight)
        sum += (*it - '0') * weight;
    return digits + char('0' + (10 - sum % 10) % 10);
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
static std::string EscapedRandomText(std::mt19937& rng, int maxLen, std::string& bytes)
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

// Symbol value of the Code 128 check character of a pattern (-1 if none).
static int Code128CheckValue(const std::string& pattern)
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

bool Gs1CheckValueQuirk(const QString& expectedId, const ScanResult& r, const std::string& pattern)
{
    return expectedId == QLatin1String("]C1") && r.symbologyIdentifier == QLatin1String("]C2") &&
           Code128CheckValue(pattern) == 102;
}


static std::string ShownOf(const TBarcode& bc, const std::string&)
{
    return bc.ShownText();
}

static std::string SourceOf(const TBarcode&, const std::string& source)
{
    return source;
}

char Code39Check(std::string_view text)
{
    int sum = 0;
    for (const char c : text)
        sum += int(std::string_view(kCode39Alphabet).find(c));
    return kCode39Alphabet[sum % 43];
}

std::vector<TRoundTrip> ScanRoundTrips()
{
    auto digits = [](int lo, int hi, bool check) {
        return [=](std::mt19937& rng, bool& checksum) {
            checksum = check;
            return RandomText(rng, kDigits, lo, hi);
        };
    };
    std::vector<TRoundTrip> t;
    t.push_back({"EAN8", bcCodeEAN8, sfEAN8, false, digits(1, 7, true), ShownOf, {}, "]E4"});
    t.push_back({"EAN13", bcCodeEAN13, sfEAN13, false, digits(1, 12, true), ShownOf, {}, "]E0"});
    t.push_back({"UPC_A", bcCodeUPC_A, sfUPCA, false, digits(1, 11, true), ShownOf, {}, {}});
    t.push_back({"UPC_E0", bcCodeUPC_E0, sfUPCE, false, digits(1, 6, false), ShownOf, {}, {}});
    // Seven digits carry their own number system digit, 0 or 1.
    t.push_back({"UPC_E0 seven digits", bcCodeUPC_E0, sfUPCE, false,
                 [](std::mt19937& rng, bool& checksum) {
                     checksum = false;
                     return RandomText(rng, "01", 1, 1) + RandomText(rng, kDigits, 6, 6);
                 },
                 ShownOf, {}, {}});
    t.push_back({"UPC_E1", bcCodeUPC_E1, sfUPCE, false, digits(1, 6, false), ShownOf, {}, {}});
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
                     // Often an SSCC or GTIN field one digit short: the encoder adds its check digit.
                     switch (rng() % 3) {
                         case 0:
                             return "0" + RandomText(rng, "12", 1, 1) + RandomText(rng, kDigits, 13, 13);
                         case 1:
                             return "00" + RandomText(rng, kDigits, 17, 17);
                         default:
                             return RandomText(rng, "3456789", 1, 1) + RandomText(rng, kDigits, 1, 30);
                     }
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

bool RoundTripMatches(const TRoundTrip& rt, const ScanResult& r, const std::string& expected, const std::string& pattern)
{
    return r.found && r.bytes == QByteArray::fromStdString(expected) &&
           (rt.symbologyIdentifier.isEmpty() || r.symbologyIdentifier == rt.symbologyIdentifier ||
            Gs1CheckValueQuirk(rt.symbologyIdentifier, r, pattern));
}

std::string RoundTripTestName(const TRoundTrip& rt)
{
    std::string name = rt.name;
    for (char& c : name) {
        if (!std::isalnum((unsigned char)c))
            c = '_';
    }
    return name;
}

}  // namespace testsupport
