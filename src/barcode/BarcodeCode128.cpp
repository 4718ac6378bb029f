// Code 128 and EAN-128: the fixed code sets and the automatic encoders.
#include "barcode/BarcodeEncoders.h"
#include "barcode/bcchksum.h"

using namespace barcode_detail;

namespace {

// Element widths of the symbol values 0..105 (bar first) and of the stop (106).
const char* const kCode128[107] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",  //   0
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",  //  10
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",  //  20
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",  //  30
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",  //  40
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",  //  50
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",  //  60
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",  //  70
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",  //  80
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",  //  90
    "114131", "311141", "411131", "211412", "211214", "211232", "2331112",                              // 100
};

enum : int {
    kFnc3 = 96,
    kFnc2 = 97,
    kShift = 98,
    kCodeC = 99,
    kCodeB = 100,
    kCodeA = 101,
    kFnc1 = 102,
    kStartA = 103,
    kStartB = 104,
    kStartC = 105,
    kStop = 106,
};

// Value of a byte in the set A and set B columns of the fixed encoders; -1 for
// a byte outside the column (the text cannot be encoded in that set).
inline int FixedValueA(unsigned char b)
{
    if (b < 32)
        return b + 64;
    if (b < 96)
        return b - 32;
    return -1;
}

inline int FixedValueB(unsigned char b)
{
    return b >= 32 && b <= 126 ? b - 32 : -1;
}

// Start value, the values after it weighted 1, 2, 3, ... and the stop.
void ValuesToPattern(const std::vector<int>& values, std::string& out)
{
    std::int64_t sum = values.empty() ? 0 : values[0] % 103;
    for (size_t k = 1; k < values.size(); ++k)
        sum = (sum + std::int64_t(values[k]) * std::int64_t(k % 103)) % 103;
    out.clear();
    out.reserve((values.size() + 1) * 6 + 7);
    for (const int v : values)
        AppendWidths(out, kCode128[v]);
    AppendWidths(out, kCode128[sum % 103]);
    AppendWidths(out, kCode128[kStop]);
}

inline bool IsEan128(TBarcodeType t)
{
    return t == bcCodeEAN128A || t == bcCodeEAN128B || t == bcCodeEAN128C || t == bcEAN128Auto;
}

// Length of identifier and data of the GS1 element strings whose length the
// first two digits fix (the table scanners use to find where a field ends
// without FNC1); 0 for the others, which run to the end of the text here.
size_t PredefinedFieldLength(std::string_view digits)
{
    const int prefix = (digits[0] - '0') * 10 + (digits[1] - '0');
    switch (prefix) {
        case 0:
            return 20;
        case 1:
        case 2:
        case 3:
        case 41:
            return 16;
        case 4:
            return 18;
        case 20:
            return 4;
        default:
            break;
    }
    if (prefix >= 11 && prefix <= 19)
        return 8;
    if (prefix >= 31 && prefix <= 36)
        return 10;
    return 0;
}

// EAN-128C digits: GS1 element strings. Fields of a predefined length are
// followed to find where the next one starts. The SSCC (00) and GTIN (01, 02)
// fields end in a check digit: one digit short at the end of the text they get
// it there, complete they must carry the right one, and any other length
// cannot be told apart from the field after it. A field running to the end of
// the text is taken as it stands.
const char* Ean128CDigits(const TBarcode& bc, std::string& out)
{
    out.clear();
    std::string_view rest = bc.Text();
    while (rest.size() >= 2) {
        const size_t field = PredefinedFieldLength(rest);
        const bool checked = rest[0] == '0' && rest[1] <= '2';
        if (field == 0 || (!checked && rest.size() < field))
            break;
        if (checked && rest.size() == field - 1) {
            out.append(rest.substr(0, 2));
            out += bc.ApplyCheckSum(rest.substr(2));
            return nullptr;
        }
        if (rest.size() < field)
            return kErrAiTooShort;
        if (checked) {
            const char expected = Modulo10CheckDigit(rest.substr(2, field - 3));
            if (rest[field - 1] != expected)
                return CheckDigitError(expected);
        }
        out.append(rest.substr(0, field));
        rest = rest.substr(field);
    }
    out.append(rest);
    return nullptr;
}

// The digits a Code 128C or EAN-128C symbol encodes (also its shown text).
const char* SetCDigits(const TBarcode& bc, std::string& out)
{
    if (bc.Typ() == bcCodeEAN128C)
        return Ean128CDigits(bc, out);
    out.clear();
    if (bc.Text().size() % 2 == 1)
        out.push_back('0');
    out += bc.Text();
    return nullptr;
}

}  // namespace

const char* Code128Widths(int value)
{
    return value >= 0 && value <= kStop ? kCode128[value] : "";
}

const char* TBarcodeEncoder::Code128Fixed(TBarcode& bc, std::string& out)
{
    const TBarcodeType t = bc.typ_;
    thread_local std::vector<int> values;
    values.clear();
    const bool setA = t == bcCode128A || t == bcCodeEAN128A;
    const bool setC = t == bcCode128C || t == bcCodeEAN128C;
    values.push_back(setA ? kStartA : setC ? kStartC : kStartB);
    if (IsEan128(t))
        values.push_back(kFnc1);
    if (setC) {
        thread_local std::string digits;
        if (const char* error = SetCDigits(bc, digits))
            return error;
        for (size_t i = 0; i + 1 < digits.size(); i += 2) {
            const auto hi = (unsigned char)digits[i];
            const auto lo = (unsigned char)digits[i + 1];
            values.push_back(IsDigit(hi) && IsDigit(lo) ? (hi - '0') * 10 + (lo - '0') : 0);
        }
        // An odd EAN-128C digit count ends with its last digit in set B.
        if (digits.size() % 2 == 1) {
            values.push_back(kCodeB);
            values.push_back(FixedValueB((unsigned char)digits.back()));
        }
    } else {
        for (const char c : bc.text_) {
            const int value = setA ? FixedValueA((unsigned char)c) : FixedValueB((unsigned char)c);
            if (value < 0)
                return setA ? kErrCode128A : kErrCode128B;
            values.push_back(value);
        }
    }
    ValuesToPattern(values, out);
    return nullptr;
}

// --- automatic code sets

namespace barcode_detail {

void DecodeEscapesInto(std::string_view text, bool insert, std::string& out)
{
    out.clear();
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        const char c = text[i];
        if (c != '\\' || i + 1 >= n) {
            out.push_back(c);
            ++i;
            continue;
        }
        if (!IsDigit((unsigned char)text[i + 1])) {
            out.push_back(c);
            out.push_back(text[i + 1]);
            i += 2;
            continue;
        }
        int number = text[i + 1] - '0';
        i += 2;
        if (i < n && IsDigit((unsigned char)text[i])) {
            number = number * 10 + (text[i] - '0');
            ++i;
            if (number < 26 && i < n && IsDigit((unsigned char)text[i]) && number * 10 + (text[i] - '0') < 256) {
                number = number * 10 + (text[i] - '0');
                ++i;
            }
        }
        if (insert)
            out.push_back(char(number));
    }
}

// The first choice of code sets: the start set by the first bytes, set C for
// runs of four digits or more, SHIFT for a lone byte of the other set.
void GreedyCode128AutoInto(std::string_view d, bool ean, std::vector<int>& values)
{
    values.clear();
    const size_t n = d.size();
    auto at = [&](size_t i) -> unsigned char { return i < n ? (unsigned char)d[i] : 0; };

    char set;
    if (n == 0)
        set = 'A';
    else if ((n == 2 && IsDigit(at(0)) && IsDigit(at(1))) ||
             (IsDigit(at(0)) && IsDigit(at(1)) && IsDigit(at(2)) && IsDigit(at(3))))
        set = 'C';
    else
        set = CodeSetFor(at(0));
    values.push_back(set == 'A' ? kStartA : set == 'B' ? kStartB : kStartC);
    if (ean)
        values.push_back(kFnc1);

    size_t i = 0;
    while (i < n) {
        const unsigned char b = at(i);
        if (set == 'C') {
            if (b == 193) {
                values.push_back(kFnc1);
                ++i;
            } else if (IsDigit(b) && IsDigit(at(i + 1))) {
                values.push_back((b - '0') * 10 + (at(i + 1) - '0'));
                i += 2;
            } else {
                set = CodeSetFor(b);
                values.push_back(set == 'A' ? kCodeA : kCodeB);
            }
            continue;
        }
        size_t run = 0;
        while (IsDigit(at(i + run)))
            ++run;
        if (run >= 4) {
            if (run % 2 == 1) {
                values.push_back(b - 32);
                ++i;
            }
            values.push_back(kCodeC);
            set = 'C';
        } else if (set == 'A' && b >= 96 && b <= 127) {
            if (CodeSetFor(at(i + 1)) == 'B') {
                values.push_back(kCodeB);
                set = 'B';
            } else {
                values.push_back(kShift);
                values.push_back(Code128Value('B', b));
                ++i;
            }
        } else if (set == 'B' && (b < 32 || b == 128)) {
            if (CodeSetFor(at(i + 1)) == 'A') {
                values.push_back(kCodeA);
                set = 'A';
            } else {
                values.push_back(kShift);
                values.push_back(Code128Value('A', b));
                ++i;
            }
        } else {
            values.push_back(Code128Value(set, b));
            ++i;
        }
    }
}

namespace {

enum : int { kSetA = 0, kSetB = 1, kSetC = 2 };

inline bool InSetA(unsigned b)
{
    return b < 96 || b == 128 || (b >= 193 && b <= 196);
}

inline bool InSetB(unsigned b)
{
    return (b >= 32 && b <= 127) || (b >= 193 && b <= 196);
}

// One step of a shortest encoding, reached from (from, fromSet).
struct TAutoStep {
    int cost;
    int from;  // position before the step; -1: the start character
    unsigned char fromSet;
    unsigned char action;
};
enum : unsigned char { saStart, saLatch, saChar, saShift, saPair };

int CheapestSet(const std::vector<TAutoStep>& steps, size_t at)
{
    int best = kSetA;
    for (int set = kSetB; set <= kSetC; ++set) {
        if (steps[3 * at + size_t(set)].cost < steps[3 * at + size_t(best)].cost)
            best = set;
    }
    return best;
}

// Fewest symbol values for the bytes: for every position and code set the
// cheapest way there. steps[3 * i + set].
//
// Where an FNC1 stands changes what it means: first after the start
// character it marks GS1 data, second after a letter or a set C pair an AIM
// application, anywhere later it separates fields. A text's first FNC1 keeps
// the first place, the others stay from the third place on.
int ShortestSteps(std::string_view d, bool ean, std::vector<TAutoStep>& steps)
{
    constexpr int kNone = 1 << 29;
    const size_t n = d.size();
    steps.assign(3 * (n + 1), TAutoStep{kNone, -1, 0, saStart});
    auto relax = [&](size_t to, int set, int cost, size_t from, int fromSet, unsigned char action) {
        TAutoStep& s = steps[3 * to + size_t(set)];
        if (cost < s.cost)
            s = {cost, int(from), (unsigned char)fromSet, action};
    };
    for (int set = kSetA; set <= kSetC; ++set)
        steps[size_t(set)].cost = ean ? 2 : 1;
    for (size_t i = 0; i <= n; ++i) {
        // A code set change costs one value, from the cheapest set here.
        const int best = CheapestSet(steps, i);
        const int here = steps[3 * i + size_t(best)].cost;
        for (int set = kSetA; set <= kSetC; ++set)
            relax(i, set, here + 1, i, best, saLatch);
        if (i == n)
            break;
        const auto b = (unsigned char)d[i];
        // The place the next value takes is the count of values so far.
        auto fnc1Fits = [&](int place) { return ean || (i == 0 ? place == 1 : place >= 3); };
        if (b == 193) {
            for (int set = kSetA; set <= kSetC; ++set) {
                const int cost = steps[3 * i + size_t(set)].cost;
                if (fnc1Fits(cost))
                    relax(i + 1, set, cost + 1, i, set, saChar);
            }
            continue;
        }
        for (int set = kSetA; set <= kSetB; ++set) {
            const int cost = steps[3 * i + size_t(set)].cost;
            const bool own = set == kSetA ? InSetA(b) : InSetB(b);
            const bool other = set == kSetA ? InSetB(b) : InSetA(b);
            if (own)
                relax(i + 1, set, cost + 1, i, set, saChar);
            else if (other)
                relax(i + 1, set, cost + 2, i, set, saShift);
        }
        if (i + 1 < n && IsDigit(b) && IsDigit((unsigned char)d[i + 1]))
            relax(i + 2, kSetC, steps[3 * i + kSetC].cost + 1, i, kSetC, saPair);
    }
    return CheapestSet(steps, n);
}

// The values of the shortest encoding ShortestSteps found, ending in `set`.
void ShortestValues(std::string_view d, bool ean, const std::vector<TAutoStep>& steps, int set,
                    std::vector<int>& values)
{
    thread_local std::vector<std::pair<size_t, int>> path;  // (position, set) after each step
    path.clear();
    size_t at = d.size();
    while (true) {
        path.emplace_back(at, set);
        const TAutoStep& s = steps[3 * at + size_t(set)];
        if (s.action == saStart)
            break;
        at = size_t(s.from);
        set = s.fromSet;
    }
    static const char kSetName[] = {'A', 'B'};
    static const int kStart[] = {kStartA, kStartB, kStartC};
    static const int kLatch[] = {kCodeA, kCodeB, kCodeC};
    values.clear();
    values.push_back(kStart[path.back().second]);
    if (ean)
        values.push_back(kFnc1);
    for (size_t k = path.size() - 1; k-- > 0;) {
        const auto [pos, toSet] = path[k];
        const TAutoStep& s = steps[3 * pos + size_t(toSet)];
        const auto b = (unsigned char)d[size_t(s.from) < d.size() ? size_t(s.from) : 0];
        switch (s.action) {
            case saLatch:
                values.push_back(kLatch[toSet]);
                break;
            case saChar:
                values.push_back(b == 193 ? kFnc1 : Code128Value(kSetName[toSet], b));
                break;
            case saShift:
                values.push_back(kShift);
                values.push_back(Code128Value(kSetName[1 - toSet], b));
                break;
            default:
                values.push_back((b - '0') * 10 + (d[size_t(s.from) + 1] - '0'));
                break;
        }
    }
}

// An FNC1 second in the first choice (an AIM application after a letter or a
// pair, or a separator after a control character) stays as it is: what it
// means hangs on the value before it.
bool Fnc1Second(const std::vector<int>& values, bool ean)
{
    return !ean && values.size() > 2 && values[2] == kFnc1;
}

}  // namespace

// The first choice, unless a shorter encoding of the same bytes exists:
// symbols that were already as short as can be stay exactly as they were.
const char* EncodeCode128AutoInto(std::string_view d, bool ean, std::vector<int>& values)
{
    values.clear();
    for (const char c : d) {
        const auto b = (unsigned char)c;
        if ((b >= 129 && b <= 192) || b >= 197)
            return kErrCode128;
    }
    GreedyCode128AutoInto(d, ean, values);
    if (!Fnc1Second(values, ean)) {
        thread_local std::vector<TAutoStep> steps;
        const int set = ShortestSteps(d, ean, steps);
        if (int(values.size()) > steps[3 * d.size() + size_t(set)].cost)
            ShortestValues(d, ean, steps, set, values);
    }

    std::int64_t sum = values[0] % 103;
    for (size_t k = 1; k < values.size(); ++k)
        sum = (sum + std::int64_t(values[k]) * std::int64_t(k % 103)) % 103;
    values.push_back(int(sum));
    return nullptr;
}

}  // namespace barcode_detail

std::string DecodeEscapes(std::string_view text, bool insert)
{
    std::string out;
    DecodeEscapesInto(text, insert, out);
    return out;
}

char CodeSetFor(unsigned char byte)
{
    return (byte >= 1 && byte <= 31) || byte == 128 ? 'A' : 'B';
}

int Code128Value(char codeSet, unsigned char byte)
{
    switch (byte) {
    case 193: return kFnc1;
    case 194: return kFnc2;
    case 195: return kFnc3;
    case 196: return codeSet == 'A' ? kCodeA : kCodeB;
    case 128: return 64;
    default: break;
    }
    if (byte < 32)
        return byte + 64;
    return byte - 32;
}

std::vector<int> EncodeCode128Auto(std::string_view escaped, bool ean)
{
    std::vector<int> values;
    if (const char* error = EncodeCode128AutoInto(escaped, ean, values))
        throw BarcodeError(error);
    return values;
}

const char* TBarcodeEncoder::Code128Auto(TBarcode& bc, std::string& out)
{
    thread_local std::string escaped;
    thread_local std::vector<int> values;
    DecodeEscapesInto(bc.text_, true, escaped);
    if (const char* error = EncodeCode128AutoInto(escaped, bc.typ_ == bcEAN128Auto, values))
        return error;
    // The check value is the last entry; the pattern appends its own.
    values.pop_back();
    ValuesToPattern(values, out);
    return nullptr;
}

std::string TBarcodeEncoder::Code128ShownText(const TBarcode& bc)
{
    switch (bc.Typ()) {
    case bcCode128C:
    case bcCodeEAN128C: {
        std::string digits;
        if (SetCDigits(bc, digits))
            return bc.Text();
        return digits;
    }
    case bcCode128Auto:
    case bcEAN128Auto:
        return DecodeEscapes(bc.Text(), false);
    default:
        return bc.Text();
    }
}
