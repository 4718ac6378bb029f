#include "document/PictureData.h"

#include "document/DecodedPicture.h"
#include "document/PictureCodecs.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>

#include <cstring>

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

    bool Holds(TPictureKind kind, const QByteArray& bytes) const
    {
        return Kind == kind && Bytes.size() == bytes.size() &&
               (Bytes.constData() == bytes.constData() || Bytes == bytes);
    }
};

QString TPlanPictureData::TypeName(TPictureKind kind)
{
    switch (kind) {
    case TPictureKind::None: return QString();
    case TPictureKind::Icon: return QStringLiteral("Icon");
    case TPictureKind::Metafile: return QStringLiteral("Metafile");
    case TPictureKind::Jpeg: return QStringLiteral("JPEG");
    case TPictureKind::Bitmap: break;
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
    case TPictureKind::None:
        break;
    }
    return false;
}

TPictureKind TPlanPictureData::Sniff(const QByteArray& bytes)
{
    for (TPictureKind k : {TPictureKind::Bitmap, TPictureKind::Metafile, TPictureKind::Icon, TPictureKind::Jpeg})
        if (IsKind(bytes, k))
            return k;
    return TPictureKind::None;
}

bool TPlanPictureData::LoadFromStream(const QString& typeName, const QByteArray& stream)
{
    if (stream.isEmpty())
        return false;
    const QString t = typeName.trimmed().toUpper();
    TPictureKind kind;
    if (t.isEmpty())
        kind = Sniff(stream);
    else if (t == QLatin1String("BITMAP"))
        kind = TPictureKind::Bitmap;
    else if (t == QLatin1String("METAFILE"))
        kind = TPictureKind::Metafile;
    else if (t == QLatin1String("ICON"))
        kind = TPictureKind::Icon;
    else if (t == QLatin1String("JPEG"))
        kind = TPictureKind::Jpeg;
    else
        return false;
    if (kind == TPictureKind::None || !IsKind(stream, kind))
        return false;
    Kind = kind;
    Bytes = stream;
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

std::shared_ptr<const TDecodedPicture> TPlanPictureData::Decoded() const
{
    if (Kind == TPictureKind::None || Bytes.isEmpty())
        return nullptr;
    if (!FCache || !FCache->Holds(Kind, Bytes)) {
        FCache = std::make_shared<TDecodeCache>();
        FCache->Kind = Kind;
        FCache->Bytes = Bytes;
    }
    if (!FCache->Tried) {
        FCache->Tried = true;
        FCache->Decoded = TDecodedPicture::Decode(Kind, Bytes, &FCache->Error);
    }
    return FCache->Decoded;
}

QString TPlanPictureData::DecodeError() const
{
    if (IsEmpty() || Decoded())
        return QString();
    return FCache->Error;
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
    case TPictureKind::None: break;
    }
    if (!bytes.isEmpty())
        p.LoadFromStream(TypeName(kind), bytes);
    return p;
}
