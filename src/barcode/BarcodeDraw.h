// Drawing a TBarcode: the geometry helpers behind TBarcode::DrawBarcode and
// the measurements its callers size their canvases with.
//
// All coordinates are pixels of the canvas (the painter's logical coordinates).
// A symbol drawn at an angle of 0 has its bars' top-left corner at (Left, Top);
// a bar of width w at symbol x covers columns Left + x .. Left + x + w - 1 and
// rows Top .. Top + Height, both ends included. At 90, 180 and 270 degrees the
// corners of every bar are turned with RotateVector and placed relative to
// RotatedOrigin, so bars stay pixel-exact. Other angles paint each bar as its
// exactly turned rectangle.
//
// Callers hand over ShowTextFont already sized for the canvas, best with a
// pixel size (a point size is turned into pixels by the device's resolution,
// the same way for measuring and painting). For a bitmap: measure with
// MeasureBarcodeFont(font, &image), size and fill the image, set Left/Top,
// paint with a QPainter on it. For a printer: the same on the printer's
// painter in its device pixels; bars keep exact Modul-multiple widths as long
// as the painter's transform moves by whole pixels only.
#pragma once

#include <QPoint>
#include <QRect>

class QFont;
class QImage;
class QPaintDevice;
class QString;
class TBarcode;

// Angle in degrees (counter-clockwise on screen) to radians. A non-finite
// angle counts as 0.
double BarcodeAngleRadians(double degrees);

// (round(cos a * x + sin a * y), round(-sin a * x + cos a * y)), rounding to
// nearest with ties to even.
QPoint RotateVector(int x, int y, double a);

// Where the symbol point (0, 0) lies on the canvas so that the turned
// w x h box has its top-left corner at (left, top).
QPoint RotatedOrigin(int left, int top, int w, int h, double a);

// Text measurements of the human-readable line, taken with `font` for
// `device` (the painter's device: font sizes in points follow its resolution).
struct TBarcodeFontMetrics {
    int widthA = 0;      // text width of "A"
    int heightA = 0;     // text height of "A" (the font's line height)
    int fontHeight = 0;  // the font's height in pixels (its em size)
    int ascent = 0;
};
TBarcodeFontMetrics MeasureBarcodeFont(const QFont& font, const QPaintDevice* device);

// Smallest rectangle holding everything DrawBarcode paints with the current
// properties on `device`: the bars and the cells of the human-readable text.
// Builds the pattern like DrawBarcode (throws BarcodeError the same way).
QRect BarcodePaintedRect(TBarcode& barcode, const QPaintDevice* device);

// The symbol drawn through DrawBarcode onto a white 8-bit grey image just large
// enough for BarcodePaintedRect and a margin of `margin` pixels on every side
// (Left and Top are set to place it there). Throws BarcodeError like
// DrawBarcode; returns a null image when the result would be wider or higher
// than 32000 pixels.
QImage RenderBarcodeImage(TBarcode& barcode, int margin);
