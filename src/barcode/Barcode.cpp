#include "barcode/Barcode.h"

#include "barcode/BarcodeEncoders.h"
#include "barcode/SymbolCache.h"
#include "barcode/bcchksum.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <limits>

BarcodeError::BarcodeError(const char* message) : std::runtime_error(BarcodeErrorText(message).toStdString()) {}

QString BarcodeErrorText(const char* message)
{
    return QCoreApplication::translate("Barcode", message);
}

namespace barcode_detail {

const char kErrNotNumeric[] = QT_TRANSLATE_NOOP("Barcode", "Barcode must be numeric");
const char kErrSystem[] = QT_TRANSLATE_NOOP("Barcode", "System error!");
const char kErrInternal[] = QT_TRANSLATE_NOOP("Barcode", "System internal Error");
const char kErrCode93[] = QT_TRANSLATE_NOOP("Barcode", "Code93 bad Data !");
const char kErrCodabar[] =
    QT_TRANSLATE_NOOP("Barcode", "Codabar bad Data: only 0-9, - $ : / . + and A-D can be encoded");
const char kErrUpcE[] = QT_TRANSLATE_NOOP("Barcode", "UPC-E code must have number system 0 or 1");
const char kErrCode128[] =
    QT_TRANSLATE_NOOP("Barcode", "Code128 bad Data: characters 129 to 192 and 197 to 255 cannot be encoded");
const char kErrUnencodable[] = QT_TRANSLATE_NOOP("Barcode", "Barcode text holds a character that is not 8-bit text");
const char kErrTooWide[] = QT_TRANSLATE_NOOP("Barcode", "Barcode too wide");
const char kErrCode39[] =
    QT_TRANSLATE_NOOP("Barcode", "Code39 bad Data: only 0-9, A-Z, space and - . $ / + % can be encoded");
const char kErrCodabarStartStop[] =
    QT_TRANSLATE_NOOP("Barcode", "Codabar bad Data: A, B, C and D can only start and end the code");
const char kErrEmpty[] = QT_TRANSLATE_NOOP("Barcode", "Barcode has no data");
const char kErrAiTooShort[] =
    QT_TRANSLATE_NOOP("Barcode", "EAN128 bad Data: identifiers 00 (SSCC) and 01, 02 (GTIN) need 18 and 14 digits");
const char kErrFullAscii[] = QT_TRANSLATE_NOOP("Barcode", "Barcode bad Data: characters above 127 cannot be encoded");
const char kErrCode128A[] = QT_TRANSLATE_NOOP("Barcode", "Code128A bad Data: only characters 0 to 95 can be encoded");
const char kErrCode128B[] = QT_TRANSLATE_NOOP("Barcode", "Code128B bad Data: only characters 32 to 126 can be encoded");
const char kErrRatio[] =
    QT_TRANSLATE_NOOP("Barcode", "Barcode Ratio too small: wide elements would be narrower than narrow ones");
const char kErrTooManyDigits[] = QT_TRANSLATE_NOOP("Barcode", "Barcode has more digits than the symbol holds");
const char* const kErrCheckDigit[10] = {
    QT_TRANSLATE_NOOP("Barcode", "Wrong check digit: the last digit must be 0"),
    QT_TRANSLATE_NOOP("Barcode", "Wrong check digit: the last digit must be 1"),
    QT_TRANSLATE_NOOP("Barcode", "Wrong check digit: the last digit must be 2"),
    QT_TRANSLATE_NOOP("Barcode", "Wrong check digit: the last digit must be 3"),
    QT_TRANSLATE_NOOP("Barcode", "Wrong check digit: the last digit must be 4"),
    QT_TRANSLATE_NOOP("Barcode", "Wrong check digit: the last digit must be 5"),
    QT_TRANSLATE_NOOP("Barcode", "Wrong check digit: the last digit must be 6"),
    QT_TRANSLATE_NOOP("Barcode", "Wrong check digit: the last digit must be 7"),
    QT_TRANSLATE_NOOP("Barcode", "Wrong check digit: the last digit must be 8"),
    QT_TRANSLATE_NOOP("Barcode", "Wrong check digit: the last digit must be 9"),
};

void PadDigitsInto(std::string_view text, int n, std::string& out)
{
    if (n < 0)
        n = 0;
    const auto len = int(text.size());
    if (len >= n) {
        out.assign(text.substr(0, size_t(n)));
    } else {
        out.assign(size_t(n - len), '0');
        out.append(text);
    }
}

void AppendWidths(std::string& out, std::string_view widths)
{
    for (const char w : widths) {
        const bool bar = (out.size() & 1) == 0;
        out.push_back(char((bar ? '5' : '0') + (w - '1')));
    }
}

}  // namespace barcode_detail

using namespace barcode_detail;

// --- symbology table

const std::array<TSymbologyInfo, kBarcodeTypeCount> SymbologyTable = {{
    {bcCode_2_5_interleaved, "bcCode_2_5_interleaved", "2_5_interleaved",
     "Code_2_5_interleaved", "Code_2_5_interleaved", "ITF Interleaved2of5", true, 2.0, 3.0},
    {bcCode_2_5_industrial, "bcCode_2_5_industrial", "2_5_industrial",
     "Code_2_5_industrial", "Code_2_5_industrial", "Industrial2of5", true, 2.0, 3.0},
    {bcCode_2_5_matrix, "bcCode_2_5_matrix", "2_5_matrix",
     "Code_2_5_matrix", "Code_2_5_matrix", "Matrix2of5", true, 2.25, 3.0},
    {bcCode39, "bcCode39", "Code39",
     "Code39", "Code39", "", false, 2.0, 3.0},
    {bcCode39Extended, "bcCode39Extended", "Code39 Extended",
     "Code39Extended", "Code39Extended", "", false, 2.0, 3.0},
    {bcCode128A, "bcCode128A", "Code128A",
     "Code128A", "Code128A", "", false, 0, 0},
    {bcCode128B, "bcCode128B", "Code128B",
     "Code128B", "Code128B", "", false, 0, 0},
    {bcCode128C, "bcCode128C", "Code128C",
     "Code128C", "Code128C", "", true, 0, 0},
    {bcCode93, "bcCode93", "Code93",
     "Code93", "Code93", "", false, 0, 0},
    {bcCode93Extended, "bcCode93Extended", "Code93 Extended",
     "Code93Extended", "Code93Extended", "", false, 0, 0},
    {bcCodeMSI, "bcCodeMSI", "MSI",
     "MSI", "MSI", "", true, 0, 0},
    {bcCodePostNet, "bcCodePostNet", "PostNet",
     "PostNet", "PostNet", "", true, 0, 0},
    {bcCodeCodabar, "bcCodeCodabar", "Codebar",
     "Codabar", "Codabar", "Codabar", false, 2.0, 3.0},
    {bcCodeEAN8, "bcCodeEAN8", "EAN8",
     "EAN8", "EAN8", "EAN-8", true, 2.0, 3.0},
    {bcCodeEAN13, "bcCodeEAN13", "EAN13",
     "EAN13 and ISBN", "EAN13 & ISBN", "EAN-13", true, 2.0, 3.0},
    {bcCodeUPC_A, "bcCodeUPC_A", "UPC_A",
     "UPC-A", "UPC_A", "UPC-A", true, 2.0, 3.0},
    {bcCodeUPC_E0, "bcCodeUPC_E0", "UPC_E0",
     "UPC-E0", "UPC_E0", "UPC-E", true, 2.0, 3.0},
    {bcCodeUPC_E1, "bcCodeUPC_E1", "UPC_E1",
     "UPC_E1", "UPC_E1", "", true, 2.0, 3.0},
    {bcCodeUPC_Supp2, "bcCodeUPC_Supp2", "UPC Supp2",
     "UPC-Supp2", "UPC_Supp2", "", true, 2.0, 3.0},
    {bcCodeUPC_Supp5, "bcCodeUPC_Supp5", "UPC Supp5",
     "UPC-Supp5", "UPC_Supp5", "", true, 2.0, 3.0},
    {bcCodeEAN128A, "bcCodeEAN128A", "EAN128A",
     "EAN128A", "EAN128A", "", false, 0, 0},
    {bcCodeEAN128B, "bcCodeEAN128B", "EAN128B",
     "EAN128B", "EAN128B", "", false, 0, 0},
    {bcCodeEAN128C, "bcCodeEAN128C", "EAN128C",
     "EAN128C", "EAN128C", "", true, 0, 0},
    {bcCode128Auto, "bcCode128Auto", "Code128Auto",
     "Code128Auto", "Code128Auto", "Code128", false, 0, 0},
    {bcEAN128Auto, "bcEAN128Auto", "bcEAN128Auto",
     "EAN128Auto", "EAN128Auto", "EAN128", false, 0, 0},
    // type, enumName, name, menu, dialog, aliases, digits, ratio, library number, matrix, gs1, options
    {bcQRCode, "bcQRCode", "QR Code",
     "QR Code", "QR Code", "QR QRCode", false, 0, 0, 58, true, false, true, true, false, true},
    {bcMicroQR, "bcMicroQR", "Micro QR",
     "Micro QR Code", "Micro QR Code", "MicroQR", false, 0, 0, 97, true, false, true, true, false, false},
    {bcDataMatrix, "bcDataMatrix", "Data Matrix",
     "Data Matrix", "Data Matrix", "DataMatrix DM", false, 0, 0, 71, true, false, false, true, false, true},
    {bcGS1DataMatrix, "bcGS1DataMatrix", "GS1 Data Matrix",
     "GS1 Data Matrix", "GS1 Data Matrix", "GS1-DataMatrix GS1DataMatrix", false, 0, 0, 71, true, true, false, true, false, false},
    {bcPDF417, "bcPDF417", "PDF417",
     "PDF417", "PDF417", "PDF-417", false, 0, 0, 55, true, false, true, false, true, false},
    {bcMicroPDF417, "bcMicroPDF417", "MicroPDF417",
     "MicroPDF417", "MicroPDF417", "Micro-PDF417", false, 0, 0, 84, true, false, false, false, true, false},
    {bcAztec, "bcAztec", "Aztec",
     "Aztec Code", "Aztec Code", "AztecCode", false, 0, 0, 92, true, false, true, true, false, true},
    {bcDataBarOmni, "bcDataBarOmni", "DataBar",
     "GS1 DataBar Omnidirectional", "GS1 DataBar", "DataBar-Omni RSS14 GS1-DataBar", false, 0, 0, 29, false, false},
    {bcDataBarLimited, "bcDataBarLimited", "DataBar Limited",
     "GS1 DataBar Limited", "GS1 DataBar Limited", "DataBar-Limited RSS-Limited", false, 0, 0, 30, false, false},
    {bcDataBarExpanded, "bcDataBarExpanded", "DataBar Expanded",
     "GS1 DataBar Expanded", "GS1 DataBar Expanded", "DataBar-Expanded RSS-Expanded", false, 0, 0, 31, false, true},
    {bcDataBarExpandedStacked, "bcDataBarExpandedStacked", "DataBar Expanded Stacked",
     "GS1 DataBar Expanded Stacked", "GS1 DataBar Expanded Stacked", "DataBar-Expanded-Stacked", false, 0, 0, 81,
     false, true, false, false, true, false},
    {bcGS1_128, "bcGS1_128", "GS1-128",
     "GS1-128 (Application Identifiers)", "GS1-128", "GS1_128 UCC-128", false, 0, 0, 16, false, true},
    {bcITF14, "bcITF14", "ITF-14",
     "ITF-14", "ITF-14", "ITF14", true, 0, 0, 89, false, false},
    {bcISBN, "bcISBN", "ISBN",
     "ISBN", "ISBN", "ISBN-13 ISBN-10", false, 0, 0, 69, false, false},
}};

bool IsValidBarcodeType(int ordinal)
{
    return ordinal >= 0 && ordinal < kBarcodeTypeCount;
}

bool IsLibrarySymbology(TBarcodeType type)
{
    return IsValidBarcodeType(type) && SymbologyTable[size_t(type)].library != 0;
}

bool IsMatrixSymbology(TBarcodeType type)
{
    return IsValidBarcodeType(type) && SymbologyTable[size_t(type)].matrix;
}

bool IsNumericSymbology(TBarcodeType type)
{
    return IsValidBarcodeType(type) && SymbologyTable[size_t(type)].digitsOnly;
}

bool ParseBarcodeType(const QString& text, TBarcodeType& type)
{
    const QString t = text.trimmed();
    bool isNumber = false;
    const int ordinal = t.toInt(&isNumber);
    if (isNumber) {
        if (!IsValidBarcodeType(ordinal))
            return false;
        type = TBarcodeType(ordinal);
        return true;
    }
    for (const TSymbologyInfo& info : SymbologyTable) {
        if (t.compare(QLatin1String(info.enumName), Qt::CaseInsensitive) == 0 ||
            t.compare(QLatin1String(info.name), Qt::CaseInsensitive) == 0) {
            type = info.type;
            return true;
        }
    }
    return false;
}

// --- text conversion

bool BarcodeBytesFromString(const QString& text, std::string& out)
{
    out.resize(size_t(text.size()));
    const QChar* src = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = src[i].unicode();
        if (u > 0xFF)
            return false;
        out[size_t(i)] = char(u);
    }
    return true;
}

QString BarcodeBytesToString(std::string_view bytes)
{
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

// --- pattern alphabet: width class (0..3) and kind of each character, -1 when
// the character is not part of it.

namespace {

struct TAlphabet {
    signed char widthClass[256];
    TModuleKind kind[256];
    constexpr TAlphabet() : widthClass(), kind()
    {
        for (int i = 0; i < 256; ++i) {
            widthClass[i] = -1;
            kind[i] = mkSpace;
        }
        for (int c = 0; c < 4; ++c) {
            widthClass['0' + c] = char(c);
            widthClass['5' + c] = char(c);
            kind['5' + c] = mkBar;
            widthClass['A' + c] = char(c);
            kind['A' + c] = mkShortBar;
        }
    }
};
constexpr TAlphabet kAlphabet;

// Largest width class 1 in pixels; keeps every sum far from overflowing.
constexpr double kMaxWideModule = 1000000.0;

}  // namespace

// --- component

TBarcode::TBarcode() = default;

void TBarcode::Reset()
{
    text_.clear();  // keeps the buffer for the next text
    typ_ = bcCodeEAN13;
    modul_ = 1;
    ratio_ = 2.0;
    height_ = 0;
    left_ = 0;
    top_ = 0;
    angle_ = 0.0;
    checksum_ = false;
    textUnencodable_ = false;
    checkSumMethod_ = csmModulo10;
    showText_ = bcoNone;
    showTextPosition_ = stpTopLeft;
    showTextFont_.reset();
    extCapFont_.reset();
    color_ = 16777215;
    colorBar_ = 0;
    onChange_ = nullptr;
    moduleWidths_ = {1, 2, 3, 4};
    digitGroupBounds_ = {0, 0, 0, 0};
    options_ = TSymbolOptions();
}

void TBarcode::Changed()
{
    if (onChange_)
        onChange_();
}

void TBarcode::SetText(std::string_view text)
{
    const bool changed = textUnencodable_ || text_ != text;
    text_.assign(text);
    textUnencodable_ = false;
    if (changed)
        Changed();
}

bool TBarcode::SetTextString(const QString& text)
{
    std::string bytes;
    const bool ok = BarcodeBytesFromString(text, bytes);
    if (!ok) {
        bytes.resize(size_t(text.size()));
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t u = text.at(i).unicode();
            bytes[size_t(i)] = u > 0xFF ? '?' : char(u);
        }
    }
    const bool changed = textUnencodable_ != !ok || text_ != bytes;
    text_ = std::move(bytes);
    textUnencodable_ = !ok;
    if (changed)
        Changed();
    return ok;
}

#define TAGMORA_SETTER(Name, member, Type)   \
    void TBarcode::Set##Name(Type value)     \
    {                                        \
        if (member == value)                 \
            return;                          \
        member = value;                      \
        Changed();                           \
    }

TAGMORA_SETTER(Typ, typ_, TBarcodeType)
TAGMORA_SETTER(Height, height_, int)
TAGMORA_SETTER(Left, left_, int)
TAGMORA_SETTER(Top, top_, int)
TAGMORA_SETTER(Angle, angle_, double)
TAGMORA_SETTER(Checksum, checksum_, bool)
TAGMORA_SETTER(ShowText, showText_, TBarcodeOption)
TAGMORA_SETTER(ShowTextPosition, showTextPosition_, TShowTextPosition)
#undef TAGMORA_SETTER

void TBarcode::SetRatio(double ratio)
{
    // Bitwise comparison so that storing NaN over NaN is no change.
    if (ratio == ratio_ || (std::isnan(ratio) && std::isnan(ratio_)))
        return;
    ratio_ = ratio;
    Changed();
}

void TBarcode::SetModul(int modul)
{
    if (modul < 1 || modul > 49)
        return;
    modul_ = modul;
    Changed();
}

void TBarcode::SetDeviceModul(int dots)
{
    modul_ = std::clamp(dots, 1, kMaxDeviceModul);
}

const QFont& TBarcode::ShowTextFont() const
{
    if (!showTextFont_)
        showTextFont_.emplace();
    return *showTextFont_;
}

void TBarcode::SetShowTextFont(const QFont& font)
{
    showTextFont_ = font;
}

const QFont& TBarcode::ExtCapFont() const
{
    if (!extCapFont_)
        extCapFont_.emplace();
    return *extCapFont_;
}

void TBarcode::SetExtCapFont(const QFont& font)
{
    extCapFont_ = font;
}

void TBarcode::Assign(const TBarcode& source)
{
    if (&source == this)
        return;
    height_ = source.height_;
    text_ = source.text_;
    textUnencodable_ = source.textUnencodable_;
    top_ = source.top_;
    left_ = source.left_;
    modul_ = source.modul_;
    ratio_ = source.ratio_;
    typ_ = source.typ_;
    checksum_ = source.checksum_;
    showText_ = source.showText_;
    angle_ = source.angle_;
    color_ = source.color_;
    colorBar_ = source.colorBar_;
    checkSumMethod_ = source.checkSumMethod_;
    options_ = source.options_;
    onChange_ = source.onChange_;
}

void TBarcode::SetOptions(const TSymbolOptions& options)
{
    if (options == options_)
        return;
    options_ = options;
    Changed();
}

int TBarcode::BarsHeight() const
{
    if (!librarySymbol_ || !IsMatrixSymbology(typ_))
        return height_;
    const double rows = std::ceil(double(librarySymbol_->Height) * modul_ - 1e-6);
    return int(std::clamp(rows, 1.0, double(1 << 30))) - 1;
}

const char* TBarcode::BuildLibrarySymbol()
{
    // Field by field: the options' padding bytes are not part of the key.
    std::string key = std::to_string(int(typ_)) + ',' + std::to_string(options_.Ecc) + ',' +
                      std::to_string(options_.Size) + ',' + std::to_string(options_.Columns) +
                      (options_.Gs1 ? ",1," : ",0,");
    key.append(text_);
    if (key != libraryKey_) {
        const std::shared_ptr<const TLibraryBuild> build = ::BuildLibrarySymbol(typ_, options_, text_);
        libraryKey_ = std::move(key);
        librarySymbol_ = build->Symbol;
        libraryError_ = build->Error;
    }
    return librarySymbol_ ? nullptr : libraryError_.c_str();
}

void TBarcode::ComputeModuleWidths()
{
    if (IsValidBarcodeType(typ_)) {
        const TSymbologyInfo& info = SymbologyTable[size_t(typ_)];
        if (info.ratioMin > 0) {
            if (!(ratio_ >= info.ratioMin))  // NaN counts as too small
                SetRatio(info.ratioMin);
            if (ratio_ > info.ratioMax)
                SetRatio(info.ratioMax);
        }
    }
    double wide = std::nearbyint(double(modul_) * ratio_);  // ties to even
    if (!(wide >= 0))
        wide = 0;
    if (wide > kMaxWideModule)
        wide = kMaxWideModule;
    const int w1 = int(wide);
    moduleWidths_ = {modul_, w1, w1 * 3 / 2, w1 * 2};
}

const char* TBarcode::BuildInto(std::string& pattern)
{
    pattern.clear();
    ComputeModuleWidths();
    if (!IsValidBarcodeType(typ_))
        return kErrSystem;
    // A Ratio below 1 (symbologies without ratio bounds keep any) would give
    // wide elements narrower than narrow ones, or no width at all.
    if (moduleWidths_[1] < moduleWidths_[0])
        return kErrRatio;
    if (textUnencodable_)
        return kErrUnencodable;
    if (SymbologyTable[size_t(typ_)].digitsOnly) {
        const std::string_view trimmed = TrimmedCode(text_);
        if (trimmed.size() < text_.size())
            text_ = std::string(trimmed);
        for (const char c : text_) {
            if (!IsDigit((unsigned char)c))
                return kErrNotNumeric;
        }
    }
    // No symbology carries an empty code: it would print a symbol nobody
    // asked for (EAN and UPC a row of zeros) or none a scanner reads.
    if (text_.empty())
        return kErrEmpty;
    if (SymbologyTable[size_t(typ_)].library != 0)
        return BuildLibrarySymbol();
    librarySymbol_.reset();
    libraryKey_.clear();
    return TBarcodeEncoder::Encode(*this, pattern);
}

const char* TBarcode::MeasureInto(const std::string& pattern, int& width) const
{
    if (librarySymbol_ && pattern.empty() && IsLibrarySymbology(typ_)) {
        const double w = std::ceil(double(librarySymbol_->Width) * modul_ - 1e-6);
        if (!(w <= double(std::numeric_limits<int>::max())))
            return kErrTooWide;
        width = int(w);
        return nullptr;
    }
    std::int64_t sum = 0;
    for (const char c : pattern) {
        const int cls = kAlphabet.widthClass[(unsigned char)c];
        if (cls < 0)
            return kErrInternal;
        sum += moduleWidths_[size_t(cls)];
    }
    if (sum > std::numeric_limits<int>::max())
        return kErrTooWide;
    width = int(sum);
    return nullptr;
}

void TBarcode::BuildPattern(std::string& pattern)
{
    if (const char* error = BuildInto(pattern))
        throw BarcodeError(error);
}

std::string TBarcode::BuildPattern()
{
    std::string pattern;
    BuildPattern(pattern);
    return pattern;
}

const char* TBarcode::TryWidth(int& width)
{
    thread_local std::string pattern;
    if (const char* error = BuildInto(pattern))
        return error;
    return MeasureInto(pattern, width);
}

int TBarcode::Width()
{
    int width = 0;
    if (const char* error = TryWidth(width))
        throw BarcodeError(error);
    return width;
}

TModuleInfo TBarcode::ModuleInfo(char c) const
{
    const int cls = kAlphabet.widthClass[(unsigned char)c];
    if (cls < 0)
        throw BarcodeError(kErrInternal);
    return {moduleWidths_[size_t(cls)], kAlphabet.kind[(unsigned char)c]};
}

QString TBarcode::SymbologyName() const
{
    if (!IsValidBarcodeType(typ_))
        return QString();
    return QLatin1String(SymbologyTable[size_t(typ_)].name);
}

std::string TBarcode::ApplyCheckSum(std::string_view digits) const
{
    std::string result(digits);
    if (checkSumMethod_ == csmModulo10)
        result.push_back(Modulo10CheckDigit(digits));
    return result;
}

std::string TBarcode::PadDigits(int n) const
{
    std::string out;
    PadDigitsInto(text_, n, out);
    return out;
}

std::string TBarcode::WidthsToModules(std::string_view widths)
{
    std::string out;
    out.reserve(widths.size());
    AppendWidths(out, widths);
    return out;
}

namespace {

bool IsEanUpc(TBarcodeType t)
{
    return t >= bcCodeEAN8 && t <= bcCodeUPC_Supp5;
}

bool IsCode128Family(TBarcodeType t)
{
    return (t >= bcCode128A && t <= bcCode128C) || (t >= bcCodeEAN128A && t <= bcEAN128Auto);
}

}  // namespace

std::string TBarcode::ShownDigits() const
{
    if (IsEanUpc(typ_))
        return TBarcodeEncoder::EanUpcShownDigits(*this);
    return text_;
}

std::string TBarcode::ShownText() const
{
    std::string shown;
    if (librarySymbol_ && IsLibrarySymbology(typ_))
        shown = librarySymbol_->Text.empty() ? text_ : librarySymbol_->Text;
    else if (IsEanUpc(typ_))
        shown = TBarcodeEncoder::EanUpcShownDigits(*this);
    else if (IsCode128Family(typ_))
        shown = TBarcodeEncoder::Code128ShownText(*this);
    else
        shown = text_;
    for (char& c : shown) {
        const auto b = (unsigned char)c;
        if (b < 32 || b == 127 || b == 128)
            c = ' ';
    }
    return shown;
}

std::vector<std::string> TBarcode::ShownDigitGroups() const
{
    static const int kEan13[] = {1, 6, 6};
    static const int kUpcA[] = {1, 5, 5, 1};
    const int* sizes = nullptr;
    int count = 0;
    if (typ_ == bcCodeEAN13) {
        sizes = kEan13;
        count = 3;
    } else if (typ_ == bcCodeUPC_A) {
        sizes = kUpcA;
        count = 4;
    } else {
        return {};
    }
    const std::string shown = ShownText();
    std::vector<std::string> groups;
    size_t pos = 0;
    for (int i = 0; i < count; ++i) {
        groups.push_back(pos < shown.size() ? shown.substr(pos, size_t(sizes[i])) : std::string());
        pos += size_t(sizes[i]);
    }
    return groups;
}

// --- dispatch

const char* TBarcodeEncoder::Encode(TBarcode& bc, std::string& out)
{
    switch (bc.typ_) {
    case bcCode_2_5_interleaved: return Code25Interleaved(bc, out);
    case bcCode_2_5_industrial: return Code25Industrial(bc, out);
    case bcCode_2_5_matrix: return Code25Matrix(bc, out);
    case bcCode39: return Code39(bc, out);
    case bcCode39Extended: return Code39Extended(bc, out);
    case bcCode93: return Code93(bc, out);
    case bcCode93Extended: return Code93Extended(bc, out);
    case bcCodeMSI: return Msi(bc, out);
    case bcCodePostNet: return PostNet(bc, out);
    case bcCodeCodabar: return Codabar(bc, out);
    case bcCodeEAN8: return Ean8(bc, out);
    case bcCodeEAN13: return Ean13(bc, out);
    case bcCodeUPC_A: return UpcA(bc, out);
    case bcCodeUPC_E0:
    case bcCodeUPC_E1: return UpcE(bc, out);
    case bcCodeUPC_Supp2: return UpcSupp2(bc, out);
    case bcCodeUPC_Supp5: return UpcSupp5(bc, out);
    case bcCode128A:
    case bcCode128B:
    case bcCode128C:
    case bcCodeEAN128A:
    case bcCodeEAN128B:
    case bcCodeEAN128C: return Code128Fixed(bc, out);
    case bcCode128Auto:
    case bcEAN128Auto: return Code128Auto(bc, out);
    default: break;  // the library's symbologies are built by BuildLibrarySymbol
    }
    return kErrSystem;
}

// --- validity check

std::string_view TrimmedCode(std::string_view text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && (unsigned char)text[first] <= ' ')
        ++first;
    while (last > first && (unsigned char)text[last - 1] <= ' ')
        --last;
    return text.substr(first, last - first);
}

bool IsValidCode(std::string_view text, TBarcodeType symbology, bool checksum, const TSymbolOptions& options)
{
    // One component per thread, reset to its initial values for every check:
    // the same as a fresh one, without allocating for each text.
    thread_local TBarcode barcode;
    barcode.Reset();
    barcode.SetTyp(symbology);
    barcode.SetChecksum(checksum);
    barcode.SetOptions(options);
    barcode.SetText(TrimmedCode(text));
    int width = 0;
    return barcode.TryWidth(width) == nullptr;
}

bool IsValidCode(const QString& text, TBarcodeType symbology, bool checksum, const TSymbolOptions& options)
{
    const QChar* data = text.constData();
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && data[first].unicode() <= ' ')
        ++first;
    while (last > first && data[last - 1].unicode() <= ' ')
        --last;
    thread_local std::string bytes;
    bytes.resize(size_t(last - first));
    for (qsizetype i = first; i < last; ++i) {
        const char16_t u = data[i].unicode();
        if (u > 0xFF)
            return false;
        bytes[size_t(i - first)] = char(u);
    }
    return IsValidCode(std::string_view(bytes), symbology, checksum, options);
}
