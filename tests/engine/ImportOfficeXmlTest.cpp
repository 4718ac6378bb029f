#include "ImportTestSupport.h"

#include "engine/datasheet/OfficeXmlImport.h"
#include "engine/datasheet/ZipLayout.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#ifdef TAGMORA_HAVE_QUAZIP

using importtest::ErrorOf;
using importtest::Show;
using importtest::TRows;
using TParts = QList<QPair<QString, QByteArray>>;

namespace {

const QByteArray kXlsxNs = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                           "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";
const QByteArray kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

QByteArray Workbook(const QByteArray& activeTab, const QByteArray& workbookPr = QByteArray())
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<workbook " + kXlsxNs + ">" + workbookPr +
           "<bookViews><workbookView " + activeTab +
           "/></bookViews><sheets><sheet name=\"One\" sheetId=\"1\" r:id=\"rId1\"/>"
           "<sheet name=\"Two\" sheetId=\"2\" r:id=\"rId2\"/></sheets></workbook>";
}

QByteArray Sheet(const QByteArray& rows)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<worksheet " + kXlsxNs + "><sheetData>" + rows +
           "</sheetData></worksheet>";
}

TParts XlsxParts(const QByteArray& workbook, const QByteArray& sheet2)
{
    return {
        {"[Content_Types].xml", "<?xml version=\"1.0\"?><Types "
                                "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>"},
        {"_rels/.rels", "<?xml version=\"1.0\"?><Relationships "
                        "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                        "<Relationship Id=\"rId1\" Type=\"" + kRelNs + "officeDocument\" Target=\"xl/workbook.xml\"/>"
                        "</Relationships>"},
        {"xl/workbook.xml", workbook},
        {"xl/_rels/workbook.xml.rels",
         "<?xml version=\"1.0\"?><Relationships "
         "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" + kRelNs + "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
         "<Relationship Id=\"rId2\" Type=\"" + kRelNs + "worksheet\" Target=\"/xl/worksheets/data.xml\"/>"
         "<Relationship Id=\"rId3\" Type=\"" + kRelNs + "styles\" Target=\"styles.xml\"/>"
         "<Relationship Id=\"rId4\" Type=\"" + kRelNs + "sharedStrings\" Target=\"sharedStrings.xml\"/>"
         "</Relationships>"},
        {"xl/styles.xml", "<?xml version=\"1.0\"?><styleSheet " + kXlsxNs +
                              "><numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"yyyy\\-mm\\-dd "
                              "hh:mm\"/></numFmts><cellStyleXfs count=\"1\"><xf numFmtId=\"14\"/></cellStyleXfs>"
                              "<cellXfs count=\"3\"><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"164\"/>"
                              "</cellXfs></styleSheet>"},
        {"xl/sharedStrings.xml",
         "<?xml version=\"1.0\"?><sst " + kXlsxNs +
             " count=\"4\"><si><t>Name</t></si><si><t>400638100007</t></si>"
             "<si><r><rPr><b/></rPr><t>Ελ</t></r><r><t xml:space=\"preserve\">λάδα </t></r><rPh sb=\"0\" eb=\"1\"><t>x</t></rPh></si>"
             "<si><t>Code</t></si></sst>"},
        {"xl/worksheets/sheet1.xml", Sheet("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Wrong</t></is></c></row>")},
        {"xl/worksheets/data.xml", sheet2},
    };
}

const QByteArray kDataSheet = Sheet(
    "<row r=\"2\"><c r=\"B2\" t=\"s\"><v>0</v></c><c r=\"C2\" t=\"s\"><v>3</v></c>"
    "<c r=\"D2\" t=\"inlineStr\"><is><t>Value</t></is></c><c r=\"E2\" t=\"inlineStr\"><is><t>Kind</t></is></c></row>"
    "<row r=\"3\"><c r=\"B3\" t=\"inlineStr\"><is><t>Müller</t></is></c><c r=\"C3\" t=\"s\"><v>1</v></c>"
    "<c r=\"D3\"><v>1234567890123</v></c><c r=\"E3\" t=\"b\"><v>1</v></c></row>"
    "<row r=\"4\"><c r=\"B4\" t=\"s\"><v>2</v></c><c r=\"C4\" t=\"str\"><f>A1</f><v>A_x000D_B</v></c>"
    "<c r=\"D4\"><v>0.33333333333333331</v></c><c r=\"E4\" t=\"e\"><v>#DIV/0!</v></c></row>"
    "<row r=\"5\"><c r=\"B5\"><v>3.5</v></c><c t=\"inlineStr\"><is><t>next</t></is></c><c r=\"E5\" t=\"b\"><v>0</v></c></row>"
    "<row r=\"6\"><c r=\"B6\" s=\"1\"><v>45366</v></c><c r=\"C6\" s=\"2\"><v>45366.5729166667</v></c>"
    "<c r=\"D6\" s=\"0\"><v>1E+20</v></c></row>"
    "<row><c r=\"B7\" t=\"d\"><v>2024-03-15T13:45:00</v></c><c r=\"E7\" t=\"str\"><v>formula text</v></c></row>");

const TRows kDataRows = {
    {"Name", "Code", "Value", "Kind"},
    {QString::fromUtf8("Müller"), "400638100007", "1234567890123", "TRUE"},
    {QString::fromUtf8("Ελλάδα "), "A\rB", "0.333333333333333", ""},
    {"3.5", "next", "", "FALSE"},
    {"2024-03-15", "2024-03-15 13:45:00", "1E+20", ""},
    {"2024-03-15 13:45:00", "", "", "formula text"},
};

// An OpenDocument spreadsheet with this content body (inside office:spreadsheet).
TParts OdsParts(const QByteArray& tables, const QByteArray& activeTable)
{
    TParts parts = {
        {"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
        {"content.xml",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-content "
         "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
         "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
         "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
         "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" office:version=\"1.2\">"
         "<office:body><office:spreadsheet>" + tables + "</office:spreadsheet></office:body></office:document-content>"},
    };
    if (!activeTable.isEmpty())
        parts.append({"settings.xml",
                      "<?xml version=\"1.0\"?><office:document-settings "
                      "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                      "xmlns:config=\"urn:oasis:names:tc:opendocument:xmlns:config:1.0\"><office:settings>"
                      "<config:config-item-set config:name=\"ooo:view-settings\"><config:config-item-map-indexed "
                      "config:name=\"Views\"><config:config-item-map-entry><config:config-item "
                      "config:name=\"ActiveTable\" config:type=\"string\">" + activeTable +
                          "</config:config-item></config:config-item-map-entry></config:config-item-map-indexed>"
                          "</config:config-item-set></office:settings></office:document-settings>"});
    return parts;
}

const QByteArray kFirstTable =
    "<table:table table:name=\"First\"><table:table-row><table:table-cell office:value-type=\"string\">"
    "<text:p>Wrong</text:p></table:table-cell></table:table-row></table:table>";

const QByteArray kDataTable =
    "<table:table table:name=\"Data\"><table:table-column table:number-columns-repeated=\"3\"/>"
    "<table:table-row table:number-rows-repeated=\"2\"><table:table-cell table:number-columns-repeated=\"1024\"/>"
    "</table:table-row>"
    "<table:table-header-rows><table:table-row><table:table-cell/><table:table-cell office:value-type=\"string\">"
    "<text:p>Name</text:p></table:table-cell><table:table-cell office:value-type=\"string\"><text:p>Value</text:p>"
    "</table:table-cell><table:table-cell table:number-columns-repeated=\"16381\"/></table:table-row>"
    "</table:table-header-rows>"
    "<table:table-row><table:table-cell/><table:table-cell office:value-type=\"string\"><text:p>a<text:s "
    "text:c=\"2\"/>b<text:span>c</text:span></text:p><text:p>second<text:tab/>x</text:p><office:annotation><text:p>note"
    "</text:p></office:annotation></table:table-cell><table:table-cell office:value-type=\"float\" "
    "office:value=\"1234567890123\"><text:p>1.23457E+12</text:p></table:table-cell></table:table-row>"
    "<table:table-row><table:table-cell/><table:table-cell office:value-type=\"currency\" office:currency=\"EUR\" "
    "office:value=\"1234.5\"><text:p>1.234,50 €</text:p></table:table-cell><table:table-cell "
    "office:value-type=\"percentage\" office:value=\"0.25\"><text:p>25%</text:p></table:table-cell></table:table-row>"
    "<table:table-row><table:table-cell/><table:table-cell office:value-type=\"date\" office:date-value=\"2024-03-15\"/>"
    "<table:table-cell office:value-type=\"date\" office:date-value=\"2024-03-15T13:45:00\"/></table:table-row>"
    "<table:table-row><table:table-cell/><table:table-cell office:value-type=\"time\" office:time-value=\"PT13H45M00S\"/>"
    "<table:table-cell office:value-type=\"boolean\" office:boolean-value=\"true\"/></table:table-row>"
    "<table:table-row table:number-rows-repeated=\"2\"><table:table-cell/><table:table-cell "
    "office:value-type=\"string\" table:number-columns-repeated=\"2\"><text:p>rep</text:p></table:table-cell>"
    "</table:table-row>"
    "<table:table-row><table:table-cell/><table:covered-table-cell/><table:table-cell office:value-type=\"float\" "
    "office:value=\"0.1\"><draw:frame><draw:text-box><text:p>picture</text:p></draw:text-box></draw:frame>"
    "</table:table-cell></table:table-row>"
    "<table:table-row table:number-rows-repeated=\"1048560\"><table:table-cell "
    "table:number-columns-repeated=\"16384\"/></table:table-row></table:table>";

const TRows kOdsRows = {
    {"Name", "Value"},
    {"a  bc\nsecond\tx", "1234567890123"},
    {"1234.50", "0.25"},
    {"2024-03-15", "2024-03-15 13:45:00"},
    {"13:45:00", "TRUE"},
    {"rep", "rep"},
    {"rep", "rep"},
    {"", "0.1"},
};

TMemoryCellGrid Load(void (*loader)(const QString&, TCellGridWriter&), const QString& path)
{
    TMemoryCellGrid grid(1, 1);
    loader(path, grid);
    EXPECT_EQ(grid.BadWrites, 0);
    return grid;
}

}  // namespace

TEST(ImportOfficeXml, XlsxActiveSheetUsedRangeAndValues)
{
    importtest::TTempFiles files;
    const QString path = files.Path(QStringLiteral("data.xlsx"));
    ASSERT_TRUE(importtest::WriteZip(path, XlsxParts(Workbook("activeTab=\"1\""), kDataSheet)));
    const TMemoryCellGrid grid = Load(LoadXlsxSheet, path);
    EXPECT_EQ(grid.Rows(), kDataRows) << Show(grid.Rows());
}

TEST(ImportOfficeXml, XlsxFirstSheetWithoutActiveTabAnd1904Dates)
{
    importtest::TTempFiles files;
    const QString first = files.Path(QStringLiteral("first.xlsx"));
    ASSERT_TRUE(importtest::WriteZip(first, XlsxParts(Workbook(""), kDataSheet)));
    EXPECT_EQ(Load(LoadXlsxSheet, first).Rows(), (TRows{{"Wrong"}}));

    const QString dates = files.Path(QStringLiteral("dates.xlsx"));
    ASSERT_TRUE(importtest::WriteZip(
        dates, XlsxParts(Workbook("activeTab=\"1\"", "<workbookPr date1904=\"1\"/>"),
                         Sheet("<row r=\"1\"><c r=\"A1\" s=\"1\"><v>43904</v></c></row>"))));
    EXPECT_EQ(Load(LoadXlsxSheet, dates).Rows(), (TRows{{"2024-03-15"}}));
}

TEST(ImportOfficeXml, OdsActiveTableRepeatsAndValues)
{
    importtest::TTempFiles files;
    const QString path = files.Path(QStringLiteral("data.ods"));
    ASSERT_TRUE(importtest::WriteZip(path, OdsParts(kFirstTable + kDataTable, "Data")));
    const TMemoryCellGrid grid = Load(LoadOdsSheet, path);
    EXPECT_EQ(grid.Rows(), kOdsRows) << Show(grid.Rows());

    // Without settings, or naming a table that is not there: the first table.
    const QString plain = files.Path(QStringLiteral("plain.ods"));
    ASSERT_TRUE(importtest::WriteZip(plain, OdsParts(kFirstTable + kDataTable, QByteArray())));
    EXPECT_EQ(Load(LoadOdsSheet, plain).Rows(), (TRows{{"Wrong"}}));
    const QString stale = files.Path(QStringLiteral("stale.ods"));
    ASSERT_TRUE(importtest::WriteZip(stale, OdsParts(kDataTable + kFirstTable, "Gone")));
    EXPECT_EQ(Load(LoadOdsSheet, stale).Rows(), kOdsRows);
}

TEST(ImportOfficeXml, EmptySheetIsRefusedLikeAnEmptyTextFile)
{
    importtest::TTempFiles files;
    const QString path = files.Path(QStringLiteral("empty.ods"));
    ASSERT_TRUE(importtest::WriteZip(path, OdsParts("<table:table table:name=\"S\"/>", QByteArray())));
    TMemoryCellGrid grid(3, 3);
    EXPECT_EQ(ErrorOf([&] { LoadOdsSheet(path, grid); }),
              QStringLiteral("There is nothing to import: the file holds no text."));
    EXPECT_EQ(grid.ColCount(), 3);
}

TEST(ImportOfficeXml, BrokenAndHugeFilesFailCleanly)
{
    importtest::TTempFiles files;
    const QString xlsx = QStringLiteral(" is not a readable Microsoft Excel workbook (.xlsx)");
    const QString ods = QStringLiteral(" is not a readable OpenDocument spreadsheet (.ods)");
    const QString tooLarge = QStringLiteral("The sheet is too large to import");
    const QByteArray goodOds = [&] {
        const QString p = files.Path(QStringLiteral("good.ods"));
        importtest::WriteZip(p, OdsParts(kDataTable, "Data"));
        return testsupport::ReadFile(p);
    }();
    const struct {
        const char* name;
        TParts parts;          // written as a zip unless raw is set
        QByteArray raw;
        void (*loader)(const QString&, TCellGridWriter&);
        QString expected;      // start of the message, after the file name when it begins with a blank
    } cases[] = {
        {"text.xlsx", {}, "Name,Code\n", LoadXlsxSheet, xlsx},
        {"empty.xlsx", {}, QByteArray(), LoadXlsxSheet, xlsx},
        {"noworkbook.xlsx", {{"readme.txt", "hello"}}, {}, LoadXlsxSheet, xlsx},
        {"badxml.xlsx", XlsxParts(Workbook("activeTab=\"1\""), "<worksheet><sheetData><row><c>"), {}, LoadXlsxSheet, xlsx},
        {"badref.xlsx", XlsxParts(Workbook("activeTab=\"1\""), Sheet("<row><c r=\"1A\"><v>1</v></c></row>")), {},
         LoadXlsxSheet, xlsx},
        {"farcell.xlsx", XlsxParts(Workbook("activeTab=\"1\""), Sheet("<row><c r=\"A1048577\"><v>1</v></c></row>")),
         {}, LoadXlsxSheet, tooLarge},
        {"spread.xlsx",
         XlsxParts(Workbook("activeTab=\"1\""),
                   Sheet("<row><c r=\"A1\"><v>1</v></c></row><row><c r=\"XFD1048576\"><v>1</v></c></row>")),
         {}, LoadXlsxSheet, tooLarge},
        {"nocontent.ods", {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}}, {}, LoadOdsSheet, ods},
        {"text.ods", TParts{{"mimetype", "application/vnd.oasis.opendocument.text"}} + OdsParts(kDataTable, "").mid(1),
         {}, LoadOdsSheet, ods},
        {"badxml.ods", OdsParts("<table:table><table:table-row>", ""), {}, LoadOdsSheet, ods},
        {"cut.ods", {}, goodOds.left(goodOds.size() / 2), LoadOdsSheet, ods},
        {"widecell.ods",
         OdsParts("<table:table><table:table-row><table:table-cell office:value-type=\"float\" office:value=\"1\" "
                  "table:number-columns-repeated=\"100000\"/></table:table-row></table:table>", ""),
         {}, LoadOdsSheet, tooLarge},
        {"tallrow.ods",
         OdsParts("<table:table><table:table-row table:number-rows-repeated=\"2000000\"><table:table-cell "
                  "office:value-type=\"string\"><text:p>x</text:p></table:table-cell></table:table-row></table:table>",
                  ""),
         {}, LoadOdsSheet, tooLarge},
        {"manycells.ods",
         OdsParts("<table:table><table:table-row table:number-rows-repeated=\"1000000\"><table:table-cell "
                  "office:value-type=\"string\" table:number-columns-repeated=\"1000\"><text:p>x</text:p>"
                  "</table:table-cell></table:table-row></table:table>", ""),
         {}, LoadOdsSheet, tooLarge},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromLatin1(c.name);
        const QString path = files.Path(name);
        if (c.parts.isEmpty())
            ASSERT_TRUE(testsupport::WriteFile(path, c.raw));
        else
            ASSERT_TRUE(importtest::WriteZip(path, c.parts));
        TMemoryCellGrid grid(1, 1);
        const QString error = ErrorOf([&] { c.loader(path, grid); });
        const QString expected = c.expected.startsWith(u' ') ? QStringLiteral("The file ") + name + c.expected
                                                             : c.expected;
        EXPECT_TRUE(error.startsWith(expected)) << c.name << ": " << error.toStdString();
    }
    TMemoryCellGrid grid(1, 1);
    const QString missing = files.Path(QStringLiteral("missing.xlsx"));
    EXPECT_EQ(ErrorOf([&] { LoadXlsxSheet(missing, grid); }), QStringLiteral("Cannot open file ") + missing);
}

// A zip of stored entries, written byte by byte; an entry's directory record
// may point elsewhere (offset) or claim another size (size).
struct TRawEntry {
    QByteArray name, data;
    qint64 offset = -1, size = -1;
};

QByteArray RawZip(const QList<TRawEntry>& entries, int extraCount = 0)
{
    QByteArray body, dir;
    auto u16 = [](QByteArray& b, quint32 v) { b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    auto u32 = [&](QByteArray& b, quint32 v) {
        u16(b, v & 0xFFFF);
        u16(b, v >> 16);
    };
    for (const TRawEntry& e : entries) {
        const quint32 at = quint32(body.size()), size = quint32(e.data.size());
        const quint32 claimed = e.size >= 0 ? quint32(e.size) : size;
        u32(body, 0x04034B50);
        for (quint32 v : {20u, 0u, 0u, 0u, 0u})  // version, flags, method (stored), time, date
            u16(body, v);
        for (quint32 v : {0u, size, size})  // crc, sizes
            u32(body, v);
        u16(body, quint32(e.name.size()));
        u16(body, 0);
        body += e.name + e.data;
        u32(dir, 0x02014B50);
        for (quint32 v : {20u, 20u, 0u, 0u, 0u, 0u})  // versions, flags, method, time, date
            u16(dir, v);
        for (quint32 v : {0u, claimed, claimed})
            u32(dir, v);
        for (quint32 v : {quint32(e.name.size()), 0u, 0u, 0u, 0u})  // name, extra, comment, disk, attributes
            u16(dir, v);
        u32(dir, 0);
        u32(dir, e.offset >= 0 ? quint32(e.offset) : at);
        dir += e.name;
    }
    const quint32 count = quint32(entries.size() + extraCount);
    QByteArray end;
    u32(end, 0x06054B50);
    for (quint32 v : {0u, 0u, count, count})
        u16(end, v);
    u32(end, quint32(dir.size()));
    u32(end, quint32(body.size()));
    u16(end, 0);
    return body + dir + end;
}

TEST(ImportOfficeXml, ZipEntriesMustNotShareTheirBytes)
{
    importtest::TTempFiles files;
    const TRawEntry a{"a.xml", "<a/>"}, b{"b.xml", "<b/>"};
    const QString overlap = QStringLiteral("its parts overlap"), damaged = QStringLiteral("its directory is damaged");
    const struct {
        const char* name;
        QByteArray bytes;
        QString fault;
    } cases[] = {
        {"apart.zip", RawZip({a, b}), {}},
        {"same.zip", RawZip({a, {"b.xml", "<b/>", 0}}), overlap},          // both at the first header
        {"into.zip", RawZip({{"a.xml", "<a/>", -1, 10}, b}), overlap},     // a's data runs into b's header
        {"past.zip", RawZip({a, {"b.xml", "<b/>", -1, 100}}), damaged},    // b's data runs into the directory
        {"short.zip", RawZip({a, b}, 1), damaged},                         // the directory lacks a record
        {"text.zip", "Name,Code\n", {}},                                  // no zip: left to the unzip library
    };
    for (const auto& c : cases)
        EXPECT_EQ(ZipLayoutFault(files.Write(QString::fromLatin1(c.name), c.bytes)), c.fault) << c.name;
}

// Runs fn in a forked child whose address space may grow by at most `extra`
// bytes; its result is the child's exit status (-1 when it did not exit).
int RunWithMemoryLimit(const std::function<int()>& fn, rlim_t extra)
{
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        long pages = 0;
        if (FILE* f = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(f, "%ld", &pages) != 1)
                pages = 0;
            std::fclose(f);
        }
        rlimit limit{};
        limit.rlim_cur = limit.rlim_max = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + extra;
        setrlimit(RLIMIT_AS, &limit);
        int code = 3;
        try {
            code = fn();
        } catch (...) {
            code = 4;
        }
        _exit(code);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ImportOfficeXml, ArchiveBombsFailEarlyUnderAMemoryLimit)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
#endif
    importtest::TTempFiles files;
    // One 1,000-character cell over 5,000 x 10,000 cells: a tiny file, 50 G characters.
    const QString repeated = files.Path(QStringLiteral("repeated.ods"));
    ASSERT_TRUE(importtest::WriteZip(
        repeated, OdsParts("<table:table><table:table-row table:number-rows-repeated=\"5000\"><table:table-cell "
                           "office:value-type=\"string\" table:number-columns-repeated=\"10000\"><text:p>" +
                               QByteArray(1000, 'x') + "</text:p></table:table-cell></table:table-row></table:table>",
                           "")));
    // Blank padding that unpacks into a run of text longer than any cell.
    const QString padded = files.Path(QStringLiteral("padded.xlsx"));
    ASSERT_TRUE(importtest::WriteZip(
        padded, XlsxParts(Workbook("activeTab=\"1\""),
                          Sheet("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>" + QByteArray(40 << 20, ' ')))));
    const struct {
        QString path;
        void (*loader)(const QString&, TCellGridWriter&);
    } cases[] = {{repeated, LoadOdsSheet}, {padded, LoadXlsxSheet}};
    for (const auto& c : cases) {
        const int status = RunWithMemoryLimit(
            [&] {
                TMemoryCellGrid grid(1, 1);
                const QString error = ErrorOf([&] { c.loader(c.path, grid); });
                return error.startsWith(QLatin1String("The spreadsheet is too large: ")) ? 0 : 1;
            },
            rlim_t(1) << 30);
        EXPECT_EQ(status, 0) << c.path.toStdString();
    }
}

#endif  // TAGMORA_HAVE_QUAZIP
