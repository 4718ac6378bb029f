#include "engine/datasheet/AccessImport.h"

#include "document/Tr.h"
#include "engine/datasheet/CellGridWriter.h"
#include "engine/datasheet/GuardedReader.h"
#include "engine/datasheet/ImportSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#if defined(TAGMORA_HAVE_MDB) && defined(TAGMORA_GUARDED_READER)
#define TAGMORA_ACCESS_READER 1
#include <mdbtools.h>
#endif

namespace {

int gStallTimeoutMs = 60000;

[[noreturn]] void ThrowUnreadable(const QString& fileName, const QString& why = QString())
{
    QString message =
        Tr("Import", "The file %1 is not a readable Microsoft Access database").arg(QFileInfo(fileName).fileName());
    ThrowImportError(why.isEmpty() ? QString(message + u'.') : QString(message + QStringLiteral(" (") + why + QStringLiteral(").")));
}

// Frames the reader process sends: a kind byte, a 32-bit length, the payload.
enum TFrame : char {
    frTable = 'T',    // a user table's name
    frRecords = 'N',  // the table's record count (decimal text)
    frColumn = 'C',   // a field: its type byte, then its name
    frRow = 'R',      // a record: per field a 32-bit length (kNull for NULL) and the bytes
    frError = 'E',    // a message for the user; the reader stops
    frDone = TGuardedReader::frameDone,  // all sent
};
constexpr quint32 kNull = 0xFFFFFFFF;

// The most records a table of a file of this size can hold: a record takes
// at least four bytes of it.
qint64 MaxRecords(qint64 fileSize)
{
    return fileSize / 4 + 16;
}

// Field types, as the database library numbers them.
enum TFieldType : quint8 {
    ftBool = 0x01,
    ftByte = 0x02,
    ftInt = 0x03,
    ftLong = 0x04,
    ftMoney = 0x05,
    ftFloat = 0x06,
    ftDouble = 0x07,
    ftDateTime = 0x08,
    ftBinary = 0x09,
    ftText = 0x0A,
    ftOle = 0x0B,
    ftMemo = 0x0C,
    ftGuid = 0x0F,
    ftNumeric = 0x10,
    ftComplex = 0x12,
};

QString MoneyText(const QString& raw)
{
    // The library writes amounts exactly with four decimals; keep two to four.
    QString s = raw.trimmed();
    const qsizetype dot = s.indexOf(u'.');
    if (dot < 0)
        return s + QStringLiteral(".00");
    while (s.size() - dot - 1 > 2 && s.endsWith(u'0'))
        s.chop(1);
    while (s.size() - dot - 1 < 2)
        s += u'0';
    if (s == QLatin1String("-0.00"))
        s.remove(0, 1);
    return s;
}

QString DateTimeText(const QString& raw)
{
    // "YYYY-MM-DD HH:MM:SS": a date alone at midnight, a time alone on the
    // day Access keeps times of day on.
    if (raw.size() == 19 && raw.endsWith(QLatin1String(" 00:00:00")))
        return raw.left(10);
    if (raw.size() == 19 && raw.startsWith(QLatin1String("1899-12-30 ")))
        return raw.mid(11);
    return raw;
}

// The text a field's value shows as.
QString FieldText(quint8 type, const QByteArray& raw)
{
    const QString s = QString::fromUtf8(raw);
    bool ok = false;
    switch (type) {
    case ftBool:
        return s.trimmed() == QLatin1String("1") ? QStringLiteral("True") : QStringLiteral("False");
    case ftMoney:
        return MoneyText(s);
    case ftFloat: {
        const double v = s.trimmed().toDouble(&ok);
        return ok ? NumberToText(v, 7) : s;
    }
    case ftDouble: {
        const double v = s.trimmed().toDouble(&ok);
        return ok ? NumberToText(v) : s;
    }
    case ftDateTime:
        return DateTimeText(s);
    case ftBinary:
    case ftOle:
    case ftComplex:
        return QString();
    default:
        return s;
    }
}

#ifdef TAGMORA_ACCESS_READER

// ---------------------------------------------------------------------------
// The reader process


// The user tables of a database, read from its catalog (the MSysObjects
// table) with at most maxRows rows fetched. The library's own catalog reader
// is not used: on a damaged file it can go round in circles (through the
// catalog's pages, or through the properties blob of an entry, which this
// reader leaves alone), gathering entries until memory runs out. False when
// the catalog cannot be read or does not end within maxRows rows.
bool ReadUserTables(MdbHandle* mdb, qint64 maxRows, std::vector<MdbCatalogEntry>& tables)
{
    MdbCatalogEntry catalog{};
    catalog.mdb = mdb;
    catalog.object_type = MDB_TABLE;
    catalog.table_pg = 2;
    std::strcpy(catalog.object_name, "MSysObjects");
    MdbTableDef* t = mdb_read_table(&catalog);
    if (!t)
        return false;
    std::vector<std::vector<char>> fields(4, std::vector<char>(mdb->bind_size + 1, 0));
    const char* names[] = {"Id", "Name", "Type", "Flags"};
    bool bound = mdb_read_columns(t) != nullptr;
    for (int i = 0; bound && i < 4; ++i)
        bound = mdb_bind_column_by_name(t, const_cast<gchar*>(names[i]), fields[size_t(i)].data(), nullptr) > 0;
    qint64 rows = 0;
    if (bound) {
        mdb_rewind_table(t);
        while (rows <= maxRows && mdb_fetch_row(t)) {
            ++rows;
            MdbCatalogEntry e{};
            e.mdb = mdb;
            e.object_type = std::atoi(fields[2].data()) & 0x7F;
            e.table_pg = std::strtoul(fields[0].data(), nullptr, 10) & 0x00FFFFFF;
            e.flags = int(std::strtol(fields[3].data(), nullptr, 10));
            std::snprintf(e.object_name, sizeof e.object_name, "%s", fields[1].data());
            if (mdb_is_user_table(&e))
                tables.push_back(e);
        }
    }
    mdb_free_tabledef(t);
    return bound && rows <= maxRows;
}

MdbCatalogEntry* FindTable(std::vector<MdbCatalogEntry>& tables, const std::string& name)
{
    MdbCatalogEntry* caseless = nullptr;
    for (MdbCatalogEntry& e : tables) {
        if (name == e.object_name)
            return &e;
        if (!caseless && g_ascii_strcasecmp(name.c_str(), e.object_name) == 0)
            caseless = &e;
    }
    return caseless;
}

// Runs in the reader process: sends the table names, or one table. maxRows
// bounds the rows of any table the file can hold.
void ReaderMain(TFrameWriter& out, const std::string& path, const std::string* table, qint64 maxRows)
{
    MdbHandle* mdb = mdb_open(path.c_str(), MDB_NOFLAGS);
    if (!mdb)
        return out.Send(frError, std::string("open"));
    std::vector<MdbCatalogEntry> tables;
    if (!ReadUserTables(mdb, maxRows, tables))
        return out.Send(frError, std::string("catalog"));
    if (!table) {
        for (const MdbCatalogEntry& e : tables)
            out.Send(frTable, std::string(e.object_name));
        return;
    }
    MdbCatalogEntry* entry = FindTable(tables, *table);
    if (!entry)
        return out.Send(frError, std::string("no table"));
    mdb_set_date_fmt(mdb, "%Y-%m-%d %H:%M:%S");
    mdb_set_shortdate_fmt(mdb, "%Y-%m-%d %H:%M:%S");
    mdb_set_boolean_fmt_numbers(mdb);
    MdbTableDef* t = mdb_read_table(entry);
    if (!t || !mdb_read_columns(t))
        return out.Send(frError, std::string("table"));
    bool memo = false;
    for (unsigned c = 0; c < t->num_cols; ++c)
        memo = memo || static_cast<MdbColumn*>(g_ptr_array_index(t->columns, c))->col_type == MDB_MEMO;
    // A memo holds up to 65535 characters, three bytes each at most in UTF-8.
    const size_t bindSize = memo ? 200000 : 16384;
    mdb_set_bind_size(mdb, bindSize);

    out.Send(frRecords, std::to_string(t->num_rows));
    std::vector<std::vector<char>> values(t->num_cols);
    std::vector<int> lengths(t->num_cols, 0);
    std::vector<bool> bound(t->num_cols, false);
    for (unsigned c = 0; c < t->num_cols; ++c) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(t->columns, c));
        std::string frame(1, char(col->col_type));
        frame += col->name;
        out.Send(frColumn, frame);
        // Objects and binary data are not shown as text; they stay unbound.
        if (col->col_type == MDB_OLE || col->col_type == MDB_BINARY || col->col_type == MDB_COMPLEX)
            continue;
        values[c].assign(bindSize + 1, 0);
        mdb_bind_column(t, int(c) + 1, values[c].data(), &lengths[c]);
        bound[c] = true;
    }
    mdb_rewind_table(t);
    std::string row;
    while (mdb_fetch_row(t)) {
        row.clear();
        for (unsigned c = 0; c < t->num_cols; ++c) {
            const size_t n = bound[c] && lengths[c] > 0 ? std::min(strnlen(values[c].data(), bindSize), bindSize) : 0;
            const quint32 len = bound[c] && lengths[c] > 0 ? quint32(n) : kNull;
            AppendFrameU32(row, len);
            if (len != kNull)
                row.append(values[c].data(), n);
        }
        out.Send(frRow, row);
    }
}

// ---------------------------------------------------------------------------
// The importer's side

// Runs a reader and hands each frame to `onFrame`; throws EImportError with
// a message naming the file when the reader fails.
template <typename Fn>
void RunReader(const QString& fileName, const QString* table, Fn&& onFrame)
{
    QFileInfo info(fileName);
    QFile probe(fileName);
    if (!info.isFile() || !probe.open(QIODevice::ReadOnly))
        ThrowImportError(Tr("Import", "Cannot open file %1").arg(fileName));
    probe.close();
    // A record takes at least four bytes of the file and its text at most
    // a few times its stored size: a reader sending more is running wild.
    const qint64 byteBudget = info.size() * 8 + (qint64(64) << 20);
    try {
        const std::string file = QFile::encodeName(fileName).toStdString();
        const std::string tableName = table ? table->toUtf8().toStdString() : std::string();
        const qint64 maxRows = MaxRecords(info.size());
        TGuardedReader reader(
            [&](TFrameWriter& out) { ReaderMain(out, file, table ? &tableName : nullptr, maxRows); },
            gStallTimeoutMs);
        char kind;
        QByteArray payload;
        bool done = false;
        while (reader.Next(kind, payload)) {
            if (reader.Received() > byteBudget)
                reader.Damaged();
            if (kind == frDone) {
                done = true;
                continue;
            }
            if (kind == frError) {
                if (payload == "no table")
                    ThrowImportError(Tr("Import", "The database %1 has no table \"%2\".")
                                         .arg(info.fileName(), table ? *table : QString()));
                ThrowUnreadable(fileName, payload == "open" ? QString() : Tr("Import", "it is damaged"));
            }
            onFrame(kind, payload);
        }
        if (!reader.Finish() || !done)
            reader.Damaged();
    } catch (const EImportError& e) {
        if (e.what()[0] != '\0')
            throw;
        ThrowUnreadable(fileName, Tr("Import", "it is damaged"));
    }
}

#endif  // TAGMORA_ACCESS_READER

}  // namespace

void SetAccessReaderStallTimeout(int milliseconds)
{
    gStallTimeoutMs = milliseconds > 0 ? milliseconds : 60000;
}

QStringList AccessUserTables(const QString& fileName)
{
    QStringList tables;
#ifdef TAGMORA_ACCESS_READER
    RunReader(fileName, nullptr, [&](char kind, const QByteArray& payload) {
        if (kind == frTable)
            tables << QString::fromUtf8(payload);
    });
#else
    ThrowUnreadable(fileName, Tr("Import", "this program was built without Access support"));
#endif
    return tables;
}

void LoadAccessTable(const QString& fileName, const QString& tableName, TCellGridWriter& grid)
{
#ifdef TAGMORA_ACCESS_READER
    const qint64 maxRecords = MaxRecords(QFileInfo(fileName).size());
    std::vector<quint8> types;
    QStringList names;
    qint64 declared = 0;
    int row = 0;  // 0 until the field names are in the grid
    auto putHeader = [&]() {
        if (grid.RowCount() < 1)
            grid.SetRowCount(1);
        grid.SetColCount(std::max(1, int(names.size())));
        for (int c = 0; c < names.size(); ++c)
            grid.SetCell(c, 0, names[c]);
        if (declared > 0)
            grid.SetRowCount(int(std::min(declared, maxRecords) + 1));
        row = 1;
    };
    auto damaged = [&]() { ThrowUnreadable(fileName, Tr("Import", "it is damaged")); };
    RunReader(fileName, &tableName, [&](char kind, const QByteArray& payload) {
        switch (kind) {
        case frRecords:
            declared = payload.toLongLong();
            break;
        case frColumn:
            if (payload.isEmpty() || row > 0)
                damaged();
            types.push_back(quint8(payload[0]));
            names << QString::fromUtf8(payload.mid(1));
            break;
        case frRow: {
            if (row == 0)
                putHeader();
            if (row > maxRecords)
                damaged();
            if (grid.RowCount() < row + 1)
                grid.SetRowCount(row + 1);
            const char* p = payload.constData();
            const char* end = p + payload.size();
            for (size_t c = 0; c < types.size(); ++c) {
                if (end - p < 4)
                    damaged();
                const quint32 len = FrameU32(p);
                p += 4;
                if (len == kNull) {
                    grid.SetCell(int(c), row, QStringView());
                    continue;
                }
                if (quint64(end - p) < len)
                    damaged();
                grid.SetCell(int(c), row, FieldText(types[c], QByteArray::fromRawData(p, len)));
                p += len;
            }
            ++row;
            break;
        }
        default:
            break;
        }
    });
    if (row == 0) {
        putHeader();  // a table without records
    } else if (declared > 0 && row - 1 < declared) {
        // Fewer records than announced: no empty rows for the missing ones.
        grid.SetRowCount(row);
    }
#else
    Q_UNUSED(tableName);
    Q_UNUSED(grid);
    ThrowUnreadable(fileName, Tr("Import", "this program was built without Access support"));
#endif
}
