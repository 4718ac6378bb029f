#include "document/PlanValues.h"

#include "document/MGraph.h"
#include "document/StrF.h"

#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <climits>

namespace {

struct ColorName {
    const char* name;
    TColor value;
};

const ColorName kColorNames[16] = {
    {"Black", clBlack}, {"Maroon", clMaroon}, {"Green", clGreen},   {"Olive", clOlive},
    {"Navy", clNavy},   {"Purple", clPurple}, {"Teal", clTeal},     {"Gray", clGray},
    {"Silver", clSilver}, {"Red", clRed},     {"Lime", clLime},     {"Yellow", clYellow},
    {"Blue", clBlue},   {"Fuchsia", clFuchsia}, {"Aqua", clAqua},   {"White", clWhite},
};

int HexDigit(char16_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace

QString ColorToText(TColor color)
{
    for (const ColorName& c : kColorNames)
        if (c.value == color)
            return QString::fromLatin1(c.name);
    return QString::number(color);
}

TColor TextToColor(const QString& text)
{
    for (const ColorName& c : kColorNames)
        if (text.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.value;
    int v = 0;
    if (TryStrToInt(text, v))
        return v;
    return clWhite;
}

QColor ColorToQColor(TColor color)
{
    if (color < 0) {
        // System colours carry the colour index in their low byte.
        const QPalette pal = QGuiApplication::palette();
        switch (color & 0xFF) {
        case 5: return pal.color(QPalette::Base);               // window background
        case 8: return pal.color(QPalette::Text);               // window text
        case 13: return pal.color(QPalette::Highlight);
        case 14: return pal.color(QPalette::HighlightedText);
        case 15: return pal.color(QPalette::Button);            // button face
        case 18: return pal.color(QPalette::ButtonText);
        default: return pal.color(QPalette::WindowText);
        }
    }
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor QColorToColor(const QColor& color)
{
    return TColor(color.red() | (color.green() << 8) | (color.blue() << 16));
}

QString BytesToHex(const QByteArray& bytes)
{
    static const char kDigits[] = "0123456789ABCDEF";
    QString out(bytes.size() * 2, Qt::Uninitialized);
    QChar* d = out.data();
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *d++ = QLatin1Char(kDigits[b >> 4]);
        *d++ = QLatin1Char(kDigits[b & 15]);
    }
    return out;
}

QByteArray HexToBytes(QStringView text)
{
    const qsizetype n = text.size();
    QByteArray out((n + 1) / 2, Qt::Uninitialized);
    char* d = out.data();
    qsizetype i = 0;
    for (; i + 1 < n; i += 2) {
        const int hi = HexDigit(text.at(i).unicode());
        const int lo = HexDigit(text.at(i + 1).unicode());
        if (hi >= 0 && lo >= 0)
            *d++ = char(hi * 16 + lo);
        else
            *d++ = char(HexByte(text.mid(i, 2).toString()));
    }
    if (i < n)
        *d++ = char(HexByte(text.mid(i, 1).toString()));
    return out;
}

QString FontStyleLetters(TFontStyles style)
{
    QString s;
    if (style & fsItalic)
        s += QLatin1Char('I');
    if (style & fsBold)
        s += QLatin1Char('B');
    if (style & fsUnderline)
        s += QLatin1Char('U');
    if (style & fsStrikeOut)
        s += QLatin1Char('S');
    return s;
}

TFontStyles LettersToFontStyle(const QString& letters)
{
    TFontStyles s;
    if (letters.contains(QLatin1Char('I')))
        s |= fsItalic;
    if (letters.contains(QLatin1Char('B')))
        s |= fsBold;
    if (letters.contains(QLatin1Char('U')))
        s |= fsUnderline;
    if (letters.contains(QLatin1Char('S')))
        s |= fsStrikeOut;
    return s;
}

int TPlanFont::Height() const
{
    // A size only a damaged file carries still gives a height whose negation
    // and absolute value are ints.
    return -std::clamp(Round(double(Size) * kFontScreenPixelsPerInch / 72.0), -INT_MAX, INT_MAX);
}

namespace {

// The kind of face a name suggests, so that a face the machine lacks is
// replaced by a similar one (fontconfig's own aliases, such as Arial to
// Liberation Sans, come first).
QFont::StyleHint StyleHintForFace(const QString& name)
{
    const QString n = name.toLower();
    auto has = [&n](const char* part) { return n.contains(QLatin1String(part)); };
    if (has("courier") || has("mono") || has("consol") || has("typewriter") || has("ocr"))
        return QFont::TypeWriter;
    if (has("sans"))
        return QFont::SansSerif;
    if (has("times") || has("roman") || has("serif") || has("georgia") || has("garamond") || has("book") ||
        has("palatino") || has("century") || has("cambria"))
        return QFont::Serif;
    return QFont::SansSerif;
}

}  // namespace

QFont TPlanFont::ToQFont(int pixelSize) const
{
    QFont f(Name);
    f.setStyleHint(StyleHintForFace(Name));
    f.setPixelSize(std::max(1, pixelSize));
    f.setItalic(Style & fsItalic);
    f.setBold(Style & fsBold);
    f.setUnderline(Style & fsUnderline);
    f.setStrikeOut(Style & fsStrikeOut);
    return f;
}
