#include "engine/printing/PagePicture.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QPixmap>
#include <QRegion>

#include <variant>

namespace {

// The painter's state as it changed (only the fields of the dirty flags).
struct TStateChange {
    QPaintEngine::DirtyFlags Dirty;
    QPen Pen;
    QBrush Brush;
    QPointF BrushOrigin;
    QBrush Background;
    Qt::BGMode BackgroundMode = Qt::TransparentMode;
    QFont Font;
    QTransform Transform;
    Qt::ClipOperation ClipOperation = Qt::NoClip;
    QRegion ClipRegion;
    QPainterPath ClipPath;
    bool ClipEnabled = false;
    QPainter::RenderHints Hints;
    QPainter::CompositionMode Composition = QPainter::CompositionMode_SourceOver;
    qreal Opacity = 1;
};

struct TDrawPath {
    QPainterPath Path;
};
struct TDrawRects {
    std::vector<QRectF> Rects;
};
struct TDrawLines {
    std::vector<QLineF> Lines;
};
struct TDrawEllipse {
    QRectF Rect;
};
struct TDrawPoints {
    QPolygonF Points;
};
struct TDrawPolygon {
    QPolygonF Points;
    QPaintEngine::PolygonDrawMode Mode;
};
struct TDrawImage {
    QRectF Target, Source;
    QImage Image;
    Qt::ImageConversionFlags Flags;
};
struct TDrawPixmap {
    QRectF Target, Source;
    QPixmap Pixmap;
};
struct TDrawTiledPixmap {
    QRectF Target;
    QPixmap Pixmap;
    QPointF Offset;
};
struct TDrawText {
    QPointF Baseline;
    QString Text;
    QFont Font;  // as resolved on the recorder
};

}  // namespace

struct TPageCommand {
    std::variant<TStateChange, TDrawPath, TDrawRects, TDrawLines, TDrawEllipse, TDrawPoints, TDrawPolygon, TDrawImage,
                 TDrawPixmap, TDrawTiledPixmap, TDrawText>
        Op;
};

namespace {

// The resolution pages are recorded at: the one QPicture reports, so labels
// lay out their text as they would on a picture.
int RecordingDpi()
{
    static const int dpi = QPicture().logicalDpiY();
    return dpi;
}

}  // namespace

class TPageRecordingEngine : public QPaintEngine {
public:
    TPageRecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    std::vector<TPageCommand> Commands;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    // Callers treat the recorder as they treat a picture (raster operations
    // are recorded and combine when played back onto pixels).
    Type type() const override { return QPaintEngine::Picture; }

    void updateState(const QPaintEngineState& state) override
    {
        TStateChange s;
        s.Dirty = state.state();
        if (s.Dirty & DirtyPen)
            s.Pen = state.pen();
        if (s.Dirty & DirtyBrush)
            s.Brush = state.brush();
        if (s.Dirty & DirtyBrushOrigin)
            s.BrushOrigin = state.brushOrigin();
        if (s.Dirty & DirtyBackground)
            s.Background = state.backgroundBrush();
        if (s.Dirty & DirtyBackgroundMode)
            s.BackgroundMode = state.backgroundMode();
        if (s.Dirty & DirtyFont)
            s.Font = state.font();
        if (s.Dirty & DirtyTransform)
            s.Transform = state.transform();
        if (s.Dirty & (DirtyClipRegion | DirtyClipPath))
            s.ClipOperation = state.clipOperation();
        if (s.Dirty & DirtyClipRegion)
            s.ClipRegion = state.clipRegion();
        if (s.Dirty & DirtyClipPath)
            s.ClipPath = state.clipPath();
        if (s.Dirty & DirtyClipEnabled)
            s.ClipEnabled = state.isClipEnabled();
        if (s.Dirty & DirtyHints)
            s.Hints = state.renderHints();
        if (s.Dirty & DirtyCompositionMode)
            s.Composition = state.compositionMode();
        if (s.Dirty & DirtyOpacity)
            s.Opacity = state.opacity();
        Commands.push_back({std::move(s)});
    }

    void drawPath(const QPainterPath& path) override { Commands.push_back({TDrawPath{path}}); }
    void drawRects(const QRectF* rects, int count) override
    {
        Commands.push_back({TDrawRects{std::vector<QRectF>(rects, rects + count)}});
    }
    void drawRects(const QRect* rects, int count) override
    {
        std::vector<QRectF> all(rects, rects + count);
        Commands.push_back({TDrawRects{std::move(all)}});
    }
    void drawLines(const QLineF* lines, int count) override
    {
        Commands.push_back({TDrawLines{std::vector<QLineF>(lines, lines + count)}});
    }
    void drawLines(const QLine* lines, int count) override
    {
        std::vector<QLineF> all(lines, lines + count);
        Commands.push_back({TDrawLines{std::move(all)}});
    }
    void drawEllipse(const QRectF& r) override { Commands.push_back({TDrawEllipse{r}}); }
    void drawEllipse(const QRect& r) override { Commands.push_back({TDrawEllipse{QRectF(r)}}); }
    void drawPoints(const QPointF* points, int count) override
    {
        Commands.push_back({TDrawPoints{QPolygonF(QList<QPointF>(points, points + count))}});
    }
    void drawPoints(const QPoint* points, int count) override
    {
        QPolygonF all;
        all.reserve(count);
        for (int i = 0; i < count; ++i)
            all << QPointF(points[i]);
        Commands.push_back({TDrawPoints{std::move(all)}});
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        Commands.push_back({TDrawPolygon{QPolygonF(QList<QPointF>(points, points + count)), mode}});
    }
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override
    {
        QPolygonF all;
        all.reserve(count);
        for (int i = 0; i < count; ++i)
            all << QPointF(points[i]);
        Commands.push_back({TDrawPolygon{std::move(all), mode}});
    }
    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags flags) override
    {
        Commands.push_back({TDrawImage{r, sr, image, flags}});
    }
    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& sr) override
    {
        Commands.push_back({TDrawPixmap{r, sr, pixmap}});
    }
    void drawTiledPixmap(const QRectF& r, const QPixmap& pixmap, const QPointF& offset) override
    {
        Commands.push_back({TDrawTiledPixmap{r, pixmap, offset}});
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        // The painter draws underline and strike-out lines itself, as lines
        // of their own.
        QFont font = item.font();
        font.setUnderline(false);
        font.setOverline(false);
        font.setStrikeOut(false);
        Commands.push_back({TDrawText{p, item.text(), font}});
    }
};

// ---- Playing back -------------------------------------------------------------

namespace {

struct TPlayer {
    QPainter& p;
    QTransform base;
    qreal baseOpacity;
    int targetDpi;

    void operator()(const TStateChange& s) const
    {
        using E = QPaintEngine;
        if (s.Dirty & E::DirtyPen)
            p.setPen(s.Pen);
        if (s.Dirty & E::DirtyBrush)
            p.setBrush(s.Brush);
        if (s.Dirty & E::DirtyBrushOrigin)
            p.setBrushOrigin(s.BrushOrigin);
        if (s.Dirty & E::DirtyBackground)
            p.setBackground(s.Background);
        if (s.Dirty & E::DirtyBackgroundMode)
            p.setBackgroundMode(s.BackgroundMode);
        if (s.Dirty & E::DirtyFont)
            p.setFont(s.Font);
        if (s.Dirty & E::DirtyTransform)
            p.setWorldTransform(s.Transform * base);
        // A clip is given in the coordinates of the transformation that
        // comes with it, set just above. NoClip drops the clip for good: a
        // later "clip enabled" finds none to enable.
        if (s.Dirty & E::DirtyClipRegion)
            p.setClipRegion(s.ClipOperation == Qt::NoClip ? QRegion() : s.ClipRegion, s.ClipOperation);
        if (s.Dirty & E::DirtyClipPath)
            p.setClipPath(s.ClipOperation == Qt::NoClip ? QPainterPath() : s.ClipPath, s.ClipOperation);
        if (s.Dirty & E::DirtyClipEnabled)
            p.setClipping(s.ClipEnabled);
        if (s.Dirty & E::DirtyHints) {
            p.setRenderHints(p.renderHints(), false);
            p.setRenderHints(s.Hints, true);
        }
        if (s.Dirty & E::DirtyCompositionMode)
            p.setCompositionMode(s.Composition);
        if (s.Dirty & E::DirtyOpacity)
            p.setOpacity(s.Opacity * baseOpacity);
    }
    void operator()(const TDrawPath& d) const { p.drawPath(d.Path); }
    void operator()(const TDrawRects& d) const { p.drawRects(d.Rects.data(), int(d.Rects.size())); }
    void operator()(const TDrawLines& d) const { p.drawLines(d.Lines.data(), int(d.Lines.size())); }
    void operator()(const TDrawEllipse& d) const { p.drawEllipse(d.Rect); }
    void operator()(const TDrawPoints& d) const { p.drawPoints(d.Points); }
    void operator()(const TDrawPolygon& d) const
    {
        switch (d.Mode) {
        case QPaintEngine::PolylineMode: p.drawPolyline(d.Points); break;
        case QPaintEngine::ConvexMode: p.drawConvexPolygon(d.Points); break;
        case QPaintEngine::OddEvenMode: p.drawPolygon(d.Points, Qt::OddEvenFill); break;
        case QPaintEngine::WindingMode: p.drawPolygon(d.Points, Qt::WindingFill); break;
        }
    }
    void operator()(const TDrawImage& d) const { p.drawImage(d.Target, d.Image, d.Source, d.Flags); }
    void operator()(const TDrawPixmap& d) const { p.drawPixmap(d.Target, d.Pixmap, d.Source); }
    void operator()(const TDrawTiledPixmap& d) const { p.drawTiledPixmap(d.Target, d.Pixmap, d.Offset); }
    void operator()(const TDrawText& d) const
    {
        // The text keeps the size it had on the recorder, whatever the
        // resolution of the device played onto.
        QFont font = d.Font;
        if (font.pixelSize() <= 0 && targetDpi > 0 && targetDpi != RecordingDpi())
            font.setPointSizeF(font.pointSizeF() * RecordingDpi() / targetDpi);
        const QFont former = p.font();
        p.setFont(font);
        p.drawText(d.Baseline, d.Text);
        p.setFont(former);
    }
};

}  // namespace

TPagePicture::TPagePicture() = default;
TPagePicture::~TPagePicture() = default;
TPagePicture::TPagePicture(const TPagePicture&) = default;
TPagePicture& TPagePicture::operator=(const TPagePicture&) = default;

int TPagePicture::CommandCount() const
{
    return FCommands ? int(FCommands->size()) : 0;
}

void TPagePicture::Play(QPainter& painter) const
{
    if (!FCommands)
        return;
    painter.save();
    const TPlayer player{painter, painter.worldTransform(), painter.opacity(),
                         painter.device() ? painter.device()->logicalDpiY() : 0};
    for (const TPageCommand& c : *FCommands)
        std::visit(player, c.Op);
    painter.restore();
}

TPageRecorder::TPageRecorder(QSize size)
    : FSize(size), FEngine(std::make_unique<TPageRecordingEngine>())
{
}

TPageRecorder::~TPageRecorder() = default;

TPagePicture TPageRecorder::Picture() const
{
    TPagePicture picture;
    picture.FSize = FSize;
    picture.FCommands = std::make_shared<const std::vector<TPageCommand>>(FEngine->Commands);
    return picture;
}

QPaintEngine* TPageRecorder::paintEngine() const
{
    return FEngine.get();
}

int TPageRecorder::metric(PaintDeviceMetric metric) const
{
    const int dpi = RecordingDpi();
    switch (metric) {
    case PdmWidth: return FSize.width();
    case PdmHeight: return FSize.height();
    case PdmWidthMM: return qRound(FSize.width() * 25.4 / dpi);
    case PdmHeightMM: return qRound(FSize.height() * 25.4 / dpi);
    case PdmNumColors: return 16777216;
    case PdmDepth: return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return dpi;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    default: return 0;
    }
}
