#include "ImportTestSupport.h"

#include "engine/datasheet/SpreadsheetImport.h"
#include "engine/datasheet/XlsWorkbookScan.h"

using importtest::ErrorOf;
using importtest::Show;
using importtest::TRows;

namespace {

QString XlsPath(const char* name)
{
    return testsupport::FixturePath(QStringLiteral("import/xls/") + QString::fromLatin1(name));
}

TMemoryCellGrid LoadXls(const QString& path)
{
    TMemoryCellGrid grid(1, 1);
    LoadSpreadsheet(path, grid);
    EXPECT_EQ(grid.BadWrites, 0);
    return grid;
}

// Patches the DIMENSIONS records (rows, columns) of every sheet of a BIFF8 file.
QByteArray WithDimensions(QByteArray bytes, quint32 rows, quint16 cols)
{
    const QByteArray record("\x00\x02\x0E\x00", 4);
    for (qsizetype i = bytes.indexOf(record); i >= 0; i = bytes.indexOf(record, i + 1)) {
        for (int k = 0; k < 4; ++k)
            bytes[i + 8 + k] = char(rows >> (8 * k));
        bytes[i + 14] = char(cols);
        bytes[i + 15] = char(cols >> 8);
    }
    return bytes;
}

}  // namespace

TEST(ImportSpreadsheet, ProductsSheet)
{
    const TMemoryCellGrid grid = LoadXls(XlsPath("products.xls"));
    ASSERT_EQ(grid.ColCount(), 4);
    ASSERT_EQ(grid.RowCount(), 21);
    EXPECT_EQ(grid.Row(0), (QStringList{"Name", "Code", "Price", "Qty"}));
    EXPECT_EQ(grid.Row(1), (QStringList{"Product 01", "400638100007", "2.24", "10"}));
    EXPECT_EQ(grid.Row(20), (QStringList{"Product 20", "400638100140", "25.99", "200"}));
}

TEST(ImportSpreadsheet, UsedRangeStartsAtFirstUsedCell)
{
    const TMemoryCellGrid grid = LoadXls(XlsPath("offset.xls"));
    EXPECT_EQ(grid.Rows(), (TRows{{"Name", "Code", "Qty"},
                                  {"Alpha", "400638100007", "5"},
                                  {"Beta", "400638100014", "6"},
                                  {"Gamma", "", "7"},
                                  {"Delta", "400638100028", "8"},
                                  {"Epsilon", "400638100035", "9"}}))
        << Show(grid.Rows());
}

TEST(ImportSpreadsheet, ValuesAsText)
{
    const TMemoryCellGrid grid = LoadXls(XlsPath("numbers.xls"));
    ASSERT_EQ(grid.ColCount(), 2);
    ASSERT_EQ(grid.RowCount(), 19);
    QStringList values;
    for (int r = 0; r < grid.RowCount(); ++r)
        values << grid.Cell(0, r);
    EXPECT_EQ(values, (QStringList{"Value", "1", "2", "1234567890123", "3.5", "0", "-7", "0.1", "1.23", "1E+20",
                                   "0.333333333333333", "400638100007", "2024-03-15", "2024-03-15 13:45:00", "1234.5",
                                   "0.25", "TRUE", "3", "00123"}));
    EXPECT_EQ(grid.Cell(1, 17), QStringLiteral("formula =A2+A3 (cached 3)"));
}

TEST(ImportSpreadsheet, ActiveSheetIsRead)
{
    const TMemoryCellGrid first = LoadXls(XlsPath("multisheet.xls"));
    EXPECT_EQ(first.Rows(), (TRows{{"Name", "Code"},
                                   {"First A", "100000000001"},
                                   {"First B", "100000000002"},
                                   {"First C", "100000000003"}}));
    const TMemoryCellGrid second = LoadXls(XlsPath("multisheet_active2.xls"));
    EXPECT_EQ(second.Rows(), (TRows{{"Name", "Code", "City"},
                                    {"Second A", "200000000001", QString::fromUtf8("München")},
                                    {QString::fromUtf8("Müller"), "200000000002", QString::fromUtf8("Zürich")},
                                    {QString::fromUtf8("Ελλάδα"), "200000000003", QString::fromUtf8("Αθήνα")},
                                    {"Second D", "200000000004", "Oslo"},
                                    {"Second E", "200000000005", "Paris"}}));
}

TEST(ImportSpreadsheet, BigWorkbook)
{
    const TMemoryCellGrid grid = LoadXls(XlsPath("big.xls"));
    ASSERT_EQ(grid.RowCount(), 20001);
    ASSERT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(grid.Row(1), (QStringList{"Item 000001", "400600000001", "1", "1"}));
    EXPECT_EQ(grid.Row(12345), (QStringList{"Item 012345", "400600012345", "124.44", "345"}));
    EXPECT_EQ(grid.Row(20000), (QStringList{"Item 020000", "400600020000", "200.99", "0"}));
}

TEST(ImportSpreadsheet, WritesEveryCellOfTheBlock)
{
    // The grid takes the block's size exactly, smaller or larger, and every
    // cell of it is written (empty ones too).
    TMemoryCellGrid grid(7, 30);
    for (int r = 0; r < 30; ++r)
        for (int c = 0; c < 7; ++c)
            grid.SetCell(c, r, QStringLiteral("old"));
    LoadSpreadsheet(XlsPath("offset.xls"), grid);
    EXPECT_EQ(grid.ColCount(), 3);
    EXPECT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(grid.Cell(1, 3), QString());
}

TEST(ImportSpreadsheet, WorkbookScan)
{
    const QByteArray bytes = testsupport::ReadFile(XlsPath("multisheet_active2.xls"));
    const TXlsWorkbookScan scan = ScanXlsWorkbook(bytes);
    ASSERT_TRUE(scan.ok);
    EXPECT_EQ(scan.biffVersion, 8);
    EXPECT_EQ(scan.activeTab, 1);
    ASSERT_EQ(scan.sheets.size(), 2);
    EXPECT_EQ(scan.sheets[0].name, QStringLiteral("First"));
    EXPECT_EQ(scan.sheets[1].name, QStringLiteral("Second"));
    EXPECT_EQ(scan.sheets[1].declaredCells, 6 * 3);
    EXPECT_EQ(scan.scannedSheet, 1);

    const TXlsWorkbookScan numbers = ScanXlsWorkbook(testsupport::ReadFile(XlsPath("numbers.xls")));
    ASSERT_TRUE(numbers.ok);
    // The formula's cached result and the boolean the cell library leaves out.
    const auto formula = numbers.cells.value((qint64(17) << 16) | 0);
    EXPECT_EQ(formula.kind, TXlsCellOverride::ckNumber);
    EXPECT_EQ(formula.number, 3.0);
    EXPECT_EQ(numbers.cells.value((qint64(16) << 16) | 0).kind, TXlsCellOverride::ckBoolean);
    // A date format is recognised through the cell's format record.
    EXPECT_EQ(numbers.DateKindOfXf(numbers.cells.value((qint64(17) << 16) | 0).xf), TDateKind::dkNone);

    EXPECT_FALSE(ScanXlsWorkbook(QByteArray("not a workbook")).ok);
    EXPECT_FALSE(ScanXlsWorkbook(bytes.left(1000)).ok);
}

TEST(ImportSpreadsheet, BrokenFilesFailCleanly)
{
    importtest::TTempFiles files;
    const QByteArray products = testsupport::ReadFile(XlsPath("products.xls"));
    ASSERT_FALSE(products.isEmpty());
    QList<QPair<QString, QByteArray>> broken = {
        {"empty.xls", QByteArray()},
        {"text.xls", "Name,Code\nAlpha,1\n"},
        {"header-only.xls", products.left(512)},
        {"garbage.xls", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(4000, '\x5A')},
        // Every sheet claims the largest size an Excel 97-2003 sheet can have.
        {"huge.xls", WithDimensions(testsupport::ReadFile(XlsPath("multisheet.xls")), 65536, 256)},
    };
    for (int cut : {600, 1024, 2048, 4096, 5000, 6000, 7000})
        broken.append({QStringLiteral("cut%1.xls").arg(cut), products.left(cut)});
    for (int seed = 1; seed <= 40; ++seed) {
        // Scrambled bytes past the header: must fail or load, never crash.
        QByteArray b = products;
        quint32 x = quint32(seed) * 2654435761u;
        for (int k = 0; k < 24; ++k) {
            x = x * 1664525u + 1013904223u;
            b[512 + qsizetype(x % quint32(b.size() - 512))] = char(x >> 24);
        }
        broken.append({QStringLiteral("scrambled%1.xls").arg(seed), b});
    }
    for (const auto& [name, bytes] : broken) {
        const QString path = files.Write(name, bytes);
        TMemoryCellGrid grid(1, 1);
        const QString error = ErrorOf([&] { LoadSpreadsheet(path, grid); });
        EXPECT_EQ(grid.BadWrites, 0) << name.toStdString();
        if (name.startsWith(QLatin1String("scrambled")))
            continue;
        EXPECT_TRUE(error.startsWith(QStringLiteral("The file ") + name +
                                     QStringLiteral(" is not a readable Microsoft Excel 97-2003 workbook")))
            << name.toStdString() << ": " << error.toStdString();
    }
    TMemoryCellGrid grid(1, 1);
    EXPECT_EQ(ErrorOf([&] { LoadSpreadsheet(files.Path(QStringLiteral("missing.xls")), grid); }),
              QStringLiteral("Cannot open file ") + files.Path(QStringLiteral("missing.xls")));
}
