// Small pictures made in the tests: images of known colours and metafiles
// written record by record.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QtEndian>

#include <initializer_list>

namespace picturetest {

// 8 x 6 pixels: left half red, right half blue, with a white frame of one
// pixel (so the top-left pixel is white).
inline QImage TwoColourImage(QImage::Format format = QImage::Format_RGB32)
{
    QImage img(8, 6, format);
    img.fill(Qt::white);
    QPainter p(&img);
    p.fillRect(1, 1, 3, 4, Qt::red);
    p.fillRect(4, 1, 3, 4, Qt::blue);
    return img;
}

// Appends little-endian 32-bit values.
class TRecordWriter {
public:
    QByteArray Bytes;
    void U32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        Bytes.append(b, 4);
    }
    void I32(qint32 v) { U32(quint32(v)); }
    void U16(quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        Bytes.append(b, 2);
    }
    void Set32(int at, quint32 v) { qToLittleEndian(v, Bytes.data() + at); }
};

// An enhanced metafile of 100 x 50 device pixels (26.46 x 13.23 mm) holding
// one rectangle from (10, 10) to (90, 40) filled with the colour (0x00BBGGRR)
// and no outline. The parts outside the rectangle are empty.
inline QByteArray RectangleEmf(quint32 colour = 0x0000FF)
{
    TRecordWriter w;
    // EMR_HEADER
    w.U32(1);
    w.U32(88);
    for (qint32 v : {0, 0, 99, 49})  // bounds, device pixels
        w.I32(v);
    for (qint32 v : {0, 0, 2646, 1323})  // frame, 0.01 mm
        w.I32(v);
    w.U32(0x464D4520);  // " EMF"
    w.U32(0x10000);
    w.U32(0);  // file size, set below
    w.U32(0);  // record count, set below
    w.U16(2);  // handles
    w.U16(0);
    w.U32(0);  // description
    w.U32(0);
    w.U32(0);  // palette entries
    w.I32(1024);
    w.I32(768);  // reference device, pixels
    w.I32(271);
    w.I32(203);  // and millimetres
    // EMR_CREATEBRUSHINDIRECT: handle 1, solid brush
    for (quint32 v : {39u, 24u, 1u, 0u, colour, 0u})
        w.U32(v);
    // EMR_SELECTOBJECT brush, EMR_SELECTOBJECT NULL_PEN (stock object 8)
    for (quint32 v : {37u, 12u, 1u, 37u, 12u, 0x80000008u})
        w.U32(v);
    // EMR_RECTANGLE
    for (quint32 v : {43u, 24u, 10u, 10u, 90u, 40u})
        w.U32(v);
    // EMR_EOF
    for (quint32 v : {14u, 20u, 0u, 16u, 20u})
        w.U32(v);
    w.Set32(48, quint32(w.Bytes.size()));
    w.Set32(52, 6);
    return w.Bytes;
}

// A placeable Windows metafile of 1000 x 500 units at 1000 per inch (96 x 48
// pixels): a red brush, the rectangle (100, 100)-(900, 400), the end record.
inline QByteArray RectanglePlaceableWmf()
{
    TRecordWriter w;
    w.U32(0x9AC6CDD7);
    w.U16(0);  // handle
    for (quint16 v : {0, 0, 1000, 500})  // bounding box
        w.U16(v);
    w.U16(1000);  // units per inch
    w.U32(0);
    quint16 sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum ^= quint16(quint8(w.Bytes[i]) | quint8(w.Bytes[i + 1]) << 8);
    w.U16(sum);
    // METAHEADER: type 1, 9 words, version 0x300, size in words, objects,
    // largest record, no parameters
    w.U16(1);
    w.U16(9);
    w.U16(0x300);
    w.U32(9 + 7 + 4 + 7 + 3);
    w.U16(1);
    w.U32(7);
    w.U16(0);
    // META_CREATEBRUSHINDIRECT: solid, red; META_SELECTOBJECT 0
    w.U32(7);
    w.U16(0x02FC);
    w.U16(0);
    w.U32(0x0000FF);
    w.U16(0);
    w.U32(4);
    w.U16(0x012D);
    w.U16(0);
    // META_RECTANGLE: bottom, right, top, left
    w.U32(7);
    w.U16(0x041B);
    for (quint16 v : {400, 900, 100, 100})
        w.U16(v);
    // META_EOF
    w.U32(3);
    w.U16(0);
    return w.Bytes;
}

// An enhanced metafile of 100 x 50 device pixels (frame as RectangleEmf)
// holding the given records, then the end record.
inline QByteArray EmfWith(const QByteArray& records)
{
    QByteArray emf = RectangleEmf().left(88);
    emf += records;
    TRecordWriter w;
    w.Bytes = emf;
    for (quint32 v : {14u, 20u, 0u, 16u, 20u})
        w.U32(v);
    w.Set32(48, quint32(w.Bytes.size()));
    return w.Bytes;
}

// One record: type, size, then the 32-bit values.
inline QByteArray EmfRecord(quint32 type, std::initializer_list<quint32> values, const QByteArray& tail = {})
{
    TRecordWriter w;
    w.U32(type);
    w.U32(quint32(8 + values.size() * 4 + ((tail.size() + 3) & ~3)));
    for (quint32 v : values)
        w.U32(v);
    w.Bytes += tail;
    while (w.Bytes.size() % 4)
        w.Bytes += '\0';
    return w.Bytes;
}

// EMR_EXTTEXTOUTW drawing the text at (x, y).
inline QByteArray EmfText(const QString& text, int x = 5, int y = 30)
{
    const quint32 n = quint32(text.size());
    QByteArray tail(reinterpret_cast<const char*>(text.utf16()), qsizetype(n) * 2);
    while (tail.size() % 4)
        tail += '\0';
    const quint32 offDx = 76 + quint32(tail.size());
    tail += QByteArray(qsizetype(n) * 4, '\x08');  // 8 units per character
    // bounds, graphics mode 1, scales 1.0, reference, chars, offString,
    // options, rectangle, offDx
    return EmfRecord(84, {0, 0, 100, 50, 1, 0x3F800000, 0x3F800000, quint32(x), quint32(y), n, 76, 0, 0, 0, 100,
                          50, offDx},
                     tail);
}

// EMR_STRETCHDIBITS drawing a bitmap (8 x 2 unless said otherwise) onto
// (0, 0)-(100, 50); the palette and the pixel bytes as given, bpp bits per
// pixel.
inline QByteArray EmfStretchDib(int bpp, const QList<quint32>& palette, const QByteArray& pixels,
                                quint32 width = 8, quint32 height = 2)
{
    TRecordWriter bmi;
    for (quint32 v : {40u, width, height})
        bmi.U32(v);
    bmi.U16(1);
    bmi.U16(quint16(bpp));
    for (quint32 v : {0u, quint32(pixels.size()), 0u, 0u, quint32(palette.size()), 0u})
        bmi.U32(v);
    for (quint32 c : palette)
        bmi.U32(c);
    const quint32 offBmi = 80, cbBmi = quint32(bmi.Bytes.size());
    // bounds, dest x y, src x y cx cy, offBmi cbBmi offBits cbBits, usage,
    // SRCCOPY, dest cx cy
    return EmfRecord(81, {0, 0, 100, 50, 0, 0, 0, 0, width, height, offBmi, cbBmi, offBmi + cbBmi,
                          quint32(pixels.size()), 0, 0x00CC0020, 100, 50},
                     bmi.Bytes + pixels);
}

// A bitmap file of the given depth (4 or 8 bits with a palette of
// 0x00RRGGBB colours, or 24 bits) and compression (0 none, 1 RLE8, 2 RLE4)
// holding `pixels` as they are.
inline QByteArray BitmapFile(int width, int height, int bpp, int compression, const QList<quint32>& palette,
                             const QByteArray& pixels)
{
    TRecordWriter w;
    w.Bytes = "BM";
    const quint32 offBits = 14 + 40 + quint32(palette.size()) * 4;
    for (quint32 v : {offBits + quint32(pixels.size()), 0u, offBits, 40u, quint32(width), quint32(height)})
        w.U32(v);
    w.U16(1);
    w.U16(quint16(bpp));
    for (quint32 v : {quint32(compression), quint32(pixels.size()), 2835u, 2835u, quint32(palette.size()), 0u})
        w.U32(v);
    for (quint32 c : palette)
        w.U32(c);
    return w.Bytes + pixels;
}

// An 8-bit run-length bitmap that declares side x side pixels of one colour
// and holds only a few kilobytes: rows of one run each. `variant` makes
// streams that differ.
inline QByteArray RunLengthBomb(int side, int variant = 0)
{
    QByteArray runs;
    for (int row = 0; row < 2000; ++row)
        runs += QByteArray::fromHex("FF010000");
    runs += QByteArray::fromHex("0001");
    QByteArray bmp = BitmapFile(side, side, 8, 1, {0x0000FF, quint32(0xFF0000 + variant)}, runs);
    return bmp;
}

// A placeable Windows metafile of 1000 x 500 units at 1000 per inch (96 x 48
// pixels) holding the given records (each: size in 16-bit words, function,
// parameters), then the end record.
inline QByteArray WmfWith(const QByteArray& records)
{
    QByteArray wmf = RectanglePlaceableWmf();
    wmf.truncate(40);
    wmf += records;
    wmf += QByteArray::fromHex("030000000000");
    qToLittleEndian<quint32>(quint32(wmf.size() - 22) / 2, wmf.data() + 28);
    qToLittleEndian<quint16>(4, wmf.data() + 32);  // objects
    qToLittleEndian<quint32>(quint32(records.size()) / 2, wmf.data() + 34);  // largest record, words (at most)
    return wmf;
}

// One Windows metafile record: its size, the function and the parameters
// (padded to a 16-bit boundary).
inline QByteArray WmfRecord(quint16 function, const QByteArray& parameters)
{
    QByteArray p = parameters;
    if (p.size() % 2)
        p += '\0';
    TRecordWriter w;
    w.U32(quint32(3 + p.size() / 2));
    w.U16(function);
    return w.Bytes + p;
}

}  // namespace picturetest
