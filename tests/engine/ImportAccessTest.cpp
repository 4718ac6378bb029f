#include "ImportTestSupport.h"

#include "engine/datasheet/AccessImport.h"

#include <QElapsedTimer>

#ifdef TAGMORA_HAVE_MDB

using importtest::ErrorOf;
using importtest::Show;
using importtest::TRows;

namespace {

QString MdbPath(const char* name)
{
    return testsupport::FixturePath(QStringLiteral("import/mdb/") + QString::fromLatin1(name));
}

TMemoryCellGrid LoadTable(const QString& path, const QString& table, TMemoryCellGrid grid = TMemoryCellGrid(1, 2))
{
    LoadAccessTable(path, table, grid);
    EXPECT_EQ(grid.BadWrites, 0);
    return grid;
}

}  // namespace

TEST(ImportAccess, UserTablesInCatalogueOrder)
{
    EXPECT_EQ(AccessUserTables(MdbPath("products.mdb")), (QStringList{"Products", "Customers", "Empty"}));
    EXPECT_EQ(AccessUserTables(MdbPath("testV1997.mdb")), (QStringList{"Table1", "Table2", "Table3", "Table4"}));
    EXPECT_EQ(AccessUserTables(MdbPath("overflowTestV2000.mdb")), (QStringList{"Table1"}));
}

TEST(ImportAccess, FieldNamesThenRecords)
{
    const TMemoryCellGrid products = LoadTable(MdbPath("products.mdb"), QStringLiteral("Products"));
    ASSERT_EQ(products.ColCount(), 3);
    ASSERT_EQ(products.RowCount(), 21);
    EXPECT_EQ(products.Row(0), (QStringList{"Name", "Code", "Qty"}));
    EXPECT_EQ(products.Row(1), (QStringList{"Product 01", "400638100007", "10"}));
    EXPECT_EQ(products.Row(20), (QStringList{"Product 20", "400638100140", "200"}));

    const TMemoryCellGrid big = LoadTable(MdbPath("compIndexTestV2000.mdb"), QStringLiteral("Table1"));
    ASSERT_EQ(big.RowCount(), 513);
    EXPECT_EQ(big.Row(0), (QStringList{"CD_AGENTE", "RS_AGENTE", "DC_AGENTE"}));
    EXPECT_EQ(big.Row(1), (QStringList{"19", "abc", "def"}));
}

TEST(ImportAccess, ValuesAsText)
{
    // Jet 4: Greek and German text, currency, doubles, dates, Yes/No, NULLs, memo with CR LF.
    const TMemoryCellGrid customers = LoadTable(MdbPath("products.mdb"), QStringLiteral("Customers"));
    EXPECT_EQ(customers.Rows(),
              (TRows{{"ID", "Name", "City", "Balance", "Ratio", "Joined", "Active", "Notes"},
                     {"1", QString::fromUtf8("Müller"), QString::fromUtf8("München"), "1234.50", "0.5", "2001-02-03",
                      "True", "first customer"},
                     {"2", QString::fromUtf8("Ελλάδα"), QString::fromUtf8("Αθήνα"), "-5.25", "0.333333333333333",
                      "2010-12-31 13:45:30", "False", "Greek name; multi\r\nline note"},
                     {"3", "O'Brien, \"Jim\"", "", "", "", "", "False", ""},
                     {"4", QString::fromUtf8("Renée Façade"), QString::fromUtf8("Zürich"), "0.00", "1234567890123",
                      "1999-12-31", "True", ""}}))
        << Show(customers.Rows());

    // Jet 3: byte, integer, long, double, date, currency and Yes/No fields.
    const TMemoryCellGrid jet3 = LoadTable(MdbPath("testV1997.mdb"), QStringLiteral("Table1"));
    EXPECT_EQ(jet3.Rows(), (TRows{{"A", "B", "C", "D", "E", "F", "G", "H", "I"},
                                  {"a", "b", "0", "0", "0", "0", "1981-12-12", "0.00", "False"},
                                  {"abcdefg", "hijklmnop", "2", "222", "333333333", "444.555", "1974-09-21", "3.50",
                                   "True"}}))
        << Show(jet3.Rows());

    // Rows kept in overflow pages come in the order the table stores them.
    const TMemoryCellGrid overflow = LoadTable(MdbPath("overflowTestV2000.mdb"), QStringLiteral("Table1"));
    ASSERT_EQ(overflow.RowCount(), 8);
    ASSERT_EQ(overflow.ColCount(), 9);
    QStringList first;
    for (int r = 1; r < 8; ++r)
        first << overflow.Cell(0, r);
    EXPECT_EQ(first, (QStringList{"row1col1", "row2col1", "row4col1", "", "row7col1", "", ""}));
    EXPECT_EQ(overflow.Cell(8, 6), QString());
    EXPECT_EQ(overflow.Cell(7, 6), QStringLiteral("row3col9"));
}

TEST(ImportAccess, TableWithoutRecordsKeepsRowCount)
{
    TMemoryCellGrid grid(5, 4);
    LoadAccessTable(MdbPath("products.mdb"), QStringLiteral("Empty"), grid);
    EXPECT_EQ(grid.ColCount(), 2);
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.Row(0), (QStringList{"Name", "Code"}));

    const TMemoryCellGrid wide = LoadTable(MdbPath("testV1997.mdb"), QStringLiteral("Table2"));
    EXPECT_EQ(wide.ColCount(), 89);
    EXPECT_EQ(wide.Cell(88, 0), QStringLiteral("column89"));
}

TEST(ImportAccess, TableNamesIgnoreCaseUnknownTableFails)
{
    EXPECT_EQ(LoadTable(MdbPath("products.mdb"), QStringLiteral("products")).RowCount(), 21);
    TMemoryCellGrid grid(1, 1);
    EXPECT_EQ(ErrorOf([&] { LoadAccessTable(MdbPath("products.mdb"), QStringLiteral("Orders"), grid); }),
              QStringLiteral("The database products.mdb has no table \"Orders\"."));
}

TEST(ImportAccess, BrokenFilesFailCleanly)
{
    importtest::TTempFiles files;
    const QByteArray products = testsupport::ReadFile(MdbPath("products.mdb"));
    const QByteArray jet3 = testsupport::ReadFile(MdbPath("testV1997.mdb"));
    ASSERT_FALSE(products.isEmpty());
    ASSERT_FALSE(jet3.isEmpty());
    QByteArray crashing = products;
    crashing[8247] = char(0xB6);  // a damaged usage map the library trips over
    QList<QPair<QString, QByteArray>> broken = {
        {"empty.mdb", QByteArray()},
        {"text.mdb", "Name,Code\n"},
        {"garbage.mdb", QByteArray(8192, '\x42')},
        {"header.mdb", products.left(2048)},
        {"crashing.mdb", crashing},
    };
    for (int cut : {4096, 8192, 20000, 60000})
        broken.append({QStringLiteral("cut%1.mdb").arg(cut), products.left(cut)});
    const QString message = QStringLiteral(" is not a readable Microsoft Access database");
    for (const auto& [name, bytes] : broken) {
        const QString path = files.Write(name, bytes);
        QString error = ErrorOf([&] { AccessUserTables(path); });
        if (error.isEmpty()) {
            TMemoryCellGrid grid(1, 1);
            error = ErrorOf([&] { LoadAccessTable(path, QStringLiteral("Products"), grid); });
        }
        EXPECT_TRUE(error.startsWith(QStringLiteral("The file ") + name + message) ||
                    error == QStringLiteral("The database %1 has no table \"Products\".").arg(name))
            << name.toStdString() << ": " << error.toStdString();
    }

    // A cut Jet 3 file whose catalog sends the library round in circles: refused.
    SetAccessReaderStallTimeout(1500);
    const QString looping = files.Write(QStringLiteral("looping.mdb"), jet3.left(42171));
    QElapsedTimer timer;
    timer.start();
    const QString error = ErrorOf([&] {
        for (const QString& t : AccessUserTables(looping)) {
            TMemoryCellGrid grid(1, 1);
            LoadAccessTable(looping, t, grid);
        }
    });
    SetAccessReaderStallTimeout(0);
    EXPECT_EQ(error, QStringLiteral("The file looping.mdb") + message + QStringLiteral(" (it is damaged)."));
    EXPECT_LT(timer.elapsed(), 20000);

    TMemoryCellGrid grid(1, 1);
    const QString missing = files.Path(QStringLiteral("missing.mdb"));
    EXPECT_EQ(ErrorOf([&] { AccessUserTables(missing); }), QStringLiteral("Cannot open file ") + missing);
}

#endif  // TAGMORA_HAVE_MDB
