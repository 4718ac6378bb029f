// Access databases (".MDB", Jet 3 and Jet 4) into the datasheet.
//
// The database library is not safe against damaged files (it can crash or
// loop forever on them), so every read runs in a child process that sends
// its results back through a pipe; a child that dies, stalls or sends more
// than the file can hold is stopped and the file reported as damaged.
#pragma once

#include <QString>
#include <QStringList>

class TCellGridWriter;

// The user tables of the database in the order of its catalogue.
// Throws EImportError when the file is not a readable Access database.
QStringList AccessUserTables(const QString& fileName);

// Loads one table: its field names into row 0 (the column count becomes
// their number), then one row per record from row 1 on; NULL gives an empty
// cell. The row count becomes the record count + 1 when the table has
// records. Numbers show as in a General format, currency with two to four
// decimals, dates as ISO text, Yes/No fields as True/False, memo text as
// stored (CR LF kept); OLE objects and binary fields give empty cells.
// Throws EImportError when the file or the table cannot be read.
void LoadAccessTable(const QString& fileName, const QString& tableName, TCellGridWriter& grid);

// How long a reader may go without sending anything before it is taken as
// stuck (default 60 s; 0 or less restores the default). For tests.
void SetAccessReaderStallTimeout(int milliseconds);
