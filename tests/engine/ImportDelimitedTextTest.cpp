#include "ImportTestSupport.h"

#include "engine/datasheet/DelimitedText.h"
#include "engine/datasheet/ImportSupport.h"

#include <QProcess>

using importtest::ErrorOf;
using importtest::Show;
using importtest::TRows;

namespace {

TRows Load(const QByteArray& text, TMemoryCellGrid grid = TMemoryCellGrid(1, 1))
{
    LoadDelimitedTextBytes(text, grid);
    EXPECT_EQ(grid.BadWrites, 0);
    return grid.Rows();
}

TRows LoadFixture(const QString& name)
{
    TMemoryCellGrid grid(1, 1);
    LoadDelimitedText(testsupport::FixturePath(QStringLiteral("import/text/") + name), grid);
    EXPECT_EQ(grid.BadWrites, 0);
    return grid.Rows();
}

const TRows kCommaRows = {
    {"Name", "Code"},
    {"Alpha", "400638100007"},
    {"Beta", "400638100014"},
    {"Gamma", "400638100021"},
    {"Delta", "400638100028"},
    {"Epsilon", "400638100035"},
};

const TRows kUtf8Rows = {
    {"Name", "Code"},
    {QString::fromUtf8("Müller"), "100000000001"},
    {QString::fromUtf8("Renée Façade"), "100000000002"},
    {QString::fromUtf8("Œuvre „Spezial“ – 5 €"), "100000000003"},
    {QString::fromUtf8("Straße"), "100000000004"},
    {QString::fromUtf8("Ελλάδα"), "100000000005"},
};

}  // namespace

TEST(ImportDelimitedText, EveryFixtureGivesItsRowsAndColumns)
{
    const struct {
        const char* file;
        TRows rows;
    } cases[] = {
        {"comma.csv", kCommaRows},
        {"crlf.csv", kCommaRows},
        {"no_final_newline.csv", kCommaRows},
        {"semicolon.csv",
         {{"Name", "Code", "Price"},
          {"Alpha", "400638100007", "1,50"},
          {"Beta", "400638100014", "2,99"},
          {"Gamma", "400638100021", "3,50"},
          {"Delta", "400638100028", "4,99"},
          {"Epsilon", "400638100035", "5,50"}}},
        {"tab.txt",
         {{"Name", "Code", "Qty"},
          {"Alpha", "400638100007", "10"},
          {"Beta", "400638100014", "20"},
          {"Gamma", "400638100021", "30"},
          {"Delta", "400638100028", "40"},
          {"Epsilon", "400638100035", "50"}}},
        // Quoted fields keep the delimiter, doubled quotes become one, a
        // stray quote in an unquoted field is dropped.
        {"quoted.csv",
         {{"Name", "Code", "Note"},
          {"Smith, John", "100000000001", "delimiter inside quotes"},
          {"The \"Best\" Tea", "100000000002", "doubled \"quotes\" here"},
          {"O\"Neil", "100000000003", "stray quote in unquoted field"},
          {"5\" Screw", "100000000004", "unquoted field ending in a quote mark"},
          {"", "100000000005", "empty quoted field"},
          {"a,b,c", "100000000006", "x, y"}}},
        // Every line is a row, also inside quotes.
        {"quoted_newline.csv", {{"Name", "Code"}, {"Two\r\nLines", "100000000001"}, {"Plain", "100000000002"}}},
        {"ragged.csv",
         {{"Name", "Code", "", "", ""},
          {"Alpha", "100000000001", "x3", "x4", "x5"},
          {"Beta", "100000000002", "x3", "", ""}}},
        {"vtab.csv", {{"Name", "Code"}, {"First\r\nSecond", "100000000001"}, {"Plain", "100000000002"}}},
        {"utf8.csv", kUtf8Rows},
        {"utf8_bom.csv", kUtf8Rows},
        {"cp1252.csv", kUtf8Rows.mid(0, 5)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadFixture(QString::fromLatin1(c.file)), c.rows) << c.file << "\n" << Show(LoadFixture(c.file));
}

TEST(ImportDelimitedText, DelimiterChoice)
{
    const struct {
        const char* first;
        const char* second;
        char16_t expected;
    } cases[] = {
        {"a;b;c,d", "1;2;3,4", u';'},   // two semicolons and one comma in each line
        {"a;b,c,d", "1;2,3,4", u','},   // one semicolon and two commas
        {"a,b,c", "1;2", u','},         // unequal counts: the most frequent
        {"a|b", "1|2", u'|'},
        {"a\tb\tc", "1\t2\t3", u'\t'},
        {"a,,b", "c,,d", u','},         // even runs count nothing, then plain counts decide
        {"a;;b,c", "d;;e,f", u','},     // the even run of ; counts nothing
        {"x|y;z;;", "1|2;3;4", u';'},   // a run at the end counts once, even when even
        {"a,b;c;d", "", u';'},          // one line: the greatest count
        {"a,b;c", "", u','},            // ties: the first candidate
        {"a#b@c", "1#2@3", u'#'},       // equal counts: the first candidate
        {"a-b-c+d", "1-2+3+4", u'-'},   // first line decides among equal maxima
        {"abc", "def", 0},
        {"", "", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DetectDelimiter(QString::fromLatin1(c.first), QString::fromLatin1(c.second)), c.expected)
            << c.first << " / " << c.second;
}

TEST(ImportDelimitedText, FileWithSemicolonsAndCommas)
{
    EXPECT_EQ(Load("A;B;C,D\n1;2;3,4\n"), (TRows{{"A", "B", "C,D"}, {"1", "2", "3,4"}}));
    EXPECT_EQ(Load("A;B,C,D\n1;2,3,4\n"), (TRows{{"A;B", "C", "D"}, {"1;2", "3", "4"}}));
}

TEST(ImportDelimitedText, QuotingRules)
{
    const struct {
        const char* line;
        QStringList fields;
    } cases[] = {
        {"\"a\"\"b\",x", {"a\"b", "x"}},                  // quoted: a pair of quotes is one quote
        {"5\" Screw,O\"Neil", {"5\" Screw", "O\"Neil"}},  // unquoted: quotes stay as written
        {"x,\"a,b\"", {"x", "a,b"}},                      // a quoted last field keeps the delimiter
        {"x,\"a\"\"b\"", {"x", "a\"b"}},                  // a quoted last field without delimiter
        {"\"ab\"cd,ef", {"abcd", "ef"}},                  // text after the closing quote stays in the field
        {"\"abc,def", {"\"abc", "def"}},                  // no closing quote: the text as written
        {"\"\"\"a\"\"\",b", {"\"a\"", "b"}},              // odd runs close, even runs stay inside
        {"\"a,b\"c", {"a,bc"}},                           // no delimiter after the closing quote
        {"\"a\"b\"\"c,d", {"ab\"\"c", "d"}},              // the text after it is taken as written
        {"a,b,", {"a", "b"}},                             // an empty rest writes nothing
        {"a,,b", {"a", "", "b"}},
        {",a", {"", "a"}},
        {"a,\"", {"a", "\""}},                  // a lone quote as last field stays
        {"one\x0Btwo,x", {"one\r\ntwo", "x"}},  // vertical tab becomes CR LF
        {"x,\"p\x0Bq\"", {"x", "p\r\nq"}},
    };
    for (const auto& c : cases) {
        TMemoryCellGrid grid(1, 1);
        // A second line with the same delimiter count keeps the choice on ','.
        LoadDelimitedTextBytes(QByteArray(c.line), grid);
        QStringList row = grid.Row(0);
        while (row.size() > c.fields.size() && row.back().isEmpty())
            row.removeLast();
        EXPECT_EQ(row, c.fields) << c.line;
    }
}

TEST(ImportDelimitedText, LinesWithoutDelimiterAreOneField)
{
    EXPECT_EQ(Load("Name\nAlpha\n\"Quoted\"\n"), (TRows{{"Name"}, {"Alpha"}, {"Quoted"}}));
}

TEST(ImportDelimitedText, LineEndsAndEmptyLines)
{
    EXPECT_EQ(Load("a,b\r\nc,d\re,f\n"), (TRows{{"a", "b"}, {"c", "d"}, {"e", "f"}}));
    EXPECT_EQ(Load("a,b\n\nc,d\n"), (TRows{{"a", "b"}, {"", ""}, {"c", "d"}}));
    EXPECT_EQ(Load("a,b\r\n\r\n\r\n"), (TRows{{"a", "b"}, {"", ""}, {"", ""}}));
    EXPECT_EQ(Load("a,b\r\r\n"), (TRows{{"a", "b"}, {"", ""}}));
    EXPECT_EQ(Load("a,b"), (TRows{{"a", "b"}}));
    // Lines that cross where a search for the other line end gave up (1 MB on)
    // come whole.
    for (const char* end : {"\n", "\r"}) {
        const TRows rows = Load(QByteArray("ab,cd").append(end).repeated(300000));
        EXPECT_EQ(rows.size(), 300000);
        EXPECT_EQ(rows.count(QStringList{"ab", "cd"}), 300000);
    }
}

TEST(ImportDelimitedText, RowCountBecomesLineCountColumnsNeverShrink)
{
    // Cells a line does not reach keep their text; rows past the last line go.
    TMemoryCellGrid grid(3, 5);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c)
            grid.SetCell(c, r, QStringLiteral("old"));
    LoadDelimitedTextBytes(QByteArray("a,b\nc\n"), grid);
    EXPECT_EQ(grid.ColCount(), 3);
    EXPECT_EQ(grid.Rows(), (TRows{{"a", "b", "old"}, {"c", "old", "old"}}));

    // Lines of 2, 5 and 3 fields: at least 5 columns.
    TMemoryCellGrid ragged(1, 1);
    LoadDelimitedTextBytes(QByteArray("a,b\n1,2,3,4,5\nx,y,z\n"), ragged);
    EXPECT_EQ(ragged.ColCount(), 5);
    EXPECT_EQ(ragged.RowCount(), 3);
}

TEST(ImportDelimitedText, RefusesFilesWithoutText)
{
    const struct {
        QByteArray bytes;
        const char* error;
    } cases[] = {
        {QByteArray(), "nothing to import"},
        {QByteArray(" \r\n\t\n"), "nothing to import"},
        {QByteArray("\xEF\xBB\xBF\n"), "nothing to import"},
        {QByteArray("\xFF\xFE\n\0", 4), "nothing to import"},
        {QByteArray("Name,Code\nA,\x01\0\x02\x03\0\0\x7f\n", 20), "not a text file"},
    };
    for (const auto& c : cases) {
        TMemoryCellGrid grid(2, 4);
        EXPECT_TRUE(ErrorOf([&] { LoadDelimitedTextBytes(c.bytes, grid); }).contains(QLatin1String(c.error)))
            << c.bytes.toHex().toStdString();
    }
}

TEST(ImportDelimitedText, Encodings)
{
    // UTF-16 with a byte-order mark, both byte orders.
    const QString text = QString::fromUtf8("Name\tCode\nΕλλάδα\t1\n");
    QByteArray le("\xFF\xFE", 2), be("\xFE\xFF", 2);
    for (QChar c : text) {
        le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    }
    const TRows expected = {{"Name", "Code"}, {QString::fromUtf8("Ελλάδα"), "1"}};
    EXPECT_EQ(Load(le), expected);
    EXPECT_EQ(Load(be), expected);
    // Without the mark the NUL bytes give the byte order away.
    EXPECT_EQ(Load(le.mid(2)), expected);
    EXPECT_EQ(Load(be.mid(2)), expected);

    // Not valid UTF-8 throughout: each line in the encoding it fits.
    EXPECT_EQ(Load("a,\xC3\xBC\nb,\x80\n"), (TRows{{"a", QString::fromUtf8("ü")}, {"b", QString::fromUtf8("€")}}));
    // A byte-order mark declares UTF-8 even with a bad byte in it.
    EXPECT_EQ(Load("\xEF\xBB\xBFM\xC3\xBCller,\xFF\n"), (TRows{{QString::fromUtf8("Müller"), QString(QChar(0xFFFD))}}));
}

TEST(ImportDelimitedText, CannotOpenFile)
{
    TMemoryCellGrid grid(1, 1);
    const QString missing = QStringLiteral("/nonexistent/folder/data.csv");
    EXPECT_EQ(ErrorOf([&] { LoadDelimitedText(missing, grid); }), QStringLiteral("Cannot open file ") + missing);
    importtest::TTempFiles files;
    files.Write(QStringLiteral("x"), "x");
    const QString folder = files.Path(QString());
    EXPECT_EQ(ErrorOf([&] { LoadDelimitedText(folder, grid); }), QStringLiteral("Cannot open file ") + folder);
}

TEST(ImportDelimitedText, GeneratedFileImportsEveryRow)
{
    importtest::TTempFiles files;
    const QString path = files.Path(QStringLiteral("big.csv"));
    ASSERT_EQ(QProcess::execute(QStringLiteral("sh"), {testsupport::FixturePath(QStringLiteral("import/text/gen_big_csv.sh")),
                                                       path, QStringLiteral("5000")}),
              0);
    TMemoryCellGrid grid(1, 1);
    LoadDelimitedText(path, grid);
    EXPECT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(grid.RowCount(), 5001);
    EXPECT_EQ(grid.Row(0), (QStringList{"Name", "Code", "Price", "Qty"}));
    EXPECT_EQ(grid.Row(1), (QStringList{"Item 000001", "400600000001", "1.00", "1"}));
    EXPECT_EQ(grid.Row(5000), (QStringList{"Item 005000", "400600005000", "50.99", "0"}));
}

TEST(ImportDelimitedText, QuotedLineBreaksStayInTheirField)
{
    // A line break inside quotes, in any field, with LF, CR LF or CR line ends.
    EXPECT_EQ(Load("A,B,C\n1,\"x\ny\nz\",3\n4,5,6\n"),
              TRows({{"A", "B", "C"}, {"1", "x\r\ny\r\nz", "3"}, {"4", "5", "6"}}));
    EXPECT_EQ(Load("A,B\r\n\"p\r\nq\",2\r\n"), TRows({{"A", "B"}, {"p\r\nq", "2"}}));
    EXPECT_EQ(Load("A,B\r\"p\rq\",2\r"), TRows({{"A", "B"}, {"p\r\nq", "2"}}));
    // Quote pairs inside a field that spans lines.
    EXPECT_EQ(Load("A,B\n\"say \"\"hi\nthere\"\"\",2\n"), TRows({{"A", "B"}, {"say \"hi\r\nthere\"", "2"}}));
    // Text after the closing quote of a field that spans lines stays in it.
    EXPECT_EQ(Load("Name,Qty\n\"unclosed,123\n5\" Screw,7\n"),
              TRows({{"Name", "Qty"}, {"unclosed,123\r\n5 Screw", "7"}}));
    // A quote that never closes leaves every line a row of its own.
    EXPECT_EQ(Load("A,B\n\"open,1\nx,2\ny,3\n"), TRows({{"A", "B"}, {"\"open", "1"}, {"x", "2"}, {"y", "3"}}));
    // Nor does a field that closes only after more than 64 lines.
    QByteArray longField = "A,B\n\"start,1\n";
    for (int i = 0; i < 70; ++i)
        longField += "mid,2\n";
    longField += "end\",3\n";
    EXPECT_EQ(Load(longField).size(), 73);
}

TEST(ImportDelimitedText, OverlongLinesFieldsAndRowsAreRefusedNamingTheLine)
{
    const QByteArray field(65535, 'f');
    QByteArray widest = field;
    for (int i = 1; i < 16; ++i)
        widest += ',' + field;  // 1 MB less one byte
    const struct {
        QByteArray text;
        const char* error;  // empty: accepted
    } cases[] = {
        {QByteArray((1 << 20) + 1, 'x'), "Line 1 is too long to import (a line may hold at most 1 MB)."},
        {"a,b\rc,d\r" + QByteArray((1 << 20) + 1, 'x') + "\r", "Line 3 is too long"},
        {"a,b\n" + widest + "\n", ""},
        {"a,b\n" + widest + "ff\n", "Line 2 is too long"},
        {"a,b\nc,d\n\"" + QByteArray(65536, 'y') + "z\",w\n", "Field 1 of line 3 is too long to import"},
        {"a,b\nc,\"" + QByteArray(65536, 'y') + "\"z\n", "Field 2 of line 2 is too long"},  // with what follows the quote
        {"a,b\n" + QByteArray("a,").repeated(16385) + "\n", "Line 2 has more fields than a datasheet has columns"},
    };
    for (const auto& c : cases) {
        TMemoryCellGrid grid(1, 1);
        const QString error = ErrorOf([&] { LoadDelimitedTextBytes(c.text, grid); });
        EXPECT_TRUE(QByteArray(c.error).isEmpty() ? error.isEmpty() : error.startsWith(QLatin1String(c.error)))
            << c.error << " / " << error.toStdString();
    }
}

TEST(ImportDelimitedText, MixedEncodingsAreReadLineByLineWithAWarning)
{
    importtest::TTempFiles files;
    const struct {
        const char* name;
        QByteArray bytes;
        bool warned;
    } cases[] = {
        {"mixed.csv", "Name,City\nM\xC3\xBCller,M\xC3\xBCnchen\nStra\xDF" "e,K\xF6ln\n", true},
        {"utf8.csv", "Name,City\nM\xC3\xBCller,M\xC3\xBCnchen\n", false},
        {"cp1252.csv", "Name,City\nStra\xDF" "e,K\xF6ln\nplain,ascii\n", false},
    };
    for (const auto& c : cases) {
        TImportWarnings warnings;
        TMemoryCellGrid grid(1, 1);
        LoadDelimitedText(files.Write(QString::fromLatin1(c.name), c.bytes), grid);
        EXPECT_EQ(grid.Row(grid.RowCount() - 1).join(u','),
                  QString::fromUtf8(c.warned ? "Straße,Köln" : c.name[0] == 'u' ? "Müller,München" : "plain,ascii"));
        ASSERT_EQ(warnings.List().size(), c.warned ? 1 : 0) << c.name;
        if (c.warned)
            EXPECT_EQ(warnings.List().front(), QStringLiteral("The file mixed.csv mixes UTF-8 and Windows-1252 text; "
                                                              "each line was read in the encoding it fits. Check the "
                                                              "imported text."));
    }
}
