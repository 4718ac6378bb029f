#include "datasheet/DelimitedText.h"

#include "datasheet/CellGridWriter.h"
#include "datasheet/ImportSupport.h"
#include "document/SystemText.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cstring>
#include <functional>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

constexpr char16_t kCandidates[] = {u',', u';', u'#', u'\t', u'|', u'@', u'*', u'-', u'+', u'&'};
constexpr char16_t kQuote = u'"';
constexpr char16_t kVerticalTab = u'\x0B';

// Occurrences of c where a run of consecutive c counts once when its length
// is odd and not at all when even; a run that ends the line counts once.
int RunCount(QStringView line, char16_t c)
{
    int count = 0;
    const qsizetype n = line.size();
    qsizetype i = line.indexOf(QChar(c));
    while (i >= 0) {
        qsizetype j = i + 1;
        while (j < n && line[j] == c)
            ++j;
        if (j == n || (j - i) % 2 == 1)
            ++count;
        i = j < n ? line.indexOf(QChar(c), j) : -1;
    }
    return count;
}

int PlainCount(QStringView line, char16_t c)
{
    return int(line.count(QChar(c)));
}

// The position of the double quote that closes a quoted field whose text
// starts at body (after the opening quote), or -1: the first quote that ends
// an odd run of quotes and is followed by another character, or a quote that
// is the last character of the line.
qsizetype ClosingQuote(QStringView body)
{
    const qsizetype n = body.size();
    qsizetype i = body.indexOf(QChar(kQuote));
    while (i >= 0) {
        qsizetype j = i + 1;
        while (j < n && body[j] == kQuote)
            ++j;
        if (j == n)
            return n - 1;
        if ((j - i) % 2 == 1)
            return j - 1;
        i = body.indexOf(QChar(kQuote), j);
    }
    return -1;
}

// Splits lines into fields and writes them into one grid row each.
class TLineSplitter {
public:
    TLineSplitter(TCellGridWriter& grid, char16_t delimiter)
        : FGrid(grid), FDelimiter(delimiter), FColCount(grid.ColCount())
    {
    }

    void Split(QStringView line, int row)
    {
        FRow = row;
        FCol = 0;
        FPlain = !line.contains(QChar(kQuote)) && !line.contains(QChar(kVerticalTab));
        QStringView rest = line;
        for (;;) {
            if (!rest.isEmpty() && rest.front() == kQuote) {
                const QStringView body = rest.mid(1);
                const qsizetype close = ClosingQuote(body);
                if (close >= 0) {
                    Put(body.left(close), true);
                    // Text between the closing quote and the next delimiter is
                    // dropped; without a delimiter it is the line's last field.
                    rest = body.mid(close + 1);
                    const qsizetype next = FDelimiter != 0 ? rest.indexOf(QChar(FDelimiter)) : -1;
                    if (next < 0) {
                        if (!rest.isEmpty())
                            Put(rest, false);
                        return;
                    }
                    rest = rest.mid(next + 1);
                    continue;
                }
                // No closing quote: the field is kept as written, quote included.
            }
            const qsizetype next = FDelimiter != 0 ? rest.indexOf(QChar(FDelimiter)) : -1;
            if (next < 0) {
                if (!rest.isEmpty())
                    Put(rest, false);
                return;
            }
            Put(rest.left(next), false);
            rest = rest.mid(next + 1);
        }
    }

private:
    // Writes a field to the next column: in a quoted field quote pairs become
    // one quote (an unquoted field keeps its quotes as written); a vertical
    // tab becomes CR LF.
    void Put(QStringView field, bool quoted)
    {
        if (!FPlain && ((quoted && field.contains(QChar(kQuote))) || field.contains(QChar(kVerticalTab)))) {
            FScratch.clear();
            for (qsizetype i = 0; i < field.size(); ++i) {
                const char16_t c = field[i].unicode();
                if (c == kQuote && quoted) {
                    if (i + 1 < field.size() && field[i + 1] == kQuote) {
                        FScratch.push_back(kQuote);
                        ++i;
                    }
                } else if (c == kVerticalTab) {
                    FScratch.push_back(u'\r');
                    FScratch.push_back(u'\n');
                } else {
                    FScratch.push_back(c);
                }
            }
            field = QStringView(FScratch.data(), qsizetype(FScratch.size()));
        }
        if (FCol >= FColCount) {
            FColCount = FCol + 1;
            FGrid.SetColCount(FColCount);
        }
        FGrid.SetCell(FCol++, FRow, field);
    }

    TCellGridWriter& FGrid;
    const char16_t FDelimiter;
    int FColCount;
    int FRow = 0;
    int FCol = 0;
    bool FPlain = true;
    std::vector<char16_t> FScratch;
};

// Walks the lines of a text; a line ends with LF, CR LF or CR.
template <typename Ch>
class TLineWalker {
public:
    TLineWalker(const Ch* data, qsizetype size, qsizetype start = 0) : FData(data), FSize(size), FPos(start) {}

    // The next line as [start, start + length); false at the end of the text.
    bool Next(qsizetype& start, qsizetype& length)
    {
        if (FPos >= FSize)
            return false;
        if (FNextLf < FPos)
            FNextLf = Find(Ch('\n'), FPos);
        if (FNextCr < FPos)
            FNextCr = Find(Ch('\r'), FPos);
        const qsizetype end = std::min(FNextLf, FNextCr);
        start = FPos;
        length = end - FPos;
        if (end == FSize)
            FPos = FSize;
        else if (end == FNextCr && FNextLf == end + 1)
            FPos = end + 2;
        else
            FPos = end + 1;
        return true;
    }

    qsizetype Position() const { return FPos; }

private:
    qsizetype Find(Ch c, qsizetype from) const
    {
        if constexpr (sizeof(Ch) == 1) {
            const void* p = std::memchr(FData + from, c, size_t(FSize - from));
            return p ? static_cast<const Ch*>(p) - FData : FSize;
        } else {
            const qsizetype i = QStringView(FData + from, FSize - from).indexOf(QChar(c));
            return i < 0 ? FSize : from + i;
        }
    }

    const Ch* FData;
    qsizetype FSize;
    qsizetype FPos;
    qsizetype FNextLf = -1;
    qsizetype FNextCr = -1;
};

// Records: a quoted field may hold line breaks. A line that ends inside a
// quoted field is joined with the following lines until the field closes, as
// long as that happens within kMaxJoinLines lines and kMaxJoinChars
// characters; otherwise the line stands alone, as every line does otherwise.
constexpr int kMaxJoinLines = 64;
constexpr qsizetype kMaxJoinChars = 64 * 1024;

// The closing quote of a quoted field body (same rule as ClosingQuote).
template <typename Ch>
qsizetype ClosingQuoteIn(const Ch* body, qsizetype n)
{
    qsizetype i = 0;
    while (i < n && body[i] != Ch('"'))
        ++i;
    while (i < n) {
        qsizetype j = i + 1;
        while (j < n && body[j] == Ch('"'))
            ++j;
        if (j == n)
            return n - 1;
        if ((j - i) % 2 == 1)
            return j - 1;
        i = j;
        while (i < n && body[i] != Ch('"'))
            ++i;
    }
    return -1;
}

template <typename Ch>
qsizetype FindFrom(const Ch* s, qsizetype from, qsizetype n, Ch c)
{
    for (qsizetype i = from; i < n; ++i)
        if (s[i] == c)
            return i;
    return -1;
}

// Walks the fields of one physical line the way the splitter does and tells
// whether the record ends inside a quoted field; inQuotes says whether the
// record already was inside one when this line began.
template <typename Ch>
bool EndsInsideQuotes(const Ch* s, qsizetype n, Ch delimiter, bool inQuotes)
{
    qsizetype i = 0;
    for (;;) {
        if (inQuotes) {
            const qsizetype close = ClosingQuoteIn(s + i, n - i);
            if (close < 0)
                return true;
            // Text between the closing quote and the next delimiter is dropped.
            const qsizetype d = FindFrom(s, i + close + 1, n, delimiter);
            if (d < 0)
                return false;
            i = d + 1;
            inQuotes = false;
        }
        if (i < n && s[i] == Ch('"')) {
            inQuotes = true;
            ++i;
            continue;
        }
        const qsizetype d = FindFrom(s, i, n, delimiter);
        if (d < 0)
            return false;
        i = d + 1;
    }
}

template <typename Ch>
bool HasQuote(const Ch* s, qsizetype n)
{
    if constexpr (sizeof(Ch) == 1)
        return std::memchr(s, '"', size_t(n)) != nullptr;
    else
        return FindFrom(s, 0, n, Ch('"')) >= 0;
}

// Walks the records of a text: [start, end) covers one line, or several lines
// when a quoted field spans them (lines > 1).
template <typename Ch>
class TRecordWalker {
public:
    TRecordWalker(const Ch* data, qsizetype size, qsizetype begin, char16_t delimiter)
        : FData(data), FLines(data, size, begin), FDelimiter(Ch(delimiter))
    {
    }

    bool Next(qsizetype& start, qsizetype& end, int& lines)
    {
        qsizetype length;
        if (!FLines.Next(start, length))
            return false;
        end = start + length;
        lines = 1;
        if (FDelimiter == Ch(0) || !HasQuote(FData + start, length) ||
            !EndsInsideQuotes(FData + start, length, FDelimiter, false))
            return true;
        TLineWalker<Ch> probe = FLines;
        qsizetype s2, l2;
        for (int k = 1; k < kMaxJoinLines && probe.Next(s2, l2); ++k) {
            if (s2 + l2 - start > kMaxJoinChars)
                break;
            if (!EndsInsideQuotes(FData + s2, l2, FDelimiter, true)) {
                FLines = probe;
                end = s2 + l2;
                lines = k + 1;
                return true;
            }
        }
        return true;  // never closed: the line stands alone
    }

    qsizetype Position() const { return FLines.Position(); }

private:
    const Ch* FData;
    TLineWalker<Ch> FLines;
    Ch FDelimiter;
};

// A record of several lines as one text whose line breaks are CR LF.
QString JoinRecordLines(QStringView text)
{
    QString joined;
    joined.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            joined += QStringLiteral("\r\n");
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            joined += c;
        }
    }
    return joined;
}

// How a window of processed bytes can be handed back (to drop file pages).
using TReleaseFn = std::function<void(qsizetype upTo)>;
constexpr qsizetype kWindow = qsizetype(8) << 20;

enum class TByteEncoding { Utf8, Windows1252 };

// Turns the bytes of one line into text, reusing its buffer.
class TLineDecoder {
public:
    explicit TLineDecoder(TByteEncoding encoding)
        : FEncoding(encoding), FUtf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless)
    {
    }

    QStringView Decode(const char* bytes, qsizetype size)
    {
        if (FEncoding == TByteEncoding::Windows1252) {
            FOwned = DecodeWindows1252(bytes, size);
            return FOwned;
        }
        const size_t need = size_t(FUtf8.requiredSpace(size)) + 1;
        if (FBuffer.size() < need)
            FBuffer.resize(need);
        QChar* end = FUtf8.appendToBuffer(FBuffer.data(), QByteArrayView(bytes, size));
        return QStringView(FBuffer.data(), end - FBuffer.data());
    }

private:
    TByteEncoding FEncoding;
    QStringDecoder FUtf8;
    std::vector<QChar> FBuffer;
    QString FOwned;
};

[[noreturn]] void ThrowNothingToImport()
{
    ThrowImportError(QStringLiteral("There is nothing to import: the file holds no text."));
}

[[noreturn]] void ThrowBinary()
{
    ThrowImportError(QStringLiteral("The file is not a text file (it holds NUL bytes); nothing was imported."));
}

[[noreturn]] void ThrowTooManyLines()
{
    ThrowImportError(QStringLiteral("The file has too many lines to import."));
}

int RowsFor(qint64 lines)
{
    if (lines >= INT_MAX)
        ThrowTooManyLines();
    return int(std::max<qint64>(lines, 1));
}

void PrepareRows(TCellGridWriter& grid, int rows)
{
    if (grid.RowCount() < rows)
        grid.SetRowCount(rows);
}

void FinishRows(TCellGridWriter& grid, int rows)
{
    if (grid.RowCount() != rows)
        grid.SetRowCount(rows);
}

// Reads UTF-16 text (already decoded, no byte-order mark).
void ReadText(QStringView text, TCellGridWriter& grid)
{
    const char16_t* data = text.utf16();
    qsizetype start, length, end;
    QStringView first, second;
    TLineWalker<char16_t> head(data, text.size());
    if (head.Next(start, length))
        first = text.mid(start, length);
    if (head.Next(start, length))
        second = text.mid(start, length);
    const char16_t delimiter = DetectDelimiter(first, second);
    TLineSplitter splitter(grid, delimiter);

    qint64 records = 0;
    int lines;
    TRecordWalker<char16_t> counter(data, text.size(), 0, delimiter);
    while (counter.Next(start, end, lines))
        ++records;
    const int rows = RowsFor(records);

    TRecordWalker<char16_t> walker(data, text.size(), 0, delimiter);
    int row = 0;
    while (walker.Next(start, end, lines)) {
        if (row <= 1)
            PrepareRows(grid, row == 1 ? rows : 1);
        const QStringView record = text.mid(start, end - start);
        if (lines > 1)
            splitter.Split(JoinRecordLines(record), row++);
        else
            splitter.Split(record, row++);
    }
    FinishRows(grid, rows);
}

// Reads 8-bit text: UTF-8 or, when it is not valid UTF-8, Windows-1252.
void ReadBytes(const char* data, qsizetype size, TCellGridWriter& grid, const TReleaseFn& release)
{
    qsizetype begin = 0;
    bool utf8 = true;
    if (size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0)
        begin = 3;  // the byte-order mark declares UTF-8; bad sequences become U+FFFD

    // The candidate delimiters are ASCII, which both encodings keep as they
    // are, so the first two lines choose the delimiter before decoding.
    qsizetype start, length, end;
    QString first, second;
    TLineWalker<char> head(data, size, begin);
    if (head.Next(start, length))
        first = QString::fromLatin1(data + start, length);
    if (head.Next(start, length))
        second = QString::fromLatin1(data + start, length);
    const char16_t delimiter = DetectDelimiter(first, second);
    TLineSplitter splitter(grid, delimiter);

    // First pass: count the records and check the encoding, window by window
    // (a window ends at a line end, so no character is cut).
    qint64 records = 0;
    int lines;
    qsizetype checkedUpTo = begin;
    TRecordWalker<char> counter(data, size, begin, delimiter);
    while (counter.Next(start, end, lines)) {
        ++records;
        const qsizetype pos = counter.Position();
        if (pos - checkedUpTo >= kWindow || pos == size) {
            if (std::memchr(data + checkedUpTo, 0, size_t(pos - checkedUpTo)))
                ThrowBinary();
            if (utf8 && begin == 0 && !IsValidUtf8(data + checkedUpTo, pos - checkedUpTo))
                utf8 = false;
            checkedUpTo = pos;
            if (release)
                release(pos);
        }
    }
    const int rows = RowsFor(records);
    TLineDecoder decoder(utf8 ? TByteEncoding::Utf8 : TByteEncoding::Windows1252);

    TRecordWalker<char> walker(data, size, begin, delimiter);
    qsizetype releasedUpTo = begin;
    int row = 0;
    while (walker.Next(start, end, lines)) {
        // The first line sets the columns while the grid is still small.
        if (row <= 1)
            PrepareRows(grid, row == 1 ? rows : 1);
        const QStringView record = decoder.Decode(data + start, end - start);
        if (lines > 1)
            splitter.Split(JoinRecordLines(record), row++);
        else
            splitter.Split(record, row++);
        if (release && walker.Position() - releasedUpTo >= kWindow) {
            releasedUpTo = walker.Position();
            release(releasedUpTo);
        }
    }
    FinishRows(grid, rows);
}

bool OnlyBlanks(const char* data, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i) {
        const char c = data[i];
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\f' && c != '\v')
            return false;
    }
    return true;
}

enum class TNulPattern { None, Utf16LE, Utf16BE, Other };

// Text in UTF-16 without a byte-order mark shows itself by its NUL bytes: the
// high bytes of ASCII characters, all on odd offsets (little endian) or all on
// even ones (big endian). NUL bytes in any other pattern mean binary data.
TNulPattern NulPattern(const char* data, qsizetype size)
{
    const qsizetype n = std::min<qsizetype>(size, 64 * 1024);
    qsizetype even = 0, odd = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (data[i] == 0)
            ++((i & 1) ? odd : even);
    }
    if (even + odd == 0)
        return TNulPattern::None;
    const qsizetype pairs = std::max<qsizetype>(n / 2, 1);
    if (size % 2 == 0 && odd * 8 >= pairs && even * 10 <= odd)
        return TNulPattern::Utf16LE;
    if (size % 2 == 0 && even * 8 >= pairs && odd * 10 <= even)
        return TNulPattern::Utf16BE;
    return TNulPattern::Other;
}

void ReadUtf16(const char* data, qsizetype size, bool littleEndian, TCellGridWriter& grid, const TReleaseFn& release)
{
    QStringDecoder decoder(littleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                           QStringDecoder::Flag::Stateless);
    const QString text = decoder(QByteArrayView(data, size));
    if (release)
        release(size);
    if (text.trimmed().isEmpty())
        ThrowNothingToImport();
    if (text.contains(QChar(0)))
        ThrowBinary();
    ReadText(text, grid);
}

void ReadAny(const char* data, qsizetype size, TCellGridWriter& grid, const TReleaseFn& release)
{
    if (size >= 2) {
        const auto b0 = static_cast<unsigned char>(data[0]), b1 = static_cast<unsigned char>(data[1]);
        if ((b0 == 0xFF && b1 == 0xFE) || (b0 == 0xFE && b1 == 0xFF))
            return ReadUtf16(data + 2, size - 2, b0 == 0xFF, grid, release);
    }
    switch (NulPattern(data, size)) {
    case TNulPattern::Utf16LE: return ReadUtf16(data, size, true, grid, release);
    case TNulPattern::Utf16BE: return ReadUtf16(data, size, false, grid, release);
    case TNulPattern::Other: ThrowBinary();
    case TNulPattern::None: break;
    }
    const qsizetype begin = size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
    if (OnlyBlanks(data + begin, size - begin))
        ThrowNothingToImport();
    ReadBytes(data, size, grid, release);
}

}  // namespace

char16_t DetectDelimiter(QStringView firstLine, QStringView secondLine)
{
    for (int (*count)(QStringView, char16_t) : {RunCount, PlainCount}) {
        char16_t found = 0;
        int best = 0;
        for (char16_t c : kCandidates) {
            const int a = count(firstLine, c);
            if (a > best && a == count(secondLine, c)) {
                best = a;
                found = c;
            }
        }
        if (found)
            return found;
    }
    char16_t found = 0;
    int best = 0;
    for (char16_t c : kCandidates) {
        const int a = std::max(PlainCount(firstLine, c), PlainCount(secondLine, c));
        if (a > best) {
            best = a;
            found = c;
        }
    }
    return found;
}

void LoadDelimitedTextBytes(const char* data, qsizetype size, TCellGridWriter& grid)
{
    ReadAny(data, size, grid, TReleaseFn());
}

void LoadDelimitedText(const QString& fileName, TCellGridWriter& grid)
{
    // Only regular files: a device or a pipe could be endless.
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly))
        ThrowImportError(QStringLiteral("Cannot open file ") + fileName);
    const qint64 size = file.size();
    uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
    if (!mapped) {
        // Not mappable (empty, or mapping refused): read it whole.
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            ThrowImportError(QStringLiteral("Cannot open file ") + fileName);
        ReadAny(bytes.constData(), bytes.size(), grid, TReleaseFn());
        return;
    }
    struct TUnmap {
        QFile& file;
        uchar* mapped;
        ~TUnmap() { file.unmap(mapped); }
    } unmap{file, mapped};

    // Pages already read are handed back, so the file does not stay in
    // memory beside the datasheet it fills.
    TReleaseFn release;
#ifdef Q_OS_UNIX
    const qsizetype page = qsizetype(sysconf(_SC_PAGESIZE));
    release = [mapped, page](qsizetype upTo) {
        const qsizetype length = upTo / page * page;
        if (length > 0)
            madvise(mapped, size_t(length), MADV_DONTNEED);
    };
#endif
    ReadAny(reinterpret_cast<const char*>(mapped), qsizetype(size), grid, release);
}
