#include "datasheet/DatasheetModel.h"
#include "datasheet/DatasheetStream.h"
#include "datasheet/DatasheetWindow.h"
#include "datasheet/SequenceDialog.h"

#include "DatasheetTestUtil.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <stdexcept>

using testsupport::ScopedDialogs;

namespace {

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
    ScopedDialogs scoped;
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

    // Esc closes; the print grid is rebuilt from all rows and bindings to
    // vanished columns are cleared.
    f.ds.StrGrid_Data.SetCell(1, 0, u"Renamed");
    QTest::keyClick(f.w.StrGrid_Data, Qt::Key_Escape);
    EXPECT_FALSE(f.w.isVisible());
    EXPECT_EQ(Column(f.ds.StrGrid_Print, 1), QStringList({"Renamed", "A", "A", "B", "B"}));
    EXPECT_EQ(site.origin, 0);
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
}
