// The document as output uses it: laid out for one label at the output
// resolution (so bars fall on whole device dots), flagged Printing (and
// RenderingOutput for the preview), and painted label by label onto a printer
// canvas or a page picture. While Printing is set the plan tells no surface
// to resize or repaint, so the window showing it does not move.
#pragma once

#include <QPoint>
#include <QSize>

class QPainter;
class TLabelPlan;

// Prepares the document for output for the guard's lifetime: sets Printing
// (and RenderingOutput when asked) and sizes its view to the label. The
// destructor gives the view its former size, clears both flags and asks for
// a repaint.
class TOutputSurface {
public:
    TOutputSurface(TLabelPlan& plan, QSize labelSize, bool renderingOutput);
    ~TOutputSurface();
    TOutputSurface(const TOutputSurface&) = delete;
    TOutputSurface& operator=(const TOutputSurface&) = delete;

private:
    TLabelPlan& FPlan;
    QSize FFormerSize;
};

// Paints the label with its top-left corner at origin, clipped to the view
// size: the plan paints itself as it does on screen, with the canvas moved. The painter's state is kept.
void PaintLabelAt(TLabelPlan& plan, QPainter& canvas, QPoint origin);
