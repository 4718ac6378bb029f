#include "engine/datasheet/DelimitedText.h"

#include "engine/datasheet/CellGridWriter.h"
#include "engine/datasheet/ImportSupport.h"
#include "engine/datasheet/StringGrid.h"
#include "document/SystemText.h"
#include "document/Tr.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
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

// The longest line a delimited text may have (bytes, or UTF-16 characters):
// a longer one is refused as soon as it shows, before it is read whole.
constexpr qsizetype kMaxLine = qsizetype(1) << 20;

[[noreturn]] void ThrowLongLine(qint64 line)
{
    ThrowImportError(
        Tr("Import", "Line %1 is too long to import (a line may hold at most %2 MB).").arg(line).arg(kMaxLine >> 20));
}

[[noreturn]] void ThrowTooManyLines()
{
    ThrowImportError(Tr("Import", "The file has too many lines to import (at most %1).").arg(kMaxImportCells));
}

// Splits records into fields and writes them into one grid row each, keeping
// count of what the import brings.
class TLineSplitter {
public:
    TLineSplitter(TCellGridWriter& grid, char16_t delimiter)
        : FGrid(grid), FDelimiter(delimiter), FColCount(grid.ColCount())
    {
    }

    // Splits a record that begins on line `line` of the file into row `row`.
    void Split(QStringView record, int row, qint64 line)
    {
        FRow = row;
        FLine = line;
        FCol = 0;
        FPlain = !record.contains(QChar(kQuote)) && !record.contains(QChar(kVerticalTab));
        // No field of a shorter line can be too long, vertical tabs doubled.
        FLongLine = record.size() > kMaxCellChars / 2;
        SplitFields(record);
        // A line counts one cell at least: empty lines make rows too. Its
        // text counts in full, delimiters included.
        FCells += std::max(FCol, 1);
        FChars += record.size();
        if (FCells > kMaxImportCells || FChars > kMaxSheetHeldChars)
            ThrowTooMuch();
    }

private:
    [[noreturn]] void ThrowTooMuch() const
    {
        if (FCells > kMaxImportCells)
            ThrowImportError(Tr("Import", "The file is too large to import: up to line %1 it holds more than %2 cells.")
                                 .arg(FLine)
                                 .arg(kMaxImportCells));
        ThrowImportError(Tr("Import",
                            "The file is too large to import: up to line %1 its lines hold more than %2 "
                            "million characters.")
                             .arg(FLine)
                             .arg(kMaxSheetHeldChars / 1000000));
    }

    [[noreturn]] void ThrowFieldTooLarge() const
    {
        if (FCol >= kMaxSheetCols)
            ThrowImportError(Tr("Import", "Line %1 has more fields than a datasheet has columns (at most %2).")
                                 .arg(FLine)
                                 .arg(kMaxSheetCols));
        ThrowImportError(
            Tr("Import", "Field %1 of line %2 is too long to import (a cell may hold at most %3 characters).")
                .arg(FCol + 1)
                .arg(FLine)
                .arg(kMaxCellChars));
    }

    void SplitFields(QStringView rest)
    {
        for (;;) {
            if (!rest.isEmpty() && rest.front() == kQuote) {
                const QStringView body = rest.mid(1);
                const qsizetype close = ClosingQuote(body);
                if (close >= 0) {
                    // Text between the closing quote and the next delimiter
                    // stays in the field, as spreadsheet programs keep it.
                    rest = body.mid(close + 1);
                    const qsizetype next = FDelimiter != 0 ? rest.indexOf(QChar(FDelimiter)) : -1;
                    Put(body.left(close), true, next < 0 ? rest : rest.left(next));
                    if (next < 0)
                        return;
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

    // Writes a field to the next column: its text, then what followed its
    // closing quote. In a quoted text quote pairs become one quote (an
    // unquoted one keeps its quotes as written); a vertical tab becomes CR LF.
    void Put(QStringView field, bool quoted, QStringView tail = QStringView())
    {
        if (!FPlain && (!tail.isEmpty() || (quoted && field.contains(QChar(kQuote))) ||
                        field.contains(QChar(kVerticalTab)))) {
            FScratch.clear();
            Append(field, quoted);
            Append(tail, false);
            field = QStringView(FScratch.data(), qsizetype(FScratch.size()));
        }
        if (FLongLine && field.size() > kMaxCellChars)
            ThrowFieldTooLarge();
        if (FCol >= FColCount) {
            if (FCol >= kMaxSheetCols)
                ThrowFieldTooLarge();
            FColCount = FCol + 1;
            FGrid.SetColCount(FColCount);
        }
        FGrid.SetCell(FCol++, FRow, field);
    }

    void Append(QStringView text, bool quoted)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            if (c == kQuote && quoted) {
                if (i + 1 < text.size() && text[i + 1] == kQuote) {
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
    }

    TCellGridWriter& FGrid;
    const char16_t FDelimiter;
    int FColCount;
    int FRow = 0;
    int FCol = 0;
    qint64 FLine = 0;
    bool FPlain = true;
    bool FLongLine = false;
    qint64 FCells = 0;
    qint64 FChars = 0;
    std::vector<char16_t> FScratch;
};

// Walks the lines of a text; a line ends with LF, CR LF or CR. A line longer
// than kMaxLine is refused when the walk reaches it.
template <typename Ch>
class TLineWalker {
public:
    TLineWalker(const Ch* data, qsizetype size, qsizetype start = 0) : FData(data), FSize(size), FPos(start) {}

    // The next line as [start, start + length); false at the end of the text.
    // (Inlined: it runs once or twice for every line of a file.)
    Q_ALWAYS_INLINE bool Next(qsizetype& start, qsizetype& length)
    {
        if (FPos >= FSize)
            return false;
        ++FLine;
        if (FLf.at < FPos)
            Search(FLf, FPos);
        if (FCr.at < FPos)
            Search(FCr, FPos);
        TScan* first = FLf.at <= FCr.at ? &FLf : &FCr;
        // A search that found nothing ended short of a line's length from
        // here: it goes on from where it stopped.
        while (!first->hit && first->at < FSize && first->at - FPos <= kMaxLine) {
            Search(*first, first->at);
            first = FLf.at <= FCr.at ? &FLf : &FCr;
        }
        const qsizetype end = first->at;
        if (end - FPos > kMaxLine)
            ThrowLongLine(FLine);
        start = FPos;
        length = end - FPos;
        if (end == FSize)
            FPos = FSize;
        else if (first == &FCr && end + 1 < FSize && FData[end + 1] == Ch('\n'))
            FPos = end + 2;
        else
            FPos = end + 1;
        return true;
    }

    qsizetype Position() const { return FPos; }
    // Lines walked so far: the number of the line Next gave last.
    qint64 Line() const { return FLine; }

private:
    // Where the search for one line-end character got: the character's
    // position (hit), or the end of the range searched in vain.
    struct TScan {
        Ch c;
        qsizetype at = -1;
        bool hit = false;
    };

    // Searches a line's length from `from` on. A file without one of the
    // line-end characters costs one pass for it, and no search reads far
    // past the end of a long line.
    void Search(TScan& scan, qsizetype from) const
    {
        const qsizetype to = std::min(FSize, from + kMaxLine + 1);
        const qsizetype i = Find(scan.c, from, to);
        scan.hit = i >= 0;
        scan.at = i >= 0 ? i : to;
    }

    qsizetype Find(Ch c, qsizetype from, qsizetype to) const
    {
        if constexpr (sizeof(Ch) == 1) {
            const void* p = std::memchr(FData + from, c, size_t(to - from));
            return p ? static_cast<const Ch*>(p) - FData : -1;
        } else {
            const qsizetype i = QStringView(FData + from, to - from).indexOf(QChar(c));
            return i < 0 ? -1 : from + i;
        }
    }

    const Ch* FData;
    qsizetype FSize;
    qsizetype FPos;
    qint64 FLine = 0;
    TScan FLf{Ch('\n')};
    TScan FCr{Ch('\r')};
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
            // Text between the closing quote and the next delimiter stays in the field.
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

    Q_ALWAYS_INLINE bool Next(qsizetype& start, qsizetype& end, int& lines)
    {
        qsizetype length;
        if (!FLines.Next(start, length))
            return false;
        end = start + length;
        lines = 1;
        if (FDelimiter != Ch(0) && HasQuote(FData + start, length) &&
            EndsInsideQuotes(FData + start, length, FDelimiter, false))
            JoinQuotedLines(start, end, lines);
        return true;
    }

    qsizetype Position() const { return FLines.Position(); }
    // The number of the last line of the record Next gave last.
    qint64 Line() const { return FLines.Line(); }

private:
    // The record starting at `start` ends inside a quoted field: it takes the
    // following lines up to the one that closes it, if one does soon enough;
    // otherwise the line stands alone.
    Q_NEVER_INLINE void JoinQuotedLines(qsizetype start, qsizetype& end, int& lines)
    {
        TLineWalker<Ch> probe = FLines;
        qsizetype s2, l2;
        for (int k = 1; k < kMaxJoinLines && probe.Next(s2, l2); ++k) {
            if (s2 + l2 - start > kMaxJoinChars)
                return;
            if (!EndsInsideQuotes(FData + s2, l2, FDelimiter, true)) {
                FLines = probe;
                end = s2 + l2;
                lines = k + 1;
                return;
            }
        }
    }

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

// Turns the bytes of one record into text, reusing its buffer: UTF-8, or -
// in a file that is not UTF-8 throughout - each record in the encoding it
// fits, UTF-8 or Windows-1252.
class TLineDecoder {
public:
    explicit TLineDecoder(bool wholeFileUtf8)
        : FPerLine(!wholeFileUtf8), FUtf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless)
    {
    }

    QStringView Decode(const char* bytes, qsizetype size)
    {
        if (FPerLine && !IsValidUtf8(bytes, size)) {
            FSawWindows1252 = true;
            FOwned = DecodeWindows1252(bytes, size);
            return FOwned;
        }
        if (FPerLine && !FSawUtf8)
            FSawUtf8 = std::any_of(bytes, bytes + size, [](char c) { return (c & 0x80) != 0; });
        const size_t need = size_t(FUtf8.requiredSpace(size)) + 1;
        if (FBuffer.size() < need)
            FBuffer.resize(need);
        QChar* end = FUtf8.appendToBuffer(FBuffer.data(), QByteArrayView(bytes, size));
        return QStringView(FBuffer.data(), end - FBuffer.data());
    }

    // True when some records were UTF-8 beyond ASCII and others Windows-1252.
    bool Mixed() const { return FSawUtf8 && FSawWindows1252; }

private:
    bool FPerLine;
    bool FSawUtf8 = false;
    bool FSawWindows1252 = false;
    QStringDecoder FUtf8;
    std::vector<QChar> FBuffer;
    QString FOwned;
};

// What reading a text found out besides its cells.
struct TTextFacts {
    bool mixedEncodings = false;
};

[[noreturn]] void ThrowBinary()
{
    ThrowImportError(Tr("Import", "The file is not a text file (it holds NUL bytes); nothing was imported."));
}

int RowsFor(qint64 records)
{
    return int(std::max<qint64>(records, 1));
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

// Splits every record into its row; `decode` gives a record's text.
template <typename Ch, typename Decode>
void SplitRecords(const Ch* data, qsizetype size, qsizetype begin, char16_t delimiter, int rows,
                  TCellGridWriter& grid, Decode&& decode)
{
    TLineSplitter splitter(grid, delimiter);
    TRecordWalker<Ch> walker(data, size, begin, delimiter);
    qsizetype start, end;
    int lines;
    int row = 0;
    while (walker.Next(start, end, lines)) {
        // The first line sets the columns while the grid is still small.
        if (row <= 1)
            PrepareRows(grid, row == 1 ? rows : 1);
        const QStringView record = decode(start, end);
        const qint64 line = walker.Line() - lines + 1;
        if (lines > 1)
            splitter.Split(JoinRecordLines(record), row++, line);
        else
            splitter.Split(record, row++, line);
    }
    FinishRows(grid, rows);
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

    qint64 records = 0;
    int lines;
    TRecordWalker<char16_t> counter(data, text.size(), 0, delimiter);
    while (counter.Next(start, end, lines))
        if (++records > kMaxImportCells)
            ThrowTooManyLines();
    SplitRecords(data, text.size(), 0, delimiter, RowsFor(records), grid,
                 [&](qsizetype from, qsizetype to) { return text.mid(from, to - from); });
}

// Reads 8-bit text: UTF-8 or, when it is not valid UTF-8, each line as UTF-8
// or Windows-1252, whichever it fits.
TTextFacts ReadBytes(const char* data, qsizetype size, TCellGridWriter& grid, const TReleaseFn& release)
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

    // First pass: count the records and check the encoding, window by window
    // (a window ends at a line end, so no character is cut).
    qint64 records = 0;
    int lines;
    qsizetype checkedUpTo = begin;
    TRecordWalker<char> counter(data, size, begin, delimiter);
    while (counter.Next(start, end, lines)) {
        if (++records > kMaxImportCells)
            ThrowTooManyLines();
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

    TLineDecoder decoder(utf8);
    qsizetype releasedUpTo = begin;
    SplitRecords(data, size, begin, delimiter, RowsFor(records), grid, [&](qsizetype from, qsizetype to) {
        // Pages already read are handed back as the walk leaves them.
        if (release && from - releasedUpTo >= kWindow) {
            releasedUpTo = from;
            release(releasedUpTo);
        }
        return decoder.Decode(data + from, to - from);
    });
    return {decoder.Mixed()};
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

// UTF-16 text is decoded whole before its lines are walked: a file with more
// characters than its fields, delimiters and line ends could hold within the
// import's limits is refused before that.
constexpr qint64 kMaxUtf16Chars = kMaxSheetHeldChars + 2 * kMaxImportCells;

void ReadUtf16(const char* data, qsizetype size, bool littleEndian, TCellGridWriter& grid, const TReleaseFn& release)
{
    if (size / 2 > kMaxUtf16Chars)
        ThrowImportError(Tr("Import",
                            "The file is too large to import: it holds more than %1 million characters of UTF-16 "
                            "text.")
                             .arg(kMaxUtf16Chars / 1000000));
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

TTextFacts ReadAny(const char* data, qsizetype size, TCellGridWriter& grid, const TReleaseFn& release)
{
    if (size >= 2) {
        const auto b0 = static_cast<unsigned char>(data[0]), b1 = static_cast<unsigned char>(data[1]);
        if ((b0 == 0xFF && b1 == 0xFE) || (b0 == 0xFE && b1 == 0xFF)) {
            ReadUtf16(data + 2, size - 2, b0 == 0xFF, grid, release);
            return {};
        }
    }
    switch (NulPattern(data, size)) {
    case TNulPattern::Utf16LE: ReadUtf16(data, size, true, grid, release); return {};
    case TNulPattern::Utf16BE: ReadUtf16(data, size, false, grid, release); return {};
    case TNulPattern::Other: ThrowBinary();
    case TNulPattern::None: break;
    }
    const qsizetype begin = size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
    if (OnlyBlanks(data + begin, size - begin))
        ThrowNothingToImport();
    return ReadBytes(data, size, grid, release);
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
        ThrowImportError(Tr("Import", "Cannot open file %1").arg(fileName));
    const qint64 size = file.size();
    uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
    TTextFacts facts;
    if (!mapped) {
        // Not mappable (empty, or mapping refused): read it whole.
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            ThrowImportError(Tr("Import", "Cannot open file %1").arg(fileName));
        facts = ReadAny(bytes.constData(), bytes.size(), grid, TReleaseFn());
    } else {
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
        facts = ReadAny(reinterpret_cast<const char*>(mapped), qsizetype(size), grid, release);
    }
    if (facts.mixedEncodings)
        ImportWarning(Tr("Import",
                         "The file %1 mixes UTF-8 and Windows-1252 text; each line was read in the encoding it "
                         "fits. Check the imported text.")
                          .arg(QFileInfo(fileName).fileName()));
}

void AppendCsvField(QByteArray& out, QByteArrayView cell, bool quoteBlankEnds)
{
    const bool quote = cell.contains(',') || cell.contains('"') || cell.contains('\n') || cell.contains('\r') ||
                       (quoteBlankEnds && !cell.isEmpty() && (cell.front() == ' ' || cell.back() == ' '));
    if (!quote) {
        out += cell;
        return;
    }
    out += '"';
    for (char c : cell) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void AppendCsvRow(QByteArray& out, const TAdvStringGrid& grid, int row, bool quoteBlankEnds)
{
    for (int c = 1; c < grid.ColCount(); ++c) {
        if (c > 1)
            out += ',';
        AppendCsvField(out, grid.CellUtf8(c, row), quoteBlankEnds);
    }
    out += "\r\n";
}
