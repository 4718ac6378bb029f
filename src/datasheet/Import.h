// Importing a data file into the datasheet ("Import Data ...").
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class TCellGridWriter;

// Lets the user pick one table of a database; false when cancelled.
using TTablePicker = std::function<bool(const QStringList& tables, QString& chosen)>;

// The filter of the import file dialog.
QString ImportFileFilter();

// Loads the file into the grid from cell (0, 0) on, choosing the loader by the
// file's extension. Returns false when nothing was imported (an extension no
// loader takes, a database without tables, a cancelled table choice). Throws
// std::runtime_error with a message for the user when the file cannot be read;
// the caller restores the grid then. The caller inserts the row-number column.
bool ImportDataFile(const QString& path, TCellGridWriter& grid, const TTablePicker& pickTable);
