// The datasheet grid as a table model for a QTableView: model row i is grid
// row i + 1 and model column j grid column j + 1. Row 0 (the column names) is
// the horizontal header, the row numbers the vertical header; column 0 of the
// grid is not a model column. Only the rows the view paints are ever read.
//
// It also carries the grid-level pieces of spreadsheet-style editing that need
// no window: tab-separated text for the clipboard and a search that continues
// from a cell.
#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QPoint>
#include <QStringList>

class TAdvStringGrid;
struct TGridRect;

class TDatasheetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TDatasheetModel(TAdvStringGrid& grid, QObject* parent = nullptr);

    TAdvStringGrid& Grid() const { return FGrid; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Writing the text a cell already holds changes nothing and reports no edit.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Tells the views that the grid changed in shape or order.
    void Reset();
    // Tells the views that cell texts changed, not the shape.
    void CellsChanged();

    // --- Clipboard text ---------------------------------------------------------
    // The cells of a rectangle (grid coordinates) as tab-separated lines, the way
    // spreadsheet programs exchange them: a cell holding a tab, a line break or a
    // double quote is enclosed in double quotes with its quotes doubled.
    static QString CopyText(const TAdvStringGrid& grid, const TGridRect& rect);
    // Splits such text into rows of fields; a line break at the very end does
    // not start another row. Line breaks may be LF, CR LF or CR.
    static QList<QStringList> ParseTabText(const QString& text);
    // Writes tab-separated text into the grid with its first field at (col, row),
    // adding data rows as needed, and data columns (named "Data2", "Data3" ...,
    // skipping names in use) when the block is wider than the grid. Returns the
    // rectangle written; empty when the text holds no field.
    static TGridRect PasteText(TAdvStringGrid& grid, int col, int row, const QString& text);

    // --- Search ---------------------------------------------------------------------
    // The data cell after (col, row) that matches the input (as the datasheet's
    // search does: a substring ignoring case, "" finding an empty cell), going
    // down each column and on to the next, wrapping round to (1, 1) and ending
    // with (col, row) itself. (-1, -1) when no cell matches or the input is blank.
    static QPoint FindNext(const TAdvStringGrid& grid, const QString& input, int col, int row);

Q_SIGNALS:
    // A cell was changed through setData (grid coordinates).
    void CellEdited(int col, int row, const QString& before, const QString& after);

private:
    TAdvStringGrid& FGrid;
};
