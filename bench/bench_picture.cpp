// Pictures: decoding a JPEG photo, decoding in the guarded child, and painting a label of picture objects at
// screen size and at 600 dpi once the pictures are decoded and scaled (the
// design surface's repaint and the print job's per-label paint).
#include "document/DecodedPicture.h"
#include "document/LabelPlan.h"
#include "document/PictureCodecs.h"
#include "document/PictureObject.h"
#include "document/PlanLayer.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QLinearGradient>
#include <QPainter>

namespace {

QImage Photo(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, Qt::darkCyan);
    g.setColorAt(1, Qt::yellow);
    p.fillRect(img.rect(), g);
    p.setBrush(Qt::red);
    p.drawEllipse(w / 4, h / 4, w / 2, h / 2);
    return img;
}

QString Hex(const QByteArray& b)
{
    return QString::fromLatin1(b.toHex().toUpper());
}

void BM_DecodeJpeg(benchmark::State& state)
{
    const QByteArray jpeg = picturecodec::EncodeJpeg(Photo(640, 480));
    for (auto _ : state)
        benchmark::DoNotOptimize(picturecodec::DecodeJpeg(jpeg));
    state.SetLabel("640x480");
}
BENCHMARK(BM_DecodeJpeg)->Unit(benchmark::kMillisecond);

// A picture decoded as a label file's pictures are: in a guarded child,
// its pixels checked on the way back.
void BM_DecodeGuarded(benchmark::State& state)
{
    const QByteArray bmp = picturecodec::EncodeBitmap(Photo(200, 150));
    for (auto _ : state)
        benchmark::DoNotOptimize(TDecodedPicture::Decode(TPictureKind::Bitmap, bmp).Value());
    state.SetLabel("200x150 bitmap");
}
BENCHMARK(BM_DecodeGuarded)->Unit(benchmark::kMillisecond);

// args: dpi. 24 picture objects (JPEG, bitmap, transparent bitmap, icon) on
// a 180 x 130 point label.
void BM_PaintPictures(benchmark::State& state)
{
    const int dpi = int(state.range(0));
    TLabelPlan plan;
    plan.NewLabel();
    const QString jpeg = Hex(picturecodec::EncodeJpeg(Photo(640, 480)));
    const QString bmp = Hex(picturecodec::EncodeBitmap(Photo(200, 150)));
    const QString ico = Hex(picturecodec::EncodeIcon(Photo(48, 48)));
    const QString kinds[][2] = {{jpeg, "JPEG"}, {bmp, "Bitmap"}, {bmp, "Bitmap"}, {ico, "Icon"}};
    QStringList lines;
    for (int i = 0; i < 24; ++i) {
        const int x = (i % 6) * 30, y = (i / 6) * 32;
        lines << "Object Picture" << QString("X1=%1").arg(x) << QString("Y1=%1").arg(y)
              << QString("X2=%1").arg(x + 28) << QString("Y2=%1").arg(y + 30)
              << "Graphic=" + kinds[i % 4][0] << "Type=" + kinds[i % 4][1]
              << QString("Transparent=%1").arg(i % 4 == 2 ? 1 : 0) << "End";
    }
    plan.ReadPlan(lines);
    plan.SetViewSize(plan.ScaleX * dpi / 72, plan.ScaleY * dpi / 72);
    QImage image(plan.ViewSize(), QImage::Format_ARGB32_Premultiplied);
    TPlanLayer* layer = plan.Layers().Item(0);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        for (int i = 0; i < layer->Count(); ++i)
            layer->Item(i)->Draw(painter);
    }
    state.SetLabel(std::to_string(image.width()) + "x" + std::to_string(image.height()));
}
BENCHMARK(BM_PaintPictures)->Arg(72)->Arg(600)->Unit(benchmark::kMillisecond);

}  // namespace
