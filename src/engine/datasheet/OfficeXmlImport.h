// Office Open XML (".XLSX") and OpenDocument (".ODS") spreadsheets into the
// datasheet; both are zip packages of XML parts.
#pragma once

#include <QString>

class TCellGridWriter;

// Loads the active sheet (the first when none is marked) the same way
// LoadSpreadsheet loads an ".XLS" sheet: the used range to (0, 0) on, values
// as text. Throws EImportError when the file is not a readable spreadsheet
// of its kind or its used range is too large.
void LoadXlsxSheet(const QString& fileName, TCellGridWriter& grid);
void LoadOdsSheet(const QString& fileName, TCellGridWriter& grid);
