#include "engine/printing/CalibrationSheet.h"

#include "document/MGraph.h"
#include "document/Printer.h"
#include "document/Tr.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

int Dot(double mm, int dpi)
{
    return Round(mm / 25.4 * dpi);
}

// Lines a whole odd number of dots wide, so a mark has a single centre dot.
int LineDots(int dpi)
{
    return std::max(1, Round(0.2 / 25.4 * dpi) | 1);
}

// A vertical or horizontal line centred on a dot: from a to b (inclusive)
// along its length.
void VLine(QPainter& canvas, int x, int y1, int y2, int width)
{
    canvas.fillRect(QRect(x - width / 2, y1, width, y2 - y1 + 1), Qt::black);
}

void HLine(QPainter& canvas, int y, int x1, int x2, int width)
{
    canvas.fillRect(QRect(x1, y - width / 2, x2 - x1 + 1, width), Qt::black);
}

// A crosshair with arms of 8 mm, a circle of 5 mm radius and its letter
// above right.
void Crosshair(QPainter& canvas, QPoint centre, int dpi, const QString& name)
{
    const int arm = Dot(8, dpi), w = LineDots(dpi);
    VLine(canvas, centre.x(), centre.y() - arm, centre.y() + arm, w);
    HLine(canvas, centre.y(), centre.x() - arm, centre.x() + arm, w);
    const int r = Dot(5, dpi);
    canvas.setPen(QPen(Qt::black, w));
    canvas.setBrush(Qt::NoBrush);
    canvas.drawEllipse(centre, r, r);
    canvas.drawText(QPoint(centre.x() + Dot(6, dpi), centre.y() - Dot(6, dpi)), name);
}

}  // namespace

double CalibrationSpanMm(QSizeF pageMm)
{
    const double room = std::min(pageMm.width(), pageMm.height()) - kCalibrationAMm - 10.0;
    for (double span : {100.0, 50.0})
        if (room >= span)
            return span;
    return 25.0;
}

void DrawCalibrationSheet(QPainter& canvas, QSize pageDots, int dpi, const TCalibrationSheetText& text)
{
    dpi = UsableDpi(dpi);
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setRenderHint(QPainter::TextAntialiasing, true);
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(std::max(6, Dot(3, dpi)));
    canvas.setFont(font);
    canvas.setPen(Qt::black);
    const QSizeF pageMm(pageDots.width() * 25.4 / dpi, pageDots.height() * 25.4 / dpi);

    // Rulers: a tick every millimetre (2 mm long), longer every 5 (4 mm) and
    // every 10 (6 mm), numbered every 10 right of the tick, below its end.
    const int tick = dpi >= 600 ? 3 : 1;
    font.setPixelSize(std::max(6, Dot(2.2, dpi)));
    canvas.setFont(font);
    for (int mm = 0; mm <= int(pageMm.width()); ++mm) {
        const int length = Dot(mm % 10 == 0 ? 6 : mm % 5 == 0 ? 4 : 2, dpi);
        const int x = Dot(mm, dpi);
        VLine(canvas, x, 0, length - 1, tick);
        if (mm % 10 == 0 && mm > 0)
            canvas.drawText(QPoint(x + Dot(0.5, dpi), Dot(8.5, dpi)), QString::number(mm));
    }
    for (int mm = 0; mm <= int(pageMm.height()); ++mm) {
        const int length = Dot(mm % 10 == 0 ? 6 : mm % 5 == 0 ? 4 : 2, dpi);
        const int y = Dot(mm, dpi);
        HLine(canvas, y, 0, length - 1, tick);
        if (mm % 10 == 0 && mm > 0)
            canvas.drawText(QPoint(Dot(7, dpi), y + Dot(1, dpi)), QString::number(mm));
    }

    // The crosshairs.
    font.setPixelSize(std::max(6, Dot(4, dpi)));
    font.setBold(true);
    canvas.setFont(font);
    const double span = CalibrationSpanMm(pageMm);
    const int a = Dot(kCalibrationAMm, dpi), far = Dot(kCalibrationAMm + span, dpi);
    Crosshair(canvas, QPoint(a, a), dpi, QStringLiteral("A"));
    Crosshair(canvas, QPoint(far, a), dpi, QStringLiteral("B"));
    Crosshair(canvas, QPoint(a, far), dpi, QStringLiteral("C"));
    Crosshair(canvas, QPoint(Round(pageDots.width() / 2.0), Round(pageDots.height() / 2.0)), dpi, QString());

    // What it is, for which printer, and what to measure.
    font.setBold(false);
    font.setPixelSize(std::max(6, Dot(3, dpi)));
    canvas.setFont(font);
    const QString lines[] = {
        Tr("CalibrationSheet", "Tagmora calibration sheet"),
        Tr("CalibrationSheet", "Printer: %1, %2 dpi").arg(text.PrinterName).arg(dpi),
        Tr("CalibrationSheet", "Printed: %1").arg(text.Date.toString(Qt::ISODate)),
        Tr("CalibrationSheet", "Measure A from the paper's left and top edges, and A to B and A to C (%1 mm if "
                               "exact); enter them under Options, Printers.")
            .arg(span),
    };
    const int left = a + Dot(12, dpi);
    QRect box(left, a + Dot(12, dpi), std::max(1, far - left - Dot(12, dpi)), std::max(1, far - a - Dot(24, dpi)));
    if (box.width() < Dot(60, dpi))
        box.setWidth(std::max(1, pageDots.width() - left - Dot(2, dpi)));
    canvas.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                    QStringList(std::begin(lines), std::end(lines)).join(QLatin1Char('\n')));
    canvas.restore();
}

bool CalibrationFromMeasurement(const TCalibrationMeasurement& measured, double spanMm, QPointF& offsetMm,
                                QPointF& scalePercent)
{
    if (!(measured.AB > 0) || !(measured.AC > 0) || !(spanMm > 0))
        return false;
    // The printer put a designed position p at s x p + o. Placing p at
    // p / s - o / s brings it back to p: the scale is 1 / s and the offset
    // the designed A less where A lands after the scale alone.
    const double sx = measured.AB / spanMm, sy = measured.AC / spanMm;
    const QPointF scale(100.0 / sx, 100.0 / sy);
    const QPointF offset(kCalibrationAMm - measured.A.x() / sx, kCalibrationAMm - measured.A.y() / sy);
    if (!std::isfinite(offset.x()) || !std::isfinite(offset.y()) || std::abs(offset.x()) > 50 ||
        std::abs(offset.y()) > 50 || scale.x() < 50 || scale.x() > 150 || scale.y() < 50 || scale.y() > 150)
        return false;
    offsetMm = QPointF(std::round(offset.x() * 100) / 100, std::round(offset.y() * 100) / 100);
    scalePercent = QPointF(std::round(scale.x() * 100) / 100, std::round(scale.y() * 100) / 100);
    return true;
}

void PrintCalibrationSheet(const QDate& date)
{
    TPrinter& printer = Printer();
    if (!printer.HasPrinters())
        throw EPrinterError(Tr("CalibrationSheet", "No printer is installed."));
    const int dpi = UsableDpi(printer.ResolutionX());
    QSize page = printer.PhysicalPageSize();
    if (page.isEmpty())
        page = QSize(Dot(210, dpi), Dot(297, dpi));
    printer.SetCopies(1);
    printer.BeginDoc(Tr("CalibrationSheet", "Tagmora calibration sheet"));
    try {
        QPainter* canvas = printer.Canvas();
        if (!canvas)
            throw EPrinterError(Tr("CalibrationSheet", "The printer gave nothing to draw on."));
        DrawCalibrationSheet(*canvas, page, dpi, {printer.PrinterName(), date});
        printer.EndDoc();
    } catch (...) {
        if (printer.Printing())
            printer.Abort();
        throw;
    }
}
