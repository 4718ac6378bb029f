// Importing a data file into the datasheet ("Import Data ...").
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class TCellGridWriter;

// Lets the user pick one table of a database; false when cancelled.
// `chosen` comes in as the first table and goes out as the table picked.
using TTablePicker = std::function<bool(const QStringList& tables, QString& chosen)>;

// The filter of the import file dialog, in Qt's form ("text (patterns);;...").
// The entries: ASCII data files, Excel 97-2003 files, Excel workbooks,
// OpenDocument spreadsheets, Access databases, all files. Each entry's text is
// followed by its patterns in parentheses, which the dialog may hide.
QString ImportFileFilter();

// Loads the file into the grid from cell (0, 0) on, choosing the loader by the
// file's extension (case ignored): .txt and .csv delimited text, .xls Excel
// 97-2003, .xlsx Excel workbook, .ods OpenDocument spreadsheet, .mdb Access
// database (the table is chosen with pickTable; without a picker the first
// table is taken). Returns false when nothing was imported (an extension no
// loader takes, a database without tables, a cancelled table choice). Throws
// std::runtime_error (EImportError) with a message for the user when the file
// cannot be read; the caller restores the grid then. The caller inserts the
// row-number column.
bool ImportDataFile(const QString& path, TCellGridWriter& grid, const TTablePicker& pickTable);

// A picker for unattended imports (tagmora-cli import --table NAME): picks the
// table named `name`, ignoring case. When the database has no such table it
// throws std::runtime_error with a message that lists the tables.
TTablePicker TablePickerByName(const QString& name);
