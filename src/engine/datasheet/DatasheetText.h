// Small text helpers of the datasheet: blank trimming, the letter-only upper
// casing of column names and integer conversion with its error text.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <stdexcept>

namespace datasheettext {

// Drops leading and trailing blanks (every character up to and including the
// space, control characters too).
QStringView TrimBlanks(QStringView text);
QByteArrayView TrimBlanks(QByteArrayView text);

// Upper-cases the letters a-z only.
QString UpperAsciiLetters(QStringView text);

// An integer in 32-bit range: optional blanks around, an optional sign and
// decimal digits. False for anything else (the value is then unchanged).
bool TryStrToInt(QByteArrayView text, int& value);
bool TryStrToInt(QStringView text, int& value);
// The same for 64-bit values.
bool TryStrToInt64(QStringView text, qint64& value);

// "'<text>' is not a valid integer value".
QString InvalidIntegerText(const QString& text);

}  // namespace datasheettext
