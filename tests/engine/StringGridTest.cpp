#include "engine/datasheet/DatasheetStream.h"
#include "engine/datasheet/DelimitedText.h"
#include "engine/datasheet/StringGrid.h"

#include "common/DatasheetTestUtil.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include <algorithm>
#include <vector>

namespace {

// The obvious reference: a vector of columns of QStrings.
struct TModelGrid {
    std::vector<std::vector<QString>> cols;
    std::vector<int> widths;
    int rows = 0;

    TModelGrid(int c, int r) : cols(std::size_t(c), std::vector<QString>(std::size_t(r))), widths(std::size_t(c), 64), rows(r) {}
    int colCount() const { return int(cols.size()); }
    void setRowCount(int n)
    {
        n = std::max(n, 1);
        for (auto& c : cols)
            c.resize(std::size_t(n));
        rows = n;
    }
    void setColCount(int n)
    {
        n = std::max(n, 1);
        cols.resize(std::size_t(n), std::vector<QString>(std::size_t(rows)));
        widths.resize(std::size_t(n), 64);
    }
    std::vector<QString> row(int r) const
    {
        std::vector<QString> out;
        for (const auto& c : cols)
            out.push_back(c[std::size_t(r)]);
        return out;
    }
};

void ExpectSame(const TAdvStringGrid& g, const TModelGrid& m, const char* where)
{
    ASSERT_EQ(g.ColCount(), m.colCount()) << where;
    ASSERT_EQ(g.RowCount(), m.rows) << where;
    for (int c = 0; c < m.colCount(); ++c) {
        ASSERT_EQ(g.ColWidth(c), m.widths[std::size_t(c)]) << where << " width of column " << c;
        for (int r = 0; r < m.rows; ++r)
            ASSERT_EQ(g.Cells(c, r), m.cols[std::size_t(c)][std::size_t(r)]) << where << " cell " << c << "," << r;
    }
}

QString RandomText(QRandomGenerator& rng)
{
    static const QStringList pool = {"", "", "a", "B", "10", "2", "-3.5", "x y", "Müller", "Ελλάδα", "€uro", "1e3", "  ", "zz"};
    if (rng.bounded(10) == 0)
        return QString(int(rng.bounded(40)) + 1, QChar(u'a' + char16_t(rng.bounded(26))));
    return pool[int(rng.bounded(qsizetype(pool.size())))];
}

}  // namespace

TEST(StringGrid, NewGridShapeAndCells)
{
    TAdvStringGrid g;
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.ColWidth(0), 64);
    EXPECT_TRUE(g.Cells(1, 1).isEmpty());
    EXPECT_TRUE(g.Cells(5, 5).isEmpty());  // outside: empty, no growth
    EXPECT_EQ(g.ColCount(), 2);

    const QString text = QStringLiteral("Grüße 😀 \u20AC, \"x\"\r\n");
    g.SetCell(1, 1, text);
    EXPECT_EQ(g.Cells(1, 1), text);
    EXPECT_EQ(g.CellUtf8(1, 1), QByteArrayView(text.toUtf8()));
    // A lone surrogate cannot be stored as UTF-8; it becomes U+FFFD.
    g.SetCell(0, 0, QString(QString(QChar(0xD800)) + u'a'));
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("\uFFFDa"));

    // Writing beyond the grid grows it; negative indices are refused.
    g.SetCell(4, 6, u"far");
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.RowCount(), 7);
    EXPECT_EQ(g.Cells(4, 6), QStringLiteral("far"));
    EXPECT_THROW(g.SetCell(-1, 0, u"x"), std::out_of_range);
    EXPECT_THROW(g.SetRowCount(TAdvStringGrid::kMaxRowCount + 1), EDatasheetLimit);
    EXPECT_THROW(g.SetColCount(TAdvStringGrid::kMaxColCount + 1), EDatasheetLimit);
}

TEST(StringGrid, RowAndColumnOperations)
{
    TAdvStringGrid g(3, 5);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c)
            g.SetCell(c, r, QStringLiteral("%1%2").arg(QChar(u'a' + c)).arg(r));
    g.SetColWidth(2, 99);
    g.SetRow(3);

    g.InsertRows(2, 2);
    EXPECT_EQ(g.RowCount(), 7);
    EXPECT_EQ(g.Row(), 3);  // the current row keeps its number
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("a1"));
    EXPECT_TRUE(g.Cells(0, 2).isEmpty());
    EXPECT_TRUE(g.Cells(2, 3).isEmpty());
    EXPECT_EQ(g.Cells(1, 4), QStringLiteral("b2"));

    g.RemoveRows(2, 2);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.Cells(1, 2), QStringLiteral("b2"));
    g.RemoveRows(1, 0);
    g.RemoveRows(1, -3);
    EXPECT_EQ(g.RowCount(), 5);

    g.InsertCols(1, 1);
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(g.ColWidth(1), TAdvStringGrid::kDefaultColWidth);
    EXPECT_EQ(g.ColWidth(3), 99);
    EXPECT_TRUE(g.Cells(1, 0).isEmpty());
    EXPECT_EQ(g.Cells(2, 0), QStringLiteral("b0"));

    g.RemoveCols(1, 2);  // the new column and b
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.Cells(1, 4), QStringLiteral("c4"));
    EXPECT_EQ(g.ColWidth(1), 99);

    g.AddRow();
    EXPECT_EQ(g.RowCount(), 6);
    EXPECT_TRUE(g.Cells(1, 5).isEmpty());

    g.ClearRows(1, 2);
    EXPECT_TRUE(g.Cells(0, 1).isEmpty());
    EXPECT_TRUE(g.Cells(1, 2).isEmpty());
    EXPECT_EQ(g.Cells(1, 3), QStringLiteral("c3"));

    g.ClearCols(0);
    EXPECT_TRUE(g.Cells(0, 0).isEmpty());
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("c0"));

    g.SetSelection({1, 3, 1, 4});
    g.ClearSelection();
    EXPECT_TRUE(g.Cells(1, 3).isEmpty());
    EXPECT_TRUE(g.Cells(1, 4).isEmpty());
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("c0"));

    g.ClearAll();
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.RowCount(), 6);
    EXPECT_EQ(g.ColWidth(1), 99);
    EXPECT_TRUE(g.Cells(1, 0).isEmpty());

    // Removing everything leaves one empty row and column.
    g.SetCell(0, 0, u"x");
    g.RemoveRows(0, 100);
    g.RemoveCols(0, 100);
    EXPECT_EQ(g.RowCount(), 1);
    EXPECT_EQ(g.ColCount(), 1);
    EXPECT_TRUE(g.Cells(0, 0).isEmpty());
}

TEST(StringGrid, MoveRowsAndColumns)
{
    TAdvStringGrid g(3, 4);
    for (int r = 0; r < 4; ++r)
        g.SetCell(0, r, QString::number(r));
    g.MoveRow(0, 3);
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("1"));
    EXPECT_EQ(g.Cells(0, 3), QStringLiteral("0"));
    g.MoveRow(3, 1);
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("0"));
    EXPECT_EQ(g.Cells(0, 2), QStringLiteral("2"));

    g.SetCell(2, 0, u"last");
    g.SetColWidth(2, 10);
    g.MoveColumn(2, 0);
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("last"));
    EXPECT_EQ(g.ColWidth(0), 10);
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("1"));
    g.MoveColumn(0, 7);  // out of range: nothing
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("last"));
}

TEST(StringGrid, RowCopyBetweenGrids)
{
    TAdvStringGrid a(3, 2);
    TAdvStringGrid b(2, 3);
    a.SetCell(0, 1, u"x");
    a.SetCell(1, 1, u"y");
    a.SetCell(2, 1, u"z");
    b.SetCell(0, 2, u"old");
    b.SetCell(1, 2, u"old");
    b.RowCopy(2, a, 1);
    EXPECT_EQ(b.Cells(0, 2), QStringLiteral("x"));
    EXPECT_EQ(b.Cells(1, 2), QStringLiteral("y"));
    a.SetCell(0, 0, u"h");
    a.RowCopy(1, a, 0);  // same grid
    EXPECT_EQ(a.Cells(0, 1), QStringLiteral("h"));
    EXPECT_TRUE(a.Cells(1, 1).isEmpty());
    EXPECT_EQ(b.Cells(0, 2), QStringLiteral("x"));  // b kept its own copy
    EXPECT_THROW(b.RowCopy(5, a, 0), std::out_of_range);
}

TEST(StringGrid, SortOrderNumbersTextEmpty)
{
    // Row 0 is a header and stays; rows 1.. are sorted.
    const QStringList values = {"Name", "b", "10", "", "B", "2", "apple", "-1.5", " ", "1e1", "Äpfel", "a", "9"};
    TAdvStringGrid g(2, int(values.size()));
    for (int r = 0; r < values.size(); ++r) {
        g.SetCell(0, r, values[r]);
        g.SetCell(1, r, QString::number(r));  // remembers the original position
    }
    auto column = [&g](int c) {
        QStringList out;
        for (int r = 0; r < g.RowCount(); ++r)
            out << g.Cells(c, r);
        return out;
    };
    g.SortRows(0, true, 1, g.RowCount() - 1);
    EXPECT_EQ(column(0), QStringList({"Name", "-1.5", "2", "9", "10", "1e1", "a", "apple", "b", "B", "Äpfel", "", " "}));
    // Stable: 10 and 1e1 are equal numbers and keep their order, so do b and B.
    EXPECT_EQ(column(1).mid(4, 2), QStringList({"2", "9"}));
    EXPECT_EQ(column(1).mid(8, 2), QStringList({"1", "4"}));
    // Whole rows moved.
    for (int r = 0; r < g.RowCount(); ++r)
        EXPECT_EQ(g.Cells(0, r), values[g.Cells(1, r).toInt()]);

    g.SortRows(0, false, 1, g.RowCount() - 1);
    EXPECT_EQ(column(0), QStringList({"Name", "Äpfel", "b", "B", "apple", "a", "10", "1e1", "9", "2", "-1.5", "", " "}));
}

TEST(StringGrid, SortLongDigitStringsExactly)
{
    TAdvStringGrid g(1, 5);
    const QStringList v = {"h", "40060000000000000002", "40060000000000000001", "0040060000000000000000", "7"};
    for (int r = 0; r < 5; ++r)
        g.SetCell(0, r, v[r]);
    g.SortRows(0, true, 1, 4);
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("7"));
    EXPECT_EQ(g.Cells(0, 2), QStringLiteral("0040060000000000000000"));
    EXPECT_EQ(g.Cells(0, 3), QStringLiteral("40060000000000000001"));
    EXPECT_EQ(g.Cells(0, 4), QStringLiteral("40060000000000000002"));
}

TEST(StringGrid, SortTextsSharingAStart)
{
    // Texts that agree (ignoring case) in their first bytes are told apart by
    // what follows, lengths included.
    const QStringList values = {"Item 10", "item 9", "Item 1", "ITEM ", "Item 1a", "Item 100000000000b",
                                "Item 100000000000a"};
    TAdvStringGrid g(1, int(values.size()));
    for (int r = 0; r < values.size(); ++r)
        g.SetCell(0, r, values[r]);
    g.SortRows(0, true, 0, g.RowCount() - 1);
    QStringList sorted;
    for (int r = 0; r < g.RowCount(); ++r)
        sorted << g.Cells(0, r);
    EXPECT_EQ(sorted, QStringList({"ITEM ", "Item 1", "Item 10", "Item 100000000000a", "Item 100000000000b", "Item 1a",
                                   "item 9"}));
}

TEST(StringGrid, RowsByReferenceStayIndependent)
{
    TAdvStringGrid data(3, 4);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            data.SetCell(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
    TAdvStringGrid view;
    view.AssignRowsFrom(data, {0, 2, 2, 2, 3});
    EXPECT_TRUE(view.SharesTextWith(data));
    EXPECT_EQ(view.RowCount(), 5);
    EXPECT_EQ(view.Cells(1, 3), QStringLiteral("1:2"));

    const std::uint64_t arena = data.ArenaBytes();
    data.SetCell(1, 2, u"changed");
    data.RemoveRows(0, 1);
    data.SortRows(0, false, 0, 2);
    EXPECT_EQ(view.Cells(1, 2), QStringLiteral("1:2"));
    EXPECT_EQ(view.Cells(2, 4), QStringLiteral("2:3"));
    EXPECT_GT(data.ArenaBytes(), arena);

    // Writing one repeat of a shared row leaves the other repeats alone.
    view.SetCell(0, 2, u"only here");
    EXPECT_EQ(view.Cells(0, 1), QStringLiteral("0:2"));
    EXPECT_EQ(view.Cells(0, 2), QStringLiteral("only here"));
    EXPECT_EQ(view.Cells(0, 3), QStringLiteral("0:2"));
    EXPECT_EQ(data.Cells(0, 0), QStringLiteral("0:3"));
    EXPECT_EQ(data.Cells(1, 1), QStringLiteral("changed"));
    EXPECT_THROW(view.AssignRowsFrom(data, {9}), std::out_of_range);
}

TEST(StringGrid, RandomOperationsMatchReference)
{
    QRandomGenerator rng(12345);
    for (int round = 0; round < 30; ++round) {
        // The last rounds use grids that span several pages of cells.
        const bool big = round >= 26;
        const int startRows = big ? 4100 : 4;
        TAdvStringGrid g(3, startRows);
        TModelGrid m(3, startRows);
        // A snapshot taken by reference must not change afterwards.
        TAdvStringGrid snapshot;
        TModelGrid snapModel(1, 1);
        bool haveSnapshot = false;
        for (int step = 0; step < (big ? 60 : 300); ++step) {
            const int op = int(rng.bounded(16));
            const int rc = m.rows;
            const int cc = m.colCount();
            const int r = int(rng.bounded(rc + 1));
            const int c = int(rng.bounded(cc + 1));
            const int n = int(rng.bounded(big ? 3000 : 4));  // rows
            const int nc = int(rng.bounded(4));                // columns
            switch (op) {
            case 0:
            case 1:
            case 2: {
                const QString t = RandomText(rng);
                const int cr = std::min(r, rc + 1), ccol = std::min(c, cc);
                g.SetCell(ccol, cr, t);
                if (ccol >= m.colCount())
                    m.setColCount(ccol + 1);
                if (cr >= m.rows)
                    m.setRowCount(cr + 1);
                m.cols[std::size_t(ccol)][std::size_t(cr)] = t;
                break;
            }
            case 3:
                g.InsertRows(r, n);
                for (auto& col : m.cols)
                    col.insert(col.begin() + r, std::size_t(n), QString());
                m.rows += n;
                break;
            case 4:
                if (n > 0 && r < rc) {
                    g.RemoveRows(r, n);
                    const int k = std::min(n, rc - r);
                    if (k >= rc) {
                        for (auto& col : m.cols) {
                            col.assign(1, QString());
                        }
                        m.rows = 1;
                    } else {
                        for (auto& col : m.cols)
                            col.erase(col.begin() + r, col.begin() + r + k);
                        m.rows -= k;
                    }
                }
                break;
            case 5:
                g.InsertCols(c, nc);
                m.cols.insert(m.cols.begin() + c, std::size_t(nc), std::vector<QString>(std::size_t(rc)));
                m.widths.insert(m.widths.begin() + c, std::size_t(nc), 64);
                break;
            case 6:
                if (const int k = std::min(nc, cc - c); nc > 0 && c < cc && k < cc) {
                    g.RemoveCols(c, k);
                    m.cols.erase(m.cols.begin() + c, m.cols.begin() + c + k);
                    m.widths.erase(m.widths.begin() + c, m.widths.begin() + c + k);
                }
                break;
            case 7: {
                const int to = int(rng.bounded(rc));
                if (r < rc) {
                    g.MoveRow(r, to);
                    for (auto& col : m.cols) {
                        QString t = col[std::size_t(r)];
                        col.erase(col.begin() + r);
                        col.insert(col.begin() + to, t);
                    }
                }
                break;
            }
            case 8: {
                const int to = int(rng.bounded(cc));
                if (c < cc) {
                    g.MoveColumn(c, to);
                    auto col = m.cols[std::size_t(c)];
                    const int w = m.widths[std::size_t(c)];
                    m.cols.erase(m.cols.begin() + c);
                    m.cols.insert(m.cols.begin() + to, col);
                    m.widths.erase(m.widths.begin() + c);
                    m.widths.insert(m.widths.begin() + to, w);
                }
                break;
            }
            case 9:
                g.ClearRows(r, n);
                for (auto& col : m.cols)
                    for (int k = r; k < std::min(r + n, rc); ++k)
                        col[std::size_t(k)].clear();
                break;
            case 10: {
                const TGridRect rect{c, r, c + nc, r + n};
                g.ClearRect(rect);
                for (int x = c; x <= std::min(c + nc, cc - 1); ++x)
                    for (int y = r; y <= std::min(r + n, rc - 1); ++y)
                        m.cols[std::size_t(x)][std::size_t(y)].clear();
                break;
            }
            case 11: {
                const int delta = big ? 5000 : 7;
                const int newRows = std::max(1, rc + int(rng.bounded(delta)) - delta / 2);
                g.SetRowCount(newRows);
                m.setRowCount(newRows);
                break;
            }
            case 12:
                if (r < rc && c < rc) {
                    g.RowCopy(r, g, c);
                    for (auto& col : m.cols)
                        col[std::size_t(r)] = col[std::size_t(c)];
                }
                break;
            case 13: {
                // Sorting keeps every row, only their order changes.
                if (c < cc) {
                    g.SortRows(c, rng.bounded(2) == 0, 1, rc - 1);
                    std::vector<std::vector<QString>> before, after;
                    for (int y = 1; y < rc; ++y) {
                        before.push_back(m.row(y));
                        std::vector<QString> gr;
                        for (int x = 0; x < cc; ++x)
                            gr.push_back(g.Cells(x, y));
                        after.push_back(gr);
                    }
                    std::sort(before.begin(), before.end());
                    std::sort(after.begin(), after.end());
                    ASSERT_EQ(before, after);
                    for (int y = 1; y < rc; ++y)
                        for (int x = 0; x < cc; ++x)
                            m.cols[std::size_t(x)][std::size_t(y)] = g.Cells(x, y);
                }
                break;
            }
            case 14: {
                std::vector<std::uint32_t> rows;
                for (int k = 0; k < int(rng.bounded(6)); ++k)
                    rows.push_back(rng.bounded(std::uint32_t(rc)));
                snapshot.AssignRowsFrom(g, rows);
                snapModel = TModelGrid(cc, std::max<int>(1, int(rows.size())));
                snapModel.widths = m.widths;
                for (std::size_t k = 0; k < rows.size(); ++k)
                    for (int x = 0; x < cc; ++x)
                        snapModel.cols[std::size_t(x)][k] = m.cols[std::size_t(x)][rows[k]];
                haveSnapshot = true;
                break;
            }
            case 15:
                if (haveSnapshot) {
                    const int y = int(rng.bounded(snapModel.rows));
                    const int x = int(rng.bounded(snapModel.colCount()));
                    const QString t = RandomText(rng);
                    snapshot.SetCell(x, y, t);
                    snapModel.cols[std::size_t(x)][std::size_t(y)] = t;
                }
                break;
            }
            ExpectSame(g, m, "grid");
            if (haveSnapshot)
                ExpectSame(snapshot, snapModel, "snapshot");
            if (HasFatalFailure())
                return;
        }
    }
}

TEST(StringGrid, GarbageIsReclaimed)
{
    // Removed rows and overwritten texts do not pile up without bound.
    TAdvStringGrid g(2, 60000);
    for (int r = 0; r < 60000; ++r)
        g.SetCell(1, r, QString::number(r));
    g.MoveRow(0, 1);  // leaves the identity row order
    g.RemoveRows(10, 59000);
    EXPECT_EQ(g.RowCount(), 1000);
    EXPECT_EQ(g.Cells(1, 9), QStringLiteral("9"));
    EXPECT_EQ(g.Cells(1, 10), QStringLiteral("59010"));
    EXPECT_LT(g.MemoryUsage(), std::size_t(2) << 20);

    const QString big(1 << 20, QChar(u'x'));
    for (int i = 0; i < 150; ++i)
        g.SetCell(0, 0, QString(big + QString::number(i)));
    EXPECT_EQ(g.Cells(0, 0), big + QStringLiteral("149"));
    EXPECT_EQ(g.Cells(1, 999), QStringLiteral("59999"));
    EXPECT_LT(g.ArenaBytes(), std::uint64_t(140) << 20);
}

TEST(StringGrid, WideShortDataCostsItsCells)
{
    // Thousands of columns of two rows: memory in step with the cells used,
    // also in the grid read back from its saved form.
    TAdvStringGrid g(1, 1);
    const QByteArray csv = [] {
        QByteArray text;
        for (int row = 0; row < 2; ++row) {
            for (int col = 0; col < 4000; ++col)
                text += (col ? "," : "") + QByteArray::number(col);
            text += "\n";
        }
        return text;
    }();
    LoadDelimitedTextBytes(csv, g);
    ASSERT_EQ(g.ColCount(), 4000);
    EXPECT_EQ(g.Cells(3999, 1), QStringLiteral("3999"));
    EXPECT_LT(g.MemoryUsage(), std::size_t(20) * std::size_t(csv.size()));
    TAdvStringGrid reopened(1, 1);
    ReadDatasheetStream(reopened, WriteDatasheetStream(g));
    EXPECT_EQ(reopened.Cells(3999, 1), QStringLiteral("3999"));
    EXPECT_LT(reopened.MemoryUsage(), std::size_t(20) * std::size_t(csv.size()));
}
