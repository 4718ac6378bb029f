// Scan the drawing: every symbology a decoder reads is drawn through
// DrawBarcode, with its human-readable line, at the four right angles and at
// screen, 300 and 600 dpi sizes, and must decode to what was encoded.
#include "barcode/Barcode.h"
#include "barcode/BarcodeDraw.h"
#include "common/BarcodeSamples.h"
#include "common/BarcodeScan.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QImage>

#include <cmath>
#include <random>

using namespace testsupport;

namespace {

// Module width and bar height as the barcode object sets them at a resolution
// (15 mm bars, text of 6 points), with narrower modules as well.
struct TResolution {
    int dpi;
    int modulMin;
    int modulMax;
};
const TResolution kResolutions[] = {{96, 1, 1}, {300, 2, 4}, {600, 4, 8}};
constexpr int kAngles = 4;
// Every text gets one resolution and angle in turn: eight texts for each pair.
constexpr int kTextsPerSymbology = 8 * kAngles * 3;

class DrawScanRoundTrip : public ::testing::TestWithParam<TRoundTrip> {};

TEST_P(DrawScanRoundTrip, DecoderReadsTheDrawing)
{
    if (!ScanAvailable())
        GTEST_SKIP() << "ZXing not available";
    const TRoundTrip& rt = GetParam();
    std::mt19937 rng(20240611u + unsigned(rt.type) * 104729u);
    const TSymbologyInfo& info = SymbologyTable[size_t(rt.type)];
    std::uniform_real_distribution<double> ratio(info.ratioMin > 0 ? info.ratioMin : 2.0, 3.0);
    int failures = 0;
    for (int n = 0; n < kTextsPerSymbology && failures < 5; ++n) {
        const TResolution& res = kResolutions[n % 3];
        const double angle = 90.0 * ((n / 3) % kAngles);
        bool checksum = false;
        const std::string source = rt.text(rng, checksum);
        TBarcode bc;
        bc.SetTyp(rt.type);
        bc.SetChecksum(checksum);
        bc.SetText(source);
        bc.SetModul(std::uniform_int_distribution<int>(res.modulMin, res.modulMax)(rng));
        if (rt.twoWidth)
            bc.SetRatio(ratio(rng));
        bc.SetHeight(int(std::lround(res.dpi * 15 / 25.4)));
        bc.SetAngle(angle);
        bc.SetShowText(bcoCode);
        bc.SetShowTextPosition(stpBottomLeft);
        QFont font(QStringLiteral("Verdana"));
        font.setPixelSize(int(std::lround(6.0 * res.dpi / 72)));
        bc.SetShowTextFont(font);

        QImage image;
        try {
            image = RenderBarcodeImage(bc, 10 * bc.Modul());
        } catch (const BarcodeError& e) {
            ++failures;
            ADD_FAILURE() << rt.name << " text '" << source << "' failed: " << e.what();
            continue;
        }
        ScanOptions options;
        options.formats = rt.formats;
        if (rt.options)
            rt.options(options);
        const ScanResult r = DecodeImage(image, options);
        const std::string expected = rt.expected(bc, source);
        const std::string pattern = bc.BuildPattern();
        if (!RoundTripMatches(rt, r, expected, pattern)) {
            ++failures;
            ADD_FAILURE() << rt.name << " text '" << source << "' at " << angle << " degrees, " << res.dpi
                          << " dpi (modul " << bc.Modul() << ", ratio " << bc.Ratio() << ", checksum " << checksum
                          << ")\n  expected '" << expected << "' read "
                          << (r.found ? "'" + r.bytes.toStdString() + "'" : std::string("nothing")) << " id "
                          << r.symbologyIdentifier.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllReadable, DrawScanRoundTrip, ::testing::ValuesIn(ScanRoundTrips()),
                         [](const ::testing::TestParamInfo<TRoundTrip>& info) { return RoundTripTestName(info.param); });

}  // namespace
