#include "engine/datasheet/DatasheetModel.h"
#include "engine/datasheet/DatasheetStream.h"
#include "gui/datasheet/DatasheetWindow.h"
#include "engine/datasheet/ImportSupport.h"
#include "gui/datasheet/SequenceDialog.h"

#include "common/DatasheetTestUtil.h"
#include "common/DialogSupport.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QUndoStack>

#include <functional>
#include <stdexcept>

using testsupport::ScopedDialogs;

namespace {

// Also records the default button of every question.
struct TRecordingDialogs : testsupport::ScriptedDialogs {
    using ScriptedDialogs::MessageDlg;
    QList<int> defaults;
    int MessageDlg(const QString& text, TMsgDlgType type, int buttons, int defaultButton) override
    {
        defaults << defaultButton;
        return MessageDlg(text, type, buttons);
    }
};

struct TScopedRecordingDialogs {
    TScopedRecordingDialogs() { SetDialogs(&dialogs); }
    ~TScopedRecordingDialogs() { SetDialogs(nullptr); }
    TRecordingDialogs dialogs;
};

QStringList MenuTexts(const QList<QAction*>& actions)
{
    QStringList out;
    for (QAction* a : actions)
        if (!a->isSeparator())
            out << a->text();
    return out;
}

QMenu* SubMenu(QWidget* w, const QString& title)
{
    for (QAction* a : w->actions())
        if (a->text() == title)
            return a->menu();
    return nullptr;
}

// An import of one column "Imported" holding "x".
bool ImportOneCell(const QString&, TCellGridWriter& out, const TTablePicker&)
{
    out.SetColCount(1);
    out.SetRowCount(2);
    out.SetCell(0, 0, u"Imported");
    out.SetCell(0, 1, u"x");
    return true;
}

QStringList Column(const TAdvStringGrid& g, int col)
{
    QStringList out;
    for (int r = 0; r < g.RowCount(); ++r)
        out << g.Cells(col, r);
    return out;
}

// A shown, active datasheet window over a datasheet with columns Name and
// *TAGQTY* and the rows given.
struct TWindowFixture {
    TDatasheet ds;
    TFM_Data w{ds};

    explicit TWindowFixture(const QList<QStringList>& rows = {{"Pear", "1"}, {"apple", "2"}, {"10", "3"}})
    {
        TAdvStringGrid& g = ds.StrGrid_Data;
        g.SetCell(1, 0, u"Name");
        g.InsertCols(2, 1);
        g.SetCell(2, 0, u"*TAGQTY*");
        g.SetRowCount(int(rows.size()) + 1);
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows[r].size(); ++c)
                g.SetCell(c + 1, r + 1, rows[r][c]);
        w.show();
        Activate();
    }
    void Activate()
    {
        QApplication::setActiveWindow(&w);
        w.activateWindow();
        (void)QTest::qWaitForWindowActive(&w);
        w.StrGrid_Data->setFocus();
    }
    void SelectCell(int col, int row)  // grid coordinates
    {
        w.StrGrid_Data->setCurrentIndex(w.Model()->index(row - 1, col - 1));
    }
    QPoint HeaderPoint(int col) const
    {
        QHeaderView* hh = w.StrGrid_Data->horizontalHeader();
        return QPoint(hh->sectionViewportPosition(col - 1) + hh->sectionSize(col - 1) / 2, hh->height() / 2);
    }
};

}  // namespace

TEST(DatasheetWindow, MenusPopupAndShortcuts)
{
    TDatasheet ds;
    TFM_Data w(ds);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Datasheet"));
    EXPECT_EQ(w.StrGrid_Data->toolTip(), QStringLiteral("Right Click to Pop up Menu"));
    EXPECT_EQ(MenuTexts(w.MainMenu->actions()),
              QStringList({"&File", "&Edit", "&Rows", "&Columns", "Others", "&Help"}));
    EXPECT_EQ(MenuTexts(SubMenu(w.MainMenu, "&File")->actions()), QStringList({"Import Data ...", "Close"}));
    EXPECT_EQ(MenuTexts(SubMenu(w.MainMenu, "&Edit")->actions()),
              QStringList({"&Undo", "&Redo", "&Copy", "&Paste", "Search ...", "Find Next", "Fill Sequence Data ...",
                           "Clear Selected Cells Data", "Clear All Data"}));
    const QStringList rows = {"Insert Blank Row", "Clear Current Row Data", "Delete Current Row", "Delete All Rows"};
    const QStringList cols = {"Add a New Column", "Rename Column", "Clear Current Column Data", "Delete Current Column",
                              "Delete All Columns (and Rows)", "Fit Column Widths"};
    EXPECT_EQ(MenuTexts(SubMenu(w.MainMenu, "&Rows")->actions()), rows);
    EXPECT_EQ(MenuTexts(SubMenu(w.MainMenu, "&Columns")->actions()), cols);
    QMenu* others = SubMenu(w.MainMenu, "Others");
    EXPECT_EQ(MenuTexts(others->actions()), QStringList({"Tag Control", "Print Current Row Directly"}));
    EXPECT_EQ(MenuTexts(SubMenu(others, "Tag Control")->actions()),
              QStringList({"Add Tag Quantities Column", "Remove Tag Quantities Column"}));

    EXPECT_EQ(MenuTexts(w.PMenu_Data->actions()),
              QStringList({"Rows", "Columns", "Fill Sequence Data ...", "Insert a Picture Path Name ...",
                           "Import Data ...", "Clear All Data", "Clear Selectd Cells Data"}));
    EXPECT_EQ(MenuTexts(SubMenu(w.PMenu_Data, "Rows")->actions()), rows);
    EXPECT_EQ(MenuTexts(SubMenu(w.PMenu_Data, "Columns")->actions()), cols);

    const QList<QPair<QAction*, QKeySequence>> keys = {
        {w.MI_InsertRow, QKeySequence(Qt::Key_F2)},        {w.MI_DeleteRow, QKeySequence(Qt::Key_F3)},
        {w.MI_AddColumn, QKeySequence(Qt::Key_F5)},        {w.MI_DeleteColumn, QKeySequence(Qt::Key_F6)},
        {w.MI_FillSequence, QKeySequence("Ctrl+F")},       {w.MI_InsertPicture, QKeySequence("Ctrl+P")},
        {w.MI_Undo, QKeySequence("Ctrl+Z")},               {w.MI_Redo, QKeySequence("Ctrl+Y")},
        {w.MI_Copy, QKeySequence("Ctrl+C")},               {w.MI_Paste, QKeySequence("Ctrl+V")},
        {w.MI_FindNext, QKeySequence("Ctrl+G")},
    };
    for (const auto& k : keys)
        EXPECT_EQ(k.first->shortcut(), k.second) << k.first->text().toStdString();
    EXPECT_EQ(w.Btn_OK->text(), QStringLiteral("&OK"));
    EXPECT_EQ(w.Btn_Cancel->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(w.MI_Redo->shortcuts().value(1), QKeySequence("Ctrl+Shift+Z"));
    EXPECT_EQ(w.StrGrid_Data->accessibleName(), QStringLiteral("Datasheet"));
}

TEST(DatasheetWindow, ModelShowsTheGrid)
{
    TWindowFixture f;
    TDatasheetModel* m = f.w.Model();
    EXPECT_EQ(m->rowCount(), 3);
    EXPECT_EQ(m->columnCount(), 2);
    EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
    EXPECT_EQ(m->headerData(2, Qt::Vertical).toString(), QStringLiteral("3"));
    EXPECT_EQ(m->data(m->index(1, 0)).toString(), QStringLiteral("apple"));
    EXPECT_EQ(f.w.StrGrid_Data->horizontalHeader()->sectionSize(0), 115);
    EXPECT_EQ(f.w.StrGrid_Data->verticalHeader()->sectionSize(0), 21);

    // Dragging a column border changes the width kept in the label file.
    f.w.StrGrid_Data->horizontalHeader()->resizeSection(1, 90);
    EXPECT_EQ(f.ds.StrGrid_Data.ColWidth(2), 90);
    EXPECT_TRUE(WriteDatasheetStream(f.ds.StrGrid_Data).contains("cw 2,90\r\n"));

    // Typing into a cell edits it in place.
    f.SelectCell(1, 2);
    // The first key opens the editor, the others go where the focus went.
    QTest::keyClick(f.w.StrGrid_Data, 'P');
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("lum"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();  // the editor commits after its key handling
    EXPECT_EQ(f.ds.StrGrid_Data.Cells(1, 2), QStringLiteral("Plum"));
    EXPECT_EQ(f.ds.StrGrid_Data.Row(), 3);  // Enter moves on to the next row
}

TEST(DatasheetWindow, RowCommands)
{
    TScopedRecordingDialogs scoped;
    auto& dlg = scoped.dialogs;
    TWindowFixture f;
    TAdvStringGrid& g = f.ds.StrGrid_Data;
    f.SelectCell(1, 2);
    QTest::keyClick(f.w.StrGrid_Data, Qt::Key_F2);
    EXPECT_EQ(Column(g, 1), QStringList({"Name", "Pear", "", "apple", "10"}));
    EXPECT_EQ(Column(g, 2), QStringList({"*TAGQTY*", "1", "1", "2", "3"}));
    EXPECT_TRUE(dlg.messages.isEmpty());

    // Delete Current Row: Cancel keeps the row, Yes removes it.
    f.SelectCell(1, 3);
    dlg.buttonAnswers = {mbCancel};
    QTest::keyClick(f.w.StrGrid_Data, Qt::Key_F3);
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(dlg.messages[0].text, QStringLiteral("Are you sure delete this row?"));
    EXPECT_EQ(dlg.messages[0].type, TMsgDlgType::mtWarning);
    EXPECT_EQ(dlg.messages[0].buttons, mbYes | mbCancel);
    EXPECT_EQ(g.RowCount(), 5);
    dlg.buttonAnswers = {mbYes};
    QTest::keyClick(f.w.StrGrid_Data, Qt::Key_F3);
    EXPECT_EQ(Column(g, 1), QStringList({"Name", "Pear", "", "10"}));
    EXPECT_EQ(f.w.Model()->rowCount(), 3);

    struct Case {
        QAction* action;
        QString question;
    };
    const QList<Case> questions = {
        {f.w.MI_ClearRow, "Are you sure clear data in this row?"},
        {f.w.MI_ClearColumn, "Are you sure clear data in this column?"},
        {f.w.MI_ClearSelected, "Are you sure clear all selected data?"},
        {f.w.MI_ClearSelectedPopup, "Are you sure clear all selected data?"},
        {f.w.MI_ClearAll, "Are you sure clear all data?"},
        {f.w.MI_DeleteAllRows, "Are you sure delete all rows?"},
        {f.w.MI_DeleteAllColumns, "Are you sure delete all columns?"},
        {f.w.MI_DeleteColumn, "Are you sure delete this column?"},
    };
    for (const Case& c : questions) {
        dlg.messages.clear();
        dlg.buttonAnswers = {mbCancel};
        const QByteArray before = WriteDatasheetStream(g);
        c.action->trigger();
        ASSERT_EQ(dlg.messages.size(), 1) << c.question.toStdString();
        EXPECT_EQ(dlg.messages[0].text, c.question);
        EXPECT_EQ(dlg.defaults.value(dlg.defaults.size() - 1), int(mbCancel)) << "Enter must not destroy";
        EXPECT_EQ(WriteDatasheetStream(g), before) << "Cancel changed the datasheet: " << c.question.toStdString();
    }

    // Yes runs them.
    dlg.buttonAnswers = {mbYes};
    f.SelectCell(1, 1);
    f.w.MI_ClearRow->trigger();
    EXPECT_EQ(Column(g, 1), QStringList({"Name", "", "", "10"}));
    EXPECT_TRUE(g.Cells(2, 1).isEmpty());
    dlg.buttonAnswers = {mbYes};
    f.w.MI_DeleteAllRows->trigger();
    EXPECT_EQ(Column(g, 1), QStringList({"Name", ""}));
    EXPECT_EQ(g.ColCount(), 3);
}

TEST(DatasheetWindow, SelectionAndClearAll)
{
    ScopedDialogs scoped;
    TWindowFixture f({{"a", "1"}, {"b", "2"}, {"c", "3"}});
    TAdvStringGrid& g = f.ds.StrGrid_Data;
    // Shift-click selects a range; clearing it empties exactly those cells.
    f.SelectCell(1, 2);
    const QRect target = f.w.StrGrid_Data->visualRect(f.w.Model()->index(2, 1));
    QTest::mouseClick(f.w.StrGrid_Data->viewport(), Qt::LeftButton, Qt::ShiftModifier, target.center());
    EXPECT_EQ(g.Selection(), (TGridRect{1, 2, 2, 3}));
    scoped.dialogs.buttonAnswers = {mbYes};
    f.w.MI_ClearSelected->trigger();
    EXPECT_EQ(Column(g, 1), QStringList({"Name", "a", "", ""}));
    EXPECT_EQ(Column(g, 2), QStringList({"*TAGQTY*", "1", "", ""}));

    scoped.dialogs.buttonAnswers = {mbYes};
    f.w.MI_ClearAll->trigger();
    EXPECT_EQ(Column(g, 1), QStringList({"", "", "", ""}));
    EXPECT_EQ(f.w.Model()->headerData(0, Qt::Horizontal).toString(), QString());
}

TEST(DatasheetWindow, ColumnCommands)
{
    ScopedDialogs scoped;
    auto& dlg = scoped.dialogs;
    TWindowFixture f;
    TAdvStringGrid& g = f.ds.StrGrid_Data;

    // F5: the input box; cancelling gives the blank-name error.
    QTest::keyClick(f.w.StrGrid_Data, Qt::Key_F5);
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(dlg.inputPrompts, QStringList({"Please input the column name:"}));
    EXPECT_EQ(dlg.messages[0].text, QStringLiteral("You input a blank name or this name has been exist!"));
    EXPECT_EQ(dlg.messages[0].type, TMsgDlgType::mtError);
    EXPECT_EQ(dlg.messages[0].buttons, mbOK);
    dlg.inputAnswers = {QStringLiteral(" name ")};
    QTest::keyClick(f.w.StrGrid_Data, Qt::Key_F5);
    EXPECT_EQ(dlg.messages.size(), 2);
    EXPECT_EQ(g.ColCount(), 3);
    dlg.inputAnswers = {QStringLiteral("  Code ")};
    QTest::keyClick(f.w.StrGrid_Data, Qt::Key_F5);
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(g.Cells(3, 0), QStringLiteral("Code"));
    EXPECT_EQ(f.w.Model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Code"));

    // Rename: the same name in other case is refused, naming the input.
    dlg.messages.clear();
    f.SelectCell(1, 1);
    dlg.inputAnswers = {QStringLiteral("NAME")};
    f.w.MI_RenameColumn->trigger();
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(dlg.messages[0].text, QStringLiteral("Column 'NAME' has been exist!"));
    dlg.inputAnswers = {QString()};  // Cancel: nothing changes, nothing said
    f.w.MI_RenameColumn->trigger();
    EXPECT_EQ(dlg.messages.size(), 1);
    dlg.inputAnswers = {QStringLiteral("Fruit")};
    f.w.MI_RenameColumn->trigger();
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("Fruit"));
    EXPECT_EQ(f.w.Model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Fruit"));

    // F6 removes the current column; on the last data column it resets.
    dlg.buttonAnswers = {mbYes};
    f.SelectCell(3, 1);
    QTest::keyClick(f.w.StrGrid_Data, Qt::Key_F6);
    EXPECT_EQ(g.ColCount(), 3);
    dlg.buttonAnswers = {mbYes};
    f.SelectCell(2, 1);
    QTest::keyClick(f.w.StrGrid_Data, Qt::Key_F6);
    dlg.buttonAnswers = {mbYes};
    QTest::keyClick(f.w.StrGrid_Data, Qt::Key_F6);
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("Data1"));
    EXPECT_EQ(f.w.Model()->rowCount(), 1);
}

TEST(DatasheetWindow, TagColumnCommands)
{
    ScopedDialogs scoped;
    auto& dlg = scoped.dialogs;
    TDatasheet ds;
    TFM_Data w(ds);
    w.MI_RemoveTagColumn->trigger();
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(dlg.messages[0].text, QStringLiteral("No tag control column be found!"));
    EXPECT_EQ(dlg.messages[0].type, TMsgDlgType::mtInformation);
    EXPECT_EQ(dlg.messages[0].buttons, mbOK);

    w.MI_AddTagColumn->trigger();
    w.MI_AddTagColumn->trigger();
    EXPECT_EQ(ds.StrGrid_Data.ColCount(), 3);
    EXPECT_EQ(Column(ds.StrGrid_Data, 2), QStringList({"*TAGQTY*", "1"}));
    EXPECT_EQ(w.Model()->columnCount(), 2);

    dlg.buttonAnswers = {mbCancel};
    w.MI_RemoveTagColumn->trigger();
    EXPECT_EQ(dlg.messages.back().text, QStringLiteral("Are you sure delete tag control column?"));
    EXPECT_EQ(ds.StrGrid_Data.ColCount(), 3);
    dlg.buttonAnswers = {mbYes};
    w.MI_RemoveTagColumn->trigger();
    EXPECT_EQ(ds.StrGrid_Data.ColCount(), 2);
}

TEST(DatasheetWindow, SortByClickingColumnNames)
{
    TWindowFixture f({{"b", "1"}, {"", "2"}, {"10", "3"}, {"A", "4"}, {"9", "5"}});
    TAdvStringGrid& g = f.ds.StrGrid_Data;
    QHeaderView* hh = f.w.StrGrid_Data->horizontalHeader();
    QTest::mouseClick(hh->viewport(), Qt::LeftButton, {}, f.HeaderPoint(1));
    EXPECT_EQ(Column(g, 1), QStringList({"Name", "9", "10", "A", "b", ""}));
    EXPECT_EQ(Column(g, 2), QStringList({"*TAGQTY*", "5", "3", "4", "1", "2"}));
    EXPECT_TRUE(hh->isSortIndicatorShown());
    EXPECT_EQ(hh->sortIndicatorSection(), 0);
    EXPECT_EQ(hh->sortIndicatorOrder(), Qt::AscendingOrder);

    QTest::mouseClick(hh->viewport(), Qt::LeftButton, {}, f.HeaderPoint(1));
    EXPECT_EQ(Column(g, 1), QStringList({"Name", "b", "A", "10", "9", ""}));
    EXPECT_EQ(hh->sortIndicatorOrder(), Qt::DescendingOrder);

    QTest::mouseClick(hh->viewport(), Qt::LeftButton, {}, f.HeaderPoint(2));
    EXPECT_EQ(Column(g, 2), QStringList({"*TAGQTY*", "1", "2", "3", "4", "5"}));
    EXPECT_EQ(hh->sortIndicatorSection(), 1);
    EXPECT_EQ(hh->sortIndicatorOrder(), Qt::AscendingOrder);
}

TEST(DatasheetWindow, DragRowsAndColumns)
{
    TWindowFixture f;
    TAdvStringGrid& g = f.ds.StrGrid_Data;
    g.SetColWidth(2, 40);
    f.w.RefreshView();
    // The headers report a drag as a moved section; the grid follows.
    f.w.StrGrid_Data->verticalHeader()->moveSection(0, 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(Column(g, 1), QStringList({"Name", "apple", "10", "Pear"}));
    EXPECT_EQ(f.w.StrGrid_Data->verticalHeader()->visualIndex(0), 0);
    EXPECT_EQ(f.w.Model()->data(f.w.Model()->index(2, 0)).toString(), QStringLiteral("Pear"));

    f.w.StrGrid_Data->horizontalHeader()->moveSection(1, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(Column(g, 1), QStringList({"*TAGQTY*", "2", "3", "1"}));
    EXPECT_EQ(g.ColWidth(1), 40);
    EXPECT_EQ(f.w.StrGrid_Data->horizontalHeader()->sectionSize(0), 40);
    EXPECT_EQ(f.w.StrGrid_Data->horizontalHeader()->visualIndex(0), 0);
}

TEST(DatasheetWindow, SearchFillAndPicturePath)
{
    ScopedDialogs scoped;
    auto& dlg = scoped.dialogs;
    TWindowFixture f;
    TAdvStringGrid& g = f.ds.StrGrid_Data;

    dlg.inputAnswers = {QStringLiteral("PEA")};
    f.w.MI_Search->trigger();
    EXPECT_EQ(dlg.inputPrompts.back(), QStringLiteral("Please input the value you want to search:"));
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(f.w.StrGrid_Data->currentIndex(), f.w.Model()->index(0, 0));
    dlg.inputAnswers = {QStringLiteral("3")};
    f.w.MI_Search->trigger();
    EXPECT_EQ(f.w.StrGrid_Data->currentIndex(), f.w.Model()->index(2, 1));

    // Ctrl+F: the sequence dialog fills the current column from the current row.
    f.SelectCell(1, 2);
    TFM_Sdata* s = f.w.SequenceDialog();
    QTimer::singleShot(0, s, [s] {
        s->Edt_Head->setText(QStringLiteral("N"));
        s->Edt_Begin->setText(QStringLiteral("1"));
        s->Edt_End->setText(QStringLiteral("4"));
        QTest::mouseClick(s->Btn_OK, Qt::LeftButton);
    });
    QTest::keyClick(f.w.StrGrid_Data, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(Column(g, 1), QStringList({"Name", "Pear", "N1", "N2", "N3", "N4"}));
    EXPECT_EQ(Column(g, 2), QStringList({"*TAGQTY*", "1", "2", "3", "", ""}));
    EXPECT_EQ(f.w.Model()->rowCount(), 5);

    // Cancel writes nothing.
    QTimer::singleShot(0, s, [s] { QTest::mouseClick(s->Btn_Cancel, Qt::LeftButton); });
    f.w.MI_FillSequence->trigger();
    EXPECT_EQ(g.RowCount(), 6);

    // Ctrl+P: the chosen picture's full path becomes the current cell's text.
    f.SelectCell(1, 1);
    dlg.fileAnswers = {QStringLiteral("/tmp/pictures/../logo.bmp")};
    f.Activate();  // the closed sequence dialog may still count as active here
    QTest::keyClick(f.w.StrGrid_Data, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("/tmp/logo.bmp"));
}

TEST(DatasheetWindow, ImportDataCommand)
{
    ScopedDialogs scoped;
    auto& dlg = scoped.dialogs;
    TWindowFixture f;
    TAdvStringGrid& g = f.ds.StrGrid_Data;
    const QByteArray before = WriteDatasheetStream(g);

    // Cancel in the file dialog: nothing happens.
    f.w.MI_ImportData->trigger();
    EXPECT_EQ(WriteDatasheetStream(g), before);
    dlg.buttonAnswers = {mbYes, mbYes, mbYes};  // replace the data each time

    // A loader that fails: its message is shown and the datasheet stays as it was.
    f.w.ImportLoader = [](const QString& path, TCellGridWriter& grid, const TTablePicker&) -> bool {
        grid.SetCell(3, 3, u"partial");
        throw std::runtime_error(QString("Cannot open file " + path).toStdString());
    };
    dlg.fileAnswers = {QStringLiteral("/no/such.csv")};
    f.w.MI_ImportData->trigger();
    ASSERT_EQ(dlg.messages.size(), 2);
    EXPECT_EQ(dlg.messages[1].text, QStringLiteral("Cannot open file /no/such.csv"));
    EXPECT_EQ(dlg.messages[1].type, TMsgDlgType::mtError);
    EXPECT_EQ(WriteDatasheetStream(g), before);

    // A database: the table picker is asked, then the loaded table shows with
    // its row-number column in front.
    QStringList offered;
    f.w.TablePicker = [&offered](const QStringList& tables, QString& chosen) {
        offered = tables;
        chosen = tables.back();
        return true;
    };
    f.w.ImportLoader = [](const QString&, TCellGridWriter& grid, const TTablePicker& pick) {
        QString table;
        if (!pick({"Products", "Customers"}, table))
            return false;
        grid.SetColCount(2);
        grid.SetRowCount(3);
        grid.SetCell(0, 0, u"Table");
        grid.SetCell(1, 0, u"Code");
        grid.SetCell(0, 1, table);
        grid.SetCell(0, 2, u"Second");
        return true;
    };
    dlg.fileAnswers = {QStringLiteral("/data/x.mdb")};
    f.w.MI_ImportData->trigger();
    EXPECT_EQ(offered, QStringList({"Products", "Customers"}));
    EXPECT_EQ(Column(g, 1), QStringList({"Table", "Customers", "Second"}));
    EXPECT_EQ(Column(g, 0), QStringList({"", "", ""}));
    EXPECT_EQ(g.ColWidth(0), 50);
    EXPECT_EQ(f.w.Model()->columnCount(), 2);
    EXPECT_EQ(f.w.Model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Code"));
    EXPECT_EQ(f.w.DataFolder, QStringLiteral("/data"));

    // Without a table picker an input box asks for the table.
    f.w.TablePicker = nullptr;
    dlg.inputAnswers = {QStringLiteral("products")};
    dlg.fileAnswers = {QStringLiteral("/data/x.mdb")};
    f.w.MI_ImportData->trigger();
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("Products"));

    // A file imported with a warning: the data comes in, then the warning shows.
    f.w.ImportLoader = [](const QString&, TCellGridWriter& grid, const TTablePicker&) {
        grid.SetCell(0, 0, u"Name");
        ImportWarning(QStringLiteral("The file x.csv mixes encodings."));
        return true;
    };
    dlg.fileAnswers = {QStringLiteral("/data/x.csv")};
    const qsizetype shown = dlg.messages.size();
    f.w.MI_ImportData->trigger();
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("Name"));
    ASSERT_EQ(dlg.messages.size(), shown + 2);  // the replace question, then the warning
    EXPECT_EQ(dlg.messages.back().text, QStringLiteral("The file x.csv mixes encodings."));
    EXPECT_EQ(dlg.messages.back().type, TMsgDlgType::mtWarning);
}

TEST(DatasheetWindow, PrintCurrentRowAndClosing)
{
    ScopedDialogs scoped;
    TWindowFixture f({{"A", "2"}, {"B", "x"}, {"C", "0"}});
    struct TSite : TDataBindingSite {
        int origin = 1;
        QString expr = "Name";
        int BoundObjectCount() const override { return 1; }
        int DataOrigin(int) const override { return origin; }
        QString DataExpression(int) const override { return expr; }
        void SetDataOrigin(int, int o) override { origin = o; }
    } site;
    f.ds.SetBindingSite(&site);

    QStringList printed;
    f.w.OnPrintCurrentRow = [&] { printed = Column(f.ds.StrGrid_Print, 1); };
    f.SelectCell(1, 2);
    f.w.MI_PrintCurrentRow->trigger();
    EXPECT_EQ(printed, QStringList({"Name", "B"}));
    EXPECT_TRUE(f.w.isVisible());  // the window stays open
    f.SelectCell(1, 1);
    f.w.MI_PrintCurrentRow->trigger();
    EXPECT_EQ(printed, QStringList({"Name", "A", "A"}));

    QString topic;
    f.w.OnHelp = [&topic](const QString& t) { topic = t; };
    f.w.MI_Help->trigger();
    EXPECT_EQ(topic, QStringLiteral("datasheet.htm"));

    // Closing rebuilds the print grid from all rows and clears bindings to
    // vanished columns; Esc first throws the rename away, OK keeps it.
    f.ds.StrGrid_Data.SetCell(1, 0, u"Renamed");
    QTest::keyClick(f.w.StrGrid_Data, Qt::Key_Escape);
    EXPECT_FALSE(f.w.isVisible());
    EXPECT_EQ(Column(f.ds.StrGrid_Print, 1), QStringList({"Name", "A", "A", "B", "B"}));
    EXPECT_EQ(site.origin, 1);
    f.w.show();
    f.ds.StrGrid_Data.SetCell(1, 0, u"Renamed");
    f.w.Btn_OK->click();
    EXPECT_EQ(Column(f.ds.StrGrid_Print, 1), QStringList({"Renamed", "A", "A", "B", "B"}));
    EXPECT_EQ(site.origin, 0);
}

// Cancel, Esc and the close button put back what the window found, typing
// in progress included; OK and File > Close keep the edits. Only a real
// change counts as one.
TEST(DatasheetWindow, CancelPutsTheDatasheetBack)
{
    ScopedDialogs scoped;  // every question is answered Yes
    TWindowFixture f;
    TAdvStringGrid& g = f.ds.StrGrid_Data;
    const TAdvStringGrid initialGrid = g;
    const QByteArray initial = WriteDatasheetStream(g);
    f.w.ImportLoader = ImportOneCell;
    const auto edit = [&] {
        scoped.dialogs.fileAnswers = {QStringLiteral("/data/new.csv")};
        f.w.MI_ImportData->trigger();
        f.SelectCell(1, 1);
        QTest::keyClick(f.w.StrGrid_Data, '7');  // left in its editor
    };
    const struct {
        const char* how;
        std::function<void()> close;
        bool keeps;
    } cases[] = {
        {"Cancel", [&] { f.w.Btn_Cancel->click(); }, false},
        {"Esc",  // the first ends the typing, the second the window
         [&] {
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
         },
         false},
        {"close button", [&] { f.w.close(); }, false},
        {"OK", [&] { f.w.Btn_OK->click(); }, true},
        {"File > Close", [&] { f.w.MI_Close->trigger(); }, true},
    };
    for (const auto& c : cases) {
        f.w.show();
        f.Activate();
        edit();
        c.close();
        EXPECT_FALSE(f.w.isVisible()) << c.how;
        EXPECT_EQ(WriteDatasheetStream(g) != initial, c.keeps) << c.how;
        EXPECT_EQ(f.w.Changed(), c.keeps) << c.how;
        if (c.keeps)
            EXPECT_EQ(g.Cells(1, 1), QStringLiteral("7")) << c.how;
        g = initialGrid;
    }
    // An edit undone again is no change.
    f.w.show();
    f.SelectCell(1, 1);
    f.w.MI_ClearRow->trigger();
    f.w.MI_Undo->trigger();
    f.w.Btn_OK->click();
    EXPECT_FALSE(f.w.Changed());
}

TEST(DatasheetWindow, RendersRowNumbersAndNames)
{
    TWindowFixture f;
    f.w.resize(420, 220);
    const QImage image = f.w.grab().toImage();
    if (!qEnvironmentVariableIsEmpty("TAGMORA_SAVE_RENDERS"))
        image.save(qEnvironmentVariable("TAGMORA_SAVE_RENDERS") + QStringLiteral("/datasheet_window.png"));

    // The row number is drawn right-aligned, clear of the right edge by the
    // width of a digit.
    QHeaderView* vh = f.w.StrGrid_Data->verticalHeader();
    QImage header(vh->size(), QImage::Format_RGB32);
    header.fill(Qt::white);
    vh->render(&header);
    const int top = vh->sectionViewportPosition(0);
    const int bottom = top + vh->sectionSize(0) - 1;
    int rightmostInk = -1;
    for (int y = top + 2; y < bottom - 1; ++y)
        for (int x = 0; x < header.width() - 2; ++x)
            if (qGray(header.pixel(x, y)) < 100)
                rightmostInk = std::max(rightmostInk, x);
    ASSERT_GE(rightmostInk, 0) << "no row number drawn";
    const int margin = vh->fontMetrics().horizontalAdvance(QLatin1Char('2'));
    EXPECT_LT(rightmostInk, header.width() - margin);
    EXPECT_GT(rightmostInk, header.width() / 2);
}

TEST(DatasheetWindow, LimitsAreReportedNotThrown)
{
    ScopedDialogs scoped;
    TDatasheet ds;
    ds.StrGrid_Data.SetColCount(TAdvStringGrid::kMaxColCount);
    TFM_Data w(ds);
    w.MI_AddTagColumn->trigger();
    ASSERT_EQ(scoped.dialogs.messages.size(), 1);
    EXPECT_EQ(scoped.dialogs.messages[0].text, QStringLiteral("Too many columns (the most a datasheet can have is 16384)"));
    EXPECT_EQ(scoped.dialogs.messages[0].type, TMsgDlgType::mtError);
    EXPECT_EQ(ds.StrGrid_Data.ColCount(), TAdvStringGrid::kMaxColCount);
    EXPECT_FALSE(w.UndoStack()->canUndo());  // nothing changed, nothing to undo
}

TEST(DatasheetWindow, EnterOnAQuestionBoxPressesItsDefaultButton)
{
    TQtUserDialogs qt;
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(qobject_cast<QMessageBox*>(box), nullptr);
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(qt.MessageDlg(QStringLiteral("Are you sure delete all rows?"), TMsgDlgType::mtWarning, mbYes | mbCancel,
                            mbCancel),
              int(mbCancel));
}

TEST(DatasheetWindow, UndoAndRedoRestoreTheCellsExactly)
{
    ScopedDialogs scoped;  // every question is answered Yes
    TWindowFixture f;
    TAdvStringGrid& g = f.ds.StrGrid_Data;
    QTableView* grid = f.w.StrGrid_Data;
    QSignalSpy changed(&f.w, &TFM_Data::DataChanged);
    f.w.ImportLoader = ImportOneCell;
    const QByteArray initial = WriteDatasheetStream(g);
    struct Case {
        const char* name;
        std::function<void()> run;
    };
    const QList<Case> cases = {
        {"insert row", [&] { QTest::keyClick(grid, Qt::Key_F2); }},
        {"sort", [&] { QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, f.HeaderPoint(1)); }},
        {"row drag",
         [&] {
             grid->verticalHeader()->moveSection(0, 2);
             QCoreApplication::processEvents();
         }},
        {"typing",
         [&] {
             f.SelectCell(2, 2);
             QTest::keyClick(grid, '7');
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
         }},
        {"delete key",
         [&] {
             f.SelectCell(1, 1);
             QTest::keyClick(grid, Qt::Key_Delete);
         }},
        {"paste",
         [&] {
             QGuiApplication::clipboard()->setText(QStringLiteral("a\tb\tc\r\nd\te\tf\r\n"));
             f.SelectCell(2, 3);
             QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
         }},
        {"delete all rows", [&] { f.w.MI_DeleteAllRows->trigger(); }},
        {"clear all", [&] { f.w.MI_ClearAll->trigger(); }},
        {"import",
         [&] {
             scoped.dialogs.fileAnswers = {QStringLiteral("/data/new.csv")};
             f.w.MI_ImportData->trigger();
         }},
    };
    for (const Case& c : cases) {
        const QByteArray before = WriteDatasheetStream(g);
        c.run();
        const QByteArray after = WriteDatasheetStream(g);
        ASSERT_NE(after, before) << c.name;
        QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(WriteDatasheetStream(g), before) << c.name;
        EXPECT_EQ(f.w.Model()->rowCount(), g.RowCount() - 1) << c.name;
        QTest::keyClick(grid, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(WriteDatasheetStream(g), after) << c.name;
    }
    EXPECT_TRUE(f.w.Changed());
    EXPECT_GE(changed.count(), 3 * cases.size());

    while (f.w.UndoStack()->canUndo())
        f.w.MI_Undo->trigger();
    EXPECT_EQ(WriteDatasheetStream(g), initial);

    // Closed and reopened over the same data the history stays; over data
    // replaced meanwhile it is gone.
    f.w.MI_Redo->trigger();
    f.w.accept();
    f.w.show();
    EXPECT_TRUE(f.w.UndoStack()->canUndo());
    f.w.reject();
    f.ds.ResetDatasheet();
    f.w.show();
    EXPECT_FALSE(f.w.UndoStack()->canUndo());
    EXPECT_FALSE(f.w.UndoStack()->canRedo());
}

TEST(DatasheetWindow, SpreadsheetKeys)
{
    ScopedDialogs scoped;
    TWindowFixture f({{"a", "1"}, {"b", "2"}, {"c", "3"}});
    TAdvStringGrid& g = f.ds.StrGrid_Data;
    QTableView* grid = f.w.StrGrid_Data;
    auto cellPoint = [&](int col, int row) { return grid->visualRect(f.w.Model()->index(row - 1, col - 1)).center(); };

    // A click on the current cell keeps it selected, not edited; arrows move.
    f.SelectCell(1, 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellPoint(1, 1));
    EXPECT_EQ(grid->indexWidget(grid->currentIndex()), nullptr);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(f.w.Lab_Status->text(), QString::fromUtf8("Row 2 of 3 \u00B7 Column Name"));

    // Enter on a cell not being edited starts editing it.
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_NE(grid->indexWidget(grid->currentIndex()), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(f.w.isVisible());

    // Delete clears the selected range, Backspace the current cell; one step each.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, cellPoint(2, 3));
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(Column(g, 1), QStringList({"Name", "a", "", ""}));
    EXPECT_EQ(Column(g, 2), QStringList({"*TAGQTY*", "1", "", ""}));
    f.SelectCell(1, 1);
    QTest::keyClick(grid, Qt::Key_Backspace);
    EXPECT_EQ(g.Cells(1, 1), QString());
    EXPECT_EQ(f.w.UndoStack()->count(), 2);
    EXPECT_TRUE(scoped.dialogs.messages.isEmpty());

    // Ctrl+C puts the selected range on the clipboard as tab-separated text.
    f.w.MI_Undo->trigger();
    f.w.MI_Undo->trigger();
    f.SelectCell(1, 2);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, cellPoint(2, 3));
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("b\t2\nc\t3"));

    // Ctrl+Tab leaves the grid for the buttons; Shift+F10 opens the popup menu.
    QTest::keyClick(grid, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), f.w.Btn_OK);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(f.w.PMenu_Data->isVisible());
    f.w.PMenu_Data->hide();
}

TEST(DatasheetWindow, FindNextContinuesAndSaysWhenNothingMatches)
{
    ScopedDialogs scoped;
    auto& dlg = scoped.dialogs;
    TWindowFixture f({{"apple", "1"}, {"pear", "2"}, {"Apple pie", "3"}});
    const TAdvStringGrid& g = f.ds.StrGrid_Data;
    dlg.inputAnswers = {QStringLiteral("APP")};
    f.w.MI_Search->trigger();
    EXPECT_EQ(QPoint(g.Col(), g.Row()), QPoint(1, 1));
    QTest::keyClick(f.w.StrGrid_Data, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(QPoint(g.Col(), g.Row()), QPoint(1, 3));
    QTest::keyClick(f.w.StrGrid_Data, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(QPoint(g.Col(), g.Row()), QPoint(1, 1));  // round to the start
    EXPECT_TRUE(dlg.messages.isEmpty());

    dlg.inputAnswers = {QStringLiteral("kiwi")};
    f.w.MI_Search->trigger();
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(dlg.messages[0].text, QStringLiteral("\"kiwi\" was not found in the datasheet."));
    EXPECT_EQ(dlg.messages[0].type, TMsgDlgType::mtInformation);
    f.w.MI_FindNext->trigger();
    EXPECT_EQ(dlg.messages.size(), 2);
    EXPECT_EQ(QPoint(g.Col(), g.Row()), QPoint(1, 1));
}

TEST(DatasheetWindow, ImportAsksFitsWidthsAndCutOffCellsShowTheirText)
{
    ScopedDialogs scoped;
    auto& dlg = scoped.dialogs;
    TWindowFixture f;
    TAdvStringGrid& g = f.ds.StrGrid_Data;
    QTableView* grid = f.w.StrGrid_Data;
    const QString description = QStringLiteral("Stainless steel hex bolt M8 x 40 DIN 933 A2");
    const QString notes = QString(200, QLatin1Char('n'));
    f.w.ImportLoader = [&](const QString&, TCellGridWriter& out, const TTablePicker&) {
        const QStringList names = {"Code", "Description", "Qty", "Notes"};
        const QStringList row = {"1000012345678", description, "5", notes};
        out.SetColCount(4);
        out.SetRowCount(3);
        for (int c = 0; c < 4; ++c) {
            out.SetCell(c, 0, names[c]);
            out.SetCell(c, 1, row[c]);
        }
        return true;
    };

    // The datasheet holds data: Cancel keeps it.
    const QByteArray before = WriteDatasheetStream(g);
    dlg.fileAnswers = {QStringLiteral("/data/stock.csv")};
    dlg.buttonAnswers = {mbCancel};
    f.w.MI_ImportData->trigger();
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(dlg.messages[0].text, QStringLiteral("The imported data replaces all data of the datasheet. Continue?"));
    EXPECT_EQ(WriteDatasheetStream(g), before);

    dlg.fileAnswers = {QStringLiteral("/data/stock.csv")};
    dlg.buttonAnswers = {mbYes};
    f.w.MI_ImportData->trigger();
    ASSERT_EQ(g.Cells(2, 0), QStringLiteral("Description"));
    const QFontMetrics fm = grid->fontMetrics();
    EXPECT_GT(g.ColWidth(1), fm.horizontalAdvance(QStringLiteral("1000012345678")));
    EXPECT_GT(g.ColWidth(2), fm.horizontalAdvance(description));
    EXPECT_LT(g.ColWidth(3), g.ColWidth(1));
    EXPECT_EQ(g.ColWidth(4), TFM_Data::kMaxFitWidth);
    EXPECT_EQ(grid->horizontalHeader()->sectionSize(1), g.ColWidth(2));

    // Over a cell that shows whole no tooltip; over a cut-off one its text.
    auto hover = [&](int col) {
        const QPoint pos = grid->visualRect(f.w.Model()->index(0, col - 1)).center();
        QHelpEvent help(QEvent::ToolTip, pos, grid->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(grid->viewport(), &help);
    };
    hover(2);
    EXPECT_FALSE(QToolTip::isVisible());
    hover(4);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), notes);
    QToolTip::hideText();
}

TEST(DatasheetModel, TabSeparatedTextTravelsBothWays)
{
    TAdvStringGrid g(3, 3);
    g.SetCell(1, 0, u"Name");
    g.SetCell(2, 0, u"data2");
    g.SetCell(1, 1, u"plain");
    g.SetCell(2, 1, u"tab\there");
    g.SetCell(1, 2, u"two\r\nlines");
    g.SetCell(2, 2, u"say \"hi\"");
    const QString text = TDatasheetModel::CopyText(g, {1, 1, 2, 2});
    EXPECT_EQ(text, QStringLiteral("plain\t\"tab\there\"\n\"two\r\nlines\"\t\"say \"\"hi\"\"\""));
    const QList<QStringList> rows = {{"plain", "tab\there"}, {"two\r\nlines", "say \"hi\""}};
    EXPECT_EQ(TDatasheetModel::ParseTabText(text), rows);
    // A single empty cell survives the trip; a final line break adds no row.
    EXPECT_EQ(TDatasheetModel::ParseTabText(TDatasheetModel::CopyText(g, TGridRect{0, 1, 0, 1})),
              QList<QStringList>({{""}}));
    EXPECT_EQ(TDatasheetModel::ParseTabText(QStringLiteral("a\tb\r\nc\t\r\n")),
              QList<QStringList>({{"a", "b"}, {"c", ""}}));

    // A block wider and longer than the grid grows it, naming new columns.
    const TGridRect written = TDatasheetModel::PasteText(g, 2, 2, QStringLiteral("x\ty\tz\r\n1\t2\t3\r\n"));
    EXPECT_EQ(written, (TGridRect{2, 2, 4, 3}));
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(Column(g, 3), QStringList({"Data3", "", "y", "2"}));
    EXPECT_EQ(Column(g, 4), QStringList({"Data4", "", "z", "3"}));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("plain"));
}
