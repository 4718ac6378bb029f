// The design surface as output uses it: sized to one label at the output
// resolution, hidden, flagged Printing (and RenderingOutput for the preview),
// and painted label by label onto a printer canvas or a page picture.
#pragma once

#include <QPoint>
#include <QSize>

class QPainter;
class TLabelPlan;

// Prepares the surface for output for the guard's lifetime: hides it, sets
// Printing (and RenderingOutput when asked) and sizes it to the label. The
// destructor gives the surface its former size, clears both flags and shows
// it again when it was shown before.
class TOutputSurface {
public:
    TOutputSurface(TLabelPlan& plan, QSize labelSize, bool renderingOutput);
    ~TOutputSurface();
    TOutputSurface(const TOutputSurface&) = delete;
    TOutputSurface& operator=(const TOutputSurface&) = delete;

private:
    TLabelPlan& FPlan;
    QSize FFormerSize;
    bool FWasHidden;
};

// Paints the label with its top-left corner at origin, clipped to the
// surface's size: the surface paints itself as it does on screen, with the
// canvas moved. The painter's state is kept.
void PaintLabelAt(TLabelPlan& plan, QPainter& canvas, QPoint origin);
