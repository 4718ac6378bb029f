// tagmora-cli render: a label painted as the printer would, to PNG, SVG, PDF.
#include "common/TestSupport.h"
#include "common/PictureTestSupport.h"
#include "common/PdfSupport.h"
#include "document/LabelFile.h"
#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/OpaqueDatasheetBlock.h"
#include "document/PictureData.h"

#include <QImage>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testsupport::ReadFile;
using testsupport::RunCli;
using testsupport::SourcePath;

namespace {

class RenderCli : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Out(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    // A label file made from plan text.
    QString LabelFile(const char* name, const QStringList& plan) const
    {
        TLabelPlan doc;
        doc.NewLabel();
        doc.ReadPlan(plan);
        TOpaqueDatasheetBlock datasheet;
        const QString path = Out(name);
        SaveLabelFile(path, doc, datasheet);
        return path;
    }
};

}  // namespace

TEST_F(RenderCli, PngAtTheChosenResolution)
{
    const QString png = Out("shapes.png");
    const auto r = RunCli({"render", SourcePath("examples/shapes.blf"), "-o", png, "--dpi", "150"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage img(png);
    // 288 x 216 points at 150 dpi.
    ASSERT_EQ(img.size(), QSize(600, 450));
    EXPECT_NEAR(img.dotsPerMeterX() * 0.0254, 150, 0.5);
    // White outside the rounded label, the navy frame 6 points in (pen 3
    // points = 6 pixels centred on x = round(6 / 72 * 150) = 12).
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(12, 225), qRgb(0, 0, 128));
    EXPECT_EQ(img.pixel(599, 449), qRgb(255, 255, 255));

    // The default resolution is 300 dpi.
    const auto d = RunCli({"render", SourcePath("examples/shipping.blf"), "-o", png});
    ASSERT_EQ(d.exitCode, 0) << d.err.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(1200, 900));
}

TEST_F(RenderCli, SvgAndPdfAreVectorsOfTheLabelsSize)
{
    const QString svg = Out("shapes.svg");
    auto r = RunCli({"render", SourcePath("examples/shapes.blf"), "-o", svg, "--dpi", "72"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray text = ReadFile(svg);
    EXPECT_TRUE(text.contains("width=\"101.6mm\"")) << text.left(300).toStdString();
    EXPECT_TRUE(text.contains("viewBox=\"0 0 288 216\""));
    // Its exclusive-or box combines with what lies beneath, which vectors cannot do.
    EXPECT_TRUE(text.contains("<image"));
    const QString shipping = Out("shipping.svg");
    r = RunCli({"render", SourcePath("examples/shipping.blf"), "-o", shipping});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray shippingText = ReadFile(shipping);
    EXPECT_TRUE(shippingText.contains("<text"));    // formatted text stays text
    EXPECT_FALSE(shippingText.contains("<image"));  // no bitmaps for shapes and text
    QSvgRenderer renderer(shipping);
    EXPECT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 1200, 900));

    const QString pdf = Out("shapes.pdf");
    r = RunCli({"render", SourcePath("examples/shapes.blf"), "-o", pdf});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray bytes = ReadFile(pdf);
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    const QRegularExpression mediaBox(R"(/MediaBox \[0 0 288(\.0+)? 216(\.0+)?\])");
    EXPECT_TRUE(mediaBox.match(QString::fromLatin1(bytes)).hasMatch());
}

TEST_F(RenderCli, EveryObjectKindRenders)
{
    const QString file = LabelFile(
        "all.blf", QString("LabelSize 200,100\nObject Line\nX2=50\nY2=50\nEnd\nObject Rectangle\nX1=5\nX2=40\nY2=30\n"
                           "CornerRadius=5\nEnd\nObject Ellipse\nX2=30\nY2=20\nEnd\nObject Polygon\nPointCount=3\n"
                           "X1=1\nY1=1\nX2=30\nY2=1\nX3=1\nY3=30\nEnd\nObject Composite\nX2=90\nY2=90\n"
                           "Object Text\nX1=60\nX2=90\nY2=20\nDataValue=child\nEnd\nEnd\n"
                           "Object Text\nX1=100\nX2=190\nY2=40\nDataValue=\nEnd\n"
                           "Object Picture\nX1=100\nY1=50\nX2=150\nY2=90\nEnd\n"
                           "Object Barcode\nX1=10\nY1=50\nX2=90\nY2=95\nBarType=3\nDataValue=AB12\nEnd")
                       .split('\n'));
    for (const char* out : {"all.png", "all.svg", "all.pdf"}) {
        const auto r = RunCli({"render", file, "-o", Out(out), "--dpi", "96"});
        EXPECT_EQ(r.exitCode, 0) << out << ": " << r.err.toStdString();
    }
    // An empty text shows no placeholder on output: only white where it is.
    const QImage img(Out("all.png"));
    ASSERT_EQ(img.size(), QSize(267, 133));
    for (int x = Round(100 * 96 / 72.0) - 3; x <= Round(190 * 96 / 72.0) + 3; ++x)
        ASSERT_EQ(img.pixel(x, 2), qRgb(255, 255, 255)) << x;
}

TEST_F(RenderCli, Errors)
{
    const QString shapes = SourcePath("examples/shapes.blf");
    struct Case {
        QStringList args;
        int exitCode;
    } cases[] = {
        {{"render", shapes, "-o", Out("x.jpg")}, 2},
        {{"render", shapes, "-o", Out("x.png"), "--dpi", "0"}, 2},
        {{"render", shapes, "-o", Out("x.png"), "--dpi", "2401"}, 2},
        {{"render", shapes, "-o", Out("x.png"), "--dpi", "3e2"}, 2},
        {{"render", shapes}, 2},
        {{"render", "-o", Out("x.png")}, 2},
        {{"render", shapes, "other.blf", "-o", Out("x.png")}, 2},
        {{"render", Out("missing.blf"), "-o", Out("x.png")}, 1},
        {{"render", SourcePath("README.md"), "-o", Out("x.png")}, 1},
        {{"render", shapes, "-o", Out("no/such/folder/x.png")}, 1},
    };
    for (const Case& c : cases) {
        const auto r = RunCli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString() << "\n" << r.err.toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
    // A label too large for a bitmap at that resolution.
    const QString huge = LabelFile("huge.blf", {"LabelSize 100000,100"});
    const auto r = RunCli({"render", huge, "-o", Out("huge.png"), "--dpi", "600"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("too large"));
}

TEST_F(RenderCli, UnreadablePicturesAreNamedAndFailOnlyWhenStrict)
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QByteArray good = TPlanPictureData::FromImage(image, TPictureKind::Bitmap).Bytes;
    QByteArray bad = good;
    bad[28] = 65;  // bits per pixel
    // A run-length bitmap whose absolute run reaches past its row.
    const QByteArray overrun = picturetest::BitmapFile(4, 2, 8, 1, {0x000000, 0xFF0000},
                                                       QByteArray::fromHex("000601010101010100000201000100"));
    const QList<QPair<QByteArray, QString>> pictures = {
        {good, "Bitmap"}, {bad, "Bitmap"}, {overrun, "Bitmap"}, {"not a picture", "TIFF"}};
    QStringList plan{"LabelSize 100,50"};
    for (const auto& [bytes, type] : pictures)
        plan << "Object Picture" << "X2=40" << "Y2=40" << "Type=" + type
             << "Graphic=" + QString::fromLatin1(bytes.toHex().toUpper()) << "End";
    const QString file = LabelFile("pictures.blf", plan);
    const QByteArray warnings[] = {
        "picture 2 could not be read: not a readable bitmap",
        "picture 3 could not be read in full: run-length data reaches past the bitmap's edge",
        "picture 4 could not be read: unknown picture type \"TIFF\""};

    auto r = RunCli({"render", file, "-o", Out("p.png")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    for (const QByteArray& warning : warnings)
        EXPECT_TRUE(r.err.contains(warning)) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("picture 1"));
    // What is drawn of a damaged picture is the same every time.
    EXPECT_EQ(RunCli({"render", file, "-o", Out("q.png")}).exitCode, 0);
    EXPECT_EQ(ReadFile(Out("p.png")), ReadFile(Out("q.png")));
    for (const QStringList& args : {QStringList{"render", file, "-o", Out("s.png"), "--strict"},
                                    QStringList{"print", file, "-o", Out("s.pdf"), "--strict"}}) {
        r = RunCli(args);
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(warnings[0])) << r.err.toStdString();
    }
}

TEST_F(RenderCli, BarcodesKeepTheirModuleWidthAndAreNamedWhenCutOff)
{
    auto label = [&](const char* name, const char* code) {
        return LabelFile(name, {"LabelSize 150,80", "Object Barcode", "X1=10", "Y1=10", "X2=20", "Y2=70", "BarType=6",
                                "ShowText=0", "Modul=4", "ModulDPI=300", QStringLiteral("DataValue=%1").arg(code),
                                "End"});
    };
    // Set for 300 dpi, drawn at 600: eight dots a module (start, seven
    // characters and the check character of 11 modules, the stop of 13).
    const QString fits = label("fits.blf", "TAGMORA");
    auto r = RunCli({"render", fits, "-o", Out("fits.png"), "--dpi", "600"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, QByteArray());
    const QImage img(Out("fits.png"));
    int first = -1, last = -1;
    for (int x = 0; x < img.width(); ++x) {
        if (qGray(img.pixel(x, 300)) < 128) {
            first = first < 0 ? x : first;
            last = x;
        }
    }
    EXPECT_EQ(last - first + 1, 112 * 8);

    const QString wide = label("wide.blf", "TAGMORA 4.2 LABEL");
    r = RunCli({"render", wide, "-o", Out("wide.png")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "tagmora-cli render: " + wide.toUtf8() + ": a barcode does not fit on the label\n");
    r = RunCli({"render", wide, "-o", Out("wide.png"), "--strict"});
    EXPECT_EQ(r.exitCode, 1);
}

// The calibration sheet for a 203 dpi printer on a 100 x 150 mm label: B and
// C 50 mm from A, as that page has no room for 100 mm.
TEST_F(RenderCli, CalibrationSheetAsPdf)
{
    const QString pdf = Out("sheet.pdf");
    const auto r = RunCli({"calibration-sheet", "-o", pdf, "--dpi", "203", "--paper", "100x150mm"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QList<QImage> pages = printtest::RenderPdfPages(pdf, 203);
    ASSERT_EQ(pages.size(), 1);
    const QImage& page = pages[0];
    EXPECT_NEAR(page.width(), 799, 1);  // pdftoppm rounds the page its own way
    EXPECT_NEAR(page.height(), 1199, 1);
    const auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
    EXPECT_TRUE(dark(160, 160));  // A at 20 mm
    EXPECT_TRUE(dark(559, 160));  // B at 70 mm
    EXPECT_TRUE(dark(160, 559));  // C
    EXPECT_FALSE(dark(160 + 3, 160 + 3));
    EXPECT_EQ(RunCli({"calibration-sheet", "--paper", "5x5"}).exitCode, 2);
}
