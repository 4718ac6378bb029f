#include "gui/properties/PropertyUnits.h"

#include "document/Tr.h"

#include <QCoreApplication>
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
    return Tr("PropertyUnits", "(Unit: %1)").arg(UnitName(units));
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

bool TNumberRefusal::TakePendingRefusal(QWidget* root)
{
    bool found = false;
    for (QAbstractSpinBox* box : root->findChildren<QAbstractSpinBox*>()) {
        auto* refusal = dynamic_cast<TNumberRefusal*>(box);
        if (!refusal || !refusal->FPending)
            continue;
        refusal->FPending = false;
        if (found)
            continue;
        found = true;
        box->setFocus();
        refusal->ShowRefusal();
    }
    return found;
}

TRealSpinBox::TRealSpinBox(QWidget* parent) : TNumberBox(parent)
{
    setDecimals(4);
    setRange(-100000, 100000);
}

QString TRealSpinBox::textFromValue(double value) const
{
    return FormatNumber(RoundDecimals(value, decimals()));
}

double TRealSpinBox::valueFromText(const QString& text) const
{
    double v = 0;
    return ParseNumber(text, v) ? v : value();
}

bool TRealText::IsNumber(const QString& text)
{
    double v = 0;
    return ParseNumber(text, v);
}

QString TRealText::RefusalText(const QString& text)
{
    return Tr("TRealSpinBox", "'%1' is not a valid floating point value").arg(text);
}

TIntSpinBox::TIntSpinBox(QWidget* parent) : TNumberBox(parent) {}

int TIntSpinBox::valueFromText(const QString& text) const
{
    bool ok = false;
    const int v = QLocale::c().toInt(text.trimmed(), &ok);
    return ok ? v : value();
}

bool TIntText::IsNumber(const QString& text)
{
    bool ok = false;
    QLocale::c().toInt(text.trimmed(), &ok);
    return ok;
}

QString TIntText::RefusalText(const QString& text)
{
    return Tr("TIntSpinBox", "'%1' is not a valid integer value").arg(text);
}
