// The datasheet stream: the datasheet grid as the line-oriented text a label
// file carries in its last block.
//
//   C,R            column and row count
//   cw i,w         one line per column: its width in pixels
//   c,r,text       one line per non-empty cell, row by row, column by column
//
// Every line ends with CR LF. A cell text holding a CR is written with CR as TAB
// and LF as BS; on reading, a text holding a BS has TAB turned back into CR and
// BS into LF. Bytes are system code page text (UTF-8 written; a block that is
// not valid UTF-8 is read as Windows-1252).
#pragma once

#include "engine/datasheet/DatasheetText.h"

#include <QByteArray>

class TAdvStringGrid;

// Appends the grid's stream to out.
void WriteDatasheetStream(const TAdvStringGrid& grid, QByteArray& out);
QByteArray WriteDatasheetStream(const TAdvStringGrid& grid);

// Empties every cell of the grid, then reads the stream from position pos of
// block: the counts, the widths and the cells, until the end of the block or a
// line that is not a width or cell line. Returns the position of that line (or
// the block's size). Cells outside the counts are dropped.
//
// Throws EConvertError ("'x' is not a valid integer value") for a
// count, index or width that is not an integer, and std::out_of_range ("Grid
// index out of range") for a width line of a column the grid does not have, and
// ("Datasheet size out of range: C,R") for a count that is negative or beyond
// what a grid can hold; the grid keeps what was read before the fault.
qsizetype ReadDatasheetStream(TAdvStringGrid& grid, const QByteArray& block, qsizetype pos = 0);
