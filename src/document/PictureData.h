// A picture as label files carry it: the graphic's own file stream (a bitmap,
// icon, metafile or JPEG file) and its kind. The bytes are kept exactly as
// read, so a label opened and saved again carries the same picture data. A
// stream is taken by its file signature; it is decoded (PictureCodecs.h)
// only when first drawn or measured, and the result is cached.
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

#include <memory>

class QImage;
class QPainter;
class QPoint;
class TDecodedPicture;

enum class TPictureKind { None, Bitmap, Icon, Metafile, Jpeg };

struct TPlanPictureData {
    TPictureKind Kind = TPictureKind::None;
    QByteArray Bytes;
    bool Transparent = false;

    bool IsEmpty() const { return Kind == TPictureKind::None; }
    void Clear() { *this = TPlanPictureData(); }

    // "Bitmap", "Icon", "Metafile" or "JPEG"; empty for no picture.
    static QString TypeName(TPictureKind kind);
    // The kind whose stream the bytes hold, found by the file signature; None
    // when they hold none of the four.
    static TPictureKind Sniff(const QByteArray& bytes);
    static bool IsKind(const QByteArray& bytes, TPictureKind kind);

    // Takes the stream as a graphic of the named type ("Bitmap", "Metafile",
    // "Icon", "JPEG", any case, surrounding blanks ignored). An empty type
    // tries bitmap, metafile, icon and JPEG in this order; an unknown type
    // takes nothing. An empty stream changes nothing; a stream that is not of
    // the type leaves the picture as it was. True when the picture was taken.
    bool LoadFromStream(const QString& typeName, const QByteArray& stream);
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
    // long"); empty when it decodes or is empty.
    QString DecodeError() const;
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

private:
    struct TDecodeCache;
    mutable std::shared_ptr<TDecodeCache> FCache;
};
