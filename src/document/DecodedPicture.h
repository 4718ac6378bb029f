// A picture decoded for drawing: a raster image (bitmap, icon, JPEG) or a
// vector drawing (a metafile, held as SVG). It is made once per picture
// stream and shared by every copy of that picture; for raster targets it
// keeps the last few sizes it was drawn at, so repainting a label blits
// ready pixels instead of scaling or rendering again.
//
// Label files come from anywhere: the decoders and metafile converters run
// in a guarded child process with memory and time limits, and what comes
// back is checked (pixels of an allowed size; SVG through SanitizeSvg).
// Decoded and scaled pixels of all pictures together stay within
// MemoryBudget().
#pragma once

#include "barcode/Outcome.h"
#include "document/PictureData.h"

#include <QImage>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>
#include <vector>

class QPainter;
class QSvgRenderer;

class TDecodedPicture;
// A decoded picture, or why the stream did not decode in a few words ("not a
// readable bitmap", "took too long").
using TPictureOutcome = TOutcome<std::shared_ptr<const TDecodedPicture>>;

class TDecodedPicture {
public:
    // Refused when the stream does not decode as that kind. What the headers
    // show is refused before any decoder runs: pictures larger than the
    // limits, pixels the memory budget has no room for, metafiles that are
    // not well formed.
    static TPictureOutcome Decode(TPictureKind kind, const QByteArray& bytes);
    ~TDecodedPicture();

    // The work of decoding a stream, from its headers alone (nothing is
    // decoded): a raster picture's pixels; for a metafile, the pixels of
    // its bitmaps, which the converter encodes and the drawing decodes
    // again, times kMetafileImageWork, plus kMetafileRecordWork per record.
    // -1 when the headers are not sound.
    static qint64 DeclaredWork(TPictureKind kind, const QByteArray& bytes);
    static constexpr qint64 kMetafileImageWork = 4;
    static constexpr qint64 kMetafileRecordWork = 16;

    // Why the picture is drawn only in part ("run-length data reaches past
    // the bitmap's edge"); empty when it decoded whole.
    QString Warning() const { return FWarning; }

    TPictureKind Kind() const { return FKind; }
    // Pixels; a metafile's frame at 96 pixels per inch.
    QSize NaturalSize() const { return FNatural; }
    // The decoded pixels (null for a metafile, or when pixels that were let
    // go cannot be decoded again).
    QImage Image() const;
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

    // Longest a picture may take to decode, and the memory its decoder may
    // use beyond this process's.
    static constexpr int kDecodeTimeMs = 5000;
    static constexpr qint64 kDecoderMemory = qint64(1) << 30;
    // Decoded pixels of all pictures together, in bytes: pictures past it do
    // not decode. Scaled copies are kept while they use at most half of it.
    static constexpr qint64 kDefaultMemoryBudget = qint64(512) << 20;
    static qint64 MemoryBudget();
    static void SetMemoryBudget(qint64 bytes);
    // Bytes of pixels held by decoded pictures now.
    static qint64 MemoryInUse();

    // Pictures of more pixels than this keep only their scaled copy once
    // drawn smaller; the full pixels are decoded again when needed.
    static constexpr qint64 kKeepFullPixels = 4'000'000;

    // Number of scaled copies kept per picture.
    static constexpr int kScaledCacheSize = 4;
    // Targets larger than this (pixels) are drawn directly instead of cached.
    static constexpr qint64 kMaxCachedPixels = 25'000'000;

    struct TOutput;

private:
    friend class TPictureDecodeJob;
    TDecodedPicture() = default;
    static TPictureOutcome Make(TPictureKind kind, const QByteArray& bytes, TOutput&& out);
    QImage Source(bool colourKey) const;
    // The full pixels, decoded again when they were let go; false when
    // that fails.
    bool EnsureFull() const;
    void ReleaseFull() const;
    QImage MakeRendered(QSize size, bool mirrorX, bool mirrorY, bool colourKey) const;
    void DrawDirect(QPainter& canvas, const QRect& target, bool mirrorX, bool mirrorY, bool colourKey) const;

    struct TScaled {
        QSize Size;
        bool MirrorX;
        bool MirrorY;
        bool ColourKey;
        QImage Image;
    };

    // Counts bytes in the budget when the total stays within limit.
    bool Charge(qint64 bytes, qint64 limit) const;

    TPictureKind FKind = TPictureKind::None;
    mutable qint64 FCharged = 0;     // bytes of FImage, FKeyed and FScaled counted in the budget
    mutable qint64 FImageCharge = 0;  // of which FImage's
    QByteArray FBytes;               // the stream, for decoding again (raster pictures)
    QSize FNatural;
    QString FWarning;
    mutable QImage FImage;
    std::unique_ptr<QSvgRenderer> FSvg;
    mutable QImage FKeyed;                 // FImage without its top-left colour
    mutable std::vector<TScaled> FScaled;  // most recently used first
};

// A picture decoded while the event loop goes on: the decoder's child runs
// and what it sends is taken as it arrives, so windows stay responsive.
// Finished is emitted from the event loop once the picture is decoded or
// found unreadable, with the same result TDecodedPicture::Decode gives.
class TPictureDecodeJob : public QObject {
    Q_OBJECT
public:
    TPictureDecodeJob(TPictureKind kind, const QByteArray& bytes, QObject* parent = nullptr);
    ~TPictureDecodeJob() override;

    // Starts the decoder (a stream its headers rule out ends at once).
    void Start();
    // Takes the rest of the decoder's output now, waiting for it.
    void Wait();
    bool IsDone() const { return FDone; }
    // Null when the picture does not decode; Error() says why.
    const TPictureOutcome& Outcome() const { return FOutcome; }

Q_SIGNALS:
    void Finished();

private:
    struct TRun;
    void Pump(bool wait);
    void Complete(TDecodedPicture::TOutput&& out);

    TPictureKind FKind;
    QByteArray FBytes;
    std::unique_ptr<TRun> FRun;
    bool FDone = false;
    TPictureOutcome FOutcome{TRefusal{}};  // until done
};
