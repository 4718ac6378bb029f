#include "engine/datasheet/SpreadsheetImport.h"

#include "document/Tr.h"
#include "engine/datasheet/CellGridWriter.h"
#include "engine/datasheet/GuardedReader.h"
#include "engine/datasheet/ImportSupport.h"
#include "engine/datasheet/XlsWorkbookScan.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <string>

#if defined(TAGMORA_HAVE_FREEXL) && defined(TAGMORA_GUARDED_READER)
#define TAGMORA_XLS_READER 1
#include <freexl.h>
#endif

namespace {

// The sum of the declared sizes of all sheets the cell library may allocate
// at once (it keeps every sheet's cells in memory; 16 bytes a cell).
constexpr qint64 kMaxWorkbookCells = 65536LL * 256;
// Workbooks are read whole; bigger files are not Excel 97-2003 workbooks.
constexpr qint64 kMaxWorkbookBytes = qint64(1) << 30;

[[noreturn]] void ThrowUnreadable(const QString& fileName, const QString& why = QString())
{
    QString message = Tr("Import", "The file %1 is not a readable Microsoft Excel 97-2003 workbook")
                          .arg(QFileInfo(fileName).fileName());
    ThrowImportError(why.isEmpty() ? QString(message + u'.') : QString(message + QStringLiteral(" (") + why + QStringLiteral(").")));
}

#ifdef TAGMORA_XLS_READER

QString FreeXlReason(int rc)
{
    switch (rc) {
    case FREEXL_INSUFFICIENT_MEMORY:
        return Tr("Import", "not enough memory");
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
        return Tr("Import", "it is not an Excel 97-2003 file");
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        return Tr("Import", "it holds no workbook");
    case FREEXL_UNSUPPORTED_CHARSET:
    case FREEXL_INVALID_CHARACTER:
        return Tr("Import", "its text cannot be decoded");
    default:
        return Tr("Import", "it is damaged");
    }
}

class TFreeXlHandle {
public:
    ~TFreeXlHandle()
    {
        if (handle)
            freexl_close(handle);
    }
    const void* handle = nullptr;
};

QString CellText(const FreeXL_CellValue& v)
{
    switch (v.type) {
    case FREEXL_CELL_INT:
        return QString::number(v.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return NumberToText(v.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return v.value.text_value ? QString::fromUtf8(v.value.text_value) : QString();
    default:
        return QString();
    }
}

QString OverrideText(const TXlsCellOverride& v, const TXlsWorkbookScan& scan)
{
    switch (v.kind) {
    case TXlsCellOverride::ckNumber: {
        const TDateKind kind = scan.DateKindOfXf(v.xf);
        return kind == TDateKind::dkNone ? NumberToText(v.number) : SerialDateToText(v.number, kind, scan.date1904);
    }
    case TXlsCellOverride::ckText:
        return v.text;
    case TXlsCellOverride::ckBoolean:
        return v.number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case TXlsCellOverride::ckError:
        break;
    }
    return QString();
}


[[noreturn]] void ThrowProtected(const QString& fileName)
{
    ThrowImportError(Tr("Import",
                        "The workbook %1 is password-protected; save it without a password "
                        "and import it again.")
                         .arg(QFileInfo(fileName).fileName()));
}

// Frames the reading child sends.
enum TFrame : char {
    frRow = 'R',        // a row: its number, then per non-empty cell its column, length and UTF-8 text
    frError = 'E',      // why the workbook cannot be read (UTF-8); the child stops
    frProtected = 'P',  // the workbook is password-protected; the child stops
};

constexpr int kStallTimeoutMs = 60000;

// Runs in the child: sends the non-empty cells of the active sheet.
void ReadActiveSheet(TFrameWriter& out, const std::string& path, const TXlsWorkbookScan& scan)
{
    auto fail = [&](const QString& why) { out.Send(frError, why.toStdString()); };
    TFreeXlHandle xl;
    const int rc = freexl_open(path.c_str(), &xl.handle);
    if (rc != FREEXL_OK) {
        xl.handle = nullptr;
        return fail(FreeXlReason(rc));
    }
    unsigned int info = 0;
    if (freexl_get_info(xl.handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED)
        return out.Send(frProtected, std::string());
    unsigned int sheetCount = 0;
    if (freexl_get_info(xl.handle, FREEXL_BIFF_SHEET_COUNT, &info) == FREEXL_OK)
        sheetCount = info;
    if (sheetCount == 0)
        return fail(Tr("Import", "it holds no worksheet"));

    // The library numbers the worksheets alone; find the active one by name.
    unsigned short sheet = 0;
    const bool overridesApply = scan.ok && scan.scannedSheet >= 0;
    if (overridesApply) {
        const QString wanted = scan.sheets[scan.scannedSheet].name;
        for (unsigned short i = 0; i < sheetCount; ++i) {
            const char* name = nullptr;
            if (freexl_get_worksheet_name(xl.handle, i, &name) == FREEXL_OK && name &&
                QString::fromUtf8(name) == wanted) {
                sheet = i;
                break;
            }
        }
    }
    if (freexl_select_active_worksheet(xl.handle, sheet) != FREEXL_OK)
        return fail(QString());
    unsigned int rows = 0;
    unsigned short cols = 0;
    if (freexl_worksheet_dimensions(xl.handle, &rows, &cols) != FREEXL_OK)
        return fail(QString());
    if (qint64(rows) * cols > kMaxWorkbookCells)
        return fail(Tr("Import", "its sheet declares more cells than can be read"));
    {
        const char* name = nullptr;
        if (overridesApply && (freexl_get_worksheet_name(xl.handle, sheet, &name) != FREEXL_OK || !name ||
                               QString::fromUtf8(name) != scan.sheets[scan.scannedSheet].name))
            return fail(QString());
    }

    auto textAt = [&](unsigned int r, unsigned short c) {
        const auto o = scan.cells.constFind((qint64(r) << 16) | c);
        if (overridesApply && o != scan.cells.cend())
            return OverrideText(*o, scan);
        FreeXL_CellValue v;
        if (freexl_get_cell_value(xl.handle, r, c, &v) != FREEXL_OK)
            return QString();
        return CellText(v);
    };
    std::string frame;
    for (unsigned int r = 0; r < rows; ++r) {
        frame.clear();
        AppendFrameU32(frame, r);
        for (unsigned short c = 0; c < cols; ++c) {
            const QByteArray text = textAt(r, c).toUtf8();
            if (text.isEmpty())
                continue;
            AppendFrameU32(frame, c);
            AppendFrameU32(frame, quint32(text.size()));
            frame.append(text.constData(), size_t(text.size()));
        }
        if (frame.size() > 4)
            out.Send(frRow, frame);
    }
}

#endif

}  // namespace

void LoadSpreadsheet(const QString& fileName, TCellGridWriter& grid)
{
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly))
        ThrowImportError(Tr("Import", "Cannot open file %1").arg(fileName));
    if (file.size() > kMaxWorkbookBytes)
        ThrowUnreadable(fileName, Tr("Import", "it is too large"));
    const QByteArray bytes = file.readAll();
    file.close();
    if (!bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        ThrowUnreadable(fileName, Tr("Import", "it is not an Excel 97-2003 file"));

#ifndef TAGMORA_XLS_READER
    ThrowUnreadable(fileName, Tr("Import", "this program was built without Excel 97-2003 support"));
#else
    // Sheet sizes, the active tab, and what the cell library leaves out.
    const TXlsWorkbookScan scan = ScanXlsWorkbook(bytes);
    if (scan.encrypted)
        ThrowProtected(fileName);
    qint64 declared = 0;
    for (const TXlsWorkbookScan::TSheet& s : scan.sheets)
        declared += s.type == 0 ? s.declaredCells : 0;
    if (declared > kMaxWorkbookCells)
        ThrowUnreadable(fileName, Tr("Import", "its sheets declare more cells than can be read"));

    // The cell library is not safe against damaged files: it runs in a
    // child process that sends the non-empty cells of the active sheet.
    TSheetCells cells;
    try {
        const std::string path = QFile::encodeName(fileName).toStdString();
        TGuardedReader reader([&](TFrameWriter& out) { ReadActiveSheet(out, path, scan); }, kStallTimeoutMs);
        char kind;
        QByteArray payload;
        bool done = false;
        while (reader.Next(kind, payload)) {
            switch (kind) {
            case TGuardedReader::frameDone:
                done = true;
                break;
            case frProtected:
                ThrowProtected(fileName);
            case frError:
                ThrowUnreadable(fileName, QString::fromUtf8(payload));
            case frRow: {
                const char* p = payload.constData();
                const char* end = p + payload.size();
                if (end - p < 4)
                    reader.Damaged();
                const quint32 row = FrameU32(p);
                for (p += 4; p != end;) {
                    if (end - p < 8)
                        reader.Damaged();
                    const quint32 col = FrameU32(p), len = FrameU32(p + 4);
                    p += 8;
                    if (quint64(end - p) < len)
                        reader.Damaged();
                    cells.AddCell(row, col, QString::fromUtf8(p, qsizetype(len)));
                    p += len;
                }
                break;
            }
            default:
                reader.Damaged();
            }
        }
        if (!reader.Finish() || !done)
            reader.Damaged();
    } catch (const EImportError& e) {
        if (e.what()[0] != '\0')
            throw;
        ThrowUnreadable(fileName, Tr("Import", "it is damaged"));
    }
    cells.WriteTo(grid);
#endif
}
