// Barcode drawing: an EAN-13 and a Code 128 with their text onto a bitmap, at
// screen size (96 dpi) and at 600 dpi, as the barcode object renders them for
// the design surface and the print preview.
#include "barcode/Barcode.h"
#include "barcode/BarcodeDraw.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <cmath>

namespace {

struct TSample {
    TBarcodeType type;
    const char* text;
};
const TSample kSamples[] = {{bcCodeEAN13, "590123412345"}, {bcCode128B, "Tagmora-4.2/abc 123"}};

// Modul, bar height and font as the barcode object sets them at `dpi`:
// 0.34 mm modules, 15 mm bars, text of 6 points.
void Setup(TBarcode& bc, const TSample& sample, int dpi, double angle)
{
    bc.SetTyp(sample.type);
    bc.SetText(sample.text);
    bc.SetChecksum(true);
    bc.SetModul(int(std::lround(dpi * 0.34 / 25.4)));
    bc.SetHeight(int(std::lround(dpi * 15 / 25.4)));
    bc.SetAngle(angle);
    bc.SetShowText(bcoCode);
    bc.SetShowTextPosition(stpBottomLeft);
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(int(std::lround(6.0 * dpi / 72)));
    bc.SetShowTextFont(font);
}

// args: sample, dpi, angle
void BM_DrawBarcode(benchmark::State& state)
{
    const TSample& sample = kSamples[state.range(0)];
    const int dpi = int(state.range(1));
    TBarcode bc;
    Setup(bc, sample, dpi, double(state.range(2)));
    const QImage probe(1, 1, QImage::Format_RGB32);
    const int margin = 2 * bc.Modul();
    bc.SetLeft(0);
    bc.SetTop(0);
    const QRect painted = BarcodePaintedRect(bc, &probe);
    QImage image(painted.width() + 2 * margin, painted.height() + 2 * margin, QImage::Format_RGB32);
    bc.SetLeft(margin - painted.left());
    bc.SetTop(margin - painted.top());
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        bc.SetText(sample.text);
        bc.DrawBarcode(painter);
    }
    state.SetLabel(std::string(SymbologyTable[size_t(sample.type)].name) + " " + std::to_string(image.width()) + "x" +
                   std::to_string(image.height()));
}
BENCHMARK(BM_DrawBarcode)
    ->ArgNames({"sample", "dpi", "angle"})
    ->ArgsProduct({{0, 1}, {96, 600}, {0, 90}})
    ->Unit(benchmark::kMicrosecond);

// Bars only, to see the cost of the text apart.
void BM_DrawBarcodeBarsOnly(benchmark::State& state)
{
    const TSample& sample = kSamples[state.range(0)];
    const int dpi = int(state.range(1));
    TBarcode bc;
    Setup(bc, sample, dpi, 0);
    bc.SetShowText(bcoNone);
    QImage image(bc.Width() + 8, bc.Height() + 8, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        bc.DrawBarcode(painter);
    }
}
BENCHMARK(BM_DrawBarcodeBarsOnly)->ArgNames({"sample", "dpi"})->ArgsProduct({{0, 1}, {96, 600}})->Unit(benchmark::kMicrosecond);

}  // namespace
