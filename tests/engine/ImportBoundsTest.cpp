// Data files made to cost an import as much as possible, written by
// scripts/make-hostile-imports.py. Each is imported the way the command line
// does it (import, print grid, label file block) in a guarded child with 5 s
// of processor time and 1 GB of address space: the import is refused with a
// one-line message that leaves the datasheet as it was, or it succeeds.
#include "ImportTestSupport.h"

#include "engine/datasheet/Datasheet.h"
#include "document/GuardedChild.h"

#include <QProcess>
#include <QStandardPaths>

#include <sys/resource.h>

#ifdef TAGMORA_GUARDED_CHILD

using importtest::TRows;

namespace {

// The folder the script wrote every case into (once per test run).
const QString& HostileFolder()
{
    static QTemporaryDir dir;
    static const QString folder = [] {
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        const int status = QProcess::execute(
            python, {testsupport::SourcePath(QStringLiteral("scripts/make-hostile-imports.py")), dir.path(),
                     QStringLiteral("--mdb"), testsupport::FixturePath(QStringLiteral("import/mdb/testV1997.mdb"))});
        return status == 0 ? dir.path() : QString();
    }();
    return folder;
}

struct TImportResult {
    QString error;  // the message of a refused import
    int rows = 0, cols = 0;
    int warnings = 0;
    bool untouched = false;  // the datasheet as before (after a refusal)
    qint64 cpuMs = 0;        // the child's and its own readers'
    bool finished = false;   // the child ran to its end within its limits
};

qint64 CpuMs(int who)
{
    rusage u{};
    ::getrusage(who, &u);
    return (qint64(u.ru_utime.tv_sec) + u.ru_stime.tv_sec) * 1000 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000;
}

// Runs in the child: what the command line's import does, reported in frames.
void ImportInChild(TFrameWriter& out, const QString& path)
{
    TDatasheet data;
    data.StrGrid_Data.SetCell(1, 1, u"previous");
    const QByteArray before = data.WriteBlock();
    QString error;
    try {
        if (const TDone imported = data.ImportFile(path, TTablePicker()); !imported)
            error = imported.Message().isEmpty() ? QStringLiteral("nothing imported") : imported.Message();
        data.BuildPrintGrid();
        data.WriteBlock();
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    }
    out.Send('E', error.toUtf8());
    out.Send('S', QStringLiteral("%1 %2 %3 %4")
                      .arg(data.StrGrid_Data.RowCount())
                      .arg(data.StrGrid_Data.ColCount())
                      .arg(data.ImportWarnings().size())
                      .arg(int(data.WriteBlock() == before))
                      .toUtf8());
    out.Send('T', QByteArray::number(CpuMs(RUSAGE_SELF) + CpuMs(RUSAGE_CHILDREN)));
}

TImportResult ImportBounded(const QString& path)
{
    TGuardedLimits limits;
#if defined(__SANITIZE_ADDRESS__)
    limits.ExtraAddressSpace = 0;  // the sanitizers' runtime: slower, and its own address space
#else
    limits.ExtraAddressSpace = qint64(1) << 30;
    limits.CpuSeconds = 5;
#endif
    limits.StallTimeoutMs = 120000;
    TImportResult got;
    try {
        TGuardedChild child([&](TFrameWriter& out) { ImportInChild(out, path); }, limits);
        char kind;
        QByteArray payload;
        while (child.Next(kind, payload)) {
            if (kind == 'E') {
                got.error = QString::fromUtf8(payload);
            } else if (kind == 'S') {
                const QList<QByteArray> v = payload.split(' ');
                got.rows = v.value(0).toInt();
                got.cols = v.value(1).toInt();
                got.warnings = v.value(2).toInt();
                got.untouched = v.value(3) == "1";
            } else if (kind == 'T') {
                got.cpuMs = payload.toLongLong();
            }
        }
        got.finished = child.Finish();
    } catch (const EGuardedChild&) {
    }
    return got;
}

}  // namespace

TEST(ImportBounds, HostileFilesAreRefusedOrImportedWithinTheirBounds)
{
    ASSERT_FALSE(HostileFolder().isEmpty()) << "scripts/make-hostile-imports.py failed";
    const QString tooLarge = QStringLiteral("The spreadsheet is too large: ");
    const QString nothing = QStringLiteral("There is nothing to import: the file holds no text.");
    const struct {
        const char* file;
        QString error;     // start of the message; empty: imported
        int rows, cols;    // of the imported datasheet, row-number column included
        int warnings;
    } cases[] = {
        {"ods-repeated-value.ods", tooLarge + "more than 16777216 of its cells hold a value."},
        {"ods-most-cells.ods", {}, 1048576, 17},
        {"ods-most-text.ods", {}, 1953, 2},
        {"ods-long-text.ods", tooLarge + "cell A1 holds more than 65536 characters of text."},
        {"ods-empty-repeats.ods", tooLarge + "its part content.xml unpacks to more than can be read"},
        {"ods-empty.ods", nothing},
        {"ods-far-value.ods", {}, 1000002, 3},
        {"xlsx-sparse-16m.xlsx", {}, 1048576, 17},
        {"xlsx-shared-strings.xlsx", tooLarge + "its part xl/sharedStrings.xml unpacks"},
        {"xlsx-empty.xlsx", nothing},
        {"xlsx-only-errors.xlsx", nothing},
        {"zip-overlap.xlsx", "The file zip-overlap.xlsx is not a readable Microsoft Excel workbook (.xlsx) (its parts "
                             "overlap)."},
        {"csv-one-line.csv", "Line 2 is too long to import (a line may hold at most 1 MB)."},
        {"csv-commas.csv", "Line 1 is too long to import"},
        {"csv-long-cell.csv", "Field 1 of line 3 is too long to import"},
        {"csv-many-lines.csv", "The file has too many lines to import (at most 16777216)."},
        {"csv-mixed-encodings.csv", {}, 3, 3, 1},
        {"mdb-cut-jet3.mdb", {}, 3, 10},
    };
    for (const auto& c : cases) {
        const TImportResult got = ImportBounded(HostileFolder() + u'/' + QLatin1String(c.file));
        SCOPED_TRACE(c.file);
        EXPECT_TRUE(got.finished) << "stopped by its limits";
        EXPECT_LT(got.cpuMs, 5000);  // the file readers' processes included
        if (c.error.isEmpty()) {
            EXPECT_EQ(got.error, QString());
            EXPECT_EQ(got.rows, c.rows);
            EXPECT_EQ(got.cols, c.cols);
            EXPECT_EQ(got.warnings, c.warnings);
        } else {
            EXPECT_TRUE(got.error.startsWith(c.error)) << got.error.toStdString();
            EXPECT_FALSE(got.error.contains(u'\n'));
            EXPECT_TRUE(got.untouched);
        }
    }
}

#endif  // TAGMORA_GUARDED_CHILD
