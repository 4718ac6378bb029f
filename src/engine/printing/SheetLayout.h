// Sheet layout of a print run: how many labels and pages, which labels a page
// range covers, where label k sits on its sheet, and its cut marks. Pure
// arithmetic over the document's layout parameters; the print job and the
// preview both place labels with it.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

#include <array>
#include <cstdint>

class TLabelPlan;
class TDatasheet;

// Labels of a run, labels per sheet and sheets.
struct TSheetCounts {
    int Total = 0;         // labels of the run
    int64_t PerPage = 0;   // rows x columns; below 1 when the layout has no places
    int Pages = 0;         // 1 when PerPage is below 1, else Total / PerPage rounded up
};

// LabelCount 1 or more: that many labels; otherwise one per data row of the
// print grid (its row count without the header row, never below 0).
int LabelTotal(int labelCount, int printGridRowCount);
TSheetCounts SheetCounts(int total, int rows, int cols);
// The counts of the document as it stands: its LabelCount and layout, and the
// datasheet's print grid.
TSheetCounts SheetCounts(const TLabelPlan& plan, const TDatasheet& datasheet);

// A label's place in the sheet's grid, counted from 0.
struct TLabelCell {
    int Row = 0;
    int Col = 0;
    bool operator==(const TLabelCell& o) const { return Row == o.Row && Col == o.Col; }
};

// Row and column of label k (counted from 1 within the run) on a sheet of
// rows x cols places filled in the given output order (a TOutputOrder ordinal;
// values outside 0..7 fill like ooLtRb). The layout must have places
// (rows and cols of at least 1).
TLabelCell LabelCell(int order, int rows, int cols, int64_t k);

// Device lengths, nearest with ties to even: centimetres and plan units
// (points) to pixels at dpi.
int CentimetresToPixels(double cm, int dpi);
int PointsToPixels(double points, int dpi);

// The sheet in device pixels: label size, margins, gaps and page size.
struct TSheetLayout {
    int Rows = 0, Cols = 0;
    int Order = 0;              // TOutputOrder ordinal as stored
    int Lw = 0, Lh = 0;         // label
    int ML = 0, MT = 0, MR = 0, MB = 0;  // margins
    int HG = 0, VG = 0;         // gaps between columns / rows
    int PW = 0, PH = 0;         // physical page
    // A printer's calibration: every position on the sheet scaled by
    // ScaleX/ScaleY from the page's corner, then moved by Offset (dots).
    // Labels keep their size, so bars stay whole dots.
    QPoint Offset;
    double ScaleX = 1.0, ScaleY = 1.0;

    bool HasPlaces() const { return Rows >= 1 && Cols >= 1; }
    int64_t PerPage() const { return HasPlaces() ? int64_t(Rows) * Cols : 0; }
    TLabelCell Cell(int64_t k) const { return LabelCell(Order, Rows, Cols, k); }
    // Top-left corner of label k on its sheet (canvas coordinates). Positions
    // far beyond any sheet are held at +-2^24 pixels.
    QPoint LabelOrigin(int64_t k) const;
    // The eight cut marks of a label whose corner is at origin, each as the
    // 1-pixel-wide rectangle of the 4 pixels it covers: top and bottom marks
    // at x = X and x = X + Lw, left and right marks at y = Y and y = Y + Lh.
    std::array<QRect, 8> CutMarks(QPoint origin) const;
    // A sheet position with the calibration applied.
    QPoint Calibrated(int64_t x, int64_t y) const;
};

// The document's layout at dpi on a page of the given size in pixels.
TSheetLayout SheetLayoutOf(const TLabelPlan& plan, int dpi, QSize page);

// Sets a printer's calibration on a layout at dpi: the offset in millimetres
// (right and down) rounded to whole dots, the scale in percent.
void SetCalibration(TSheetLayout& layout, QPointF offsetMm, QPointF scalePercent, int dpi);

// Roll media: a paper of the document's own (kPaperCustom) exactly one
// label plus the margins big, portrait, holding 1 x 1 labels. The paper's
// width and length in tenths of a millimetre for a label of the given size
// in points and margins in centimetres.
QSize RollPaperTenths(int labelWidthPt, int labelHeightPt, double left, double top, double right, double bottom);
// Makes the document's paper roll media: one label a page, 1 x 1, the
// margins kept.
void SetRollPaper(TLabelPlan& plan);
// Whether the document's stored paper and layout are roll media (within a
// tenth of a millimetre, as a printer's dots may round the paper).
bool IsRollPaper(const TLabelPlan& plan);

// Checks a typed page range against the page count: from at least 1, neither
// number above pages, to not below from.
bool ValidPageRange(int from, int to, int pages);

// Labels (numbers from 1) that pages from..to cover: the first label of page
// from up to the last label of page to, or to the run's last label when to is
// the last page. Empty (First > Last) when nothing is to print.
struct TLabelSpan {
    int64_t First = 1;
    int64_t Last = 0;
    bool IsEmpty() const { return First > Last; }
};
TLabelSpan LabelsOfPages(int from, int to, const TSheetCounts& counts);
