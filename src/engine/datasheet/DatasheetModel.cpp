#include "engine/datasheet/DatasheetModel.h"

#include "engine/datasheet/StringGrid.h"

#include <QLatin1StringView>

#include <algorithm>
#include <exception>

namespace {

bool NeedsQuotes(QStringView text)
{
    for (QChar ch : text)
        if (ch == QLatin1Char('\t') || ch == QLatin1Char('\n') || ch == QLatin1Char('\r') || ch == QLatin1Char('"'))
            return true;
    return false;
}

bool IsAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (static_cast<unsigned char>(c) & 0x80) == 0; });
}

bool NameInUse(const TAdvStringGrid& grid, const QString& name)
{
    for (int c = 1; c < grid.ColCount(); ++c)
        if (grid.Cells(c, 0).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

}  // namespace

TDatasheetModel::TDatasheetModel(TAdvStringGrid& grid, QObject* parent)
    : QAbstractTableModel(parent),
      FGrid(grid)
{
}

int TDatasheetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FGrid.RowCount() - 1;
}

int TDatasheetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FGrid.ColCount() - 1;
}

QVariant TDatasheetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return FGrid.Cells(index.column() + 1, index.row() + 1);
    return QVariant();
}

bool TDatasheetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const int col = index.column() + 1;
    const int row = index.row() + 1;
    const QString before = FGrid.Cells(col, row);
    const QString after = value.toString();
    if (before == after)
        return true;
    try {
        FGrid.SetCell(col, row, after);
    } catch (const std::exception&) {
        return false;  // the grid could not take the text (out of room)
    }
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    Q_EMIT CellEdited(col, row, before, after);
    return true;
}

QVariant TDatasheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole)
            return FGrid.Cells(section + 1, 0);
        return QVariant();
    }
    if (role == Qt::DisplayRole)
        return QString::number(section + 1);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    return QVariant();
}

Qt::ItemFlags TDatasheetModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

void TDatasheetModel::Reset()
{
    beginResetModel();
    endResetModel();
}

void TDatasheetModel::CellsChanged()
{
    const int rows = rowCount();
    const int cols = columnCount();
    if (rows > 0 && cols > 0)
        Q_EMIT dataChanged(index(0, 0), index(rows - 1, cols - 1));
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, std::max(cols - 1, 0));
}

QString TDatasheetModel::CopyText(const TAdvStringGrid& grid, const TGridRect& rect)
{
    QString out;
    for (int r = rect.Top; r <= rect.Bottom; ++r) {
        if (r > rect.Top)
            out += QLatin1Char('\n');
        for (int c = rect.Left; c <= rect.Right; ++c) {
            if (c > rect.Left)
                out += QLatin1Char('\t');
            QString cell = grid.Cells(c, r);
            if (NeedsQuotes(cell))
                cell = QLatin1Char('"') + cell.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
            out += cell;
        }
    }
    // A last line holding one empty cell would vanish as a trailing line break.
    if (!rect.IsEmpty() && rect.Left == rect.Right && grid.IsCellEmpty(rect.Right, rect.Bottom))
        out += QLatin1Char('\n');
    return out;
}

QList<QStringList> TDatasheetModel::ParseTabText(const QString& text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        if (text[i] == QLatin1Char('"') && field.isEmpty()) {
            // Quoted: up to the quote that is not doubled; the rest up to the
            // next tab or line break is kept as it stands.
            ++i;
            while (i < n) {
                if (text[i] == QLatin1Char('"')) {
                    if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                        field += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
        }
        while (i < n && text[i] != QLatin1Char('\t') && text[i] != QLatin1Char('\n') && text[i] != QLatin1Char('\r'))
            field += text[i++];
        row << field;
        field.clear();
        if (i >= n)
            break;
        if (text[i] == QLatin1Char('\t')) {
            ++i;
            if (i == n)
                row << QString();  // a tab at the very end ends an empty last field
            continue;
        }
        // A line break: CR LF counts once.
        if (text[i] == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        ++i;
        rows << row;
        row.clear();
    }
    if (!row.isEmpty())
        rows << row;
    return rows;
}

TGridRect TDatasheetModel::PasteText(TAdvStringGrid& grid, int col, int row, const QString& text)
{
    const QList<QStringList> rows = ParseTabText(text);
    int width = 0;
    for (const QStringList& r : rows)
        width = std::max(width, int(r.size()));
    if (rows.isEmpty() || width == 0)
        return TGridRect();
    col = std::max(col, 1);
    row = std::max(row, 1);
    const qint64 lastCol = qint64(col) + width - 1;
    const qint64 lastRow = qint64(row) + rows.size() - 1;
    if (lastCol >= grid.ColCount()) {
        int next = 2;
        while (grid.ColCount() <= lastCol) {
            const int c = grid.ColCount();
            grid.SetColCount(c + 1);  // throws at the column limit
            QString name;
            do
                name = QStringLiteral("Data%1").arg(next++);
            while (NameInUse(grid, name));
            grid.SetCell(c, 0, name);
        }
    }
    if (lastRow >= grid.RowCount())
        grid.SetRowCount(int(std::min<qint64>(lastRow + 1, TAdvStringGrid::kMaxRowCount)));
    for (int r = 0; r < rows.size() && row + r < grid.RowCount(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            grid.SetCell(col + c, row + r, rows[r][c]);
    return TGridRect{col, row, int(lastCol), int(std::min<qint64>(lastRow, grid.RowCount() - 1))};
}

QPoint TDatasheetModel::FindNext(const TAdvStringGrid& grid, const QString& input, int col, int row)
{
    const int cols = grid.ColCount() - 1;
    const int rows = grid.RowCount() - 1;
    if (input.trimmed().isEmpty() || cols < 1 || rows < 1)
        return QPoint(-1, -1);
    const bool findEmpty = input == QLatin1String("\"\"");
    const QString upper = input.toUpper();
    const QByteArray upperBytes = upper.toUtf8();
    const bool needleAscii = IsAscii(upperBytes);
    const qint64 total = qint64(cols) * rows;
    const qint64 start = qint64(std::clamp(col, 1, cols) - 1) * rows + (std::clamp(row, 1, rows) - 1);
    for (qint64 step = 1; step <= total; ++step) {
        const qint64 at = (start + step) % total;
        const int c = int(at / rows) + 1;
        const int r = int(at % rows) + 1;
        const QByteArrayView cell = grid.CellUtf8(c, r);
        bool hit;
        if (findEmpty)
            hit = cell.isEmpty();
        else if (IsAscii(cell))  // ASCII upper-cases to ASCII: a non-ASCII needle cannot match
            hit = needleAscii && QLatin1StringView(cell).contains(QLatin1StringView(upperBytes), Qt::CaseInsensitive);
        else
            hit = QString::fromUtf8(cell).toUpper().contains(upper);
        if (hit)
            return QPoint(c, r);
    }
    return QPoint(-1, -1);
}
