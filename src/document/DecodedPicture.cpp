#include "document/DecodedPicture.h"

#include "document/PictureCodecs.h"

#include <QPaintEngine>
#include <QPainter>
#include <QSvgRenderer>

using namespace picturecodec;

TDecodedPicture::~TDecodedPicture() = default;

std::shared_ptr<const TDecodedPicture> TDecodedPicture::Decode(TPictureKind kind, const QByteArray& bytes)
{
    std::shared_ptr<TDecodedPicture> d(new TDecodedPicture);
    d->FKind = kind;
    switch (kind) {
    case TPictureKind::Bitmap:
        d->FImage = DecodeBitmap(bytes);
        break;
    case TPictureKind::Icon:
        d->FImage = DecodeIcon(bytes);
        break;
    case TPictureKind::Jpeg:
        d->FImage = DecodeJpeg(bytes);
        break;
    case TPictureKind::Metafile: {
        // Enhanced metafile, or placeable Windows metafile.
        const bool wmf = !WmfFrameSize(bytes).isEmpty();
        const QByteArray svg = wmf ? WmfToSvg(bytes) : EmfToSvg(bytes);
        if (svg.isEmpty())
            return nullptr;
        auto renderer = std::make_unique<QSvgRenderer>(svg);
        if (!renderer->isValid())
            return nullptr;
        if (wmf) {
            d->FNatural = WmfFrameSize(bytes);
        } else {
            const QSize frame = EmfFrameSize(bytes);  // 0.01 mm
            if (!frame.isEmpty())
                d->FNatural = QSize(qMax(1, qRound(frame.width() * 96 / 2540.0)),
                                    qMax(1, qRound(frame.height() * 96 / 2540.0)));
            else
                d->FNatural = renderer->defaultSize();
        }
        d->FSvg = std::move(renderer);
        return d;
    }
    case TPictureKind::None:
        return nullptr;
    }
    if (d->FImage.isNull())
        return nullptr;
    d->FNatural = d->FImage.size();
    return d;
}

const QImage& TDecodedPicture::Source(bool colourKey) const
{
    if (!colourKey || FImage.isNull())
        return FImage;
    if (FKeyed.isNull()) {
        // Left unpremultiplied, the left-out pixels keep the key colour, so a
        // printer or PDF viewer that smooths the image blends its edges with
        // that colour rather than with black.
        FKeyed = FImage.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = FKeyed.pixel(0, 0) & RGB_MASK;
        for (int y = 0; y < FKeyed.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(FKeyed.scanLine(y));
            for (int x = 0; x < FKeyed.width(); ++x)
                if ((line[x] & RGB_MASK) == key)
                    line[x] = key;  // alpha 0
        }
    }
    return FKeyed;
}

QImage TDecodedPicture::MakeRendered(QSize size, bool mirrorX, bool mirrorY, bool colourKey) const
{
    QImage out;
    if (FSvg) {
        out = QImage(size, QImage::Format_ARGB32_Premultiplied);
        if (out.isNull())
            return out;
        out.fill(Qt::transparent);
        QPainter p(&out);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        FSvg->render(&p, QRectF(0, 0, size.width(), size.height()));
    } else {
        const QImage& src = Source(colourKey);
        out = src.size() == size ? src : src.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (out.format() != QImage::Format_ARGB32_Premultiplied && out.format() != QImage::Format_RGB32)
            out = std::move(out).convertToFormat(out.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                       : QImage::Format_RGB32);
    }
    if (mirrorX || mirrorY)
        out = std::move(out).mirrored(mirrorX, mirrorY);
    return out;
}

QImage TDecodedPicture::Rendered(QSize size, bool mirrorX, bool mirrorY, bool colourKey) const
{
    if (size.isEmpty())
        return QImage();
    colourKey = colourKey && !FSvg;
    for (size_t i = 0; i < FScaled.size(); ++i) {
        const TScaled& s = FScaled[i];
        if (s.Size == size && s.MirrorX == mirrorX && s.MirrorY == mirrorY && s.ColourKey == colourKey) {
            if (i > 0)
                std::rotate(FScaled.begin(), FScaled.begin() + qsizetype(i), FScaled.begin() + qsizetype(i) + 1);
            return FScaled.front().Image;
        }
    }
    QImage made = MakeRendered(size, mirrorX, mirrorY, colourKey);
    if (made.isNull())
        return made;
    FScaled.insert(FScaled.begin(), TScaled{size, mirrorX, mirrorY, colourKey, made});
    if (FScaled.size() > size_t(kScaledCacheSize))
        FScaled.pop_back();
    return made;
}

void TDecodedPicture::DrawDirect(QPainter& canvas, const QRect& target, bool mirrorX, bool mirrorY,
                                 bool colourKey) const
{
    canvas.save();
    canvas.setRenderHint(QPainter::SmoothPixmapTransform);
    canvas.setRenderHint(QPainter::Antialiasing);
    QRectF r(target);
    if (mirrorX || mirrorY) {
        canvas.translate(r.center());
        canvas.scale(mirrorX ? -1 : 1, mirrorY ? -1 : 1);
        canvas.translate(-r.center());
    }
    if (FSvg)
        FSvg->render(&canvas, r);
    else
        canvas.drawImage(r, Source(colourKey));
    canvas.restore();
}

void TDecodedPicture::Draw(QPainter& canvas, const QRect& target, bool mirrorX, bool mirrorY, bool colourKey) const
{
    if (target.isEmpty())
        return;
    QPaintEngine* engine = canvas.paintEngine();
    const bool raster = engine && engine->type() == QPaintEngine::Raster &&
                        canvas.worldTransform().type() <= QTransform::TxTranslate;
    if (!raster || qint64(target.width()) * target.height() > kMaxCachedPixels) {
        DrawDirect(canvas, target, mirrorX, mirrorY, colourKey);
        return;
    }
    const QImage image = Rendered(target.size(), mirrorX, mirrorY, colourKey);
    if (!image.isNull())
        canvas.drawImage(target.topLeft(), image);
}
