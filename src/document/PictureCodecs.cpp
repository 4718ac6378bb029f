#include "document/PictureCodecs.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <jerror.h>
#include <jpeglib.h>

#ifdef TAGMORA_HAVE_EMF2SVG
#include <emf2svg.h>
#endif

namespace picturecodec {

namespace {

// ----- Little-endian reading with bounds ------------------------------------

struct TBytesView {
    const unsigned char* data;
    qint64 size;

    explicit TBytesView(const QByteArray& b)
        : data(reinterpret_cast<const unsigned char*>(b.constData())), size(b.size())
    {
    }
    bool Has(qint64 at, qint64 n) const { return at >= 0 && n >= 0 && at <= size && n <= size - at; }
    quint16 U16(qint64 at) const { return quint16(data[at] | data[at + 1] << 8); }
    qint16 I16(qint64 at) const { return qint16(U16(at)); }
    quint32 U32(qint64 at) const
    {
        return quint32(data[at]) | quint32(data[at + 1]) << 8 | quint32(data[at + 2]) << 16 |
               quint32(data[at + 3]) << 24;
    }
    qint32 I32(qint64 at) const { return qint32(U32(at)); }
    quint32 U32BE(qint64 at) const
    {
        return quint32(data[at]) << 24 | quint32(data[at + 1]) << 16 | quint32(data[at + 2]) << 8 |
               quint32(data[at + 3]);
    }
};

bool SizeAllowed(qint64 w, qint64 h)
{
    return w > 0 && h > 0 && w <= kMaxPictureSide && h <= kMaxPictureSide && w * h <= kMaxPicturePixels;
}

// Reads one image of a format from memory, no format guessing.
QImage ReadWithQt(const QByteArray& bytes, const char* format, int imageIndex = -1)
{
    QByteArray copy = bytes;  // shared, not copied
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    if (imageIndex >= 0 && !reader.jumpToImage(imageIndex))
        return QImage();
    QImage image;
    if (!reader.read(&image))
        return QImage();
    return image;
}

// ----- Bitmap ---------------------------------------------------------------

// The pixel layout a DIB header declares and whether the data can hold it.
// at: offset of the info header; available: bytes from the info header on
// that belong to this DIB; pixelsAt: offset of the pixel data from the info
// header when known (0 = right after header, masks and palette);
// iconImage: an icon's AND mask follows the colour pixels (height counts
// twice); shortPalette: palette entries may be 2-byte indices (metafiles).
bool CheckDib(const TBytesView& v, qint64 at, qint64 available, qint64 pixelsAt, bool iconImage,
              bool shortPalette = false)
{
    if (!v.Has(at, 4))
        return false;
    const quint32 headerSize = v.U32(at);
    if (headerSize < 12 || headerSize > available || !v.Has(at, headerSize))
        return false;
    qint64 width = 0, height = 0;
    int bpp = 0;
    quint32 compression = 0, colorsUsed = 0;
    if (headerSize == 12) {
        width = v.U16(at + 4);
        height = v.I16(at + 6);
        bpp = v.U16(at + 10);
    } else {
        if (headerSize < 40)
            return false;
        width = v.I32(at + 4);
        height = v.I32(at + 8);
        bpp = v.U16(at + 14);
        compression = v.U32(at + 16);
        colorsUsed = v.U32(at + 32);
    }
    const bool topDown = height < 0;
    height = topDown ? -height : height;
    if (iconImage)
        height /= 2;
    if (!SizeAllowed(width, height))
        return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return false;
    const bool rle = compression == 1 || compression == 2;
    if (compression == 1 && bpp != 8)
        return false;
    if (compression == 2 && bpp != 4)
        return false;
    if (compression == 3 && bpp != 16 && bpp != 32)
        return false;
    if (compression > 3 || (rle && (topDown || iconImage)))
        return false;
    if (bpp <= 8 && colorsUsed > (1u << bpp))
        colorsUsed = 1u << bpp;
    const qint64 paletteEntries = bpp <= 8 ? (colorsUsed ? colorsUsed : (1u << bpp)) : colorsUsed;
    const qint64 masks = (compression == 3 && headerSize == 40) ? 12 : 0;
    qint64 dataStart = headerSize + masks + paletteEntries * (shortPalette ? 2 : headerSize == 12 ? 3 : 4);
    if (pixelsAt > 0)
        dataStart = qMin(dataStart, pixelsAt);
    const qint64 data = available - dataStart;
    if (data <= 0)
        return false;
    if (rle)  // runs and skips: bounded by the longest a few bytes can span
        return width * height <= (data + 2) * 16384;
    const qint64 rowBytes = (width * bpp + 31) / 32 * 4;
    qint64 needed = rowBytes * (height - 1) + (width * bpp + 7) / 8;
    if (iconImage)
        needed += (width + 31) / 32 * 4 * height;  // AND mask
    return needed <= data;
}

// The pixels of a device-independent bitmap that CheckDib accepted.
qint64 DibPixels(const TBytesView& v, qint64 at)
{
    if (v.U32(at) == 12)
        return qint64(v.U16(at + 4)) * qAbs(v.I16(at + 6));
    return qint64(v.I32(at + 4)) * qAbs(qint64(v.I32(at + 8)));
}

// ----- JPEG -----------------------------------------------------------------

struct TJpegError {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void JpegErrorExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<TJpegError*>(cinfo->err)->jump, 1);
}

void JpegOutputMessage(j_common_ptr) {}

// Warnings that mean the entropy data is damaged end the decoding; the
// harmless ones (unknown JFIF revision, extra bytes between markers) do not.
void JpegEmitMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return;
    switch (cinfo->err->msg_code) {
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_JPEG_EOF:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
        std::longjmp(reinterpret_cast<TJpegError*>(cinfo->err)->jump, 1);
    default:
        break;
    }
}

void JpegProgress(j_common_ptr cinfo)
{
    if (cinfo->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxJpegScans)
        std::longjmp(reinterpret_cast<TJpegError*>(cinfo->err)->jump, 1);
}

void InstallJpegError(TJpegError& err)
{
    jpeg_std_error(&err.pub);
    err.pub.error_exit = JpegErrorExit;
    err.pub.emit_message = JpegEmitMessage;
    err.pub.output_message = JpegOutputMessage;
}

// All state lives here, outside the stack frame that calls setjmp, so that
// nothing the decoder changed is lost or left half-destroyed by a longjmp.
struct TJpegDecoder {
    jpeg_decompress_struct cinfo;
    TJpegError err;
    jpeg_progress_mgr progress;
    bool created = false;
    const QByteArray* bytes = nullptr;
    QImage image;
};

void CmykRowToRgb32(const JSAMPLE* cmyk, QRgb* out, int width, bool inverted)
{
    for (int x = 0; x < width; ++x, cmyk += 4) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

bool RunJpegDecode(TJpegDecoder* d)
{
    d->cinfo.err = &d->err.pub;
    InstallJpegError(d->err);
    if (setjmp(d->err.jump))
        return false;
    jpeg_create_decompress(&d->cinfo);
    d->created = true;
    d->cinfo.mem->max_memory_to_use = 512L * 1024 * 1024;
    d->progress.progress_monitor = JpegProgress;
    d->cinfo.progress = &d->progress;
    jpeg_mem_src(&d->cinfo, reinterpret_cast<const unsigned char*>(d->bytes->constData()),
                 static_cast<unsigned long>(d->bytes->size()));
    if (jpeg_read_header(&d->cinfo, TRUE) != JPEG_HEADER_OK)
        return false;
    // Arithmetic coding packs a blank area into next to nothing, so its size
    // says nothing about what the data can hold; label files never carry it.
    if (d->cinfo.arith_code)
        return false;
    const qint64 w = d->cinfo.image_width, h = d->cinfo.image_height;
    // Huffman data spends at least one bit on every 8 x 8 block.
    if (!SizeAllowed(w, h) || w * h > d->bytes->size() * 1024 + 65536)
        return false;
    bool cmyk = false;
    QImage::Format format = QImage::Format_RGB32;
    switch (d->cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
        d->cinfo.out_color_space = JCS_GRAYSCALE;
        format = QImage::Format_Grayscale8;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        d->cinfo.out_color_space = JCS_CMYK;
        cmyk = true;
        break;
    default:
        d->cinfo.out_color_space = JCS_EXT_BGRX;  // QImage::Format_RGB32 in memory order
        break;
    }
    jpeg_start_decompress(&d->cinfo);
    const int ow = int(d->cinfo.output_width), oh = int(d->cinfo.output_height);
    if (!SizeAllowed(ow, oh))
        return false;
    d->image = QImage(ow, oh, format);
    if (d->image.isNull())
        return false;
    JSAMPARRAY cmykRow = nullptr;
    if (cmyk)
        cmykRow = (*d->cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&d->cinfo), JPOOL_IMAGE,
                                               JDIMENSION(ow) * 4, 1);
    const bool inverted = d->cinfo.saw_Adobe_marker;
    while (d->cinfo.output_scanline < d->cinfo.output_height) {
        const int y = int(d->cinfo.output_scanline);
        JSAMPROW row = cmyk ? cmykRow[0] : reinterpret_cast<JSAMPROW>(d->image.scanLine(y));
        if (jpeg_read_scanlines(&d->cinfo, &row, 1) != 1)
            return false;
        if (cmyk)
            CmykRowToRgb32(cmykRow[0], reinterpret_cast<QRgb*>(d->image.scanLine(y)), ow, inverted);
    }
    if (d->cinfo.density_unit == 1 || d->cinfo.density_unit == 2) {
        const double perMetre = d->cinfo.density_unit == 1 ? 10000.0 / 254.0 : 100.0;
        if (d->cinfo.X_density > 0 && d->cinfo.Y_density > 0) {
            d->image.setDotsPerMeterX(qRound(d->cinfo.X_density * perMetre));
            d->image.setDotsPerMeterY(qRound(d->cinfo.Y_density * perMetre));
        }
    }
    jpeg_finish_decompress(&d->cinfo);
    return true;
}

struct TJpegEncoder {
    jpeg_compress_struct cinfo;
    TJpegError err;
    bool created = false;
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    QImage image;  // Format_RGB32 or Format_Grayscale8
    int quality = 90;
};

bool RunJpegEncode(TJpegEncoder* e)
{
    e->cinfo.err = &e->err.pub;
    InstallJpegError(e->err);
    if (setjmp(e->err.jump))
        return false;
    jpeg_create_compress(&e->cinfo);
    e->created = true;
    jpeg_mem_dest(&e->cinfo, &e->out, &e->outSize);
    const bool grey = e->image.format() == QImage::Format_Grayscale8;
    e->cinfo.image_width = JDIMENSION(e->image.width());
    e->cinfo.image_height = JDIMENSION(e->image.height());
    e->cinfo.input_components = grey ? 1 : 4;
    e->cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGRX;
    jpeg_set_defaults(&e->cinfo);
    jpeg_set_quality(&e->cinfo, qBound(1, e->quality, 100), TRUE);
    if (e->image.dotsPerMeterX() > 0 && e->image.dotsPerMeterY() > 0) {
        e->cinfo.density_unit = 1;
        e->cinfo.X_density = UINT16(qBound(1, qRound(e->image.dotsPerMeterX() * 0.0254), 65535));
        e->cinfo.Y_density = UINT16(qBound(1, qRound(e->image.dotsPerMeterY() * 0.0254), 65535));
    }
    jpeg_start_compress(&e->cinfo, TRUE);
    while (e->cinfo.next_scanline < e->cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(e->image.constScanLine(int(e->cinfo.next_scanline)));
        jpeg_write_scanlines(&e->cinfo, &row, 1);
    }
    jpeg_finish_compress(&e->cinfo);
    return true;
}

// ----- Enhanced metafile ----------------------------------------------------

constexpr quint32 kEmrHeader = 1;
constexpr quint32 kEmrEof = 14;
constexpr quint32 kEmfSignature = 0x464D4520;  // " EMF"
constexpr qint64 kMaxEmfRecords = 4'000'000;

}  // namespace

namespace {

// Run-length coded pixels (BI_RLE8, or BI_RLE4 with two pixels a byte) from
// `at` to `end`, rows bottom-up, into an image of palette indices that all
// start as 0. What would land outside the bitmap is left out (decoding goes
// on with the data after it) and makes *damage say so, as does data that
// ends before the bitmap does.
QImage DecodeRunLength(const TBytesView& v, qint64 at, qint64 end, int width, int height, bool rle4,
                       QString* damage)
{
    QImage image(width, height, QImage::Format_Indexed8);
    if (image.isNull())
        return image;
    image.fill(0);
    bool outside = false;
    qint64 x = 0, y = 0;
    // count pixels from x on: index i of them is pixel(i).
    auto put = [&](qint64 count, auto pixel) {
        const qint64 inside = y < height ? qBound<qint64>(0, width - x, count) : 0;
        uchar* row = inside > 0 ? image.scanLine(int(height - 1 - y)) : nullptr;
        for (qint64 i = 0; i < inside; ++i)
            row[x + i] = uchar(pixel(i));
        outside = outside || inside < count;
        x += count;
    };
    bool ended = false;
    while (!ended && at + 2 <= end) {
        const int count = v.data[at], value = v.data[at + 1];
        at += 2;
        if (count > 0) {
            put(count, [&](qint64 i) { return rle4 ? (i % 2 ? value & 15 : value >> 4) : value; });
        } else if (value == 0) {  // end of the row
            x = 0;
            ++y;
        } else if (value == 1) {  // end of the bitmap
            ended = true;
        } else if (value == 2) {  // move right and up
            if (at + 2 > end)
                break;
            x += v.data[at];
            y += v.data[at + 1];
            at += 2;
            outside = outside || x > width || y > height;
        } else {  // `value` pixels as they are, padded to a 16-bit boundary
            const qint64 bytes = rle4 ? (value + 1) / 2 : value;
            if (at + bytes > end)
                break;
            const qint64 from = at;
            put(value, [&](qint64 i) {
                const int b = v.data[from + (rle4 ? i / 2 : i)];
                return rle4 ? (i % 2 ? b & 15 : b >> 4) : b;
            });
            at += (bytes + 1) & ~qint64(1);
        }
    }
    if (outside)
        *damage = QStringLiteral("run-length data reaches past the bitmap's edge");
    else if (!ended && y < height && !(y == height - 1 && x >= width))
        *damage = QStringLiteral("run-length data ends before the bitmap does");
    return image;
}

// A run-length coded bitmap file that CheckDib accepted.
QImage DecodeRunLengthBitmap(const TBytesView& v, QString* damage)
{
    const qint64 info = 14;
    const quint32 headerSize = v.U32(info);
    const int width = v.I32(info + 4), height = v.I32(info + 8), bpp = v.U16(info + 14);
    const quint32 colorsUsed = v.U32(info + 32);
    const qint64 full = qint64(1) << bpp;
    const qint64 paletteAt = info + headerSize;
    const qint64 offBits = v.U32(10);
    const qint64 dataAt = offBits >= paletteAt && offBits < v.size ? offBits : paletteAt + full * 4;
    // A data offset inside the header puts the pixels after a full palette,
    // which may lie past the file's end: the palette is what the file holds.
    const qint64 entries =
        qMin(colorsUsed && colorsUsed < full ? qint64(colorsUsed) : full, (qMin(dataAt, v.size) - paletteAt) / 4);
    QVector<QRgb> palette;
    for (qint64 i = 0; i < entries; ++i)
        palette << (qRgb(v.data[paletteAt + i * 4 + 2], v.data[paletteAt + i * 4 + 1], v.data[paletteAt + i * 4]));
    // Indices past the palette take its first colour (black without one).
    palette.resize(256, palette.isEmpty() ? qRgb(0, 0, 0) : palette.first());
    QString why;
    QImage image = DecodeRunLength(v, dataAt, v.size, width, height, bpp == 4, &why);
    if (image.isNull())
        return image;
    image.setColorTable(palette);
    if (v.I32(info + 24) > 0 && v.I32(info + 28) > 0) {
        image.setDotsPerMeterX(v.I32(info + 24));
        image.setDotsPerMeterY(v.I32(info + 28));
    }
    if (damage)
        *damage = why;
    return image;
}

}  // namespace

QImage DecodeBitmap(const QByteArray& bytes, QString* damage)
{
    const TBytesView v(bytes);
    if (!v.Has(0, 18) || v.data[0] != 'B' || v.data[1] != 'M')
        return QImage();
    const qint64 offBits = v.U32(10);
    if (!CheckDib(v, 14, v.size - 14, offBits > 14 ? offBits - 14 : 0, false))
        return QImage();
    const quint32 compression = v.U32(14) >= 40 ? v.U32(30) : 0;
    if (compression == 1 || compression == 2)
        return DecodeRunLengthBitmap(v, damage);
    return ReadWithQt(bytes, "bmp");
}

namespace {

// The image of an icon file that is drawn: the largest, then the deepest of
// those whose data is sound; -1 when there is none. *pixels: its size.
int ChooseIconImage(const TBytesView& v, qint64* pixels)
{
    if (!v.Has(0, 6) || v.U16(0) != 0 || v.U16(2) != 1)
        return -1;
    const int count = v.U16(4);
    if (count == 0 || !v.Has(6, qint64(count) * 16))
        return -1;
    int best = -1;
    qint64 bestArea = 0;
    int bestDepth = 0;
    for (int i = 0; i < count; ++i) {
        const qint64 entry = 6 + qint64(i) * 16;
        const qint64 size = v.U32(entry + 8), offset = v.U32(entry + 12);
        if (offset < 6 + qint64(count) * 16 || !v.Has(offset, size) || size < 16)
            continue;
        qint64 w = 0, h = 0;
        int depth = 0;
        if (std::memcmp(v.data + offset, "\x89PNG\r\n\x1a\n", 8) == 0) {
            if (size < 24)
                continue;
            w = v.U32BE(offset + 16);
            h = v.U32BE(offset + 20);
            depth = 32;
            if (!SizeAllowed(w, h) || w > 4096 || h > 4096)
                continue;
        } else {
            if (!CheckDib(v, offset, size, 0, true))
                continue;
            w = v.I32(offset + 4);
            h = qAbs(v.I32(offset + 8)) / 2;
            depth = v.U16(offset + 14);
        }
        if (w * h > bestArea || (w * h == bestArea && depth > bestDepth)) {
            best = i;
            bestArea = w * h;
            bestDepth = depth;
        }
    }
    *pixels = bestArea;
    return best;
}

}  // namespace

QImage DecodeIcon(const QByteArray& bytes)
{
    qint64 pixels = 0;
    const int best = ChooseIconImage(TBytesView(bytes), &pixels);
    if (best < 0)
        return QImage();
    return ReadWithQt(bytes, "ico", best);
}

qint64 BitmapPixels(const QByteArray& bytes)
{
    const TBytesView v(bytes);
    if (!v.Has(0, 18) || v.data[0] != 'B' || v.data[1] != 'M')
        return -1;
    const qint64 offBits = v.U32(10);
    return CheckDib(v, 14, v.size - 14, offBits > 14 ? offBits - 14 : 0, false) ? DibPixels(v, 14) : -1;
}

qint64 IconPixels(const QByteArray& bytes)
{
    qint64 pixels = 0;
    return ChooseIconImage(TBytesView(bytes), &pixels) < 0 ? -1 : pixels;
}

qint64 JpegPixels(const QByteArray& bytes)
{
    const TBytesView v(bytes);
    if (!v.Has(0, 4) || v.data[0] != 0xFF || v.data[1] != 0xD8)
        return -1;
    qint64 at = 2;
    while (v.Has(at, 4)) {
        const int marker = v.data[at + 1];
        if (v.data[at] != 0xFF)
            return -1;
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {  // markers without a segment
            at += 2;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9)  // a scan, or the end, before any frame header
            return -1;
        const qint64 length = qint64(v.data[at + 2]) << 8 | v.data[at + 3];
        if (length < 2 || !v.Has(at + 2, length))
            return -1;
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            if (length < 8)
                return -1;
            const qint64 h = qint64(v.data[at + 5]) << 8 | v.data[at + 6];
            const qint64 w = qint64(v.data[at + 7]) << 8 | v.data[at + 8];
            return w > 0 && h > 0 ? w * h : -1;
        }
        at += 2 + length;
    }
    return -1;
}

qint64 PngPixels(const QByteArray& bytes)
{
    const TBytesView v(bytes);
    if (!v.Has(0, 24) || std::memcmp(v.data, "\x89PNG\r\n\x1a\n", 8) != 0 || std::memcmp(v.data + 12, "IHDR", 4) != 0)
        return -1;
    const qint64 w = v.U32BE(16), h = v.U32BE(20);
    return w > 0 && h > 0 ? w * h : -1;
}

qint64 GifPixels(const QByteArray& bytes)
{
    const TBytesView v(bytes);
    if (!v.Has(0, 10) || (std::memcmp(v.data, "GIF87a", 6) != 0 && std::memcmp(v.data, "GIF89a", 6) != 0))
        return -1;
    const qint64 w = v.U16(6), h = v.U16(8);
    return w > 0 && h > 0 ? w * h : -1;
}

QImage DecodeJpeg(const QByteArray& bytes)
{
    if (bytes.size() < 4)
        return QImage();
    auto d = std::make_unique<TJpegDecoder>();
    d->bytes = &bytes;
    const bool ok = RunJpegDecode(d.get());
    if (d->created)
        jpeg_destroy_decompress(&d->cinfo);
    return ok ? d->image : QImage();
}

QByteArray EncodeJpeg(const QImage& image, int quality)
{
    if (image.isNull())
        return QByteArray();
    auto e = std::make_unique<TJpegEncoder>();
    if (image.format() == QImage::Format_Grayscale8) {
        e->image = image;
    } else if (image.hasAlphaChannel()) {
        // JPEG has no transparency: what is transparent becomes white.
        e->image = QImage(image.size(), QImage::Format_RGB32);
        e->image.fill(Qt::white);
        e->image.setDotsPerMeterX(image.dotsPerMeterX());
        e->image.setDotsPerMeterY(image.dotsPerMeterY());
        QPainter p(&e->image);
        p.drawImage(0, 0, image);
    } else {
        e->image = image.convertToFormat(QImage::Format_RGB32);
    }
    e->quality = quality;
    const bool ok = RunJpegEncode(e.get());
    if (e->created)
        jpeg_destroy_compress(&e->cinfo);
    QByteArray result;
    if (ok && e->out)
        result = QByteArray(reinterpret_cast<const char*>(e->out), qsizetype(e->outSize));
    std::free(e->out);
    return result;
}

QImage DecodeOtherImage(const QByteArray& bytes, const char* format)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (!SizeAllowed(size.width(), size.height()))
        return QImage();
    QImage image;
    return reader.read(&image) ? image : QImage();
}

QByteArray EncodeBitmap(const QImage& image)
{
    if (image.isNull())
        return QByteArray();
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    return writer.write(image) ? out : QByteArray();
}

QByteArray EncodeIcon(const QImage& image)
{
    if (image.isNull())
        return QByteArray();
    QImage icon = image;
    if (icon.width() > 256 || icon.height() > 256)
        icon = icon.scaled(256, 256, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (!icon.hasAlphaChannel())
        icon = icon.convertToFormat(QImage::Format_ARGB32);
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    return writer.write(icon) ? out : QByteArray();
}

namespace {

// The bitmap an EMF record carries: its header and palette at offBmi
// (cbBmi bytes), its pixels at offBits (cbBits bytes), both inside the
// record. Supported depths and compressions only; RLE only with a full
// palette. With `fix`, palette indices past the palette are set to 0 so
// that no converter reads colours beyond it.
bool CheckEmfBitmap(const TBytesView& v, qint64 record, qint64 recordSize, qint64 field, unsigned char* fix,
                    qint64& pixels)
{
    if (field + 16 > recordSize)
        return false;
    const qint64 offBmi = v.U32(record + field), cbBmi = v.U32(record + field + 4);
    const qint64 offBits = v.U32(record + field + 8), cbBits = v.U32(record + field + 12);
    if (cbBmi == 0)
        return true;  // a pattern or plain fill: no bitmap
    if (offBmi < field + 16 || cbBmi > recordSize - offBmi || offBits > recordSize || cbBits > recordSize - offBits ||
        cbBmi < 12)
        return false;
    const qint64 at = record + offBmi;
    const quint32 headerSize = v.U32(at);
    if (headerSize > cbBmi || (headerSize != 12 && headerSize < 40))
        return false;
    qint64 width, height;
    int bpp;
    quint32 compression = 0, colorsUsed = 0;
    if (headerSize == 12) {
        width = v.U16(at + 4);
        height = v.I16(at + 6);
        bpp = v.U16(at + 10);
    } else {
        width = v.I32(at + 4);
        height = v.I32(at + 8);
        bpp = v.U16(at + 14);
        compression = v.U32(at + 16);
        colorsUsed = v.U32(at + 32);
    }
    height = qAbs(height);
    if (!SizeAllowed(width, height))
        return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return false;
    const bool rle = compression == 1 || compression == 2;
    if (compression > 3 || (compression == 1 && bpp != 8) || (compression == 2 && bpp != 4) ||
        (compression == 3 && bpp != 16 && bpp != 32))
        return false;
    const qint64 full = bpp <= 8 ? (qint64(1) << bpp) : 0;
    const qint64 entries = bpp <= 8 ? (colorsUsed && colorsUsed < full ? colorsUsed : full) : 0;
    const qint64 masks = (compression == 3 && headerSize == 40) ? 12 : 0;
    if (headerSize + masks + entries * (headerSize == 12 ? 3 : 4) > cbBmi)
        return false;
    pixels += width * height;
    if (rle)
        return entries == full && width * height <= (cbBits + 2) * 16384;
    const qint64 rowBytes = (width * bpp + 31) / 32 * 4;
    if (rowBytes * height > cbBits)
        return false;
    if (fix && entries < full) {
        unsigned char* pixels = fix + record + offBits;
        const int perByte = 8 / bpp;
        const unsigned mask = unsigned(full - 1);
        for (qint64 y = 0; y < height; ++y) {
            unsigned char* row = pixels + y * rowBytes;
            for (qint64 x = 0; x < width; ++x) {
                unsigned char& b = row[x / perByte];
                const int shift = 8 - bpp * int(x % perByte + 1);
                if (((b >> shift) & mask) >= entries)
                    b = static_cast<unsigned char>(b & ~(mask << shift));
            }
        }
    }
    return true;
}

// Where the bitmap fields (offBmi, cbBmi, offBits, cbBits) of the records
// that carry bitmaps lie; 0 for none.
std::pair<int, int> EmfBitmapFields(quint32 type)
{
    switch (type) {
    case 76:   // EMR_BITBLT
    case 77:   // EMR_STRETCHBLT
    case 114:  // EMR_ALPHABLEND
    case 116:  // EMR_TRANSPARENTBLT
        return {84, 0};
    case 78: return {84, 112};  // EMR_MASKBLT, with its mask
    case 79: return {96, 124};  // EMR_PLGBLT
    case 80:                    // EMR_SETDIBITSTODEVICE
    case 81:                    // EMR_STRETCHDIBITS
        return {48, 0};
    case 93:  // EMR_CREATEMONOBRUSH
    case 94:  // EMR_CREATEDIBPATTERNBRUSHPT
        return {16, 0};
    default: return {0, 0};
    }
}

// Walks an EMF's records and checks them (see IsWellFormedEmf), counting
// what they hold into `content`. With `fix` (a copy of the bytes), repairs
// what the converter would misread: palette indices past a short palette,
// and font names that would break the SVG.
bool WalkEmf(const QByteArray& bytes, unsigned char* fix, TMetafileContent& content)
{
    const TBytesView v(bytes);
    if (!v.Has(0, 88) || v.U32(0) != kEmrHeader || v.U32(40) != kEmfSignature)
        return false;
    qint64 at = 0;
    int saved = 0, depth = 0;
    for (qint64 n = 0; n < kMaxEmfRecords; ++n) {
        if (!v.Has(at, 8))
            return false;
        const quint32 type = v.U32(at), size = v.U32(at + 4);
        if (size < 8 || size % 4 != 0 || !v.Has(at, size))
            return false;
        if ((n == 0) != (type == kEmrHeader))
            return false;
        content.Records = n + 1;
        if (n == 0 && size < 88)
            return false;
        if (type == kEmrEof)
            return size >= 20;
        const auto [first, second] = EmfBitmapFields(type);
        if (first && !CheckEmfBitmap(v, at, size, first, fix, content.ImagePixels))
            return false;
        if (second && qint64(size) >= second + 16 && !CheckEmfBitmap(v, at, size, second, fix, content.ImagePixels))
            return false;
        if (type == 33) {  // EMR_SAVEDC
            if (++saved > kMaxSavedStates || ++depth > kMaxSavedDepth)
                return false;
        } else if (type == 34 && size >= 12) {  // EMR_RESTOREDC, relative
            const qint32 back = v.I32(at + 8);
            depth = back < 0 ? qMax(0, depth + back) : depth;
        } else if ((type == 83 || type == 84) && fix && size >= 76) {
            // EMR_EXTTEXTOUTA/W: the converter puts the text in a CDATA
            // section, which "]]>" would end; its ">" becomes a similar sign.
            const bool wide = type == 84;
            const qint64 chars = v.U32(at + 44), off = v.U32(at + 48);
            if (off <= size && chars <= (size - off) / (wide ? 2 : 1)) {
                const qint64 unit = wide ? 2 : 1;
                auto ch = [&](qint64 i) { return wide ? v.U16(at + off + i * 2) : quint16(v.data[at + off + i]); };
                for (qint64 i = 2; i < chars; ++i) {
                    if (ch(i) == '>' && ch(i - 1) == ']' && ch(i - 2) == ']') {
                        unsigned char* p = fix + at + off + i * unit;
                        p[0] = wide ? 0x3A : 0x9B;  // U+203A, or its code page 1252 byte
                        if (wide)
                            p[1] = 0x20;
                    }
                }
            }
        } else if (type == 82 && fix && size >= 12 + 28 + 64) {
            // EMR_EXTCREATEFONTINDIRECTW: the face name ends up in an
            // attribute; characters that would end it become harmless.
            for (qint64 c = at + 40; c < at + 40 + 64; c += 2) {
                const quint16 ch = v.U16(c);
                if (ch == 0)
                    break;
                if (ch == '"' || ch == '<' || ch == '>' || ch == '&') {
                    fix[c] = ch == '"' ? '\'' : ' ';
                    fix[c + 1] = 0;
                }
            }
        }
        at += size;
    }
    return false;
}

}  // namespace

bool IsWellFormedEmf(const QByteArray& bytes, TMetafileContent* content)
{
    TMetafileContent counted;
    return WalkEmf(bytes, nullptr, content ? *content : counted);
}

QSize EmfFrameSize(const QByteArray& bytes)
{
    const TBytesView v(bytes);
    if (!v.Has(0, 88) || v.U32(0) != kEmrHeader || v.U32(40) != kEmfSignature)
        return QSize();
    const qint64 w = qint64(v.I32(32)) - v.I32(24), h = qint64(v.I32(36)) - v.I32(28);
    if (w <= 0 || h <= 0 || w > 100'000'000 || h > 100'000'000)
        return QSize();
    return QSize(int(w), int(h));
}

QByteArray EmfToSvg(const QByteArray& bytes)
{
#ifdef TAGMORA_HAVE_EMF2SVG
    if (bytes.size() > kMaxMetafileBytes)
        return QByteArray();
    // The converter takes a writable buffer; hand it a private copy, with
    // what it would misread repaired.
    QByteArray input(bytes.constData(), bytes.size());
    TMetafileContent content;
    if (!WalkEmf(bytes, reinterpret_cast<unsigned char*>(input.data()), content))
        return QByteArray();
    generatorOptions options;
    std::memset(&options, 0, sizeof options);
    // No namespace prefix: with one, the converter closes some prefixed
    // elements without it and the SVG is not well formed.
    char ns[] = "";
    options.nameSpace = ns;
    options.svgDelimiter = true;
    // EMF+ records are left to the GDI records every dual-mode file also carries.
    options.emfplus = false;
    char* out = nullptr;
    size_t outLength = 0;
    const int ok = emf2svg(input.data(), size_t(input.size()), &out, &outLength, &options);
    QByteArray svg;
    if (ok && out && outLength > 0 && outLength < size_t(1) << 30)
        svg = QByteArray(out, qsizetype(outLength));
    std::free(out);
    return svg;
#else
    Q_UNUSED(bytes);
    return QByteArray();
#endif
}

namespace {

// Bitmap16 (an old metafile bitmap record): type, width, height, bytes per
// row, planes, bits per pixel, then the rows.
bool CheckBitmap16(const TBytesView& v, qint64 at, qint64 available, qint64& pixels)
{
    if (available < 10 || !v.Has(at, 10))
        return false;
    const qint64 w = v.I16(at + 2), h = v.I16(at + 4), rowBytes = v.I16(at + 6);
    const int planes = v.data[at + 8], bpp = v.data[at + 9];
    if (!SizeAllowed(w, h) || rowBytes <= 0 || planes != 1 || bpp < 1 || bpp > 32)
        return false;
    pixels += w * h;
    return rowBytes * 8 >= w * bpp && rowBytes * h <= available - 10;
}


}  // namespace

bool CheckWmf(const QByteArray& bytes, TWmfFrame* frame, TMetafileContent* content)
{
    TMetafileContent counted;
    TMetafileContent& c = content ? *content : counted;
    const TBytesView v(bytes);
    if (!v.Has(0, 40) || v.U32(0) != 0x9AC6CDD7u)
        return false;
    const int inch = v.U16(14);
    const int left = v.I16(6), top = v.I16(8), right = v.I16(10), bottom = v.I16(12);
    if (inch <= 0 || left == right || top == bottom)
        return false;
    const int type = v.U16(22), headerWords = v.U16(24), version = v.U16(26);
    if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x100 && version != 0x300))
        return false;
    bool haveOrigin = false;
    int originX = 0, originY = 0;
    int saved = 0, depth = 0;
    qint64 at = 40;
    for (qint64 n = 0; n < kMaxEmfRecords; ++n) {
        if (!v.Has(at, 6))
            return false;
        const qint64 size = qint64(v.U32(at)) * 2;
        const int function = v.U16(at + 4);
        if (size < 6 || !v.Has(at, size))
            return false;
        c.Records = n + 1;
        if (function == 0) {
            if (frame) {
                const double scale = 72.0 / inch;
                frame->Left = (qMin(left, right) - (haveOrigin ? originX : 0)) * scale;
                frame->Top = (qMin(top, bottom) - (haveOrigin ? originY : 0)) * scale;
                frame->Width = qAbs(right - left) * scale;
                frame->Height = qAbs(bottom - top) * scale;
            }
            return true;
        }
        const qint64 end = at + size;
        auto dibAt = [&](qint64 offset) {
            if (!CheckDib(v, at + offset, end - at - offset, 0, false, true))
                return false;
            c.ImagePixels += DibPixels(v, at + offset);
            return true;
        };
        bool fits = true;
        switch (function) {
        case 0x001E:  // SAVEDC: players keep every state, some look through all of them
            fits = ++saved <= kMaxSavedStates && ++depth <= kMaxSavedDepth;
            break;
        case 0x0127:  // RESTOREDC, relative when negative
            if (size >= 8 && v.I16(at + 6) < 0)
                depth = qMax(0, depth + v.I16(at + 6));
            break;
        case 0x020B:  // SETWINDOWORG y, x
            if (!haveOrigin && size >= 10) {
                haveOrigin = true;
                originY = v.I16(at + 6);
                originX = v.I16(at + 8);
            }
            break;
        case 0x0940:  // DIBBITBLT: a bitmap follows unless the record has only its fixed fields
            fits = size <= 24 || dibAt(22);
            break;
        case 0x0B41:  // DIBSTRETCHBLT
            fits = size <= 28 || dibAt(26);
            break;
        case 0x0F43:  // STRETCHDIB
            fits = dibAt(28);
            break;
        case 0x0D33:  // SETDIBTODEV
            fits = dibAt(24);
            break;
        case 0x0142:  // DIBCREATEPATTERNBRUSH (style 3 holds a Bitmap16)
            fits = size >= 10 && (v.U16(at + 6) == 3 ? CheckBitmap16(v, at + 10, end - at - 10, c.ImagePixels) : dibAt(10));
            break;
        case 0x0922:  // BITBLT with a Bitmap16
            fits = size <= 24 || CheckBitmap16(v, at + 22, end - at - 22, c.ImagePixels);
            break;
        case 0x0B23:  // STRETCHBLT with a Bitmap16
            fits = size <= 28 || CheckBitmap16(v, at + 26, end - at - 26, c.ImagePixels);
            break;
        case 0x01F9:  // CREATEPATTERNBRUSH
            fits = CheckBitmap16(v, at + 6, end - at - 6, c.ImagePixels);
            break;
        default:
            break;
        }
        if (!fits)
            return false;
        at = end;
    }
    return false;
}

bool IsWellFormedWmf(const QByteArray& bytes, TMetafileContent* content)
{
    return CheckWmf(bytes, nullptr, content);
}

QByteArray WmfToSvg(const QByteArray& bytes)
{
    TWmfFrame frame;
    if (bytes.size() > kMaxMetafileBytes || !CheckWmf(bytes, &frame))
        return QByteArray();
    const QSize size = WmfFrameSize(bytes);
    return PlayWmfToSvg(bytes, frame, QSize(qBound(1, size.width(), 10000), qBound(1, size.height(), 10000)));
}

QSize WmfFrameSize(const QByteArray& bytes)
{
    const TBytesView v(bytes);
    if (!v.Has(0, 22) || v.U32(0) != 0x9AC6CDD7u)
        return QSize();
    const int inch = v.U16(14);
    const qint64 w = qint64(v.I16(10)) - v.I16(6), h = qint64(v.I16(12)) - v.I16(8);
    if (inch <= 0 || w == 0 || h == 0)
        return QSize();
    return QSize(int(qAbs(w) * 96 / inch), int(qAbs(h) * 96 / inch));
}

}  // namespace picturecodec
