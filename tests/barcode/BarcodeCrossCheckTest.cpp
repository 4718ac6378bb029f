// Every symbology against two independent referees: libzint encodes the same
// texts (module for module the same symbol, or where the two choose
// differently the same data in a symbol of ours no longer than its), and
// ZXing-C++ reads what we draw. Seeded texts, some of them spoiled, also show
// that "valid" means exactly "prints and scans as its text": a text we refuse
// is one zint refuses too, or whose zint symbol does not scan as the text.
#include "barcode/Barcode.h"
#include "common/BarcodeSamples.h"
#include "common/BarcodeScan.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>

#ifdef TAGMORA_HAVE_ZINT
#include <zint.h>
#endif

using namespace testsupport;

namespace {

// Texts per symbology; TAGMORA_CROSSCHECK_TEXTS asks for more.
constexpr int kTextsPerSymbology = 2000;

// A text, and what zint and a scanner make of it.
struct TSample {
    std::string text;
    bool checksum = false;
    std::string content;    // what a scan of a right symbol reads
    std::string zintInput;  // empty: zint has no counterpart
    int zintOption2 = 0;
    int zintMode = 0;  // DATA_MODE
};

// How our symbol and zint's must agree.
enum class TAgree {
    Modules,   // the same bars and spaces
    Data,      // or, where the code sets differ, the same data and ours no longer
    FixedSet,  // or the same data: the user chose the code set, zint chooses its own
};

struct TReferee {
    const char* name;
    TBarcodeType type;
    int zint;          // zint's symbology (0: none)
    double ratio;      // our Ratio for zint's wide elements
    unsigned formats;  // ZXing's format (0: it reads none)
    TAgree agree;
    size_t minScan;  // shorter contents ZXing does not read
    std::function<TSample(std::mt19937&)> sample;
    // Modules ours may have beyond zint's for a text (longer full-ASCII forms).
    std::function<int(const TSample&)> longer;
};

const char kDigits[] = "0123456789";
const char kCode39Chars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";

bool Chance(std::mt19937& rng, int oneIn)
{
    return rng() % unsigned(oneIn) == 0;
}

// Blanks and control characters at the ends are no part of a code (the
// validity check trims them): they become "0".
std::string NoBlankEnds(std::string text)
{
    if (!text.empty() && (unsigned char)text.front() <= ' ')
        text.front() = '0';
    if (!text.empty() && (unsigned char)text.back() <= ' ')
        text.back() = '0';
    return text;
}

// One text in five gets a character from `bad` inside it (not at an end).
bool Spoil(std::mt19937& rng, std::string& text, std::string_view bad)
{
    if (bad.empty() || text.size() < 2 || !Chance(rng, 5))
        return false;
    text.insert(text.begin() + long(1 + rng() % (text.size() - 1)), bad[rng() % bad.size()]);
    return true;
}

// Digits of an EAN/UPC symbol of `full` digits: mostly right, some with a
// wrong check digit or a digit too many. The content is the number the text
// stands for, padded, with the check digit added under Checksum.
TSample RetailSample(std::mt19937& rng, size_t full)
{
    TSample s;
    s.checksum = rng() % 2 == 0;
    const std::string data = RandomText(rng, kDigits, 1, int(full) - 1);
    s.text = s.checksum || Chance(rng, 3) ? data : WithGs1Check(RandomText(rng, kDigits, int(full) - 1, int(full) - 1));
    if (Chance(rng, 8))
        s.text += RandomText(rng, kDigits, 1, 1);
    if (s.text.size() >= full)
        s.content = s.text;
    else if (s.checksum)
        s.content = WithGs1Check(std::string(full - 1 - s.text.size(), '0') + s.text);
    else
        s.content = std::string(full - s.text.size(), '0') + s.text;
    s.zintInput = s.content;
    return s;
}

// UPC-E: six digits (E0: number system 0), E0 also the number system digit
// and six, with or without the check digit; some check digits wrong.
TSample UpcESample(std::mt19937& rng, bool e1)
{
    TSample s;
    s.checksum = rng() % 2 == 0;
    const std::string six = RandomText(rng, kDigits, 6, 6);
    const int form = int(rng() % 4);
    const char system = e1 ? '1' : form == 0 ? '0' : "01"[rng() % 2];
    TBarcode full;
    full.SetTyp(bcCodeUPC_E0);
    full.SetText(std::string(1, system) + six);
    s.content = full.ShownDigits();  // number system, six digits, check digit
    if (form == 3) {
        s.content.back() = char('0' + (s.content.back() - '0' + 1) % 10);
        s.text = e1 ? s.content.substr(1) : s.content;
    } else if (form == 0 || e1) {
        s.text = six;
    } else {
        s.text = form == 1 ? s.content.substr(0, 7) : s.content;
    }
    s.zintInput = s.content;
    return s;
}

// EAN-128C: element strings of digits, the SSCC/GTIN check digit sometimes
// left for the encoder to add, sometimes wrong.
TSample Ean128CSample(std::mt19937& rng)
{
    TSample s;
    struct TField {
        const char* ai;
        int digits;  // 0: variable, last
    };
    static const TField fields[] = {{"00", 17}, {"01", 13}, {"02", 13}, {"11", 6}, {"17", 6}, {"10", 0}, {"21", 0}};
    const int count = 1 + int(rng() % 3);
    for (int k = 0; k < count; ++k) {
        const bool last = k + 1 == count;
        const TField& f = fields[rng() % (last ? 7 : 5)];
        std::string data;
        if (f.digits == 6)  // a date, YYMMDD
            data = RandomText(rng, kDigits, 2, 2) + "0" + RandomText(rng, "123456789", 1, 1) + "1" +
                   RandomText(rng, kDigits, 1, 1);
        else
            data = RandomText(rng, kDigits, f.digits ? f.digits : 1, f.digits ? f.digits : 12);
        const bool gs1Check = f.digits == 17 || f.digits == 13;
        std::string typed = data;
        if (gs1Check) {
            data = WithGs1Check(data);
            typed = data;
            if (last && Chance(rng, 2))
                typed.pop_back();  // the encoder adds it
            else if (Chance(rng, 8))
                typed.back() = data.back() = char('0' + (data.back() - '0' + 1) % 10);
        }
        s.zintInput += std::string("[") + f.ai + "]" + data;
        s.content += f.ai + data;
        s.text += f.ai + typed;
        if (!f.digits)
            break;
    }
    s.zintMode = 2;  // GS1_MODE, identifiers and check digits checked
    return s;
}

// GS1 element strings in printable text for EAN-128 A, B and auto: an
// identifier and its data, a variable field ended by FNC1 when another follows.
TSample Gs1TextSample(std::mt19937& rng, const char* alphabet, bool fnc1)
{
    static const char* const ais[] = {"10", "21", "240", "90", "91"};
    TSample s;
    const int count = fnc1 ? 1 + int(rng() % 3) : 1;
    for (int k = 0; k < count; ++k) {
        const char* ai = ais[rng() % 5];
        const std::string data = RandomText(rng, alphabet, 1, 12);
        if (k > 0) {
            s.text += "\\193";
            s.content += '\x1d';
        }
        s.text += ai + data;
        s.content += ai + data;
        s.zintInput += std::string("[") + ai + "]" + data;
    }
    s.zintMode = 0x22;  // GS1_MODE | GS1NOCHECK_MODE
    return s;
}

// Printable ASCII and control characters as the automatic encoders take
// them: escapes for controls and the backslash, digit runs for set C.
TSample AutoSample(std::mt19937& rng)
{
    TSample s;
    const int n = 1 + int(rng() % 20);
    for (int k = 0; k < n; ++k) {
        const unsigned kind = rng() % 8;
        if (kind < 2) {
            s.content += RandomText(rng, kDigits, 1, 7);
        } else if (kind == 2) {
            s.content.push_back(char(rng() % 32));
        } else {
            s.content.push_back(char(32 + rng() % 96));
        }
    }
    s.content = NoBlankEnds(s.content);
    for (const char c : s.content) {
        const auto b = (unsigned char)c;
        if (b < 32 || b == '\\' || b == 127) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\%03d", b);
            s.text += escape;
        } else {
            s.text.push_back(c);
        }
    }
    s.zintInput = s.content;
    if (Chance(rng, 8)) {
        s.text += "\\200";  // no symbol value
        s.zintInput.clear();
    }
    return s;
}

// A text that reads as itself; `bad` characters spoil some. A symbology of
// fixed code sets has no counterpart in zint for characters outside them.
template <class F>
std::function<TSample(std::mt19937&)> Plain(F text, const char* bad, bool zintJudgesBad = true)
{
    return [=](std::mt19937& rng) {
        TSample s;
        s.text = NoBlankEnds(text(rng));
        const bool spoiled = Spoil(rng, s.text, bad);
        s.content = s.text;
        if (!spoiled || zintJudgesBad)
            s.zintInput = s.text;
        return s;
    };
}

int CountOf(const std::string& text, std::string_view chars)
{
    int n = 0;
    for (const char c : text)
        n += chars.find(c) != std::string_view::npos;
    return n;
}

TSample Code39Sample(std::mt19937& rng)
{
    TSample s;
    s.checksum = rng() % 2 == 0;
    s.text = NoBlankEnds(RandomText(rng, kCode39Chars, 1, 20));
    Spoil(rng, s.text, "*a");
    s.content = s.checksum ? s.text + Code39Check(s.text) : s.text;
    s.zintInput = s.text;
    s.zintOption2 = s.checksum;
    return s;
}

// Interleaved 2 of 5 and Code 128C: an odd count gets a leading "0".
TSample EvenDigitsSample(std::mt19937& rng, bool zintJudgesBad)
{
    TSample s;
    s.text = RandomText(rng, kDigits, 1, 24);
    const bool spoiled = Spoil(rng, s.text, "A");
    s.content = (s.text.size() % 2 ? "0" : "") + s.text;
    if (!spoiled || zintJudgesBad)
        s.zintInput = s.content;
    return s;
}

// PostNet: the text carries its check digit, zint adds it.
TSample PostNetSample(std::mt19937& rng)
{
    TSample s;
    s.zintInput = RandomText(rng, kDigits, 5, 11);
    int sum = 0;
    for (const char c : s.zintInput)
        sum += c - '0';
    s.text = s.zintInput + char('0' + (10 - sum % 10) % 10);
    if (Spoil(rng, s.text, "A"))
        s.zintInput = s.text;
    return s;
}

TSample CodabarSample(std::mt19937& rng)
{
    TSample s;
    std::string data = RandomText(rng, "0123456789-$:/.+", 1, 16);
    const std::string start = Chance(rng, 2) ? RandomText(rng, "ABCD", 1, 1) : "";
    const std::string stop = Chance(rng, 2) ? RandomText(rng, "ABCD", 1, 1) : "";
    Spoil(rng, data, "ABCDE");
    s.text = start + data + stop;
    s.content = (start.empty() ? "A" : start) + data + (stop.empty() ? "B" : stop);
    s.zintInput = s.content;
    return s;
}

// The supplements stand alone: zint draws them so from two and five digits.
TSample SupplementSample(std::mt19937& rng, size_t digits)
{
    TSample s;
    s.checksum = rng() % 2 == 0;
    s.text = RandomText(rng, kDigits, 1, int(digits));
    if (Chance(rng, 6))
        s.text += RandomText(rng, kDigits, 1, 1);  // no counterpart
    else
        s.zintInput = std::string(digits - s.text.size(), '0') + s.text;
    return s;
}

// EAN-128 A and B, a fixed code set: characters outside it have no
// counterpart in zint, which chooses its sets itself.
TSample Gs1FixedSetSample(std::mt19937& rng, const char* alphabet, const char* bad)
{
    TSample s = Gs1TextSample(rng, alphabet, false);
    if (Spoil(rng, s.text, bad))
        s.zintInput.clear();
    return s;
}

TSample Ean128AutoSample(std::mt19937& rng)
{
    TSample s = Gs1TextSample(rng, "0123456789ABCDEFGHIJabcdefghij-./:", true);
    if (Chance(rng, 8)) {
        s.text += "\\200";  // no symbol value
        s.zintInput.clear();
    }
    return s;
}

TReferee Ref(const char* name, TBarcodeType type, int zint, double ratio, unsigned formats, TAgree agree,
             std::function<TSample(std::mt19937&)> sample)
{
    return TReferee{name, type, zint, ratio, formats, agree, 0, std::move(sample), {}};
}

std::vector<TReferee> Referees()
{
    std::vector<TReferee> r;
#ifdef TAGMORA_HAVE_ZINT
    using namespace std::placeholders;
    auto digits = [](int lo, int hi) { return [=](std::mt19937& rng) { return RandomText(rng, kDigits, lo, hi); }; };
    auto bytes = [](int lo, int hi, int maxLen) {
        return [=](std::mt19937& rng) { return RandomBytes(rng, lo, hi, 1, maxLen); };
    };
    const auto modules = TAgree::Modules;
    r.push_back(Ref("2_5_interleaved", bcCode_2_5_interleaved, BARCODE_C25INTER, 3.0, sfITF, modules,
                    std::bind(EvenDigitsSample, _1, true)));
    r.back().minScan = 6;
    r.push_back(
        Ref("2_5_industrial", bcCode_2_5_industrial, BARCODE_C25IND, 3.0, 0, modules, Plain(digits(1, 24), "A")));
    r.push_back(Ref("2_5_matrix", bcCode_2_5_matrix, BARCODE_C25STANDARD, 3.0, 0, modules, Plain(digits(1, 24), "A")));
    r.push_back(Ref("Code39", bcCode39, BARCODE_CODE39, 2.0, sfCode39, modules, Code39Sample));
    // "-" and "." this program writes "/M" and "/N" in full ASCII, one
    // character (13 modules) more than zint; both read the same.
    r.push_back(Ref("Code39 Extended", bcCode39Extended, BARCODE_EXCODE39, 2.0, sfCode39, TAgree::Data,
                    Plain(bytes(1, 127, 15), "\xe9")));
    r.back().longer = [](const TSample& s) { return 13 * CountOf(s.text, "-."); };
    r.push_back(Ref("Code128A", bcCode128A, BARCODE_CODE128, 2.0, sfCode128, TAgree::FixedSet,
                    Plain(bytes(1, 95, 20), "a~", false)));
    r.push_back(Ref("Code128B", bcCode128B, BARCODE_CODE128B, 2.0, sfCode128, modules,
                    Plain(bytes(32, 126, 20), "\t\xe9", false)));
    r.push_back(
        Ref("Code128C", bcCode128C, BARCODE_CODE128, 2.0, sfCode128, modules, std::bind(EvenDigitsSample, _1, false)));
    // zint's Code 93 is always full ASCII: no counterpart for lower case.
    r.push_back(Ref("Code93", bcCode93, BARCODE_CODE93, 2.0, sfCode93, modules,
                    Plain([](std::mt19937& rng) { return RandomText(rng, kCode39Chars, 1, 20); }, "a*", false)));
    // Likewise "$ % + - . /", each two characters (9 modules) in this
    // program's full ASCII.
    r.push_back(Ref("Code93 Extended", bcCode93Extended, BARCODE_CODE93, 2.0, sfCode93, TAgree::Data,
                    Plain(bytes(1, 127, 15), "\xe9")));
    r.back().longer = [](const TSample& s) { return 9 * CountOf(s.text, "$%+-./"); };
    r.push_back(Ref("MSI", bcCodeMSI, BARCODE_MSI_PLESSEY, 2.0, 0, modules, [=](std::mt19937& rng) {
        TSample s = Plain(digits(1, 20), "A")(rng);
        s.zintOption2 = 1;  // modulo 10
        return s;
    }));
    r.push_back(Ref("PostNet", bcCodePostNet, BARCODE_POSTNET, 1.0, 0, modules, PostNetSample));
    r.push_back(Ref("Codabar", bcCodeCodabar, BARCODE_CODABAR, 2.0, sfCodabar, modules, CodabarSample));
    r.back().minScan = 4;
    r.push_back(Ref("EAN8", bcCodeEAN8, BARCODE_EANX_CHK, 2.0, sfEAN8, modules, std::bind(RetailSample, _1, 8)));
    r.push_back(Ref("EAN13", bcCodeEAN13, BARCODE_EANX_CHK, 2.0, sfEAN13, modules, std::bind(RetailSample, _1, 13)));
    r.push_back(Ref("UPC_A", bcCodeUPC_A, BARCODE_UPCA_CHK, 2.0, sfUPCA, modules, std::bind(RetailSample, _1, 12)));
    r.push_back(Ref("UPC_E0", bcCodeUPC_E0, BARCODE_UPCE_CHK, 2.0, sfUPCE, modules, std::bind(UpcESample, _1, false)));
    r.push_back(Ref("UPC_E1", bcCodeUPC_E1, BARCODE_UPCE_CHK, 2.0, sfUPCE, modules, std::bind(UpcESample, _1, true)));
    // No reader takes a supplement without its main symbol.
    r.push_back(Ref("UPC Supp2", bcCodeUPC_Supp2, BARCODE_EANX, 2.0, 0, modules, std::bind(SupplementSample, _1, 2)));
    r.push_back(Ref("UPC Supp5", bcCodeUPC_Supp5, BARCODE_EANX, 2.0, 0, modules, std::bind(SupplementSample, _1, 5)));
    r.push_back(Ref("EAN128A", bcCodeEAN128A, BARCODE_GS1_128, 2.0, sfCode128, TAgree::FixedSet,
                    std::bind(Gs1FixedSetSample, _1, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-./", "a")));
    r.push_back(Ref("EAN128B", bcCodeEAN128B, BARCODE_GS1_128, 2.0, sfCode128, TAgree::FixedSet,
                    std::bind(Gs1FixedSetSample, _1, "0123456789ABCDEFGHIJabcdefghij-./:", "\t")));
    r.push_back(Ref("EAN128C", bcCodeEAN128C, BARCODE_GS1_128, 2.0, sfCode128, TAgree::Data, Ean128CSample));
    r.push_back(Ref("Code128Auto", bcCode128Auto, BARCODE_CODE128, 2.0, sfCode128, TAgree::Data, AutoSample));
    r.push_back(Ref("EAN128Auto", bcEAN128Auto, BARCODE_GS1_128, 2.0, sfCode128, TAgree::Data, Ean128AutoSample));
#endif
    return r;
}

#ifdef TAGMORA_HAVE_ZINT

// A symbol as modules, "1" a bar and "0" a space; rows joined by "|" (PostNet:
// the tall part, then every bar).
struct TModules {
    bool ok = false;         // a symbol, perhaps with a warning
    bool compliant = false;  // and one that keeps to its standard
    std::string error;
    std::string bits;
};

// Spaces after the last bar are quiet zone: zint keeps some, we none.
std::string WithoutTrailingSpaces(std::string bits)
{
    std::string out;
    size_t from = 0;
    while (from <= bits.size()) {
        size_t to = bits.find('|', from);
        if (to == std::string::npos)
            to = bits.size();
        std::string row = bits.substr(from, to - from);
        row.erase(row.find_last_not_of('0') + 1);
        out += (from ? "|" : "") + row;
        from = to + 1;
    }
    return out;
}

TModules ZintModules(const TReferee& ref, const TSample& s)
{
    TModules m;
    zint_symbol* symbol = ZBarcode_Create();
    symbol->symbology = ref.zint;
    symbol->option_2 = s.zintOption2;
    symbol->input_mode = s.zintMode;
    const int rc =
        ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(s.zintInput.data()), int(s.zintInput.size()));
    m.ok = rc < ZINT_ERROR;
    m.compliant = m.ok && rc != ZINT_WARN_NONCOMPLIANT;
    m.error = symbol->errtxt;
    for (int r = 0; m.ok && r < symbol->rows; ++r) {
        if (r > 0)
            m.bits += '|';
        for (int c = 0; c < symbol->width; ++c)
            m.bits += (symbol->encoded_data[r][c >> 3] >> (c & 7)) & 1 ? '1' : '0';
    }
    m.bits = WithoutTrailingSpaces(m.bits);
    ZBarcode_Delete(symbol);
    return m;
}

std::string OurModules(const TBarcode& bc, const std::string& pattern)
{
    std::string bits;
    std::string tall;
    for (const char c : pattern) {
        const TModuleInfo info = bc.ModuleInfo(c);
        bits.append(size_t(info.width), info.kind == mkSpace ? '0' : '1');
        tall.append(size_t(info.width), info.kind == mkBar ? '1' : '0');
    }
    return WithoutTrailingSpaces(bc.Typ() == bcCodePostNet ? tall + '|' + bits : bits);
}

// Reads a row of modules, two pixels each, with a quiet zone.
ScanResult ScanModules(const std::string& bits, const TReferee& ref)
{
    const int quiet = 24;
    QImage image(int(bits.size()) * 2 + 2 * quiet, 16, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (size_t i = 0; i < bits.size(); ++i) {
        if (bits[i] == '1')
            painter.fillRect(quiet + int(i) * 2, 0, 2, image.height(), Qt::black);
    }
    painter.end();
    ScanOptions options;
    options.formats = ref.formats;
    options.tryRotate = false;
    options.codabarStartStop = true;
    options.code39Extended = ref.type == bcCode39Extended;
    return DecodeImage(image, options);
}

struct TCounts {
    int texts = 0, valid = 0, identical = 0, sameData = 0, shorter = 0, scanned = 0, refusedBoth = 0;
    int refusedUnreadable = 0, upcENotZeroSuppressed = 0;
};

// A UPC-E code (number system, six digits, check digit) that is not the one
// the zero suppression rules give for its UPC-A number: zint refuses these,
// we print them as typed (they scan as their digits).
bool NotZeroSuppressed(const std::string& upcE)
{
    const char d3 = upcE[3], d4 = upcE[4], d5 = upcE[5], d6 = upcE[6];
    return (d6 == '3' && d3 < '3') || (d6 == '4' && d4 == '0') || (d6 >= '5' && d5 == '0');
}

// One text: the failure to report, or empty.
std::string Judge(const TReferee& ref, const TSample& s, TCounts& n)
{
    const TModules theirs = s.zintInput.empty() ? TModules{} : ZintModules(ref, s);
    const bool valid = IsValidCode(std::string_view(s.text), ref.type, s.checksum);
    const bool readable = ref.formats != 0 && s.content.size() >= ref.minScan;
    if (!valid) {
        // No independent encoder may make a symbol that reads as the text.
        if (!theirs.compliant)
            ++n.refusedBoth;
        else if (readable && ScanModules(theirs.bits, ref).bytes.toStdString() != s.content)
            ++n.refusedUnreadable;
        else
            return "refused, but zint encodes it: " + theirs.bits;
        return {};
    }
    ++n.valid;
    TBarcode bc;
    bc.SetTyp(ref.type);
    bc.SetChecksum(s.checksum);
    bc.SetRatio(ref.ratio);
    bc.SetText(s.text);
    const std::string ours = OurModules(bc, bc.BuildPattern());
    if (readable) {
        const ScanResult r = ScanModules(ours, ref);
        if (r.bytes.toStdString() != s.content)
            return "reads as '" + r.bytes.toStdString() + "', not '" + s.content + "'";
        ++n.scanned;
    }
    if (s.zintInput.empty())
        return {};
    if (!theirs.ok && (ref.type == bcCodeUPC_E0 || ref.type == bcCodeUPC_E1) && NotZeroSuppressed(s.content)) {
        ++n.upcENotZeroSuppressed;
        return {};
    }
    if (!theirs.ok)
        return "zint refuses it: " + theirs.error;
    if (ours == theirs.bits) {
        ++n.identical;
        return {};
    }
    if (ref.agree == TAgree::Modules)
        return "modules differ\n  ours " + ours + "\n  zint " + theirs.bits;
    const int allowance = ref.longer ? ref.longer(s) : 0;
    if (ref.agree == TAgree::Data && ours.size() > theirs.bits.size() + size_t(allowance))
        return "ours is longer\n  ours " + ours + "\n  zint " + theirs.bits;
    if (ScanModules(theirs.bits, ref).bytes != ScanModules(ours, ref).bytes)
        return "zint's symbol reads otherwise";
    ++n.sameData;
    n.shorter += ours.size() < theirs.bits.size();
    return {};
}

#endif

class CrossCheck : public ::testing::TestWithParam<TReferee> {};

TEST_P(CrossCheck, ValidExactlyWhenItScansAsTheTextAndZintAgrees)
{
#ifndef TAGMORA_HAVE_ZINT
    GTEST_SKIP() << "libzint not available";
#else
    if (!ScanAvailable())
        GTEST_SKIP() << "ZXing not available";
    const TReferee& ref = GetParam();
    const char* more = std::getenv("TAGMORA_CROSSCHECK_TEXTS");
    const int texts = more ? std::max(1, std::atoi(more)) : kTextsPerSymbology;
    std::mt19937 rng(4242u + unsigned(ref.type));
    TCounts n;
    int failures = 0;
    for (; n.texts < texts && failures < 5; ++n.texts) {
        const TSample s = ref.sample(rng);
        const std::string failure = Judge(ref, s, n);
        if (!failure.empty()) {
            ++failures;
            ADD_FAILURE() << ref.name << " '" << s.text << "' (checksum " << s.checksum << ", zint '" << s.zintInput
                          << "'): " << failure;
        }
    }
    std::printf(
        "zint cross-check %s: %d texts, %d valid (%d identical to zint, %d same data in other code sets of "
        "which %d shorter, %d read by ZXing, %d UPC-E not zero-suppressed), %d refused (%d by zint too, %d "
        "not readable from zint's symbol)\n",
        ref.name, n.texts, n.valid, n.identical, n.sameData, n.shorter, n.scanned, n.upcENotZeroSuppressed,
        n.texts - n.valid, n.refusedBoth, n.refusedUnreadable);
#endif
}

INSTANTIATE_TEST_SUITE_P(AllSymbologies, CrossCheck, ::testing::ValuesIn(Referees()),
                         [](const ::testing::TestParamInfo<TReferee>& info) {
                             std::string name = info.param.name;
                             for (char& c : name) {
                                 if (!std::isalnum((unsigned char)c))
                                     c = '_';
                             }
                             return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CrossCheck);

}  // namespace
