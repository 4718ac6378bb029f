// A picture as label files carry it: the graphic's own file stream (a bitmap,
// icon, metafile or JPEG file) and its kind. The bytes are kept exactly as
// read, so a label opened and saved again carries the same picture data.
#pragma once

#include <QByteArray>
#include <QString>

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
    // .ico, .emf/.wmf, .jpg/.jpeg). Only regular files up to 256 MB are read.
    // The picture is emptied first; false when nothing was loaded.
    bool LoadFromFile(const QString& path);

    bool operator==(const TPlanPictureData& o) const
    {
        return Kind == o.Kind && Bytes == o.Bytes && Transparent == o.Transparent;
    }
};
