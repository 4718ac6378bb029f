#include "ImportTestSupport.h"

#include "engine/datasheet/ImportSupport.h"

#include <clocale>
#include <cmath>

using importtest::ErrorOf;

TEST(ImportValueText, NumbersAsAGeneralFormatShowsThem)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {1, "1"},
        {-7, "-7"},
        {0, "0"},
        {-0.0, "0"},
        {3.5, "3.5"},
        {1234567890123.0, "1234567890123"},
        {400638100007.0, "400638100007"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E+15"},
        {1e20, "1E+20"},
        {-2.5e21, "-2.5E+21"},
        {0.1, "0.1"},
        {2.2400000000000002, "2.24"},
        {25.990000000000002, "25.99"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {0.0001, "0.0001"},
        {0.00001, "1E-05"},
        {1234.5, "1234.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberToText(c.value), QString::fromLatin1(c.text)) << c.text;
    EXPECT_EQ(NumberToText(0.1f, 7), QStringLiteral("0.1"));
    EXPECT_EQ(NumberToText(std::nan("")), QString());
}

TEST(ImportValueText, NumbersIgnoreTheUserLocale)
{
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    // Any locale with a decimal comma that the machine has; C otherwise.
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"})
        if (std::setlocale(LC_NUMERIC, name))
            break;
    EXPECT_EQ(NumberToText(3.5), QStringLiteral("3.5"));
    EXPECT_EQ(CurrencyToText(3.5), QStringLiteral("3.50"));
    {
        TCNumericLocaleScope scope;
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.1f", 2.5);
        EXPECT_STREQ(buffer, "2.5");
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ImportValueText, Currency)
{
    EXPECT_EQ(CurrencyToText(1234.5), QStringLiteral("1234.50"));
    EXPECT_EQ(CurrencyToText(-5.25), QStringLiteral("-5.25"));
    EXPECT_EQ(CurrencyToText(0), QStringLiteral("0.00"));
    EXPECT_EQ(CurrencyToText(1.2345), QStringLiteral("1.2345"));
    EXPECT_EQ(CurrencyToText(1.234), QStringLiteral("1.234"));
    EXPECT_EQ(CurrencyToText(-0.00001), QStringLiteral("0.00"));
}

TEST(ImportValueText, SerialDates)
{
    using K = TDateKind;
    EXPECT_EQ(SerialDateToText(45366, K::dkDate), QStringLiteral("2024-03-15"));
    EXPECT_EQ(SerialDateToText(45366.5729166667, K::dkDateTime), QStringLiteral("2024-03-15 13:45:00"));
    EXPECT_EQ(SerialDateToText(45366.5729166667, K::dkDate), QStringLiteral("2024-03-15"));
    EXPECT_EQ(SerialDateToText(45366, K::dkDateTime), QStringLiteral("2024-03-15"));
    EXPECT_EQ(SerialDateToText(0.5729166667, K::dkDateTime), QStringLiteral("13:45:00"));
    EXPECT_EQ(SerialDateToText(45366.5729166667, K::dkTime), QStringLiteral("13:45:00"));
    EXPECT_EQ(SerialDateToText(45366.99999999, K::dkDateTime), QStringLiteral("2024-03-16"));
    EXPECT_EQ(SerialDateToText(1, K::dkDate), QStringLiteral("1900-01-01"));
    EXPECT_EQ(SerialDateToText(59, K::dkDate), QStringLiteral("1900-02-28"));
    EXPECT_EQ(SerialDateToText(60, K::dkDate), QStringLiteral("1900-02-29"));
    EXPECT_EQ(SerialDateToText(61, K::dkDate), QStringLiteral("1900-03-01"));
    EXPECT_EQ(SerialDateToText(43904, K::dkDate, true), QStringLiteral("2024-03-15"));
    EXPECT_EQ(SerialDateToText(-1, K::dkDate), QStringLiteral("-1"));
    EXPECT_EQ(SerialDateToText(1e9, K::dkDate), QStringLiteral("1000000000"));
}

TEST(ImportValueText, DateFormatCodes)
{
    using K = TDateKind;
    const struct {
        const char* code;
        TDateKind kind;
    } cases[] = {
        {"General", K::dkNone},
        {"0.00", K::dkNone},
        {"#,##0.00", K::dkNone},
        {"0.00E+00", K::dkNone},
        {"0%", K::dkNone},
        {"@", K::dkNone},
        {"#,##0 \"days\"", K::dkNone},
        {"[Red]0.00;[Blue]-0.00", K::dkNone},
        {"0 \\d", K::dkNone},
        {"yyyy-mm-dd", K::dkDate},
        {"YYYY-MM-DD", K::dkDate},
        {"d-mmm-yy", K::dkDate},
        {"mmm yyyy", K::dkDate},
        {"mm", K::dkDate},
        {"[$-409]mmmm d, yyyy", K::dkDate},
        {"hh:mm:ss", K::dkTime},
        {"h:mm AM/PM", K::dkTime},
        {"mm:ss", K::dkTime},
        {"[h]:mm", K::dkTime},
        {"yyyy-mm-dd hh:mm", K::dkDateTime},
        {"m/d/yy h:mm", K::dkDateTime},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DateFormatKind(QString::fromLatin1(c.code)), c.kind) << c.code;
    EXPECT_EQ(BuiltinDateFormatKind(0), K::dkNone);
    EXPECT_EQ(BuiltinDateFormatKind(2), K::dkNone);
    EXPECT_EQ(BuiltinDateFormatKind(14), K::dkDate);
    EXPECT_EQ(BuiltinDateFormatKind(20), K::dkTime);
    EXPECT_EQ(BuiltinDateFormatKind(22), K::dkDateTime);
    EXPECT_EQ(BuiltinDateFormatKind(49), K::dkNone);
}

TEST(ImportValueText, SheetCellsWriteTheirUsedBlock)
{
    TSheetCells cells;
    cells.AddCell(2, 3, QStringLiteral("a"));
    cells.AddCell(4, 2, cells.AddText(QStringLiteral("r")), 2, 3);  // rows 4-5, columns 2-4
    cells.AddCell(9, 9, QString());                                 // empty cells do not count
    TMemoryCellGrid grid(10, 10);
    grid.SetCell(0, 1, QStringLiteral("old"));
    cells.WriteTo(grid);
    EXPECT_EQ(grid.Rows(), (QList<QStringList>{{"", "a", ""}, {"", "", ""}, {"r", "r", "r"}, {"r", "r", "r"}}));

    // Nothing but empty cells: refused like an empty text file, grid untouched.
    TSheetCells empty;
    empty.AddCell(0, 0, empty.AddText(QString()), 1000, 1000);
    TMemoryCellGrid one(4, 4);
    EXPECT_EQ(ErrorOf([&] { empty.WriteTo(one); }), QStringLiteral("There is nothing to import: the file holds no text."));
    EXPECT_EQ(one.ColCount(), 4);
}

TEST(ImportValueText, SheetCellsRefuseHugeRangesAndTooManyValues)
{
    const QString tooLarge = QStringLiteral("The sheet is too large to import");
    const QString tooMany = QStringLiteral("The spreadsheet is too large: more than 16777216 of its cells");
    const QString tooLong = QStringLiteral("The spreadsheet is too large: cell C2 holds more than 65536 characters");
    const QString tooMuch = QStringLiteral("The spreadsheet is too large: its cells hold more than 128 million");
    auto add = [](qint64 row, qint64 col, qint64 rows, qint64 cols, qsizetype length = 1) {
        return [=] {
            TSheetCells cells;
            cells.AddCell(0, 0, QStringLiteral("x"));
            if (rows == 1 && cols == 1)
                cells.AddCell(row, col, QString(length, u'y'));
            else
                cells.AddCell(row, col, cells.AddText(QString(length, u'y')), rows, cols);
        };
    };
    const struct {
        std::function<void()> add;
        QString error;  // start of the message; empty: accepted
    } cases[] = {
        {add(1048576, 0, 1, 1), tooLarge},
        {add(0, 16384, 1, 1), tooLarge},
        {add(0, 0, 2000000, 1), tooLarge},
        {add(1000000, 100, 1, 1), tooLarge},  // 100 M cells
        {add(1048575, 0, 1, 16), {}},         // 16.8 M cells, two of them values
        {add(-1, 0, 1, 1), tooLarge},
        {add(0, 0, 1048576, 16), tooMany},    // a value repeated over 16.8 M cells
        {add(1, 2, 1, 1, 65537), tooLong},
        {add(1, 2, 1, 1, 65536), {}},
        {add(0, 0, 2000, 1000, 65), tooMuch},
    };
    for (const auto& c : cases) {
        const QString error = ErrorOf(c.add);
        EXPECT_TRUE(c.error.isEmpty() ? error.isEmpty() : error.startsWith(c.error)) << error.toStdString();
    }
}
