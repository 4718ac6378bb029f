// TBarcode::DrawBarcode: the bars of the module pattern and the human-readable
// line, on any QPainter (bitmaps, printers, PDF, SVG, pictures).
#include "barcode/BarcodeDraw.h"

#include "barcode/Barcode.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

// Canvas coordinates are held well inside int so that widths and sums of them
// never overflow; nothing that far out can be seen on any device anyway.
constexpr double kCoordLimit = double(1 << 30);

int RoundToInt(double v)
{
    if (std::isnan(v))
        return 0;
    v = std::nearbyint(v);  // ties to even under the default rounding mode
    if (v > kCoordLimit)
        return int(kCoordLimit);
    if (v < -kCoordLimit)
        return -int(kCoordLimit);
    return int(v);
}

int ClampToInt(std::int64_t v)
{
    const auto limit = std::int64_t(kCoordLimit);
    return int(v > limit ? limit : v < -limit ? -limit : v);
}

// The angle reduced to [0, 360) degrees; a non-finite angle counts as 0.
double ReducedDegrees(double degrees)
{
    if (!std::isfinite(degrees))
        return 0.0;
    double r = std::fmod(degrees, 360.0);
    if (r < 0)
        r += 360.0;
    return r;
}

// Pattern elements whose bars are shortened for the digits under them
// (counting from 1), and where the digit group bounds are taken.
struct TDigitGroupElements {
    int firstShort;  // B0 is taken here
    int groupEnd;    // B1
    int groupStart;  // B2
    int lastShort;   // B3
};
constexpr TDigitGroupElements kEan13Groups{5, 28, 33, 56};
constexpr TDigitGroupElements kUpcAGroups{9, 28, 33, 52};

struct TTextItem {
    QString text;
    QPoint at;  // canvas point of the text's top-left reference
};

// One bar on the canvas: at right angles an exact pixel rectangle, else the
// turned rectangle as a polygon (rect is then its bounding box).
struct TBarShape {
    QRect rect;
    bool exact = true;
    std::array<QPointF, 4> corners;
};

// Everything DrawBarcode works out before it paints: building the pattern
// here first makes every failure happen while the canvas is untouched.
class TSymbolLayout {
public:
    TSymbolLayout(TBarcode& barcode, const QPaintDevice* device);

    template <class F>
    void ForEachBar(F&& paint) const;
    const std::array<TTextItem, 4>& Texts() const { return texts_; }
    int TextCount() const { return textCount_; }
    double TextRotation() const { return textRotation_; }
    const TBarcodeFontMetrics& Metrics() const { return metrics_; }
    QRect TextCell(const TTextItem& item) const;

private:
    // Calls bar(x, w, y0, y1) for every bar in the symbol frame, records the
    // digit group bounds and returns the symbol's width.
    template <class F>
    std::int64_t WalkPattern(F&& bar) const;
    TBarShape MapBar(std::int64_t x, int w, std::int64_t y0, std::int64_t y1) const;
    QPoint ToCanvas(double x, double y) const;
    void LayOutText();
    void AddText(const std::string& bytes, double x, double y);

    TBarcode& barcode_;
    const QPaintDevice* device_;
    std::string& pattern_;
    const TEncodedSymbol* library_ = nullptr;  // drawn from the library's rectangles
    int height_ = 0;                           // BarsHeight
    int width_ = 0;
    double radians_ = 0;
    double sin_ = 0;
    double cos_ = 1;
    bool rightAngle_ = true;
    double textRotation_ = 0;
    QPoint origin_;
    TBarcodeFontMetrics metrics_;
    int shortenBy_ = 0;
    const TDigitGroupElements* groups_ = nullptr;
    std::array<TTextItem, 4> texts_;
    int textCount_ = 0;
};

std::string& PatternBuffer()
{
    thread_local std::string pattern;
    return pattern;
}

TSymbolLayout::TSymbolLayout(TBarcode& barcode, const QPaintDevice* device)
    : barcode_(barcode), device_(device), pattern_(PatternBuffer())
{
    barcode_.BuildPattern(pattern_);
    library_ = barcode_.LibrarySymbol();
    height_ = barcode_.BarsHeight();
    if (barcode_.Typ() == bcCodeEAN13)
        groups_ = &kEan13Groups;
    else if (barcode_.Typ() == bcCodeUPC_A)
        groups_ = &kUpcAGroups;

    metrics_ = MeasureBarcodeFont(barcode_.ShowTextFont(), device_);
    shortenBy_ = groups_ ? RoundToInt(0.6 * metrics_.heightA) : 0;

    // Measures the pattern (ModuleInfo throws for a character outside the
    // alphabet) and records the digit group bounds.
    width_ = ClampToInt(WalkPattern([](std::int64_t, int, std::int64_t, std::int64_t) {}));

    const double degrees = ReducedDegrees(barcode_.Angle());
    radians_ = BarcodeAngleRadians(degrees);
    rightAngle_ = std::fmod(degrees, 90.0) == 0.0;
    if (rightAngle_) {
        const int quarter = int(degrees / 90.0);
        static const int kSin[4] = {0, 1, 0, -1};
        static const int kCos[4] = {1, 0, -1, 0};
        sin_ = kSin[quarter];
        cos_ = kCos[quarter];
    } else {
        sin_ = std::sin(radians_);
        cos_ = std::cos(radians_);
    }
    origin_ = RotatedOrigin(barcode_.Left(), barcode_.Top(), width_, height_, radians_);
    // Text turns like a font with an escapement in tenths of a degree.
    textRotation_ = std::nearbyint(degrees * 10.0) / 10.0;
    LayOutText();
}

template <class F>
std::int64_t TSymbolLayout::WalkPattern(F&& bar) const
{
    if (library_) {
        // Whole pixels: every module edge at a multiple of Modul. Across a
        // linear symbol the rows are shared out over the bar height.
        const double m = barcode_.ModuleWidth(0);
        const bool matrix = IsMatrixSymbology(barcode_.Typ());
        const double across = matrix ? m : (double(height_) + 1.0) / std::max(1e-3f, library_->Height);
        for (const TModuleRect& r : library_->Rects) {
            const std::int64_t x0 = std::llround(double(r.X) * m);
            const std::int64_t x1 = std::llround(double(r.X + r.W) * m);
            const std::int64_t y0 = std::llround(double(r.Y) * across);
            const std::int64_t y1 = std::llround(double(r.Y + r.H) * across) - 1;
            if (x1 > x0 && y1 >= y0)
                bar(x0, int(std::min<std::int64_t>(x1 - x0, 1 << 30)), y0, y1);
        }
        return std::llround(std::ceil(double(library_->Width) * m - 1e-6));
    }
    const bool postNet = barcode_.Typ() == bcCodePostNet;
    const std::int64_t height = barcode_.Height();
    std::int64_t x = 0;
    int i = 0;
    for (const char c : pattern_) {
        ++i;
        const TModuleInfo info = barcode_.ModuleInfo(c);
        const int w = info.width;
        if (groups_) {
            if (i == groups_->firstShort)
                barcode_.SetDigitGroupBound(0, ClampToInt(x));
            else if (i == groups_->groupEnd)
                barcode_.SetDigitGroupBound(1, ClampToInt(x + w - 1));
            else if (i == groups_->groupStart)
                barcode_.SetDigitGroupBound(2, ClampToInt(x));
            else if (i == groups_->lastShort)
                barcode_.SetDigitGroupBound(3, ClampToInt(x + w - 1));
        }
        // A zero-wide element has nothing to cover.
        if (info.kind != mkSpace && w > 0) {
            const std::int64_t h = info.kind == mkBar ? height : 2 * height / 5;
            std::int64_t y0 = 0;
            std::int64_t y1 = h;
            if (groups_ && ((i >= groups_->firstShort && i <= groups_->groupEnd) ||
                            (i >= groups_->groupStart && i <= groups_->lastShort)))
                y1 = h - shortenBy_;
            if (postNet) {
                // Short bars stand on the bottom line of the full ones.
                y0 = height - h;
                y1 = height;
            }
            if (y0 > y1)
                std::swap(y0, y1);
            bar(x, w, y0, y1);
        }
        x += w;
    }
    return x;
}

template <class F>
void TSymbolLayout::ForEachBar(F&& paint) const
{
    WalkPattern([&](std::int64_t x, int w, std::int64_t y0, std::int64_t y1) { paint(MapBar(x, w, y0, y1)); });
}

QPoint TSymbolLayout::ToCanvas(double x, double y) const
{
    return QPoint(ClampToInt(std::int64_t(origin_.x()) + RoundToInt(cos_ * x + sin_ * y)),
                  ClampToInt(std::int64_t(origin_.y()) + RoundToInt(-sin_ * x + cos_ * y)));
}

TBarShape TSymbolLayout::MapBar(std::int64_t x, int w, std::int64_t y0, std::int64_t y1) const
{
    TBarShape bar;
    const double left = double(x);
    const double right = double(x + w - 1);
    if (rightAngle_) {
        // The corners (x, y0), (x, y1), (x + w - 1, y1), (x + w - 1, y0) turned
        // onto the canvas; the bar covers every pixel between them, both ends
        // included.
        const QPoint a = ToCanvas(left, double(y0));
        const QPoint b = ToCanvas(right, double(y1));
        bar.rect = QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                         QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
        return bar;
    }
    // Any other angle: the area of those pixels, turned exactly. Pixel centres
    // sit at half coordinates, so at right angles this is the same rectangle.
    bar.exact = false;
    const double xs[4] = {left - 0.5, left - 0.5, right + 0.5, right + 0.5};
    const double ys[4] = {double(y0) - 0.5, double(y1) + 0.5, double(y1) + 0.5, double(y0) - 0.5};
    for (int k = 0; k < 4; ++k) {
        bar.corners[size_t(k)] = QPointF(origin_.x() + cos_ * xs[k] + sin_ * ys[k] + 0.5,
                                         origin_.y() - sin_ * xs[k] + cos_ * ys[k] + 0.5);
    }
    qreal minX = bar.corners[0].x(), maxX = minX, minY = bar.corners[0].y(), maxY = minY;
    for (const QPointF& p : bar.corners) {
        minX = std::min(minX, p.x());
        maxX = std::max(maxX, p.x());
        minY = std::min(minY, p.y());
        maxY = std::max(maxY, p.y());
    }
    bar.rect = QRectF(QPointF(minX, minY), QPointF(maxX, maxY)).toAlignedRect();
    return bar;
}

void TSymbolLayout::AddText(const std::string& bytes, double x, double y)
{
    texts_[size_t(textCount_)].text = BarcodeBytesToString(bytes);
    texts_[size_t(textCount_)].at = ToCanvas(x, y);
    ++textCount_;
}

void TSymbolLayout::LayOutText()
{
    const TBarcodeOption show = barcode_.ShowText();
    if (show == bcoNone)
        return;
    const QFontMetrics fm(barcode_.ShowTextFont(), device_);
    const double height = height_;
    if (groups_) {
        // The digits sit under the shortened bars whatever ShowText and
        // ShowTextPosition say: the first left of the symbol, the middle
        // groups centred between their bounds, UPC-A's last right of it.
        const std::vector<std::string> groups = barcode_.ShownDigitGroups();
        const double y = height - std::nearbyint(metrics_.heightA / 2.0);
        const int groupWidth = fm.horizontalAdvance(groups_ == &kEan13Groups ? QStringLiteral("123456")
                                                                              : QStringLiteral("12345"));
        auto centred = [&](int from, int to) {
            const double b0 = barcode_.DigitGroupBound(from);
            const double b1 = barcode_.DigitGroupBound(to);
            return std::max(b0, b0 + std::nearbyint((b1 - b0 - groupWidth) / 2.0));
        };
        AddText(groups.at(0), -double(metrics_.widthA) - 2, y);
        AddText(groups.at(1), centred(0, 1), y);
        AddText(groups.at(2), centred(2, 3), y);
        if (groups.size() > 3)
            AddText(groups.at(3), double(width_) + 2, y);
        return;
    }
    if (show == bcoCode || show == bcoBoth) {
        const std::string shown = barcode_.ShownText();
        const int textWidth = fm.horizontalAdvance(BarcodeBytesToString(shown));
        std::int64_t d = 0;
        switch (barcode_.ShowTextPosition()) {
        case stpTopRight:
        case stpBottomRight: d = std::int64_t(width_) - textWidth; break;
        case stpTopCenter:
        case stpBottomCenter: d = (std::int64_t(width_) - textWidth) / 2; break;
        default: d = 0; break;
        }
        // Top and bottom alike: the line is always under the bars.
        AddText(shown, double(d), height + std::nearbyint(metrics_.fontHeight / 5.0));
    }
    if (show == bcoTyp || show == bcoBoth) {
        // The symbology name stands above the symbol's unturned position.
        TTextItem& item = texts_[size_t(textCount_++)];
        item.text = barcode_.SymbologyName();
        item.at = QPoint(barcode_.Left(),
                         ClampToInt(std::int64_t(barcode_.Top()) - RoundToInt(2.5 * metrics_.fontHeight)));
    }
}

QRect TSymbolLayout::TextCell(const TTextItem& item) const
{
    const QFontMetrics fm(barcode_.ShowTextFont(), device_);
    QRectF cell(0, 0, fm.horizontalAdvance(item.text), metrics_.heightA);
    cell |= QRectF(fm.boundingRect(item.text)).translated(0, metrics_.ascent);
    QTransform t;
    t.translate(item.at.x(), item.at.y());
    t.rotate(-textRotation_);
    return t.mapRect(cell).toAlignedRect();
}

}  // namespace

double BarcodeAngleRadians(double degrees)
{
    if (!std::isfinite(degrees))
        return 0.0;
    return double((long double)degrees / 180.0L * kPi);
}

QPoint RotateVector(int x, int y, double a)
{
    const double s = std::sin(a);
    const double c = std::cos(a);
    return QPoint(RoundToInt(c * x + s * y), RoundToInt(-s * x + c * y));
}

QPoint RotatedOrigin(int left, int top, int w, int h, double a)
{
    const double s = std::sin(a);
    const double c = std::cos(a);
    std::int64_t dx = 0;
    std::int64_t dy = 0;
    if (s >= 0 && c >= 0) {
        dy = RoundToInt(w * s);
    } else if (s >= 0) {
        dx = -RoundToInt(w * c);
        dy = RoundToInt(w * s - h * c);
    } else if (c >= 0) {
        dx = -RoundToInt(h * s);
    } else {
        dx = -std::int64_t(RoundToInt(w * c)) - RoundToInt(h * s);
        dy = -RoundToInt(h * c);
    }
    return QPoint(ClampToInt(left + dx), ClampToInt(top + dy));
}

TBarcodeFontMetrics MeasureBarcodeFont(const QFont& font, const QPaintDevice* device)
{
    const QFontMetrics fm(font, device);
    TBarcodeFontMetrics m;
    m.widthA = fm.horizontalAdvance(QLatin1Char('A'));
    m.heightA = fm.height();
    m.ascent = fm.ascent();
    if (font.pixelSize() > 0) {
        m.fontHeight = font.pixelSize();
    } else {
        const int dpi = device ? device->logicalDpiY() : 96;
        m.fontHeight = RoundToInt(font.pointSizeF() * dpi / 72.0);
    }
    return m;
}

QRect BarcodePaintedRect(TBarcode& barcode, const QPaintDevice* device)
{
    const TSymbolLayout layout(barcode, device);
    QRect bounds;
    layout.ForEachBar([&](const TBarShape& bar) { bounds |= bar.rect; });
    for (int i = 0; i < layout.TextCount(); ++i)
        bounds |= layout.TextCell(layout.Texts()[size_t(i)]);
    return bounds;
}

void TBarcode::DrawBarcode(QPainter& canvas)
{
    const TSymbolLayout layout(*this, canvas.device());
    if (!canvas.isActive())
        return;

    struct TRestore {
        QPainter& canvas;
        ~TRestore() { canvas.restore(); }
    };
    canvas.save();
    const TRestore restore{canvas};
    canvas.setRenderHint(QPainter::Antialiasing, false);
    if (canvas.compositionMode() != QPainter::CompositionMode_SourceOver)
        canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    canvas.setOpacity(1.0);
    canvas.setPen(QPen(Qt::black, 1));
    canvas.setBrush(QBrush(Qt::black, Qt::SolidPattern));
    canvas.setFont(ShowTextFont());
    canvas.setBackgroundMode(Qt::TransparentMode);

    // Bars: filled shapes without outline, so that vector devices get exactly
    // the covered area and bitmaps exactly the covered pixels. Right-angled
    // bars go out in one call (one group in an SVG file).
    thread_local std::vector<QRect> rects;
    rects.clear();
    canvas.setPen(Qt::NoPen);
    layout.ForEachBar([&](const TBarShape& bar) {
        if (bar.exact)
            rects.push_back(bar.rect);
        else
            canvas.drawConvexPolygon(bar.corners.data(), 4);
    });
    if (!rects.empty())
        canvas.drawRects(rects.data(), int(rects.size()));

    if (layout.TextCount() > 0) {
        canvas.setPen(QPen(Qt::black, 1));
        const QTransform base = canvas.worldTransform();
        const int ascent = layout.Metrics().ascent;
        for (int i = 0; i < layout.TextCount(); ++i) {
            const TTextItem& item = layout.Texts()[size_t(i)];
            if (item.text.isEmpty())
                continue;
            canvas.setWorldTransform(base);
            canvas.translate(item.at);
            if (layout.TextRotation() != 0.0)
                canvas.rotate(-layout.TextRotation());
            canvas.drawText(QPoint(0, ascent), item.text);
        }
    }
}

QImage RenderBarcodeImage(TBarcode& barcode, int margin)
{
    constexpr int kMaxSide = 32000;
    margin = std::clamp(margin, 0, kMaxSide);
    // Any image of this format measures fonts alike.
    const QImage probe(1, 1, QImage::Format_Grayscale8);
    barcode.SetLeft(0);
    barcode.SetTop(0);
    const QRect painted = BarcodePaintedRect(barcode, &probe);
    const std::int64_t w = std::int64_t(painted.width()) + 2 * margin;
    const std::int64_t h = std::int64_t(painted.height()) + 2 * margin;
    if (w > kMaxSide || h > kMaxSide)
        return QImage();
    QImage image(int(w), int(h), QImage::Format_Grayscale8);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    barcode.SetLeft(margin - painted.left());
    barcode.SetTop(margin - painted.top());
    QPainter painter(&image);
    barcode.DrawBarcode(painter);
    return image;
}
