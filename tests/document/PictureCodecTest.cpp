// Picture decoders and encoders, and how they take damaged input.
#include "common/PictureTestSupport.h"

#include "document/PictureCodecs.h"
#include "document/PictureData.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace picturecodec;
using namespace picturetest;

namespace {

bool Near(QRgb a, QColor b, int tolerance)
{
    return qAbs(qRed(a) - b.red()) <= tolerance && qAbs(qGreen(a) - b.green()) <= tolerance &&
           qAbs(qBlue(a) - b.blue()) <= tolerance;
}

QImage DecodeAs(TPictureKind kind, const QByteArray& bytes)
{
    switch (kind) {
    case TPictureKind::Bitmap: return DecodeBitmap(bytes);
    case TPictureKind::Icon: return DecodeIcon(bytes);
    case TPictureKind::Jpeg: return DecodeJpeg(bytes);
    default: break;
    }
    return QImage();
}

struct TRasterCase {
    TPictureKind kind;
    int tolerance;  // JPEG is lossy
};

class RasterCodec : public ::testing::TestWithParam<TRasterCase> {};

}  // namespace

TEST_P(RasterCodec, EncodesAndDecodesTheImage)
{
    const TRasterCase c = GetParam();
    const QImage source = TwoColourImage().scaled(64, 48);
    const TPlanPictureData pic = TPlanPictureData::FromImage(source, c.kind);
    ASSERT_EQ(pic.Kind, c.kind);
    ASSERT_TRUE(TPlanPictureData::IsKind(pic.Bytes, c.kind));
    const QImage decoded = DecodeAs(c.kind, pic.Bytes);
    ASSERT_EQ(decoded.size(), QSize(64, 48));
    EXPECT_TRUE(Near(decoded.pixel(20, 24), Qt::red, c.tolerance));
    EXPECT_TRUE(Near(decoded.pixel(44, 24), Qt::blue, c.tolerance));
    EXPECT_TRUE(Near(decoded.pixel(2, 2), Qt::white, c.tolerance));
    EXPECT_EQ(pic.NaturalSize(), QSize(64, 48));
}

TEST_P(RasterCodec, DamagedStreamsDecodeToNothing)
{
    const TRasterCase c = GetParam();
    const QByteArray good = TPlanPictureData::FromImage(TwoColourImage().scaled(32, 24), c.kind).Bytes;
    ASSERT_FALSE(good.isEmpty());
    ASSERT_FALSE(DecodeAs(c.kind, good).isNull());
    // Every truncation loses pixel data (or the end marker) and is refused.
    for (qsizetype n = 0; n < good.size(); ++n)
        EXPECT_TRUE(DecodeAs(c.kind, good.left(n)).isNull()) << "length " << n;
    // Random damage behind an intact signature: whatever comes out, nothing
    // crashes and nothing larger than the limits is made.
    QRandomGenerator rng(1234 + int(c.kind));
    for (int i = 0; i < 400; ++i) {
        QByteArray bad = good;
        const int changes = 1 + int(rng.bounded(8));
        for (int k = 0; k < changes; ++k)
            bad[4 + rng.bounded(int(bad.size()) - 4)] = char(rng.bounded(256));
        const QImage img = DecodeAs(c.kind, bad);
        EXPECT_LE(qint64(img.width()) * img.height(), kMaxPicturePixels);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, RasterCodec,
                         ::testing::Values(TRasterCase{TPictureKind::Bitmap, 0}, TRasterCase{TPictureKind::Icon, 0},
                                           TRasterCase{TPictureKind::Jpeg, 40}),
                         [](const ::testing::TestParamInfo<TRasterCase>& info) {
                             return TPlanPictureData::TypeName(info.param.kind).toStdString();
                         });

TEST(PictureCodec, IconKeepsTransparencyAndTakesTheLargestImage)
{
    QImage small(16, 16, QImage::Format_ARGB32);
    small.fill(Qt::transparent);
    QPainter(&small).fillRect(4, 4, 8, 8, Qt::green);
    const QImage decoded = DecodeIcon(EncodeIcon(small));
    ASSERT_EQ(decoded.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(decoded.pixel(0, 0)), 0);
    EXPECT_EQ(decoded.pixel(8, 8), qRgb(0, 255, 0));

    // Two images in one icon file: the 32 x 32 one is drawn.
    QImage big = small.scaled(32, 32);
    QByteArray a = EncodeIcon(small), b = EncodeIcon(big);
    ASSERT_GT(a.size(), 22);
    ASSERT_GT(b.size(), 22);
    QByteArray two;
    TRecordWriter w;
    w.U16(0);
    w.U16(1);
    w.U16(2);
    const quint32 dataA = 6 + 32, dataB = dataA + quint32(a.size() - 22);
    w.Bytes.append(a.mid(6, 8));
    w.U32(quint32(a.size() - 22));
    w.U32(dataA);
    w.Bytes.append(b.mid(6, 8));
    w.U32(quint32(b.size() - 22));
    w.U32(dataB);
    two = w.Bytes + a.mid(22) + b.mid(22);
    EXPECT_EQ(DecodeIcon(two).size(), QSize(32, 32));
}

TEST(PictureCodec, GreyJpegStaysGrey)
{
    QImage grey(40, 30, QImage::Format_Grayscale8);
    grey.fill(200);
    const QImage decoded = DecodeJpeg(EncodeJpeg(grey));
    ASSERT_EQ(decoded.format(), QImage::Format_Grayscale8);
    EXPECT_NEAR(qGray(decoded.pixel(20, 15)), 200, 2);
}

TEST(PictureCodec, HugeDeclaredSizesAreRefusedUpFront)
{
    QElapsedTimer timer;
    timer.start();
    // Bitmap: 60000 x 60000 pixels declared, a few bytes of data.
    QByteArray bmp = EncodeBitmap(TwoColourImage());
    qToLittleEndian<qint32>(60000, bmp.data() + 18);
    qToLittleEndian<qint32>(60000, bmp.data() + 22);
    EXPECT_TRUE(DecodeBitmap(bmp).isNull());
    // Dimensions that overflow 32-bit arithmetic, negative width, RLE that
    // claims more than its bytes can span.
    qToLittleEndian<qint32>(0x7FFFFFFF, bmp.data() + 18);
    EXPECT_TRUE(DecodeBitmap(bmp).isNull());
    qToLittleEndian<qint32>(-8, bmp.data() + 18);
    EXPECT_TRUE(DecodeBitmap(bmp).isNull());
    QByteArray rle = EncodeBitmap(TwoColourImage().convertToFormat(QImage::Format_Indexed8));
    ASSERT_FALSE(DecodeBitmap(rle).isNull());
    qToLittleEndian<quint32>(1, rle.data() + 30);  // BI_RLE8
    qToLittleEndian<qint32>(5000, rle.data() + 18);
    qToLittleEndian<qint32>(5000, rle.data() + 22);
    EXPECT_TRUE(DecodeBitmap(rle).isNull());

    // JPEG: the frame header (SOF0) says 65000 x 65000.
    QByteArray jpeg = EncodeJpeg(TwoColourImage());
    const qsizetype sof = jpeg.indexOf(QByteArray::fromHex("FFC0"));
    ASSERT_GT(sof, 0);
    qToBigEndian<quint16>(65000, jpeg.data() + sof + 5);
    qToBigEndian<quint16>(65000, jpeg.data() + sof + 7);
    EXPECT_TRUE(DecodeJpeg(jpeg).isNull());

    // Icon: the image's own header says 30000 x 30000.
    QByteArray ico = EncodeIcon(TwoColourImage(QImage::Format_ARGB32));
    const quint32 offset = qFromLittleEndian<quint32>(ico.constData() + 18);
    if (ico.mid(offset, 4) != QByteArray("\x89PNG", 4)) {
        qToLittleEndian<qint32>(30000, ico.data() + offset + 4);
        qToLittleEndian<qint32>(60000, ico.data() + offset + 8);
        EXPECT_TRUE(DecodeIcon(ico).isNull());
    }
    EXPECT_LT(timer.elapsed(), 2000);
}

TEST(PictureCodec, JpegErrorsReturnInsteadOfEndingTheProgram)
{
    // A start-of-image marker followed by garbage, a header without frame,
    // and markers with impossible lengths.
    for (const char* hex : {"FFD8FF00112233445566778899", "FFD8FFE000104A46494600010100000100010000FFD9",
                            "FFD8FFC0FFFF08", "FFD8FFDB0000", "FFD8FFC4000100"}) {
        EXPECT_TRUE(DecodeJpeg(QByteArray::fromHex(hex)).isNull()) << hex;
    }
}

TEST(PictureCodec, EnhancedMetafileBecomesSvg)
{
    const QByteArray emf = RectangleEmf();
    EXPECT_TRUE(IsWellFormedEmf(emf));
    EXPECT_EQ(EmfFrameSize(emf), QSize(2646, 1323));
#ifdef TAGMORA_HAVE_EMF2SVG
    const QByteArray svg = EmfToSvg(emf);
    EXPECT_TRUE(svg.contains("rect")) << svg.constData();
    EXPECT_TRUE(svg.contains("#FF0000")) << svg.constData();
#endif
}

TEST(PictureCodec, MalformedMetafilesAreRefused)
{
    const QByteArray emf = RectangleEmf();
    for (qsizetype n = 0; n < emf.size(); ++n)
        EXPECT_FALSE(IsWellFormedEmf(emf.left(n))) << "length " << n;
    // A record size that is not a multiple of four, one running past the end,
    // one of zero, a header that is not first.
    for (auto [at, value] : {std::pair<int, quint32>{92, 26}, {92, 4000}, {92, 0}, {0, 39}}) {
        QByteArray bad = emf;
        qToLittleEndian(value, bad.data() + at);
        EXPECT_FALSE(IsWellFormedEmf(bad)) << at << " " << value;
        EXPECT_TRUE(EmfToSvg(bad).isEmpty());
    }
    // Random record contents inside a valid record structure never crash the
    // converter.
    QRandomGenerator rng(99);
    for (int i = 0; i < 300; ++i) {
        QByteArray bad = emf;
        for (int k = 0; k < 6; ++k)
            bad[96 + rng.bounded(int(bad.size()) - 116)] = char(rng.bounded(256));
        EmfToSvg(bad);
    }
}

TEST(PictureCodec, PlaceableMetafile)
{
    const QByteArray wmf = RectanglePlaceableWmf();
    EXPECT_EQ(WmfFrameSize(wmf), QSize(96, 48));
    EXPECT_EQ(WmfFrameSize(QByteArray(10, '\0')), QSize());
    EXPECT_TRUE(IsWellFormedWmf(wmf));
    for (qsizetype n = 0; n < wmf.size(); ++n)
        EXPECT_FALSE(IsWellFormedWmf(wmf.left(n))) << "length " << n;
#ifdef TAGMORA_HAVE_LIBWMF
    EXPECT_TRUE(WmfToSvg(wmf).contains("rect"));
#endif

    // A STRETCHDIB record whose bitmap claims 20000 x 20000 pixels in a few
    // bytes is refused before the player sees it.
    TRecordWriter w;
    w.Bytes = wmf.left(40);
    const int start = int(w.Bytes.size());
    w.U32(0);
    w.U16(0x0F43);
    w.U32(0x00CC0020);  // SRCCOPY
    for (int i = 0; i < 9; ++i)
        w.U16(i == 1 || i == 2 ? 100 : 0);
    for (quint32 v : {40u, 20000u, 20000u})
        w.U32(v);
    w.U16(1);
    w.U16(24);
    for (int i = 0; i < 6; ++i)
        w.U32(0);
    w.U32(0x00FFFFFF);
    w.Set32(start, quint32(w.Bytes.size() - start) / 2);
    w.U32(3);
    w.U16(0);
    EXPECT_FALSE(IsWellFormedWmf(w.Bytes));
    EXPECT_TRUE(WmfToSvg(w.Bytes).isEmpty());

    // Records of random functions and parameters inside a sound record
    // structure: the player may refuse them, but returns promptly.
    QRandomGenerator rng(5);
    const quint16 functions[] = {0x02FC, 0x012D, 0x041B, 0x0418, 0x0324, 0x0538, 0x0325, 0x0521, 0x0A32, 0x02FB,
                                 0x0107, 0x0209, 0x0201, 0x020B, 0x020C, 0x0817, 0x081A, 0x0830, 0x06FF, 0x0416};
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 150; ++i) {
        TRecordWriter r;
        r.Bytes = wmf.left(40);
        for (int k = 1 + int(rng.bounded(6)); k > 0; --k) {
            const quint32 words = 3 + rng.bounded(30);
            r.U32(words);
            r.U16(functions[rng.bounded(int(std::size(functions)))]);
            for (quint32 j = 3; j < words; ++j)
                r.U16(quint16(rng.bounded(3) == 0 ? rng.bounded(65536) : rng.bounded(300)));
        }
        r.U32(3);
        r.U16(0);
        r.Set32(28, quint32(r.Bytes.size() - 22) / 2);
        ASSERT_TRUE(IsWellFormedWmf(r.Bytes));
        WmfToSvg(r.Bytes);
    }
    EXPECT_LT(timer.elapsed(), 20000);
}
