// The calibration sheet: a page that shows how a printer shifts and scales
// what it prints. Crosshair A sits 20 mm right of and below the sheet's
// corner, B and C one span further along x and along y, one more crosshair
// marks the page's centre; millimetre rulers run along the top and left
// edges. The user measures where A landed and how far B and C are from it;
// CalibrationFromMeasurement turns that into the printer's offset and scale.
//
// The sheet is drawn in canvas coordinates as the labels are, and never with
// a calibration: it measures the printer as it is.
#pragma once

#include <QDate>
#include <QPointF>
#include <QSize>
#include <QString>

class QPainter;

// Crosshair A, millimetres from the sheet's corner along x and y.
constexpr double kCalibrationAMm = 20.0;

// The distance from A to B and to C: 100 mm, or 50 or 25 mm on a page too
// small for it (a label roll), so that B and C stay on the page.
double CalibrationSpanMm(QSizeF pageMm);

// What the sheet tells besides its marks.
struct TCalibrationSheetText {
    QString PrinterName;
    QDate Date;
};

// Draws the sheet for a page of pageDots device dots at dpi dots per inch.
// Positions are whole dots: a mark at p millimetres has its centre on dot
// Round(p / 25.4 x dpi).
void DrawCalibrationSheet(QPainter& canvas, QSize pageDots, int dpi, const TCalibrationSheetText& text);

// What the user measured on a printed sheet, in millimetres: A from the
// sheet's corner, and the distances A to B and A to C.
struct TCalibrationMeasurement {
    QPointF A{kCalibrationAMm, kCalibrationAMm};
    double AB = 100.0;
    double AC = 100.0;
};

// The offset (mm) and scale (%) that put the sheet's positions where they are
// designed on a printer that printed the sheet (with the given span) as
// measured. False, leaving the results alone, when a distance is not above 0
// or the result lies beyond what a profile holds (offsets +-50 mm, scales
// 50..150 %).
bool CalibrationFromMeasurement(const TCalibrationMeasurement& measured, double spanMm, QPointF& offsetMm,
                                QPointF& scalePercent);

// Prints the sheet on the current printer of Printer(), one page without
// calibration. Throws EPrinterError when the printer cannot take it.
void PrintCalibrationSheet(const QDate& date);
