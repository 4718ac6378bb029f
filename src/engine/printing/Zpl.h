// ZPL II, the language of Zebra label printers and the many that emulate it:
// a page made 1-bit at the printer's resolution and sent as one compressed
// graphic field per label format (^XA ... ^XZ).
#pragma once

#include "engine/printing/PrinterProfile.h"

#include <QByteArray>

class QImage;

// A 1-bit picture as ZPL sends it: rows of BytesPerRow bytes, the first
// dot in the high bit, a set bit a dot burnt (black).
struct TMonoBitmap {
    int Width = 0;
    int Height = 0;
    int BytesPerRow = 0;
    QByteArray Bits;
};

// The page made 1-bit: a dot is black where the page is darker than half
// grey. A fixed threshold, never dithering: bars drawn on whole dots stay
// exactly those dots, and text keeps clean edges.
TMonoBitmap ToMonoBitmap(const QImage& page);

// "^GFA,b,b,r,data": the bitmap in ZPL's compressed hex form (runs of one
// digit as counts G..Y and g..z, "," for a row ending in white, "!" for a row
// ending in black, ":" for a row equal to the one before).
QByteArray ZplGraphicField(const TMonoBitmap& bitmap);

// Sent once before the first label: darkness (~SD) when the settings give one.
QByteArray ZplJobHeader(const TZplSettings& settings);

// One label format: print width and label length from the bitmap, media
// (^MN), speed (^PR), the page as a graphic field at the home position,
// copies (^PQ).
QByteArray ZplLabelFormat(const TMonoBitmap& bitmap, const TZplSettings& settings, int copies);
