// tagmora-cli barcode --pattern and -o, and validate.
#include "common/BarcodeScan.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>

using testsupport::RunCli;

namespace {

TEST(BarcodeCli, PatternAndShownText)
{
    const struct {
        QStringList args;
        QByteArray out;
    } cases[] = {
        {{"--type", "EAN13", "--text", "590123412345", "--checksum", "--pattern"},
         "50525060517061615160805170505050616060615350507151705251505\n5901234123457\n"},
        {{"--type", "14", "--text", "590123412345", "--checksum", "--pattern"},
         "50525060517061615160805170505050616060615350507151705251505\n5901234123457\n"},
        {{"--pattern", "--type", "bccodeean13", "--checksum", "--text", "590123412345"},
         "50525060517061615160805170505050616060615350507151705251505\n5901234123457\n"},
        {{"--type", "Code128B", "--text", "Ab1", "--pattern"}, "6051535052625153605171606251516270506\nAb1\n"},
        {{"--type", "bcCode128Auto", "--text", "ab\\013cd", "--pattern"},
         "6051535150635153608052508070505350615351607050806270506\nabcd\n"},
        {{"--type", "UPC_E0", "--text", "123456", "--pattern"}, "505061615160805170507150508050505\n01234565\n"},
        // Modul and ratio do not change the pattern, only its pixel widths.
        {{"--type", "2_5_interleaved", "--text", "123", "--modul", "3", "--ratio", "2.5", "--pattern"},
         "505051506060515161505060605\n0123\n"},
    };
    for (const auto& c : cases) {
        const auto r = RunCli(QStringList{"barcode"} + c.args);
        EXPECT_EQ(r.exitCode, 0) << c.args.join(' ').toStdString() << r.err.toStdString();
        EXPECT_EQ(r.out, c.out) << c.args.join(' ').toStdString();
    }
    // 8-bit text: a Latin-1 character is one byte; outside set B it cannot be encoded.
    const auto accented = RunCli({"barcode", "--type", "Code128B", "--text", "\u00e9", "--pattern"});
    EXPECT_NE(accented.exitCode, 0);
    EXPECT_TRUE(accented.out.isEmpty());
}

TEST(BarcodeCli, FailuresAndUsage)
{
    const struct {
        QStringList args;
        int exitCode;
        QByteArray err;
    } cases[] = {
        {{"--type", "EAN13", "--text", "12a", "--pattern"}, 1, "Barcode must be numeric"},
        {{"--type", "Code93", "--text", "abc", "--pattern"}, 1, "Code93 bad Data !"},
        {{"--type", "Code128B", "--text", "\u20ac", "--pattern"}, 1, "not 8-bit text"},
        {{"--type", "EAN14", "--text", "1", "--pattern"}, 2, "unknown barcode type"},
        {{"--type", "99", "--text", "1", "--pattern"}, 2, "unknown barcode type"},
        {{"--type", "EAN13", "--text", "1"}, 2, "either --pattern or -o"},
        {{"--type", "EAN13", "--text", "1", "--pattern", "-o", "out.png"}, 2, "either --pattern or -o"},
        {{"--text", "1", "--pattern"}, 2, "--type is required"},
        {{"--type", "EAN13", "--pattern"}, 2, "--text is required"},
        {{"--type", "EAN13", "--text", "1", "--modul", "50", "--pattern"}, 2, "--modul"},
        {{"--type", "EAN13", "--text", "1", "--ratio", "2,5", "--pattern"}, 2, "--ratio"},
        {{"--type", "EAN13", "--text"}, 2, "--text needs a value"},
    };
    for (const auto& c : cases) {
        const auto r = RunCli(QStringList{"barcode"} + c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.err)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST(BarcodeCli, Validate)
{
    const struct {
        QStringList args;
        int exitCode;
        QByteArray out;
    } cases[] = {
        {{"--type", "EAN13", " 123 ", "12A", ""}, 1, "valid\ninvalid\ninvalid\n"},
        {{"--type", "EAN13", "5901234123457"}, 0, "valid\n"},
        {{"--type", "code93", "abc", "ABC"}, 1, "invalid\nvalid\n"},
        {{"--type", "UPC_E0", "--checksum", "0123456", "2123456"}, 1, "valid\ninvalid\n"},
        {{"--type", "bcCode128Auto", "A\\200", "A\\196"}, 1, "invalid\nvalid\n"},
        {{"--type", "Code39", "--", "--CHECKSUM", "-A-"}, 0, "valid\nvalid\n"},
    };
    for (const auto& c : cases) {
        const auto r = RunCli(QStringList{"validate"} + c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_EQ(r.out, c.out) << c.args.join(' ').toStdString();
    }
    EXPECT_EQ(RunCli({"validate", "--type", "EAN13"}).exitCode, 2);
    EXPECT_EQ(RunCli({"validate", "12"}).exitCode, 2);
}

TEST(BarcodeCli, DrawsIntoPngAndSvg)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString png = dir.filePath(QStringLiteral("code.png"));
    const QString svg = dir.filePath(QStringLiteral("code.svg"));
    testsupport::ScanOptions scan;
    scan.formats = testsupport::sfCode128;

    // Bars only: the symbol (Width x Height + 1 rows) with ten modules all round.
    auto r = RunCli({"barcode", "--type", "Code128B", "--text", "Tag-42", "--modul", "3", "--height", "90",
                     "--show-text", "none", "-o", png});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    QImage image(png);
    ASSERT_FALSE(image.isNull());
    const int width = (11 * 8 + 13) * 3;  // start, 6 characters, check and stop
    EXPECT_EQ(image.size(), QSize(width + 60, 91 + 60));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(29, 30), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(30, 30), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(30, 120), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(30, 121), QColor(Qt::white));
    if (testsupport::ScanAvailable()) {
        EXPECT_EQ(testsupport::DecodeImage(image, scan).text, QLatin1String("Tag-42"));
    }

    // Turned a quarter, with text: taller than wide, still the same symbol.
    r = RunCli({"barcode", "--type", "Code128B", "--text", "Tag-42", "--modul", "2", "--angle", "90", "--show-text",
                "both", "--text-position", "bottom-center", "-o", png});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    image.load(png);
    EXPECT_GT(image.height(), image.width());
    EXPECT_GE(image.height(), (11 * 8 + 13) * 2 + 40);
    if (testsupport::ScanAvailable()) {
        EXPECT_EQ(testsupport::DecodeImage(image, scan).text, QLatin1String("Tag-42"));
    }

    // SVG: the same drawing as vectors.
    r = RunCli({"barcode", "--type", "EAN13", "--text", "590123412345", "--checksum", "--modul", "2", "-o", svg});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    QImage drawn(renderer.viewBox().size(), QImage::Format_Grayscale8);
    drawn.fill(Qt::white);
    {
        QPainter painter(&drawn);
        renderer.render(&painter);
    }
    EXPECT_GE(drawn.width(), 95 * 2 + 40);
    if (testsupport::ScanAvailable()) {
        scan.formats = testsupport::sfEAN13;
        EXPECT_EQ(testsupport::DecodeImage(drawn, scan).text, QLatin1String("5901234123457"));
    }
}

TEST(BarcodeCli, DrawingFailuresAndUsage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString png = dir.filePath(QStringLiteral("x.png"));
    const struct {
        QStringList args;
        int exitCode;
        QByteArray err;
    } cases[] = {
        {{"-o", dir.filePath(QStringLiteral("x.jpg"))}, 2, "must end in .png or .svg"},
        {{"-o", png, "--show-text", "digits"}, 2, "--show-text takes one of none, code, typ, both"},
        {{"-o", png, "--text-position", "middle"}, 2, "--text-position"},
        {{"-o", png, "--angle", "nan"}, 2, "--angle"},
        {{"-o", png, "--angle", "1,5"}, 2, "--angle"},
        {{"-o", png, "--height", "-1"}, 2, "--height"},
        {{"-o", png, "--font-size", "0"}, 2, "--font-size"},
        {{"-o", dir.filePath(QStringLiteral("missing/x.png"))}, 1, "cannot write"},
    };
    for (const auto& c : cases) {
        const auto r = RunCli(QStringList{"barcode", "--type", "Code39", "--text", "AB"} + c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.err)) << r.err.toStdString();
    }
    // A text that cannot be encoded writes no file.
    const auto r = RunCli({"barcode", "--type", "EAN13", "--text", "12a", "-o", png});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Barcode must be numeric"));
    EXPECT_FALSE(QFile::exists(png));
    // Keywords also by ordinal and in any case.
    EXPECT_EQ(RunCli({"barcode", "--type", "Code39", "--text", "AB", "--show-text", "3", "--text-position", "BOTTOM-RIGHT",
                      "-o", png})
                  .exitCode,
              0);
}

}  // namespace

TEST(BarcodeCli, TwoDimensionalCodesAndTheirSettings)
{
    QTemporaryDir dir;
    const struct {
        QStringList args;
        int exitCode;
        const char* err;   // part of the message; "" when it succeeds
        QSize size;        // of the drawing without text and quiet zone (modul 1)
    } cases[] = {
        {{"--type", "QR", "--text", "Tagmora"}, 0, "", QSize(21, 21)},
        {{"--type", "QR", "--option", "ecc=H,size=5", "--text", "Tagmora"}, 0, "", QSize(37, 37)},
        {{"--type", "DataMatrix", "--option", "size=12x26", "--text", "Tagmora"}, 0, "", QSize(26, 12)},
        {{"--type", "GS1-DataMatrix", "--text", "(01)09501101530003"}, 0, "", QSize(16, 16)},
        {{"--type", "PDF417", "--option", "columns=2,ecc=3", "--text", "Tagmora"}, 0, "", QSize()},
        {{"--type", "QR", "--option", "size=1,ecc=H", "--text", "much too long for version one at level H"}, 1,
         "", QSize()},
        {{"--type", "GS1-128", "--text", "(01)09501101530004"}, 1, "Bad checksum '4', expected '3'", QSize()},
        {{"--type", "QR", "--option", "columns=2", "--text", "x"}, 2, "QR Code has no columns setting", QSize()},
        {{"--type", "QR", "--option", "ecc=X", "--text", "x"}, 2, "--option ecc=X", QSize()},
        {{"--type", "Aztec", "--text", "x", "--pattern"}, 2, "draw Aztec codes with -o", QSize()},
    };
    for (const auto& c : cases) {
        const QString what = c.args.join(' ');
        const QString out = dir.filePath("s.png");
        const QStringList args = c.args.contains("--pattern") ? c.args : c.args + QStringList{"--show-text", "none", "-o", out};
        const auto r = RunCli(QStringList{"barcode"} + args);
        EXPECT_EQ(r.exitCode, c.exitCode) << what.toStdString() << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.err)) << r.err.toStdString();
        if (c.size.isValid())
            EXPECT_EQ(QImage(out).size(), c.size + QSize(20, 20)) << what.toStdString();
    }
    // validate takes the same settings.
    EXPECT_EQ(RunCli({"validate", "--type", "QR", "--option", "ecc=H,size=1", "short", "much too long for version one"})
                  .out,
              QByteArray("valid\ninvalid\n"));
}
