// Reading printed PDF files in tests: page count and pages as images through
// poppler-utils (pdfinfo, pdftoppm), and the barcodes of a sheet's label places.
#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

struct TSheetLayout;

namespace printtest {

// Pages of a PDF file by pdfinfo; -1 when it cannot be read.
int PdfPageCount(const QString& path);

// The pages rendered at dpi in grey (pdftoppm), or only the part of each
// page inside crop (pixels at dpi); empty when that fails.
QList<QImage> RenderPdfPages(const QString& path, int dpi, const QRect& crop = QRect());

// The barcode texts of labels first..last on one sheet, read in placement
// order from the label places of the layout (given at the image's
// resolution); an empty text where no symbol was read.
QStringList DecodeLabelPlaces(const QImage& sheet, const TSheetLayout& layout, qint64 first, qint64 last);

}  // namespace printtest
