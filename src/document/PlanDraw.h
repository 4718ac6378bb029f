// Painting helpers of the label objects: their pens, brushes and pen modes
// on a QPainter, and the pixel geometry of outlines.
//
// Pixel geometry. A shape spanning the pixel corners p1 and p2 covers the
// pixels from min(p1, p2) up to, but not including, max(p1, p2) (the fill
// area [l, r) x [t, b)), so a handle square centred on a corner sits on the
// shape's corner. A one-pixel outline lies on the outermost pixels of that
// area; wider outlines are centred on it, or kept inside it by the
// "inside frame" style. Lines run through the centres of their end pixels.
#pragma once

#include "document/PlanValues.h"

#include <QBrush>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <QRectF>

// The fill area of a shape between two pixel corners: [l, r) x [t, b).
QRect ShapeArea(QPoint p1, QPoint p2);

// The path an outline of the given pixel width is stroked along for a fill
// area (see above). Empty when the area has no width or height.
QRectF OutlinePath(const QRect& area, int penWidth, bool insideFrame);

// Offset that puts a stroke of the given width on whole pixels: 0.5 for odd
// widths, 0 for even ones.
double StrokeOffset(int penWidth);

// An object's outline pen: colour, pixel width (at least 1), style ordinal.
// A styled pen is geometric with square end caps; a plain one has round
// caps. Both join round. The clear style gives Qt::NoPen.
QPen PlanPen(const QColor& color, int width, int style, bool styled);

// An object's fill: the style ordinal in the brush colour, or the bitmap
// pattern when there is one. Hatches and bitmap patterns are defined in
// label points: their pixels grow by patternScale (the surface's pixels per
// point, at least 1) so a pattern looks alike on screen and on paper. That
// takes textures; without them (SVG) hatches stay 8 device pixels and a
// bitmap pattern becomes its average colour.
QBrush PlanBrush(const TPlanBrush& brush, int patternScale, bool textures = true);

// False for devices that cannot fill with a texture (SVG).
bool SupportsTextures(const QPainter& canvas);

// Integer pattern scale of a surface: round(pixels per point), at least 1.
int PatternScaleFor(double pixelsPerPoint);

// The 16 binary raster operations of the pen modes on 0x00RRGGBB colours
// (pen p, destination d).
uint32_t ApplyRop2(int penMode, uint32_t p, uint32_t d);

// Selects the pen mode for painting pen and brush (call before PlanBrush).
// On devices with raster operations (images, the screen) modes that combine
// with the destination become QPainter raster operations (and antialiasing
// is switched off, which they do not support); black, white, not-copy and
// no-op change the colours or hide pen and brush. Vector devices (SVG, PDF,
// printers) have no raster operations: there the mode is applied to white
// paper, so each of pen and brush is painted in the colour the operation
// gives on white, or not at all when that is white. Bitmap patterns keep
// their pixels.
void ApplyPenMode(QPainter& canvas, int penMode, QPen& pen, TPlanBrush& brush);

// True when the canvas's device combines colours with raster operations:
// pixel images, the screen and recorded pictures.
bool SupportsRasterOps(const QPainter& canvas);

// True when the pen mode combines pen and brush with what lies beneath.
bool PenModeCombines(int penMode);

class TLabelPlan;

// Vector devices (PDF, SVG, printers) cannot combine colours. When an object
// on a visible layer of the plan draws with a combining pen mode, the label is
// painted into an image at the device's resolution (white paper beneath) and
// that image is placed on the canvas, so the output looks like the screen.
// The image goes in losslessly (no JPEG), as one bit per pixel when the label
// is black and white only. Returns false, painting nothing, when the canvas combines colours itself or
// no object needs it; the caller paints as usual then.
bool PaintCombiningLabelAsImage(TLabelPlan& plan, QPainter& canvas);
