#include "engine/datasheet/Datasheet.h"
#include "engine/datasheet/DatasheetStream.h"
#include "document/StrF.h"

#include "common/DatasheetTestUtil.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>


namespace {

QByteArray Lines(const QList<QByteArray>& lines)
{
    QByteArray out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

// Runs the reader and returns the error message ("" when it succeeded).
QString ReadError(TAdvStringGrid& g, const QByteArray& block, qsizetype* stoppedAt = nullptr)
{
    try {
        const qsizetype at = ReadDatasheetStream(g, block);
        if (stoppedAt)
            *stoppedAt = at;
        return QString();
    } catch (const std::exception& e) {
        return QString::fromStdString(e.what());
    }
}

}  // namespace

TEST(DatasheetStream, WorkedExample)
{
    TDatasheet ds;
    TAdvStringGrid& g = ds.StrGrid_Data;
    g.SetColCount(3);
    g.SetRowCount(3);
    const char16_t* cells[3][2] = {{u"Name", u"Code"}, {u"Apple", u"123"}, {u"Pear", u"456"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            g.SetCell(c + 1, r, cells[r][c]);
    const QByteArray expected = Lines({"3,3", "cw 0,50", "cw 1,115", "cw 2,64", "1,0,Name", "2,0,Code", "1,1,Apple",
                                       "2,1,123", "1,2,Pear", "2,2,456"});
    EXPECT_EQ(ds.WriteBlock(), expected);

    TDatasheet back;
    back.StrGrid_Data.SetCell(1, 1, u"old text");
    back.ReadBlock(expected);
    EXPECT_EQ(back.WriteBlock(), expected);
    EXPECT_EQ(back.StrGrid_Data.Cells(1, 2), QStringLiteral("Pear"));
    EXPECT_EQ(back.StrGrid_Data.ColWidth(1), 115);

    // Appending keeps what the buffer held.
    QByteArray buf("head");
    WriteDatasheetStream(g, buf);
    EXPECT_EQ(buf, "head" + expected);
}

TEST(DatasheetStream, FreshAndNamesOnly)
{
    TDatasheet fresh;
    const QByteArray block = fresh.WriteBlock();
    EXPECT_EQ(block, Lines({"2,2", "cw 0,50", "cw 1,115", "1,0,Data1"}));
    TDatasheet other;
    other.StrGrid_Data.SetColCount(5);
    other.StrGrid_Data.SetCell(3, 3, u"x");
    other.ReadBlock(block);
    other.BuildPrintGrid();
    EXPECT_EQ(other.StrGrid_Data.ColCount(), 2);
    EXPECT_EQ(other.StrGrid_Data.RowCount(), 2);
    EXPECT_EQ(other.StrGrid_Data.Cells(1, 0), QStringLiteral("Data1"));
    EXPECT_TRUE(other.StrGrid_Data.Cells(1, 1).isEmpty());
    EXPECT_EQ(other.StrGrid_Print.RowCount(), 2);
}

TEST(DatasheetStream, LineBreakEscapes)
{
    struct Case {
        const char* name;
        QByteArray cell;     // as stored in the grid (UTF-8)
        QByteArray written;  // text of its cell line
        QByteArray readBack;
    };
    const QList<Case> cases = {
        // CR LF travels as TAB BS and comes back whole.
        {"CR LF", "a\r\nb", "a\t\bb", "a\r\nb"},
        // A CR alone travels as TAB; without a BS the TAB stays a TAB.
        {"CR", "a\rb", "a\tb", "a\tb"},
        {"LF", "a\nb", "a\nb", "a\nb"},
        {"TAB", "a\tb", "a\tb", "a\tb"},
        {"a tab beside a line break", "x\ty\r\nz", "x\ty\t\bz", "x\ry\r\nz"},
        {"commas quotes blanks", " \"a\",b, ", " \"a\",b, ", " \"a\",b, "},
    };
    for (const Case& c : cases) {
        TAdvStringGrid g(2, 2);
        g.SetCellUtf8(1, 1, c.cell);
        const QByteArray block = WriteDatasheetStream(g);
        EXPECT_TRUE(block.endsWith(QByteArray("1,1," + c.written + "\r\n"))) << c.name;
        TAdvStringGrid back(2, 2);
        ReadDatasheetStream(back, block);
        EXPECT_EQ(back.CellUtf8(1, 1), QByteArrayView(c.readBack)) << c.name;
    }
}

TEST(DatasheetStream, LineReading)
{
    TAdvStringGrid g;
    // The byte after a CR is skipped unseen; a lone LF stays in the line; the
    // last line needs no line end; an empty first line sets no counts.
    qsizetype at = 0;
    EXPECT_EQ(ReadError(g, "\r\n1,1,a\rX1,0,b\n c\r\n0,0,", &at), QString());
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("a"));
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("b\n c"));
    EXPECT_TRUE(g.Cells(0, 0).isEmpty());

    // A line that is neither a width nor a cell line ends the read there.
    const QByteArray block = Lines({"2,2", "cw 1,70", "1,1,x", "Plan follows", "1,0,never"});
    EXPECT_EQ(ReadError(g, block, &at), QString());
    EXPECT_EQ(block.mid(at), Lines({"Plan follows", "1,0,never"}));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("x"));
    EXPECT_TRUE(g.Cells(1, 0).isEmpty());
    EXPECT_EQ(g.ColWidth(1), 70);
    for (const QByteArray stop : {",1,x", "1,,x", "1", "", "1;1;x"}) {
        EXPECT_EQ(ReadError(g, Lines({"2,2", "1,1,x", stop, "1,0,never"}), &at), QString()) << stop.constData();
        EXPECT_TRUE(g.Cells(1, 0).isEmpty()) << stop.constData();
    }
    // Reading from a position inside a bigger buffer.
    const QByteArray framed = "HEAD" + Lines({"2,2", "1,1,y"});
    EXPECT_EQ(ReadDatasheetStream(g, framed, 4), framed.size());
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("y"));

    // Cells outside the counts are dropped; an empty block only empties.
    EXPECT_EQ(ReadError(g, Lines({"2,2", "5,1,far", "1,9,deep", "-1,0,neg", "1,1,in"})), QString());
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("in"));
    EXPECT_EQ(ReadError(g, QByteArray()), QString());
    EXPECT_TRUE(g.Cells(1, 1).isEmpty());
}

TEST(DatasheetStream, BrokenStreamsFailCleanly)
{
    struct Case {
        const char* name;
        QByteArray block;
        QString error;
        QString keptCell;  // cell (1,1) afterwards
    };
    const QList<Case> cases = {
        {"count not a number", Lines({"x,3", "1,1,a"}), "'x' is not a valid integer value", ""},
        {"first line without comma", Lines({"33", "1,1,a"}), "'' is not a valid integer value", ""},
        {"row count not a number", Lines({"2,3x"}), "'3x' is not a valid integer value", ""},
        {"width index beyond", Lines({"2,2", "1,1,a", "cw 2,64"}), "Grid index out of range", "a"},
        {"negative width index", Lines({"2,2", "1,1,a", "cw -1,64"}), "Grid index out of range", "a"},
        {"width not a number", Lines({"2,2", "1,1,a", "cw 1,wide"}), "'wide' is not a valid integer value", "a"},
        {"width line without comma", Lines({"2,2", "1,1,a", "cw 1"}), "'' is not a valid integer value", "a"},
        {"row not a number", Lines({"2,3", "1,1,a", "1,two,b", "1,2,c"}), "'two' is not a valid integer value", "a"},
        {"column not a number", Lines({"2,3", "1,1,a", "one,2,b"}), "'one' is not a valid integer value", "a"},
        {"negative count", Lines({"-2,3", "1,1,a"}), "Datasheet size out of range: -2,3", ""},
        {"huge row count", Lines({"2,2147483647", "1,1,a"}), "Datasheet size out of range: 2,2147483647", ""},
        {"count beyond int", Lines({"2,99999999999"}), "'99999999999' is not a valid integer value", ""},
    };
    for (const Case& c : cases) {
        TAdvStringGrid g(2, 2);
        g.SetCell(1, 1, u"old");
        EXPECT_EQ(ReadError(g, c.block), c.error) << c.name;
        EXPECT_EQ(g.Cells(1, 1), c.keptCell) << c.name;
        EXPECT_LT(g.MemoryUsage(), std::size_t(1) << 20) << c.name;
    }
}

TEST(DatasheetStream, LargeCountsCostNothingUntilUsed)
{
    // A big but legal shape from a tiny block: empty rows are not stored.
    TDatasheet ds;
    ds.ReadBlock(Lines({"3,30000000", "1,0,Name", "1,29999999,last"}));
    ds.BuildPrintGrid();
    EXPECT_EQ(ds.StrGrid_Data.RowCount(), 30000000);
    EXPECT_EQ(ds.StrGrid_Data.Cells(1, 29999999), QStringLiteral("last"));
    EXPECT_LT(ds.StrGrid_Data.MemoryUsage() + ds.StrGrid_Print.MemoryUsage(), std::size_t(4) << 20);

    // Written back, only the cells that hold text are visited: the largest
    // shape a block may declare writes at once, rows moved or not.
    TAdvStringGrid vast;
    ReadDatasheetStream(vast, Lines({"16384,33554432", "16383,0,corner", "2,33554431,last", "1,7,seven"}));
    QByteArray expected = "16384,33554432\r\n";
    for (int c = 0; c < 16384; ++c)
        expected += "cw " + QByteArray::number(c) + ",64\r\n";
    EXPECT_EQ(WriteDatasheetStream(vast), expected + "16383,0,corner\r\n1,7,seven\r\n2,33554431,last\r\n");
    vast.MoveRow(7, 0);
    EXPECT_TRUE(WriteDatasheetStream(vast).endsWith("1,0,seven\r\n16383,1,corner\r\n2,33554431,last\r\n"));
}

TEST(DatasheetStream, SystemCodePage)
{
    // A block that is not UTF-8 is Windows-1252 text.
    TAdvStringGrid g;
    ReadDatasheetStream(g, QByteArray("2,2\r\n1,1,M\xfcller \x80 \x93x\x94\r\n"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("Müller € “x”"));
    const QByteArray written = WriteDatasheetStream(g);
    EXPECT_TRUE(written.endsWith("1,1,M\xc3\xbcller \xe2\x82\xac \xe2\x80\x9cx\xe2\x80\x9d\r\n"));
    TAdvStringGrid back;
    ReadDatasheetStream(back, written);
    EXPECT_EQ(back.Cells(1, 1), QStringLiteral("Müller € “x”"));
}

TEST(DatasheetStream, RandomRoundTrip)
{
    QRandomGenerator rng(7);
    const QStringList pool = {"a,b", "\"q\"", " lead", "trail ", "x\ty", "Ελλάδα", "€", "1,2,3", "cw 1,2", ",", "\\"};
    for (int round = 0; round < 20; ++round) {
        const int cols = 1 + int(rng.bounded(6));
        const int rows = 1 + int(rng.bounded(30));
        TAdvStringGrid g(cols, rows);
        for (int c = 0; c < cols; ++c)
            g.SetColWidth(c, int(rng.bounded(500)));
        for (int k = 0; k < cols * rows / 2; ++k)
            g.SetCell(int(rng.bounded(cols)), int(rng.bounded(rows)), pool[int(rng.bounded(qsizetype(pool.size())))]);
        g.MoveRow(0, rows - 1);
        const QByteArray block = WriteDatasheetStream(g);
        TAdvStringGrid back(1, 1);
        EXPECT_EQ(ReadDatasheetStream(back, block), block.size());
        ASSERT_EQ(back.ColCount(), cols);
        ASSERT_EQ(back.RowCount(), rows);
        EXPECT_EQ(back.ColWidths(), g.ColWidths());
        for (int c = 0; c < cols; ++c)
            for (int r = 0; r < rows; ++r)
                ASSERT_EQ(back.Cells(c, r), g.Cells(c, r));
        EXPECT_EQ(WriteDatasheetStream(back), block);
    }
}
