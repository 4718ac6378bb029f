// Pictures made to hurt: run-length data past the bitmap, streams under the
// wrong type, metafiles with bitmaps and code page text, and labels whose
// pictures together ask for more than a label may take.
#include "common/DocTestSupport.h"
#include "common/PictureTestSupport.h"

#include "document/DecodedPicture.h"
#include "document/GuardedChild.h"
#include "document/PictureCodecs.h"
#include "document/PictureObject.h"
#include "document/PlanLayer.h"

#include <QBuffer>
#include <QtEndian>
#include <QTest>

#include <gtest/gtest.h>

using namespace picturecodec;
using namespace picturetest;

namespace {

// Black, red, green, blue: pixels are written as these digits, top row first.
const QList<quint32> kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

QString Rows(const QImage& image)
{
    QString out;
    for (int y = 0; y < image.height(); ++y) {
        if (y)
            out += u'/';
        for (int x = 0; x < image.width(); ++x)
            out += QString::number(kPalette.indexOf(image.pixel(x, y) & RGB_MASK));
    }
    return out;
}

QByteArray ImageFile(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage Filled(QColor colour, int w = 6, int h = 4)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A 1 x 1 red GIF.
const QByteArray kGif =
    QByteArray::fromHex("47494638396101000100800000FF0000000000" "2C00000000010001000002024401003B");

QString PictureSection(const QByteArray& bytes, const QString& type = QStringLiteral("Bitmap"))
{
    return QStringLiteral("Object Picture\nX1=10\nY1=10\nX2=60\nY2=40\nType=%1\nGraphic=%2\nEnd\n")
        .arg(type, QString::fromLatin1(bytes.toHex().toUpper()));
}

struct THostilePlan : TPlanFixture {
    void Read(const QString& text) { plan.ReadPlan(text.split(u'\n', Qt::SkipEmptyParts)); }
    TPlanPicture* Picture(int i) { return dynamic_cast<TPlanPicture*>(plan.Layers().Item(0)->Item(i)); }
};

}  // namespace

// Every pixel comes from the data or is palette colour 0: whatever lay in
// memory before never shows, and runs stop at the bitmap's edges.
TEST(HostilePicture, RunLengthDataStaysInsideTheBitmap)
{
    struct TCase {
        const char* name;
        int bpp;
        const char* data;  // hex, bottom row first
        const char* rows;  // top row first
        bool damaged;
    } cases[] = {
        {"runs and rows", 8, "0201020200000403 0001", "3333/1122", false},
        {"early end of bitmap", 8, "0201 0001", "0000/1100", false},
        {"last row without markers", 8, "0401 0000 0402", "2222/1111", false},
        {"absolute run past the row", 8, "0006 010203010203 0001", "0000/1231", true},
        {"run past the row", 8, "0602 0001", "0000/2222", true},
        {"delta past the row", 8, "0101 00020500 0303 0001", "0000/1000", true},
        {"delta past the image", 8, "0101 00020005 0303 0001", "0000/1000", true},
        {"data ends early", 8, "0201", "0000/1100", true},
        {"absolute run cut short", 8, "0004 0102", "0000/0000", true},
        {"four bits", 4, "0412 0000 00043321 0001", "3321/1212", false},
        {"four bits past the row", 4, "0006 123123 0001", "0000/1231", true},
    };
    for (const TCase& c : cases) {
        const QByteArray data = QByteArray::fromHex(QByteArray(c.data).replace(' ', ""));
        const QByteArray bmp = BitmapFile(4, 2, c.bpp, c.bpp == 8 ? 1 : 2, kPalette, data);
        QString damage;
        const QImage image = DecodeBitmap(bmp, &damage);
        ASSERT_FALSE(image.isNull()) << c.name;
        EXPECT_EQ(Rows(image), QString::fromLatin1(c.rows)) << c.name;
        EXPECT_EQ(!damage.isEmpty(), c.damaged) << c.name << ": " << damage.toStdString();
    }
    // A data offset inside the header: the palette ends with the file, the
    // indices past it take its first colour.
    QByteArray bmp = BitmapFile(4, 2, 8, 1, {0xFF0000, 0x00FF00}, QByteArray::fromHex("02010001"));
    qToLittleEndian<quint32>(0, bmp.data() + 46);  // every colour of 8 bits
    qToLittleEndian<quint32>(20, bmp.data() + 10);
    QString damage;
    const QList<QRgb> colours = DecodeBitmap(bmp, &damage).colorTable();
    ASSERT_EQ(colours.size(), 256);
    EXPECT_EQ(colours.at(1), qRgb(0, 255, 0));
    EXPECT_EQ(colours.at(255), qRgb(255, 0, 0));
    EXPECT_FALSE(damage.isEmpty());
}

// A damaged run-length bitmap is drawn as far as it goes, the same every
// time, and named as read only in part.
TEST(HostilePicture, DamagedRunLengthBitmapIsDrawnAndNamed)
{
    THostilePlan f;
    const QByteArray overrun =
        BitmapFile(4, 2, 8, 1, kPalette, QByteArray::fromHex("0006010203010203000002020001"));
    f.Read(PictureSection(overrun));
    EXPECT_EQ(UnreadablePictures(f.plan),
              QStringList{"picture 1 could not be read in full: run-length data reaches past the bitmap's edge"});
    TPlanPicture* picture = f.Picture(0);
    ASSERT_TRUE(picture->Picture.Decodes());
    const QImage first = picture->Picture.Decoded()->Image();
    EXPECT_EQ(Rows(first), QStringLiteral("2200/1231"));
    f.plan.Printing = true;
    EXPECT_EQ(f.Draw(picture), f.Draw(picture));
}

// The bytes decide what a picture is: a stream of a known format is read
// whatever its type says; one of no known format is named, not dropped, and
// keeps its type when the label is saved again.
TEST(HostilePicture, StreamsAreTakenByTheirContent)
{
    QByteArray badHeader = EncodeBitmap(Filled(Qt::red));
    qToLittleEndian<quint32>(99, badHeader.data() + 14);
    const QByteArray junk("no picture here, just some text");
    struct TCase {
        const char* name;
        QString type;
        QByteArray bytes;
        TPictureKind kind;
        const char* error;
    } cases[] = {
        {"GIF as bitmap", "Bitmap", kGif, TPictureKind::Gif, ""},
        {"PNG as JPEG", "JPEG", ImageFile(Filled(Qt::red), "png"), TPictureKind::Png, ""},
        {"bitmap as icon", " icon ", EncodeBitmap(Filled(Qt::red)), TPictureKind::Bitmap, ""},
        {"bitmap of an unknown type", "TIFF", EncodeBitmap(Filled(Qt::red)), TPictureKind::Bitmap, ""},
        {"bad bitmap header", "Bitmap", badHeader, TPictureKind::None, "not a readable bitmap"},
        {"unknown type", "TIFF", junk, TPictureKind::None, "unknown picture type \"TIFF\""},
        {"no type", "", junk, TPictureKind::None, "not a picture of a known format"},
    };
    for (const TCase& c : cases) {
        TPlanPictureData picture;
        EXPECT_EQ(picture.LoadFromStream(c.type, c.bytes), c.kind != TPictureKind::None) << c.name;
        EXPECT_EQ(picture.Kind, c.kind) << c.name;
        EXPECT_EQ(picture.DecodeError(), QString::fromLatin1(c.error)) << c.name;
        if (c.kind != TPictureKind::None) {
            EXPECT_EQ(picture.Decoded()->Image().pixel(0, 0), qRgb(255, 0, 0)) << c.name;
        }
    }

    THostilePlan f;
    f.Read(PictureSection(EncodeBitmap(Filled(Qt::red))) + PictureSection(junk, QStringLiteral("TIFF")));
    EXPECT_EQ(UnreadablePictures(f.plan),
              QStringList{"picture 2 could not be read: unknown picture type \"TIFF\""});
    QStringList written;
    f.plan.WritePlan(written);
    EXPECT_EQ(written.filter(QRegularExpression("^  Type=")), (QStringList{"  Type=Bitmap", "  Type=TIFF"}));
}

#ifdef TAGMORA_HAVE_LIBWMF
// Ordinary Windows metafiles: a bitmap drawn into the frame, and text in the
// code page of its font, with control characters left out.
TEST(HostilePicture, WindowsMetafilesWithBitmapsAndCodePageText)
{
    // STRETCHDIB: a 2 x 2 red bitmap onto (100, 50)-(900, 450) of 1000 x 500.
    TRecordWriter dib;
    for (quint32 v : {40u, 2u, 2u})
        dib.U32(v);
    dib.U16(1);
    dib.U16(24);
    for (quint32 v : {0u, 16u, 0u, 0u, 0u, 0u})
        dib.U32(v);
    for (int row = 0; row < 2; ++row)
        dib.Bytes += QByteArray::fromHex("0000FF0000FF0000");
    TRecordWriter stretch;
    stretch.U32(0x00CC0020);
    for (quint16 v : {0, 2, 2, 0, 0, 400, 800, 50, 100})
        stretch.U16(v);
    const TPictureOutcome withBitmap =
        TDecodedPicture::Decode(TPictureKind::Metafile, WmfWith(WmfRecord(0x0F43, stretch.Bytes + dib.Bytes)));
    ASSERT_TRUE(withBitmap) << withBitmap.Message().toStdString();
    const QImage drawn = withBitmap.Value()->Rendered(QSize(96, 48), false, false, false);
    EXPECT_EQ(drawn.pixel(48, 24), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(drawn.pixel(2, 2)), 0);

    // CREATEFONTINDIRECT with a character set, SELECTOBJECT, TEXTOUT.
    struct TCase {
        quint8 charset;
        QByteArray bytes;
        QString text;
    } cases[] = {
        {0, QByteArray("M\xFCller\x01\x07!"), QString::fromUtf8("Müller!")},
        {204, QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2"), QString::fromUtf8("Привет")},
        {238, QByteArray("\xB9\xE8"), QString::fromUtf8("ąč")},
    };
    for (const TCase& c : cases) {
        // height 200, weight 400, not italic, underlined or struck out; the
        // character set; precisions, quality, pitch; the face name.
        const QByteArray font = QByteArray::fromHex("C8000000000000009001000000") + char(c.charset) +
                                QByteArray(4, '\0') + QByteArray("Arial").leftJustified(32, '\0');
        TRecordWriter text;
        text.U16(quint16(c.bytes.size()));
        text.Bytes += c.bytes;
        if (text.Bytes.size() % 2)
            text.Bytes += '\0';
        text.U16(300);
        text.U16(100);
        const QByteArray wmf = WmfWith(WmfRecord(0x02FB, font) + WmfRecord(0x012D, QByteArray::fromHex("0000")) +
                                       WmfRecord(0x0521, text.Bytes));
        const QByteArray svg = WmfToSvg(wmf);
        EXPECT_TRUE(svg.contains(c.text.toUtf8())) << int(c.charset) << "\n" << svg.constData();
        const TPictureOutcome decoded = TDecodedPicture::Decode(TPictureKind::Metafile, wmf);
        EXPECT_TRUE(decoded) << decoded.Message().toStdString();
    }
}
#endif

// The work a stream asks for, read from its headers without decoding.
TEST(HostilePicture, DeclaredWorkComesFromTheHeaders)
{
    const QByteArray emf = EmfWith(EmfStretchDib(8, {0x0000FF00}, QByteArray(16, '\0')));
    struct TCase {
        const char* name;
        TPictureKind kind;
        QByteArray bytes;
        qint64 work;
    } cases[] = {
        {"bitmap", TPictureKind::Bitmap, EncodeBitmap(Filled(Qt::red, 10, 20)), 200},
        {"run-length bomb", TPictureKind::Bitmap, RunLengthBomb(5000), 25'000'000},
        {"icon", TPictureKind::Icon, EncodeIcon(Filled(Qt::red, 16, 16)), 256},
        {"JPEG", TPictureKind::Jpeg, EncodeJpeg(Filled(Qt::red, 64, 48)), 3072},
        {"PNG", TPictureKind::Png, ImageFile(Filled(Qt::red, 3, 2), "png"), 6},
        {"GIF", TPictureKind::Gif, kGif, 1},
        // 8 x 2 pixels counted four times, three records.
        {"metafile", TPictureKind::Metafile, emf, 16 * 4 + 3 * 16},
        {"bitmap without pixels", TPictureKind::Bitmap, EncodeBitmap(Filled(Qt::red)).left(60), -1},
        {"JPEG without frame", TPictureKind::Jpeg, QByteArray::fromHex("FFD8FFDA0002"), -1},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(TDecodedPicture::DeclaredWork(c.kind, c.bytes), c.work) << c.name;
}

// Forty small bitmap bombs in one label: the label's pictures share one
// budget, taken in the document's order from what their headers declare, so
// the same pictures draw on every machine. Pictures that do not fit start no
// decoder; a stream that several pictures hold counts once and decodes once.
TEST(HostilePicture, ALabelsPicturesShareOneBudget)
{
    THostilePlan f;
    f.plan.PictureBudget().SetTotal(50'000'000);  // two of them, to keep the test short
    QString text;
    for (int i = 0; i < 40; ++i)
        text += PictureSection(RunLengthBomb(5000, i));
    text += PictureSection(RunLengthBomb(5000, 0));  // the first one again
    f.Read(text);
    const int started = TGuardedChild::StartedCount();
    QStringList expected;
    for (int i = 3; i <= 40; ++i)
        expected << QStringLiteral("picture %1 could not be read: the label's pictures together are too large "
                                   "(over 50 million pixels)")
                        .arg(i);
    EXPECT_EQ(UnreadablePictures(f.plan), expected);
    EXPECT_EQ(TGuardedChild::StartedCount() - started, 2);
    EXPECT_EQ(f.Picture(40)->Picture.Decoded(), f.Picture(0)->Picture.Decoded());
    EXPECT_EQ(f.plan.PictureBudget().Used(), 50'000'000);

    // A picture that goes gives its share back (its twin keeps it).
    f.Picture(1)->Release();
    f.Picture(0)->Release();
    EXPECT_EQ(f.plan.PictureBudget().Used(), 25'000'000);
    f.plan.ClearPlan();
    EXPECT_EQ(f.plan.PictureBudget().Used(), 0);

    // Metafiles take from the same budget: their bitmaps count four times.
    f.plan.PictureBudget().SetTotal(1'000'000);
    QString metafiles;
    for (int i = 0; i < 3; ++i)  // 400 x 400 pixels: 640,000 and a little for the records
        metafiles += PictureSection(EmfWith(EmfStretchDib(8, {quint32(i)}, QByteArray(400 * 400, '\0'), 400, 400)),
                                    QStringLiteral("Metafile"));
    f.Read(metafiles);
    EXPECT_FALSE(f.Picture(0)->Picture.IsDecoded());
    EXPECT_TRUE(f.Picture(1)->Picture.DecodeError().contains("too large"));
    f.plan.PictureBudget().SetTotal(TPictureBudget::kDefaultWork);
}

// On screen the surface never waits for a picture: it draws a placeholder,
// decodes in the background and draws the picture once it is ready.
TEST(HostilePicture, PicturesLoadInTheBackgroundOnScreen)
{
    const auto onScreen = [](TLabelPlan& plan) {
        QImage image(plan.ViewSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        plan.PaintOnScreen(painter);
        return image;
    };
    THostilePlan f;
    f.Read("LabelSize 100,80\n" + PictureSection(EncodeBitmap(Filled(Qt::red, 40, 40))));
    TPlanPicture* picture = f.Picture(0);
    const QPoint inside(30, 30);
    EXPECT_NE(onScreen(f.plan).pixel(inside), qRgb(255, 0, 0));
    EXPECT_FALSE(picture->Picture.IsDecoded());
    ASSERT_TRUE(QTest::qWaitFor([&] { return picture->Picture.IsDecoded(); }, 20000));
    EXPECT_EQ(onScreen(f.plan).pixel(inside), qRgb(255, 0, 0));

    // Output waits for a picture that is still being decoded.
    f.Read("LabelSize 100,80\n" + PictureSection(EncodeBitmap(Filled(Qt::blue, 40, 40))));
    picture = f.Picture(0);
    onScreen(f.plan);
    ASSERT_FALSE(picture->Picture.IsDecoded());
    f.plan.Printing = true;
    EXPECT_EQ(f.Draw(picture).pixel(inside), qRgb(0, 0, 255));
}
