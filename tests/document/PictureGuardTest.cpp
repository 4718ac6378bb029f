// Pictures from label files made elsewhere: hostile streams are decoded in a
// guarded child, checked, bounded, and reported when they cannot be read;
// valid metafiles with clipping or odd text still draw.
#include "common/PictureTestSupport.h"

#include "document/DecodedPicture.h"
#include "document/GuardedChild.h"
#include "document/PictureCodecs.h"
#include "document/PictureData.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using namespace picturecodec;
using namespace picturetest;

namespace {

// The metafile drawn at 100 x 50 pixels; null when it does not decode.
QImage DrawnEmf(const QByteArray& emf, QString* error = nullptr)
{
    const TPictureOutcome d = TDecodedPicture::Decode(TPictureKind::Metafile, emf);
    if (error)
        *error = d.Message();
    return d ? d.Value()->Rendered(QSize(100, 50), false, false, false) : QImage();
}

int CountPixels(const QImage& img, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) & RGB_MASK) == (colour & RGB_MASK) && qAlpha(img.pixel(x, y)) > 0;
    return n;
}

const QByteArray kRedFill = EmfRecord(39, {1, 0, 0x0000FF, 0}) + EmfRecord(37, {1}) + EmfRecord(37, {0x80000008});

}  // namespace

TEST(PictureGuard, SvgKeepsOnlyDrawingAndEmbeddedImages)
{
    const QByteArray hostile = R"svg(<?xml version="1.0"?>
<!DOCTYPE svg [<!ENTITY x SYSTEM "file:///etc/passwd">]>
<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="10" height="10">
<image xlink:href="/tmp/secret.png" width="10" height="10"/>
<image href="file:///tmp/secret.png" width="10" height="10"/>
<use xlink:href="other.svg#a"/>
<rect width="5" height="5" fill="url(file:///x)" style="fill:url(http://h/x)"/>
<script>alert(1)</script><foreignObject><p>x</p></foreignObject>
<text x="1" y="9">a &lt; b &amp; c</text>
<path d="M0 0 L5 5" clip-path="url(#c)" onload="x"/>
</svg>)svg";
    const TOutcome<QByteArray> sanitized = SanitizeSvg(hostile);
    ASSERT_TRUE(sanitized) << sanitized.Message().toStdString();
    const QByteArray& svg = sanitized.Value();
    for (const char* gone : {"secret", "other.svg", "file:", "script", "foreignObject", "onload", "ENTITY", "http://h"})
        EXPECT_FALSE(svg.contains(gone)) << gone << "\n" << svg.constData();
    for (const char* kept : {"<rect", "<path", "url(#c)", "a &lt; b &amp; c"})
        EXPECT_TRUE(svg.contains(kept)) << kept << "\n" << svg.constData();

    // An embedded PNG stays; one that declares a huge size makes the drawing
    // unreadable.
    QImage tiny(4, 4, QImage::Format_RGB32);
    tiny.fill(Qt::green);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    tiny.save(&buffer, "PNG");
    const QByteArray withImage = "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink'>"
                                 "<image width='4' height='4' xlink:href='data:image/png;base64," +
                                 png.toBase64() + "'/></svg>";
    EXPECT_TRUE(SanitizeSvg(withImage).Value().contains("data:image/png"));
    qToBigEndian<quint32>(60000, png.data() + 16);
    qToBigEndian<quint32>(60000, png.data() + 20);
    quint32 crc = 0xFFFFFFFF;  // of the IHDR chunk's type and data
    for (int i = 12; i < 29; ++i) {
        crc ^= quint8(png[i]);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    qToBigEndian<quint32>(~crc, png.data() + 29);
    const TOutcome<QByteArray> huge = SanitizeSvg(withImage.left(withImage.indexOf("base64,") + 7) + png.toBase64() + "'/></svg>");
    EXPECT_FALSE(huge);
    EXPECT_TRUE(huge.Message().contains("pixels")) << huge.Message().toStdString();
}

TEST(PictureGuard, MetafileTextCannotPullInALocalFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("secret.png"));
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(file));
    const QString injected = QStringLiteral(
                                 "]]></text><image x=\"0\" y=\"0\" width=\"100\" height=\"50\" "
                                 "xlink:href=\"%1\" href=\"%1\"/><text><![CDATA[")
                                 .arg(file);
    const QImage img = DrawnEmf(EmfWith(EmfText(injected)));
#ifdef TAGMORA_HAVE_EMF2SVG
    ASSERT_FALSE(img.isNull());  // the text itself is harmless
#endif
    EXPECT_EQ(CountPixels(img, qRgb(255, 0, 0)), 0);
}

TEST(PictureGuard, BitmapsInsideMetafileRecordsAreChecked)
{
    // 8 bits per pixel, one palette entry (green), pixel values up to 255:
    // the indices past the palette draw as its first colour, every time.
    QByteArray pixels;
    for (int i = 0; i < 16; ++i)
        pixels += char(i * 17);
    const QByteArray overRead = EmfWith(EmfStretchDib(8, {0x0000FF00}, pixels));
    ASSERT_TRUE(IsWellFormedEmf(overRead));
#ifdef TAGMORA_HAVE_EMF2SVG
    const QImage first = DrawnEmf(overRead);
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(CountPixels(first, qRgb(0, 255, 0)), 100 * 50);
#endif
    // Depths no bitmap has, and pixels that do not fit in the record.
    for (int bpp : {0, 2, 7, 65})
        EXPECT_FALSE(IsWellFormedEmf(EmfWith(EmfStretchDib(bpp, {}, QByteArray(64, '\0'))))) << bpp;
    EXPECT_FALSE(IsWellFormedEmf(EmfWith(EmfStretchDib(24, {}, QByteArray(10, '\0')))));
    QString error;
    EXPECT_TRUE(DrawnEmf(EmfWith(EmfStretchDib(65, {}, QByteArray(64, '\0'))), &error).isNull());
    EXPECT_FALSE(error.isEmpty());
}

TEST(PictureGuard, DrawingBombsAreRefusedPromptly)
{
    QElapsedTimer timer;
    timer.start();
    // A self-intersecting polygon of 20,000 points (EMR_POLYGON16).
    TRecordWriter points;
    for (int i = 0; i < 20000; ++i) {
        points.U16(quint16((i * 37) % 100));
        points.U16(quint16((i * 53) % 50));
    }
    const QByteArray polygon = EmfRecord(86, {0, 0, 100, 50, 20000}, points.Bytes);
    QString error;
    EXPECT_TRUE(DrawnEmf(EmfWith(kRedFill + polygon), &error).isNull());
#ifdef TAGMORA_HAVE_EMF2SVG
    EXPECT_TRUE(error.contains("points")) << error.toStdString();
#endif

    // 100,000 saved states in a Windows metafile, and in an enhanced one.
    QByteArray wmf = RectanglePlaceableWmf();
    QByteArray saves;
    for (int i = 0; i < 100000; ++i)
        saves += QByteArray::fromHex("030000001E00");
    wmf.insert(40, saves);
    EXPECT_FALSE(IsWellFormedWmf(wmf));
    QByteArray emfSaves;
    for (int i = 0; i < 5000; ++i)
        emfSaves += EmfRecord(33, {});
    EXPECT_FALSE(IsWellFormedEmf(EmfWith(emfSaves)));
    EXPECT_LT(timer.elapsed(), 5000);
}

TEST(PictureGuard, DecodedPixelsStayWithinTheMemoryBudget)
{
    // Small RLE bitmaps of 3000 x 1500 pixels (18 MB decoded each) against
    // a 64 MB budget: three decode, the fourth is refused.
    // (Scaling and converting large images first starts Qt's worker threads,
    // which a forked child does not have.)
    QImage warm(3000, 1500, QImage::Format_Indexed8);
    warm.setColorTable({qRgb(1, 2, 3)});
    warm.fill(0);
    EXPECT_FALSE(warm.convertToFormat(QImage::Format_RGB32).scaled(1000, 700, Qt::IgnoreAspectRatio,
                                                                     Qt::SmoothTransformation).isNull());
    const qint64 before = TDecodedPicture::MemoryInUse();
    TDecodedPicture::SetMemoryBudget(before + (64 << 20));
    QImage indexed(3000, 1500, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 255)});
    indexed.fill(0);
    const QByteArray bmp = EncodeBitmap(indexed);
    const quint32 offBits = qFromLittleEndian<quint32>(bmp.constData() + 10);
    QByteArray rle = bmp.left(offBits);
    qToLittleEndian<quint16>(8, rle.data() + 28);
    qToLittleEndian<quint32>(1, rle.data() + 30);  // BI_RLE8
    for (int y = 0; y < 1500; ++y)  // rows of 12 runs of 250 pixels, then the end of the row
        rle += QByteArray::fromHex("FA00").repeated(12) + QByteArray::fromHex("0000");
    rle += QByteArray::fromHex("0001");
    qToLittleEndian<quint32>(quint32(rle.size() - offBits), rle.data() + 34);
    qToLittleEndian<quint32>(quint32(rle.size()), rle.data() + 2);
    auto variant = [&](int i) {
        QByteArray copy = rle;
        copy[6] = char(i);  // a different stream each time
        return copy;
    };
    std::vector<std::shared_ptr<const TDecodedPicture>> kept;
    for (int i = 0; i < 3; ++i) {
        kept.push_back(TDecodedPicture::Decode(TPictureKind::Bitmap, variant(i)).Value());
        ASSERT_TRUE(kept.back()) << i;
    }
    const TPictureOutcome refused = TDecodedPicture::Decode(TPictureKind::Bitmap, variant(3));
    EXPECT_FALSE(refused);
    EXPECT_TRUE(refused.Message().contains("memory")) << refused.Message().toStdString();

    // Drawn small, a picture keeps the small copy and lets its pixels go,
    // which makes room; drawn at another size, it is decoded again.
    EXPECT_FALSE(kept[0]->Rendered(QSize(300, 150), false, false, false).isNull());
    EXPECT_LT(TDecodedPicture::MemoryInUse(), before + (40 << 20));
    kept.push_back(TDecodedPicture::Decode(TPictureKind::Bitmap, variant(3)).Value());
    EXPECT_TRUE(kept.back());
    kept.pop_back();
    const QImage again = kept[0]->Rendered(QSize(200, 100), false, false, false);
    ASSERT_FALSE(again.isNull());
    EXPECT_EQ(again.pixel(100, 50), qRgb(0, 0, 255));

    kept.clear();
    EXPECT_EQ(TDecodedPicture::MemoryInUse(), before);
    TDecodedPicture::SetMemoryBudget(TDecodedPicture::kDefaultMemoryBudget);
}

#ifdef TAGMORA_HAVE_EMF2SVG
TEST(PictureGuard, MetafilesWithClippingAndOddTextStillDraw)
{
    // A clip rectangle (EMR_INTERSECTCLIPRECT) around a red rectangle.
    const QByteArray clipped =
        EmfWith(kRedFill + EmfRecord(30, {0, 0, 50, 50}) + EmfRecord(43, {10, 10, 90, 40}));
    QString error;
    const QImage img = DrawnEmf(clipped, &error);
    ASSERT_FALSE(img.isNull()) << error.toStdString();
    EXPECT_GT(CountPixels(img, qRgb(255, 0, 0)), 0);

    // Text with XML's special characters and a font name with quotes.
    TRecordWriter font;
    for (qint32 v : {-20, 0, 0, 0, 400})
        font.I32(v);
    font.U32(0);
    font.U32(0);
    const QString face = QStringLiteral("Odd \"Font\" <&>");
    font.Bytes += QByteArray(reinterpret_cast<const char*>(face.utf16()), face.size() * 2);
    font.Bytes += QByteArray(64 - face.size() * 2, '\0');
    const QByteArray text = EmfWith(EmfRecord(82, {2}, font.Bytes) + EmfRecord(37, {2}) +
                                    EmfText(QStringLiteral("a < b & c ]]> d")));
    EXPECT_FALSE(DrawnEmf(text, &error).isNull()) << error.toStdString();
}
#endif

#ifdef TAGMORA_HAVE_LIBWMF
TEST(PictureGuard, WindowsMetafileTextWithMarkupCharactersStillDraws)
{
    // Before the end record: a font whose name has quotes, then TEXTOUT of
    // "a<b & c" at (100, 300).
    QByteArray wmf = RectanglePlaceableWmf();
    TRecordWriter r;
    QByteArray face("Odd \"Font\"");
    face.resize(32, '\0');
    r.U32(3 + 9 + 16);
    r.U16(0x02FB);  // CREATEFONTINDIRECT: height, width, escapement, orientation, weight, flags, face
    for (quint16 v : {200, 0, 0, 0, 400, 0, 0, 0, 0})
        r.U16(v);
    r.Bytes += face;
    r.U32(4);
    r.U16(0x012D);  // SELECTOBJECT
    r.U16(1);
    r.U32(3 + 1 + 4 + 2);
    r.U16(0x0521);  // TEXTOUT
    r.U16(7);
    r.Bytes += QByteArray("a<b & c\0", 8);
    r.U16(300);
    r.U16(100);
    wmf.insert(wmf.size() - 6, r.Bytes);
    qToLittleEndian<quint32>(quint32(wmf.size() - 22) / 2, wmf.data() + 28);
    qToLittleEndian<quint16>(2, wmf.data() + 32);   // objects
    qToLittleEndian<quint32>(28, wmf.data() + 34);  // largest record, words
    ASSERT_TRUE(IsWellFormedWmf(wmf));
    const TPictureOutcome decoded = TDecodedPicture::Decode(TPictureKind::Metafile, wmf);
    EXPECT_TRUE(decoded) << decoded.Message().toStdString();
}
#endif

TEST(PictureGuard, ARunawayChildIsStopped)
{
    TGuardedLimits limits;
    limits.TotalTimeoutMs = 300;
    QElapsedTimer timer;
    timer.start();
    try {
        TGuardedChild child(
            [](TFrameWriter& out) {
                for (;;) {
                    out.Send('R', std::string("tick"));
                    out.Flush();
                    ::usleep(20000);
                }
            },
            limits);
        char kind;
        QByteArray payload;
        while (child.Next(kind, payload)) {
        }
        ADD_FAILURE() << "the child ran on";
    } catch (const EGuardedChild& e) {
        EXPECT_STREQ(e.what(), "took too long");
    }
    EXPECT_LT(timer.elapsed(), 10000);  // valgrind stretches the limit twentyfold
}

// The reader runs with none of the program's open files: only its pipe.
TEST(PictureGuard, TheChildHoldsNoneOfTheProgramsFiles)
{
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    const int held = file.handle();
    TGuardedChild child(
        [held](TFrameWriter& out) { out.Send('F', std::string(::fcntl(held, F_GETFD) == -1 ? "closed" : "open")); },
        TGuardedLimits());
    char kind;
    QByteArray payload;
    ASSERT_TRUE(child.Next(kind, payload));
    EXPECT_EQ(payload, QByteArray("closed"));
}
