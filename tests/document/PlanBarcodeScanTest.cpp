// Scan what the barcode object draws: every symbology a decoder reads, through
// the screen bitmap and straight onto the output canvas, at the four right
// angles and at 96, 300 and 600 dpi, and through a preview picture; and at
// 1200 dpi every printed bar and space is a whole number of modules.
#include "PlanBarcodeTestUtil.h"

#include "common/BarcodeSamples.h"
#include "common/BarcodeScan.h"

#include <gtest/gtest.h>

#include <QPicture>

#include <cmath>
#include <random>

using namespace testsupport;

namespace {

enum TPath { pBitmap, pDirect, pPreview };
const char* const kPathNames[] = {"bitmap", "direct", "preview"};

struct TResolution {
    int dpi;
    int modulMin;
    int modulMax;
};
const TResolution kResolutions[] = {{96, 1, 1}, {300, 2, 4}, {600, 4, 8}};

// Plan units spanned by n pixels at dpi, rounded up.
int PlanUnits(double pixels, int dpi)
{
    return int(std::ceil(pixels * 72.0 / dpi));
}

// A multiple of 6 plan units maps onto whole pixels at 96, 300, 600 and 1200 dpi.
int WholePixels(int units)
{
    return (units + 5) / 6 * 6;
}

struct TObjectSetup {
    TBarcodeType type;
    QString code;
    bool checksum = false;
    int modul = 1;
    double ratio = 2.0;
    double angle = 0;
    int dpi = 300;
    TPath path = pBitmap;
};

// Draws a barcode object on a label just large enough for it and a quiet zone
// of ten modules, as the design surface, the print job or the preview would.
// `object` receives the drawn object (owned by `surface`).
QImage DrawObject(const TObjectSetup& setup, std::unique_ptr<TOutputSurface>& surface, TPlanBarcode*& object)
{
    const bool turned = setup.angle == 90 || setup.angle == 270;
    // The preview lays the label out one pixel per point.
    const int surfaceDpi = setup.path == pPreview ? 72 : setup.dpi;
    surface = std::make_unique<TOutputSurface>(1998, 1998, surfaceDpi, setup.path != pBitmap);
    TLabelPlan& plan = surface->plan;
    plan.PntDPI = setup.dpi;
    plan.RenderingOutput = setup.path == pPreview;
    const int quiet = WholePixels(PlanUnits(10.0 * setup.modul, setup.dpi) + 6);
    const int across = 60;  // plan units across the bars
    TPlanBarcode* b = surface->Add(setup.type, setup.code, quiet, quiet, quiet + (turned ? across : 10),
                                   quiet + (turned ? 10 : across));
    b->Barcode.SetChecksum(setup.checksum);
    b->Barcode.SetModul(setup.modul);
    b->Barcode.SetRatio(setup.ratio);
    b->Barcode.SetAngle(setup.angle);
    object = b;

    // The first drawing fits the box to the symbol; the label then takes it in.
    {
        QImage fit(1, 1, QImage::Format_RGB32);
        QPainter painter(&fit);
        b->Draw(painter);
    }
    surface->Resize(WholePixels(std::max(b->X1, b->X2) + quiet), WholePixels(std::max(b->Y1, b->Y2) + quiet));
    if (setup.path != pPreview)
        return surface->Paint(*b, QImage::Format_Grayscale8);

    QPicture picture;
    {
        QPainter painter(&picture);
        b->Draw(painter);
    }
    const double scale = setup.dpi / 72.0;
    QImage image(Round(plan.ScaleX * scale), Round(plan.ScaleY * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    painter.drawPicture(0, 0, picture);
    return image;
}

class ObjectScanRoundTrip : public ::testing::TestWithParam<TRoundTrip> {};

TEST_P(ObjectScanRoundTrip, DecoderReadsTheObject)
{
    if (!ScanAvailable())
        GTEST_SKIP() << "ZXing not available";
    const TRoundTrip& rt = GetParam();
    std::mt19937 rng(77031u + unsigned(rt.type) * 7919u);
    const TSymbologyInfo& info = SymbologyTable[size_t(rt.type)];
    // ZXing 1.4 reads an interleaved 2 of 5 symbol of ratio 2 turned half
    // round as another valid code; it needs wider wide elements.
    const double ratioMin = rt.type == bcCode_2_5_interleaved ? 2.25 : info.ratioMin > 0 ? info.ratioMin : 2.0;
    std::uniform_real_distribution<double> ratio(ratioMin, 3.0);
    // Every combination of path, resolution and angle gets two texts; the
    // preview path one text per angle, at 300 and 600 dpi in turn.
    struct TCombination {
        TPath path;
        int resolution;
        int quarter;
    };
    std::vector<TCombination> combinations;
    for (int repeat = 0; repeat < 2; ++repeat)
        for (const TPath path : {pBitmap, pDirect})
            for (int r = 0; r < 3; ++r)
                for (int q = 0; q < 4; ++q)
                    combinations.push_back({path, r, q});
    // A preview picture scaled to 96 dpi blurs one-pixel modules beyond reading.
    for (int q = 0; q < 4; ++q)
        combinations.push_back({pPreview, 1 + q % 2, q});

    int failures = 0;
    for (const TCombination& c : combinations) {
        if (failures >= 5)
            break;
        const TResolution& res = kResolutions[c.resolution];
        TObjectSetup setup;
        setup.type = rt.type;
        const std::string source = rt.text(rng, setup.checksum);
        setup.code = BarcodeBytesToString(source);
        setup.modul = std::uniform_int_distribution<int>(res.modulMin, res.modulMax)(rng);
        setup.ratio = rt.twoWidth ? ratio(rng) : 2.0;
        setup.angle = 90.0 * c.quarter;
        setup.dpi = res.dpi;
        setup.path = c.path;

        std::unique_ptr<TOutputSurface> surface;
        TPlanBarcode* b = nullptr;
        const QImage image = DrawObject(setup, surface, b);
        auto where = [&] {
            return ::testing::Message() << rt.name << " text '" << source << "' " << kPathNames[c.path] << " at "
                                        << setup.angle << " degrees, " << res.dpi << " dpi (modul " << setup.modul
                                        << ", ratio " << b->Barcode.Ratio() << ", checksum " << setup.checksum << ")";
        };
        if (!b->LastDrawError().isEmpty()) {
            ++failures;
            ADD_FAILURE() << where() << " not drawn: " << b->LastDrawError().toStdString();
            continue;
        }
        ScanOptions options;
        options.formats = rt.formats;
        if (rt.options)
            rt.options(options);
        const ScanResult r = DecodeImage(image, options);
        const std::string expected = rt.expected(b->Barcode, source);
        const std::string pattern = b->Barcode.BuildPattern();
        if (!RoundTripMatches(rt, r, expected, pattern)) {
            ++failures;
            ADD_FAILURE() << where() << "\n  expected '" << expected << "' read "
                          << (r.found ? "'" + r.bytes.toStdString() + "'" : std::string("nothing")) << " id "
                          << r.symbologyIdentifier.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllReadable, ObjectScanRoundTrip, ::testing::ValuesIn(ScanRoundTrips()),
                         [](const ::testing::TestParamInfo<TRoundTrip>& info) { return RoundTripTestName(info.param); });

// Lengths of the runs of equal pixels along the middle line across the bars,
// which lie in `bars`; false when a pixel is neither black nor white.
bool RunsAcrossTheBars(const QImage& image, const QRect& bars, bool vertical, std::vector<int>& runs)
{
    runs.clear();
    const int n = vertical ? bars.height() : bars.width();
    int previous = -1;
    for (int i = 0; i < n; ++i) {
        const QPoint p = vertical ? QPoint(bars.center().x(), bars.top() + i) : QPoint(bars.left() + i, bars.center().y());
        const int grey = qGray(image.pixel(p));
        if (grey != 0 && grey != 255)
            return false;
        if (grey == previous)
            ++runs.back();
        else
            runs.push_back(1);
        previous = grey;
    }
    return true;
}

TEST(PlanBarcodePrint, EveryBarAndSpaceIsWholeModulesAt1200Dpi)
{
    struct Case {
        TBarcodeType type;
        const char* code;
        double ratio;
    };
    // Two-width symbologies at ratios 2 and 3; the others use widths of one
    // to four modules.
    const Case cases[] = {
        {bcCode39, "TAGMORA-42", 2.0},  {bcCode39, "TAGMORA-42", 3.0},     {bcCode_2_5_interleaved, "123456", 3.0},
        {bcCodeCodabar, "A123$B", 3.0}, {bcCodeEAN13, "5901234123457", 2}, {bcCodeUPC_A, "012345678905", 2},
        {bcCodeEAN8, "12345670", 2},    {bcCode128B, "Tag 4.2", 2},        {bcCode93, "CODE 93", 2},
        {bcCodeMSI, "80523", 2},
    };
    for (const Case& c : cases) {
        for (const int modul : {16, 5}) {
            for (int q = 0; q < 4; ++q) {
                TObjectSetup setup;
                setup.type = c.type;
                setup.code = QString::fromLatin1(c.code);
                setup.modul = modul;
                setup.ratio = c.ratio;
                setup.angle = 90.0 * q;
                setup.dpi = 1200;
                setup.path = pDirect;
                std::unique_ptr<TOutputSurface> surface;
                TPlanBarcode* b = nullptr;
                const QImage image = DrawObject(setup, surface, b);
                SCOPED_TRACE(::testing::Message() << c.code << " modul " << modul << " ratio " << c.ratio << " at "
                                                  << setup.angle);
                ASSERT_TRUE(b->LastDrawError().isEmpty());
                // The bars' box on the canvas, as DrawBarcode turns it.
                const int w = b->Barcode.Width();
                const int h = b->Barcode.Height();
                const int left = b->Barcode.Left(), top = b->Barcode.Top();
                QRect bars;
                switch (q) {
                case 1: bars = QRect(left, top + 1, h + 1, w); break;
                case 2: bars = QRect(left + 1, top, w, h + 1); break;
                case 3: bars = QRect(left, top, h + 1, w); break;
                default: bars = QRect(left, top, w, h + 1); break;
                }
                ASSERT_TRUE(image.rect().contains(bars));
                std::vector<int> runs;
                ASSERT_TRUE(RunsAcrossTheBars(image, bars, q % 2 == 1, runs)) << "grey pixel across the bars";
                ASSERT_GE(runs.size(), 3u);
                // Both ends are bars, so the line starts and ends black.
                const QPoint first = q % 2 == 1 ? QPoint(bars.center().x(), bars.top())
                                                : QPoint(bars.left(), bars.center().y());
                EXPECT_EQ(qGray(image.pixel(first)), 0);
                EXPECT_EQ(runs.size() % 2, 1u);
                for (const int run : runs)
                    EXPECT_EQ(run % modul, 0) << "run of " << run << " pixels";
            }
        }
    }
}

}  // namespace
