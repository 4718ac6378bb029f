#include "engine/datasheet/SequenceGenerator.h"

#include "document/Tr.h"
#include "engine/datasheet/DatasheetText.h"

#include <QCoreApplication>

#include <algorithm>

using datasheettext::InvalidIntegerText;
using datasheettext::TrimBlanks;
using datasheettext::TryStrToInt64;

QString GenerateSequence(const TSequenceSettings& settings, QStringList& values)
{
    values.clear();
    qint64 b = 0;
    qint64 e = 0;
    if (!TryStrToInt64(settings.From, b))
        return InvalidIntegerText(settings.From);
    if (!TryStrToInt64(settings.To, e))
        return InvalidIntegerText(settings.To);
    if (e < b)
        return Tr("SequenceGenerator", "Begine number must less than End number!");

    const int repeat = std::clamp(settings.Repeat, 1, 100);
    const int step = std::clamp(settings.Step, 1, 100);
    const quint64 span = quint64(e) - quint64(b);  // exact for any e >= b
    const quint64 steps = span / quint64(step);
    if (steps >= quint64(kMaxSequenceValues) || (steps + 1) * quint64(repeat) > quint64(kMaxSequenceValues)) {
        return Tr("SequenceGenerator",
                  "A sequence can hold at most %1 values; from %2 to %3 with step %4 and repeat %5 "
                  "would give more.")
            .arg(kMaxSequenceValues)
            .arg(b)
            .arg(e)
            .arg(step)
            .arg(repeat);
    }

    const int width = int(TrimBlanks(settings.To).size());
    const int count = int(steps + 1);
    values.reserve(count * repeat);
    for (int i = 0; i < count; ++i) {
        const qint64 n = b + qint64(i) * step;
        QString digits = QString::number(n);
        if (digits.size() < width) {
            // Zeros go after a minus sign, not before it.
            const int at = n < 0 ? 1 : 0;
            digits.insert(at, QString(width - digits.size(), QLatin1Char('0')));
        }
        const QString value = settings.Prefix + digits + settings.Suffix;
        for (int k = 0; k < repeat; ++k)
            values.append(value);
    }
    return QString();
}

int NonDigitCount(const QString& text)
{
    int n = 0;
    for (QChar c : TrimBlanks(text))
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            ++n;
    return n;
}
