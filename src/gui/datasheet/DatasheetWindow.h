// TFM_Data ("Datasheet"): the window over the datasheet. It shows the datasheet
// grid in a table view, offers every datasheet command from its menus, popup
// menu and shortcuts, asks the questions through Dialogs(), and calls the
// window-free commands of TDatasheet. Closing it by any means rebuilds the
// print grid from all rows and clears stale bindings.
//
// Every change made in the window (typing, clearing, deleting, inserting,
// sequences, sorts, drags, pastes, imports) is one step on the window's own
// undo stack; the stack lives as long as the window and is forgotten when the
// datasheet was replaced while the window was closed.
#pragma once

#include "engine/datasheet/Datasheet.h"

#include <QDialog>
#include <QHeaderView>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QTableView;
class QUndoStack;
class TDatasheetModel;
class TFM_Sdata;
class TSheetStep;
class TCellEditStep;

// The vertical header: row numbers drawn right-aligned, the right edge moved
// left by the width of the digit "2".
class TRowNumberHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit TRowNumberHeader(QWidget* parent = nullptr);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};

class TFM_Data : public QDialog {
    Q_OBJECT
public:
    explicit TFM_Data(TDatasheet& datasheet, QWidget* parent = nullptr);
    ~TFM_Data() override;

    // Shows the window modally. The datasheet is edited in place; OK and
    // "Close" keep the edits, Cancel, Esc and the window's close button put
    // the datasheet back as it was when the window opened.
    int Execute();

    TDatasheet& Datasheet() const { return FData; }
    TDatasheetModel* Model() const { return FModel; }
    TFM_Sdata* SequenceDialog() const { return FSdata; }
    QUndoStack* UndoStack() const { return FUndo; }

    // While the window is open: whether anything changed since it opened. Once
    // it has closed: whether it left the datasheet other than it found it
    // (cells, names, order, column widths), so that an edit undone again or a
    // cancelled session is no change. DataChanged is signalled on every change.
    bool Changed() const { return FChanged; }
    // Drops the undo history; for the program to call when it replaces the
    // datasheet (new or opened label). Showing the window does it as well when
    // the datasheet no longer holds what the window left.
    void ForgetHistory();

    // Hooks filled by the program. "Print Current Row Directly" builds the
    // current-row print grid and then calls OnPrintCurrentRow (the main
    // window's print command); "&Help" calls OnHelp with "datasheet.htm".
    std::function<void()> OnPrintCurrentRow;
    std::function<void(const QString& topic)> OnHelp;
    // Lets the user pick a database table on import: the table picker window
    // unless replaced; when cleared, an input box asks for the table name.
    TTablePicker TablePicker;
    // The import loader (ImportDataFile unless replaced).
    TImportLoader ImportLoader;
    // Folder the import and picture dialogs start in.
    QString DataFolder;

    // Controls.
    QTableView* StrGrid_Data;
    QMenuBar* MainMenu;
    QMenu* PMenu_Data;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;
    QLabel* Lab_Status;  // "Row 3 of 200 · Column Code"

    // Commands (each one is a menu entry; the handlers are public so that the
    // program and tests can run them).
    QAction* MI_ImportData;
    QAction* MI_Close;
    QAction* MI_Search;
    QAction* MI_FillSequence;
    QAction* MI_ClearSelected;
    QAction* MI_ClearSelectedPopup;  // "Clear Selectd Cells Data"
    QAction* MI_ClearAll;
    QAction* MI_InsertRow;
    QAction* MI_ClearRow;
    QAction* MI_DeleteRow;
    QAction* MI_DeleteAllRows;
    QAction* MI_AddColumn;
    QAction* MI_RenameColumn;
    QAction* MI_ClearColumn;
    QAction* MI_DeleteColumn;
    QAction* MI_DeleteAllColumns;
    QAction* MI_AddTagColumn;
    QAction* MI_RemoveTagColumn;
    QAction* MI_PrintCurrentRow;
    QAction* MI_InsertPicture;
    QAction* MI_Help;
    QAction* MI_Undo;
    QAction* MI_Redo;
    QAction* MI_Copy;
    QAction* MI_Paste;
    QAction* MI_FindNext;
    QAction* MI_FitColumns;

    void ImportDataClick();
    void SearchClick();
    void FillSequenceClick();
    void ClearSelectedClick();
    void ClearAllClick();
    void InsertRowClick();
    void ClearRowClick();
    void DeleteRowClick();
    void DeleteAllRowsClick();
    void AddColumnClick();
    void RenameColumnClick();
    void ClearColumnClick();
    void DeleteColumnClick();
    void DeleteAllColumnsClick();
    void AddTagColumnClick();
    void RemoveTagColumnClick();
    void PrintCurrentRowClick();
    void InsertPictureClick();
    void HelpClick();
    void UndoClick();
    void RedoClick();
    // The selected cells as tab-separated text on the clipboard.
    void CopyClick();
    // Tab-separated text from the clipboard, from the current cell on.
    void PasteClick();
    // The next match of the last search after the current cell.
    void FindNextClick();
    // Every data column as wide as its name and a sample of its rows need.
    void FitColumnsClick();
    // Delete and Backspace on the grid: the selected cells become empty.
    void ClearCellsKey();
    // Enter committed an edit: the cell below becomes the current one.
    void MoveAfterEnter();
    // Opens the popup menu at a point of the grid's viewport.
    void ShowPopupMenu(const QPoint& pos);
    // A click on a column name (model column).
    void HeaderClick(int section);

    // Shows the datasheet again after it changed outside the window.
    void RefreshView();

    // The width that fits a column's name and its first rows, within limits.
    int FitColumnWidth(int col) const;
    static constexpr int kFitSampleRows = 500;
    static constexpr int kMinFitWidth = 40;
    static constexpr int kMaxFitWidth = 320;

Q_SIGNALS:
    void DataChanged();

public Q_SLOTS:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    friend class TSheetStep;
    friend class TCellEditStep;
    struct TSheetState {
        TAdvStringGrid grid;
        int sortCol = -1;
        bool sortAscending = true;
    };

    TSheetState State() const;
    void RestoreState(const TSheetState& state, bool keepWidths);
    void PushStep(const QString& what, TSheetState before);
    // Runs a change as one undoable step; the change returns false when it
    // changed nothing. A change that throws part way still leaves an undoable step.
    template <typename F>
    bool Step(const QString& what, F change);
    void RestoreCell(int col, int row, const QString& text);
    void NoteChange();
    bool HoldsData() const;
    void ShowFound(QPoint cell, const QString& input);
    void FitColumns(bool all);
    void UpdateStatus();
    QAction* MakeAction(const QString& text, void (TFM_Data::*handler)(), const QKeySequence& key = QKeySequence());
    void RunCommand(void (TFM_Data::*handler)());
    bool Confirm(const QString& text);  // destructive: Cancel is the default
    void CommitEditor();
    void ShowCurrentCell();
    void CellsChanged();
    void ClearSortMark();
    void OnCurrentChanged();
    void OnSelectionChanged();
    void OnSectionResized(int logical, int oldSize, int newSize);
    void OnColumnMoved(int oldVisual, int newVisual);
    void OnRowMoved(int oldVisual, int newVisual);

    TDatasheet& FData;
    TDatasheetModel* FModel;
    TFM_Sdata* FSdata;
    bool FUpdating = false;
    int FSortCol = -1;  // grid column of the sort mark
    bool FSortAscending = true;
    QUndoStack* FUndo;
    bool FChanged = false;
    bool FForgetting = false;
    QString FLastSearch;
    // What the datasheet held when the window last opened and closed.
    TSheetState FOpened;
    TAdvStringGrid FLeft;
    bool FHasLeft = false;
};
