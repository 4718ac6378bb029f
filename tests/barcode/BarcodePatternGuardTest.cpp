// Symbols that scan as their text keep their module patterns: stored labels
// print the same bars release after release. For every symbology a seeded
// corpus of such texts is built and its patterns are summed into a digest
// taken from the release before; a change to any one bar changes the digest.
// The automatic Code 128 encoders keep their first choice of code sets
// wherever it is as short as can be, and only shorten the others.
#include "barcode/Barcode.h"
#include "barcode/BarcodeEncoders.h"
#include "common/BarcodeSamples.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>

using testsupport::WithGs1Check;

namespace {

constexpr int kTextsPerSymbology = 1500;

// Picks without the standard distributions, whose results differ between
// libraries: the corpus must be the same everywhere.
int Pick(std::mt19937& rng, int lo, int hi)
{
    return lo + int(rng() % std::uint32_t(hi - lo + 1));
}

std::string Chars(std::mt19937& rng, std::string_view alphabet, int minLen, int maxLen)
{
    std::string s(size_t(Pick(rng, minLen, maxLen)), ' ');
    for (char& c : s)
        c = alphabet[size_t(Pick(rng, 0, int(alphabet.size()) - 1))];
    return s;
}

std::string Bytes(std::mt19937& rng, int lo, int hi, int minLen, int maxLen)
{
    std::string alphabet;
    for (int b = lo; b <= hi; ++b)
        alphabet.push_back(char(b));
    return Chars(rng, alphabet, minLen, maxLen);
}

const char kDigits[] = "0123456789";

std::string Digits(std::mt19937& rng, int minLen, int maxLen)
{
    return Chars(rng, kDigits, minLen, maxLen);
}

// Code 128 text of the automatic encoders: printable characters, control
// characters and FNC1 as escapes, and digit runs for set C.
std::string EscapedText(std::mt19937& rng)
{
    std::string text;
    const int n = Pick(rng, 1, 24);
    for (int i = 0; i < n; ++i) {
        const int kind = Pick(rng, 0, 9);
        if (kind < 3) {
            text += Digits(rng, 1, 7);
        } else if (kind == 3) {
            text += "\\" + std::to_string(Pick(rng, 0, 31) + 1000).substr(1);
        } else if (kind == 4) {
            text += "\\193";
        } else {
            const char c = char(Pick(rng, 32, 126));
            text += c == '\\' ? std::string("\\092") : std::string(1, c);
        }
    }
    return text;
}

struct TCorpus {
    TBarcodeType type;
    std::uint64_t digest;
    // A text that scans as itself (plus what the symbology adds), and whether
    // to build it with Checksum.
    std::function<std::string(std::mt19937&, bool& checksum)> text;
};

std::string EanUpc(std::mt19937& rng, bool& checksum, int full)
{
    checksum = rng() % 2 == 0;
    return checksum ? Digits(rng, 1, full - 1) : WithGs1Check(Digits(rng, full - 1, full - 1));
}

std::string UpcE0(std::mt19937& rng, bool& checksum)
{
    checksum = rng() % 2 == 0;
    switch (Pick(rng, 0, 2)) {
        case 0:
            return Digits(rng, 1, 6);
        case 1:
            return Chars(rng, "01", 1, 1) + Digits(rng, 6, 6);
        default: {
            // Number system, six digits and the check digit of their expansion.
            TBarcode bc;
            bc.SetTyp(bcCodeUPC_E0);
            bc.SetText(Chars(rng, "01", 1, 1) + Digits(rng, 6, 6));
            bc.BuildPattern();
            return bc.ShownText();
        }
    }
}

std::string Ean128C(std::mt19937& rng, bool& checksum)
{
    checksum = false;
    switch (Pick(rng, 0, 3)) {
        case 0:
            return "00" + Digits(rng, 17, 17);
        case 1:
            return Chars(rng, "12", 1, 1) == "1" ? "01" + Digits(rng, 13, 13) : "02" + Digits(rng, 13, 13);
        default: {
            // An identifier of no predefined length (5 to 9 first) and its data,
            // an even number of digits.
            std::string s;
            do
                s = Chars(rng, "56789", 1, 1) + Digits(rng, 1, 15);
            while (s.size() % 2 == 1);
            return s;
        }
    }
}

std::vector<TCorpus> Corpora()
{
    auto digits = [](int lo, int hi) {
        return [=](std::mt19937& rng, bool& checksum) {
            checksum = rng() % 2 == 0;
            return Digits(rng, lo, hi);
        };
    };
    auto chars = [](const char* alphabet, int hi) {
        return [=](std::mt19937& rng, bool& checksum) {
            checksum = rng() % 2 == 0;
            return Chars(rng, alphabet, 1, hi);
        };
    };
    auto bytes = [](int lo, int hi, int maxLen) {
        return [=](std::mt19937& rng, bool& checksum) {
            checksum = rng() % 2 == 0;
            return Bytes(rng, lo, hi, 1, maxLen);
        };
    };
    const char* code39 = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
    auto escaped = [](std::mt19937& rng, bool& checksum) {
        checksum = false;
        return EscapedText(rng);
    };
    return {
        {bcCode_2_5_interleaved, 0x4880991a5b6d0473ull, digits(1, 30)},
        {bcCode_2_5_industrial, 0xf97760a4700b389aull, digits(1, 30)},
        {bcCode_2_5_matrix, 0x1f1a4af18ef4edf7ull, digits(1, 30)},
        {bcCode39, 0x5ae90ef4d63fc9dcull, chars(code39, 20)},
        {bcCode39Extended, 0xaf7d49a6d2521d3eull, bytes(0, 127, 15)},
        {bcCode128A, 0x998c4c5effd6c1d5ull, bytes(0, 95, 25)},
        {bcCode128B, 0xcf5dbe7904cbb36eull, bytes(32, 126, 25)},
        {bcCode128C, 0xfe694c6391b2a0eaull, digits(1, 30)},
        {bcCode93, 0xbef2658dd60549e1ull, chars(code39, 25)},
        {bcCode93Extended, 0x9e13bc71b6d75155ull, bytes(0, 127, 20)},
        {bcCodeMSI, 0xe6758ceb57016c53ull, digits(1, 20)},
        {bcCodePostNet, 0xe6d4deb4ddf79386ull, digits(1, 20)},
        {bcCodeCodabar, 0x5e7f564733ee7f70ull, chars("0123456789-$:/.+", 20)},
        {bcCodeEAN8, 0x88dc411ccd009988ull, [](std::mt19937& rng, bool& checksum) { return EanUpc(rng, checksum, 8); }},
        {bcCodeEAN13, 0x38482a09764759c4ull,
         [](std::mt19937& rng, bool& checksum) { return EanUpc(rng, checksum, 13); }},
        {bcCodeUPC_A, 0x6eb119bd1f66bdd0ull,
         [](std::mt19937& rng, bool& checksum) { return EanUpc(rng, checksum, 12); }},
        {bcCodeUPC_E0, 0xb495df3ffa73d2b8ull, UpcE0},
        {bcCodeUPC_E1, 0xa37694c5cc636a85ull, digits(1, 6)},
        {bcCodeUPC_Supp2, 0xb50d9c333209135bull, digits(1, 2)},
        {bcCodeUPC_Supp5, 0x8dde6a10005d8eccull, digits(1, 5)},
        {bcCodeEAN128A, 0xebb7fa43b55fbdc5ull, bytes(0, 95, 25)},
        {bcCodeEAN128B, 0x499101a81c19b6b2ull, bytes(32, 126, 25)},
        {bcCodeEAN128C, 0xdca9eb59f6613b59ull, Ean128C},
        {bcCode128Auto, 0x4d21aca0e557014dull, escaped},
        {bcEAN128Auto, 0xa134ab052a3c659ull, escaped},
    };
}

// FNV-1a over the bytes.
void Mix(std::uint64_t& h, std::string_view bytes)
{
    for (const char c : bytes) {
        h ^= (unsigned char)c;
        h *= 1099511628211ull;
    }
    h ^= 0xff;
    h *= 1099511628211ull;
}

// The pattern of the automatic encoders' first choice; `built` must be that
// pattern, or shorter (never another encoding of the same length).
std::string FirstChoice(const std::string& text, bool ean, const std::string& built)
{
    const std::string bytes = DecodeEscapes(text, true);
    std::vector<int> values;
    barcode_detail::GreedyCode128AutoInto(bytes, ean, values);
    std::string widths;
    long check = values.at(0);
    for (size_t k = 0; k < values.size(); ++k) {
        widths += Code128Widths(values[k]);
        check += long(values[k]) * long(k);
    }
    widths += Code128Widths(int(check % 103));
    widths += Code128Widths(106);
    const std::string pattern = TBarcode::WidthsToModules(widths);
    if (built.size() >= pattern.size()) {
        EXPECT_EQ(built, pattern) << text;
    }
    return pattern;
}

TEST(PatternGuard, SymbolsThatScanKeepTheirBars)
{
    for (const TCorpus& corpus : Corpora()) {
        std::mt19937 rng(977u + unsigned(corpus.type));
        std::uint64_t digest = 14695981039346656037ull;
        for (int n = 0; n < kTextsPerSymbology; ++n) {
            bool checksum = false;
            const std::string text = corpus.text(rng, checksum);
            TBarcode bc;
            bc.SetTyp(corpus.type);
            bc.SetChecksum(checksum);
            bc.SetText(text);
            std::string pattern;
            try {
                bc.BuildPattern(pattern);
            } catch (const BarcodeError& e) {
                ADD_FAILURE() << SymbologyTable[corpus.type].name << " refuses '" << text << "': " << e.what();
                break;
            }
            if (corpus.type == bcCode128Auto || corpus.type == bcEAN128Auto)
                pattern = FirstChoice(text, corpus.type == bcEAN128Auto, pattern);
            Mix(digest, text);
            Mix(digest, checksum ? "1" : "0");
            Mix(digest, pattern);
        }
        EXPECT_EQ(digest, corpus.digest) << SymbologyTable[corpus.type].name << ": 0x" << std::hex << digest;
    }
}

}  // namespace
