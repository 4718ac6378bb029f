#include "barcode/ZintEncoder.h"

#include <QCoreApplication>
#include <QString>

#include <zint.h>

#include <algorithm>
#include <memory>
#include <new>

namespace {

struct TSymbolDeleter {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};
using TSymbolPtr = std::unique_ptr<zint_symbol, TSymbolDeleter>;

// "Error 261: AI (01) position 14: Bad checksum '4', expected '3'" without
// the library's number.
QString LibraryMessage(const char* errtxt)
{
    QString text = QString::fromUtf8(errtxt);
    const int colon = text.indexOf(QLatin1String(": "));
    if (colon > 0 && colon < 14 && (text.startsWith(QLatin1String("Error")) || text.startsWith(QLatin1String("Warning"))))
        text = text.mid(colon + 2);
    if (text.isEmpty())
        text = QCoreApplication::translate("Barcode", "The code cannot be encoded");
    return text;
}

void ApplyOptions(zint_symbol& s, int symbology, const TSymbolOptions& o)
{
    switch (symbology) {
    case TZintEncoder::QrCode:
    case TZintEncoder::MicroQr:
    case TZintEncoder::Aztec:
        if (o.Ecc > 0)
            s.option_1 = o.Ecc;
        if (o.Size > 0)
            s.option_2 = o.Size;
        break;
    case TZintEncoder::DataMatrix:
        if (o.Size > 0)
            s.option_2 = o.Size;
        else if (o.Size == 0)
            s.option_3 = DM_SQUARE;
        break;
    case TZintEncoder::Pdf417:
        if (o.Ecc > 0)
            s.option_1 = o.Ecc - 1;
        if (o.Columns > 0)
            s.option_2 = o.Columns;
        break;
    case TZintEncoder::MicroPdf417:
    case TZintEncoder::DataBarExpandedStacked:
        if (o.Columns > 0)
            s.option_2 = o.Columns;
        break;
    default: break;
    }
}

}  // namespace

TOutcome<TEncodedSymbol> TZintEncoder::Encode(int symbology, std::string_view bytes, const TSymbolOptions& options,
                                              bool gs1, bool matrix)
{
    TSymbolPtr s(ZBarcode_Create());
    if (!s)
        throw std::bad_alloc();
    s->symbology = symbology;
    s->input_mode = DATA_MODE;
    if (gs1) {
        s->input_mode = GS1_MODE;
        // "(01)…" as typed on labels; "[01]…" as the library writes it.
        if (!bytes.empty() && bytes.front() == '(')
            s->input_mode |= GS1PARENS_MODE;
    }
    s->warn_level = WARN_FAIL_ALL;
    s->show_hrt = 1;
    s->scale = 1.0f;
    ApplyOptions(*s, symbology, options);
    if (matrix) {
        // Square modules read straight from the library's grid: runs of dark
        // modules along each row, a run continued down the rows below that
        // have the same one. Fewer rectangles make smaller, faster output.
        if (ZBarcode_Encode(s.get(), reinterpret_cast<const unsigned char*>(bytes.data()), int(bytes.size())) != 0)
            return Refuse(LibraryMessage(s->errtxt));
        TEncodedSymbol out;
        out.Width = float(s->width);
        const int rows = std::clamp(s->rows, 0, 200);
        const int width = std::clamp(s->width, 0, 144 * 8);
        auto dark = [&](int r, int x) { return (s->encoded_data[r][x / 8] >> (x % 8)) & 1; };
        std::vector<float> top(size_t(rows) + 1, 0.0f);
        for (int r = 0; r < rows; ++r)
            top[size_t(r) + 1] = top[size_t(r)] + (s->row_height[r] > 0 ? s->row_height[r] : 1.0f);
        // Open runs: x -> index into out.Rects of the run ending in the row above.
        std::vector<int> open(size_t(width) + 1, -1), next(size_t(width) + 1, -1);
        for (int r = 0; r < rows; ++r) {
            std::fill(next.begin(), next.end(), -1);
            for (int x = 0; x < width;) {
                if (!dark(r, x)) {
                    ++x;
                    continue;
                }
                int end = x;
                while (end < width && dark(r, end))
                    ++end;
                const int above = open[size_t(x)];
                if (above >= 0 && out.Rects[size_t(above)].W == float(end - x)) {
                    out.Rects[size_t(above)].H = top[size_t(r) + 1] - out.Rects[size_t(above)].Y;
                    next[size_t(x)] = above;
                } else {
                    out.Rects.push_back({float(x), top[size_t(r)], float(end - x), top[size_t(r) + 1] - top[size_t(r)]});
                    next[size_t(x)] = int(out.Rects.size()) - 1;
                }
                x = end;
            }
            std::swap(open, next);
        }
        out.Height = top[size_t(rows)];
        if (out.Rects.empty())
            return Refuse(LibraryMessage(""));
        return out;
    }
    const int result = ZBarcode_Encode_and_Buffer_Vector(
        s.get(), reinterpret_cast<const unsigned char*>(bytes.data()), int(bytes.size()), 0);
    if (result != 0 || !s->vector)
        return Refuse(LibraryMessage(s->errtxt));

    // The vector output counts two units to the module at scale 1.
    constexpr float kUnit = 0.5f;
    TEncodedSymbol out;
    const zint_vector& v = *s->vector;
    float bottom = 0;
    for (const zint_vector_rect* r = v.rectangles; r; r = r->next) {
        if (r->colour != -1 && r->colour != 7)
            continue;  // white or coloured: nothing to print
        out.Rects.push_back({r->x * kUnit, r->y * kUnit, r->width * kUnit, r->height * kUnit});
        bottom = std::max(bottom, (r->y + r->height) * kUnit);
    }
    out.Width = v.width * kUnit;
    // The symbol without the library's own text line; we draw that in the
    // label's font.
    out.Height = v.strings ? bottom : v.height * kUnit;
    if (out.Rects.empty())
        return Refuse(LibraryMessage(""));
    const QByteArray text = QString::fromUtf8(reinterpret_cast<const char*>(s->text)).toLatin1();
    out.Text.assign(text.constData(), size_t(text.size()));
    return out;
}
