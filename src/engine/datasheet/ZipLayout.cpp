#include "document/Tr.h"
#include "engine/datasheet/ZipLayout.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <vector>

namespace {

constexpr quint32 kLocalSig = 0x04034B50;
constexpr quint32 kCentralSig = 0x02014B50;
constexpr quint32 kEndSig = 0x06054B50;
constexpr quint32 kEnd64Sig = 0x06064B50;
constexpr quint32 kLocator64Sig = 0x07064B50;
constexpr qint64 kEndSize = 22;
constexpr qint64 kCentralSize = 46;
constexpr qint64 kLocalSize = 30;
// A directory larger than this is no spreadsheet's.
constexpr qint64 kMaxDirectoryBytes = qint64(64) << 20;

quint64 Le(const char* p, int bytes)
{
    quint64 v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | quint8(p[i]);
    return v;
}

struct TDirectory {
    quint64 entries = 0;
    quint64 size = 0;
    quint64 offset = 0;
    qint64 end = 0;  // where the directory's end records begin
};

struct TSpan {
    quint64 begin;
    quint64 end;
};

class TZipReader {
public:
    explicit TZipReader(const QString& fileName) : FFile(fileName) {}

    QString Check()
    {
        if (!FFile.open(QIODevice::ReadOnly))
            return QString();  // the unzip library reports it
        FSize = FFile.size();
        TDirectory dir;
        if (!FindDirectory(dir))
            return FFault;
        if (dir.size > kMaxDirectoryBytes || dir.offset + dir.size > quint64(dir.end) ||
            dir.entries > dir.size / kCentralSize)
            return Tr("Import", "its directory is damaged");
        std::vector<TSpan> spans;
        if (!ReadEntries(dir, spans))
            return FFault;
        std::sort(spans.begin(), spans.end(), [](const TSpan& a, const TSpan& b) { return a.begin < b.begin; });
        for (size_t i = 1; i < spans.size(); ++i)
            if (spans[i].begin < spans[i - 1].end)
                return Tr("Import", "its parts overlap");
        return QString();
    }

private:
    QByteArray ReadAt(quint64 offset, qint64 size)
    {
        if (offset > quint64(FSize) || size < 0 || qint64(offset) + size > FSize || !FFile.seek(qint64(offset)))
            return QByteArray();
        return FFile.read(size);
    }

    bool Fail(const QString& why)
    {
        FFault = why;
        return false;
    }

    // The end of central directory record (and its zip64 form when the
    // counts do not fit the classic one).
    bool FindDirectory(TDirectory& dir)
    {
        const qint64 tailSize = std::min<qint64>(FSize, kEndSize + 0xFFFF);
        const QByteArray tail = ReadAt(quint64(FSize - tailSize), tailSize);
        qint64 at = -1;
        for (qint64 i = tail.size() - kEndSize; i >= 0; --i) {
            if (Le(tail.constData() + i, 4) == kEndSig) {
                at = i;
                break;
            }
        }
        if (at < 0)
            return Fail(QString());  // no zip package: the unzip library says so
        const char* e = tail.constData() + at;
        dir.end = FSize - tailSize + at;
        dir.entries = Le(e + 10, 2);
        dir.size = Le(e + 12, 4);
        dir.offset = Le(e + 16, 4);
        if (dir.entries != 0xFFFF && dir.size != 0xFFFFFFFF && dir.offset != 0xFFFFFFFF)
            return true;
        const QByteArray locator = ReadAt(quint64(dir.end - 20), 20);
        if (locator.size() != 20 || Le(locator.constData(), 4) != kLocator64Sig)
            return Fail(Tr("Import", "its directory is damaged"));
        const quint64 end64 = Le(locator.constData() + 8, 8);
        const QByteArray record = ReadAt(end64, 56);
        if (record.size() != 56 || Le(record.constData(), 4) != kEnd64Sig)
            return Fail(Tr("Import", "its directory is damaged"));
        dir.end = qint64(end64);
        dir.entries = Le(record.constData() + 32, 8);
        dir.size = Le(record.constData() + 40, 8);
        dir.offset = Le(record.constData() + 48, 8);
        return true;
    }

    // The span of every entry's bytes, from its local header to the end of
    // its compressed data.
    bool ReadEntries(const TDirectory& dir, std::vector<TSpan>& spans)
    {
        const QByteArray bytes = ReadAt(dir.offset, qint64(dir.size));
        if (bytes.size() != qint64(dir.size))
            return Fail(Tr("Import", "its directory is damaged"));
        qint64 pos = 0;
        for (quint64 n = 0; n < dir.entries; ++n) {
            const char* c = bytes.constData() + pos;
            if (bytes.size() - pos < kCentralSize || Le(c, 4) != kCentralSig)
                return Fail(Tr("Import", "its directory is damaged"));
            const qint64 nameLength = qint64(Le(c + 28, 2)), extraLength = qint64(Le(c + 30, 2));
            const qint64 entrySize = kCentralSize + nameLength + extraLength + qint64(Le(c + 32, 2));
            if (bytes.size() - pos < entrySize)
                return Fail(Tr("Import", "its directory is damaged"));
            quint64 compressed = Le(c + 20, 4), offset = Le(c + 42, 4);
            ReadZip64Sizes(c + kCentralSize + nameLength, extraLength, Le(c + 24, 4), compressed, offset);
            const QByteArray local = ReadAt(offset, kLocalSize);
            if (local.size() != kLocalSize || Le(local.constData(), 4) != kLocalSig)
                return Fail(Tr("Import", "its directory is damaged"));
            const quint64 data = offset + kLocalSize + Le(local.constData() + 26, 2) + Le(local.constData() + 28, 2);
            if (compressed > dir.offset || data > dir.offset - compressed)
                return Fail(Tr("Import", "its directory is damaged"));
            spans.push_back({offset, data + compressed});
            pos += entrySize;
        }
        return true;
    }

    // Sizes and offsets too large for their fields are in the zip64 extra
    // field, in this order, each only when its field holds 0xFFFFFFFF.
    static void ReadZip64Sizes(const char* extra, qint64 length, quint64 uncompressed, quint64& compressed,
                               quint64& offset)
    {
        for (qint64 i = 0; i + 4 <= length;) {
            const quint64 id = Le(extra + i, 2), size = Le(extra + i + 2, 2);
            if (i + 4 + qint64(size) > length)
                return;
            if (id == 0x0001) {
                const char* v = extra + i + 4;
                qint64 left = qint64(size);
                for (quint64* field : {&uncompressed, &compressed, &offset}) {
                    if (*field != 0xFFFFFFFF)
                        continue;
                    if (left < 8)
                        return;
                    *field = Le(v, 8);
                    v += 8;
                    left -= 8;
                }
                return;
            }
            i += 4 + qint64(size);
        }
    }

    QFile FFile;
    qint64 FSize = 0;
    QString FFault;
};

}  // namespace

QString ZipLayoutFault(const QString& fileName)
{
    return TZipReader(fileName).Check();
}
