// The preview's page rendering: one sheet recorded as vector drawing in
// points (1/72 inch) into a page picture, laid out as the print job lays out
// its sheets, so the preview window can show it at any zoom.
#pragma once

#include "engine/printing/PagePicture.h"
#include "engine/printing/PrinterProfile.h"

#include <functional>

#include <QSize>

#include <cstdint>

class TDatasheet;
class TLabelPlan;

struct TPreviewPage {
    TPagePicture Picture;     // the sheet; its bounding rectangle is the paper
    QSize PaperSize;          // points
    bool Rendered = false;    // false for a page number outside 1..page count
    int Painted = 0;          // labels painted
    int Skipped = 0;          // places left empty for an invalid code
    int BeyondLabel = 0;      // of those, for a barcode that does not fit on the label
    int64_t AbortedAt = 0;    // label whose invalid code stopped the page (0: none)
    bool Stopped = false;     // progress asked to stop: the labels before it are shown
};

// Pages the preview offers: the pages of the run, at least 1 (an empty sheet
// when there are no labels).
int PreviewPageCount(const TLabelPlan& plan, const TDatasheet& datasheet);

// The paper in points: the current printer's sheet at the document's PntDPI,
// or without a printer the document's paper (A4 is 595 x 842), turned for
// landscape.
QSize PreviewPaperSize(const TLabelPlan& plan);

// Renders page p (from 1) of the run: the labels n x (p - 1) + 1 up to the
// smaller of p x n and the run's total, each filled from its row, with cut
// marks, painted with the surface one pixel per point and RenderingOutput set.
// invalidCodeProcess 0 leaves a label with an invalid barcode value empty;
// any other value reports the error through reportError (when given) and
// renders no further label. The surface is restored and shows the
// datasheet's current row afterwards. progress, when given, is told after
// each label how many of the page's labels are done; returning false stops.
// The labels sit where the printer with the given profile puts them (its
// calibration), as the print job places them.
TPreviewPage RenderPreviewPage(TLabelPlan& plan, const TDatasheet& datasheet, int page, int invalidCodeProcess,
                               const std::function<void(const QString&)>& reportError = {},
                               const std::function<bool(int64_t done, int64_t total)>& progress = {},
                               const TPrinterProfile& profile = TPrinterProfile());
