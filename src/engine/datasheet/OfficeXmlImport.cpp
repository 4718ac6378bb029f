#include "engine/datasheet/OfficeXmlImport.h"

#include "document/Tr.h"
#include "engine/datasheet/CellGridWriter.h"
#include "engine/datasheet/ImportSupport.h"
#include "engine/datasheet/ZipLayout.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

#ifdef TAGMORA_HAVE_QUAZIP
#include <quazip.h>
#include <quazipfile.h>
#endif

#include <cmath>
#include <cstring>
#include <memory>

namespace {

enum class TPackage { Xlsx, Ods };

[[noreturn]] void ThrowUnreadable(TPackage kind, const QString& fileName, const QString& why = QString())
{
    const QString what = kind == TPackage::Xlsx ? Tr("Import", "Microsoft Excel workbook (.xlsx)")
                                                : Tr("Import", "OpenDocument spreadsheet (.ods)");
    QString message = Tr("Import", "The file %1 is not a readable %2").arg(QFileInfo(fileName).fileName(), what);
    ThrowImportError(why.isEmpty() ? QString(message + u'.') : QString(message + QStringLiteral(" (") + why + QStringLiteral(").")));
}

// The value of the attribute with this local name, whatever its namespace.
QStringView Attr(const QXmlStreamReader& xml, QLatin1String localName)
{
    for (const QXmlStreamAttribute& a : xml.attributes())
        if (a.name() == localName)
            return a.value();
    return QStringView();
}

// A repeat count of an attribute: 1 when missing or not a number.
qint64 RepeatAttr(const QXmlStreamReader& xml, QLatin1String localName)
{
    const QStringView v = Attr(xml, localName);
    if (v.isEmpty())
        return 1;
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    return ok && n >= 1 ? std::min<qint64>(n, qint64(1) << 31) : 1;
}

double ParseNumber(QStringView text, bool* ok)
{
    return text.trimmed().toDouble(ok);  // always "." whatever the locale
}

QString NumberAttrText(QStringView text)
{
    bool ok = false;
    const double v = ParseNumber(text, &ok);
    return ok ? NumberToText(v) : text.toString();
}

#ifdef TAGMORA_HAVE_QUAZIP

// Largest part read whole (workbook, relationships, styles, settings).
constexpr qint64 kMaxSmallPart = qint64(64) << 20;
// All parts of a package together unpack to at most this many times the
// package's size, and at least to kMinUnpackedBytes: office files compress
// their XML some 5 to 40 times, so a package past that is a bomb, and the
// time spent reading stays in proportion to the file.
constexpr qint64 kMaxUnpackRatio = 100;
constexpr qint64 kMinUnpackedBytes = qint64(32) << 20;

// Passes a part through, ending it (as if the data ran out) once more than
// `limit` bytes came: a small package may unpack into gigabytes of XML.
class TBoundedDevice : public QIODevice {
public:
    static constexpr qint64 kMaxTextRun = qint64(32) << 20;

    TBoundedDevice(QIODevice& inner, qint64 limit) : FInner(inner), FLimit(limit) { open(QIODevice::ReadOnly); }
    bool Exceeded() const { return FExceeded; }
    qint64 Passed() const { return FRead; }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (FExceeded)
            return 0;
        const qint64 n = FInner.read(data, std::min(maxSize, FLimit - FRead + 1));
        if (n > 0) {
            FRead += n;
            // Text between two tags is held whole by the XML reader: a long
            // run without markup (blank padding) is refused as well.
            const void* lt = memrchr(data, '<', size_t(n));
            FSinceTag = lt ? n - 1 - (static_cast<const char*>(lt) - data) : FSinceTag + n;
        }
        if (FRead > FLimit || FSinceTag > kMaxTextRun) {
            FExceeded = true;
            return 0;
        }
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QIODevice& FInner;
    const qint64 FLimit;
    qint64 FRead = 0;
    qint64 FSinceTag = 0;
    bool FExceeded = false;
};

class TPackageReader {
public:
    TPackageReader(TPackage kind, const QString& fileName) : FKind(kind), FFileName(fileName), FZip(fileName)
    {
        const QFileInfo info(fileName);
        if (!info.isFile())
            ThrowImportError(Tr("Import", "Cannot open file %1").arg(fileName));
        // Parts that share their bytes are refused before anything unpacks.
        const QString fault = ZipLayoutFault(fileName);
        if (!fault.isEmpty())
            Fail(fault);
        if (!FZip.open(QuaZip::mdUnzip))
            Fail(Tr("Import", "it is not a zip package"));
        FUnpackBudget = std::max(kMinUnpackedBytes, info.size() * kMaxUnpackRatio);
    }

    bool Has(const QString& part) { return FZip.setCurrentFile(part, QuaZip::csInsensitive); }

    // Reads a whole (small) part; an empty array when the package lacks it.
    QByteArray ReadSmall(const QString& part)
    {
        if (!Has(part))
            return QByteArray();
        QuaZipFile file(&FZip);
        if (!file.open(QIODevice::ReadOnly))
            Fail();
        const qint64 limit = std::min(kMaxSmallPart, PartLimit());
        auto tooLarge = [&] {
            if (limit < kMaxSmallPart)
                FailTooLarge(part);
            Fail(Tr("Import", "the part %1 is too large").arg(part));
        };
        if (file.usize() > limit)
            tooLarge();
        QByteArray bytes;
        char chunk[65536];
        qint64 n;
        while ((n = file.read(chunk, sizeof chunk)) > 0) {
            bytes.append(chunk, n);
            if (bytes.size() > limit)
                tooLarge();
        }
        FUnpacked += bytes.size();
        file.close();
        if (file.getZipError() != UNZ_OK)
            Fail(Tr("Import", "it is damaged"));
        return bytes;
    }

    // Streams a part through the XML reader; false when the package lacks it.
    template <typename Fn>
    bool Stream(const QString& part, Fn&& parse)
    {
        if (!Has(part))
            return false;
        QuaZipFile file(&FZip);
        if (!file.open(QIODevice::ReadOnly))
            Fail();
        // The size the package declares fails early; the bytes really
        // unpacked are counted as well, in case the declaration lies.
        const qint64 limit = PartLimit();
        if (file.usize() > limit)
            FailTooLarge(part);
        TBoundedDevice bounded(file, limit);
        QXmlStreamReader xml(&bounded);
        parse(xml);
        if (bounded.Exceeded())
            FailTooLarge(part);
        FUnpacked += bounded.Passed();
        CheckXml(xml);
        file.close();
        if (file.getZipError() != UNZ_OK)
            Fail(Tr("Import", "it is damaged"));
        return true;
    }

    void CheckXml(const QXmlStreamReader& xml)
    {
        if (!xml.hasError())
            return;
        QString why = xml.errorString();
        if (why.endsWith(u'.'))
            why.chop(1);
        Fail(Tr("Import", "it is damaged: %1").arg(why));
    }

    [[noreturn]] void Fail(const QString& why = QString()) { ThrowUnreadable(FKind, FFileName, why); }

    [[noreturn]] void FailTooLarge(const QString& part)
    {
        ThrowImportError(Tr("Import",
                            "The spreadsheet is too large: its part %1 unpacks to more than can be "
                            "read (at most %2 MB from a file of this size, and %3 MB of text between two tags).")
                             .arg(part)
                             .arg((PartLimit() + (qint64(1) << 19)) >> 20)
                             .arg(TBoundedDevice::kMaxTextRun >> 20));
    }

private:
    // What the next part may unpack to: what is left of the package's
    // budget, and no more than any part may.
    qint64 PartLimit() const { return std::min(kMaxUnpackedPartBytes, FUnpackBudget - FUnpacked); }

    TPackage FKind;
    QString FFileName;
    QuaZip FZip;
    qint64 FUnpackBudget = 0;
    qint64 FUnpacked = 0;
};

// ---------------------------------------------------------------------------
// Office Open XML

// "xl/worksheets/sheet1.xml" from a relationship target seen from a folder.
QString ResolvePart(const QString& folder, const QString& target)
{
    if (target.startsWith(u'/'))
        return target.mid(1);
    QStringList parts = folder.isEmpty() ? QStringList() : folder.split(u'/');
    for (const QString& p : target.split(u'/')) {
        if (p == QLatin1String(".."))
            parts.isEmpty() ? void() : parts.removeLast();
        else if (p != QLatin1String(".") && !p.isEmpty())
            parts << p;
    }
    return parts.join(u'/');
}

struct TRelationship {
    QString type;
    QString target;
};

// The relationships of a part ("<folder>/_rels/<name>.rels"), by id.
QHash<QString, TRelationship> ReadRelationships(TPackageReader& pkg, const QString& part)
{
    const qsizetype slash = part.lastIndexOf(u'/');
    const QString folder = slash < 0 ? QString() : part.left(slash);
    const QString name = part.mid(slash + 1);
    const QString relsPart = (folder.isEmpty() ? QString() : folder + u'/') + QStringLiteral("_rels/") + name +
                             QStringLiteral(".rels");
    QHash<QString, TRelationship> rels;
    const QByteArray bytes = pkg.ReadSmall(relsPart);
    if (bytes.isEmpty())
        return rels;  // a part without relationships
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("Relationship"))
            rels.insert(Attr(xml, QLatin1String("Id")).toString(),
                        {Attr(xml, QLatin1String("Type")).toString(),
                         ResolvePart(folder, Attr(xml, QLatin1String("Target")).toString())});
    }
    pkg.CheckXml(xml);
    return rels;
}

QString RelationshipOfType(const QHash<QString, TRelationship>& rels, QLatin1String typeSuffix)
{
    for (const TRelationship& r : rels)
        if (r.type.endsWith(typeSuffix))
            return r.target;
    return QString();
}

// Text with the _xHHHH_ escapes of Office Open XML undone.
QString UnescapeOoxml(QString text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString out;
    qsizetype last = 0;
    for (auto it = escape.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(text).mid(last, m.capturedStart() - last);
        out += QChar(char16_t(m.capturedView(1).toUShort(nullptr, 16)));
        last = m.capturedEnd();
    }
    out += QStringView(text).mid(last);
    return out;
}

// The text of an <si> or <is> element: its <t> runs, phonetic runs left out.
QString ReadRichText(QXmlStreamReader& xml)
{
    QString text;
    int depth = 1, skip = 0;
    bool inT = false;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (xml.name() == QLatin1String("rPh") || xml.name() == QLatin1String("phoneticPr"))
                ++skip;
            else if (xml.name() == QLatin1String("t"))
                inT = true;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            if (xml.name() == QLatin1String("rPh") || xml.name() == QLatin1String("phoneticPr"))
                --skip;
            else if (xml.name() == QLatin1String("t"))
                inT = false;
            break;
        case QXmlStreamReader::Characters:
            if (inT && skip == 0)
                text += xml.text();
            break;
        default:
            break;
        }
    }
    return UnescapeOoxml(text);
}

// "BC12" -> column 54, row 11 (both from 0); false when malformed.
bool ParseCellRef(QStringView ref, qint64& row, qint64& col)
{
    qsizetype i = 0;
    qint64 c = 0, r = 0;
    while (i < ref.size() && ref[i].isLetter() && ref[i].unicode() < 128) {
        c = c * 26 + (ref[i].toUpper().unicode() - 'A' + 1);
        if (c > kMaxSheetCols * 2)
            return false;
        ++i;
    }
    const qsizetype digits = i;
    while (i < ref.size() && ref[i].isDigit() && ref[i].unicode() < 128) {
        r = r * 10 + (ref[i].unicode() - '0');
        if (r > qint64(kMaxSheetRows) * 2)
            return false;
        ++i;
    }
    if (c == 0 || i == digits || i != ref.size() || r == 0)
        return false;
    row = r - 1;
    col = c - 1;
    return true;
}

// An ISO date or date-time ("2024-03-15T13:45:00.5") as import text.
QString IsoDateTimeText(QStringView v)
{
    QString s = v.trimmed().toString();
    const qsizetype dot = s.indexOf(u'.', s.indexOf(u'T'));
    if (s.indexOf(u'T') >= 0 && dot >= 0)
        s.truncate(dot);
    if (s.endsWith(u'Z'))
        s.chop(1);
    if (s.endsWith(QLatin1String("T00:00:00")))
        s.chop(9);
    s.replace(u'T', u' ');
    return s;
}

class TXlsxReader {
public:
    TXlsxReader(const QString& fileName) : FPkg(TPackage::Xlsx, fileName) {}

    void Load(TCellGridWriter& grid)
    {
        const auto rootRels = ReadRelationships(FPkg, QString());
        QString workbook = RelationshipOfType(rootRels, QLatin1String("/officeDocument"));
        if (workbook.isEmpty())
            workbook = QStringLiteral("xl/workbook.xml");
        ReadWorkbook(workbook);
        const auto rels = ReadRelationships(FPkg, workbook);
        const QString styles = RelationshipOfType(rels, QLatin1String("/styles"));
        if (!styles.isEmpty())
            ReadStyles(styles);
        const QString strings = RelationshipOfType(rels, QLatin1String("/sharedStrings"));
        if (!strings.isEmpty())
            ReadSharedStrings(strings);
        QString sheet = rels.value(FSheetRelId).target;
        if (sheet.isEmpty())
            sheet = QStringLiteral("xl/worksheets/sheet1.xml");
        if (sheet.isEmpty() || !FPkg.Stream(sheet, [this](QXmlStreamReader& xml) { ReadSheet(xml); }))
            FPkg.Fail(Tr("Import", "its sheet is missing"));
        FCells.WriteTo(grid);
    }

private:
    // Finds the active sheet's relationship id and the date system.
    void ReadWorkbook(const QString& part)
    {
        const QByteArray bytes = FPkg.ReadSmall(part);
        if (bytes.isEmpty())
            FPkg.Fail(Tr("Import", "it holds no workbook"));
        QXmlStreamReader xml(bytes);
        int activeTab = 0;
        QStringList sheetIds;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("workbookPr")) {
                const QStringView d = Attr(xml, QLatin1String("date1904"));
                FDate1904 = d == QLatin1String("1") || d == QLatin1String("true");
            } else if (xml.name() == QLatin1String("workbookView") && sheetIds.isEmpty()) {
                activeTab = std::max(0, Attr(xml, QLatin1String("activeTab")).toInt());
            } else if (xml.name() == QLatin1String("sheet")) {
                sheetIds << Attr(xml, QLatin1String("id")).toString();
            }
        }
        FPkg.CheckXml(xml);
        if (sheetIds.isEmpty())
            FPkg.Fail(Tr("Import", "it holds no sheet"));
        FSheetRelId = sheetIds.value(activeTab < sheetIds.size() ? activeTab : 0);
    }

    void ReadStyles(const QString& part)
    {
        const QByteArray bytes = FPkg.ReadSmall(part);
        if (bytes.isEmpty())
            return;
        QXmlStreamReader xml(bytes);
        int inCellXfs = 0;
        while (!xml.atEnd()) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("cellXfs"))
                inCellXfs = 0;
            if (token != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("numFmt")) {
                FFormats.insert(Attr(xml, QLatin1String("numFmtId")).toInt(),
                                DateFormatKind(Attr(xml, QLatin1String("formatCode"))));
            } else if (xml.name() == QLatin1String("cellXfs")) {
                inCellXfs = 1;
            } else if (inCellXfs && xml.name() == QLatin1String("xf")) {
                const int id = Attr(xml, QLatin1String("numFmtId")).toInt();
                FXfKinds << (FFormats.contains(id) ? FFormats.value(id) : BuiltinDateFormatKind(id));
            }
        }
        FPkg.CheckXml(xml);
    }

    void ReadSharedStrings(const QString& part)
    {
        FPkg.Stream(part, [this](QXmlStreamReader& xml) {
            while (!xml.atEnd()) {
                if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("si"))
                    FShared << FCells.AddText(ReadRichText(xml));
            }
        });
    }

    void ReadSheet(QXmlStreamReader& xml)
    {
        qint64 row = -1;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("row")) {
                bool ok = false;
                const qint64 r = Attr(xml, QLatin1String("r")).toLongLong(&ok);
                row = ok && r >= 1 ? r - 1 : row + 1;
                FCol = -1;
            } else if (xml.name() == QLatin1String("c")) {
                ReadCell(xml, std::max<qint64>(row, 0));
            }
        }
    }

    void ReadCell(QXmlStreamReader& xml, qint64 row)
    {
        qint64 r = row, c = FCol + 1;
        const QStringView ref = Attr(xml, QLatin1String("r"));
        if (!ref.isEmpty() && !ParseCellRef(ref, r, c))
            FPkg.Fail(Tr("Import", "a cell has the malformed reference %1").arg(ref.toString()));
        FCol = c;
        const QString type = Attr(xml, QLatin1String("t")).toString();
        const int style = Attr(xml, QLatin1String("s")).toInt();
        QString value;
        bool haveInline = false;
        QString inlineText;
        int depth = 1;
        while (depth > 0 && !xml.atEnd()) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::EndElement) {
                --depth;
            } else if (token == QXmlStreamReader::StartElement) {
                if (xml.name() == QLatin1String("v")) {
                    value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                } else if (xml.name() == QLatin1String("is")) {
                    inlineText = ReadRichText(xml);
                    haveInline = true;
                } else {
                    xml.skipCurrentElement();
                }
            }
        }
        if (type == QLatin1String("s")) {
            bool ok = false;
            const qint64 index = value.trimmed().toLongLong(&ok);
            if (ok && index >= 0 && index < FShared.size())
                FCells.AddCell(r, c, FShared[index]);
        } else if (type == QLatin1String("inlineStr")) {
            FCells.AddCell(r, c, haveInline ? inlineText : value);
        } else if (type == QLatin1String("str")) {
            FCells.AddCell(r, c, UnescapeOoxml(value));
        } else if (type == QLatin1String("b")) {
            if (!value.isEmpty())
                FCells.AddCell(r, c, value.trimmed() == QLatin1String("0") ? QStringLiteral("FALSE")
                                                                            : QStringLiteral("TRUE"));
        } else if (type == QLatin1String("e")) {
            // error values import as empty cells
        } else if (type == QLatin1String("d")) {
            FCells.AddCell(r, c, IsoDateTimeText(value));
        } else if (!value.isEmpty()) {
            bool ok = false;
            const double v = ParseNumber(value, &ok);
            const TDateKind kind = style >= 0 && style < FXfKinds.size() ? FXfKinds[style] : TDateKind::dkNone;
            if (!ok)
                FCells.AddCell(r, c, value);
            else
                FCells.AddCell(r, c, kind == TDateKind::dkNone ? NumberToText(v) : SerialDateToText(v, kind, FDate1904));
        }
    }

    TPackageReader FPkg;
    TSheetCells FCells;
    QList<qint32> FShared;
    QHash<int, TDateKind> FFormats;
    QList<TDateKind> FXfKinds;
    QString FSheetRelId;
    bool FDate1904 = false;
    qint64 FCol = -1;
};

// ---------------------------------------------------------------------------
// OpenDocument

// "PT13H45M00S" (or with days, "P1DT2H0M0S") as "13:45:00"; hours may pass 24.
QString DurationText(QStringView v)
{
    static const QRegularExpression duration(
        QStringLiteral("^-?P(?:(\\d+)D)?T?(?:(\\d+)H)?(?:(\\d+)M)?(?:(\\d+(?:\\.\\d*)?)S)?$"));
    const QRegularExpressionMatch m = duration.match(v.trimmed());
    if (!m.hasMatch())
        return v.toString();
    const double seconds = m.capturedView(1).toDouble() * 86400 + m.capturedView(2).toDouble() * 3600 +
                           m.capturedView(3).toDouble() * 60 + m.capturedView(4).toDouble();
    const qint64 s = std::llround(seconds);
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

class TOdsReader {
public:
    TOdsReader(const QString& fileName) : FPkg(TPackage::Ods, fileName) {}

    void Load(TCellGridWriter& grid)
    {
        const QByteArray mime = FPkg.ReadSmall(QStringLiteral("mimetype")).trimmed();
        if (!mime.isEmpty() && mime != "application/vnd.oasis.opendocument.spreadsheet" &&
            mime != "application/vnd.oasis.opendocument.spreadsheet-template")
            FPkg.Fail(Tr("Import", "it is a different kind of document"));
        FActiveTable = ActiveTableName();
        bool found = false;
        if (!FPkg.Stream(QStringLiteral("content.xml"), [&](QXmlStreamReader& xml) { found = ReadContent(xml); }))
            FPkg.Fail(Tr("Import", "it has no content"));
        if (!found && !FActiveTable.isEmpty()) {
            // The active sheet named in the settings is not there: take the first.
            FActiveTable.clear();
            FPkg.Stream(QStringLiteral("content.xml"), [&](QXmlStreamReader& xml) { found = ReadContent(xml); });
        }
        FCells.WriteTo(grid);
    }

private:
    QString ActiveTableName()
    {
        QXmlStreamReader xml(FPkg.ReadSmall(QStringLiteral("settings.xml")));
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("config-item") &&
                Attr(xml, QLatin1String("name")) == QLatin1String("ActiveTable"))
                return xml.readElementText();
        }
        return QString();  // settings are optional; damaged ones do not matter
    }

    // Reads the wanted table of the content; false when there is none.
    bool ReadContent(QXmlStreamReader& xml)
    {
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("table"))
                continue;
            if (!FActiveTable.isEmpty() && Attr(xml, QLatin1String("name")) != FActiveTable) {
                xml.skipCurrentElement();
                continue;
            }
            ReadTable(xml);
            return true;
        }
        return false;
    }

    void ReadTable(QXmlStreamReader& xml)
    {
        qint64 row = 0;
        int depth = 1;
        while (depth > 0 && !xml.atEnd()) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::EndElement) {
                --depth;
                continue;
            }
            if (token != QXmlStreamReader::StartElement)
                continue;
            const QStringView name = xml.name();
            if (name == QLatin1String("table-row")) {
                const qint64 repeat = RepeatAttr(xml, QLatin1String("number-rows-repeated"));
                ReadRow(xml, row, repeat);
                row += repeat;
            } else if (name == QLatin1String("table-header-rows") || name == QLatin1String("table-row-group") ||
                       name == QLatin1String("table-rows")) {
                ++depth;  // rows inside
            } else {
                xml.skipCurrentElement();  // columns, shapes, sources, nested tables
            }
        }
    }

    void ReadRow(QXmlStreamReader& xml, qint64 row, qint64 rowRepeat)
    {
        qint64 col = 0;
        while (!xml.atEnd()) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::EndElement)
                return;
            if (token != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() != QLatin1String("table-cell") && xml.name() != QLatin1String("covered-table-cell")) {
                xml.skipCurrentElement();
                continue;
            }
            const qint64 repeat = RepeatAttr(xml, QLatin1String("number-columns-repeated"));
            const QString text = ReadCell(xml);
            if (!text.isEmpty())
                FCells.AddCell(row, col, text, rowRepeat, repeat);
            col += repeat;
        }
    }

    QString ReadCell(QXmlStreamReader& xml)
    {
        const QString type = Attr(xml, QLatin1String("value-type")).toString();
        QString value;
        if (type == QLatin1String("float") || type == QLatin1String("percentage")) {
            value = NumberAttrText(Attr(xml, QLatin1String("value")));
        } else if (type == QLatin1String("currency")) {
            bool ok = false;
            const QStringView raw = Attr(xml, QLatin1String("value"));
            const double v = ParseNumber(raw, &ok);
            value = ok ? CurrencyToText(v) : raw.toString();
        } else if (type == QLatin1String("date")) {
            value = IsoDateTimeText(Attr(xml, QLatin1String("date-value")));
        } else if (type == QLatin1String("time")) {
            value = DurationText(Attr(xml, QLatin1String("time-value")));
        } else if (type == QLatin1String("boolean")) {
            const QStringView b = Attr(xml, QLatin1String("boolean-value"));
            value = b == QLatin1String("true") || b == QLatin1String("1") ? QStringLiteral("TRUE")
                                                                           : QStringLiteral("FALSE");
        } else {
            const QStringView s = Attr(xml, QLatin1String("string-value"));
            if (!s.isNull())
                value = s.toString();
        }
        const bool haveValue = !type.isEmpty() && type != QLatin1String("string");
        const bool haveStringValue = !value.isNull();
        QString text = ReadCellText(xml);
        if (haveValue || haveStringValue)
            return value;
        return text;
    }

    // The paragraphs of a cell, joined by line feeds; annotations left out.
    // Text past what a cell may hold is not gathered (the cell is refused).
    QString ReadCellText(QXmlStreamReader& xml)
    {
        QString text;
        auto append = [&text](QStringView more) {
            if (text.size() <= kMaxCellChars)
                text += more.left(kMaxCellChars + 1 - text.size());
        };
        int paragraphs = 0;
        int depth = 1;
        while (depth > 0 && !xml.atEnd()) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::EndElement) {
                --depth;
            } else if (token == QXmlStreamReader::Characters) {
                if (depth > 1)
                    append(xml.text());
            } else if (token == QXmlStreamReader::StartElement) {
                const QStringView name = xml.name();
                const bool paragraph = name == QLatin1String("p") || name == QLatin1String("h");
                // Only paragraphs carry the cell's text; annotations, notes,
                // frames and shapes do not.
                if ((depth == 1 && !paragraph) || name == QLatin1String("note") ||
                    name == QLatin1String("annotation") || name == QLatin1String("frame")) {
                    xml.skipCurrentElement();
                    continue;
                }
                if (paragraph) {
                    if (depth == 1 && paragraphs++ > 0)
                        append(u"\n");
                } else if (name == QLatin1String("s")) {
                    const qint64 n = std::min<qint64>(RepeatAttr(xml, QLatin1String("c")), 1024);
                    append(QString(n, u' '));
                } else if (name == QLatin1String("tab")) {
                    append(u"\t");
                } else if (name == QLatin1String("line-break")) {
                    append(u"\n");
                }
                ++depth;
            }
        }
        return text;
    }

    TPackageReader FPkg;
    TSheetCells FCells;
    QString FActiveTable;
};

#endif  // TAGMORA_HAVE_QUAZIP

}  // namespace

void LoadXlsxSheet(const QString& fileName, TCellGridWriter& grid)
{
#ifdef TAGMORA_HAVE_QUAZIP
    TXlsxReader(fileName).Load(grid);
#else
    Q_UNUSED(grid);
    ThrowUnreadable(TPackage::Xlsx, fileName, Tr("Import", "this program was built without support for it"));
#endif
}

void LoadOdsSheet(const QString& fileName, TCellGridWriter& grid)
{
#ifdef TAGMORA_HAVE_QUAZIP
    TOdsReader(fileName).Load(grid);
#else
    Q_UNUSED(grid);
    ThrowUnreadable(TPackage::Ods, fileName, Tr("Import", "this program was built without support for it"));
#endif
}
