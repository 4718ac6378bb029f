// Where the value of a text, barcode or picture object comes from, and the
// date/time functions of data origin 2.
#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

enum TDataOrigin : uint8_t {
    doConstant = 0,      // DataValue is the value itself
    doDataColumn = 1,    // DataExpression names a datasheet column
    doDateTime = 2,      // DataExpression names a date/time function
};

// 1 to 5 for "Fun_Date_MDY", "Fun_Date_DMY", "Fun_Date_YMD", "Fun_Time_HMS",
// "Fun_Time_HM" (exact spelling); 0 for any other text.
int DateTimeFunctionIndex(const QString& expression);

// The value of a date/time function at the given moment: the text form
// ("12-26-2003", "12:06:18") or, for digits-only barcodes, the compact form
// ("12262003", "120618"). False (value untouched) for an unknown expression.
bool DateTimeFunctionValue(const QString& expression, bool digitsOnly, const QDateTime& now, QString& value);
