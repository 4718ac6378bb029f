#include "engine/datasheet/Datasheet.h"

#include "document/Tr.h"
#include "engine/datasheet/DatasheetStream.h"
#include "engine/datasheet/DatasheetText.h"
#include "engine/datasheet/ImportSupport.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>

using datasheettext::TrimBlanks;
using datasheettext::TryStrToInt;
using datasheettext::UpperAsciiLetters;

const QString TDatasheet::TagQtyColumnName = QStringLiteral("*TAGQTY*");
const QString TDatasheet::DataGridSource = QStringLiteral("DataGrid");
const QString TDatasheet::PrintGridSource = QStringLiteral("PrintGrid");

namespace {

bool IsAscii(QByteArrayView t)
{
    for (char c : t)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

char UpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 32) : c;
}

// Does ASCII text hold the (upper-case ASCII) needle, ignoring case?
bool ContainsUpperAscii(QByteArrayView text, QByteArrayView needle)
{
    const qsizetype n = needle.size();
    if (n > text.size())
        return false;
    const char first = needle[0];
    for (qsizetype i = 0; i + n <= text.size(); ++i) {
        if (UpperAscii(text[i]) != first)
            continue;
        qsizetype k = 1;
        while (k < n && UpperAscii(text[i + k]) == needle[k])
            ++k;
        if (k == n)
            return true;
    }
    return false;
}

}  // namespace

TDatasheet::TDatasheet()
{
    StrGrid_Data.SetColWidth(0, RowNumberColWidth);
    StrGrid_Data.SetColWidth(1, FirstColWidth);
    StrGrid_Data.SetCell(1, 0, u"Data1");
    StrGrid_Data.SetCurrent(1, 1);
    StrGrid_Data.SetSelection({1, 1, 1, 1});
    BuildPrintGrid();
}

// ---------------------------------------------------------------------------
// Lookups

int TDatasheet::FindDataColumn(QStringView name) const
{
    const QString wanted = UpperAsciiLetters(TrimBlanks(name));
    for (int c = 1; c < StrGrid_Data.ColCount(); ++c) {
        const QString header = StrGrid_Data.Cells(c, 0);
        if (UpperAsciiLetters(TrimBlanks(header)) == wanted)
            return c;
    }
    return -1;
}

int TDatasheet::FindColumnExact(const TAdvStringGrid& grid, QStringView columnName)
{
    const QStringView wanted = TrimBlanks(columnName);
    for (int c = 1; c < grid.ColCount(); ++c) {
        const QString header = grid.Cells(c, 0);
        if (TrimBlanks(header) == wanted)
            return c;
    }
    return -1;
}

int TDatasheet::FindPrintGridColumn(QStringView name) const
{
    return FindColumnExact(StrGrid_Print, name);
}

int TDatasheet::TagQtyColumn() const
{
    return FindDataColumn(TagQtyColumnName);
}

const TAdvStringGrid* TDatasheet::GridBySource(QStringView sourceName) const
{
    if (sourceName.compare(DataGridSource, Qt::CaseInsensitive) == 0)
        return &StrGrid_Data;
    if (sourceName.compare(PrintGridSource, Qt::CaseInsensitive) == 0)
        return &StrGrid_Print;
    return nullptr;
}

TAdvStringGrid* TDatasheet::GridBySource(QStringView sourceName)
{
    return const_cast<TAdvStringGrid*>(static_cast<const TDatasheet*>(this)->GridBySource(sourceName));
}

QString TDatasheet::LookupCell(QStringView columnName, int row, QStringView sourceName) const
{
    const TAdvStringGrid* grid = GridBySource(sourceName);
    if (!grid || row < 0 || row >= grid->RowCount())
        return QString();
    const int col = FindColumnExact(*grid, columnName);
    if (col < 0)
        return QString();
    return grid->Cells(col, row);
}

// ---------------------------------------------------------------------------
// Print grid

void TDatasheet::BuildPrintGrid()
{
    FPrintGridTruncated = false;
    const int tag = TagQtyColumn();
    if (tag < 0) {
        StrGrid_Print.AssignAllRowsFrom(StrGrid_Data);
    } else {
        const int rows = StrGrid_Data.RowCount();
        const std::size_t limit = std::size_t(TAdvStringGrid::kMaxRowCount);
        std::vector<std::uint32_t> list;
        list.reserve(std::size_t(rows));
        int count = 1;
        for (int r = 0; r < rows; ++r) {
            int v = 0;
            if (TryStrToInt(StrGrid_Data.CellUtf8(tag, r), v))
                count = v;
            if (count <= 0)
                continue;
            if (std::size_t(count) > limit - list.size()) {
                list.insert(list.end(), limit - list.size(), std::uint32_t(r));
                FPrintGridTruncated = true;
                break;
            }
            list.insert(list.end(), std::size_t(count), std::uint32_t(r));
        }
        StrGrid_Print.AssignRowsFrom(StrGrid_Data, std::move(list));
    }
    StrGrid_Print.SetCurrent(StrGrid_Data.Col(), StrGrid_Data.Row());
}

void TDatasheet::BuildPrintGridCurrentRow()
{
    FPrintGridTruncated = false;
    std::vector<std::uint32_t> list{0};
    const int row = StrGrid_Data.Row();
    if (row >= 1 && row < StrGrid_Data.RowCount()) {
        int count = 1;
        const int tag = TagQtyColumn();
        int v = 0;
        if (tag >= 0 && TryStrToInt(StrGrid_Data.CellUtf8(tag, row), v))
            count = v;
        if (count > 0) {
            if (count > TAdvStringGrid::kMaxRowCount - 1) {
                count = TAdvStringGrid::kMaxRowCount - 1;
                FPrintGridTruncated = true;
            }
            list.insert(list.end(), std::size_t(count), std::uint32_t(row));
        }
    }
    StrGrid_Print.AssignRowsFrom(StrGrid_Data, std::move(list));
    StrGrid_Print.SetCurrent(StrGrid_Data.Col(), 1);
}

void TDatasheet::ResetDatasheet()
{
    TAdvStringGrid& g = StrGrid_Data;
    if (g.ColCount() > 2)
        g.RemoveCols(2, g.ColCount() - 2);
    if (g.ColCount() < 2)
        g.SetColCount(2);
    if (g.RowCount() > 2)
        g.RemoveRows(1, g.RowCount() - 2);
    if (g.RowCount() < 2)
        g.SetRowCount(2);
    g.SetCell(1, 0, u"Data1");
    g.SetCell(1, 1, QStringView());
    g.SetCurrent(1, 1);
    g.SetSelection({1, 1, 1, 1});
    BuildPrintGrid();
}

void TDatasheet::TakeContentFrom(TDatasheet& other)
{
    StrGrid_Data = std::move(other.StrGrid_Data);
    StrGrid_Print = std::move(other.StrGrid_Print);
    FPrintGridTruncated = other.FPrintGridTruncated;
    FImportWarnings = std::move(other.FImportWarnings);
}

int TDatasheet::ClearStaleBindings()
{
    if (!FBindingSite)
        return 0;
    int changed = 0;
    const int count = FBindingSite->BoundObjectCount();
    for (int i = 0; i < count; ++i) {
        if (FBindingSite->DataOrigin(i) != 1)
            continue;
        if (FindPrintGridColumn(FBindingSite->DataExpression(i)) == -1) {
            FBindingSite->SetDataOrigin(i, 0);
            ++changed;
        }
    }
    return changed;
}

// ---------------------------------------------------------------------------
// Commands

void TDatasheet::InsertBlankRow()
{
    TAdvStringGrid& g = StrGrid_Data;
    const int row = std::max(g.Row(), 1);
    g.InsertRows(row, 1);
    const int tag = TagQtyColumn();
    if (tag >= 0)
        g.SetCell(tag, row, u"1");
    g.SetRow(row);
}

void TDatasheet::ClearCurrentRow()
{
    if (StrGrid_Data.Row() >= 1)
        StrGrid_Data.ClearRows(StrGrid_Data.Row(), 1);
}

void TDatasheet::DeleteCurrentRow()
{
    TAdvStringGrid& g = StrGrid_Data;
    if (g.Row() < 1 || g.RowCount() < 2)
        return;
    g.RemoveRows(g.Row(), 1);
    g.SetSelection({g.Col(), g.Row(), g.Col(), g.Row()});
}

void TDatasheet::DeleteAllRows()
{
    TAdvStringGrid& g = StrGrid_Data;
    if (g.RowCount() > 2)
        g.RemoveRows(1, g.RowCount() - 2);
    if (g.RowCount() < 2)
        g.SetRowCount(2);
    g.ClearRows(1, 1);
    g.SetRow(1);
    g.SetSelection({g.Col(), 1, g.Col(), 1});
}

QString TDatasheet::AddColumn(const QString& input)
{
    const QStringView name = TrimBlanks(input);
    if (name.isEmpty() || FindDataColumn(name) != -1)
        return Tr("TDatasheet", "You input a blank name or this name has been exist!");
    TAdvStringGrid& g = StrGrid_Data;
    const int col = g.ColCount();
    g.InsertCols(col, 1);
    g.SetCell(col, 0, name);
    return QString();
}

QString TDatasheet::RenameColumn(const QString& input)
{
    TAdvStringGrid& g = StrGrid_Data;
    const int col = g.Col();
    if (col < 1)
        return QString();
    const QStringView name = TrimBlanks(input);
    const QString current = g.Cells(col, 0);
    if (name == TrimBlanks(current))
        return QString();
    if (FindDataColumn(name) != -1)
        return Tr("TDatasheet", "Column '%1' has been exist!").arg(name);
    if (!name.isEmpty())
        g.SetCell(col, 0, name);
    return QString();
}

void TDatasheet::ClearCurrentColumn()
{
    if (StrGrid_Data.Col() >= 1)
        StrGrid_Data.ClearColumnFrom(StrGrid_Data.Col(), 1);
}

void TDatasheet::DeleteCurrentColumn()
{
    TAdvStringGrid& g = StrGrid_Data;
    if (g.Col() < 1)
        return;
    if (g.ColCount() >= 3) {
        g.RemoveCols(g.Col(), 1);
        g.SetSelection({g.Col(), g.Row(), g.Col(), g.Row()});
    } else {
        ResetDatasheet();
    }
}

void TDatasheet::ClearSelectedCells()
{
    StrGrid_Data.ClearSelection();
}

void TDatasheet::ClearAllData()
{
    StrGrid_Data.ClearAll();
}

bool TDatasheet::AddTagColumn()
{
    if (TagQtyColumn() != -1)
        return false;
    TAdvStringGrid& g = StrGrid_Data;
    const int col = g.ColCount();
    g.InsertCols(col, 1);
    g.SetCell(col, 0, TagQtyColumnName);
    g.FillCells(col, 1, g.RowCount() - 1, u"1");
    return true;
}

bool TDatasheet::RemoveTagColumn()
{
    const int tag = TagQtyColumn();
    if (tag == -1)
        return false;
    if (StrGrid_Data.ColCount() <= 2)
        ResetDatasheet();
    else
        StrGrid_Data.RemoveCols(tag, 1);
    return true;
}

void TDatasheet::SetCurrentCellText(const QString& text)
{
    TAdvStringGrid& g = StrGrid_Data;
    if (g.Col() >= 1 && g.Row() >= 1)
        g.SetCell(g.Col(), g.Row(), text);
}

void TDatasheet::FillSequence(const QStringList& values)
{
    TAdvStringGrid& g = StrGrid_Data;
    if (values.isEmpty())
        return;
    const int col = std::max(g.Col(), 1);
    const int row = std::max(g.Row(), 1);
    const qint64 needed = qint64(row) + values.size();
    if (needed > g.RowCount())
        g.SetRowCount(int(std::min<qint64>(needed, TAdvStringGrid::kMaxRowCount)));
    for (int i = 0; i < values.size() && row + i < g.RowCount(); ++i)
        g.SetCell(col, row + i, values[i]);
}

QPoint TDatasheet::Search(const QString& input)
{
    if (TrimBlanks(input).isEmpty())
        return QPoint(-1, -1);
    TAdvStringGrid& g = StrGrid_Data;
    const bool findEmpty = input == QLatin1String("\"\"");
    const QString upper = input.toUpper();
    const QByteArray upperBytes = upper.toUtf8();
    const bool needleAscii = IsAscii(upperBytes);
    for (int c = 1; c < g.ColCount(); ++c) {
        for (int r = 1; r < g.RowCount(); ++r) {
            const QByteArrayView cell = g.CellUtf8(c, r);
            bool hit;
            if (findEmpty)
                hit = cell.isEmpty();
            else if (IsAscii(cell))
                hit = needleAscii && ContainsUpperAscii(cell, upperBytes);  // upper-cased ASCII stays ASCII
            else
                hit = QString::fromUtf8(cell).toUpper().contains(upper);
            if (hit) {
                g.SetCurrent(c, r);
                g.SetSelection({c, r, c, r});
                return QPoint(c, r);
            }
        }
    }
    return QPoint(-1, -1);
}

void TDatasheet::SortByColumn(int col, bool ascending)
{
    TAdvStringGrid& g = StrGrid_Data;
    if (col < 1 || col >= g.ColCount() || g.RowCount() < 3)
        return;
    g.SortRows(col, ascending, 1, g.RowCount() - 1);
}

TDone TDatasheet::ImportFile(const QString& path, const TTablePicker& pickTable)
{
    return ImportFile(path, pickTable, ImportDataFile);
}

TDone TDatasheet::ImportFile(const QString& path, const TTablePicker& pickTable, const TImportLoader& loader)
{
    // The old content moves aside untouched, so that it comes back exactly.
    TAdvStringGrid saved = std::move(StrGrid_Data);
    StrGrid_Data = TAdvStringGrid(1, 1);
    bool imported = false;
    FImportWarnings.clear();
    TImportWarnings warnings;
    try {
        imported = loader(path, StrGrid_Data, pickTable);
        if (imported)
            StrGrid_Data.InsertCols(0, 1);  // the row-number column; fails when the file filled every column
    } catch (const std::exception& e) {
        // A file that cannot be read, does not fit, or runs out of memory.
        StrGrid_Data = std::move(saved);
        return Refuse(QString::fromUtf8(e.what()));
    }
    if (!imported) {
        StrGrid_Data = std::move(saved);
        return Refuse(QString());
    }
    FImportWarnings = warnings.List();
    TAdvStringGrid& g = StrGrid_Data;
    g.SetColWidth(0, RowNumberColWidth);
    g.SetCurrent(1, 1);
    g.SetSelection({g.Col(), g.Row(), g.Col(), g.Row()});
    return {};
}

// ---------------------------------------------------------------------------
// Label file block

QByteArray TDatasheet::WriteBlock()
{
    return WriteDatasheetStream(StrGrid_Data);
}

void TDatasheet::ReadBlock(const QByteArray& block)
{
    ReadDatasheetStream(StrGrid_Data, block);
    StrGrid_Data.SetCurrent(1, 1);
    StrGrid_Data.SetSelection({StrGrid_Data.Col(), StrGrid_Data.Row(), StrGrid_Data.Col(), StrGrid_Data.Row()});
}
