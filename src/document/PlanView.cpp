// The view side of TLabelPlan: painting, view size, repaint requests and zoom.
#include "document/PlanView.h"

#include "document/LabelObject.h"
#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/PlanDraw.h"

#include <QPainter>
#include <QPolygon>
#include <QRegion>

#include <algorithm>

// ----- Window-free rules ----------------------------------------------------

bool CanZoomIn(QSize size)
{
    return size.width() <= 1000 && size.height() <= 700;
}

bool CanZoomOut(QSize size)
{
    return size.width() >= 150 && size.height() >= 100;
}

QSize ZoomedIn(QSize size)
{
    return QSize(Round(size.width() * 1.3), Round(size.height() * 1.3));
}

QSize ZoomedOut(QSize size)
{
    return QSize(Round(size.width() / 1.3), Round(size.height() / 1.3));
}

int ZoomPercentOf(int width, int scaleX)
{
    if (scaleX <= 0)
        return 100;
    const double factor = std::nearbyint(double(width) / scaleX * 100.0) / 100.0;
    return Round(factor * 100.0);
}

namespace {

// A rectangle with corners rounded by an ellipse of diameter x diameter,
// clamped to the rectangle's sides.
QPainterPath RoundedRectPath(const QRectF& rect, double diameter)
{
    QPainterPath path;
    if (diameter <= 0) {
        path.addRect(rect);
        return path;
    }
    const double rx = std::min(diameter, rect.width()) / 2.0;
    const double ry = std::min(diameter, rect.height()) / 2.0;
    path.addRoundedRect(rect, rx, ry);
    return path;
}

}  // namespace

QPainterPath LabelShape(QSize size, int cornerPixels)
{
    return RoundedRectPath(QRectF(0, 0, size.width(), size.height()), cornerPixels);
}

// ----- TLabelPlan: appearance, size ------------------------------------------

void TLabelPlan::ApplyMainWindowAppearance()
{
    Color = clWhite;
    BorderStyle = bsNone;
    SelectColor = clBlack;
    SelectFillColor = clBlack;
    InvalidatePlan();
}

void TLabelPlan::SetScaleX(int value)
{
    if (value > 0)
        ScaleX = value;
    Resize();
}

void TLabelPlan::SetScaleY(int value)
{
    if (value > 0)
        ScaleY = value;
    Resize();
}

void TLabelPlan::SetViewSize(int w, int h)
{
    constexpr int kMaxView = (1 << 24) - 1;
    FViewSize = QSize(std::clamp(w, 0, kMaxView), std::clamp(h, 0, kMaxView));
    Resize();
}

void TLabelPlan::Resize()
{
    if (FDestroying)
        return;
    if (!Printing)
        Q_EMIT Resized();
    for (int l = 0; l < FLayers.Count(); ++l) {
        // Rescaling never changes the list; a copy keeps that true anyway.
        const QList<TLabelObject*> objects = FLayers.Item(l)->Objects();
        for (TLabelObject* o : objects)
            o->Rescale();
    }
    InvalidatePlan();
}

QPainterPath TLabelPlan::Shape() const
{
    return LabelShape(FViewSize, PlanToPixelX(LabCR));
}

// ----- Painting ------------------------------------------------------------

void TLabelPlan::InvalidateRect(const QRect& rect)
{
    if (FDestroying || FUpdateCount > 0 || Printing || rect.isEmpty())
        return;
    Q_EMIT RepaintRequested(rect);
}

void TLabelPlan::InvalidatePlan()
{
    if (FDestroying || FUpdateCount > 0 || Printing)
        return;
    Q_EMIT RepaintRequested(QRect());
}

namespace {

// Restores the painter also when an object's drawing throws.
class TPainterState {
public:
    explicit TPainterState(QPainter& p) : FPainter(p) { FPainter.save(); }
    ~TPainterState() { FPainter.restore(); }
    TPainterState(const TPainterState&) = delete;
    TPainterState& operator=(const TPainterState&) = delete;

private:
    QPainter& FPainter;
};

}  // namespace

void TLabelPlan::PaintTo(QPainter& canvas)
{
    if (FDestroying || FUpdateCount > 0)
        return;
    // Combining pen modes on a device that cannot combine: through an image.
    if (PaintCombiningLabelAsImage(*this, canvas))
        return;
    TPainterState state(canvas);
    canvas.setFont(Font.ToQFont(std::abs(PlanToPixelX(Font.Height()))));
    canvas.setRenderHint(QPainter::Antialiasing, false);

    // The label: its rounded shape filled with Color, outlined with Pen only
    // when it has a border.
    const int r = PlanToPixelX(LabCR);
    const QBrush fill(ColorToQColor(Color));
    if (BorderStyle == bsNone || Pen.Style == psClear) {
        // On a page known to be blank a white label paints nothing (and its
        // fill would cost the most of a simple label's painting).
        if (!(Printing && OnBlankPage) || fill.color() != Qt::white)
            canvas.fillPath(LabelShape(FViewSize, r), fill);
    } else {
        const int w = std::max(1, Pen.Width);
        const double o = w / 2.0;  // the outline stays inside the label
        QPen pen(QBrush(ColorToQColor(Pen.Color)), w, PenStyleToQt(Pen.Style), Qt::SquareCap, Qt::MiterJoin);
        canvas.setPen(pen);
        canvas.setBrush(fill);
        canvas.drawPath(RoundedRectPath(QRectF(o, o, ViewWidth() - 2 * o, ViewHeight() - 2 * o), r - w));
    }

    // The layers in their order, the active one last, so it is always on top.
    canvas.setPen(Qt::NoPen);
    canvas.setBrush(Qt::NoBrush);
    for (int l = 0; l < FLayers.Count(); ++l) {
        TPlanLayer* layer = FLayers.Item(l);
        if (layer != FActiveLayer && layer->Visible())
            layer->Draw(canvas);
    }
    if (FActiveLayer && FActiveLayer->Visible())
        FActiveLayer->Draw(canvas);
}

void TLabelPlan::PaintOnScreen(QPainter& painter)
{
    FPaintingOnScreen = !Printing;
    try {
        PaintTo(painter);
    } catch (...) {
        // An object that cannot draw itself (a barcode whose text does not
        // encode) must not take the window down; what was painted stays.
    }
    FPaintingOnScreen = false;
}

// ----- Zoom -------------------------------------------------------------------

bool TLabelPlan::CanZoomIn() const
{
    return ::CanZoomIn(FViewSize);
}

bool TLabelPlan::CanZoomOut() const
{
    return ::CanZoomOut(FViewSize);
}

bool TLabelPlan::ZoomIn()
{
    if (!CanZoomIn())
        return false;
    const QSize next = ZoomedIn(FViewSize);
    SetViewSize(next.width(), next.height());
    return true;
}

bool TLabelPlan::ZoomOut()
{
    if (!CanZoomOut())
        return false;
    const QSize next = ZoomedOut(FViewSize);
    SetViewSize(next.width(), next.height());
    return true;
}

void TLabelPlan::ActualSize()
{
    SetViewSize(ScaleX, ScaleY);
}

int TLabelPlan::ZoomPercent() const
{
    return ZoomPercentOf(ViewWidth(), ScaleX);
}
