#include "PdfSupport.h"

#include "barcode/bcchksum.h"
#include "common/BarcodeScan.h"
#include "engine/datasheet/Datasheet.h"
#include "engine/printing/SheetLayout.h"

#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace printtest {

void FillNameCodeRows(TDatasheet& data, int n, std::initializer_list<int> invalid)
{
    TAdvStringGrid& g = data.StrGrid_Data;
    g.SetColCount(3);
    g.SetRowCount(n + 1);
    g.SetCell(1, 0, u"Name");
    g.SetCell(2, 0, u"Code");
    for (int r = 1; r <= n; ++r) {
        g.SetCell(1, r, QStringLiteral("Name %1").arg(r));
        const QString code = QStringLiteral("4006381%1").arg(r, 5, 10, QLatin1Char('0'));
        g.SetCell(2, r, QString(code + QLatin1Char(Modulo10CheckDigit(code.toStdString()))));
    }
    for (int r : invalid)
        g.SetCell(2, r, u"12A45");
    data.BuildPrintGrid();
}

int PdfPageCount(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return -1;
    const QString info = QString::fromUtf8(p.readAllStandardOutput());
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"),
                                                         QRegularExpression::MultilineOption)
                                          .match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QList<QImage> RenderPdfPages(const QString& path, int dpi, const QRect& crop)
{
    QList<QImage> pages;
    QTemporaryDir dir;
    QStringList args{QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"), QStringLiteral("-png")};
    if (crop.isValid()) {
        args << QStringLiteral("-x") << QString::number(crop.x()) << QStringLiteral("-y") << QString::number(crop.y())
             << QStringLiteral("-W") << QString::number(crop.width()) << QStringLiteral("-H")
             << QString::number(crop.height());
    }
    args << path << dir.filePath(QStringLiteral("page"));
    // Whole sheets at printer resolutions exceed Qt's default image size limit.
    QImageReader::setAllocationLimit(2048);
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), args);
    if (!p.waitForFinished(300000) || p.exitCode() != 0)
        return pages;
    // pdftoppm numbers the pages with as many digits as the last one needs.
    const QStringList files = QDir(dir.path()).entryList({QStringLiteral("page-*.png")}, QDir::Files, QDir::Name);
    for (const QString& f : files)
        pages << QImage(dir.filePath(f));
    return pages;
}

QStringList DecodeLabelPlaces(const QImage& sheet, const TSheetLayout& layout, qint64 first, qint64 last)
{
    QStringList texts;
    testsupport::ScanOptions options;
    options.tryRotate = false;
    for (qint64 k = first; k <= last; ++k) {
        const QPoint origin = layout.LabelOrigin(k);
        const QImage place = sheet.copy(QRect(origin, QSize(layout.Lw, layout.Lh)));
        const testsupport::ScanResult r = testsupport::DecodeImage(place, options);
        texts << (r.found ? r.text : QString());
    }
    return texts;
}

}  // namespace printtest
