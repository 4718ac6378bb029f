#include "document/PlanDraw.h"

#include "document/LabelObject.h"
#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/PlanLayer.h"

#include <QHash>
#include <QImage>
#include <QPaintEngine>
#include <QTransform>

#include <algorithm>
#include <cmath>

QRect ShapeArea(QPoint p1, QPoint p2)
{
    const int l = std::min(p1.x(), p2.x()), r = std::max(p1.x(), p2.x());
    const int t = std::min(p1.y(), p2.y()), b = std::max(p1.y(), p2.y());
    return QRect(l, t, r - l, b - t);
}

double StrokeOffset(int penWidth)
{
    return (std::max(1, penWidth) % 2) ? 0.5 : 0.0;
}

QRectF OutlinePath(const QRect& area, int penWidth, bool insideFrame)
{
    if (area.width() <= 0 || area.height() <= 0)
        return QRectF();
    const int w = std::max(1, penWidth);
    const double inset = insideFrame ? w / 2.0 : StrokeOffset(w);
    const double width = std::max(0.0, area.width() - 2 * inset);
    const double height = std::max(0.0, area.height() - 2 * inset);
    return QRectF(area.left() + inset, area.top() + inset, width, height);
}

QPen PlanPen(const QColor& color, int width, int style, bool styled)
{
    if (style == psClear)
        return QPen(Qt::NoPen);
    const int w = std::max(1, width);
    if (styled)
        return CreateStyledPen(w, style, color);
    return QPen(QBrush(color), w, PenStyleToQt(style), Qt::RoundCap, Qt::RoundJoin);
}

int PatternScaleFor(double pixelsPerPoint)
{
    if (!std::isfinite(pixelsPerPoint))
        return 1;
    return std::clamp(Round(pixelsPerPoint), 1, 1000);
}

namespace {

// Decoded bitmap patterns by their file bytes and scale. Labels use few
// patterns; the cache (one a thread) is emptied when it grows past a handful.
QImage PatternImage(const QByteArray& bytes, int scale)
{
    thread_local QHash<QByteArray, QList<QPair<int, QImage>>> cache;
    QList<QPair<int, QImage>>& entries = cache[bytes];
    for (const auto& e : entries)
        if (e.first == scale)
            return e.second;
    if (cache.size() > 16) {
        cache.clear();
        return PatternImage(bytes, scale);
    }
    QImage image = QImage::fromData(bytes, "BMP");
    if (!image.isNull()) {
        image = image.convertToFormat(QImage::Format_RGB32);
        if (scale > 1 && image.width() <= 4096 / scale && image.height() <= 4096 / scale)
            image = image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    entries.append({scale, image});
    return image;
}

Qt::BrushStyle HatchStyle(int style)
{
    switch (style) {
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
    }
}

// A hatch as a texture of 8 x 8 pattern pixels, each scale x scale device
// pixels, transparent between the lines; the last few are kept.
QImage HatchTexture(Qt::BrushStyle style, const QColor& color, int scale)
{
    struct Entry {
        Qt::BrushStyle style;
        QRgb color;
        int scale;
        QImage image;
    };
    thread_local QList<Entry> recent;
    for (const Entry& e : recent)
        if (e.style == style && e.color == color.rgba() && e.scale == scale)
            return e.image;
    QImage base(8, 8, QImage::Format_ARGB32_Premultiplied);
    base.fill(Qt::transparent);
    {
        QPainter p(&base);
        p.fillRect(base.rect(), QBrush(color, style));
    }
    const QImage image = base.scaled(8 * scale, 8 * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (recent.size() >= 16)
        recent.removeFirst();
    recent.append({style, color.rgba(), scale, image});
    return image;
}

}  // namespace

QBrush PlanBrush(const TPlanBrush& brush, int patternScale, bool textures)
{
    const int scale = std::clamp(patternScale, 1, 256);
    if (!brush.Bitmap.isEmpty()) {
        const QImage image = PatternImage(brush.Bitmap, textures ? scale : 1);
        if (!image.isNull()) {
            if (textures)
                return QBrush(image);
            // The pattern's average colour, where textures cannot be painted.
            return QBrush(image.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixelColor(0, 0));
        }
    }
    if (brush.Style == bsClear)
        return QBrush(Qt::NoBrush);
    const QColor color = ColorToQColor(brush.Color);
    const Qt::BrushStyle style = HatchStyle(brush.Style);
    // Qt's hatches are 8 device pixels; a coarser surface gets them as a
    // texture of the same lines, scaled.
    if (style != Qt::SolidPattern && scale > 1 && textures)
        return QBrush(HatchTexture(style, color, scale));
    return QBrush(color, style);
}

uint32_t ApplyRop2(int penMode, uint32_t p, uint32_t d)
{
    constexpr uint32_t kMask = 0xFFFFFF;
    p &= kMask;
    d &= kMask;
    uint32_t r = d;
    switch (penMode) {
    case pmBlack: r = 0; break;
    case pmWhite: r = kMask; break;
    case pmNop: r = d; break;
    case pmNot: r = ~d; break;
    case pmCopy: r = p; break;
    case pmNotCopy: r = ~p; break;
    case pmMergePenNot: r = p | ~d; break;
    case pmMaskPenNot: r = p & ~d; break;
    case pmMergeNotPen: r = ~p | d; break;
    case pmMaskNotPen: r = ~p & d; break;
    case pmMerge: r = p | d; break;
    case pmNotMerge: r = ~(p | d); break;
    case pmMask: r = p & d; break;
    case pmNotMask: r = ~(p & d); break;
    case pmXor: r = p ^ d; break;
    case pmNotXor: r = ~(p ^ d); break;
    default: r = p; break;
    }
    return r & kMask;
}

bool SupportsTextures(const QPainter& canvas)
{
    const QPaintEngine* engine = canvas.paintEngine();
    return !engine || engine->type() != QPaintEngine::SVG;
}

bool SupportsRasterOps(const QPainter& canvas)
{
    // The vector engines (SVG, PDF) claim the feature but ignore the modes;
    // only pixel images and the picture recorder (played back onto them)
    // really combine.
    const QPaintEngine* engine = canvas.paintEngine();
    if (!engine || !engine->hasFeature(QPaintEngine::RasterOpModes))
        return false;
    return engine->type() == QPaintEngine::Raster || engine->type() == QPaintEngine::Picture;
}

bool PenModeCombines(int penMode)
{
    return penMode == pmNot || (penMode >= pmMergePenNot && penMode <= pmNotXor);
}

namespace {

// The image as one bit per pixel (0 black, 1 white) when it holds no other
// colour; else the image itself.
QImage BlackAndWhiteAsBits(const QImage& image)
{
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] != black && line[x] != white)
                return image;
        }
    }
    return image.convertToFormat(QImage::Format_Mono, QList<QRgb>{black, white}, Qt::ThresholdDither);
}

}  // namespace

bool PaintCombiningLabelAsImage(TLabelPlan& plan, QPainter& canvas)
{
    if (!canvas.isActive() || SupportsRasterOps(canvas))
        return false;
    bool needed = false;
    for (int l = 0; l < plan.Layers().Count() && !needed; ++l) {
        const TPlanLayer* layer = plan.Layers().Item(l);
        if (!layer->Visible())
            continue;
        for (const TLabelObject* o : layer->Objects()) {
            if (o->Visible && PenModeCombines(o->Pen.Mode)) {
                needed = true;
                break;
            }
        }
    }
    const QSize size = plan.ViewSize();
    if (!needed || size.isEmpty())
        return false;
    // A very large label at a high resolution is rendered more coarsely
    // rather than taking gigabytes.
    constexpr double kMaxPixels = 64e6;
    const double pixels = double(size.width()) * double(size.height());
    const double scale = pixels > kMaxPixels ? std::sqrt(kMaxPixels / pixels) : 1.0;
    QImage image(std::max(1, int(std::ceil(size.width() * scale))), std::max(1, int(std::ceil(size.height() * scale))),
                 QImage::Format_RGB32);
    if (image.isNull())
        return false;
    image.fill(Qt::white);
    // Fonts are sized on the device they draw on: the image takes the canvas's resolution.
    if (const QPaintDevice* device = canvas.device()) {
        image.setDotsPerMeterX(int(std::lround(device->logicalDpiX() / 0.0254)));
        image.setDotsPerMeterY(int(std::lround(device->logicalDpiY() / 0.0254)));
    }
    {
        QPainter p(&image);
        if (scale < 1.0)
            p.scale(scale, scale);
        plan.PaintTo(p);
    }
    canvas.save();
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // Bars and text need exact edges: a PDF would otherwise get a JPEG.
    canvas.setRenderHint(QPainter::LosslessImageRendering);
    canvas.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), BlackAndWhiteAsBits(image));
    canvas.restore();
    return true;
}

namespace {

uint32_t Rgb(const QColor& c)
{
    return (uint32_t(c.red()) << 16) | (uint32_t(c.green()) << 8) | uint32_t(c.blue());
}

QColor FromRgb(uint32_t v)
{
    return QColor(int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF));
}

bool CombinesWithDestination(int mode)
{
    return PenModeCombines(mode);
}

QPainter::CompositionMode RasterOp(int mode)
{
    switch (mode) {
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

// The colour of pen or brush for modes that fix it without the destination.
void MapFixedColor(int mode, QColor& color)
{
    if (mode == pmBlack)
        color = Qt::black;
    else if (mode == pmWhite)
        color = Qt::white;
    else if (mode == pmNotCopy)
        color = FromRgb(~Rgb(color));
}

void HideBrush(TPlanBrush& brush)
{
    brush.Style = bsClear;
    brush.Bitmap.clear();
}

}  // namespace

void ApplyPenMode(QPainter& canvas, int penMode, QPen& pen, TPlanBrush& brush)
{
    if (penMode == pmCopy || penMode < 0 || penMode > pmNotXor)
        return;
    if (penMode == pmNop) {
        pen = QPen(Qt::NoPen);
        HideBrush(brush);
        return;
    }
    // Bitmap patterns keep their pixels; only the combination applies.
    const bool coloured = brush.Bitmap.isEmpty() && brush.Style != bsClear;
    if (!CombinesWithDestination(penMode)) {
        QColor c = pen.color();
        MapFixedColor(penMode, c);
        pen.setColor(c);
        if (coloured) {
            QColor b = ColorToQColor(brush.Color);
            MapFixedColor(penMode, b);
            brush.Color = QColorToColor(b);
        }
        return;
    }
    if (SupportsRasterOps(canvas)) {
        canvas.setRenderHint(QPainter::Antialiasing, false);
        canvas.setCompositionMode(RasterOp(penMode));
        return;
    }
    // Vector device: the result on white paper.
    constexpr uint32_t kWhite = 0xFFFFFF;
    if (pen.style() != Qt::NoPen) {
        const uint32_t r = ApplyRop2(penMode, Rgb(pen.color()), kWhite);
        if (r == kWhite)
            pen = QPen(Qt::NoPen);
        else
            pen.setColor(FromRgb(r));
    }
    if (coloured) {
        const uint32_t r = ApplyRop2(penMode, Rgb(ColorToQColor(brush.Color)), kWhite);
        if (r == kWhite)
            HideBrush(brush);
        else
            brush.Color = QColorToColor(FromRgb(r));
    }
}
