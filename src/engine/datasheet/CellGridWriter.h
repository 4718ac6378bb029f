// What the import loaders need of a grid of text cells: its size and cell
// texts, addressed (column, row) from 0. The datasheet grid implements it.
#pragma once

#include <QStringView>

class TCellGridWriter {
public:
    virtual ~TCellGridWriter() = default;
    virtual int ColCount() const = 0;
    virtual int RowCount() const = 0;
    virtual void SetColCount(int count) = 0;
    virtual void SetRowCount(int count) = 0;
    virtual void SetCell(int col, int row, QStringView text) = 0;

    // Empties every cell; the size stays. A grid that can do it at once
    // should: a sparse sheet is mostly empty cells.
    virtual void ClearCells()
    {
        for (int r = 0; r < RowCount(); ++r)
            for (int c = 0; c < ColCount(); ++c)
                SetCell(c, r, QStringView());
    }
    // Writes the same text into rows firstRow..firstRow+count-1 of a column.
    virtual void FillCells(int col, int firstRow, int count, QStringView text)
    {
        for (int r = firstRow; r < firstRow + count; ++r)
            SetCell(col, r, text);
    }
};
