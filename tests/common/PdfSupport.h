// Print tests' common ground: data rows for the sample sheet, reading printed
// PDF files (page count and pages as images through poppler-utils' pdfinfo and
// pdftoppm), and the barcodes of a sheet's label places.
#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <initializer_list>

struct TSheetLayout;
class TDatasheet;

namespace printtest {

// n data rows under the columns "Name" ("Name k") and "Code" (a valid EAN-13
// each); the rows listed get the invalid code "12A45". Builds the print grid.
void FillNameCodeRows(TDatasheet& data, int n, std::initializer_list<int> invalid = {});

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
