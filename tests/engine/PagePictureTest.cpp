// The page recording plays back what was drawn: each scene drawn straight
// onto an image and recorded then played onto another gives the same pixels,
// at the recorded scale and at twice that.
#include "engine/printing/PagePicture.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <gtest/gtest.h>

#include <functional>

namespace {

using TScene = std::function<void(QPainter&)>;

QImage Direct(const TScene& scene, QSize size, qreal scale)
{
    QImage image(size * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    scene(p);
    return image;
}

QImage Played(const TScene& scene, QSize size, qreal scale)
{
    TPageRecorder recorder(size);
    {
        QPainter p(&recorder);
        scene(p);
    }
    QImage image(size * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    recorder.Picture().Play(p);
    return image;
}

}  // namespace

TEST(PagePicture, PlaysBackWhatWasDrawn)
{
    QImage stripes(8, 8, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            stripes.setPixel(x, y, x % 2 ? qRgba(0, 0, 0, 255) : qRgba(0, 0, 0, 0));
    const struct {
        const char* name;
        TScene scene;
    } scenes[] = {
        {"clips end with their save", [](QPainter& p) {
             for (int i = 0; i < 3; ++i) {
                 p.save();
                 p.translate(10 + 40 * i, 10);
                 p.setClipRect(QRect(0, 0, 30, 30), Qt::IntersectClip);
                 p.fillRect(QRect(-5, -5, 50, 50), Qt::red);
                 p.restore();
                 p.fillRect(QRect(10 + 40 * i, 45, 4, 4), Qt::black);
             }
         }},
        {"nested clips and rotation", [](QPainter& p) {
             p.setClipRect(QRect(5, 5, 100, 60));
             p.save();
             p.translate(60, 40);
             p.rotate(30);
             QPainterPath round;
             round.addEllipse(QRectF(-30, -20, 60, 40));
             p.setClipPath(round, Qt::IntersectClip);
             p.setBrush(Qt::blue);
             p.setPen(QPen(Qt::darkGreen, 3));
             p.drawRect(QRectF(-40, -10, 80, 20));
             p.restore();
             p.setPen(QPen(Qt::black, 0));
             p.drawLine(0, 0, 120, 80);
             p.drawEllipse(QRectF(80, 50, 30, 20));
             p.drawPolyline(QPolygonF({QPointF(5, 70), QPointF(30, 60), QPointF(50, 75)}));
         }},
        {"text, images and operations", [&stripes](QPainter& p) {
             QFont font(QStringLiteral("DejaVu Sans"));
             font.setPixelSize(14);
             font.setUnderline(true);
             p.setFont(font);
             p.drawText(QPointF(5, 20), QStringLiteral("Parcel 19"));
             p.save();
             p.translate(100, 60);
             p.rotate(90);
             p.drawText(QPointF(0, 0), QStringLiteral("up"));
             p.restore();
             p.drawImage(QRectF(10, 30, 40, 20), stripes);
             p.setOpacity(0.5);
             p.fillRect(QRect(60, 30, 20, 20), Qt::green);
             p.setOpacity(1);
             p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
             p.fillRect(QRect(70, 40, 20, 20), Qt::white);
         }},
    };
    const QSize size(130, 90);
    for (const auto& s : scenes) {
        for (qreal scale : {1.0, 2.0})
            EXPECT_EQ(Played(s.scene, size, scale), Direct(s.scene, size, scale)) << s.name << " at " << scale;
    }
}
