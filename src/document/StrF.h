// Small string helpers shared by the document: replacing, trimming, and the
// number conversions of plan text. Every conversion uses "." as the decimal
// separator whatever the user's locale.
#pragma once

#include <QString>

#include <stdexcept>

// A value that does not convert to the number asked for.
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// Replaces every occurrence of find, scanning left to right and never
// rescanning inserted text. An empty text or pattern gives the empty string.
QString ReplaceAll(const QString& text, const QString& find, const QString& replacement);

// Removes leading space characters (only ' ', not tabs).
QString TrimLeftSpaces(const QString& text);

// Removes leading and trailing white space and control characters (every
// character up to and including the space).
QString TrimControls(QStringView text);

// Integer conversion of plan text: optional leading spaces, an optional sign,
// decimal digits or "$" and hexadecimal digits (up to 8, taken as a 32-bit
// pattern), nothing after them. False when the text does not convert.
bool TryStrToInt(QStringView text, int& value);
// As TryStrToInt; throws EConvertError ("'x' is not a valid integer value").
int StrToInt(QStringView text);

// Real conversion with "." as decimal separator; surrounding blanks are
// allowed, an exponent is accepted, infinities and NaN are not.
bool TryStrToFloat(QStringView text, double& value);

// Boolean: a number (0 is false, any other number true) or "True"/"False" in
// any letter case.
bool TryStrToBool(QStringView text, bool& value);

// The value of text as the three conversions above read it, or fallback when
// it does not convert. Reading a property into a field that keeps its value
// when the text is missing or malformed: field = StrToIntDef(text, field).
inline int StrToIntDef(QStringView text, int fallback)
{
    int v = 0;
    return TryStrToInt(text, v) ? v : fallback;
}
inline double StrToFloatDef(QStringView text, double fallback)
{
    double v = 0;
    return TryStrToFloat(text, v) ? v : fallback;
}
inline bool StrToBoolDef(QStringView text, bool fallback)
{
    bool v = false;
    return TryStrToBool(text, v) ? v : fallback;
}

// Booleans as plan text writes them: "-1" and "0".
inline QString BoolToStr(bool value) { return value ? QStringLiteral("-1") : QStringLiteral("0"); }

// A real as plan text writes it: up to 15 significant digits, trailing zeros
// removed, fixed notation unless the magnitude is below 0.00001 or the value
// has more than 15 integer digits (then "1.5E-7", "1E20").
QString FloatToStr(double value);
