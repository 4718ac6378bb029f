// Numbered sequences for the datasheet ("Fill Sequence Data ..."): prefix +
// zero-padded number + suffix, each repeated, from one number to another.
#pragma once

#include <QString>
#include <QStringList>

struct TSequenceSettings {
    QString Prefix;
    QString From;  // first number, digits
    QString To;    // last number, digits; its length is the number width
    QString Suffix;
    int Repeat = 1;  // 1..100
    int Step = 1;    // 1..100
};

// The most values one sequence may produce.
constexpr int kMaxSequenceValues = 1000000;

// Fills values (emptied first) with the sequence. Returns an error message for
// the user, or an empty text on success: a From/To text that is no integer
// ("'x' is not a valid integer value"), To below From ("Begine number must less
// than End number!") or more than kMaxSequenceValues values.
QString GenerateSequence(const TSequenceSettings& settings, QStringList& values);

// How many characters of the trimmed text are not digits 0-9.
int NonDigitCount(const QString& text);
