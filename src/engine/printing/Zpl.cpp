#include "engine/printing/Zpl.h"

#include <QImage>
#include <QtEndian>

#include <algorithm>
#include <cstdint>

namespace {

// Whether a pixel is darker than half grey: luminance 77 R + 151 G + 28 B
// over 256 below 128.
inline uchar Dark(QRgb p)
{
    return uchar(77 * qRed(p) + 151 * qGreen(p) + 28 * qBlue(p) < 128 * 256);
}

}  // namespace

TMonoBitmap ToMonoBitmap(const QImage& page)
{
    const QImage grey =
        page.format() == QImage::Format_Grayscale8 ? page : page.convertToFormat(QImage::Format_Grayscale8);
    TMonoBitmap b;
    b.Width = grey.width();
    b.Height = grey.height();
    b.BytesPerRow = (b.Width + 7) / 8;
    b.Bits = QByteArray(qsizetype(b.BytesPerRow) * b.Height, '\0');
    const int whole = b.Width / 8;
    for (int y = 0; y < b.Height; ++y) {
        const uchar* line = grey.constScanLine(y);
        auto* out = reinterpret_cast<uchar*>(b.Bits.data()) + qsizetype(y) * b.BytesPerRow;
        for (int i = 0; i < whole; ++i) {
            // Eight dots at once: a dot is black below half grey, where the
            // top bit of its grey value is clear. Labels are mostly white.
            const uint64_t eight = qFromLittleEndian<quint64>(line + 8 * i);
            const uint64_t dark = (~eight >> 7) & 0x0101010101010101u;
            if (dark == 0)
                continue;
            // The eight flags gathered into one byte, the first dot highest.
            out[i] = uchar((dark * 0x8040201008040201u) >> 56);
        }
        for (int x = whole * 8; x < b.Width; ++x)
            if (line[x] < 128)
                out[whole] |= uchar(0x80 >> (x % 8));
    }
    return b;
}

namespace {

const char kHex[] = "0123456789ABCDEF";

// A run of count copies of digit c: counts 1..19 are G..Y, multiples of 20
// up to 400 are g..z, added together ("hKF" is 45 F).
void AppendRun(QByteArray& out, char c, int count)
{
    for (; count > 400; count -= 400) {
        out += 'z';
        out += c;
    }
    const int rest = count % 20;
    if (count >= 20)
        out += char('g' + count / 20 - 1);
    if (rest > 0 && (count >= 20 || rest > 1))
        out += char('G' + rest - 1);
    out += c;
}

}  // namespace

QByteArray ZplGraphicField(const TMonoBitmap& bitmap)
{
    const int rowBytes = bitmap.BytesPerRow;
    const qsizetype total = qsizetype(rowBytes) * bitmap.Height;
    QByteArray out = "^GFA," + QByteArray::number(total) + ',' + QByteArray::number(total) + ',' +
                     QByteArray::number(rowBytes) + ',';
    QByteArray hex(rowBytes * 2, '0');
    const auto* bits = reinterpret_cast<const uchar*>(bitmap.Bits.constData());
    for (int y = 0; y < bitmap.Height; ++y) {
        const uchar* row = bits + qsizetype(y) * rowBytes;
        if (y > 0 && std::equal(row, row + rowBytes, row - rowBytes)) {
            out += ':';
            continue;
        }
        if (std::all_of(row, row + rowBytes, [](uchar b) { return b == 0; })) {
            out += ',';
            continue;
        }
        for (int i = 0; i < rowBytes; ++i) {
            hex[2 * i] = kHex[row[i] >> 4];
            hex[2 * i + 1] = kHex[row[i] & 15];
        }
        // The row's end in one character when it is all white or all black.
        int end = hex.size();
        char tail = 0;
        if (hex[end - 1] == '0' || hex[end - 1] == 'F') {
            const char c = hex[end - 1];
            int start = end;
            while (start > 0 && hex[start - 1] == c)
                --start;
            if (end - start > 1 || start == 0) {
                tail = c == '0' ? ',' : '!';
                end = start;
            }
        }
        for (int i = 0; i < end;) {
            int j = i + 1;
            while (j < end && hex[j] == hex[i])
                ++j;
            AppendRun(out, hex[i], j - i);
            i = j;
        }
        if (tail)
            out += tail;
    }
    return out;
}

QByteArray ZplJobHeader(const TZplSettings& settings)
{
    if (settings.Darkness < 0)
        return QByteArray();
    return "~SD" + QByteArray::number(std::clamp(settings.Darkness, 0, 30)).rightJustified(2, '0') + '\n';
}

QByteArray ZplLabelFormat(const TMonoBitmap& bitmap, const TZplSettings& settings, int copies)
{
    QByteArray out = "^XA\n^PW" + QByteArray::number(bitmap.Width) + "\n^LL" + QByteArray::number(bitmap.Height) +
                     "\n^LH0,0\n^PON\n";
    switch (settings.Media) {
    case TMediaKind::Gap: out += "^MNY\n"; break;
    case TMediaKind::Continuous: out += "^MNN\n"; break;
    case TMediaKind::Mark: out += "^MNM\n"; break;
    }
    if (settings.Speed > 0)
        out += "^PR" + QByteArray::number(std::clamp(settings.Speed, 1, 14)) + '\n';
    out += "^FO0,0" + ZplGraphicField(bitmap) + "^FS\n";
    if (copies > 1)
        out += "^PQ" + QByteArray::number(copies) + '\n';
    out += "^XZ\n";
    return out;
}
