// TAdvStringGrid: a window-free table of text cells, the store behind the
// datasheet and the print grid.
//
// Cells are addressed (column, row) from 0. Every grid has at least one column
// and one row. Cell text is kept as UTF-8 in an append-only text arena; each
// column holds, per physical row slot, an (offset, length) reference into it,
// in pages of up to 4096 references (sized to the slots used) that are shared
// between grids and copied on write. A row-order vector maps the grid's rows to slots, so inserting,
// removing, moving and sorting rows only permutes indices, and another grid can
// show rows of this one by reference (the print grid repeats rows that way).
// Copying a grid is cheap: both copies share pages and text until one of them
// changes a cell.
//
// Text handed out as QByteArrayView stays valid while the grid (or any grid
// sharing its text) lives; the arena never moves or rewrites text, except that a
// grid may move its own cells into a fresh arena when most of its old one has
// become garbage (the old arena lives on while another grid still uses it).
#pragma once

#include "engine/datasheet/CellGridWriter.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace gridstore {

struct TCellRef {
    std::uint32_t off = 0;
    std::uint32_t len = 0;  // 0: empty cell
};

constexpr int kPageBits = 12;
constexpr std::uint32_t kPageSize = 1u << kPageBits;
constexpr std::uint32_t kPageMask = kPageSize - 1;

// A page holds up to kPageSize references; it grows as its slots are written,
// so a column of a few rows costs a few references, not a whole page. Slots at
// or beyond cells.size() are empty.
struct TCellPage {
    std::vector<TCellRef> cells;
    TCellRef* Find(std::uint32_t index) { return index < cells.size() ? &cells[index] : nullptr; }
    const TCellRef* Find(std::uint32_t index) const { return index < cells.size() ? &cells[index] : nullptr; }
    TCellRef& At(std::uint32_t index)
    {
        if (index >= cells.size()) {
            std::size_t size = std::max<std::size_t>(cells.size(), 4);
            while (size <= index)
                size *= 2;
            cells.resize(std::min<std::size_t>(size, kPageSize));
        }
        return cells[index];
    }
};
using TPagePtr = std::shared_ptr<TCellPage>;

// One column: its cell references by slot. Missing or null pages are empty.
struct TColumn {
    std::vector<TPagePtr> pages;
};

class TTextArena;

}  // namespace gridstore

// A rectangle of cells, inclusive; Left/Top the first, Right/Bottom the last.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = -1;
    int Bottom = -1;
    bool IsEmpty() const { return Right < Left || Bottom < Top; }
    bool operator==(const TGridRect& o) const
    {
        return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
    }
};

// A datasheet asked to hold more rows, columns or text than it can.
class EDatasheetLimit : public std::length_error {
public:
    explicit EDatasheetLimit(const std::string& message) : std::length_error(message) {}
};

class TAdvStringGrid : public TCellGridWriter {
public:
    static constexpr int kDefaultColWidth = 64;
    static constexpr int kMaxColCount = 16384;
    static constexpr int kMaxRowCount = 1 << 25;

    explicit TAdvStringGrid(int colCount = 2, int rowCount = 2);
    TAdvStringGrid(const TAdvStringGrid&);
    TAdvStringGrid& operator=(const TAdvStringGrid&);
    TAdvStringGrid(TAdvStringGrid&&) noexcept;
    TAdvStringGrid& operator=(TAdvStringGrid&&) noexcept;
    ~TAdvStringGrid() override;

    // --- Shape ---------------------------------------------------------------
    int ColCount() const override { return int(FCols.size()); }
    int RowCount() const override { return FRowCount; }
    // Counts below 1 become 1; counts beyond kMaxColCount / kMaxRowCount throw
    // EDatasheetLimit. Growing adds empty cells (new columns of the default
    // width); shrinking drops the cells beyond.
    void SetColCount(int count) override;
    void SetRowCount(int count) override;

    int ColWidth(int col) const;  // kDefaultColWidth when out of range
    void SetColWidth(int col, int width);  // clamped to 0..32767; ignored when out of range
    const std::vector<int>& ColWidths() const { return FWidths; }

    // --- Cells ---------------------------------------------------------------
    // The cell's text; empty when the cell lies outside the grid.
    QString Cells(int col, int row) const;
    // The cell's UTF-8 bytes (see the lifetime note above); empty outside.
    QByteArrayView CellUtf8(int col, int row) const;
    bool IsCellEmpty(int col, int row) const { return CellUtf8(col, row).isEmpty(); }
    // Writes a cell. A cell beyond ColCount/RowCount grows the grid to hold it
    // (within the limits above); negative indices throw std::out_of_range.
    void SetCell(int col, int row, QStringView text) override;
    void SetCellUtf8(int col, int row, QByteArrayView utf8);
    // Writes the same text into rows firstRow..firstRow+count-1 of a column,
    // storing the text once.
    void FillCells(int col, int firstRow, int count, QStringView text) override;
    // Visits every non-empty cell, row by row and within a row column by
    // column: visit(col, row, utf8). It costs what the grid holds, not its
    // area, so a vast and nearly empty grid is walked at once.
    void ForEachCell(const std::function<void(int col, int row, QByteArrayView utf8)>& visit) const;

    // --- Current cell and selection -------------------------------------------
    int Col() const { return FCol; }
    int Row() const { return FRow; }
    void SetCol(int col);  // clamped into the grid
    void SetRow(int row);
    void SetCurrent(int col, int row)
    {
        SetCol(col);
        SetRow(row);
    }
    TGridRect Selection() const { return FSel; }
    void SetSelection(const TGridRect& rect);  // clipped to the grid

    // --- Operations --------------------------------------------------------------
    // Rows from index on move down by count; count empty rows appear at index
    // (index may be RowCount: append). The current row keeps its number.
    void InsertRows(int index, int count);
    // Rows index..index+count-1 disappear (clipped to the grid); count <= 0 does
    // nothing. At least one row always remains.
    void RemoveRows(int index, int count);
    // Columns from index on move right; count empty columns of the default width
    // appear at index.
    void InsertCols(int index, int count);
    // Columns index..index+count-1 disappear with their widths; later columns
    // move left. At least one column always remains.
    void RemoveCols(int index, int count);
    void AddRow() { InsertRows(FRowCount, 1); }
    // Empties every cell of rows index..index+count-1 (column 0 included).
    void ClearRows(int index, int count);
    // Empties every cell of columns index..index+count-1 (row 0 included).
    void ClearCols(int index, int count = 1);
    // Empties the cells of a column from firstRow down to the last row.
    void ClearColumnFrom(int col, int firstRow);
    void ClearRect(const TGridRect& rect);
    void ClearSelection() { ClearRect(FSel); }
    // Empties every cell; counts and widths stay.
    void ClearAll();
    void ClearCells() override { ClearAll(); }
    // Replaces every cell of row dstRow by the cells of row srcRow of src (this
    // grid or another); cells beyond src's columns become empty.
    void RowCopy(int dstRow, const TAdvStringGrid& src, int srcRow);
    // Moves one row (column) so that it ends up at index to; the others close
    // the gap. Out-of-range indices do nothing.
    void MoveRow(int from, int to);
    void MoveColumn(int from, int to);
    // Stable sort of rows firstRow..lastRow by the text of column col: numbers
    // by value first, then other text ignoring case, then empty cells (also
    // blank ones). Descending reverses numbers and text (text before numbers)
    // but keeps empty cells last.
    void SortRows(int col, bool ascending, int firstRow, int lastRow);

    // --- Rows by reference -------------------------------------------------------
    // Makes this grid show rows of src: the same columns and widths, and row i
    // of this grid is row rows[i] of src (rows may repeat; every index must lie
    // inside src). No cell text is copied. Later changes to either grid do not
    // show in the other.
    void AssignRowsFrom(const TAdvStringGrid& src, std::vector<std::uint32_t> rows);
    // The same with every row of src in order.
    void AssignAllRowsFrom(const TAdvStringGrid& src);

    // --- Introspection --------------------------------------------------------------
    // True when both grids read their text from the same arena.
    bool SharesTextWith(const TAdvStringGrid& other) const { return FArena == other.FArena; }
    // Bytes held by this grid's own structures and its arena (shared parts counted).
    std::size_t MemoryUsage() const;
    // Bytes of text appended to this grid's arena so far (live and garbage).
    std::uint64_t ArenaBytes() const;

private:
    using TCellRef = gridstore::TCellRef;

    std::uint32_t Slot(int row) const { return FIdentity ? std::uint32_t(row) : FRowMap[std::size_t(row)]; }
    const TCellRef* RefAt(int col, std::uint32_t slot) const;
    TCellRef& MutableRef(int col, std::uint32_t slot);
    void ClearRef(int col, std::uint32_t slot);
    void MaterializeRowMap();
    void PrepareCellWrite();  // separates shared rows before a cell changes
    char* ReserveText(std::size_t maxLen);
    void StoreText(int col, int row, char* reserved, std::size_t len);
    void AfterTextAppend();
    void Compact();
    void MaybeCompactSlots();
    void EnsureCell(int col, int row);
    void ClampCurrent();
    std::uint64_t LiveTextBytes() const;

    std::shared_ptr<gridstore::TTextArena> FArena;
    std::vector<gridstore::TColumn> FCols;
    std::vector<int> FWidths;
    std::vector<std::uint32_t> FRowMap;  // row -> slot, unless FIdentity
    bool FIdentity = true;               // row r lives in slot r
    bool FAliased = false;               // several rows may share one slot
    int FRowCount = 1;
    std::uint32_t FSlotCount = 1;  // slots at or beyond this are empty in every column
    int FCol = 0;
    int FRow = 0;
    TGridRect FSel;
    std::uint64_t FArenaCheckAt = 0;
};
