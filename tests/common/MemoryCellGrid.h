// A compact in-memory grid of text cells for the import tests and benchmark:
// cell texts live as UTF-8 in an arena of 1 MB blocks (growing without
// copies), each cell is an (offset, length) pair in a row-major index.
// Rewriting a cell appends its new text.
// Writes outside the grid's size are counted, not done.
#pragma once

#include "engine/datasheet/CellGridWriter.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

class TMemoryCellGrid : public TCellGridWriter {
public:
    TMemoryCellGrid(int cols = 0, int rows = 0) { Resize(cols, rows); }

    int ColCount() const override { return FCols; }
    int RowCount() const override { return FRows; }
    void SetColCount(int count) override
    {
        ++ColCountChanges;
        Resize(count, FRows);
    }
    void SetRowCount(int count) override
    {
        ++RowCountChanges;
        Resize(FCols, count);
    }
    void SetCell(int col, int row, QStringView text) override
    {
        if (col < 0 || row < 0 || col >= FCols || row >= FRows) {
            ++BadWrites;
            return;
        }
        FUtf8.clear();
        AppendUtf8(text);
        if (FBlocks.empty() || FBlocks.back().size() + FUtf8.size() > FBlocks.back().capacity()) {
            FBlocks.emplace_back();
            FBlocks.back().reserve(std::max(kBlock, FUtf8.size()));
        }
        TEntry& e = FIndex[size_t(row) * size_t(FCols) + size_t(col)];
        e.block = uint32_t(FBlocks.size() - 1);
        e.offset = uint32_t(FBlocks.back().size());
        e.length = uint32_t(FUtf8.size());
        FBlocks.back().insert(FBlocks.back().end(), FUtf8.begin(), FUtf8.end());
    }

    void ClearCells() override { std::fill(FIndex.begin(), FIndex.end(), TEntry()); }

    QString Cell(int col, int row) const
    {
        if (col < 0 || row < 0 || col >= FCols || row >= FRows)
            return QString();
        const TEntry& e = FIndex[size_t(row) * size_t(FCols) + size_t(col)];
        if (e.length == 0)
            return QString();
        return QString::fromUtf8(FBlocks[e.block].data() + e.offset, qsizetype(e.length));
    }
    QStringList Row(int row) const
    {
        QStringList cells;
        for (int c = 0; c < FCols; ++c)
            cells << Cell(c, row);
        return cells;
    }
    // Every row, each as its cells.
    QList<QStringList> Rows() const
    {
        QList<QStringList> rows;
        for (int r = 0; r < FRows; ++r)
            rows << Row(r);
        return rows;
    }
    size_t MemoryBytes() const
    {
        size_t bytes = FIndex.capacity() * sizeof(TEntry);
        for (const auto& b : FBlocks)
            bytes += b.capacity();
        return bytes;
    }

    int BadWrites = 0;
    int ColCountChanges = 0;
    int RowCountChanges = 0;

private:
    static constexpr size_t kBlock = size_t(1) << 20;
    struct TEntry {
        uint32_t block = 0;
        uint32_t offset = 0;
        uint32_t length = 0;
    };

    void Resize(int cols, int rows)
    {
        cols = cols < 0 ? 0 : cols;
        rows = rows < 0 ? 0 : rows;
        if (cols == FCols) {
            FIndex.resize(size_t(rows) * size_t(cols));
        } else {
            std::vector<TEntry> index(size_t(rows) * size_t(cols));
            const int keepRows = rows < FRows ? rows : FRows, keepCols = cols < FCols ? cols : FCols;
            for (int r = 0; r < keepRows; ++r)
                for (int c = 0; c < keepCols; ++c)
                    index[size_t(r) * size_t(cols) + size_t(c)] = FIndex[size_t(r) * size_t(FCols) + size_t(c)];
            FIndex.swap(index);
        }
        FCols = cols;
        FRows = rows;
    }

    void AppendUtf8(QStringView text)
    {
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n; ++i) {
            uint32_t u = text[i].unicode();
            if (u < 0x80) {
                FUtf8.push_back(char(u));
                continue;
            }
            if (u >= 0xD800 && u < 0xDC00 && i + 1 < n && text[i + 1].unicode() >= 0xDC00 &&
                text[i + 1].unicode() < 0xE000) {
                u = 0x10000 + ((u - 0xD800) << 10) + (text[i + 1].unicode() - 0xDC00);
                ++i;
            }
            if (u < 0x800) {
                FUtf8.push_back(char(0xC0 | (u >> 6)));
            } else if (u < 0x10000) {
                FUtf8.push_back(char(0xE0 | (u >> 12)));
                FUtf8.push_back(char(0x80 | ((u >> 6) & 0x3F)));
            } else {
                FUtf8.push_back(char(0xF0 | (u >> 18)));
                FUtf8.push_back(char(0x80 | ((u >> 12) & 0x3F)));
                FUtf8.push_back(char(0x80 | ((u >> 6) & 0x3F)));
            }
            FUtf8.push_back(char(0x80 | (u & 0x3F)));
        }
    }

    int FCols = 0;
    int FRows = 0;
    std::vector<TEntry> FIndex;
    std::vector<std::vector<char>> FBlocks;
    std::string FUtf8;
};
