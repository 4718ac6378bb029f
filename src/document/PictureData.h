// A picture as label files carry it: the graphic's own file stream (a bitmap,
// icon, metafile or JPEG file; PNG and GIF files are read too) and its kind.
// The bytes are kept exactly as read, so a label opened and saved again
// carries the same picture data. A stream is taken by its file signature; it
// is decoded (PictureCodecs.h) only when first drawn or measured, and the
// result is cached.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

class QImage;
class QPainter;
class QPoint;
class TDecodedPicture;

enum class TPictureKind { None, Bitmap, Icon, Metafile, Jpeg, Png, Gif };

class TPictureBudget;

struct TPlanPictureData {
    TPictureKind Kind = TPictureKind::None;
    QByteArray Bytes;
    bool Transparent = false;

    bool IsEmpty() const { return Kind == TPictureKind::None; }
    void Clear() { *this = TPlanPictureData(); }

    // "Bitmap", "Icon", "Metafile" or "JPEG"; empty for no picture. PNG and
    // GIF pictures are "Bitmap", as any other raster graphic.
    static QString TypeName(TPictureKind kind);
    // The kind whose stream the bytes hold, found by the file signature
    // (bitmap, metafile, icon, JPEG, PNG, GIF in this order); None when they
    // hold none of these.
    static TPictureKind Sniff(const QByteArray& bytes);
    static bool IsKind(const QByteArray& bytes, TPictureKind kind);

    // Takes the stream as a graphic of the format its bytes hold, whatever
    // the named type ("Bitmap", "Metafile", "Icon", "JPEG", any case,
    // surrounding blanks ignored) says: a GIF under "Bitmap" or a PNG under
    // "JPEG" is still read. An empty stream changes nothing. A stream of no
    // known format leaves the picture as it was, and LoadError() says why
    // ("not a readable bitmap", "unknown picture type \"TIFF\""). True when
    // the picture was taken.
    bool LoadFromStream(const QString& typeName, const QByteArray& stream);
    // Why the last LoadFromStream took nothing; empty after one that did.
    QString LoadError() const { return FLoadError; }
    // Loads a picture file (kind chosen by the file's extension: .bmp/.dib,
    // .ico, .emf/.wmf, .jpg/.jpeg; .png and .gif are converted to a bitmap,
    // transparent parts white). Only regular files up to 256 MB are read.
    // The picture is emptied first; false when nothing was loaded.
    bool LoadFromFile(const QString& path);

    // A picture of the kind made from an image: its bitmap, icon or JPEG
    // file stream (quality 1 to 100 for JPEG). Empty for a null image, a
    // metafile or when encoding fails.
    static TPlanPictureData FromImage(const QImage& image, TPictureKind kind, int jpegQuality = 90);

    // The decoded picture, or null when the bytes do not decode. Decoding
    // happens once: the result is kept and shared by every copy made of this
    // picture since its bytes were set; changing Kind or Bytes decodes anew.
    std::shared_ptr<const TDecodedPicture> Decoded() const;
    bool Decodes() const { return Decoded() != nullptr; }
    // Why the picture does not decode ("not a readable bitmap", "took too
    // long"), or, for an empty picture, why its stream was not taken
    // (LoadError); empty when it decodes or is empty for no reason.
    QString DecodeError() const;
    // Why the picture decodes only in part ("run-length data reaches past
    // the bitmap's edge"); empty when it decodes whole or not at all.
    QString DecodeWarning() const;
    // Marks the picture as one that is not decoded, for the reason given
    // (DecodeError); its copies share the mark.
    void Refuse(const QString& why);

    // True when decoding was done (or found impossible) already, so that
    // drawing and measuring will not wait.
    bool IsDecoded() const;
    // Decodes the picture without blocking (TPictureDecodeJob), after the
    // pictures asked for before it; onReady runs in the event loop once it is
    // done. Nothing happens when it is decoded or asked for already.
    void DecodeLater(const std::function<void()>& onReady) const;
    // Pixels (a metafile's frame at 96 pixels per inch); empty when it does
    // not decode.
    QSize NaturalSize() const;
    // Draws the picture stretched onto the rectangle from p1 to p2: pixels
    // from the smaller to the larger coordinate, the larger one excluded,
    // mirrored along an axis on which p1 lies beyond p2. A transparent bitmap
    // leaves out the colour of its top-left pixel; icons and metafiles always
    // leave their empty parts unpainted. False (nothing drawn) when the
    // picture is empty or does not decode.
    bool Draw(QPainter& canvas, const QPoint& p1, const QPoint& p2) const;

    bool operator==(const TPlanPictureData& o) const
    {
        return Kind == o.Kind && Bytes == o.Bytes && Transparent == o.Transparent;
    }

    // The decoding of a stream, shared by the copies of a picture.
    struct TDecodeCache;

private:
    friend class TPictureBudget;
    const std::shared_ptr<TDecodeCache>& Cache() const;
    mutable std::shared_ptr<TDecodeCache> FCache;
    QString FLoadError;
};

// The work the pictures of one document may give their decoders together,
// in TDecodedPicture::DeclaredWork units (about one a pixel). Picture objects
// take their share from their headers as they are read, in the document's
// order, so which pictures fit depends on the document alone and never on
// how busy the machine is; pictures that do not fit are not decoded. A stream
// that several objects hold counts once, and is decoded once for all.
class TPictureBudget {
public:
    static constexpr qint64 kDefaultWork = 100'000'000;

    // What identifies a stream here.
    static QByteArray Key(const QByteArray& stream);
    // Takes a share of `work` for the picture's stream (key: Key(its bytes));
    // false, taking nothing, when it does not fit beside the shares taken
    // before. A picture whose stream has a share already shares its decoding.
    bool Take(const QByteArray& key, qint64 work, TPlanPictureData& picture);
    // Gives back one holder's share.
    void Give(const QByteArray& key);
    qint64 Used() const { return FUsed; }
    qint64 Total() const { return FTotal; }
    void SetTotal(qint64 work) { FTotal = work; }

private:
    struct TShare {
        qint64 Work = 0;
        int Holders = 0;
        TPlanPictureData First;  // shares its decoding with the later holders
    };
    QHash<QByteArray, TShare> FShares;
    qint64 FUsed = 0;
    qint64 FTotal = kDefaultWork;
};
