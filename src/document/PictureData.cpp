#include "document/PictureData.h"

#include "document/DecodedPicture.h"
#include "document/PictureCodecs.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>

#include <cstring>
#include <deque>

namespace {

bool StartsWith(const QByteArray& b, const char* sig, int n)
{
    return b.size() >= n && std::memcmp(b.constData(), sig, size_t(n)) == 0;
}

quint32 Le32(const QByteArray& b, int at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData()) + at;
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

}  // namespace

// The decoding of one stream, shared by the copies of a picture. Bytes holds
// the stream it was made from: the picture's own Bytes still share its data
// as long as nobody changed them.
struct TPlanPictureData::TDecodeCache {
    TPictureKind Kind = TPictureKind::None;
    QByteArray Bytes;
    bool Tried = false;
    std::shared_ptr<const TDecodedPicture> Decoded;
    QString Error;
    // Decoding in the background: waiting for its turn, then its job.
    bool Queued = false;
    TPictureDecodeJob* Job = nullptr;
    std::function<void()> OnReady;

    bool Holds(TPictureKind kind, const QByteArray& bytes) const
    {
        return Kind == kind && Bytes.size() == bytes.size() &&
               (Bytes.constData() == bytes.constData() || Bytes == bytes);
    }
    // The outcome of a job, unless the picture was decoded meanwhile.
    void TakeResult(const TPictureDecodeJob& job)
    {
        if (Tried)
            return;
        Tried = true;
        Decoded = job.Outcome().Value();
        Error = job.Outcome().Message();
    }
};

namespace {

using TCache = std::shared_ptr<TPlanPictureData::TDecodeCache>;

// Decodes the pictures asked for with DecodeLater one at a time, in the
// order they were asked for.
class TBackgroundDecoder {
public:
    static TBackgroundDecoder& Instance()
    {
        static TBackgroundDecoder decoder;
        return decoder;
    }
    void Add(const TCache& cache)
    {
        FWaiting.push_back(cache);
        if (!FRunning)
            StartNext();
    }

private:
    void StartNext()
    {
        while (!FWaiting.empty()) {
            // A picture that is gone, or was decoded while it waited, needs nothing.
            const TCache cache = FWaiting.front().lock();
            FWaiting.pop_front();
            if (!cache || cache->Tried)
                continue;
            FRunning = cache;
            cache->Job = new TPictureDecodeJob(cache->Kind, cache->Bytes);
            QObject::connect(cache->Job, &TPictureDecodeJob::Finished, [this, cache] { Done(cache); });
            cache->Job->Start();
            return;
        }
    }
    void Done(const TCache& cache)
    {
        cache->TakeResult(*cache->Job);
        cache->Job->deleteLater();
        cache->Job = nullptr;
        cache->Queued = false;
        const std::function<void()> onReady = std::move(cache->OnReady);
        cache->OnReady = nullptr;
        FRunning.reset();
        StartNext();
        if (onReady)
            onReady();
    }

    std::deque<std::weak_ptr<TPlanPictureData::TDecodeCache>> FWaiting;
    TCache FRunning;
};

}  // namespace

QString TPlanPictureData::TypeName(TPictureKind kind)
{
    switch (kind) {
    case TPictureKind::None: return QString();
    case TPictureKind::Icon: return QStringLiteral("Icon");
    case TPictureKind::Metafile: return QStringLiteral("Metafile");
    case TPictureKind::Jpeg: return QStringLiteral("JPEG");
    case TPictureKind::Bitmap:
    case TPictureKind::Png:
    case TPictureKind::Gif: break;
    }
    return QStringLiteral("Bitmap");
}

bool TPlanPictureData::IsKind(const QByteArray& b, TPictureKind kind)
{
    switch (kind) {
    case TPictureKind::Bitmap:
        // File header "BM" followed by an info header of a known size.
        if (!StartsWith(b, "BM", 2) || b.size() < 26)
            return false;
        {
            const quint32 info = Le32(b, 14);
            return info == 12 || info == 40 || info == 52 || info == 56 || info == 64 || info == 108 || info == 124;
        }
    case TPictureKind::Icon:
        return b.size() >= 22 && StartsWith(b, "\0\0\1\0", 4) && (b[4] != 0 || b[5] != 0);
    case TPictureKind::Metafile:
        // Enhanced metafile (record 1 with " EMF" at offset 40) or placeable metafile.
        return (b.size() >= 44 && Le32(b, 0) == 1 && std::memcmp(b.constData() + 40, " EMF", 4) == 0) ||
               StartsWith(b, "\xD7\xCD\xC6\x9A", 4);
    case TPictureKind::Jpeg:
        return StartsWith(b, "\xFF\xD8\xFF", 3);
    case TPictureKind::Png:
        return b.size() >= 24 && StartsWith(b, "\x89PNG\r\n\x1a\n", 8);
    case TPictureKind::Gif:
        return b.size() >= 10 && (StartsWith(b, "GIF87a", 6) || StartsWith(b, "GIF89a", 6));
    case TPictureKind::None:
        break;
    }
    return false;
}

TPictureKind TPlanPictureData::Sniff(const QByteArray& bytes)
{
    for (TPictureKind k : {TPictureKind::Bitmap, TPictureKind::Metafile, TPictureKind::Icon, TPictureKind::Jpeg,
                           TPictureKind::Png, TPictureKind::Gif})
        if (IsKind(bytes, k))
            return k;
    return TPictureKind::None;
}

bool TPlanPictureData::LoadFromStream(const QString& typeName, const QByteArray& stream)
{
    if (stream.isEmpty())
        return false;
    // The bytes decide: pictures stored under another type than their own
    // (a GIF as "Bitmap", a PNG as "JPEG") are common in files made elsewhere.
    const TPictureKind kind = Sniff(stream);
    if (kind == TPictureKind::None) {
        const QString t = typeName.trimmed().toUpper();
        if (t.isEmpty())
            FLoadError = QStringLiteral("not a picture of a known format");
        else if (t == QLatin1String("BITMAP"))
            FLoadError = QStringLiteral("not a readable bitmap");
        else if (t == QLatin1String("METAFILE"))
            FLoadError = QStringLiteral("not a readable metafile");
        else if (t == QLatin1String("ICON"))
            FLoadError = QStringLiteral("not a readable icon");
        else if (t == QLatin1String("JPEG"))
            FLoadError = QStringLiteral("not a readable JPEG image");
        else
            FLoadError = QStringLiteral("unknown picture type \"%1\"").arg(typeName.trimmed().left(40));
        return false;
    }
    Kind = kind;
    Bytes = stream;
    FLoadError.clear();
    // A fresh, not yet decoded cache that the copies of this picture share,
    // so the first of them to be drawn decodes for all.
    FCache = std::make_shared<TDecodeCache>();
    FCache->Kind = kind;
    FCache->Bytes = stream;
    return true;
}

bool TPlanPictureData::LoadFromFile(const QString& path)
{
    Clear();
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > 256LL * 1024 * 1024)
        return false;
    const QString ext = info.suffix().toLower();
    QString type;
    if (ext == QLatin1String("bmp") || ext == QLatin1String("dib"))
        type = QStringLiteral("Bitmap");
    else if (ext == QLatin1String("ico"))
        type = QStringLiteral("Icon");
    else if (ext == QLatin1String("emf") || ext == QLatin1String("wmf"))
        type = QStringLiteral("Metafile");
    else if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        type = QStringLiteral("JPEG");
    else if (ext != QLatin1String("png") && ext != QLatin1String("gif"))
        return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    if (type.isEmpty()) {
        // Formats a label cannot carry become a bitmap; what is transparent
        // in them turns white.
        const QImage image = picturecodec::DecodeOtherImage(f.readAll(), ext.toLatin1().constData());
        if (image.isNull())
            return false;
        QImage opaque(image.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter(&opaque).drawImage(0, 0, image);
        *this = FromImage(opaque, TPictureKind::Bitmap);
        return !IsEmpty();
    }
    return LoadFromStream(type, f.readAll());
}

const std::shared_ptr<TPlanPictureData::TDecodeCache>& TPlanPictureData::Cache() const
{
    if (!FCache || !FCache->Holds(Kind, Bytes)) {
        FCache = std::make_shared<TDecodeCache>();
        FCache->Kind = Kind;
        FCache->Bytes = Bytes;
    }
    return FCache;
}

std::shared_ptr<const TDecodedPicture> TPlanPictureData::Decoded() const
{
    if (Kind == TPictureKind::None || Bytes.isEmpty())
        return nullptr;
    TDecodeCache& cache = *Cache();
    if (cache.Job) {
        // Decoding in the background: what is still to come is taken now.
        cache.Job->Wait();
        cache.TakeResult(*cache.Job);
    }
    if (!cache.Tried) {
        cache.Tried = true;
        TPictureOutcome decoded = TDecodedPicture::Decode(Kind, Bytes);
        cache.Error = decoded.Message();
        cache.Decoded = std::move(decoded).Value();
    }
    return cache.Decoded;
}

bool TPlanPictureData::IsDecoded() const
{
    return IsEmpty() || Bytes.isEmpty() || Cache()->Tried;
}

void TPlanPictureData::DecodeLater(const std::function<void()>& onReady) const
{
    if (IsDecoded() || Cache()->Queued)
        return;
    FCache->Queued = true;
    FCache->OnReady = onReady;
    TBackgroundDecoder::Instance().Add(FCache);
}

void TPlanPictureData::Refuse(const QString& why)
{
    if (IsEmpty())
        return;
    TDecodeCache& cache = *Cache();
    cache.Tried = true;
    cache.Decoded.reset();
    cache.Error = why;
}

QString TPlanPictureData::DecodeError() const
{
    if (IsEmpty())
        return FLoadError;
    if (Decoded())
        return QString();
    return FCache->Error;
}

QString TPlanPictureData::DecodeWarning() const
{
    const auto d = IsEmpty() ? nullptr : Decoded();
    return d ? d->Warning() : QString();
}

QSize TPlanPictureData::NaturalSize() const
{
    const auto d = Decoded();
    return d ? d->NaturalSize() : QSize();
}

bool TPlanPictureData::Draw(QPainter& canvas, const QPoint& p1, const QPoint& p2) const
{
    const auto d = Decoded();
    if (!d)
        return false;
    const QRect target(QPoint(qMin(p1.x(), p2.x()), qMin(p1.y(), p2.y())),
                       QSize(qAbs(p2.x() - p1.x()), qAbs(p2.y() - p1.y())));
    d->Draw(canvas, target, p1.x() > p2.x(), p1.y() > p2.y(), Transparent && Kind == TPictureKind::Bitmap);
    return true;
}

TPlanPictureData TPlanPictureData::FromImage(const QImage& image, TPictureKind kind, int jpegQuality)
{
    TPlanPictureData p;
    QByteArray bytes;
    switch (kind) {
    case TPictureKind::Bitmap: bytes = picturecodec::EncodeBitmap(image); break;
    case TPictureKind::Icon: bytes = picturecodec::EncodeIcon(image); break;
    case TPictureKind::Jpeg: bytes = picturecodec::EncodeJpeg(image, jpegQuality); break;
    case TPictureKind::Metafile:
    case TPictureKind::Png:
    case TPictureKind::Gif:
    case TPictureKind::None: break;
    }
    if (!bytes.isEmpty())
        p.LoadFromStream(TypeName(kind), bytes);
    return p;
}

QByteArray TPictureBudget::Key(const QByteArray& stream)
{
    return QCryptographicHash::hash(stream, QCryptographicHash::Sha1);
}

bool TPictureBudget::Take(const QByteArray& key, qint64 work, TPlanPictureData& picture)
{
    TShare& share = FShares[key];
    if (share.Holders == 0) {
        if (work < 0 || work > FTotal - FUsed) {
            FShares.remove(key);
            return false;
        }
        share.Work = work;
        share.First = picture;
        FUsed += work;
    } else if (share.First.Kind == picture.Kind && share.First.Bytes == picture.Bytes) {
        picture.FCache = share.First.Cache();
    }
    ++share.Holders;
    return true;
}

void TPictureBudget::Give(const QByteArray& key)
{
    const auto it = FShares.find(key);
    if (it == FShares.end())
        return;
    if (--it->Holders == 0) {
        FUsed -= it->Work;
        FShares.erase(it);
    }
}
