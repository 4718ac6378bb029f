// The symbologies drawn through libzint: our drawing against the library's
// own module grid (so a symbol no independent reader knows is still checked
// module by module), and GS1 data refused with the reason.
#include "barcode/Barcode.h"
#include "barcode/BarcodeDraw.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#ifdef TAGMORA_HAVE_ZINT
#include <zint.h>
#endif

namespace {

const char kGs1[] = "(01)09501101530003(10)AB12(17)260630";

struct TDrawCase {
    TBarcodeType type;
    const char* text;
    TSymbolOptions options;
};

const TDrawCase kDrawCases[] = {
    {bcQRCode, "Tagmora QR", {}},
    {bcQRCode, "Tagmora QR", {4, 5, 0, false}},  // H, version 5
    {bcMicroQR, "TAG-42", {}},
    {bcDataMatrix, "Tagmora Data Matrix 0042", {}},
    {bcDataMatrix, "Tagmora", {0, -1, 0, false}},  // may be rectangular
    {bcGS1DataMatrix, kGs1, {}},
    {bcPDF417, "Tagmora PDF417 label", {3, 0, 4, false}},
    {bcMicroPDF417, "Tagmora", {}},
    {bcAztec, "Tagmora Aztec Code", {}},
    {bcAztec, "Tagmora", {2, 6, 0, false}},
    {bcDataBarOmni, "0950110153000", {}},
    {bcDataBarLimited, "0950110153000", {}},
    {bcDataBarExpanded, kGs1, {}},
    {bcDataBarExpandedStacked, kGs1, {0, 0, 2, false}},
    {bcGS1_128, kGs1, {}},
    {bcITF14, "1234567890123", {}},
    {bcISBN, "0306406152", {}},
};

// The symbol drawn with Modul 3 and no text, as a grid of dark modules read
// at the centre of each module; `rowHeight` modules to a row.
std::vector<std::string> DrawnModules(TBarcode& bc, int rows, double rowHeight)
{
    constexpr int m = 3;
    bc.SetModul(m);
    bc.SetShowText(bcoNone);
    bc.SetHeight(m - 1);
    const QImage image = RenderBarcodeImage(bc, 0);
    std::vector<std::string> grid;
    for (int r = 0; r < rows; ++r) {
        std::string row;
        const int y = std::min(image.height() - 1, int((r + 0.5) * rowHeight * m));
        for (int c = 0; c < image.width() / m; ++c)
            row += qGray(image.pixel(c * m + m / 2, y)) < 128 ? '#' : '.';
        grid.push_back(row);
    }
    return grid;
}

// A row without the light modules at its ends.
std::string Trimmed(const std::string& row)
{
    const size_t first = row.find('#');
    return first == std::string::npos ? std::string() : row.substr(first, row.rfind('#') - first + 1);
}

}  // namespace

#ifdef TAGMORA_HAVE_ZINT
TEST(LibrarySymbol, DrawnModuleForModuleAsTheLibraryLaysThemOut)
{
    for (const TDrawCase& c : kDrawCases) {
        SCOPED_TRACE(testing::Message() << int(c.type) << " " << c.text);
        TBarcode bc;
        bc.SetTyp(c.type);
        bc.SetText(c.text);
        bc.SetOptions(c.options);
        ASSERT_NO_THROW(bc.Width());
        const TEncodedSymbol* symbol = bc.LibrarySymbol();
        ASSERT_NE(symbol, nullptr);

        // The library's own grid of the same symbol, at one module a row.
        zint_symbol* z = ZBarcode_Create();
        z->symbology = SymbologyTable[size_t(c.type)].library;
        const bool gs1 = SymbologyTable[size_t(c.type)].gs1;
        z->input_mode = gs1 ? GS1_MODE | GS1PARENS_MODE : DATA_MODE;
        const std::string input = c.text;
        switch (c.type) {
        case bcQRCode:
        case bcAztec: z->option_1 = c.options.Ecc ? c.options.Ecc : -1; z->option_2 = c.options.Size; break;
        case bcDataMatrix:
        case bcGS1DataMatrix: z->option_3 = c.options.Size == 0 ? DM_SQUARE : 0; break;
        case bcPDF417: z->option_1 = c.options.Ecc - 1; z->option_2 = c.options.Columns; break;
        case bcDataBarExpandedStacked: z->option_2 = c.options.Columns; break;
        default: break;
        }
        ASSERT_EQ(ZBarcode_Encode(z, reinterpret_cast<const unsigned char*>(input.data()), int(input.size())), 0)
            << z->errtxt;
        const bool matrix = IsMatrixSymbology(c.type);
        std::vector<std::string> expected;
        for (int r = 0; r < z->rows; ++r) {
            std::string row;
            for (int x = 0; x < z->width; ++x)
                row += (z->encoded_data[r][x / 8] >> (x % 8)) & 1 ? '#' : '.';
            expected.push_back(row);
        }
        ZBarcode_Delete(z);

        if (!matrix && expected.size() > 1)
            continue;  // stacked: the library's separator rows have no grid counterpart
        const double rowHeight = matrix ? symbol->Height / double(expected.size()) : 1.0;
        const std::vector<std::string> drawn = DrawnModules(bc, int(expected.size()), rowHeight);
        for (size_t r = 0; r < expected.size(); ++r) {
            if (matrix)
                EXPECT_EQ(Trimmed(drawn[r]), Trimmed(expected[r])) << "row " << r;
            else  // ITF-14's bearer bars stand beside its bars
                EXPECT_NE(Trimmed(drawn[r]).find(Trimmed(expected[r])), std::string::npos) << drawn[r];
        }
    }
}
#endif

TEST(LibrarySymbol, Gs1DataIsCheckedBeforeAnythingIsDrawn)
{
    const struct {
        TBarcodeType type;
        const char* text;
        const char* error;  // nullptr: valid
    } cases[] = {
        {bcGS1_128, "(01)09501101530003(17)260630(10)AB12", nullptr},
        {bcGS1_128, "[01]09501101530003[21]12345", nullptr},
        {bcGS1_128, "(01)09501101530004", "checksum"},               // wrong GTIN check digit
        {bcGS1_128, "(01)0950110153000", "length"},                   // 13 digits where 14 belong
        {bcGS1_128, "(17)261330", "month"},                           // no 13th month
        {bcGS1_128, "(99)x(999)1", "AI"},                            // no such identifier
        {bcGS1_128, "0109501101530003", "AI"},                        // no brackets at all
        {bcGS1_128, "(10)" "AB\xe9", "Extended ASCII"},                      // a byte GS1 does not allow
        {bcGS1DataMatrix, "(01)09501101530003(10)AB12", nullptr},
        {bcGS1DataMatrix, "(01)09501101530004", "checksum"},
        {bcDataBarExpanded, "(01)09501101530003(3103)000123", nullptr},
        {bcDataBarExpanded, "(3103)12", "length"},
        {bcDataBarOmni, "09501101530003", nullptr},
        {bcDataBarOmni, "09501101530004", "check digit"},
        {bcITF14, "12345678901231", nullptr},
        {bcITF14, "12345678901234", "check digit"},
        {bcISBN, "0306406152", nullptr},
        {bcISBN, "0306406153", "check digit"},
        {bcQRCode, "any text at all", nullptr},
        {bcMicroQR, "7777777777777777777777777777777777777777", "too long"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IsValidCode(QString::fromLatin1(c.text), c.type, false), c.error == nullptr);
        TBarcode bc;
        bc.SetTyp(c.type);
        bc.SetText(c.text);
        int width = 0;
        const char* error = bc.TryWidth(width);
        if (!c.error) {
            EXPECT_EQ(error, nullptr) << error;
            continue;
        }
        ASSERT_NE(error, nullptr);
        EXPECT_NE(QString::fromUtf8(error).indexOf(QLatin1String(c.error), 0, Qt::CaseInsensitive), -1) << error;
        QImage image(400, 400, QImage::Format_Grayscale8);
        image.fill(Qt::white);
        QPainter painter(&image);
        EXPECT_THROW(bc.DrawBarcode(painter), BarcodeError);
    }
}
