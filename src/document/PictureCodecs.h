// Decoders and encoders of the picture file formats label files embed:
// bitmap (BMP), icon (ICO), JPEG and enhanced metafile (EMF).
//
// Every decoder takes untrusted bytes. Before anything is allocated the
// declared dimensions are checked against kMaxPicturePixels and against what
// the data can hold; a corrupt or truncated stream gives a null image (or an
// empty SVG) and never more than a bounded amount of work.
#pragma once

#include "barcode/Outcome.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace picturecodec {

// Largest picture decoded, in pixels (about 200 MB as 32-bit pixels).
constexpr qint64 kMaxPicturePixels = 50'000'000;
// Largest side of a decoded picture, in pixels.
constexpr int kMaxPictureSide = 65'535;
// Largest metafile handed to the metafile converter.
constexpr int kMaxMetafileBytes = 32 * 1024 * 1024;
// Most progressive scans a JPEG may have.
constexpr int kMaxJpegScans = 100;
// Saved drawing states in a metafile: how many, and how deeply nested.
constexpr int kMaxSavedStates = 4096;
constexpr int kMaxSavedDepth = 256;
// What a metafile's drawing may hold: points in one path, points and
// elements in all, pixels of its embedded images together.
constexpr qint64 kMaxPathPoints = 4000;
constexpr qint64 kMaxSvgPoints = 200'000;
constexpr qint64 kMaxSvgElements = 50'000;
constexpr qint64 kMaxSvgImagePixels = 16'000'000;

// A bitmap file (BITMAPFILEHEADER, then a core, info, V4 or V5 header;
// uncompressed, RLE or bit-field pixels). Null when it does not decode.
// Run-length data is drawn as far as it stays inside the bitmap, every
// pixel it does not reach being palette colour 0; when it reaches past the
// bitmap or ends early, *damage says so.
QImage DecodeBitmap(const QByteArray& bytes, QString* damage = nullptr);
// An icon file; of several images the largest (then the deepest) is taken.
// Images held as PNG are read too. Transparent parts have alpha 0.
QImage DecodeIcon(const QByteArray& bytes);
// A JPEG file through libjpeg: baseline or progressive, grey, YCbCr, RGB,
// CMYK or YCCK. Truncated or corrupt entropy data, arithmetic coding and
// more than kMaxJpegScans scans are refused. Result: Format_RGB32 or Grayscale8.
QImage DecodeJpeg(const QByteArray& bytes);

// What a stream's headers declare, read without decoding anything: the
// pixels of the picture its decoder would make (of an icon, the image it
// would take); -1 when the headers are not sound.
qint64 BitmapPixels(const QByteArray& bytes);
qint64 IconPixels(const QByteArray& bytes);
qint64 JpegPixels(const QByteArray& bytes);
qint64 PngPixels(const QByteArray& bytes);
qint64 GifPixels(const QByteArray& bytes);

// What a metafile holds: its records and the pixels of the bitmaps in them.
struct TMetafileContent {
    qint64 Records = 0;
    qint64 ImagePixels = 0;
};

// An enhanced metafile converted to SVG (empty when the stream is not a
// well-formed EMF: header, records each inside the stream, EOF record).
// The SVG is the converter's own output: check it with SanitizeSvg.
QByteArray EmfToSvg(const QByteArray& bytes);
// The picture frame an EMF header declares, in 0.01 mm (empty when absent).
QSize EmfFrameSize(const QByteArray& bytes);
// True when the bytes hold a well-formed record stream of an enhanced
// metafile: the header record first, every record at least 8 bytes, a
// multiple of 4 and inside the stream, ending with the EOF record; the
// bitmaps inside records of a supported depth and compression with their
// header, palette and pixels inside the record; saved states within bounds.
// *content: what it holds.
bool IsWellFormedEmf(const QByteArray& bytes, TMetafileContent* content = nullptr);

// Placeable Windows metafile: the frame it declares in pixels at 96 per inch
// (empty when the header is not one).
QSize WmfFrameSize(const QByteArray& bytes);
// True when the bytes hold a placeable Windows metafile whose records each
// lie inside the stream, end with the EOF record, whose bitmaps fit in
// their records and whose saved states stay within bounds.
bool IsWellFormedWmf(const QByteArray& bytes, TMetafileContent* content = nullptr);
// A placeable Windows metafile converted to SVG (empty when it is not well
// formed or the converter is missing); the frame of its header fills the SVG.
QByteArray WmfToSvg(const QByteArray& bytes);

// The header frame of a placeable metafile in points (1/72 inch), relative to
// the window origin its records set.
struct TWmfFrame {
    double Left = 0, Top = 0, Width = 0, Height = 0;
};
bool CheckWmf(const QByteArray& bytes, TWmfFrame* frame, TMetafileContent* content = nullptr);
// Plays a checked metafile into an SVG of the given size (WmfCodec.cpp).
QByteArray PlayWmfToSvg(const QByteArray& bytes, const TWmfFrame& frame, QSize size);

// The SVG of a metafile converter reduced to what such a drawing needs:
// known elements and attributes only, references inside the drawing or to
// embedded PNG/JPEG images, text properly escaped. Refused when it is not well
// formed or holds more than the kMaxPathPoints/kMaxSvgPoints/kMaxSvgElements/
// kMaxSvgImagePixels bounds.
TOutcome<QByteArray> SanitizeSvg(const QByteArray& svg);

// An image file of another format Qt reads ("png", "gif"), for pictures
// loaded from such files; null when it does not decode or is too large.
QImage DecodeOtherImage(const QByteArray& bytes, const char* format);

// Encoders; an empty result when the image is null or the writer fails.
QByteArray EncodeBitmap(const QImage& image);
QByteArray EncodeIcon(const QImage& image);  // at most 256 x 256: larger images are scaled down
QByteArray EncodeJpeg(const QImage& image, int quality = 90);

}  // namespace picturecodec
