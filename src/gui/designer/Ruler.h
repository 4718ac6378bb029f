// TRuler: a ruler beside the design surface with big, middle and small ticks
// and numbers in centimetres or inches, and a dotted hairline that follows
// the mouse.
#pragma once

#include <QWidget>

class TRuler : public QWidget {
    Q_OBJECT
public:
    explicit TRuler(Qt::Orientation orientation, QWidget* parent = nullptr);

    Qt::Orientation Orientation() const { return FOrientation; }
    // View pixels per unit, and the value shown at the ruler's first pixel.
    double UnitSize() const { return FUnitSize; }
    double StartValue() const { return FStartValue; }
    // Ticks per unit: 10 (centimetres) or 8 (inches).
    void SetScale(double unitSize, double startValue, int divisions);
    // The value shown at a pixel along the ruler.
    double ValueAt(double pixel) const { return FStartValue + pixel / FUnitSize; }

    // The hairline's pixel position along the ruler, -1 for none. Moving it
    // repaints only the old and the new line.
    int Hairline() const { return FHairline; }
    void SetHairline(int position);
    // Redraws the whole ruler and forgets the hairline.
    void Redraw();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect HairlineRect(int position) const;

    Qt::Orientation FOrientation;
    double FUnitSize = 28.346;
    double FStartValue = 0;
    int FDivisions = 10;
    int FHairline = -1;
};
