#include "engine/datasheet/Import.h"

#include "document/Tr.h"
#include "engine/datasheet/AccessImport.h"
#include "engine/datasheet/DelimitedText.h"
#include "engine/datasheet/ImportSupport.h"
#include "engine/datasheet/OfficeXmlImport.h"
#include "engine/datasheet/SpreadsheetImport.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

enum class TPackageKind { Unknown, Zip, Compound };

// What the file's first bytes say it is: a zip package (.xlsx, .ods) or a
// compound document (.xls); files saved under the other extension are then
// still read.
TPackageKind SniffPackage(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TPackageKind::Unknown;
    const QByteArray head = file.read(8);
    if (head.startsWith("PK\x03\x04"))
        return TPackageKind::Zip;
    if (head == QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8))
        return TPackageKind::Compound;
    return TPackageKind::Unknown;
}

void LoadSpreadsheetFile(const QString& path, const QString& ext, TCellGridWriter& grid)
{
    if (!QFileInfo(path).isFile())
        ThrowImportError(Tr("Import", "Cannot open file %1").arg(path));
    const TPackageKind kind = SniffPackage(path);
    if (ext == QLatin1String("ODS") && kind != TPackageKind::Compound)
        return LoadOdsSheet(path, grid);
    if (kind == TPackageKind::Zip || (ext == QLatin1String("XLSX") && kind != TPackageKind::Compound))
        return LoadXlsxSheet(path, grid);
    LoadSpreadsheet(path, grid);
}

}  // namespace

QString ImportFileFilter()
{
    QStringList entries = {
        Tr("Import", "ASCII Data Files (*.txt *.csv)"),
        Tr("Import", "Microsoft Excel Files (*.xls)"),
    };
#ifdef TAGMORA_HAVE_QUAZIP
    entries << Tr("Import", "Microsoft Excel Workbooks (*.xlsx)") << Tr("Import", "OpenDocument Spreadsheets (*.ods)");
#endif
    entries << Tr("Import", "Microsoft Access Database (*.mdb)") << Tr("Import", "All Files (*)");
    return entries.join(QStringLiteral(";;"));
}

bool ImportDataFile(const QString& path, TCellGridWriter& grid, const TTablePicker& pickTable)
{
    const QString ext = QFileInfo(path).suffix().toUpper();
    if (ext == QLatin1String("TXT") || ext == QLatin1String("CSV")) {
        LoadDelimitedText(path, grid);
        return true;
    }
    if (ext == QLatin1String("XLS") || ext == QLatin1String("XLSX") || ext == QLatin1String("ODS")) {
        LoadSpreadsheetFile(path, ext, grid);
        return true;
    }
    if (ext == QLatin1String("MDB")) {
        const QStringList tables = AccessUserTables(path);
        if (tables.isEmpty())
            return false;
        QString chosen = tables.front();
        if (pickTable && !pickTable(tables, chosen))
            return false;
        LoadAccessTable(path, chosen, grid);
        return true;
    }
    return false;
}

TTablePicker TablePickerByName(const QString& name)
{
    return [name](const QStringList& tables, QString& chosen) {
        const QString wanted = name.trimmed();
        for (const QString& t : tables) {
            if (t.compare(wanted, Qt::CaseInsensitive) == 0) {
                chosen = t;
                return true;
            }
        }
        ThrowImportError(Tr("Import", "The database has no table \"%1\". Its tables are: %2.")
                             .arg(wanted, tables.join(QStringLiteral(", "))));
    };
}
