#include "engine/datasheet/XlsWorkbookScan.h"

#include "document/SystemText.h"

#include <cstring>

namespace {

constexpr quint32 kFreeSect = 0xFFFFFFFF;
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kMaxRegSect = 0xFFFFFFFA;

quint16 U16(const char* p)
{
    return quint16(quint8(p[0]) | (quint8(p[1]) << 8));
}

quint32 U32(const char* p)
{
    return quint32(quint8(p[0])) | (quint32(quint8(p[1])) << 8) | (quint32(quint8(p[2])) << 16) |
           (quint32(quint8(p[3])) << 24);
}

double F64(const char* p)
{
    quint64 bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | quint8(p[i]);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

}  // namespace

// ---------------------------------------------------------------------------
// Compound document

bool TCompoundFile::Open(const QByteArray& file)
{
    FFile = file;
    const char* d = FFile.constData();
    const qint64 n = FFile.size();
    if (n < 512 || std::memcmp(d, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) != 0)
        return false;
    const quint16 sectorShift = U16(d + 0x1E), miniShift = U16(d + 0x20);
    if ((sectorShift != 9 && sectorShift != 12) || miniShift != 6)
        return false;
    FSectorSize = 1u << sectorShift;
    FMiniSectorSize = 1u << miniShift;
    FMiniCutoff = U32(d + 0x38);
    const quint32 fatSectors = U32(d + 0x2C), firstDir = U32(d + 0x30);
    const quint32 firstMiniFat = U32(d + 0x3C), miniFatSectors = U32(d + 0x40);
    quint32 difat = U32(d + 0x44), difatSectors = U32(d + 0x48);
    const qint64 sectorCount = (n - FSectorSize) / FSectorSize + 1;
    if (fatSectors > quint64(sectorCount) || miniFatSectors > quint64(sectorCount))
        return false;

    // The FAT sectors: 109 in the header, the rest in the DIFAT chain.
    QList<quint32> fatSectorList;
    for (int i = 0; i < 109 && quint32(fatSectorList.size()) < fatSectors; ++i)
        fatSectorList << U32(d + 0x4C + 4 * i);
    const quint32 perDifat = FSectorSize / 4 - 1;
    for (quint32 k = 0; k < difatSectors && quint32(fatSectorList.size()) < fatSectors; ++k) {
        const qint64 pos = (qint64(difat) + 1) * FSectorSize;
        if (difat > kMaxRegSect || pos + FSectorSize > n)
            return false;
        for (quint32 i = 0; i < perDifat && quint32(fatSectorList.size()) < fatSectors; ++i)
            fatSectorList << U32(d + pos + 4 * i);
        difat = U32(d + pos + 4 * perDifat);
    }
    FFat.clear();
    FFat.reserve(qsizetype(fatSectorList.size()) * (FSectorSize / 4));
    for (quint32 s : fatSectorList) {
        const qint64 pos = (qint64(s) + 1) * FSectorSize;
        if (s > kMaxRegSect || pos + FSectorSize > n)
            return false;
        for (quint32 i = 0; i < FSectorSize / 4; ++i)
            FFat << U32(d + pos + 4 * i);
    }

    QByteArray dir;
    if (!ReadChain(firstDir, -1, false, dir))
        return false;
    FEntries.clear();
    for (qsizetype off = 0; off + 128 <= dir.size(); off += 128) {
        const char* e = dir.constData() + off;
        TEntry entry;
        const int nameBytes = std::min<int>(U16(e + 0x40), 64);
        entry.name = QString::fromUtf16(reinterpret_cast<const char16_t*>(e), std::max(0, nameBytes / 2 - 1));
        entry.type = quint8(e[0x42]);
        entry.start = U32(e + 0x74);
        entry.size = U32(e + 0x78);
        FEntries << entry;
    }
    if (FEntries.isEmpty() || FEntries.front().type != 5)
        return false;

    if (miniFatSectors > 0) {
        QByteArray miniFat;
        if (!ReadChain(firstMiniFat, qint64(miniFatSectors) * FSectorSize, false, miniFat))
            return false;
        FMiniFat.clear();
        for (qsizetype i = 0; i + 4 <= miniFat.size(); i += 4)
            FMiniFat << U32(miniFat.constData() + i);
        if (!ReadChain(FEntries.front().start, FEntries.front().size, false, FMiniStream))
            return false;
    }
    return true;
}

bool TCompoundFile::ReadChain(quint32 start, qint64 size, bool mini, QByteArray& out) const
{
    out.clear();
    const QList<quint32>& fat = mini ? FMiniFat : FFat;
    const quint32 unit = mini ? FMiniSectorSize : FSectorSize;
    const char* base = mini ? FMiniStream.constData() : FFile.constData();
    const qint64 baseSize = mini ? FMiniStream.size() : FFile.size();
    if (size > baseSize)
        return false;  // more than the file holds
    if (size >= 0)
        out.reserve(size);
    quint32 sector = start;
    qsizetype steps = 0;
    while (sector != kEndOfChain && (size < 0 || out.size() < size)) {
        // A chain visits each sector at most once.
        if (sector > kMaxRegSect || sector >= quint32(fat.size()) || ++steps > fat.size())
            return false;
        const qint64 pos = mini ? qint64(sector) * unit : (qint64(sector) + 1) * unit;
        if (pos + unit > baseSize)
            return false;
        out.append(base + pos, unit);
        sector = fat[sector];
    }
    if (size >= 0) {
        if (out.size() < size)
            return false;
        out.truncate(size);
    }
    return true;
}

bool TCompoundFile::ReadStream(const QString& name, QByteArray& content) const
{
    for (const TEntry& e : FEntries) {
        if (e.type != 2 || e.name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const bool mini = e.size < FMiniCutoff;
        return ReadChain(e.start, e.size, mini, content);
    }
    return false;
}

// ---------------------------------------------------------------------------
// Workbook stream

namespace {

enum : quint16 {
    rtFormula = 0x0006,
    rtEof = 0x000A,
    rtDateMode = 0x0022,
    rtFilePass = 0x002F,
    rtContinue = 0x003C,
    rtWindow1 = 0x003D,
    rtBoundSheet = 0x0085,
    rtXf = 0x00E0,
    rtDimensions = 0x0200,
    rtBoolErr = 0x0205,
    rtString = 0x0207,
    rtFormat = 0x041E,
    rtBof = 0x0809,
    rtBof5 = 0x0009,  // older BOF ids also open substreams
    rtBof3 = 0x0209,
    rtBof4 = 0x0409,
};

struct TRecord {
    quint16 id = 0;
    const char* data = nullptr;
    int size = 0;
};

class TRecordReader {
public:
    TRecordReader(const QByteArray& stream, qint64 pos) : FStream(stream), FPos(pos) {}
    bool Next(TRecord& r)
    {
        if (FPos < 0 || FPos + 4 > FStream.size())
            return false;
        const char* p = FStream.constData() + FPos;
        r.id = U16(p);
        r.size = U16(p + 2);
        if (FPos + 4 + r.size > FStream.size())
            return false;
        r.data = p + 4;
        FPos += 4 + r.size;
        return true;
    }
    // The record after the current one, without moving on.
    bool Peek(TRecord& r) const
    {
        TRecordReader copy(FStream, FPos);
        return copy.Next(r);
    }

private:
    const QByteArray& FStream;
    qint64 FPos;
};

bool IsBof(quint16 id)
{
    return id == rtBof || id == rtBof5 || id == rtBof3 || id == rtBof4;
}

// Characters of a BIFF8 string body: compressed (one byte each) or UTF-16.
QString Biff8Chars(const char* p, qsizetype available, qsizetype count, bool wide)
{
    count = std::min(count, wide ? available / 2 : available);
    if (count <= 0)
        return QString();
    if (!wide)
        return QString::fromLatin1(p, count);
    QString s(count, Qt::Uninitialized);
    for (qsizetype i = 0; i < count; ++i)
        s[i] = QChar(U16(p + 2 * i));
    return s;
}

// A BIFF8 unicode string (length `lengthBytes` wide, then option flags) at p;
// rich-text runs and phonetic data are skipped by the caller's record end.
QString Biff8String(const char* p, int size, int lengthBytes)
{
    if (size < lengthBytes + 1)
        return QString();
    const qsizetype count = lengthBytes == 1 ? quint8(p[0]) : U16(p);
    const quint8 flags = quint8(p[lengthBytes]);
    qsizetype off = lengthBytes + 1;
    if (flags & 0x08)
        off += 2;  // rich-text run count
    if (flags & 0x04)
        off += 4;  // phonetic size
    if (off > size)
        return QString();
    return Biff8Chars(p + off, size - off, count, flags & 0x01);
}

QString Biff5String(const char* p, int size, int lengthBytes)
{
    if (size < lengthBytes)
        return QString();
    const qsizetype count = std::min<qsizetype>(lengthBytes == 1 ? quint8(p[0]) : U16(p), size - lengthBytes);
    return DecodeSystemText(QByteArray(p + lengthBytes, count));
}

void ReadGlobals(const QByteArray& stream, TXlsWorkbookScan& scan)
{
    TRecordReader reader(stream, 0);
    TRecord r;
    if (!reader.Next(r) || !IsBof(r.id) || r.size < 4)
        return;
    scan.biffVersion = U16(r.data) == 0x0600 ? 8 : 5;
    const bool biff8 = scan.biffVersion == 8;
    while (reader.Next(r) && r.id != rtEof) {
        switch (r.id) {
        case rtFilePass:
            scan.encrypted = true;
            return;
        case rtWindow1:
            if (r.size >= 12)
                scan.activeTab = U16(r.data + 10);
            break;
        case rtDateMode:
            if (r.size >= 2)
                scan.date1904 = U16(r.data) == 1;
            break;
        case rtBoundSheet:
            if (r.size >= 8) {
                TXlsWorkbookScan::TSheet sheet;
                sheet.streamPos = U32(r.data);
                sheet.type = quint8(r.data[5]);
                sheet.name = biff8 ? Biff8String(r.data + 6, r.size - 6, 1) : Biff5String(r.data + 6, r.size - 6, 1);
                scan.sheets << sheet;
            }
            break;
        case rtXf:
            if (r.size >= 4)
                scan.xfFormats << U16(r.data + 2);
            break;
        case rtFormat:
            if (r.size >= 3)
                scan.formats.insert(U16(r.data), biff8 ? Biff8String(r.data + 2, r.size - 2, 2)
                                                       : Biff5String(r.data + 2, r.size - 2, 1));
            break;
        default:
            break;
        }
    }
    scan.ok = true;
}

qint64 CellKey(int row, int col)
{
    return (qint64(row) << 16) | col;
}

// The string of a STRING record (the result of the formula before it),
// continued over CONTINUE records.
QString FormulaString(const TRecord& r, TRecordReader& reader, bool biff8)
{
    if (!biff8)
        return Biff5String(r.data, r.size, 2);
    if (r.size < 3)
        return QString();
    const qsizetype count = U16(r.data);
    bool wide = quint8(r.data[2]) & 0x01;
    QString text = Biff8Chars(r.data + 3, r.size - 3, count, wide);
    TRecord next;
    while (text.size() < count && reader.Peek(next) && next.id == rtContinue && next.size >= 1) {
        reader.Next(next);
        wide = quint8(next.data[0]) & 0x01;
        text += Biff8Chars(next.data + 1, next.size - 1, count - text.size(), wide);
    }
    return text;
}

// Declared size of every worksheet, and the cells of one of them.
void ReadSheet(const QByteArray& stream, TXlsWorkbookScan& scan, int index, bool cells)
{
    TXlsWorkbookScan::TSheet& sheet = scan.sheets[index];
    TRecordReader reader(stream, sheet.streamPos);
    TRecord r;
    if (!reader.Next(r) || !IsBof(r.id))
        return;
    const bool biff8 = scan.biffVersion == 8;
    int depth = 1;
    qint64 pendingString = -1;  // cell of a string formula waiting for its STRING record
    while (depth > 0 && reader.Next(r)) {
        if (IsBof(r.id)) {
            ++depth;  // an embedded chart's substream
            continue;
        }
        if (r.id == rtEof) {
            --depth;
            continue;
        }
        if (depth > 1)
            continue;
        if (r.id == rtDimensions) {
            if (biff8 && r.size >= 12)
                sheet.declaredCells = qint64(U32(r.data + 4)) * U16(r.data + 10);
            else if (!biff8 && r.size >= 8)
                sheet.declaredCells = qint64(U16(r.data + 2)) * U16(r.data + 6);
            if (!cells)
                return;
            continue;
        }
        if (!cells)
            continue;
        if (r.id == rtFormula && r.size >= 14) {
            const int row = U16(r.data), col = U16(r.data + 2);
            TXlsCellOverride v;
            v.xf = U16(r.data + 4);
            const char* result = r.data + 6;
            pendingString = -1;
            if (U16(result + 6) != 0xFFFF) {
                v.kind = TXlsCellOverride::ckNumber;
                v.number = F64(result);
            } else if (quint8(result[0]) == 0) {
                v.kind = TXlsCellOverride::ckText;
                pendingString = CellKey(row, col);
            } else if (quint8(result[0]) == 1) {
                v.kind = TXlsCellOverride::ckBoolean;
                v.number = quint8(result[2]) ? 1 : 0;
            } else if (quint8(result[0]) == 3) {
                v.kind = TXlsCellOverride::ckText;  // an empty string
            } else {
                v.kind = TXlsCellOverride::ckError;
            }
            scan.cells.insert(CellKey(row, col), v);
        } else if (r.id == rtString) {
            if (pendingString >= 0)
                scan.cells[pendingString].text = FormulaString(r, reader, biff8);
            pendingString = -1;
        } else if (r.id == rtBoolErr && r.size >= 8) {
            TXlsCellOverride v;
            v.xf = U16(r.data + 4);
            if (quint8(r.data[7]) == 0) {
                v.kind = TXlsCellOverride::ckBoolean;
                v.number = quint8(r.data[6]) ? 1 : 0;
            }
            scan.cells.insert(CellKey(U16(r.data), U16(r.data + 2)), v);
        }
    }
}

}  // namespace

TDateKind TXlsWorkbookScan::DateKindOfXf(int xf) const
{
    if (xf < 0 || xf >= xfFormats.size())
        return TDateKind::dkNone;
    const int id = xfFormats[xf];
    const auto custom = formats.constFind(id);
    if (custom != formats.cend())
        return DateFormatKind(*custom);
    return BuiltinDateFormatKind(id);
}

TXlsWorkbookScan ScanXlsWorkbook(const QByteArray& file, int sheetIndex)
{
    TXlsWorkbookScan scan;
    TCompoundFile cf;
    QByteArray stream;
    if (!cf.Open(file) || (!cf.ReadStream(QStringLiteral("Workbook"), stream) &&
                           !cf.ReadStream(QStringLiteral("Book"), stream)))
        return scan;
    ReadGlobals(stream, scan);
    if (!scan.ok || scan.encrypted)
        return scan;
    for (int i = 0; i < scan.sheets.size(); ++i)
        if (scan.sheets[i].type == 0)
            ReadSheet(stream, scan, i, false);
    int index = sheetIndex;
    if (index < 0) {
        index = scan.activeTab;
        if (index >= scan.sheets.size() || scan.sheets[index].type != 0) {
            index = -1;
            for (int i = 0; i < scan.sheets.size() && index < 0; ++i)
                if (scan.sheets[i].type == 0)
                    index = i;
        }
    }
    if (index >= 0 && index < scan.sheets.size()) {
        scan.scannedSheet = index;
        ReadSheet(stream, scan, index, true);
    }
    return scan;
}
