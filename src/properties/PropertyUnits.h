// Lengths as the properties panel and dialogs show them: the display unit
// (0 centimetres, 1 inches), the roundings they use, numbers written and read
// with "." whatever the system's settings, and the real-number spin box.
#pragma once

#include <QDoubleSpinBox>
#include <QString>

// Centimetres per display unit: 1 for centimetres, 2.54 for inches.
double UnitFactor(int units);
// "cm" or "in".
QString UnitName(int units);
// "(Unit: cm)" or "(Unit: in)".
QString UnitCaption(int units);

// Nearest multiple of 10^-decimals, halves to the even neighbour.
double RoundDecimals(double value, int decimals);
// Three decimals by adding a half in the last place and cutting off the rest.
double TruncRound3(double value);

// The shortest text that reads back as the value, "." as separator (6.35).
QString FormatNumber(double value);
// Reads a number written with "."; false for anything else (blanks around
// it are allowed).
bool ParseNumber(const QString& text, double& value);

// A real-number spin box: holds four decimals, shows the value without
// trailing zeros, reads "." whatever the locale, and takes an empty box or
// text that is no number as 0. It applies typed text when Enter is pressed
// or it loses the focus, not at every keystroke.
class TRealSpinBox : public QDoubleSpinBox {
public:
    explicit TRealSpinBox(QWidget* parent = nullptr);

    QString textFromValue(double value) const override;
    double valueFromText(const QString& text) const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
};
