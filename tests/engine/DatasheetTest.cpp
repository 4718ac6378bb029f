#include "engine/datasheet/Datasheet.h"

#include "common/DatasheetTestUtil.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Datasheet with the given column names and data rows (column 0 stays empty).
void Fill(TDatasheet& ds, const QStringList& names, const QList<QStringList>& rows)
{
    TAdvStringGrid& g = ds.StrGrid_Data;
    g.SetColCount(int(names.size()) + 1);
    g.SetRowCount(int(rows.size()) + 1);
    for (int c = 0; c < names.size(); ++c)
        g.SetCell(c + 1, 0, names[c]);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            g.SetCell(c + 1, r + 1, rows[r][c]);
}

QStringList Column(const TAdvStringGrid& g, int col)
{
    QStringList out;
    for (int r = 0; r < g.RowCount(); ++r)
        out << g.Cells(col, r);
    return out;
}

// A document's first layer as the binding code will present it.
struct TFakeObjects : TDataBindingSite {
    struct Obj {
        int origin;
        QString expr;
    };
    QList<Obj> objs;
    int BoundObjectCount() const override { return int(objs.size()); }
    int DataOrigin(int i) const override { return objs[i].origin; }
    QString DataExpression(int i) const override { return objs[i].expr; }
    void SetDataOrigin(int i, int origin) override { objs[i].origin = origin; }
};

}  // namespace

TEST(Datasheet, NewDatasheet)
{
    TDatasheet ds;
    const TAdvStringGrid& g = ds.StrGrid_Data;
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("Data1"));
    EXPECT_TRUE(g.Cells(1, 1).isEmpty());
    EXPECT_EQ(g.ColWidth(0), 50);
    EXPECT_EQ(g.ColWidth(1), 115);
    EXPECT_EQ(ds.StrGrid_Print.RowCount(), 2);
    EXPECT_EQ(ds.FindPrintGridColumn(u"Data1"), 1);
}

TEST(Datasheet, PrintGridRepeatsRowsByTagQuantity)
{
    struct Case {
        const char* name;
        QStringList qty;  // tag cells of rows A..E
        QStringList expected;
    };
    const QList<Case> cases = {
        {"worked example", {"1", "2", "x", "0", "3"}, {"Name", "A", "B", "B", "C", "C", "E", "E", "E"}},
        {"all one", {"1", "1", "1", "1", "1"}, {"Name", "A", "B", "C", "D", "E"}},
        {"blanks and signs", {" 2 ", "+1", "-4", "", "1"}, {"Name", "A", "A", "B", "E"}},
        {"bad first value counts one", {"abc", "0", "", "2", "99999999999"}, {"Name", "A", "D", "D", "E", "E"}},
    };
    for (const Case& c : cases) {
        TDatasheet ds;
        Fill(ds, {"Name", " *tagqty* "}, {});
        for (int i = 0; i < 5; ++i) {
            ds.StrGrid_Data.SetCell(1, i + 1, QString(QChar(u'A' + i)));
            ds.StrGrid_Data.SetCell(2, i + 1, c.qty[i]);
        }
        ds.BuildPrintGrid();
        EXPECT_EQ(Column(ds.StrGrid_Print, 1), c.expected) << c.name;
        EXPECT_EQ(ds.StrGrid_Print.ColCount(), 3) << c.name;
        EXPECT_TRUE(ds.StrGrid_Print.SharesTextWith(ds.StrGrid_Data)) << c.name;
    }
}

TEST(Datasheet, PrintGridWithoutTagColumnAndCurrentRow)
{
    TDatasheet ds;
    Fill(ds, {"Name", "*TAGQTY*"}, {{"A", "3"}, {"B", "x"}, {"C", "0"}});
    ds.StrGrid_Data.SetCurrent(1, 2);
    ds.BuildPrintGrid();
    EXPECT_EQ(ds.StrGrid_Print.Row(), 2);

    // Current row only: a text that is no number prints once, 0 prints nothing.
    ds.BuildPrintGridCurrentRow();
    EXPECT_EQ(Column(ds.StrGrid_Print, 1), QStringList({"Name", "B"}));
    ds.StrGrid_Data.SetRow(3);
    ds.BuildPrintGridCurrentRow();
    EXPECT_EQ(Column(ds.StrGrid_Print, 1), QStringList({"Name"}));
    ds.StrGrid_Data.SetRow(1);
    ds.BuildPrintGridCurrentRow();
    EXPECT_EQ(Column(ds.StrGrid_Print, 1), QStringList({"Name", "A", "A", "A"}));

    ds.RemoveTagColumn();
    ds.BuildPrintGrid();
    EXPECT_EQ(Column(ds.StrGrid_Print, 1), QStringList({"Name", "A", "B", "C"}));

    // The print grid is a snapshot: later edits wait for the next build.
    ds.StrGrid_Data.SetCell(1, 1, u"changed");
    ds.StrGrid_Data.RemoveRows(2, 1);
    EXPECT_EQ(Column(ds.StrGrid_Print, 1), QStringList({"Name", "A", "B", "C"}));
}

TEST(Datasheet, HugeTagQuantityIsCapped)
{
    TDatasheet ds;
    Fill(ds, {"Name", "*TAGQTY*"}, {{"A", "2000000000"}, {"B", "2000000000"}});
    ds.BuildPrintGrid();
    EXPECT_TRUE(ds.PrintGridTruncated());
    EXPECT_EQ(ds.StrGrid_Print.RowCount(), TAdvStringGrid::kMaxRowCount);
    EXPECT_EQ(ds.StrGrid_Print.Cells(1, 1), QStringLiteral("A"));
    ds.StrGrid_Data.SetCell(2, 1, u"1");
    ds.StrGrid_Data.SetCell(2, 2, u"1");
    ds.BuildPrintGrid();
    EXPECT_FALSE(ds.PrintGridTruncated());
}

TEST(Datasheet, FindColumns)
{
    TDatasheet ds;
    Fill(ds, {" Code ", "name", "Über", "*TagQty*"}, {{"1", "a", "u", "1"}});
    ds.BuildPrintGrid();
    EXPECT_EQ(ds.FindDataColumn(u"code"), 1);
    EXPECT_EQ(ds.FindDataColumn(u"  NAME\t"), 2);
    EXPECT_EQ(ds.FindDataColumn(u"Über"), 3);
    EXPECT_EQ(ds.FindDataColumn(u"üBER"), -1);  // only a-z are upper-cased
    EXPECT_EQ(ds.FindDataColumn(u"missing"), -1);
    EXPECT_EQ(ds.TagQtyColumn(), 4);
    EXPECT_EQ(ds.FindPrintGridColumn(u"Code"), 1);
    EXPECT_EQ(ds.FindPrintGridColumn(u"code"), -1);
    EXPECT_EQ(ds.FindPrintGridColumn(u" name "), 2);
    // Column 0 is never a data column.
    ds.StrGrid_Data.SetCell(0, 0, u"Zero");
    EXPECT_EQ(ds.FindDataColumn(u"Zero"), -1);
}

TEST(Datasheet, LookupCell)
{
    TDatasheet ds;
    Fill(ds, {" Code ", "code", "*TAGQTY*"}, {{" 123 ", "x", "2"}, {"456", "y", "1"}});
    ds.BuildPrintGrid();
    EXPECT_EQ(ds.LookupCell(u"Code", 1, u"DataGrid"), QStringLiteral(" 123 "));
    EXPECT_EQ(ds.LookupCell(u"code", 2, u"datagrid"), QStringLiteral("y"));
    EXPECT_EQ(ds.LookupCell(u"Code", 2, u"printgrid"), QStringLiteral(" 123 "));
    EXPECT_EQ(ds.LookupCell(u"Code", 3, u"PrintGrid"), QStringLiteral("456"));
    EXPECT_EQ(ds.LookupCell(u"Code", 4, u"PrintGrid"), QString());
    EXPECT_EQ(ds.LookupCell(u"Code", -1, u"DataGrid"), QString());
    EXPECT_EQ(ds.LookupCell(u"Code", 1, u"Other"), QString());
    EXPECT_EQ(ds.LookupCell(u"CODE", 1, u"DataGrid"), QString());
    EXPECT_EQ(ds.GridBySource(u"PRINTGRID"), &ds.StrGrid_Print);
    EXPECT_EQ(ds.GridBySource(u"x"), nullptr);
}

TEST(Datasheet, ResetAndDeletes)
{
    TDatasheet ds;
    Fill(ds, {"A", "B", "C"}, {{"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}});
    ds.ResetDatasheet();
    const TAdvStringGrid& g = ds.StrGrid_Data;
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("Data1"));
    EXPECT_TRUE(g.Cells(1, 1).isEmpty());
    EXPECT_EQ(Column(ds.StrGrid_Print, 1), QStringList({"Data1", ""}));

    // Deleting the only data column resets, whatever the number of rows.
    Fill(ds, {"Only"}, {{"1"}, {"2"}, {"3"}, {"4"}});
    ds.StrGrid_Data.SetCurrent(1, 3);
    ds.DeleteCurrentColumn();
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("Data1"));

    Fill(ds, {"A", "B"}, {{"1", "2"}, {"3", "4"}, {"5", "6"}});
    ds.StrGrid_Data.SetCurrent(1, 2);
    ds.DeleteCurrentColumn();
    EXPECT_EQ(Column(g, 1), QStringList({"B", "2", "4", "6"}));
    ds.DeleteCurrentRow();
    EXPECT_EQ(Column(g, 1), QStringList({"B", "2", "6"}));
    ds.DeleteAllRows();
    EXPECT_EQ(Column(g, 1), QStringList({"B", ""}));
    // The only data row can go; the names stay and a new row can come back.
    ds.DeleteCurrentRow();
    EXPECT_EQ(g.RowCount(), 1);
    ds.InsertBlankRow();
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("B"));
}

TEST(Datasheet, RowCommands)
{
    TDatasheet ds;
    Fill(ds, {"Name", "*TAGQTY*"}, {{"A", "2"}, {"B", "3"}});
    TAdvStringGrid& g = ds.StrGrid_Data;
    g.SetCurrent(1, 2);
    ds.InsertBlankRow();
    EXPECT_EQ(Column(g, 1), QStringList({"Name", "A", "", "B"}));
    EXPECT_EQ(Column(g, 2), QStringList({"*TAGQTY*", "2", "1", "3"}));
    EXPECT_EQ(g.Row(), 2);

    g.SetCell(0, 3, u" ");
    g.SetRow(3);
    ds.ClearCurrentRow();
    EXPECT_TRUE(g.Cells(0, 3).isEmpty());
    EXPECT_TRUE(g.Cells(2, 3).isEmpty());

    g.SetCol(2);
    ds.ClearCurrentColumn();
    EXPECT_EQ(Column(g, 2), QStringList({"*TAGQTY*", "", "", ""}));

    g.SetSelection({1, 1, 2, 2});
    g.SetCell(2, 1, u"q");
    ds.ClearSelectedCells();
    EXPECT_EQ(Column(g, 1), QStringList({"Name", "", "", ""}));

    ds.ClearAllData();
    EXPECT_EQ(Column(g, 1), QStringList({"", "", "", ""}));
    EXPECT_EQ(g.ColCount(), 3);
}

TEST(Datasheet, ColumnNames)
{
    TDatasheet ds;
    Fill(ds, {"abc", "Code"}, {{"1", "2"}});
    const QString blankOrExists = QStringLiteral("You input a blank name or this name has been exist!");
    EXPECT_EQ(ds.AddColumn(QString()), blankOrExists);
    EXPECT_EQ(ds.AddColumn(QStringLiteral("   ")), blankOrExists);
    EXPECT_EQ(ds.AddColumn(QStringLiteral(" CODE ")), blankOrExists);
    EXPECT_EQ(ds.StrGrid_Data.ColCount(), 3);
    EXPECT_EQ(ds.AddColumn(QStringLiteral("  Price ")), QString());
    EXPECT_EQ(ds.StrGrid_Data.Cells(3, 0), QStringLiteral("Price"));
    EXPECT_EQ(ds.StrGrid_Data.ColWidth(3), 64);

    ds.StrGrid_Data.SetCol(1);
    EXPECT_EQ(ds.RenameColumn(QStringLiteral(" abc ")), QString());  // the same name: nothing
    EXPECT_EQ(ds.RenameColumn(QStringLiteral("ABC")), QStringLiteral("Column 'ABC' has been exist!"));
    EXPECT_EQ(ds.RenameColumn(QStringLiteral(" price")), QStringLiteral("Column 'price' has been exist!"));
    EXPECT_EQ(ds.RenameColumn(QStringLiteral("  ")), QString());
    EXPECT_EQ(ds.StrGrid_Data.Cells(1, 0), QStringLiteral("abc"));
    EXPECT_EQ(ds.RenameColumn(QStringLiteral(" Name ")), QString());
    EXPECT_EQ(ds.StrGrid_Data.Cells(1, 0), QStringLiteral("Name"));

    // A column added as *tagqty* with blanks around is the tag column; adding
    // the tag column then does nothing.
    EXPECT_EQ(ds.AddColumn(QStringLiteral(" *tagqty* ")), QString());
    EXPECT_EQ(ds.TagQtyColumn(), 4);
    EXPECT_FALSE(ds.AddTagColumn());
    EXPECT_EQ(ds.StrGrid_Data.ColCount(), 5);
}

TEST(Datasheet, TagColumnCommands)
{
    TDatasheet ds;
    Fill(ds, {"Name"}, {{"A"}, {"B"}});
    EXPECT_FALSE(ds.RemoveTagColumn());
    EXPECT_TRUE(ds.AddTagColumn());
    EXPECT_FALSE(ds.AddTagColumn());
    EXPECT_EQ(Column(ds.StrGrid_Data, 2), QStringList({"*TAGQTY*", "1", "1"}));
    EXPECT_TRUE(ds.RemoveTagColumn());
    EXPECT_EQ(ds.StrGrid_Data.ColCount(), 2);

    // The tag column as the only data column: removing it resets.
    TDatasheet only;
    only.StrGrid_Data.SetCell(1, 0, TDatasheet::TagQtyColumnName);
    only.StrGrid_Data.SetRowCount(5);
    EXPECT_TRUE(only.RemoveTagColumn());
    EXPECT_EQ(only.StrGrid_Data.Cells(1, 0), QStringLiteral("Data1"));
    EXPECT_EQ(only.StrGrid_Data.RowCount(), 2);
}

TEST(Datasheet, FillSequenceGrowsRows)
{
    TDatasheet ds;
    Fill(ds, {"Serial", "*TAGQTY*"}, {});
    ds.StrGrid_Data.SetRowCount(10);  // 9 data rows
    ds.StrGrid_Data.FillCells(2, 1, 9, u"2");
    ds.StrGrid_Data.SetCurrent(1, 7);
    QStringList values;
    for (int i = 0; i < 10; ++i)
        values << QString::number(i);
    ds.FillSequence(values);
    EXPECT_EQ(ds.StrGrid_Data.RowCount(), 17);
    EXPECT_EQ(ds.StrGrid_Data.Cells(1, 7), QStringLiteral("0"));
    EXPECT_EQ(ds.StrGrid_Data.Cells(1, 16), QStringLiteral("9"));
    EXPECT_TRUE(ds.StrGrid_Data.Cells(2, 10).isEmpty());
    // Rows added without a tag quantity repeat the count of the row above.
    ds.BuildPrintGrid();
    EXPECT_EQ(ds.StrGrid_Print.RowCount(), 1 + 16 * 2);
}

TEST(Datasheet, Search)
{
    TDatasheet ds;
    Fill(ds, {"A", "B"}, {{"apple", "Straße"}, {"", "pear"}, {"Pineapple", "x"}});
    struct Case {
        QString input;
        QPoint found;
    };
    const QList<Case> cases = {
        {"APPLE", {1, 1}},      // the first data cell counts
        {"pine", {1, 3}},       // column by column, top to bottom
        {"EAR", {2, 2}},
        {"STRASSE", {2, 1}},    // upper-casing turns ß into SS
        {"\"\"", {1, 2}},       // two double quotes find an empty cell
        {" apple", {-1, -1}},   // the input as typed, blanks included
        {"   ", {-1, -1}},
        {"zzz", {-1, -1}},
    };
    for (const Case& c : cases) {
        ds.StrGrid_Data.SetCurrent(2, 3);
        EXPECT_EQ(ds.Search(c.input), c.found) << c.input.toStdString();
        if (c.found.x() >= 0) {
            EXPECT_EQ(ds.StrGrid_Data.Col(), c.found.x());
            EXPECT_EQ(ds.StrGrid_Data.Row(), c.found.y());
        } else {
            EXPECT_EQ(ds.StrGrid_Data.Row(), 3);  // unchanged
        }
    }
}

TEST(Datasheet, SortByColumnMovesWholeRows)
{
    TDatasheet ds;
    Fill(ds, {"Name", "*TAGQTY*"}, {{"b", "1"}, {"", "2"}, {"A", "3"}, {"10", "4"}, {"9", "5"}});
    ds.SortByColumn(1, true);
    EXPECT_EQ(Column(ds.StrGrid_Data, 1), QStringList({"Name", "9", "10", "A", "b", ""}));
    EXPECT_EQ(Column(ds.StrGrid_Data, 2), QStringList({"*TAGQTY*", "5", "4", "3", "1", "2"}));
    ds.SortByColumn(1, false);
    EXPECT_EQ(Column(ds.StrGrid_Data, 1), QStringList({"Name", "b", "A", "10", "9", ""}));
    // The print order follows the sorted order.
    ds.BuildPrintGrid();
    EXPECT_EQ(ds.StrGrid_Print.Cells(1, 1), QStringLiteral("b"));
}

TEST(Datasheet, ClearStaleBindings)
{
    TDatasheet ds;
    Fill(ds, {"Name", " Code "}, {{"a", "1"}});
    ds.BuildPrintGrid();
    TFakeObjects objs;
    objs.objs = {{1, "Name"}, {1, "Code"}, {1, "name"}, {0, "Gone"}, {2, "Fun_Date_MDY"}, {1, "Gone"}};
    EXPECT_EQ(ds.ClearStaleBindings(), 0);  // without a site nothing happens
    ds.SetBindingSite(&objs);
    EXPECT_EQ(ds.ClearStaleBindings(), 2);
    QList<int> origins;
    for (const auto& o : objs.objs)
        origins << o.origin;
    EXPECT_EQ(origins, QList<int>({1, 1, 0, 0, 2, 0}));

    // Clearing all data empties the names: every binding goes.
    ds.ClearAllData();
    ds.BuildPrintGrid();
    EXPECT_EQ(ds.ClearStaleBindings(), 2);
}

TEST(Datasheet, ImportKeepsOrRestoresTheDatasheet)
{
    TDatasheet ds;
    Fill(ds, {"Keep", "Me"}, {{"1", "2"}, {"3", "4"}});
    ds.StrGrid_Data.SetColWidth(2, 77);
    const TAdvStringGrid before = ds.StrGrid_Data;
    auto same = [&] {
        const TAdvStringGrid& g = ds.StrGrid_Data;
        if (g.ColCount() != before.ColCount() || g.RowCount() != before.RowCount() || g.ColWidths() != before.ColWidths())
            return false;
        for (int c = 0; c < g.ColCount(); ++c)
            for (int r = 0; r < g.RowCount(); ++r)
                if (g.Cells(c, r) != before.Cells(c, r))
                    return false;
        return true;
    };

    const TImportLoader failing = [](const QString&, TCellGridWriter& grid, const TTablePicker&) -> bool {
        grid.SetColCount(5);
        grid.SetRowCount(1000);
        grid.SetCell(0, 0, u"half");
        throw std::runtime_error("Cannot open file x.csv");
    };
    EXPECT_EQ(ds.ImportFile("x.csv", {}, failing).Message(), QString("Cannot open file x.csv"));
    EXPECT_TRUE(same());

    const TImportLoader nothing = [](const QString&, TCellGridWriter& grid, const TTablePicker&) {
        grid.SetCell(0, 0, u"ignored");
        return false;
    };
    const TDone tookNothing = ds.ImportFile("x.dat", {}, nothing);
    EXPECT_FALSE(tookNothing);
    EXPECT_TRUE(tookNothing.Message().isEmpty());
    EXPECT_TRUE(same());
    EXPECT_FALSE(ds.ImportFile("x.dat", {}));  // no loader takes the extension

    // A file as wide as a datasheet can be leaves no room for the row-number column.
    const TImportLoader wide = [](const QString&, TCellGridWriter& grid, const TTablePicker&) {
        grid.SetCell(TAdvStringGrid::kMaxColCount - 1, 0, u"last");
        return true;
    };
    EXPECT_FALSE(ds.ImportFile("wide.csv", {}, wide).Message().isEmpty());
    EXPECT_TRUE(same());

    const TImportLoader csv = [](const QString&, TCellGridWriter& grid, const TTablePicker&) {
        EXPECT_EQ(grid.ColCount(), 1);  // the datasheet was emptied first
        EXPECT_EQ(grid.RowCount(), 1);
        grid.SetColCount(2);
        grid.SetRowCount(3);
        const char16_t* cells[3][2] = {{u"Name", u"Code"}, {u"Alpha", u"1"}, {u"Beta", u"2"}};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 2; ++c)
                grid.SetCell(c, r, cells[r][c]);
        return true;
    };
    EXPECT_TRUE(ds.ImportFile("x.csv", {}, csv));
    const TAdvStringGrid& g = ds.StrGrid_Data;
    EXPECT_EQ(g.ColCount(), 3);
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(Column(g, 0), QStringList({"", "", ""}));
    EXPECT_EQ(Column(g, 1), QStringList({"Name", "Alpha", "Beta"}));
    EXPECT_EQ(Column(g, 2), QStringList({"Code", "1", "2"}));
    EXPECT_EQ(g.ColWidth(0), 50);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 1);
}
