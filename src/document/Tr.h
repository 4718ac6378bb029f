#pragma once

#include <QCoreApplication>
#include <QString>

// The translated form of a text shown to the user, for code that is not a
// QObject (a QObject says tr()). The context groups the texts of one area of the
// program ("Import", "LabelFile", ...) for the translators; it must be a string
// literal at the call, as must the text unless it was marked with
// QT_TRANSLATE_NOOP under the same context: lupdate reads Tr(context, text)
// like QCoreApplication::translate (scripts/update-translations.sh tells it so).
// Without an installed translator the text comes back as it is written.
inline QString Tr(const char* context, const char* text, int n = -1)
{
    return QCoreApplication::translate(context, text, nullptr, n);
}
