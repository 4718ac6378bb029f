// The picture object: embedded pictures through plan text, drawing,
// transparency, standard pictures and picture files.
#include "common/DocTestSupport.h"
#include "common/PictureTestSupport.h"

#include "document/DecodedPicture.h"
#include "document/PictureCodecs.h"
#include "document/PlanObjects.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace picturetest;

namespace {

const QColor kBackground(255, 255, 0);  // yellow, so white picture pixels stand out

bool Near(QRgb a, QColor b, int tolerance = 0)
{
    return qAbs(qRed(a) - b.red()) <= tolerance && qAbs(qGreen(a) - b.green()) <= tolerance &&
           qAbs(qBlue(a) - b.blue()) <= tolerance;
}

QByteArray Hex(const QByteArray& bytes)
{
    return bytes.toHex().toUpper();
}

class PictureObject : public ::testing::Test, public TPlanFixture {
protected:
    // Reads one picture section with the box (10, 20)-(90, 80) unless the
    // extra lines say otherwise.
    TPlanPicture* ReadPicture(const QByteArray& keys, const QByteArray& box = "X1=10\nY1=20\nX2=90\nY2=80")
    {
        plan.ClearPlan();
        plan.ReadPlan(QString::fromLatin1("Object Picture\n" + box + "\n" + keys + "\nEnd").split(QLatin1Char('\n')));
        return dynamic_cast<TPlanPicture*>(plan.Layers().Item(0)->Item(0));
    }
    TPlanPicture* ReadEmbedded(const QByteArray& bytes, const char* type, bool transparent = false,
                               const QByteArray& more = QByteArray())
    {
        return ReadPicture("Graphic=" + Hex(bytes) + "\nType=" + type + "\nTransparent=" +
                           (transparent ? "1" : "0") + "\n" + more);
    }
    // The label surface (180 x 130 pixels, one pixel per plan unit) painted
    // yellow, then the object.
    QImage Paint(TLabelObject* o)
    {
        QImage img(plan.ViewWidth(), plan.ViewHeight(), QImage::Format_ARGB32_Premultiplied);
        img.fill(kBackground);
        QPainter p(&img);
        o->Draw(p);
        return img;
    }
    QStringList Written()
    {
        QStringList lines;
        plan.WritePlan(lines);
        return lines;
    }
};

struct TKindCase {
    const char* type;
    TPictureKind kind;
};

class PictureKinds : public PictureObject, public ::testing::WithParamInterface<TKindCase> {
protected:
    QByteArray Sample(TPictureKind kind)
    {
        if (kind == TPictureKind::Metafile)
            return RectangleEmf();
        return TPlanPictureData::FromImage(TwoColourImage().scaled(80, 60), kind).Bytes;
    }
};

}  // namespace

TEST_P(PictureKinds, RoundTripsThroughHexTextAndDraws)
{
    const TKindCase c = GetParam();
    const QByteArray bytes = Sample(c.kind);
    ASSERT_FALSE(bytes.isEmpty());
    // The type name in another case and with blanks still selects the decoder.
    TPlanPicture* pic = ReadEmbedded(bytes, QByteArray(" ").append(QByteArray(c.type).toLower()).append(" "));
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->Picture.Kind, c.kind);
    EXPECT_EQ(pic->Picture.Bytes, bytes);
    const QStringList written = Written();
    EXPECT_TRUE(written.contains("  Graphic=" + QString::fromLatin1(Hex(bytes))));
    EXPECT_TRUE(written.contains(QString("  Type=") + c.type));

    // Without a type the decoders are tried in turn and find it too.
    TPlanPicture* untyped = ReadPicture("Graphic=" + Hex(bytes));
    EXPECT_EQ(untyped->Picture.Kind, c.kind);

    pic = ReadEmbedded(bytes, c.type);
    const QImage img = Paint(pic);
    if (c.kind == TPictureKind::Metafile) {
        // The rectangle (10..90 of 100, 10..40 of 50) stretched onto the box;
        // the metafile's empty parts leave the background.
        EXPECT_TRUE(Near(img.pixel(50, 50), Qt::red)) << std::hex << img.pixel(50, 50);
        EXPECT_TRUE(Near(img.pixel(12, 22), kBackground));
        EXPECT_TRUE(Near(img.pixel(88, 78), kBackground));
    } else {
        const int tol = c.kind == TPictureKind::Jpeg ? 40 : 0;
        EXPECT_TRUE(Near(img.pixel(30, 50), Qt::red, tol));
        EXPECT_TRUE(Near(img.pixel(70, 50), Qt::blue, tol));
        EXPECT_TRUE(Near(img.pixel(12, 22), Qt::white, tol));
    }
    // Nothing outside the box: the far edges are excluded.
    EXPECT_TRUE(Near(img.pixel(90, 50), kBackground));
    EXPECT_TRUE(Near(img.pixel(50, 80), kBackground));
    EXPECT_TRUE(Near(img.pixel(9, 50), kBackground));
}

TEST_P(PictureKinds, DamagedPictureDrawsThePlaceholderAndOutputsNothing)
{
    const TKindCase c = GetParam();
    const QByteArray bytes = Sample(c.kind);
    for (const QByteArray& bad : {bytes.left(bytes.size() / 2), bytes.left(bytes.size() - 3)}) {
        TPlanPicture* pic = ReadEmbedded(bad, c.type);
        ASSERT_EQ(pic->Picture.Kind, c.kind);  // the stream is kept as it was
        EXPECT_FALSE(pic->Picture.Decodes());
        const QImage screen = Paint(pic);
        // Dotted frame: every other pixel of the box outline.
        EXPECT_FALSE(Near(screen.pixel(10, 20), kBackground));
        EXPECT_TRUE(Near(screen.pixel(11, 20), kBackground));
        EXPECT_FALSE(Near(screen.pixel(12, 20), kBackground));
        EXPECT_TRUE(Near(screen.pixel(50, 50), kBackground));
        plan.Printing = true;
        const QImage output = Paint(pic);
        plan.Printing = false;
        QImage blank(output.size(), output.format());
        blank.fill(kBackground);
        EXPECT_EQ(output, blank);
        // Saving keeps the damaged stream as it was read.
        EXPECT_TRUE(Written().contains("  Graphic=" + QString::fromLatin1(Hex(bad))));
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, PictureKinds,
                         ::testing::Values(TKindCase{"Bitmap", TPictureKind::Bitmap},
                                           TKindCase{"Icon", TPictureKind::Icon},
                                           TKindCase{"JPEG", TPictureKind::Jpeg}
#ifdef TAGMORA_HAVE_EMF2SVG
                                           ,
                                           TKindCase{"Metafile", TPictureKind::Metafile}
#endif
                                           ),
                         [](const ::testing::TestParamInfo<TKindCase>& info) { return std::string(info.param.type); });

TEST_F(PictureObject, TransparentBitmapLeavesOutItsTopLeftColour)
{
    const QByteArray bmp = TPlanPictureData::FromImage(TwoColourImage().scaled(80, 60), TPictureKind::Bitmap).Bytes;
    TPlanPicture* opaque = ReadEmbedded(bmp, "Bitmap", false);
    EXPECT_FALSE(opaque->IsTransparent());
    EXPECT_TRUE(Near(Paint(opaque).pixel(12, 22), Qt::white));

    TPlanPicture* transparent = ReadEmbedded(bmp, "Bitmap", true);
    EXPECT_TRUE(transparent->IsTransparent());
    const QImage img = Paint(transparent);
    EXPECT_TRUE(Near(img.pixel(12, 22), kBackground));  // the white frame is gone
    EXPECT_TRUE(Near(img.pixel(88, 78), kBackground));
    EXPECT_TRUE(Near(img.pixel(30, 50), Qt::red));
    EXPECT_TRUE(Near(img.pixel(70, 50), Qt::blue));
}

TEST_F(PictureObject, IconDrawsItsTransparentPartsUnpainted)
{
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter(&icon).fillRect(8, 8, 16, 16, Qt::green);
    const QByteArray ico = TPlanPictureData::FromImage(icon, TPictureKind::Icon).Bytes;
    for (bool transparent : {false, true}) {
        const QImage img = Paint(ReadEmbedded(ico, "Icon", transparent));
        EXPECT_TRUE(Near(img.pixel(12, 22), kBackground));
        EXPECT_TRUE(Near(img.pixel(50, 50), Qt::green));
    }
}

TEST_F(PictureObject, CornersGivenRightToLeftMirrorThePicture)
{
    const QByteArray bmp = TPlanPictureData::FromImage(TwoColourImage().scaled(80, 60), TPictureKind::Bitmap).Bytes;
    TPlanPicture* pic = ReadPicture("Graphic=" + Hex(bmp) + "\nType=Bitmap", "X1=90\nY1=20\nX2=10\nY2=80");
    const QImage img = Paint(pic);
    EXPECT_TRUE(Near(img.pixel(30, 50), Qt::blue));
    EXPECT_TRUE(Near(img.pixel(70, 50), Qt::red));
    EXPECT_TRUE(Near(img.pixel(90, 50), kBackground));
}

TEST_F(PictureObject, FillsItsBoxUnclippedAndEnlargesBitmapsWithoutSmoothing)
{
    // A 2 x 2 checker stretched onto the 80 x 60 box with a corner radius:
    // the corners are painted, and every pixel is one of the two colours.
    QImage checker(2, 2, QImage::Format_RGB32);
    checker.setPixel(0, 0, qRgb(255, 0, 0));
    checker.setPixel(1, 1, qRgb(255, 0, 0));
    checker.setPixel(1, 0, qRgb(0, 0, 255));
    checker.setPixel(0, 1, qRgb(0, 0, 255));
    const QByteArray bmp = TPlanPictureData::FromImage(checker, TPictureKind::Bitmap).Bytes;
    const QImage img = Paint(ReadEmbedded(bmp, "Bitmap", false, "CornerRadius=40"));
    EXPECT_TRUE(Near(img.pixel(10, 20), Qt::red));
    EXPECT_TRUE(Near(img.pixel(89, 79), Qt::red));
    EXPECT_TRUE(Near(img.pixel(89, 20), Qt::blue));
    for (int y = 20; y < 80; ++y)
        for (int x = 10; x < 90; ++x)
            ASSERT_TRUE(Near(img.pixel(x, y), (x < 50) == (y < 50) ? Qt::red : Qt::blue)) << x << "," << y;
}

TEST_F(PictureObject, HighlightFrameAndHandles)
{
    TPlanPicture* pic = ReadPicture("");
    pic->SetHighlightColor(clBlue);
    const QImage framed = Paint(pic);
    EXPECT_TRUE(Near(framed.pixel(10, 50), Qt::blue));
    EXPECT_TRUE(Near(framed.pixel(50, 20), Qt::blue));
    EXPECT_TRUE(Near(framed.pixel(50, 50), kBackground));
    pic->ClearHighlight();

    pic->Focus();
    const QImage focused = Paint(pic);
    // Handle squares (x - 3 .. x + 2) at the four corners, outlined in the
    // selection colour.
    EXPECT_TRUE(Near(focused.pixel(7, 17), ColorToQColor(plan.SelectColor)));
    EXPECT_TRUE(Near(focused.pixel(87, 77), ColorToQColor(plan.SelectColor)));
    plan.Printing = true;
    EXPECT_TRUE(Near(Paint(pic).pixel(7, 17), kBackground));
    plan.Printing = false;
}

TEST_F(PictureObject, NothingIsDrawnWhileLockedOrHidden)
{
    QImage blank(plan.ViewWidth(), plan.ViewHeight(), QImage::Format_ARGB32_Premultiplied);
    blank.fill(kBackground);
    TPlanPicture* pic = ReadPicture("");
    plan.BeginUpdate();
    EXPECT_EQ(Paint(pic), blank);
    plan.EndUpdate();
    pic->Visible = false;
    EXPECT_EQ(Paint(pic), blank);
    pic->Visible = true;
    plan.Layers().Item(0)->SetVisible(false);
    EXPECT_EQ(Paint(pic), blank);
}

TEST_F(PictureObject, StandardPicturesFromTheHostAndTheirUpdates)
{
    QImage red(8, 8, QImage::Format_RGB32), green(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    green.fill(Qt::green);
    int asked = 0;
    QObject::connect(&plan, &TLabelPlan::PictureNeeded, [&](const QString& name, bool* found) {
        ++asked;
        if (name != QLatin1String("LOGO"))
            return;
        plan.AddStandardPicture("Logo", TPlanPictureData::FromImage(red, TPictureKind::Bitmap));
        *found = true;
    });
    plan.ReadPlan(Lines("Object Picture\nX1=10\nY1=20\nX2=50\nY2=60\nGraphic=%logo%\nEnd\n"
                        "Object Picture\nX1=100\nY1=20\nX2=140\nY2=60\nGraphic=%LOGO%\nEnd\n"
                        "Object Picture\nX1=10\nY1=70\nX2=50\nY2=120\nGraphic=%Missing%\nEnd"));
    EXPECT_EQ(asked, 2);  // once for LOGO, then it is there; once for the missing one
    TPlanLayer* layer = plan.Layers().Item(0);
    auto* a = dynamic_cast<TPlanPicture*>(layer->Item(0));
    auto* b = dynamic_cast<TPlanPicture*>(layer->Item(1));
    auto* missing = dynamic_cast<TPlanPicture*>(layer->Item(2));
    EXPECT_TRUE(Near(Paint(a).pixel(30, 40), Qt::red));
    EXPECT_TRUE(Near(Paint(b).pixel(120, 40), Qt::red));
    EXPECT_TRUE(missing->Picture.IsEmpty());
    // One decoding serves both objects.
    EXPECT_EQ(a->Picture.Decoded(), b->Picture.Decoded());

    plan.SetStandardPictureContent(0, TPlanPictureData::FromImage(green, TPictureKind::Bitmap));
    EXPECT_TRUE(Near(Paint(a).pixel(30, 40), Qt::green));
    EXPECT_TRUE(Near(Paint(b).pixel(120, 40), Qt::green));

    // Taking another standard picture by name, and one that does not exist.
    plan.AddStandardPicture("Red", TPlanPictureData::FromImage(red, TPictureKind::Bitmap));
    a->SetStandardPicture("red");
    EXPECT_EQ(a->StandardPictureName, QString("RED"));
    EXPECT_TRUE(Near(Paint(a).pixel(30, 40), Qt::red));
    a->SetStandardPicture("nothing");
    EXPECT_TRUE(a->Picture.IsEmpty());
    EXPECT_TRUE(a->StandardPictureName.isEmpty());
}

TEST_F(PictureObject, DecodingHappensOnceAndFollowsNewBytes)
{
    const QByteArray bmp = TPlanPictureData::FromImage(TwoColourImage().scaled(80, 60), TPictureKind::Bitmap).Bytes;
    TPlanPicture* pic = ReadEmbedded(bmp, "Bitmap");
    const auto first = pic->Picture.Decoded();
    ASSERT_TRUE(first);
    Paint(pic);
    Paint(pic);
    EXPECT_EQ(pic->Picture.Decoded(), first);
    // The scaled copy made by the first paint is reused.
    const QImage a = first->Rendered(QSize(80, 60), false, false, false);
    const QImage b = first->Rendered(QSize(80, 60), false, false, false);
    EXPECT_EQ(a.constBits(), b.constBits());

    TPlanPictureData copy = pic->Picture;
    EXPECT_EQ(copy.Decoded(), first);
    QImage blue(4, 4, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    copy.Bytes = picturecodec::EncodeBitmap(blue);
    ASSERT_TRUE(copy.Decoded());
    EXPECT_NE(copy.Decoded(), first);
    EXPECT_EQ(copy.NaturalSize(), QSize(4, 4));
    EXPECT_EQ(pic->Picture.Decoded(), first);
}

TEST_F(PictureObject, PictureFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString bmpPath = dir.filePath("logo.bmp"), jpgPath = dir.filePath("photo.JPG");
    QFile f(bmpPath);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(TPlanPictureData::FromImage(TwoColourImage(), TPictureKind::Bitmap).Bytes);
    f.close();
    QFile j(jpgPath);
    ASSERT_TRUE(j.open(QIODevice::WriteOnly));
    j.write(TPlanPictureData::FromImage(TwoColourImage(), TPictureKind::Jpeg).Bytes);
    j.close();

    // A path read with the plan is kept but not loaded: the embedded picture
    // (none here) is what the object shows.
    TPlanPicture* pic = ReadPicture("DataValue= " + bmpPath.toUtf8() + " \nDataOrigin=1");
    EXPECT_EQ(pic->DataValue, bmpPath);
    EXPECT_EQ(pic->DataOrigin, 1);
    EXPECT_TRUE(pic->Picture.IsEmpty());

    pic->SetFileName(jpgPath);
    EXPECT_EQ(pic->Picture.Kind, TPictureKind::Jpeg);
    EXPECT_TRUE(pic->Picture.Decodes());
    pic->SetFileName(bmpPath);
    EXPECT_EQ(pic->Picture.Kind, TPictureKind::Bitmap);
    EXPECT_TRUE(Near(Paint(pic).pixel(30, 50), Qt::red));
    // A PNG file becomes a bitmap; its transparent parts turn white.
    QImage png(20, 10, QImage::Format_ARGB32);
    png.fill(Qt::transparent);
    QPainter(&png).fillRect(10, 0, 10, 10, Qt::green);
    ASSERT_TRUE(png.save(dir.filePath("logo.png")));
    pic->SetFileName(dir.filePath("logo.png"));
    EXPECT_EQ(pic->Picture.Kind, TPictureKind::Bitmap);
    const QImage fromPng = Paint(pic);
    EXPECT_TRUE(Near(fromPng.pixel(20, 50), Qt::white));
    EXPECT_TRUE(Near(fromPng.pixel(80, 50), Qt::green));
    pic->SetFileName(dir.filePath("gone.bmp"));
    EXPECT_TRUE(pic->Picture.IsEmpty());
    EXPECT_EQ(pic->DataValue, dir.filePath("gone.bmp"));
    pic->SetFileName(dir.path());  // a folder is no picture file
    EXPECT_TRUE(pic->Picture.IsEmpty());

    // A file replaces a standard picture's content, so the object no longer
    // refers to it when written.
    plan.AddStandardPicture("Logo", TPlanPictureData::FromImage(TwoColourImage(), TPictureKind::Bitmap));
    pic->SetStandardPicture("LOGO");
    ASSERT_EQ(pic->StandardPictureName, QString("LOGO"));
    pic->SetFileName(jpgPath);
    EXPECT_TRUE(pic->StandardPictureName.isEmpty());
    EXPECT_EQ(pic->Picture.Kind, TPictureKind::Jpeg);
}

TEST_F(PictureObject, PlaceableWindowsMetafile)
{
    const QByteArray wmf = RectanglePlaceableWmf();
    TPlanPicture* pic = ReadEmbedded(wmf, "Metafile");
    EXPECT_EQ(pic->Picture.Kind, TPictureKind::Metafile);
    EXPECT_TRUE(Written().contains("  Graphic=" + QString::fromLatin1(Hex(wmf))));
    EXPECT_TRUE(Written().contains("  Type=Metafile"));
    const QImage img = Paint(pic);
#ifdef TAGMORA_HAVE_LIBWMF
    // The header's frame fills the box: the rectangle covers 10 % to 90 % of
    // its width and 20 % to 80 % of its height.
    EXPECT_EQ(pic->Picture.NaturalSize(), QSize(96, 48));
    EXPECT_TRUE(Near(img.pixel(50, 50), Qt::red));
    EXPECT_TRUE(Near(img.pixel(15, 50), kBackground));
    EXPECT_TRUE(Near(img.pixel(50, 28), kBackground));
    EXPECT_TRUE(Near(img.pixel(21, 34), Qt::red));
#else
    EXPECT_FALSE(Near(img.pixel(10, 20), kBackground));  // the placeholder
#endif
}

TEST_F(PictureObject, DuplicateCarriesThePicture)
{
    const QByteArray bmp = TPlanPictureData::FromImage(TwoColourImage().scaled(80, 60), TPictureKind::Bitmap).Bytes;
    TPlanPicture* pic = ReadEmbedded(bmp, "Bitmap", true);
    auto* copy = dynamic_cast<TPlanPicture*>(pic->Duplicate(nullptr));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->Picture, pic->Picture);
    EXPECT_EQ(copy->X1, 14);
    EXPECT_TRUE(Near(Paint(copy).pixel(34, 54), Qt::red));
}
