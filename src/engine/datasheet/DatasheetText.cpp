#include "engine/datasheet/DatasheetText.h"

#include <limits>

namespace datasheettext {

namespace {

template <typename Char>
bool ParseInteger(const Char* p, qsizetype n, qint64 lo, qint64 hi, qint64& out)
{
    qsizetype i = 0;
    while (i < n && p[i] <= Char(' '))
        ++i;
    while (n > i && p[n - 1] <= Char(' '))
        --n;
    bool negative = false;
    if (i < n && (p[i] == Char('+') || p[i] == Char('-'))) {
        negative = p[i] == Char('-');
        ++i;
    }
    if (i == n)
        return false;
    // Accumulate as a negative number so that the lowest value fits.
    qint64 v = 0;
    const qint64 limit = negative ? lo : -hi;
    for (; i < n; ++i) {
        const auto c = p[i];
        if (c < Char('0') || c > Char('9'))
            return false;
        const int d = int(c - Char('0'));
        if (v < (limit + d) / 10)
            return false;
        v = v * 10 - d;
        if (v < limit)
            return false;
    }
    out = negative ? v : -v;
    return true;
}

}  // namespace

QStringView TrimBlanks(QStringView text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text[b].unicode() <= ' ')
        ++b;
    while (e > b && text[e - 1].unicode() <= ' ')
        --e;
    return text.sliced(b, e - b);
}

QByteArrayView TrimBlanks(QByteArrayView text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ')
        --e;
    return text.sliced(b, e - b);
}

QString UpperAsciiLetters(QStringView text)
{
    QString out = text.toString();
    for (QChar& c : out)
        if (c.unicode() >= 'a' && c.unicode() <= 'z')
            c = QChar(c.unicode() - 32);
    return out;
}

bool TryStrToInt(QByteArrayView text, int& value)
{
    qint64 v = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    if (!ParseInteger(p, text.size(), std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), v))
        return false;
    value = int(v);
    return true;
}

bool TryStrToInt(QStringView text, int& value)
{
    qint64 v = 0;
    if (!ParseInteger(text.utf16(), text.size(), std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), v))
        return false;
    value = int(v);
    return true;
}

bool TryStrToInt64(QStringView text, qint64& value)
{
    return ParseInteger(text.utf16(), text.size(), std::numeric_limits<qint64>::min(),
                        std::numeric_limits<qint64>::max(), value);
}

QString InvalidIntegerText(const QString& text)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

}  // namespace datasheettext
