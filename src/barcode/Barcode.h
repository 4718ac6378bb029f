// The barcode component: turns an 8-bit text into the module pattern of one of
// 25 symbologies and measures it. Drawing builds on the pattern (widths from
// ModuleInfo, human-readable text from ShownText).
//
// Text is bytes. Callers holding a QString convert with BarcodeBytesFromString
// (Latin-1: U+0000..U+00FF map to the byte of the same value, anything else
// cannot be encoded) or use TBarcode::SetTextString, which remembers an
// unencodable text so that the next build fails.
#pragma once

#include "barcode/ZintEncoder.h"

#include <QFont>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Ordinals are stored in label files: never reorder.
enum TBarcodeType : int {
    bcCode_2_5_interleaved = 0,
    bcCode_2_5_industrial = 1,
    bcCode_2_5_matrix = 2,
    bcCode39 = 3,
    bcCode39Extended = 4,
    bcCode128A = 5,
    bcCode128B = 6,
    bcCode128C = 7,
    bcCode93 = 8,
    bcCode93Extended = 9,
    bcCodeMSI = 10,
    bcCodePostNet = 11,
    bcCodeCodabar = 12,
    bcCodeEAN8 = 13,
    bcCodeEAN13 = 14,
    bcCodeUPC_A = 15,
    bcCodeUPC_E0 = 16,
    bcCodeUPC_E1 = 17,
    bcCodeUPC_Supp2 = 18,
    bcCodeUPC_Supp5 = 19,
    bcCodeEAN128A = 20,
    bcCodeEAN128B = 21,
    bcCodeEAN128C = 22,
    bcCode128Auto = 23,
    bcEAN128Auto = 24,
    // Drawn through libzint (ZintEncoder.h).
    bcQRCode = 25,
    bcMicroQR = 26,
    bcDataMatrix = 27,
    bcGS1DataMatrix = 28,
    bcPDF417 = 29,
    bcMicroPDF417 = 30,
    bcAztec = 31,
    bcDataBarOmni = 32,
    bcDataBarLimited = 33,
    bcDataBarExpanded = 34,
    bcDataBarExpandedStacked = 35,
    bcGS1_128 = 36,
    bcITF14 = 37,
    bcISBN = 38,
};
constexpr int kBarcodeTypeCount = 39;
// The first symbology drawn through libzint; the menus list these in a group
// of their own.
constexpr int kFirstLibrarySymbology = bcQRCode;
constexpr int kMaxDeviceModul = 10000;

enum TCheckSumMethod : int { csmNone = 0, csmModulo10 = 1 };
enum TBarcodeOption : int { bcoNone = 0, bcoCode = 1, bcoTyp = 2, bcoBoth = 3 };
enum TShowTextPosition : int {
    stpTopLeft = 0,
    stpTopRight = 1,
    stpTopCenter = 2,
    stpBottomLeft = 3,
    stpBottomRight = 4,
    stpBottomCenter = 5,
};

// Kind of one pattern character.
enum TModuleKind : int { mkSpace = 0, mkBar = 1, mkShortBar = 2 };

struct TModuleInfo {
    int width;  // pixels
    TModuleKind kind;
};

// Everything the program knows about a symbology by name, in one place: the
// encoders, the command line, the symbology menu and the object properties
// dialog all read it. Menus and dialogs list the symbologies in table order.
struct TSymbologyInfo {
    TBarcodeType type;
    const char* enumName;     // "bcCodeEAN13"
    const char* name;         // "EAN13", what SymbologyName returns
    const char* menuCaption;  // "EAN13 and ISBN", the barcode tool's symbology menu
    const char* dialogItem;   // "EAN13 & ISBN", the object properties dialog's list
    const char* aliases;      // other common names, separated by spaces: "EAN-13"
    bool digitsOnly;
    double ratioMin;  // 0 when the symbology keeps any Ratio
    double ratioMax;
    int library = 0;    // libzint's symbology number; 0 for our own encoders
    bool matrix = false;  // square modules: the symbol's height follows from its data
    bool gs1 = false;     // the text is always GS1 Application Identifiers
    // Which TSymbolOptions apply.
    bool hasEcc = false, hasSize = false, hasColumns = false, hasGs1Option = false;
};

// Indexed by ordinal.
extern const std::array<TSymbologyInfo, kBarcodeTypeCount> SymbologyTable;

bool IsNumericSymbology(TBarcodeType type);
bool IsValidBarcodeType(int ordinal);
// Drawn through libzint / with square modules whose rows the data decides.
bool IsLibrarySymbology(TBarcodeType type);
bool IsMatrixSymbology(TBarcodeType type);

// Parses a symbology given as ordinal ("14"), enumeration name ("bcCodeEAN13")
// or name text ("EAN13"), ignoring letter case. False when nothing matches.
bool ParseBarcodeType(const QString& text, TBarcodeType& type);

// Every failure of a build. what() is the message shown to the user, translated
// (UTF-8); the encoders' own error texts are the untranslated source.
class BarcodeError : public std::runtime_error {
public:
    explicit BarcodeError(const char* message);
};

// The translated text of an encoder error (as returned by TryWidth).
QString BarcodeErrorText(const char* message);

// Latin-1 conversions between program text and barcode bytes. The first returns
// false (out unspecified) when the text holds a character above U+00FF.
bool BarcodeBytesFromString(const QString& text, std::string& out);
QString BarcodeBytesToString(std::string_view bytes);

class QPainter;
class TBarcodeEncoder;

class TBarcode {
public:
    TBarcode();

    // --- properties (setters call OnChange only when the value changes;
    // SetModul accepts 1 to 49 only and calls OnChange on every accepted value)
    const std::string& Text() const { return text_; }
    void SetText(std::string_view text);
    // The text as program text (Latin-1 decoded).
    QString TextString() const { return BarcodeBytesToString(text_); }
    // Sets the text from program text. A character above U+00FF cannot be held
    // in 8 bits: it is stored as "?" and every build fails until the next
    // SetText/SetTextString. Returns false in that case.
    bool SetTextString(const QString& text);
    bool TextEncodable() const { return !textUnencodable_; }

    TBarcodeType Typ() const { return typ_; }
    void SetTyp(TBarcodeType typ);  // out-of-range ordinals are kept; the build fails
    int Modul() const { return modul_; }
    void SetModul(int modul);
    // The narrow element in dots of the device drawn on, any width from 1 up
    // (kMaxDeviceModul at most): a label object scales its Modul, set for one
    // printer's resolution, to another's. Fires no OnChange.
    void SetDeviceModul(int dots);
    double Ratio() const { return ratio_; }
    void SetRatio(double ratio);
    int Height() const { return height_; }
    void SetHeight(int height);
    int Left() const { return left_; }
    void SetLeft(int left);
    int Top() const { return top_; }
    void SetTop(int top);
    double Angle() const { return angle_; }
    void SetAngle(double angle);
    bool Checksum() const { return checksum_; }
    void SetChecksum(bool checksum);
    TCheckSumMethod CheckSumMethod() const { return checkSumMethod_; }
    void SetCheckSumMethod(TCheckSumMethod method) { checkSumMethod_ = method; }
    TBarcodeOption ShowText() const { return showText_; }
    void SetShowText(TBarcodeOption option);
    TShowTextPosition ShowTextPosition() const { return showTextPosition_; }
    void SetShowTextPosition(TShowTextPosition position);
    // Both fonts start as the application's default font.
    const QFont& ShowTextFont() const;
    void SetShowTextFont(const QFont& font);
    const QFont& ExtCapFont() const;
    void SetExtCapFont(const QFont& font);
    // Colours as 0x00BBGGRR; kept and copied, not used for drawing.
    std::int32_t Color() const { return color_; }
    void SetColor(std::int32_t color) { color_ = color; }
    std::int32_t ColorBar() const { return colorBar_; }
    void SetColorBar(std::int32_t color) { colorBar_ = color; }
    // Error correction, size, columns and GS1 mode of the libzint symbologies.
    const TSymbolOptions& Options() const { return options_; }
    void SetOptions(const TSymbolOptions& options);
    const std::function<void()>& OnChange() const { return onChange_; }
    void SetOnChange(std::function<void()> handler) { onChange_ = std::move(handler); }

    // Copies Height, Text, Top, Left, Modul, Ratio, Typ, Checksum, ShowText,
    // Angle, Color, ColorBar, CheckSumMethod, Options and OnChange (not the
    // fonts, not ShowTextPosition). Fires no OnChange.
    void Assign(const TBarcode& source);

    // --- building. A build may normalise the component: Ratio is corrected into
    // the symbology's bounds (through SetRatio), digits-only symbologies trim
    // Text, 2 of 5 interleaved prefixes "0" to an odd length, the supplements
    // pad Text and append their check digit. Text rewrites fire no OnChange.
    std::string BuildPattern();                 // throws BarcodeError
    void BuildPattern(std::string& pattern);    // same, into a reused buffer
    int Width();                                // builds; throws BarcodeError
    // Non-throwing form: the failure message (a static string) or nullptr.
    const char* TryWidth(int& width);

    // Width and kind of one pattern character under the current width classes
    // (those of the last build). Throws "System internal Error" for a character
    // outside the alphabet.
    TModuleInfo ModuleInfo(char c) const;
    // Width classes 0 to 3 in pixels.
    int ModuleWidth(int widthClass) const { return moduleWidths_[widthClass & 3]; }
    // The symbol of a libzint symbology as the last build made it (null for
    // our own symbologies or before a build): its pattern is empty, its dark
    // rectangles are drawn instead.
    const TEncodedSymbol* LibrarySymbol() const { return librarySymbol_.get(); }
    // The bars' extent across them less one (they cover rows Top to Top +
    // BarsHeight): Height, or for a matrix symbology its module rows times
    // Modul less one, after a build.
    int BarsHeight() const;
    void ComputeModuleWidths();

    QString SymbologyName() const;
    std::string ApplyCheckSum(std::string_view digits) const;
    std::string PadDigits(int n) const;

    // Human-readable line of the current symbol, control characters (bytes
    // 0..31, 127 and 128) shown as spaces. Call after a build (the supplements and 2 of 5 interleaved show
    // the text as the build left it). Never throws: a UPC-E text that cannot be
    // expanded shows its digits without a check digit.
    std::string ShownText() const;
    // ShownDigits of the EAN/UPC symbologies (before the control-character
    // replacement); other symbologies return Text.
    std::string ShownDigits() const;
    // EAN-13 (1, 6, 6 digits) and UPC-A (1, 5, 5, 1): the shown text cut into
    // the groups drawn under the bars; empty for every other symbology.
    std::vector<std::string> ShownDigitGroups() const;

    // Paints the symbol onto the canvas at Left, Top, turned by Angle, with the
    // human-readable line ShowText asks for (BarcodeDraw.cpp, geometry in
    // BarcodeDraw.h). Builds the pattern first: a BarcodeError propagates before
    // anything is painted. Bars are black filled rectangles without
    // antialiasing, spaces are not painted; text is black on a transparent
    // background in ShowTextFont, whose pixel size is taken on the painter's
    // device. The painter's state is the same afterwards.
    void DrawBarcode(QPainter& canvas);

    // x positions B0..B3 of the digit groups, written while EAN-13/UPC-A bars are drawn.
    int DigitGroupBound(int i) const { return digitGroupBounds_[i & 3]; }
    void SetDigitGroupBound(int i, int x) { digitGroupBounds_[i & 3] = x; }

    // Widths "1".."4" (bar first, alternating) to pattern characters.
    static std::string WidthsToModules(std::string_view widths);

    // Back to the initial values (fonts, OnChange and ShowTextPosition included).
    void Reset();

private:
    friend class TBarcodeEncoder;
    const char* BuildInto(std::string& pattern);
    const char* MeasureInto(const std::string& pattern, int& width) const;
    void Changed();

    std::string text_;
    TBarcodeType typ_ = bcCodeEAN13;
    int modul_ = 1;
    double ratio_ = 2.0;
    int height_ = 0;
    int left_ = 0;
    int top_ = 0;
    double angle_ = 0.0;
    bool checksum_ = false;
    bool textUnencodable_ = false;
    TCheckSumMethod checkSumMethod_ = csmModulo10;
    TBarcodeOption showText_ = bcoNone;
    TShowTextPosition showTextPosition_ = stpTopLeft;
    mutable std::optional<QFont> showTextFont_;  // created on first use
    mutable std::optional<QFont> extCapFont_;
    std::int32_t color_ = 16777215;
    std::int32_t colorBar_ = 0;
    std::function<void()> onChange_;
    std::array<int, 4> moduleWidths_{1, 2, 3, 4};
    std::array<int, 4> digitGroupBounds_{0, 0, 0, 0};
    TSymbolOptions options_;
    // The last library build, kept while type, text and options stay.
    std::shared_ptr<const TEncodedSymbol> librarySymbol_;
    std::string libraryKey_;
    std::string libraryError_;  // its message (a build returns a pointer into it)
    const char* BuildLibrarySymbol();
};

// --- EAN/UPC helpers
// Eleven digits of the UPC-A code a UPC-E code (number system digit and six
// digits) stands for, without check digit. Throws for a wrong length or a
// number system other than 0 and 1.
std::string ExpandUpcE(std::string_view sevenDigits);
// The digits followed by the supplement check digit (weights 3, 9 from the right).
std::string AddOnCheckDigit(std::string_view digits);

// --- Code 128 helpers
// Resolves "\nnn" escapes: with insert each becomes its byte, without it is dropped.
std::string DecodeEscapes(std::string_view text, bool insert);
// 'A' for bytes 1..31 and 128, 'B' for every other byte.
char CodeSetFor(unsigned char byte);
// Symbol value of a byte in set 'A' or 'B' (function bytes 193..196 included).
int Code128Value(char codeSet, unsigned char byte);
// Symbol values (start, data, check) of escaped bytes; throws for bytes that have
// no symbol value (129..192, 197..255).
std::vector<int> EncodeCode128Auto(std::string_view escaped, bool ean);
// The six element widths ("1".."4") of a Code 128 symbol value 0..105, the seven
// of the stop for 106; empty otherwise.
const char* Code128Widths(int value);

// The code validity check: a fresh component with the given symbology and check
// flag gets the text trimmed of blanks and control characters at both ends, and
// its Width is read. True when that succeeds. Fast: no heap work for short texts.
// The text without the blanks and control characters (bytes up to and
// including the space) at both ends.
std::string_view TrimmedCode(std::string_view text);

// The library's symbologies are checked with their settings (a fixed size may
// be too small for the text).
bool IsValidCode(const QString& text, TBarcodeType symbology, bool checksum, const TSymbolOptions& options = {});
bool IsValidCode(std::string_view text, TBarcodeType symbology, bool checksum, const TSymbolOptions& options = {});
