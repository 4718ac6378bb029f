// 8-bit "system code page" text. On this platform the code page is UTF-8; label
// files and data files written on Windows carry an ANSI code page instead, so a
// block that is not valid UTF-8 is read as Windows-1252. Plain ASCII is the same
// bytes either way.
#pragma once

#include <QByteArray>
#include <QString>

bool IsValidUtf8(const char* data, qsizetype size);
inline bool IsValidUtf8(const QByteArray& bytes) { return IsValidUtf8(bytes.constData(), bytes.size()); }

// Windows-1252 to text (the five unassigned bytes map to the C1 controls of the same value).
QString DecodeWindows1252(const char* data, qsizetype size);
inline QString DecodeWindows1252(const QByteArray& bytes) { return DecodeWindows1252(bytes.constData(), bytes.size()); }

// A block of system text, line by line: each line is UTF-8 when it is valid
// UTF-8, else Windows-1252.
QString DecodeSystemText(const QByteArray& block);

// Text to system code page bytes (UTF-8).
QByteArray EncodeSystemText(const QString& text);
