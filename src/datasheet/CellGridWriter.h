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
};
