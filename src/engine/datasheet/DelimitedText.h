// Delimited text files (".TXT", ".CSV") into the datasheet.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

class TAdvStringGrid;
class TCellGridWriter;

// Writing CSV (RFC 4180): one field, quoted when it holds a comma, a quote or
// a line break, and with quoteBlankEnds also when it starts or ends with a
// blank (which a reader might trim).
void AppendCsvField(QByteArray& out, QByteArrayView cell, bool quoteBlankEnds = true);
// One row of the datasheet's grid: its data columns (1 on; column 0 holds the
// row numbers), CR LF at the end.
void AppendCsvRow(QByteArray& out, const TAdvStringGrid& grid, int row, bool quoteBlankEnds = true);

// The field delimiter of a file, chosen from its first two lines among
// , ; # TAB | @ * - + & (in this order of preference); 0 when none occurs.
char16_t DetectDelimiter(QStringView firstLine, QStringView secondLine);

// Loads a delimited text file into the grid from cell (0, 0) on: one row per
// line, fields split by the detected delimiter with double-quote handling;
// a vertical tab in a field becomes CR LF. A quoted field that holds line
// breaks (the line ends inside it and a later line, within 64 lines, closes
// it) keeps them as CR LF, and its lines form one row. Text after a closing
// quote, up to the next delimiter, stays in the field; a field without its
// closing quote, and an unquoted field, keep their text as written. Reads
// UTF-8 (a byte-order mark is dropped), UTF-16 with a byte-order mark or
// recognised by its NUL bytes, and Windows-1252: a file that is not valid
// UTF-8 throughout is read line by line, each line as UTF-8 when it is valid
// UTF-8, and a file that mixed the two gets a warning (ImportWarning). Lines
// end with LF, CR LF or CR. The row count becomes the number of rows read (at
// least 1); the column count grows to the longest line and never shrinks;
// cells a line does not reach keep their text.
// Throws EImportError "Cannot open file <name>" when the file cannot be read,
// and refuses a file that holds no text, or binary data (NUL bytes), and -
// as soon as the read reaches it - a line over 1 MB, a field over
// kMaxCellChars characters, a line with more fields than a datasheet has
// columns, and more lines, cells or text than one import may bring
// (ImportSupport.h); the message names the line.
void LoadDelimitedText(const QString& fileName, TCellGridWriter& grid);

// The same for text already in memory (the file's bytes).
void LoadDelimitedTextBytes(const char* data, qsizetype size, TCellGridWriter& grid);
inline void LoadDelimitedTextBytes(const QByteArray& bytes, TCellGridWriter& grid)
{
    LoadDelimitedTextBytes(bytes.constData(), bytes.size(), grid);
}
