#include "document/TextLayout.h"

#include "document/MGraph.h"

#include <QLocale>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr int kMaxPatternWidth = 256;
constexpr int kMaxPatternPrecision = 100;

// Reads up to four decimal digits at pattern[i]; -1 when there are more.
int ReadSmallNumber(const QString& pattern, qsizetype& i)
{
    int value = 0;
    int digits = 0;
    while (i < pattern.size() && pattern.at(i).isDigit() && pattern.at(i).unicode() < 128) {
        if (++digits > 4)
            return -1;
        value = value * 10 + (pattern.at(i).unicode() - '0');
        ++i;
    }
    return value;
}

}  // namespace

bool FormatRealPattern(const QString& pattern, double value, QString& out)
{
    if (!std::isfinite(value))
        return false;
    QString result;
    bool converted = false;
    const qsizetype n = pattern.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = pattern.at(i);
        if (c != QLatin1Char('%')) {
            result += c;
            continue;
        }
        if (i + 1 < n && pattern.at(i + 1) == QLatin1Char('%')) {
            result += QLatin1Char('%');
            ++i;
            continue;
        }
        if (converted)
            return false;
        // Flags, each kept once, in a fixed order.
        qsizetype j = i + 1;
        bool minus = false, plus = false, space = false, hash = false, zero = false;
        for (; j < n; ++j) {
            const char16_t f = pattern.at(j).unicode();
            if (f == '-')
                minus = true;
            else if (f == '+')
                plus = true;
            else if (f == ' ')
                space = true;
            else if (f == '#')
                hash = true;
            else if (f == '0')
                zero = true;
            else
                break;
        }
        const int width = ReadSmallNumber(pattern, j);
        if (width < 0 || width > kMaxPatternWidth)
            return false;
        int precision = -1;
        if (j < n && pattern.at(j) == QLatin1Char('.')) {
            ++j;
            precision = ReadSmallNumber(pattern, j);
            if (precision < 0 || precision > kMaxPatternPrecision)
                return false;
        }
        if (j >= n)
            return false;
        const char16_t conversion = pattern.at(j).unicode();
        if (conversion != 'f' && conversion != 'F' && conversion != 'e' && conversion != 'E' && conversion != 'g' &&
            conversion != 'G')
            return false;
        // The conversion rebuilt from checked parts; Qt's formatter writes
        // numbers with "." whatever the locale.
        QByteArray spec("%");
        if (minus)
            spec += '-';
        if (plus)
            spec += '+';
        if (space)
            spec += ' ';
        if (hash)
            spec += '#';
        if (zero)
            spec += '0';
        if (width > 0)
            spec += QByteArray::number(width);
        if (precision >= 0)
            spec += '.' + QByteArray::number(precision);
        spec += char(conversion);
        result += QString::asprintf(spec.constData(), value);
        converted = true;
        i = j;
    }
    if (!converted)
        return false;
    out = result;
    return true;
}

QString FormatDataValue(const QString& dataValue, const QString& pattern)
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(dataValue.trimmed(), &ok);
    QString out;
    if (ok && FormatRealPattern(pattern, value, out))
        return out;
    return dataValue;
}

QStringList SplitTextLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text.at(i);
        if (ch != QLatin1Char('\r') && ch != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (ch == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

namespace {

// The largest k in [lo, hi] with fits(k), where fits holds up to some point
// and fails after it; lo - 1 when none does. Gallops from the small end, so
// the probes stay near the size of the answer, not of the range.
template <class Fits>
qsizetype LargestFitting(qsizetype lo, qsizetype hi, const Fits& fits)
{
    if (lo > hi || !fits(lo))
        return lo - 1;
    qsizetype good = lo, bad = hi + 1;
    qsizetype step = 1;
    while (good < hi) {
        const qsizetype probe = std::min(good + step, hi);
        if (!fits(probe)) {
            bad = probe;
            break;
        }
        good = probe;
        step *= 2;
    }
    while (bad - good > 1) {
        const qsizetype mid = good + (bad - good) / 2;
        if (fits(mid))
            good = mid;
        else
            bad = mid;
    }
    return good;
}

}  // namespace

void WrapTextLine(const QString& line, int maxWidth, bool* unlimited, const TTextWidthFn& width, QStringList& out)
{
    if (line.isEmpty()) {
        out.append(QString());
        return;
    }
    const qsizetype n = line.size();
    // Every space of the line, once.
    QList<qsizetype> spaces;
    for (qsizetype i = 0; i < n; ++i)
        if (line.at(i) == QLatin1Char(' '))
            spaces.append(i);
    // Whether line[from, from + len) fits. As widths grow with the length, a
    // prefix that is already too wide settles it without measuring the rest
    // (a word of thousands of characters is not measured whole per piece).
    auto fits = [&](qsizetype from, qsizetype len) {
        for (qsizetype probe = 256; probe < len; probe *= 4)
            if (width(line.mid(from, probe)) > maxWidth)
                return false;
        return width(line.mid(from, len)) <= maxWidth;
    };
    qsizetype start = 0;  // the rest still to place is line[start, n)
    qsizetype firstSpace = 0;  // index in spaces of the rest's first space
    while (true) {
        if (*unlimited) {
            out.append(line.mid(start));
            return;
        }
        while (firstSpace < spaces.size() && spaces.at(firstSpace) < start)
            ++firstSpace;
        // The candidate cuts of the rest: its spaces from the left, then its
        // end; -1 past that.
        const qsizetype spaceCount = spaces.size() - firstSpace;
        auto cut = [&](qsizetype k) -> qsizetype {
            if (k < spaceCount)
                return spaces.at(firstSpace + k);
            return k == spaceCount ? n : -1;
        };
        // The whole rest when it fits, else the part before the last space
        // that leaves a fitting piece: the largest fitting candidate, since
        // widths grow with the length.
        const qsizetype k = LargestFitting(0, spaceCount, [&](qsizetype c) {
            const qsizetype at = cut(c);
            return at >= 0 && fits(start, at - start);
        });
        if (k >= 0) {
            const qsizetype at = cut(k);
            out.append(line.mid(start, at - start));
            start = at + 1;
            if (start >= n)
                return;
            continue;
        }
        // Not even the first word fits: break it after its longest fitting
        // prefix; the rest continues on the next line.
        const qsizetype wordLength = cut(0) - start;
        const qsizetype len = LargestFitting(1, wordLength - 1, [&](qsizetype m) {
            return fits(start, m);
        });
        if (len >= 1) {
            out.append(line.mid(start, len));
            start += len;
            continue;
        }
        // Not even one character fits: the whole rest on one line, and no
        // more wrapping for the rest of the layout.
        out.append(line.mid(start));
        *unlimited = true;
        return;
    }
}

TFormattedLayout LayoutFormattedText(const QString& text, QPoint p1, QPoint p2, int alignment, int angle,
                                     bool outlineFont, int lineHeight, const TTextWidthFn& width)
{
    TFormattedLayout layout;
    layout.lineHeight = lineHeight;
    const int g = angle % 360;  // keeps the sign: -90 stays -90, 450 becomes 90
    layout.angle = g;
    layout.rotated = angle != 0 && outlineFont;

    const int left = p1.x(), top = p1.y(), right = p2.x(), bottom = p2.y();
    const int wrapWidth = int(std::clamp<qint64>((g == 90 || g == 270) ? qint64(bottom) - top : qint64(right) - left,
                                                 INT_MIN, INT_MAX));

    QStringList lines;
    bool unlimited = false;
    for (const QString& line : SplitTextLines(text))
        WrapTextLine(line, wrapWidth, &unlimited, width, lines);

    // 64-bit sums: coordinates, widths and line counts come from files.
    auto clampInt = [](qint64 v) { return int(std::clamp<qint64>(v, INT_MIN / 2, INT_MAX / 2)); };
    qint64 y = (qint64(bottom) - top - qint64(lines.size()) * lineHeight) / 2 + top;
    const double cx = (double(left) + right) / 2.0;
    const double cy = (double(top) + bottom) / 2.0;
    const double rad = g * M_PI / 180.0;
    const double cosG = std::cos(rad), sinG = std::sin(rad);
    layout.lines.reserve(lines.size());
    for (const QString& line : lines) {
        TLaidOutLine l;
        l.text = line;
        l.width = width(line);
        qint64 x = left;
        if (alignment == 1)
            x = qint64(right) - l.width + 1;
        else if (alignment == 2)
            x = (qint64(right) - left - l.width) / 2 + left;
        if (layout.rotated && g != 0) {
            const double dx = double(x) - cx, dy = double(y) - cy;
            l.topLeft = QPoint(Round(cx + dx * cosG - dy * sinG), Round(cy + dx * sinG + dy * cosG));
        } else {
            l.topLeft = QPoint(clampInt(x), clampInt(y));
        }
        layout.lines.append(l);
        y += lineHeight;
    }
    return layout;
}
