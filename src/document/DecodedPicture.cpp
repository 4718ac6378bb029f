#include "document/DecodedPicture.h"

#include "document/PictureCodecs.h"

#include <QPaintEngine>
#include <QPainter>
#include <QSvgRenderer>

#include "document/GuardedChild.h"

#include <atomic>
#include <csignal>
#include <cstring>

using namespace picturecodec;

namespace {

std::atomic<qint64> gMemoryInUse{0};
std::atomic<qint64> gMemoryBudget{TDecodedPicture::kDefaultMemoryBudget};

QString UnreadableText(TPictureKind kind)
{
    switch (kind) {
    case TPictureKind::Bitmap: return QStringLiteral("not a readable bitmap");
    case TPictureKind::Icon: return QStringLiteral("not a readable icon");
    case TPictureKind::Jpeg: return QStringLiteral("not a readable JPEG image");
    case TPictureKind::Metafile: return QStringLiteral("not a readable metafile");
    case TPictureKind::None: break;
    }
    return QStringLiteral("no picture");
}

bool IsWmf(const QByteArray& bytes)
{
    return !WmfFrameSize(bytes).isEmpty();
}

// The decoding itself: a metafile as the converter's SVG, any other kind
// as pixels. Error text when it does not decode.
struct TDecodeOutput {
    QByteArray Svg;
    QImage Image;
    QString Error;
};

TDecodeOutput DecodeHere(TPictureKind kind, const QByteArray& bytes)
{
    TDecodeOutput r;
    switch (kind) {
    case TPictureKind::Bitmap: r.Image = DecodeBitmap(bytes); break;
    case TPictureKind::Icon: r.Image = DecodeIcon(bytes); break;
    case TPictureKind::Jpeg: r.Image = DecodeJpeg(bytes); break;
    case TPictureKind::Metafile: r.Svg = IsWmf(bytes) ? WmfToSvg(bytes) : EmfToSvg(bytes); break;
    case TPictureKind::None: break;
    }
    if (r.Svg.isEmpty() && r.Image.isNull())
        r.Error = UnreadableText(kind);
    return r;
}

QImage::Format PlainFormat(const QImage& image)
{
    if (image.format() == QImage::Format_Grayscale8 || image.format() == QImage::Format_RGB32)
        return image.format();
    return image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
}

#ifdef TAGMORA_GUARDED_CHILD

constexpr qsizetype kChunk = 8 << 20;
constexpr qsizetype kMaxSvgBytes = 256 << 20;

// Frames from the child: 'E' error text, 'S' part of the SVG, 'I' the
// image's width, height, format and density (five 32-bit values), 'P' rows.
void DecodeInChild(TFrameWriter& out, TPictureKind kind, const QByteArray& bytes)
{
    TDecodeOutput r = DecodeHere(kind, bytes);
    if (!r.Error.isEmpty()) {
        out.Send('E', r.Error.toUtf8());
        return;
    }
    if (!r.Svg.isEmpty()) {
        for (qsizetype at = 0; at < r.Svg.size(); at += kChunk)
            out.Send('S', r.Svg.constData() + at, size_t(qMin(kChunk, r.Svg.size() - at)));
        return;
    }
    const QImage image = r.Image.convertToFormat(PlainFormat(r.Image));
    std::string header;
    for (int v : {image.width(), image.height(), int(image.format()), image.dotsPerMeterX(), image.dotsPerMeterY()})
        AppendFrameU32(header, quint32(v));
    out.Send('I', header);
    const qsizetype rowBytes = qsizetype(image.width()) * image.depth() / 8;
    const int rowsPerChunk = int(qMax<qsizetype>(1, kChunk / rowBytes));
    for (int y = 0; y < image.height(); y += rowsPerChunk) {
        std::string rows;
        for (int k = y; k < qMin(image.height(), y + rowsPerChunk); ++k)
            rows.append(reinterpret_cast<const char*>(image.constScanLine(k)), size_t(rowBytes));
        out.Send('P', rows);
    }
}

// Runs the decoder in a guarded child and checks what comes back. The image
// is charged to the memory budget (*charged) before it is made.
TDecodeOutput DecodeGuarded(TPictureKind kind, const QByteArray& bytes, qint64* charged)
{
    TDecodeOutput r;
    TGuardedLimits limits;
    limits.ExtraAddressSpace = TDecodedPicture::kDecoderMemory;
    limits.CpuSeconds = (TDecodedPicture::kDecodeTimeMs + 999) / 1000 + 1;
    limits.StallTimeoutMs = TDecodedPicture::kDecodeTimeMs;
    limits.TotalTimeoutMs = TDecodedPicture::kDecodeTimeMs;
    try {
        TGuardedChild child([&](TFrameWriter& out) { DecodeInChild(out, kind, bytes); }, limits);
        bool done = false;
        int row = 0;
        qsizetype rowBytes = 0;
        char frame;
        QByteArray payload;
        while (!done && child.Next(frame, payload)) {
            switch (frame) {
            case 'E':
                r.Error = QString::fromUtf8(payload.left(200));
                break;
            case 'S':
                if (r.Svg.size() + payload.size() > kMaxSvgBytes)
                    child.Damaged(QStringLiteral("too large a drawing"));
                r.Svg += payload;
                break;
            case 'I': {
                if (payload.size() != 20 || !r.Image.isNull())
                    child.Damaged(QStringLiteral("malformed output"));
                const qint64 w = qint32(FrameU32(payload.constData())), h = qint32(FrameU32(payload.constData() + 4));
                const auto format = QImage::Format(FrameU32(payload.constData() + 8));
                if (w <= 0 || h <= 0 || w > kMaxPictureSide || h > kMaxPictureSide || w * h > kMaxPicturePixels ||
                    (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
                     format != QImage::Format_Grayscale8))
                    child.Damaged(QStringLiteral("malformed output"));
                const qint64 need = w * h * (format == QImage::Format_Grayscale8 ? 1 : 4);
                if (gMemoryInUse.fetch_add(need) + need > gMemoryBudget) {
                    gMemoryInUse -= need;
                    child.Damaged(QStringLiteral("pictures need more memory than allowed"));
                }
                *charged = need;
                r.Image = QImage(int(w), int(h), format);
                if (r.Image.isNull())
                    child.Damaged(QStringLiteral("not enough memory"));
                r.Image.setDotsPerMeterX(int(FrameU32(payload.constData() + 12)));
                r.Image.setDotsPerMeterY(int(FrameU32(payload.constData() + 16)));
                rowBytes = qsizetype(w) * r.Image.depth() / 8;
                break;
            }
            case 'P':
                if (r.Image.isNull() || payload.size() % rowBytes != 0 ||
                    payload.size() / rowBytes > r.Image.height() - row)
                    child.Damaged(QStringLiteral("malformed output"));
                for (qsizetype at = 0; at < payload.size(); at += rowBytes)
                    std::memcpy(r.Image.scanLine(row++), payload.constData() + at, size_t(rowBytes));
                break;
            case TGuardedChild::frameDone:
                done = true;
                break;
            default:
                child.Damaged(QStringLiteral("malformed output"));
            }
        }
        const bool clean = child.Finish();
        if (!r.Error.isEmpty())
            return r;
        if (!clean || !done)
            r.Error = child.EndSignal() == SIGXCPU ? QStringLiteral("took too long")
                                                    : QStringLiteral("the decoder failed on it");
        else if (r.Image.isNull() ? r.Svg.isEmpty() : row != r.Image.height())
            r.Error = QStringLiteral("malformed output");
    } catch (const EGuardedChild& e) {
        r.Error = QString::fromUtf8(e.what());
    }
    if (!r.Error.isEmpty()) {
        r.Image = QImage();
        r.Svg.clear();
    }
    return r;
}

#endif

// Decodes with the pixels charged to the memory budget (*charged bytes).
TDecodeOutput DecodeCharged(TPictureKind kind, const QByteArray& bytes, qint64* charged)
{
#ifdef TAGMORA_GUARDED_CHILD
    return DecodeGuarded(kind, bytes, charged);
#else
    TDecodeOutput out = DecodeHere(kind, bytes);
    const qint64 need = out.Image.sizeInBytes();
    if (need > 0 && gMemoryInUse.fetch_add(need) + need > gMemoryBudget) {
        gMemoryInUse -= need;
        out.Image = QImage();
        out.Error = QStringLiteral("pictures need more memory than allowed");
    } else {
        *charged = need;
    }
    return out;
#endif
}

// Pixels are smoothed when a picture is made smaller; enlarged, a bitmap
// keeps its sharp pixel edges (logos, codes drawn as bitmaps).
Qt::TransformationMode ScalingFor(QSize source, QSize target)
{
    return target.width() <= source.width() && target.height() <= source.height() ? Qt::SmoothTransformation
                                                                                  : Qt::FastTransformation;
}

}  // namespace

TDecodedPicture::~TDecodedPicture()
{
    gMemoryInUse -= FCharged;
}

qint64 TDecodedPicture::MemoryBudget()
{
    return gMemoryBudget;
}

void TDecodedPicture::SetMemoryBudget(qint64 bytes)
{
    gMemoryBudget = bytes;
}

qint64 TDecodedPicture::MemoryInUse()
{
    return gMemoryInUse;
}

bool TDecodedPicture::Charge(qint64 bytes, qint64 limit) const
{
    if (gMemoryInUse.fetch_add(bytes) + bytes > limit) {
        gMemoryInUse -= bytes;
        return false;
    }
    FCharged += bytes;
    return true;
}

std::shared_ptr<const TDecodedPicture> TDecodedPicture::Decode(TPictureKind kind, const QByteArray& bytes,
                                                               QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return nullptr;
    };
    if (kind == TPictureKind::None || bytes.isEmpty())
        return fail(UnreadableText(TPictureKind::None));
    std::shared_ptr<TDecodedPicture> d(new TDecodedPicture);
    d->FKind = kind;
    qint64 charged = 0;
    TDecodeOutput out = DecodeCharged(kind, bytes, &charged);
    d->FCharged = charged;
    d->FImageCharge = charged;
    if (!out.Error.isEmpty())
        return fail(out.Error);
    if (kind == TPictureKind::Metafile) {
        QString why;
        const QByteArray svg = SanitizeSvg(out.Svg, &why);
        if (svg.isEmpty())
            return fail(why);
        auto renderer = std::make_unique<QSvgRenderer>(svg);
        if (!renderer->isValid())
            return fail(QStringLiteral("malformed drawing"));
        if (IsWmf(bytes)) {
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
    d->FImage = std::move(out.Image);
    d->FNatural = d->FImage.size();
    d->FBytes = bytes;
    return d;
}

bool TDecodedPicture::EnsureFull() const
{
    if (!FImage.isNull() || FSvg || FBytes.isEmpty())
        return !FImage.isNull() || FSvg;
    qint64 charged = 0;
    TDecodeOutput out = DecodeCharged(FKind, FBytes, &charged);
    if (!out.Error.isEmpty() || out.Image.size() != FNatural) {
        gMemoryInUse -= charged;
        return false;
    }
    FImage = std::move(out.Image);
    FCharged += charged;
    FImageCharge = charged;
    return true;
}

void TDecodedPicture::ReleaseFull() const
{
    if (FSvg || qint64(FNatural.width()) * FNatural.height() <= kKeepFullPixels || FImage.isNull())
        return;
    qint64 freed = FImageCharge;
    if (!FKeyed.isNull())
        freed += FKeyed.sizeInBytes();
    gMemoryInUse -= freed;
    FCharged -= freed;
    FImageCharge = 0;
    FImage = QImage();
    FKeyed = QImage();
}

QImage TDecodedPicture::Image() const
{
    EnsureFull();
    return FImage;
}

QImage TDecodedPicture::Source(bool colourKey) const
{
    if (!EnsureFull() || !colourKey)
        return FImage;
    if (!FKeyed.isNull())
        return FKeyed;
    // Left unpremultiplied, the left-out pixels keep the key colour, so a
    // printer or PDF viewer that smooths the image blends its edges with
    // that colour rather than with black.
    QImage keyed = FImage.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = keyed.pixel(0, 0) & RGB_MASK;
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            if ((line[x] & RGB_MASK) == key)
                line[x] = key;  // alpha 0
    }
    // Kept when the budget for copies has room.
    if (Charge(keyed.sizeInBytes(), gMemoryBudget / 2))
        FKeyed = keyed;
    return keyed;
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
        const QImage src = Source(colourKey);
        out = src.size() == size ? src : src.scaled(size, Qt::IgnoreAspectRatio, ScalingFor(src.size(), size));
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
    // A large picture drawn smaller keeps that copy rather than its full
    // pixels, which are decoded again when another size is wanted. Other
    // copies are kept while they use at most half the budget, so that they
    // never stand in the way of decoding; the rest are drawn but not kept.
    const qint64 natural = qint64(FNatural.width()) * FNatural.height();
    const bool replacesFull = !FSvg && natural > kKeepFullPixels && qint64(size.width()) * size.height() < natural;
    if (replacesFull)
        ReleaseFull();
    const qint64 budget = gMemoryBudget;
    if (!Charge(made.sizeInBytes(), replacesFull ? budget : budget / 2))
        return made;
    FScaled.insert(FScaled.begin(), TScaled{size, mirrorX, mirrorY, colourKey, made});
    if (FScaled.size() > size_t(kScaledCacheSize)) {
        gMemoryInUse -= FScaled.back().Image.sizeInBytes();
        FCharged -= FScaled.back().Image.sizeInBytes();
        FScaled.pop_back();
    }
    return made;
}

void TDecodedPicture::DrawDirect(QPainter& canvas, const QRect& target, bool mirrorX, bool mirrorY,
                                 bool colourKey) const
{
    canvas.save();
    canvas.setRenderHint(QPainter::SmoothPixmapTransform,
                         FSvg || ScalingFor(FNatural, target.size()) == Qt::SmoothTransformation);
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
