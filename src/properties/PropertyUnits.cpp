#include "properties/PropertyUnits.h"

#include <QLocale>

#include <cmath>

double UnitFactor(int units)
{
    return units == 1 ? 2.54 : 1.0;
}

QString UnitName(int units)
{
    return units == 1 ? QStringLiteral("in") : QStringLiteral("cm");
}

QString UnitCaption(int units)
{
    return QStringLiteral("(Unit: ") + UnitName(units) + QLatin1Char(')');
}

double RoundDecimals(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    const double scale = std::pow(10.0, decimals);
    return std::nearbyint(value * scale) / scale;
}

double TruncRound3(double value)
{
    if (!std::isfinite(value))
        return value;
    return std::trunc(value * 1000.0 + 0.5) / 1000.0;
}

QString FormatNumber(double value)
{
    if (value == 0)
        return QStringLiteral("0");  // also for -0
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

bool ParseNumber(const QString& text, double& value)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

TRealSpinBox::TRealSpinBox(QWidget* parent) : QDoubleSpinBox(parent)
{
    setLocale(QLocale::c());
    setDecimals(4);
    setRange(-100000, 100000);
    setKeyboardTracking(false);
}

QString TRealSpinBox::textFromValue(double value) const
{
    return FormatNumber(RoundDecimals(value, decimals()));
}

double TRealSpinBox::valueFromText(const QString& text) const
{
    double v = 0;
    if (!ParseNumber(text, v))
        return 0;
    return v;
}

QValidator::State TRealSpinBox::validate(QString&, int&) const
{
    // Anything may be typed; what is no number reads as 0.
    return QValidator::Acceptable;
}

void TRealSpinBox::fixup(QString&) const {}
