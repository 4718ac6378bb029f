#include "engine/datasheet/DatasheetStream.h"

#include "engine/datasheet/StringGrid.h"
#include "document/StrF.h"
#include "document/SystemText.h"
#include "document/Tr.h"

#include <QCoreApplication>

#include <cstring>
#include <stdexcept>
#include <string>

#include <sys/mman.h>


namespace {

int DigitCount(std::uint32_t v)
{
    int n = 1;
    while (v >= 10) {
        v /= 10;
        ++n;
    }
    return n;
}

char* PutNumber(char* out, std::uint32_t v)
{
    char buf[10];
    int n = 0;
    do {
        buf[n++] = char('0' + v % 10);
        v /= 10;
    } while (v != 0);
    while (n > 0)
        *out++ = buf[--n];
    return out;
}

// Decodes one cell's bytes: UTF-8 blocks are stored as they are.
QString DecodeField(QByteArrayView bytes)
{
    return DecodeWindows1252(bytes.data(), bytes.size());
}

int ToInt(QByteArrayView text, bool utf8)
{
    // Fast path for what the writer produces: up to nine plain digits.
    if (!text.isEmpty() && text.size() <= 9) {
        int v = 0;
        qsizetype i = 0;
        for (; i < text.size(); ++i) {
            const unsigned d = unsigned(static_cast<unsigned char>(text[i])) - '0';
            if (d > 9)
                break;
            v = v * 10 + int(d);
        }
        if (i == text.size())
            return v;
    }
    int v = 0;
    if (!datasheettext::TryStrToInt(text, v)) {
        const QString shown = utf8 ? QString::fromUtf8(text) : DecodeField(text);
        throw EConvertError(datasheettext::InvalidIntegerText(shown));
    }
    return v;
}

// Asks for huge pages on a big fresh buffer: far fewer page faults while it
// is first written.
void HintHugePages(char* p, qsizetype size)
{
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t kHuge = std::uintptr_t(2) << 20;
    if (size < qsizetype(4 * kHuge))
        return;
    const std::uintptr_t b = (reinterpret_cast<std::uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t e = (reinterpret_cast<std::uintptr_t>(p) + std::uintptr_t(size)) & ~(kHuge - 1);
    if (e > b)
        madvise(reinterpret_cast<void*>(b), e - b, MADV_HUGEPAGE);
#else
    Q_UNUSED(p);
    Q_UNUSED(size);
#endif
}

// Plain ASCII is valid UTF-8; checking for it a word at a time is quick.
bool IsAsciiBlock(const char* p, qsizetype n)
{
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        if (w & 0x8080808080808080ull)
            return false;
    }
    for (; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return false;
    return true;
}

[[noreturn]] void ThrowIndex()
{
    throw std::out_of_range("Grid index out of range");
}

[[noreturn]] void ThrowSize(QByteArrayView line, bool utf8)
{
    const QString shown = utf8 ? QString::fromUtf8(line) : DecodeField(line);
    throw std::out_of_range(Tr("DatasheetStream", "Datasheet size out of range: %1").arg(shown).toStdString());
}

}  // namespace

void WriteDatasheetStream(const TAdvStringGrid& grid, QByteArray& out)
{
    const int cols = grid.ColCount();
    const int rows = grid.RowCount();

    // Size the output first so that it is written in one allocation.
    qsizetype size = 2 * 11 + 3;
    for (int c = 0; c < cols; ++c)
        size += 3 + DigitCount(std::uint32_t(c)) + 1 + 11 + 2;
    // Only the cells that hold text are visited: a grid may be vast and
    // nearly empty.
    grid.ForEachCell([&](int c, int r, QByteArrayView v) {
        size += DigitCount(std::uint32_t(c)) + DigitCount(std::uint32_t(r)) + 2 + v.size() + 2;
    });
    const qsizetype start = out.size();
    out.resize(start + size);
    char* const base = out.data() + start;
    HintHugePages(base, size);
    char* p = base;

    p = PutNumber(p, std::uint32_t(cols));
    *p++ = ',';
    p = PutNumber(p, std::uint32_t(rows));
    *p++ = '\r';
    *p++ = '\n';
    for (int c = 0; c < cols; ++c) {
        *p++ = 'c';
        *p++ = 'w';
        *p++ = ' ';
        p = PutNumber(p, std::uint32_t(c));
        *p++ = ',';
        const int w = grid.ColWidth(c);
        if (w < 0) {
            *p++ = '-';
            p = PutNumber(p, std::uint32_t(-std::int64_t(w)));
        } else {
            p = PutNumber(p, std::uint32_t(w));
        }
        *p++ = '\r';
        *p++ = '\n';
    }
    grid.ForEachCell([&p](int c, int r, QByteArrayView v) {
        p = PutNumber(p, std::uint32_t(c));
        *p++ = ',';
        p = PutNumber(p, std::uint32_t(r));
        *p++ = ',';
        std::memcpy(p, v.data(), std::size_t(v.size()));
        if (std::memchr(v.data(), '\r', std::size_t(v.size()))) {
            // Line breaks would end the line: CR travels as TAB, LF as BS.
            for (qsizetype k = 0; k < v.size(); ++k) {
                if (p[k] == '\r')
                    p[k] = '\t';
                else if (p[k] == '\n')
                    p[k] = '\b';
            }
        }
        p += v.size();
        *p++ = '\r';
        *p++ = '\n';
    });
    out.resize(start + (p - base));
}

QByteArray WriteDatasheetStream(const TAdvStringGrid& grid)
{
    QByteArray out;
    WriteDatasheetStream(grid, out);
    return out;
}

qsizetype ReadDatasheetStream(TAdvStringGrid& grid, const QByteArray& block, qsizetype pos)
{
    grid.ClearAll();
    const qsizetype n = block.size();
    if (pos < 0 || pos >= n)
        return std::max<qsizetype>(pos, 0);
    const char* const data = block.constData();
    const bool utf8 = IsAsciiBlock(data + pos, n - pos) || IsValidUtf8(data + pos, n - pos);

    // A line runs up to the next CR; the byte after a CR is skipped unseen.
    auto readLine = [&](qsizetype& at) {
        const qsizetype begin = at;
        const void* cr = std::memchr(data + at, '\r', std::size_t(n - at));
        if (!cr) {
            at = n;
            return QByteArrayView(data + begin, n - begin);
        }
        const qsizetype end = static_cast<const char*>(cr) - data;
        at = std::min(end + 2, n);
        return QByteArrayView(data + begin, end - begin);
    };

    qsizetype at = pos;
    const QByteArrayView first = readLine(at);
    if (!first.isEmpty()) {
        const qsizetype comma = first.indexOf(',');
        const int cols = ToInt(comma < 0 ? QByteArrayView() : first.first(comma), utf8);
        if (cols < 0 || cols > TAdvStringGrid::kMaxColCount)
            ThrowSize(first, utf8);
        grid.SetColCount(cols);
        const int rows = ToInt(first.sliced(comma + 1), utf8);
        if (rows < 0 || rows > TAdvStringGrid::kMaxRowCount)
            ThrowSize(first, utf8);
        grid.SetRowCount(rows);
    }
    const int cols = grid.ColCount();
    const int rows = grid.RowCount();

    std::string unescaped;
    while (at < n) {
        const qsizetype mark = at;
        const QByteArrayView line = readLine(at);
        if (line.size() >= 2 && line[0] == 'c' && line[1] == 'w') {
            const QByteArrayView rest = line.sliced(std::min<qsizetype>(3, line.size()));
            const qsizetype comma = rest.indexOf(',');
            const int index = ToInt(comma < 0 ? QByteArrayView() : rest.first(comma), utf8);
            const int width = ToInt(rest.sliced(comma + 1), utf8);
            if (index < 0 || index >= cols)
                ThrowIndex();
            grid.SetColWidth(index, width);
            continue;
        }
        const qsizetype c1 = line.indexOf(',');
        const qsizetype c2 = c1 < 0 ? -1 : line.indexOf(',', c1 + 1);
        if (c1 <= 0 || c2 < 0 || c2 == c1 + 1) {
            at = mark;  // not a line of this block: leave it to the caller
            break;
        }
        const int col = ToInt(line.first(c1), utf8);
        const int row = ToInt(line.sliced(c1 + 1, c2 - c1 - 1), utf8);
        QByteArrayView text = line.sliced(c2 + 1);
        if (col < 0 || col >= cols || row < 0 || row >= rows)
            continue;
        if (std::memchr(text.data(), '\b', std::size_t(text.size()))) {
            unescaped.assign(text.data(), std::size_t(text.size()));
            for (char& ch : unescaped) {
                if (ch == '\t')
                    ch = '\r';
                else if (ch == '\b')
                    ch = '\n';
            }
            text = QByteArrayView(unescaped.data(), qsizetype(unescaped.size()));
        }
        if (utf8)
            grid.SetCellUtf8(col, row, text);
        else
            grid.SetCell(col, row, DecodeField(text));
    }
    return at;
}
