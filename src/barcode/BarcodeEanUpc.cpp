// EAN-8, EAN-13, UPC-A, UPC-E and the 2- and 5-digit supplements.
#include "barcode/BarcodeEncoders.h"
#include "barcode/bcchksum.h"

using namespace barcode_detail;

namespace {

// Number set A as element widths space, bar, space, bar. Set C has the same
// widths starting with a bar; set B is set C read backwards.
const char kSetAWidths[10][5] = {"3211", "2221", "2122", "1411", "1132", "1231", "1114", "1312", "1213", "3112"};

enum TNumberSet { nsA, nsB, nsC };

inline char Space(char w) { return char('0' + (w - '1')); }
inline char Bar(char w) { return char('5' + (w - '1')); }

void AppendDigit(std::string& out, char digit, TNumberSet set)
{
    const char* w = kSetAWidths[(digit - '0') % 10];
    switch (set) {
    case nsA:
        out += {Space(w[0]), Bar(w[1]), Space(w[2]), Bar(w[3])};
        break;
    case nsB:
        out += {Space(w[3]), Bar(w[2]), Space(w[1]), Bar(w[0])};
        break;
    case nsC:
        out += {Bar(w[0]), Space(w[1]), Bar(w[2]), Space(w[3])};
        break;
    }
}

const char kNormalGuard[] = "505";
const char kCentreGuard[] = "05050";
const char kUpcEEndGuard[] = "050505";
const char kAddOnStart[] = "506";
const char kAddOnSeparator[] = "05";

// Set of the six left-half digits of EAN-13, by the leading digit.
const char kEan13Parity[10][7] = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                  "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
// UPC-E parity by check digit (number system 0): E even, o odd. The 5-digit
// supplement uses a row without its first letter.
const char kUpcEParity[10][7] = {"EEEooo", "EEoEoo", "EEooEo", "EEoooE", "EoEEoo",
                                 "EooEEo", "EoooEE", "EoEoEo", "EoEooE", "EooEoE"};
const char kSupp2Parity[4][3] = {"oo", "oE", "Eo", "EE"};

// PadDigits written back into the text.
void PadInPlace(std::string& text, size_t n)
{
    if (text.size() >= n)
        text.resize(n);
    else
        text.insert(0, n - text.size(), '0');
}

inline TNumberSet EvenOdd(char letter) { return letter == 'E' ? nsB : nsA; }

// The parts of a UPC-E symbol: number system digit, the six encoded digits and
// the check digit. False when the code cannot be expanded.
//
// A UPC-E0 text of seven or more digits carries its own number system digit:
// the six digits after it are encoded, with that number system's parity, so the
// bars agree with the check digit computed from all seven.
bool UpcEParts(const TBarcode& bc, char& numberSystem, std::string& six, char& check)
{
    const bool e1 = bc.Typ() == bcCodeUPC_E1;
    std::string input;
    if (e1)
        input = "1" + bc.PadDigits(6);
    else
        input = bc.PadDigits(7);
    if (!e1 && bc.Text().size() >= 7)
        six = input.substr(1, 6);
    else
        six = bc.PadDigits(6);
    numberSystem = input[0];
    std::string expanded;
    if (!ExpandUpcEInto(input, expanded))
        return false;
    check = bc.ApplyCheckSum(expanded).back();
    return true;
}

// The digits of an EAN-8, EAN-13 or UPC-A symbol of `full` digits, check digit
// last. With Checksum a shorter text is padded and gets its check digit;
// otherwise the padded text carries its own. A text of full length always
// carries its own, and a longer one does not fit: either would print a symbol
// that scans as another number, or that no scanner accepts.
const char* EanData(const TBarcode& bc, size_t full, std::string& data)
{
    const std::string& text = bc.Text();
    if (text.size() > full) {
        data = text;
        return kErrTooManyDigits;
    }
    if (bc.Checksum() && text.size() < full) {
        data = bc.ApplyCheckSum(bc.PadDigits(int(full) - 1));
        return nullptr;
    }
    data = bc.PadDigits(int(full));
    const char expected = Modulo10CheckDigit(std::string_view(data).substr(0, full - 1));
    return data.back() == expected ? nullptr : CheckDigitError(expected);
}

// A supplement of `digits` digits; with Checksum its text may already carry
// the check digit the build appends (building again gives the same symbol).
const char* SupplementLength(const TBarcode& bc, size_t digits)
{
    const std::string& text = bc.Text();
    if (text.size() <= digits)
        return nullptr;
    if (!bc.Checksum() || text.size() > digits + 1)
        return kErrTooManyDigits;
    const char expected = AddOnCheckDigitOf(std::string_view(text).substr(0, digits));
    return text.back() == expected ? nullptr : CheckDigitError(expected);
}

}  // namespace

namespace barcode_detail {

bool ExpandUpcEInto(std::string_view s, std::string& out)
{
    if (s.size() != 7 || (s[0] != '0' && s[0] != '1'))
        return false;
    for (const char c : s) {
        if (!IsDigit((unsigned char)c))
            return false;
    }
    const char d1 = s[1], d2 = s[2], d3 = s[3], d4 = s[4], d5 = s[5], d6 = s[6];
    out.assign(1, s[0]);
    switch (d6) {
    case '0':
    case '1':
    case '2':
        out += {d1, d2, d6, '0', '0', '0', '0', d3, d4, d5};
        break;
    case '3':
        out += {d1, d2, d3, '0', '0', '0', '0', '0', d4, d5};
        break;
    case '4':
        out += {d1, d2, d3, d4, '0', '0', '0', '0', '0', d5};
        break;
    default:
        out += {d1, d2, d3, d4, d5, '0', '0', '0', '0', d6};
        break;
    }
    return true;
}

}  // namespace barcode_detail

std::string ExpandUpcE(std::string_view sevenDigits)
{
    std::string out;
    if (!ExpandUpcEInto(sevenDigits, out))
        throw BarcodeError(kErrUpcE);
    return out;
}

std::string AddOnCheckDigit(std::string_view digits)
{
    std::string out(digits);
    out.push_back(AddOnCheckDigitOf(digits));
    return out;
}

const char* TBarcodeEncoder::Ean8(TBarcode& bc, std::string& out)
{
    std::string data;
    if (const char* error = EanData(bc, 8, data))
        return error;
    out = kNormalGuard;
    for (size_t i = 0; i < 4 && i < data.size(); ++i)
        AppendDigit(out, data[i], nsA);
    out += kCentreGuard;
    for (size_t i = 4; i < 8 && i < data.size(); ++i)
        AppendDigit(out, data[i], nsC);
    out += kNormalGuard;
    return nullptr;
}

const char* TBarcodeEncoder::Ean13(TBarcode& bc, std::string& out)
{
    std::string data;
    if (const char* error = EanData(bc, 13, data))
        return error;
    const char* parity = kEan13Parity[data.empty() ? 0 : data[0] - '0'];
    out = kNormalGuard;
    for (size_t i = 1; i < 7 && i < data.size(); ++i)
        AppendDigit(out, data[i], parity[i - 1] == 'A' ? nsA : nsB);
    out += kCentreGuard;
    for (size_t i = 7; i < 13 && i < data.size(); ++i)
        AppendDigit(out, data[i], nsC);
    out += kNormalGuard;
    return nullptr;
}

const char* TBarcodeEncoder::UpcA(TBarcode& bc, std::string& out)
{
    std::string data;
    if (const char* error = EanData(bc, 12, data))
        return error;
    out = kNormalGuard;
    for (size_t i = 0; i < 6 && i < data.size(); ++i)
        AppendDigit(out, data[i], nsA);
    out += kCentreGuard;
    for (size_t i = 6; i < 12 && i < data.size(); ++i)
        AppendDigit(out, data[i], nsC);
    out += kNormalGuard;
    return nullptr;
}

// UPC-E0 takes six digits, the number system digit and six, or those and the
// check digit (which must be the right one); UPC-E1 six digits.
const char* TBarcodeEncoder::UpcE(TBarcode& bc, std::string& out)
{
    const std::string& text = bc.Text();
    if (text.size() > (bc.Typ() == bcCodeUPC_E1 ? 6u : 8u))
        return kErrTooManyDigits;
    char numberSystem = '0';
    char check = '0';
    std::string six;
    if (!UpcEParts(bc, numberSystem, six, check))
        return kErrUpcE;
    if (text.size() == 8 && text.back() != check)
        return CheckDigitError(check);
    const char* parity = kUpcEParity[check - '0'];
    const bool inverted = numberSystem == '1';
    out = kNormalGuard;
    for (size_t i = 0; i < 6; ++i) {
        TNumberSet set = EvenOdd(parity[i]);
        if (inverted)
            set = set == nsA ? nsB : nsA;
        AppendDigit(out, six[i], set);
    }
    out += kUpcEEndGuard;
    return nullptr;
}

const char* TBarcodeEncoder::UpcSupp5(TBarcode& bc, std::string& out)
{
    if (const char* error = SupplementLength(bc, 5))
        return error;
    std::string& text = bc.text_;
    PadInPlace(text, 5);
    const char check = AddOnCheckDigitOf(text);
    const std::string digits = text;
    if (bc.checksum_)
        text.push_back(check);
    const char* parity = kUpcEParity[check - '0'] + 1;
    out = kAddOnStart;
    for (size_t i = 0; i < 5; ++i) {
        AppendDigit(out, digits[i], EvenOdd(parity[i]));
        if (i < 4)
            out += kAddOnSeparator;
    }
    return nullptr;
}

const char* TBarcodeEncoder::UpcSupp2(TBarcode& bc, std::string& out)
{
    if (const char* error = SupplementLength(bc, 2))
        return error;
    std::string& text = bc.text_;
    PadInPlace(text, 2);
    const char d1 = text[0];
    const char d2 = text[1];
    if (bc.checksum_)
        text.push_back(AddOnCheckDigitOf(text));
    const char* parity = kSupp2Parity[((d1 - '0') * 10 + (d2 - '0')) % 4];
    out = kAddOnStart;
    AppendDigit(out, d1, EvenOdd(parity[0]));
    out += kAddOnSeparator;
    AppendDigit(out, d2, EvenOdd(parity[1]));
    return nullptr;
}

std::string TBarcodeEncoder::EanUpcShownDigits(const TBarcode& bc)
{
    switch (bc.Typ()) {
    case bcCodeEAN8:
    case bcCodeEAN13:
    case bcCodeUPC_A: {
        // The number the bars carry, also when the text was shorter.
        const size_t full = bc.Typ() == bcCodeEAN8 ? 8 : bc.Typ() == bcCodeEAN13 ? 13 : 12;
        std::string data;
        EanData(bc, full, data);
        return data;
    }
    case bcCodeUPC_E0:
    case bcCodeUPC_E1: {
        char numberSystem = '0';
        char check = '0';
        std::string six;
        const bool ok = UpcEParts(bc, numberSystem, six, check);
        std::string shown(1, numberSystem);
        shown += six;
        if (ok)
            shown.push_back(check);
        return shown;
    }
    default:
        return bc.Text();
    }
}
