#include "document/StrF.h"

#include "document/Tr.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

QString ReplaceAll(const QString& text, const QString& find, const QString& replacement)
{
    if (text.isEmpty() || find.isEmpty())
        return QString();
    QString out;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = text.indexOf(find, from);
        if (at < 0)
            break;
        if (out.isNull())
            out.reserve(text.size());
        out.append(QStringView(text).mid(from, at - from));
        out.append(replacement);
        from = at + find.size();
    }
    if (from == 0)
        return text;
    out.append(QStringView(text).mid(from));
    return out;
}

QString TrimLeftSpaces(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    return i == 0 ? text : text.mid(i);
}

QString TrimControls(QStringView text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text.at(b).unicode() <= 0x20)
        ++b;
    while (e > b && text.at(e - 1).unicode() <= 0x20)
        --e;
    return text.mid(b, e - b).toString();
}

bool TryStrToInt(QStringView text, int& value)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i < n && text.at(i) == QLatin1Char('$')) {
        ++i;
        if (i == n || n - i > 8)
            return false;
        uint32_t v = 0;
        for (; i < n; ++i) {
            const char16_t c = text.at(i).unicode();
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                return false;
            v = v * 16 + uint32_t(d);
        }
        const int32_t s = int32_t(v);
        value = negative ? int32_t(0u - uint32_t(s)) : s;
        return true;
    }
    if (i == n)
        return false;
    int64_t v = 0;
    for (; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
        if (v > int64_t(INT32_MAX) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v > INT32_MAX || v < INT32_MIN)
        return false;
    value = int(v);
    return true;
}

int StrToInt(QStringView text)
{
    int v = 0;
    if (!TryStrToInt(text, v))
        throw EConvertError(Tr("StrF", "'%1' is not a valid integer value").arg(text.left(255)));
    return v;
}

bool TryStrToFloat(QStringView text, double& value)
{
    QStringView t = text.trimmed();
    if (t.isEmpty() || t.size() > 400)
        return false;
    // Only plain decimal notation: no thousands separators, no "inf"/"nan".
    for (QChar c : t) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || u == '.' || u == '-' || u == '+' || u == 'e' || u == 'E'))
            return false;
    }
    // strtod depends on the C locale's decimal point; parse through QLocale::c().
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = c.toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool TryStrToBool(QStringView text, bool& value)
{
    double d = 0;
    if (TryStrToFloat(text, d)) {
        value = d != 0;
        return true;
    }
    const QStringView t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
        value = true;
        return true;
    }
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
        value = false;
        return true;
    }
    return false;
}

QString FloatToStr(double value)
{
    if (!std::isfinite(value))
        return value != value ? QStringLiteral("NAN") : (value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF"));
    if (value == 0)
        return QStringLiteral("0");
    // 15 significant digits in scientific form give the digits and the exponent.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", value);  // locale-free for the digits we read below
    // buf: [-]d.dddddddddddddde[+-]xx ; the decimal point may be locale dependent, so
    // read the digits by position instead of parsing.
    const char* p = buf;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    QByteArray digits;
    while (*p && *p != 'e' && *p != 'E') {
        if (*p >= '0' && *p <= '9')
            digits += *p;
        ++p;
    }
    int exponent = 0;
    if (*p)
        exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);

    QByteArray out;
    if (negative)
        out += '-';
    const double magnitude = std::fabs(value);
    if (magnitude < 0.00001 || exponent >= 15) {
        out += digits.left(1);
        if (digits.size() > 1) {
            out += '.';
            out += digits.mid(1);
        }
        out += 'E';
        out += QByteArray::number(exponent);
    } else if (exponent < 0) {
        out += "0.";
        out += QByteArray(-exponent - 1, '0');
        out += digits;
    } else {
        const int intDigits = exponent + 1;
        if (digits.size() <= intDigits) {
            out += digits;
            out += QByteArray(intDigits - digits.size(), '0');
        } else {
            out += digits.left(intDigits);
            out += '.';
            out += digits.mid(intDigits);
        }
    }
    return QString::fromLatin1(out);
}
