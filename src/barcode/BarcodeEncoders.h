// The symbology encoders of TBarcode (internal to src/barcode). Each writes the
// module pattern of the component's current text into `out` (cleared first)
// and returns nullptr, or returns the failure message (a static string).
#pragma once

#include "barcode/Barcode.h"

#include <string>
#include <string_view>

class TBarcodeEncoder {
public:
    static const char* Encode(TBarcode& bc, std::string& out);

    // Other symbologies
    static const char* Code25Interleaved(TBarcode& bc, std::string& out);
    static const char* Code25Industrial(TBarcode& bc, std::string& out);
    static const char* Code25Matrix(TBarcode& bc, std::string& out);
    static const char* Code39(TBarcode& bc, std::string& out);
    static const char* Code39Extended(TBarcode& bc, std::string& out);
    static const char* Code93(TBarcode& bc, std::string& out);
    static const char* Code93Extended(TBarcode& bc, std::string& out);
    static const char* Msi(TBarcode& bc, std::string& out);
    static const char* PostNet(TBarcode& bc, std::string& out);
    static const char* Codabar(TBarcode& bc, std::string& out);

    // EAN and UPC
    static const char* Ean8(TBarcode& bc, std::string& out);
    static const char* Ean13(TBarcode& bc, std::string& out);
    static const char* UpcA(TBarcode& bc, std::string& out);
    static const char* UpcE(TBarcode& bc, std::string& out);
    static const char* UpcSupp2(TBarcode& bc, std::string& out);
    static const char* UpcSupp5(TBarcode& bc, std::string& out);
    static std::string EanUpcShownDigits(const TBarcode& bc);

    // Code 128 family
    static const char* Code128Fixed(TBarcode& bc, std::string& out);
    static const char* Code128Auto(TBarcode& bc, std::string& out);
    static std::string Code128ShownText(const TBarcode& bc);

    static std::string& TextOf(TBarcode& bc) { return bc.text_; }
};

namespace barcode_detail {

extern const char kErrNotNumeric[];
extern const char kErrSystem[];
extern const char kErrInternal[];
extern const char kErrCode93[];
extern const char kErrCodabar[];
extern const char kErrUpcE[];
extern const char kErrCode128[];
extern const char kErrUnencodable[];
extern const char kErrTooWide[];
extern const char kErrCode39[];
extern const char kErrCodabarStartStop[];
extern const char kErrEmpty[];
extern const char kErrAiTooShort[];
extern const char kErrFullAscii[];
extern const char kErrCode128A[];
extern const char kErrCode128B[];
extern const char kErrTooManyDigits[];
extern const char kErrRatio[];
extern const char* const kErrCheckDigit[10];

// The wrong-check-digit message naming the right one ('0'..'9').
inline const char* CheckDigitError(char expected)
{
    return kErrCheckDigit[(expected - '0') % 10];
}

inline bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// PadDigits of an arbitrary text: cut to n, or left-padded with "0".
void PadDigitsInto(std::string_view text, int n, std::string& out);

// Appends widths "1".."4" as pattern characters; the element index (bar at even
// positions) is the position in `out`, so the pattern must start empty.
void AppendWidths(std::string& out, std::string_view widths);

// Non-throwing forms of the public helpers.
bool ExpandUpcEInto(std::string_view seven, std::string& out);
const char* EncodeCode128AutoInto(std::string_view escaped, bool ean, std::vector<int>& values);
// The automatic encoders' first choice of code sets (start value to the last
// data value). The encoders take it unless a shorter encoding of the same
// bytes exists. Bytes without a symbol value are not checked here.
void GreedyCode128AutoInto(std::string_view escaped, bool ean, std::vector<int>& values);
void DecodeEscapesInto(std::string_view text, bool insert, std::string& out);

}  // namespace barcode_detail
