// Excel 97-2003 workbooks (".XLS") into the datasheet.
//
// The cell library is not safe against damaged files, so it runs in a child
// process (see GuardedReader.h); a child that fails is reported as damage.
#pragma once

#include <QString>

class TCellGridWriter;

// Loads the active sheet of an Excel 97-2003 (BIFF5/BIFF8) workbook: its used
// range (the block from the first to the last row and column holding a
// value) goes to the grid from cell (0, 0) on; the grid's column and row
// counts become the block's size and every cell of the block is written.
// Values become text as the sheet shows them in General format (see
// NumberToText), dates as ISO text, booleans as TRUE/FALSE; formulas give
// their last computed value; error values give empty cells.
// Throws EImportError when the file is not a readable workbook.
void LoadSpreadsheet(const QString& fileName, TCellGridWriter& grid);
