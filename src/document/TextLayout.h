// Window-free parts of the text object: the number pattern of "DataFormat",
// word wrapping and the placement of formatted lines in their box.
#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>

// Formats value through a user-typed pattern: literal text, "%%" for a per
// cent sign and exactly one real-number conversion made of "%", optional
// flags ("-", "+", " ", "#", "0"), an optional width (at most 256), an
// optional "." with a precision (at most 100) and one of f, F, e, E, g, G.
// The pattern itself never reaches a printf-style function: the conversion
// is rebuilt from the parsed parts. False for any other pattern (no
// conversion, two conversions, other letters, length modifiers, "*", a lone
// "%" at the end) or a value that is not finite.
bool FormatRealPattern(const QString& pattern, double value, QString& out);

// The text a text object shows for DataValue with FormatText set: the value
// read as a real number ("." decimal separator, blanks around it allowed)
// and passed through the pattern; the value unchanged when it is no number
// or the pattern is refused.
QString FormatDataValue(const QString& dataValue, const QString& pattern);

// Splits text into lines at CR LF, CR or LF. An empty text is one empty line.
QStringList SplitTextLines(const QString& text);

// Pixel width of a line of text in the font being laid out.
using TTextWidthFn = std::function<int(const QString&)>;

// Word-wraps one line to maxWidth and appends the pieces to out. Cuts at the
// last space that leaves a piece no wider than maxWidth; a word that is
// wider alone is broken after its longest prefix that fits. When not even
// one character fits, the whole rest goes on one line and *unlimited is set
// (no wrapping for the rest of the layout). An empty line stays one empty
// line. Widths are taken as growing with the prefix length, so each piece
// costs a logarithmic number of measurements.
void WrapTextLine(const QString& line, int maxWidth, bool* unlimited, const TTextWidthFn& width, QStringList& out);

// One laid-out line: its text, its width and the top-left corner of its
// text cell (after rotation about the box centre when the text is rotated).
struct TLaidOutLine {
    QString text;
    int width = 0;
    QPoint topLeft;
};

struct TFormattedLayout {
    QList<TLaidOutLine> lines;
    int lineHeight = 0;
    int angle = 0;         // the angle brought into -359..359, keeping its sign
    bool rotated = false;  // lines are drawn turned by `angle` degrees clockwise
};

// Lays out formatted text in the box from p1 to p2 (taken as given, not
// ordered): lines split at line breaks and wrapped to the box width (to its
// height at 90 and 270 degrees), the block centred vertically, each line
// placed left (alignment 0), right (1: its end one pixel past the right
// edge) or centred (2). outlineFont tells whether the font can be turned;
// only then is a non-zero angle applied.
TFormattedLayout LayoutFormattedText(const QString& text, QPoint p1, QPoint p2, int alignment, int angle,
                                     bool outlineFont, int lineHeight, const TTextWidthFn& width);
