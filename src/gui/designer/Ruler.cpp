#include "gui/designer/Ruler.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace {
constexpr int kThickness = 20;
}

TRuler::TRuler(Qt::Orientation orientation, QWidget* parent) : QWidget(parent), FOrientation(orientation)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(orientation == Qt::Horizontal ? tr("Horizontal ruler") : tr("Vertical ruler"));
    if (orientation == Qt::Horizontal)
        setFixedHeight(kThickness);
    else
        setFixedWidth(kThickness);
}

QSize TRuler::sizeHint() const
{
    return FOrientation == Qt::Horizontal ? QSize(100, kThickness) : QSize(kThickness, 100);
}

void TRuler::SetScale(double unitSize, double startValue, int divisions)
{
    FUnitSize = unitSize > 0 ? unitSize : 1;
    FStartValue = startValue;
    FDivisions = divisions > 0 ? divisions : 10;
    Redraw();
}

void TRuler::Redraw()
{
    FHairline = -1;
    update();
}

QRect TRuler::HairlineRect(int position) const
{
    return FOrientation == Qt::Horizontal ? QRect(position - 1, 0, 3, height()) : QRect(0, position - 1, width(), 3);
}

void TRuler::SetHairline(int position)
{
    if (position < 0)
        position = -1;
    if (position == FHairline)
        return;
    if (FHairline >= 0)
        update(HairlineRect(FHairline));
    FHairline = position;
    if (FHairline >= 0)
        update(HairlineRect(FHairline));
}

void TRuler::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(event->rect(), Qt::white);
    const bool horz = FOrientation == Qt::Horizontal;
    const int length = horz ? width() : height();
    const int thick = horz ? height() : width();
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(9);
    p.setFont(font);
    p.setPen(Qt::black);

    // Ticks from the first whole subdivision before the ruler's start.
    const double step = FUnitSize / FDivisions;  // pixels per tick
    const int half = FDivisions / 2;
    // Skip small ticks that would crowd together.
    const bool smallTicks = step >= 3;
    const long first = long(std::floor(FStartValue * FDivisions));
    const long last = long(std::ceil((FStartValue + length / FUnitSize) * FDivisions));
    const QFontMetrics fm(font);
    // Numbers on every unit, or on fewer when the units are narrow.
    int labelEvery = 1;
    while (labelEvery * FUnitSize < fm.horizontalAdvance(QStringLiteral("000")) + 4)
        labelEvery *= 2;
    for (long i = first; i <= last; ++i) {
        const double pos = (double(i) / FDivisions - FStartValue) * FUnitSize;
        const int x = int(std::lround(pos));
        int tick = 0;
        if (i % FDivisions == 0)
            tick = thick / 2;
        else if (i % half == 0)
            tick = thick / 3;
        else if (smallTicks)
            tick = thick / 5;
        else
            continue;
        if (horz)
            p.drawLine(x, thick - tick, x, thick - 1);
        else
            p.drawLine(thick - tick, x, thick - 1, x);
        if (i % FDivisions == 0 && (i / FDivisions) % labelEvery == 0) {
            const QString number = QString::number(i / FDivisions);
            const int w = fm.horizontalAdvance(number);
            if (horz) {
                p.drawText(QRect(x - w, 0, 2 * w, thick / 2), Qt::AlignCenter, number);
            } else {
                p.save();
                p.translate(thick / 4.0, x);
                p.rotate(-90);
                p.drawText(QRect(-w, -thick / 4, 2 * w, thick / 2), Qt::AlignCenter, number);
                p.restore();
            }
        }
    }
    p.drawLine(horz ? QLine(0, thick - 1, length, thick - 1) : QLine(thick - 1, 0, thick - 1, length));
    if (FHairline >= 0) {
        QPen dotted(Qt::black, 1, Qt::DotLine);
        p.setPen(dotted);
        if (horz)
            p.drawLine(FHairline, 0, FHairline, thick);
        else
            p.drawLine(0, FHairline, thick, FHairline);
    }
}
