#include "ImportTestSupport.h"

#include "engine/datasheet/Import.h"

#include <QFile>

using importtest::ErrorOf;
using importtest::TRows;

namespace {

QString Fixture(const char* relative)
{
    return testsupport::FixturePath(QStringLiteral("import/") + QString::fromLatin1(relative));
}

// A grid holding one old cell, to see whether an import touched it.
TMemoryCellGrid OldGrid()
{
    TMemoryCellGrid grid(2, 2);
    grid.SetCell(1, 1, QStringLiteral("old"));
    return grid;
}

}  // namespace

TEST(ImportDataFile, FilterKeepsTheDataFileEntriesInOrder)
{
    const QStringList entries = ImportFileFilter().split(QStringLiteral(";;"));
    const QStringList required = {
        QStringLiteral("ASCII Data Files (*.txt *.csv)"),
        QStringLiteral("Microsoft Excel Files (*.xls)"),
        QStringLiteral("Microsoft Access Database (*.mdb)"),
        QStringLiteral("All Files (*)"),
    };
    qsizetype at = -1;
    for (const QString& e : required) {
        const qsizetype i = entries.indexOf(e);
        EXPECT_GT(i, at) << e.toStdString();
        at = i;
    }
    EXPECT_EQ(entries.front(), required.front());
    EXPECT_EQ(entries.back(), required.back());
#ifdef TAGMORA_HAVE_QUAZIP
    EXPECT_TRUE(entries.contains(QStringLiteral("Microsoft Excel Workbooks (*.xlsx)")));
    EXPECT_TRUE(entries.contains(QStringLiteral("OpenDocument Spreadsheets (*.ods)")));
#endif
}

TEST(ImportDataFile, LoaderFollowsTheExtension)
{
    importtest::TTempFiles files;
    const QByteArray csv = testsupport::ReadFile(Fixture("text/comma.csv"));
    const struct {
        QString path;
        bool imported;
        QStringList firstRow;
    } cases[] = {
        {files.Write(QStringLiteral("UPPER.CSV"), csv), true, {"Name", "Code"}},
        {files.Write(QStringLiteral("comma.Txt"), csv), true, {"Name", "Code"}},
        {Fixture("text/tab.txt"), true, {"Name", "Code", "Qty"}},
        {Fixture("xls/products.xls"), true, {"Name", "Code", "Price", "Qty"}},
        {files.Write(QStringLiteral("data.dat"), csv), false, {"", ""}},     // chosen through "All Files"
        {files.Write(QStringLiteral("noext"), csv), false, {"", ""}},
        {files.Write(QStringLiteral("data.csv.bak"), csv), false, {"", ""}},
    };
    for (const auto& c : cases) {
        TMemoryCellGrid grid = OldGrid();
        EXPECT_EQ(ImportDataFile(c.path, grid, TTablePicker()), c.imported) << c.path.toStdString();
        EXPECT_EQ(grid.Row(0).mid(0, c.firstRow.size()), c.firstRow) << c.path.toStdString();
        if (!c.imported) {
            EXPECT_EQ(grid.Cell(1, 1), QStringLiteral("old"));
        }
    }
}

#ifdef TAGMORA_HAVE_QUAZIP
TEST(ImportDataFile, SpreadsheetContentDecidesOverExtension)
{
    importtest::TTempFiles files;
    const QByteArray sheet = "<?xml version=\"1.0\"?><worksheet><sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\">"
                             "<is><t>Zipped</t></is></c></row></sheetData></worksheet>";
    const QByteArray workbook = "<?xml version=\"1.0\"?><workbook xmlns:r=\"r\"><sheets><sheet name=\"S\" sheetId=\"1\" "
                                "r:id=\"rId1\"/></sheets></workbook>";
    const QByteArray rels = "<?xml version=\"1.0\"?><Relationships><Relationship Id=\"rId1\" Type=\"x/worksheet\" "
                            "Target=\"worksheets/sheet1.xml\"/></Relationships>";
    const QList<QPair<QString, QByteArray>> parts = {
        {"xl/workbook.xml", workbook}, {"xl/_rels/workbook.xml.rels", rels}, {"xl/worksheets/sheet1.xml", sheet}};
    // An .xlsx workbook saved under .xls, and an Excel 97-2003 file saved under .xlsx.
    const QString asXls = files.Path(QStringLiteral("workbook.xls"));
    ASSERT_TRUE(importtest::WriteZip(asXls, parts));
    TMemoryCellGrid grid(1, 1);
    ASSERT_TRUE(ImportDataFile(asXls, grid, TTablePicker()));
    EXPECT_EQ(grid.Rows(), (TRows{{"Zipped"}}));
    const QString asXlsx = files.Write(QStringLiteral("old.xlsx"), testsupport::ReadFile(Fixture("xls/offset.xls")));
    ASSERT_TRUE(ImportDataFile(asXlsx, grid, TTablePicker()));
    EXPECT_EQ(grid.Row(0), (QStringList{"Name", "Code", "Qty"}));
}
#endif

TEST(ImportDataFile, BrokenFileThrowsForTheCaller)
{
    importtest::TTempFiles files;
    for (const char* name : {"broken.xls", "broken.xlsx", "broken.ods", "broken.mdb"}) {
        TMemoryCellGrid grid(1, 1);
        const QString path = files.Write(QString::fromLatin1(name), QByteArray(3000, 'x'));
        bool thrown = false;
        try {
            ImportDataFile(path, grid, TTablePicker());
        } catch (const std::runtime_error& e) {
            thrown = QString::fromUtf8(e.what()).startsWith(QStringLiteral("The file ") + QString::fromLatin1(name));
        }
        EXPECT_TRUE(thrown) << name;
    }
    TMemoryCellGrid grid(1, 1);
    EXPECT_EQ(ErrorOf([&] { ImportDataFile(files.Path(QStringLiteral("gone.csv")), grid, TTablePicker()); }),
              QStringLiteral("Cannot open file ") + files.Path(QStringLiteral("gone.csv")));
    // A device that never ends is no data file.
    for (const char* name : {"zero.csv", "zero.xls", "zero.xlsx", "zero.ods", "zero.mdb"}) {
        const QString link = files.Path(QString::fromLatin1(name));
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), link));
        EXPECT_EQ(ErrorOf([&] { ImportDataFile(link, grid, TTablePicker()); }), QStringLiteral("Cannot open file ") + link);
    }
}

#ifdef TAGMORA_HAVE_MDB
TEST(ImportDataFile, AccessTableChoice)
{
    const QString mdb = Fixture("mdb/products.mdb");
    QStringList offered;
    QString first;
    TMemoryCellGrid grid = OldGrid();
    ASSERT_TRUE(ImportDataFile(mdb, grid, [&](const QStringList& tables, QString& chosen) {
        offered = tables;
        first = chosen;
        chosen = tables.at(1);
        return true;
    }));
    EXPECT_EQ(offered, (QStringList{"Products", "Customers", "Empty"}));
    EXPECT_EQ(first, QStringLiteral("Products"));
    EXPECT_EQ(grid.ColCount(), 8);
    EXPECT_EQ(grid.Cell(1, 1), QString::fromUtf8("Müller"));

    // Cancelled: nothing changes.
    TMemoryCellGrid cancelled = OldGrid();
    EXPECT_FALSE(ImportDataFile(mdb, cancelled, [](const QStringList&, QString&) { return false; }));
    EXPECT_EQ(cancelled.Cell(1, 1), QStringLiteral("old"));
    EXPECT_EQ(cancelled.ColCount(), 2);

    // No picker: the first table.
    TMemoryCellGrid unattended(1, 1);
    ASSERT_TRUE(ImportDataFile(mdb, unattended, TTablePicker()));
    EXPECT_EQ(unattended.Row(0), (QStringList{"Name", "Code", "Qty"}));
}

TEST(ImportDataFile, PickerByName)
{
    const QString mdb = Fixture("mdb/products.mdb");
    TMemoryCellGrid grid(1, 1);
    ASSERT_TRUE(ImportDataFile(mdb, grid, TablePickerByName(QStringLiteral(" customers "))));
    EXPECT_EQ(grid.Cell(0, 0), QStringLiteral("ID"));
    EXPECT_EQ(ErrorOf([&] { ImportDataFile(mdb, grid, TablePickerByName(QStringLiteral("Orders"))); }),
              QStringLiteral("The database has no table \"Orders\". Its tables are: Products, Customers, Empty."));
}
#endif
