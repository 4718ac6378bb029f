// A picture decoded for drawing: a raster image (bitmap, icon, JPEG) or a
// vector drawing (an enhanced metafile, held as SVG). It is made once per
// picture stream and shared by every copy of that picture; for raster
// targets it keeps the last few sizes it was drawn at, so repainting a label
// blits ready pixels instead of scaling or rendering again.
#pragma once

#include "document/PictureData.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <memory>
#include <vector>

class QPainter;
class QSvgRenderer;

class TDecodedPicture {
public:
    // Null when the stream does not decode as that kind.
    static std::shared_ptr<const TDecodedPicture> Decode(TPictureKind kind, const QByteArray& bytes);
    ~TDecodedPicture();

    TPictureKind Kind() const { return FKind; }
    // Pixels; a metafile's frame at 96 pixels per inch.
    QSize NaturalSize() const { return FNatural; }
    // The decoded pixels (null for a metafile).
    const QImage& Image() const { return FImage; }
    bool IsVector() const { return FSvg != nullptr; }

    // Draws the picture stretched onto target (its pixels left() ..
    // left() + width() - 1), mirrored as asked. colourKey: leave out the
    // colour of the top-left pixel (bitmaps). Raster targets drawn without
    // rotation or scaling get a cached copy made for that size; other targets
    // (PDF, SVG, printers, transformed painters) get the full-resolution
    // image or the vectors.
    void Draw(QPainter& canvas, const QRect& target, bool mirrorX, bool mirrorY, bool colourKey) const;
    // The picture as drawn at that size (ARGB32 premultiplied), from the cache
    // when it was made before.
    QImage Rendered(QSize size, bool mirrorX, bool mirrorY, bool colourKey) const;

    // Number of scaled copies kept per picture.
    static constexpr int kScaledCacheSize = 4;
    // Targets larger than this (pixels) are drawn directly instead of cached.
    static constexpr qint64 kMaxCachedPixels = 25'000'000;

private:
    TDecodedPicture() = default;
    const QImage& Source(bool colourKey) const;
    QImage MakeRendered(QSize size, bool mirrorX, bool mirrorY, bool colourKey) const;
    void DrawDirect(QPainter& canvas, const QRect& target, bool mirrorX, bool mirrorY, bool colourKey) const;

    struct TScaled {
        QSize Size;
        bool MirrorX;
        bool MirrorY;
        bool ColourKey;
        QImage Image;
    };

    TPictureKind FKind = TPictureKind::None;
    QSize FNatural;
    QImage FImage;
    std::unique_ptr<QSvgRenderer> FSvg;
    mutable QImage FKeyed;                 // FImage without its top-left colour
    mutable std::vector<TScaled> FScaled;  // most recently used first
};
