#include "document/DecodedPicture.h"

#include "document/PictureCodecs.h"

#include <QPaintEngine>
#include <QPainter>
#include <QSocketNotifier>
#include <QSvgRenderer>
#include <QTimer>

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
    case TPictureKind::Png: return QStringLiteral("not a readable PNG image");
    case TPictureKind::Gif: return QStringLiteral("not a readable GIF image");
    case TPictureKind::Metafile: return QStringLiteral("not a readable metafile");
    case TPictureKind::None: break;
    }
    return QStringLiteral("no picture");
}

bool IsWmf(const QByteArray& bytes)
{
    return !WmfFrameSize(bytes).isEmpty();
}

// What a metafile holds; false when it is not well formed.
bool MetafileContent(const QByteArray& bytes, TMetafileContent* content)
{
    return IsWmf(bytes) ? IsWellFormedWmf(bytes, content) : IsWellFormedEmf(bytes, content);
}

// The pixels a raster stream declares (0 for a metafile, which is drawn
// from vectors); -1 when its headers are not sound.
qint64 DeclaredPixels(TPictureKind kind, const QByteArray& bytes)
{
    switch (kind) {
    case TPictureKind::Bitmap: return BitmapPixels(bytes);
    case TPictureKind::Icon: return IconPixels(bytes);
    case TPictureKind::Jpeg: return JpegPixels(bytes);
    case TPictureKind::Png: return PngPixels(bytes);
    case TPictureKind::Gif: return GifPixels(bytes);
    case TPictureKind::Metafile: return MetafileContent(bytes, nullptr) ? 0 : -1;
    case TPictureKind::None: break;
    }
    return -1;
}

// Why a stream cannot be decoded, judged from its headers before any decoder
// runs; empty when it may be tried.
QString Refusal(TPictureKind kind, const QByteArray& bytes)
{
    const qint64 pixels = DeclaredPixels(kind, bytes);
    if (pixels < 0)
        return UnreadableText(kind);
    if (pixels > kMaxPicturePixels)
        return QStringLiteral("too large (%1 million pixels)").arg(pixels / 1000000);
    if (kind == TPictureKind::Metafile) {
        TMetafileContent content;
        MetafileContent(bytes, &content);
        if (content.ImagePixels > kMaxSvgImagePixels)
            return QStringLiteral("too large (bitmaps of %1 million pixels)").arg(content.ImagePixels / 1000000);
    }
    if (gMemoryInUse + pixels * 4 > gMemoryBudget)
        return QStringLiteral("pictures need more memory than allowed");
    return QString();
}

QImage::Format PlainFormat(const QImage& image)
{
    if (image.format() == QImage::Format_Grayscale8 || image.format() == QImage::Format_RGB32)
        return image.format();
    return image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
}

}  // namespace

// The decoding itself: a metafile as the converter's SVG, any other kind
// as pixels. Error text when it does not decode; Warning when it decodes
// only in part.
struct TDecodedPicture::TOutput {
    QByteArray Svg;
    QImage Image;
    QString Error;
    QString Warning;
    qint64 Charged = 0;  // bytes of Image counted in the memory budget
};

namespace {

using TOutput = TDecodedPicture::TOutput;

TOutput DecodeHere(TPictureKind kind, const QByteArray& bytes)
{
    TOutput r;
    switch (kind) {
    case TPictureKind::Bitmap: r.Image = DecodeBitmap(bytes, &r.Warning); break;
    case TPictureKind::Icon: r.Image = DecodeIcon(bytes); break;
    case TPictureKind::Jpeg: r.Image = DecodeJpeg(bytes); break;
    case TPictureKind::Png: r.Image = DecodeOtherImage(bytes, "png"); break;
    case TPictureKind::Gif: r.Image = DecodeOtherImage(bytes, "gif"); break;
    case TPictureKind::Metafile: r.Svg = IsWmf(bytes) ? WmfToSvg(bytes) : EmfToSvg(bytes); break;
    case TPictureKind::None: break;
    }
    if (r.Svg.isEmpty() && r.Image.isNull())
        r.Error = UnreadableText(kind);
    return r;
}

// Counts bytes of decoded pixels in the memory budget when they fit.
bool ChargeMemory(qint64 bytes)
{
    if (gMemoryInUse.fetch_add(bytes) + bytes > gMemoryBudget) {
        gMemoryInUse -= bytes;
        return false;
    }
    return true;
}

#ifdef TAGMORA_GUARDED_CHILD

constexpr qsizetype kChunk = 8 << 20;
constexpr qsizetype kMaxSvgBytes = 256 << 20;

// Frames from the child: 'E' error text, 'W' warning text, 'S' part of the
// SVG, 'I' the image's width, height, format and density (five 32-bit
// values), 'P' rows.
void DecodeInChild(TFrameWriter& out, TPictureKind kind, const QByteArray& bytes)
{
    TOutput r = DecodeHere(kind, bytes);
    if (!r.Error.isEmpty()) {
        out.Send('E', r.Error.toUtf8());
        return;
    }
    if (!r.Warning.isEmpty())
        out.Send('W', r.Warning.toUtf8());
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

TGuardedLimits DecodeLimits()
{
    TGuardedLimits limits;
    limits.ExtraAddressSpace = TDecodedPicture::kDecoderMemory;
    limits.CpuSeconds = (TDecodedPicture::kDecodeTimeMs + 999) / 1000 + 1;
    limits.StallTimeoutMs = TDecodedPicture::kDecodeTimeMs;
    limits.TotalTimeoutMs = TDecodedPicture::kDecodeTimeMs;
    return limits;
}

// Checks and assembles what a decoding child sends. The image is charged to
// the memory budget before it is made.
class TDecodeReceiver {
public:
    // One frame; stops the child (EGuardedChild) when it is malformed. True
    // for the end frame.
    bool Take(TGuardedChild& child, char frame, const QByteArray& payload);
    // The result once the stream ended (done: the end frame came).
    TOutput Finish(TGuardedChild& child, bool done);
    TOutput Failed(const QString& why);

private:
    void TakeHeader(TGuardedChild& child, const QByteArray& payload);

    TOutput FOut;
    int FRow = 0;
    qsizetype FRowBytes = 0;
};

bool TDecodeReceiver::Take(TGuardedChild& child, char frame, const QByteArray& payload)
{
    switch (frame) {
    case 'E': FOut.Error = QString::fromUtf8(payload.left(200)); break;
    case 'W': FOut.Warning = QString::fromUtf8(payload.left(200)); break;
    case 'S':
        if (FOut.Svg.size() + payload.size() > kMaxSvgBytes)
            child.Damaged(QStringLiteral("too large a drawing"));
        FOut.Svg += payload;
        break;
    case 'I': TakeHeader(child, payload); break;
    case 'P':
        if (FOut.Image.isNull() || payload.size() % FRowBytes != 0 ||
            payload.size() / FRowBytes > FOut.Image.height() - FRow)
            child.Damaged(QStringLiteral("malformed output"));
        for (qsizetype at = 0; at < payload.size(); at += FRowBytes)
            std::memcpy(FOut.Image.scanLine(FRow++), payload.constData() + at, size_t(FRowBytes));
        break;
    case TGuardedChild::frameDone: return true;
    default: child.Damaged(QStringLiteral("malformed output"));
    }
    return false;
}

void TDecodeReceiver::TakeHeader(TGuardedChild& child, const QByteArray& payload)
{
    if (payload.size() != 20 || !FOut.Image.isNull())
        child.Damaged(QStringLiteral("malformed output"));
    const qint64 w = qint32(FrameU32(payload.constData())), h = qint32(FrameU32(payload.constData() + 4));
    const auto format = QImage::Format(FrameU32(payload.constData() + 8));
    if (w <= 0 || h <= 0 || w > kMaxPictureSide || h > kMaxPictureSide || w * h > kMaxPicturePixels ||
        (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 && format != QImage::Format_Grayscale8))
        child.Damaged(QStringLiteral("malformed output"));
    const qint64 need = w * h * (format == QImage::Format_Grayscale8 ? 1 : 4);
    if (!ChargeMemory(need))
        child.Damaged(QStringLiteral("pictures need more memory than allowed"));
    FOut.Charged = need;
    FOut.Image = QImage(int(w), int(h), format);
    if (FOut.Image.isNull())
        child.Damaged(QStringLiteral("not enough memory"));
    FOut.Image.setDotsPerMeterX(int(FrameU32(payload.constData() + 12)));
    FOut.Image.setDotsPerMeterY(int(FrameU32(payload.constData() + 16)));
    FRowBytes = qsizetype(w) * FOut.Image.depth() / 8;
}

TOutput TDecodeReceiver::Finish(TGuardedChild& child, bool done)
{
    const bool clean = child.Finish();
    if (!FOut.Error.isEmpty())
        return Failed(FOut.Error);
    if (!clean || !done)
        return Failed(child.EndSignal() == SIGXCPU ? QStringLiteral("took too long")
                                                   : QStringLiteral("the decoder failed on it"));
    if (FOut.Image.isNull() ? FOut.Svg.isEmpty() : FRow != FOut.Image.height())
        return Failed(QStringLiteral("malformed output"));
    return std::move(FOut);
}

TOutput TDecodeReceiver::Failed(const QString& why)
{
    TOutput r;
    r.Error = why;
    r.Charged = FOut.Charged;  // given back with the picture that is not made
    return r;
}

// Runs the decoder in a guarded child, waiting for it.
TOutput DecodeGuarded(TPictureKind kind, const QByteArray& bytes)
{
    TDecodeReceiver receiver;
    try {
        TGuardedChild child([&](TFrameWriter& out) { DecodeInChild(out, kind, bytes); }, DecodeLimits());
        bool done = false;
        char frame;
        QByteArray payload;
        while (!done && child.Next(frame, payload))
            done = receiver.Take(child, frame, payload);
        return receiver.Finish(child, done);
    } catch (const EGuardedChild& e) {
        return receiver.Failed(QString::fromUtf8(e.what()));
    }
}

#endif

// Decodes with the pixels charged to the memory budget.
TOutput DecodeCharged(TPictureKind kind, const QByteArray& bytes)
{
    const QString refused = Refusal(kind, bytes);
    if (!refused.isEmpty()) {
        TOutput out;
        out.Error = refused;
        return out;
    }
#ifdef TAGMORA_GUARDED_CHILD
    return DecodeGuarded(kind, bytes);
#else
    TOutput out = DecodeHere(kind, bytes);
    const qint64 need = out.Image.sizeInBytes();
    if (need > 0 && !ChargeMemory(need)) {
        out.Image = QImage();
        out.Error = QStringLiteral("pictures need more memory than allowed");
    } else {
        out.Charged = need;
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

TPictureOutcome TDecodedPicture::Decode(TPictureKind kind, const QByteArray& bytes)
{
    if (kind == TPictureKind::None || bytes.isEmpty())
        return Refuse(UnreadableText(TPictureKind::None));
    return Make(kind, bytes, DecodeCharged(kind, bytes));
}

TPictureOutcome TDecodedPicture::Make(TPictureKind kind, const QByteArray& bytes, TOutput&& out)
{
    std::shared_ptr<TDecodedPicture> d(new TDecodedPicture);
    d->FKind = kind;
    d->FCharged = out.Charged;  // given back when d goes, also on failure
    d->FImageCharge = out.Charged;
    d->FWarning = out.Warning;
    auto fail = [](const QString& why) -> TPictureOutcome { return Refuse(why); };
    if (!out.Error.isEmpty())
        return fail(out.Error);
    if (kind == TPictureKind::Metafile) {
        const TOutcome<QByteArray> svg = SanitizeSvg(out.Svg);
        if (!svg)
            return fail(svg.Message());
        auto renderer = std::make_unique<QSvgRenderer>(svg.Value());
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
        return TPictureOutcome(std::move(d));
    }
    d->FImage = std::move(out.Image);
    d->FNatural = d->FImage.size();
    d->FBytes = bytes;
    return TPictureOutcome(std::move(d));
}

qint64 TDecodedPicture::DeclaredWork(TPictureKind kind, const QByteArray& bytes)
{
    if (kind != TPictureKind::Metafile)
        return DeclaredPixels(kind, bytes);
    TMetafileContent content;
    if (!MetafileContent(bytes, &content))
        return -1;
    return content.ImagePixels * kMetafileImageWork + content.Records * kMetafileRecordWork;
}

bool TDecodedPicture::EnsureFull() const
{
    if (!FImage.isNull() || FSvg || FBytes.isEmpty())
        return !FImage.isNull() || FSvg;
    TOutput out = DecodeCharged(FKind, FBytes);
    if (!out.Error.isEmpty() || out.Image.size() != FNatural) {
        gMemoryInUse -= out.Charged;
        return false;
    }
    FImage = std::move(out.Image);
    FCharged += out.Charged;
    FImageCharge = out.Charged;
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

// ----- Decoding in the background ---------------------------------------------

// The child of a running job, the frames taken so far, and the watchers that
// take more as it arrives (and look at the clock while nothing does).
struct TPictureDecodeJob::TRun {
#ifdef TAGMORA_GUARDED_CHILD
    std::unique_ptr<TGuardedChild> Child;
    TDecodeReceiver Receiver;
    bool EndFrame = false;
#endif
    std::unique_ptr<QSocketNotifier> Input;
    std::unique_ptr<QTimer> Clock;
};

TPictureDecodeJob::TPictureDecodeJob(TPictureKind kind, const QByteArray& bytes, QObject* parent)
    : QObject(parent), FKind(kind), FBytes(bytes)
{
}

TPictureDecodeJob::~TPictureDecodeJob() = default;

void TPictureDecodeJob::Start()
{
    if (FRun || FDone)
        return;
    const QString refused =
        FKind == TPictureKind::None || FBytes.isEmpty() ? UnreadableText(TPictureKind::None) : Refusal(FKind, FBytes);
    TOutput out;
    out.Error = refused;
#ifdef TAGMORA_GUARDED_CHILD
    if (refused.isEmpty()) {
        FRun = std::make_unique<TRun>();
        try {
            const TPictureKind kind = FKind;
            const QByteArray bytes = FBytes;
            FRun->Child = std::make_unique<TGuardedChild>(
                [kind, bytes](TFrameWriter& w) { DecodeInChild(w, kind, bytes); }, DecodeLimits());
        } catch (const EGuardedChild& e) {
            out.Error = QString::fromUtf8(e.what());
        }
    }
    if (FRun && FRun->Child) {
        FRun->Input = std::make_unique<QSocketNotifier>(FRun->Child->Fd(), QSocketNotifier::Read);
        connect(FRun->Input.get(), &QSocketNotifier::activated, this, [this] { Pump(false); });
        FRun->Clock = std::make_unique<QTimer>();
        connect(FRun->Clock.get(), &QTimer::timeout, this, [this] { Pump(false); });
        FRun->Clock->start(100);
        return;
    }
#else
    if (refused.isEmpty())
        out = DecodeCharged(FKind, FBytes);
#endif
    Complete(std::move(out));
}

void TPictureDecodeJob::Wait()
{
    Pump(true);
}

void TPictureDecodeJob::Pump(bool wait)
{
#ifdef TAGMORA_GUARDED_CHILD
    if (FDone || !FRun || !FRun->Child)
        return;
    TRun& run = *FRun;
    try {
        char frame;
        QByteArray payload;
        while (!run.EndFrame) {
            bool ended = false;
            const bool got = wait ? run.Child->Next(frame, payload) : run.Child->TryNext(frame, payload, &ended);
            if (got)
                run.EndFrame = run.Receiver.Take(*run.Child, frame, payload);
            else if (wait || ended)
                break;
            else
                return;  // more comes later
        }
        Complete(run.Receiver.Finish(*run.Child, run.EndFrame));
    } catch (const EGuardedChild& e) {
        Complete(run.Receiver.Failed(QString::fromUtf8(e.what())));
    }
#else
    Q_UNUSED(wait);
#endif
}

void TPictureDecodeJob::Complete(TDecodedPicture::TOutput&& out)
{
    if (FRun) {
        // The watchers may be what called this: they go once it returns.
        if (FRun->Input) {
            FRun->Input->setEnabled(false);
            FRun->Input.release()->deleteLater();
        }
        if (FRun->Clock) {
            FRun->Clock->stop();
            FRun->Clock.release()->deleteLater();
        }
        FRun.reset();
    }
    FOutcome = TDecodedPicture::Make(FKind, FBytes, std::move(out));
    FDone = true;
    QMetaObject::invokeMethod(this, &TPictureDecodeJob::Finished, Qt::QueuedConnection);
}
