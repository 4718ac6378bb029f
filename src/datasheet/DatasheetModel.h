// The datasheet grid as a table model for a QTableView: model row i is grid
// row i + 1 and model column j grid column j + 1. Row 0 (the column names) is
// the horizontal header, the row numbers the vertical header; column 0 of the
// grid is not a model column. Only the rows the view paints are ever read.
#pragma once

#include <QAbstractTableModel>

class TAdvStringGrid;

class TDatasheetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TDatasheetModel(TAdvStringGrid& grid, QObject* parent = nullptr);

    TAdvStringGrid& Grid() const { return FGrid; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Tells the views that the grid changed in shape or order.
    void Reset();
    // Tells the views that cell texts changed, not the shape.
    void CellsChanged();

private:
    TAdvStringGrid& FGrid;
};
