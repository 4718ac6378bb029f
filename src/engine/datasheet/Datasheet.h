// TDatasheet: the variable data behind a label, without any window.
//
// It owns the datasheet grid StrGrid_Data (source name "DataGrid": row 0 holds
// the column names, column 0 is the row-number column, data cells start at
// (1, 1)) and the print grid StrGrid_Print (source name "PrintGrid": the column
// names once, then every data row repeated by its tag quantity, rows shared by
// reference with the datasheet). It carries the datasheet through label files
// as TDatasheetBlock, and offers every datasheet command as a plain method; the
// window TFM_Data asks the questions and calls them.
#pragma once

#include "barcode/Outcome.h"
#include "engine/datasheet/Import.h"
#include "engine/datasheet/StringGrid.h"
#include "document/DatasheetBlock.h"

#include <QPoint>
#include <QString>
#include <QStringList>

// A loader that fills a grid from a file (ImportDataFile by default).
using TImportLoader = std::function<bool(const QString& path, TCellGridWriter& grid, const TTablePicker& pickTable)>;

// What the datasheet needs of the label's bound objects: the barcode, text and
// picture objects of the document's first layer, in layer order. The data
// binding code implements it over the document; ClearStaleBindings uses it.
class TDataBindingSite {
public:
    virtual ~TDataBindingSite() = default;
    virtual int BoundObjectCount() const = 0;
    // DataOrigin: 0 constant, 1 datasheet column, 2 date/time function.
    virtual int DataOrigin(int index) const = 0;
    virtual QString DataExpression(int index) const = 0;
    virtual void SetDataOrigin(int index, int origin) = 0;
};

class TDatasheet : public TDatasheetBlock {
public:
    static const QString TagQtyColumnName;  // "*TAGQTY*"
    static const QString DataGridSource;    // "DataGrid"
    static const QString PrintGridSource;   // "PrintGrid"
    static constexpr int RowNumberColWidth = 50;
    static constexpr int FirstColWidth = 115;

    // A new datasheet: column 1 named "Data1", one empty data row; the print
    // grid built from it.
    TDatasheet();

    TAdvStringGrid StrGrid_Data;
    TAdvStringGrid StrGrid_Print;

    // --- Lookups -----------------------------------------------------------------
    // First data column (from 1) whose trimmed name equals the trimmed name with
    // the letters a-z upper-cased on both sides; -1 when there is none.
    int FindDataColumn(QStringView name) const;
    // First print grid column (from 1) whose trimmed name equals the trimmed
    // name exactly; -1 when there is none.
    int FindPrintGridColumn(QStringView name) const;
    // The tag quantity column ("*TAGQTY*" found by FindDataColumn), or -1.
    int TagQtyColumn() const;

    // The grid a source name selects ("DataGrid" or "PrintGrid", any letter
    // case); nullptr for any other name.
    const TAdvStringGrid* GridBySource(QStringView sourceName) const;
    TAdvStringGrid* GridBySource(QStringView sourceName);
    // Column (from 1) of a grid whose trimmed name equals the trimmed column
    // name exactly (case matters); -1 when there is none.
    static int FindColumnExact(const TAdvStringGrid& grid, QStringView columnName);
    // The cell of the named column in a row of the selected grid, as stored;
    // empty when the source, the column or the row does not exist. This is the
    // lookup data binding reads its values with.
    QString LookupCell(QStringView columnName, int row, QStringView sourceName) const;

    // --- Print grid ----------------------------------------------------------------
    // Rebuilds the print grid from all rows: row 0 once, then each data row as
    // often as its tag quantity says (a quantity that is not an integer repeats
    // the previous row's count; 0 or less leaves the row out). The print grid's
    // current row becomes the datasheet's current row.
    void BuildPrintGrid() override;
    // Rebuilds the print grid from the current row only: row 0, then the
    // current row as often as its tag quantity says (1 when there is no tag
    // column or the text is not an integer).
    void BuildPrintGridCurrentRow();
    // True when the last build stopped at TAdvStringGrid::kMaxRowCount rows
    // because the tag quantities asked for more.
    bool PrintGridTruncated() const { return FPrintGridTruncated; }

    // One column "Data1" with one empty data row; then BuildPrintGrid.
    void ResetDatasheet();
    // Takes the other datasheet's grids (a file read into a fresh datasheet);
    // the binding site stays this one's. The other is left empty.
    void TakeContentFrom(TDatasheet& other);

    // Objects bound to a column the print grid does not have become constant
    // (DataOrigin 0, their value stays). Returns how many changed; 0 without a
    // binding site.
    int ClearStaleBindings();
    void SetBindingSite(TDataBindingSite* site) { FBindingSite = site; }
    TDataBindingSite* BindingSite() const { return FBindingSite; }

    // --- Commands (on the datasheet's current cell and selection) ---------------
    // Inserts an empty row at the current row (row 1 when there are no data
    // rows); its tag quantity becomes "1" when the tag column exists.
    void InsertBlankRow();
    void ClearCurrentRow();
    void DeleteCurrentRow();
    // One empty data row remains; columns and names stay.
    void DeleteAllRows();
    // Appends a column named with the trimmed input. Returns the error message
    // for a blank or existing name (nothing changes then), else an empty text.
    QString AddColumn(const QString& input);
    // Renames the current column. Returns the error message when the name
    // exists, else an empty text (also when nothing changed).
    QString RenameColumn(const QString& input);
    void ClearCurrentColumn();
    // Removes the current column; with a single data column, ResetDatasheet.
    void DeleteCurrentColumn();
    void DeleteAllColumns() { ResetDatasheet(); }
    void ClearSelectedCells();
    // Every cell, column names included, becomes empty.
    void ClearAllData();
    // Appends "*TAGQTY*" with "1" in every data row; false when it exists.
    bool AddTagColumn();
    // Removes the tag column (ResetDatasheet when it is the only data column);
    // false when there is none.
    bool RemoveTagColumn();
    // Writes text into the current data cell.
    void SetCurrentCellText(const QString& text);
    // Writes values into the current column from the current row down, growing
    // the row count when needed.
    void FillSequence(const QStringList& values);
    // Searches the data cells column by column from (1, 1), each column top to
    // bottom, for the input as a substring ignoring case; the input "" (two
    // double quotes) finds an empty cell. The first match becomes the current
    // cell and is returned; (-1, -1) when nothing matched or the input is blank.
    QPoint Search(const QString& input);
    // Stable sort of the data rows by a column (at least two data rows).
    void SortByColumn(int col, bool ascending);

    // Imports a data file into the datasheet: the datasheet is emptied, the
    // loader fills it and a row-number column is inserted at 0. Refused when
    // nothing was imported, and then the datasheet is exactly as it was: with
    // the reason when the file could not be read or did not fit in a
    // datasheet, with no message when the loader took nothing (no loader for
    // the file's type, or the table picker was cancelled).
    TDone ImportFile(const QString& path, const TTablePicker& pickTable);
    TDone ImportFile(const QString& path, const TTablePicker& pickTable, const TImportLoader& loader);
    // The loader's warnings about the file of the last ImportFile (see
    // ImportWarning): notes for the user on data that was imported anyway.
    const QStringList& ImportWarnings() const { return FImportWarnings; }

    // --- Label file block ------------------------------------------------------------
    QByteArray WriteBlock() override;
    void ReadBlock(const QByteArray& block) override;

private:
    TDataBindingSite* FBindingSite = nullptr;
    QStringList FImportWarnings;
    bool FPrintGridTruncated = false;
};
