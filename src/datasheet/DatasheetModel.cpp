#include "datasheet/DatasheetModel.h"

#include "datasheet/StringGrid.h"

#include <exception>

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
    try {
        FGrid.SetCell(index.column() + 1, index.row() + 1, value.toString());
    } catch (const std::exception&) {
        return false;  // the grid could not take the text (out of room)
    }
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
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
