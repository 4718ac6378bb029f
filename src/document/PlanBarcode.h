// TPlanBarcode: the label object that shows a barcode. Its box is the
// rectangle of its corners in plan units; the symbol it owns (Barcode) is
// measured in pixels of the document's output resolution PntDPI whatever the
// view shows: Height, Left and Top are pixels at PntDPI, Modul is dots of
// ModulDpi drawn as the same width at PntDPI.
//
// Drawing (Draw) takes the document's state:
// - Printing set and RenderingOutput clear (the print job): the bars go
//   straight onto the canvas through DrawDirect, so every bar is a whole
//   number of Modul-wide pixels. The canvas must be in PntDPI pixels: size the
//   surface ScaleX / 72 * PntDPI by ScaleY / 72 * PntDPI and paint with a
//   painter whose transform moves by whole pixels only.
// - Otherwise (design surface, preview): the symbol is rendered at PntDPI into
//   RenderBitmap and shown stretched to the view size with white transparent.
//   On a pixel device painted 1:1 the bitmap is scaled down smoothly first
//   (ScreenBitmap); on other devices (pictures, PDF, printers, scaling
//   painters) the full-resolution bitmap goes into the box rectangle.
// Every drawing fits the box to the symbol along its length (or centres the
// symbol with AutoCenter) and takes the bar height from the box.
//
// Modul is dots of the resolution ModulDpi: drawn at PntDPI the module keeps
// its physical width, Modul * PntDPI / ModulDpi dots to the nearest whole dot
// (at least one), so a label prints alike on every printer.
//
// A code the symbology cannot encode never throws out of Draw: the design
// surface shows a crossed-out box with the reason, output draws nothing, and
// LastDrawError() tells the caller either way. Bars that reach beyond the
// label are drawn cut off; the design surface marks the object, and output
// asks CheckFit() first.
#pragma once

#include "barcode/Barcode.h"
#include "document/DataOrigin.h"
#include "document/RectObject.h"

#include <QDateTime>
#include <QImage>
#include <QSizeF>

#include <cstdint>
#include <string>

class QPaintDevice;

// The clock date/time codes read; the local time unless a test sets another.
using TBarcodeClock = QDateTime (*)();
void SetBarcodeClock(TBarcodeClock clock);  // nullptr: back to the local time

class TPlanBarcode : public TRectObject {
public:
    // Takes the document's DefaultBarcodeType; Modul is 0.34 mm and the bar
    // height 15 mm at PntDPI (4 and 177 pixels at 300 dpi); the text is shown
    // under the bars in "Verdana" of 6 points.
    explicit TPlanBarcode(TLabelPlan* plan);

    TBarcode Barcode;               // the symbol; Height, Left, Top in pixels at PntDPI, Modul at ModulDpi
    TPlanFont Font;                 // human-readable text in design terms
    QString DataValue;              // the code text
    QString DataExpression;         // column name (origin 1) or function name (origin 2)
    uint8_t DataOrigin = doConstant;
    bool AutoCenter = false;        // centre the symbol in the box instead of fitting the box
    // The resolution Modul is set for (dots per inch), stored as "ModulDPI".
    // A plan without it means the resolution of the printer it opens with.
    int ModulDpi = 0;
    QImage RenderBitmap;            // the symbol at PntDPI, black on white (last bitmap drawing)
    QImage ScreenBitmap;            // RenderBitmap at view size, white transparent

    // Modul in dots of a resolution (the nearest whole dot, at least one),
    // and Modul set in dots of one (1 to 49; other values are ignored).
    int ModulAt(int dpi) const;
    void SetModulAt(int modul, int dpi);
    // After a plan is read and its printer known: a Modul read without its
    // resolution takes the printer's.
    void ResolveModulDpi();

    // Store the value when it differs, invalidating before and after.
    void SetDataValue(const QString& value);
    void SetDataExpression(const QString& expression);

    // The size handed to the text font: round(Font.Size * PntDPI / 72). Like
    // every font size of the label it is meant for 96 pixels per inch, so the
    // text is drawn round(size * 96 / 72) pixels high.
    int ShowTextFontSize() const;

    // Readies Barcode for a drawing: the text font, the date/time value of
    // origin 2 (compact for digits-only symbologies), Text from DataValue and,
    // at right angles, the bar height from the box: the box extent across the
    // bars in PntDPI pixels less k text heights of "A" (k = 0.5 for EAN-13 and
    // UPC-A, 1.3 otherwise), never below 0. Draw calls it first.
    void PrepareSymbol();

    // The symbol as Barcode stands (after PrepareSymbol) on a white bitmap of
    // round(2.2 a) + Width by Height + round(k t) pixels (turned for 90 and 270
    // degrees; a = width, t = height of "A"), the bars' origin set by the
    // angle. Throws BarcodeError for a code that does not encode or a bitmap
    // too large to hold.
    void RenderToBitmap(QImage& bitmap);
    // The symbol straight onto the canvas, the bitmap's top-left corner at
    // (x, y) in canvas pixels. Throws BarcodeError like DrawBarcode.
    void DrawDirect(QPainter& canvas, int x, int y);

    // Why the last drawing showed no symbol (the component's message); empty
    // when it drew one.
    const QString& LastDrawError() const { return FLastDrawError; }

    // Whether output can print the symbol whole as it stands on the surface
    // (its size, PntDPI, the box as the next drawing fits it): its code must
    // encode and its bars lie on the label. An object that is not drawn fits.
    // Readies the symbol like Draw; the box is left as it is.
    enum class TFit { Fits, InvalidCode, BeyondLabel };
    TFit CheckFit();

    QString GetTypeName() const override;
    // The corners, then the symbol, font and data fields.
    void StoreProperties() override;
    TLabelObject* Duplicate(TLabelObject* parent) override;
    void Draw(QPainter& canvas) override;
    void LoadProperties() override;

private:
    // Size of the rendered symbol and where its bars start in it.
    struct TSymbolFrame {
        QSize size;
        QPoint origin;
        int width = 0;  // of the bars, along them
    };
    // The symbol laid out on the view: its size there, the box corner that
    // follows it and whether that corner moves.
    struct TPlacement {
        TSymbolFrame frame;
        QSizeF exact;
        int w = 0, h = 0;
        QPoint fitted;
        bool moves = false;
    };
    // Draws with Modul (and, at other angles than right ones, the bar
    // height) in dots of PntDPI for its lifetime.
    class TOutputScale;
    // Measures (and with `render` renders) the prepared symbol and lays it
    // out; the failure message, or empty.
    QString PlaceSymbol(TPlacement& place, bool render);
    // Where the symbol goes in the box (centred with AutoCenter).
    QPoint SymbolAt(const QRect& box, const TPlacement& place) const;
    bool BarsBeyondLabel(const TPlacement& place, QPoint at) const;
    void DrawBeyondLabel(QPainter& canvas, const QRect& box) const;
    // Builds the pattern and lays the symbol out for `device`; the failure
    // message, or nullptr.
    const char* MeasureSymbol(const QPaintDevice* device, TSymbolFrame& frame);
    int OutputDpi() const;
    // RenderBitmap for the current symbol, rendered again only when what it
    // shows changed; the failure message, or empty.
    QString UpdateRenderBitmap();
    // w x h: the size on a pixel device painted 1:1; exact: the unrounded size.
    void DrawBitmap(QPainter& canvas, int x, int y, int w, int h, QSizeF exact);
    void DrawInvalidCode(QPainter& canvas, QPoint p1, QPoint p2) const;

    QString FLastDrawError;
    bool FOutputScaled = false;  // a TOutputScale is active
    bool FModulDpiRead = false;  // ModulDpi came from the properties
    // What RenderBitmap shows, to skip rendering it again.
    struct TRenderKey {
        std::string text;
        int typ = -1, modul = 0, height = 0, showText = 0, position = 0, dpi = 0;
        double ratio = 0, angle = 0;
        bool checksum = false;
        TSymbolOptions options;
        QFont font;
        bool operator==(const TRenderKey& o) const;
    };
    TRenderKey FRenderKey;
    bool FRenderValid = false;
    QImage FRenderAlpha;      // RenderBitmap white transparent, made when needed
    QSize FScreenSize;        // what ScreenBitmap was made for
    bool FScreenValid = false;
};
