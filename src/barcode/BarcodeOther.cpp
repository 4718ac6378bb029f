// 2 of 5 (interleaved, industrial, matrix), Code 39, Code 93, their full-ASCII
// forms, MSI, PostNet and Codabar.
#include "barcode/BarcodeEncoders.h"
#include "barcode/bcchksum.h"

using namespace barcode_detail;

namespace {

// --- 2 of 5: wide flags of the five elements (weights 1, 2, 4, 7, parity).
const char k25[10][6] = {"00110", "10001", "01001", "11000", "00101", "10100", "01100", "00011", "10010", "01010"};

inline const char* Bits25(char digit) { return k25[(digit - '0') % 10]; }

// --- Code 39: nine elements, bit 8 first, 1 = wide. Order: digits, letters,
// "-", ".", space, "*", "$", "/", "+", "%".
const char kCode39Chars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. *$/+%";
const unsigned short kCode39Bits[44] = {
    0x034, 0x121, 0x061, 0x160, 0x031, 0x130, 0x070, 0x025, 0x124, 0x064,  // 0-9
    0x109, 0x049, 0x148, 0x019, 0x118, 0x058, 0x00D, 0x10C, 0x04C, 0x01C,  // A-J
    0x103, 0x043, 0x142, 0x013, 0x112, 0x052, 0x007, 0x106, 0x046, 0x016,  // K-T
    0x181, 0x0C1, 0x1C0, 0x091, 0x190, 0x0D0,                              // U-Z
    0x085, 0x184, 0x0C4, 0x094, 0x0A8, 0x0A2, 0x08A, 0x02A,                // - . space * $ / + %
};
const unsigned char kCode39Values[44] = {
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
    22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 0,  39, 40, 41, 42,
};
// Table index of the first entry with a check value.
const char kCode39ByValue[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
const int kCode39Star = 39;

// --- Code 93: six element widths; "[", "]", "{", "}" are the shift
// characters ($), (%), (/), (+).
const char kCode93Chars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%[]{}";
const char kCode93[47][7] = {
    "131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114", "131211", "141111",  // 0-9
    "211113", "211212", "211311", "221112", "221211", "231111", "112113", "112212", "112311", "122112",  // A-J
    "132111", "111123", "111222", "111321", "121122", "131121", "212112", "212211", "211122", "211221",  // K-T
    "221121", "222111", "112122", "112221", "122121", "123111",                                        // U-Z
    "121131", "311112", "311211", "321111", "112131", "113121", "211131",                              // - . sp $ / + %
    "121221", "312111", "311121", "122211",                                                            // shifts
};

// --- Codabar: seven elements, bit 6 first, 1 = wide.
const char kCodabarChars[] = "0123456789-$:/.+ABCD";
const unsigned char kCodabarBits[20] = {
    0x03, 0x06, 0x09, 0x60, 0x12, 0x42, 0x21, 0x24, 0x30, 0x48,  // 0-9
    0x0C, 0x18, 0x45, 0x51, 0x54, 0x15, 0x1A, 0x29, 0x0B, 0x0E,  // - $ : / . + A B C D
};

// --- PostNet: F full bar, H half bar.
const char kPostNet[10][6] = {"FFHHH", "HHHFF", "HHFHF", "HHFFH", "HFHHF", "HFHFH", "HFFHH", "FHHHF", "FHHFH", "FHFHH"};

// Byte -> table index (or -1) for a character table.
struct TIndex {
    signed char of[256];
    explicit TIndex(const char* chars)
    {
        for (auto& v : of)
            v = -1;
        for (int i = 0; chars[i]; ++i) {
            if (of[(unsigned char)chars[i]] < 0)
                of[(unsigned char)chars[i]] = (signed char)i;
        }
    }
    int operator[](char c) const { return of[(unsigned char)c]; }
};

const TIndex& Code39Index()
{
    static const TIndex index(kCode39Chars);
    return index;
}

const TIndex& Code93Index()
{
    static const TIndex index(kCode93Chars);
    return index;
}

const TIndex& CodabarIndex()
{
    static const TIndex index(kCodabarChars);
    return index;
}

// Two-width elements from wide flags, bar first: bars "5"/"6", spaces "0"/"1".
void AppendTwoWidth(std::string& out, unsigned bits, int count)
{
    for (int k = 0; k < count; ++k) {
        const bool wide = (bits >> (count - 1 - k)) & 1u;
        if (k % 2 == 0)
            out.push_back(wide ? '6' : '5');
        else
            out.push_back(wide ? '1' : '0');
    }
}

// Full-ASCII replacement of bytes 0..127; `code93` writes the shift characters
// as "[", "]", "{", "}".
void AppendFullAscii(std::string& out, unsigned char b, bool code93)
{
    char shift = 0;
    char letter = 0;
    if (b == 0) {
        shift = '%', letter = 'U';
    } else if (b <= 26) {
        shift = '$', letter = char('A' + b - 1);
    } else if (b <= 31) {
        shift = '%', letter = char('A' + b - 27);
    } else if (b == 32) {
        out.push_back(' ');
        return;
    } else if (b <= 47) {
        shift = '/', letter = char('A' + b - 33);
    } else if (b <= 57) {
        out.push_back(char(b));
        return;
    } else if (b == 58) {
        shift = '/', letter = 'Z';
    } else if (b <= 63) {
        shift = '%', letter = char('F' + b - 59);
    } else if (b == 64) {
        shift = '%', letter = 'V';
    } else if (b <= 90) {
        out.push_back(char(b));
        return;
    } else if (b <= 95) {
        shift = '%', letter = char('K' + b - 91);
    } else if (b == 96) {
        shift = '%', letter = 'W';
    } else if (b <= 122) {
        shift = '+', letter = char('A' + b - 97);
    } else {
        shift = '%', letter = char('P' + b - 123);
    }
    if (code93) {
        switch (shift) {
        case '$': shift = '['; break;
        case '%': shift = ']'; break;
        case '/': shift = '{'; break;
        case '+': shift = '}'; break;
        default: break;
        }
    }
    out.push_back(shift);
    out.push_back(letter);
}

// Fails for a byte above 127: it has no full-ASCII form, and leaving it out
// would print a symbol that does not carry the text shown under it.
const char* FullAscii(std::string_view text, bool code93, std::string& out)
{
    out.clear();
    for (const char c : text) {
        if ((unsigned char)c > 127)
            return kErrFullAscii;
        AppendFullAscii(out, (unsigned char)c, code93);
    }
    return nullptr;
}

// `text` is plain Code 39 data or, for the full-ASCII form, its replacement;
// "*" is only the start and stop character (the full-ASCII form writes it
// "/J"), and no scanner reads a symbol that has it inside.
const char* Code39Core(std::string_view text, bool checksum, std::string& out)
{
    const TIndex& index = Code39Index();
    for (const char c : text) {
        if (index[c] < 0 || c == '*')
            return kErrCode39;
    }
    out.clear();
    AppendTwoWidth(out, kCode39Bits[kCode39Star], 9);
    out.push_back('0');
    int sum = 0;
    for (const char c : text) {
        const int i = index[c];
        AppendTwoWidth(out, kCode39Bits[i], 9);
        out.push_back('0');
        sum += kCode39Values[i];
    }
    if (checksum) {
        const int i = index[kCode39ByValue[sum % 43]];
        AppendTwoWidth(out, kCode39Bits[i], 9);
        out.push_back('0');
    }
    AppendTwoWidth(out, kCode39Bits[kCode39Star], 9);
    return nullptr;
}

const char* Code93Core(std::string_view text, std::string& out)
{
    const TIndex& index = Code93Index();
    for (const char c : text) {
        if (index[c] < 0)
            return kErrCode93;
    }
    out.clear();
    AppendWidths(out, "111141");
    std::int64_t c = 0;
    std::int64_t k = 0;
    const size_t n = text.size();
    for (size_t i = 0; i < n; ++i) {
        const int value = index[text[i]];
        AppendWidths(out, kCode93[value]);
        const size_t p = n - i;  // position from the right, rightmost 1
        c += value * std::int64_t((p - 1) % 20 + 1);
        k += value * std::int64_t(p % 15 + 1);
    }
    c %= 47;
    k = (k + c) % 47;
    AppendWidths(out, kCode93[c]);
    AppendWidths(out, kCode93[k]);
    AppendWidths(out, "1111411");
    return nullptr;
}

}  // namespace

const char* TBarcodeEncoder::Code25Interleaved(TBarcode& bc, std::string& out)
{
    std::string& text = bc.text_;
    if (text.size() % 2 == 1)
        text.insert(0, 1, '0');
    out = "5050";
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        const char* bars = Bits25(text[i]);
        const char* spaces = Bits25(text[i + 1]);
        for (int k = 0; k < 5; ++k) {
            out.push_back(bars[k] == '1' ? '6' : '5');
            out.push_back(spaces[k] == '1' ? '1' : '0');
        }
    }
    out += "605";
    return nullptr;
}

const char* TBarcodeEncoder::Code25Industrial(TBarcode& bc, std::string& out)
{
    out = "606050";
    for (const char c : bc.text_) {
        const char* bits = Bits25(c);
        for (int k = 0; k < 5; ++k)
            out += bits[k] == '1' ? "60" : "50";
    }
    out += "605060";
    return nullptr;
}

const char* TBarcodeEncoder::Code25Matrix(TBarcode& bc, std::string& out)
{
    out = "705050";
    for (const char c : bc.text_) {
        const char* bits = Bits25(c);
        for (int k = 0; k < 5; ++k) {
            const bool wide = bits[k] == '1';
            if (k % 2 == 0)
                out.push_back(wide ? '6' : '5');
            else
                out.push_back(wide ? '1' : '0');
        }
        out.push_back('0');
    }
    out += "70505";
    return nullptr;
}

const char* TBarcodeEncoder::Code39(TBarcode& bc, std::string& out)
{
    return Code39Core(bc.text_, bc.checksum_, out);
}

const char* TBarcodeEncoder::Code39Extended(TBarcode& bc, std::string& out)
{
    thread_local std::string replaced;
    if (const char* error = FullAscii(bc.text_, false, replaced))
        return error;
    return Code39Core(replaced, bc.checksum_, out);
}

const char* TBarcodeEncoder::Code93(TBarcode& bc, std::string& out)
{
    return Code93Core(bc.text_, out);
}

const char* TBarcodeEncoder::Code93Extended(TBarcode& bc, std::string& out)
{
    thread_local std::string replaced;
    if (const char* error = FullAscii(bc.text_, true, replaced))
        return error;
    return Code93Core(replaced, out);
}

const char* TBarcodeEncoder::Msi(TBarcode& bc, std::string& out)
{
    auto appendDigit = [&out](char digit) {
        const int d = digit - '0';
        for (int bit = 3; bit >= 0; --bit)
            out += (d >> bit) & 1 ? "60" : "51";
    };
    out = "60";
    for (const char c : bc.text_)
        appendDigit(c);
    appendDigit(MsiCheckDigit(bc.text_));
    out += "515";
    return nullptr;
}

const char* TBarcodeEncoder::PostNet(TBarcode& bc, std::string& out)
{
    out = "51";
    for (const char c : bc.text_) {
        for (const char bar : std::string_view(kPostNet[(c - '0') % 10], 5)) {
            out.push_back(bar == 'F' ? '5' : 'A');
            out.push_back('1');
        }
    }
    out.push_back('5');
    return nullptr;
}

namespace {

inline bool IsCodabarStartStop(char c)
{
    return c >= 'A' && c <= 'D';
}

}  // namespace

// A text that starts or ends with A, B, C or D gives the symbol that start or
// stop character; the others get A and B. Inside the data those letters would
// end the symbol for a scanner.
const char* TBarcodeEncoder::Codabar(TBarcode& bc, std::string& out)
{
    const TIndex& index = CodabarIndex();
    std::string_view data = bc.text_;
    char start = 'A';
    char stop = 'B';
    if (!data.empty() && IsCodabarStartStop(data.front())) {
        start = data.front();
        data.remove_prefix(1);
    }
    if (!data.empty() && IsCodabarStartStop(data.back())) {
        stop = data.back();
        data.remove_suffix(1);
    }
    for (const char c : data) {
        if (index[c] < 0)
            return kErrCodabar;
        if (IsCodabarStartStop(c))
            return kErrCodabarStartStop;
    }
    if (data.empty())
        return kErrEmpty;
    out.clear();
    AppendTwoWidth(out, kCodabarBits[index[start]], 7);
    out.push_back('0');
    for (const char c : data) {
        AppendTwoWidth(out, kCodabarBits[index[c]], 7);
        out.push_back('0');
    }
    AppendTwoWidth(out, kCodabarBits[index[stop]], 7);
    return nullptr;
}
