#include "engine/datasheet/StringGrid.h"

#include "engine/datasheet/GridSort.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <stdexcept>

#include <sys/mman.h>

namespace gridstore {

// Append-only store of cell texts. Offsets are 32-bit and virtual: the space is
// cut into 4 MB slots and every block of memory starts at a slot boundary, so
// blocks never move and a text never straddles two blocks.
class TTextArena {
public:
    static constexpr int kSlotBits = 22;
    static constexpr std::uint64_t kSlotSize = std::uint64_t(1) << kSlotBits;
    static constexpr std::uint64_t kSlotMask = kSlotSize - 1;
    static constexpr std::size_t kMaxSlots = std::size_t(1) << (32 - kSlotBits);

    const char* Data(std::uint32_t off) const { return FSlotBase[off >> kSlotBits] + (off & kSlotMask); }

    // Room for up to maxLen bytes at the end; nullptr when the arena is full.
    char* Reserve(std::size_t maxLen)
    {
        if (maxLen <= FFree)
            return FCur;
        std::size_t cap = FBlocks.empty() ? std::size_t(64) * 1024 : FBlocks.size() == 1 ? std::size_t(1) << 20 : kSlotSize;
        if (maxLen > cap)
            cap = std::size_t((maxLen + kSlotMask) & ~kSlotMask);
        const std::size_t slots = std::size_t((cap + kSlotMask) >> kSlotBits);
        if (FSlotBase.size() + slots > kMaxSlots)
            return nullptr;
        TBlock block(AllocateBlock(cap));
        if (!block)
            throw std::bad_alloc();
        char* base = block.get();
        FTop = std::uint64_t(FSlotBase.size()) << kSlotBits;
        for (std::size_t s = 0; s < slots; ++s)
            FSlotBase.push_back(base + s * kSlotSize);
        FBlocks.push_back(std::move(block));
        FCur = base;
        FFree = cap;
        FAllocated += cap;
        return FCur;
    }

    // Takes len bytes of the reserved room; returns their offset.
    std::uint32_t Commit(std::size_t len)
    {
        const auto off = std::uint32_t(FTop);
        FCur += len;
        FFree -= len;
        FTop += len;
        FUsed += len;
        return off;
    }

    std::uint64_t Used() const { return FUsed; }
    std::size_t Allocated() const { return FAllocated; }

private:
    struct TFree {
        void operator()(char* p) const { std::free(p); }
    };
    using TBlock = std::unique_ptr<char, TFree>;

    // Big blocks are aligned for huge pages and marked for them: a million-row
    // import then takes a handful of page faults instead of thousands.
    static char* AllocateBlock(std::size_t cap)
    {
        constexpr std::size_t kHuge = std::size_t(2) << 20;
        if (cap < kHuge)
            return static_cast<char*>(std::malloc(cap));
        void* p = std::aligned_alloc(kHuge, (cap + kHuge - 1) & ~(kHuge - 1));
#ifdef MADV_HUGEPAGE
        if (p)
            madvise(p, cap, MADV_HUGEPAGE);
#endif
        return static_cast<char*>(p);
    }

    std::vector<TBlock> FBlocks;
    std::vector<char*> FSlotBase;
    char* FCur = nullptr;
    std::size_t FFree = 0;
    std::uint64_t FTop = 0;
    std::uint64_t FUsed = 0;
    std::size_t FAllocated = 0;
};

}  // namespace gridstore

using gridstore::kPageBits;
using gridstore::kPageMask;
using gridstore::kPageSize;
using gridstore::TCellPage;
using gridstore::TTextArena;

namespace {

constexpr std::uint64_t kFirstArenaCheck = std::uint64_t(64) << 20;

// UTF-16 to UTF-8; out needs room for 3 bytes per code unit.
std::size_t EncodeUtf8(QStringView s, char* out)
{
    const char16_t* p = s.utf16();
    const qsizetype n = s.size();
    char* o = out;
    for (qsizetype i = 0; i < n;) {
        const char16_t c = p[i];
        if (c < 0x80) {
            *o++ = char(c);
            ++i;
        } else if (c < 0x800) {
            *o++ = char(0xC0 | (c >> 6));
            *o++ = char(0x80 | (c & 0x3F));
            ++i;
        } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && p[i + 1] >= 0xDC00 && p[i + 1] <= 0xDFFF) {
            const char32_t cp = 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(p[i + 1]) - 0xDC00);
            *o++ = char(0xF0 | (cp >> 18));
            *o++ = char(0x80 | ((cp >> 12) & 0x3F));
            *o++ = char(0x80 | ((cp >> 6) & 0x3F));
            *o++ = char(0x80 | (cp & 0x3F));
            i += 2;
        } else {
            const char16_t u = (c >= 0xD800 && c <= 0xDFFF) ? char16_t(0xFFFD) : c;
            *o++ = char(0xE0 | (u >> 12));
            *o++ = char(0x80 | ((u >> 6) & 0x3F));
            *o++ = char(0x80 | (u & 0x3F));
            ++i;
        }
    }
    return std::size_t(o - out);
}

// Room to reserve for the UTF-8 form of a text: exact for long texts, so that
// big cells do not waste arena space, else the cheap upper bound.
std::size_t Utf8Room(QStringView s)
{
    if (s.size() <= 1024)
        return std::size_t(s.size()) * 3;
    std::size_t n = 0;
    for (QChar ch : s) {
        const char16_t c = ch.unicode();
        n += c < 0x80 ? 1 : c < 0x800 ? 2 : 3;  // a surrogate pair: 3 + 3 >= 4
    }
    return n;
}

[[noreturn]] void ThrowIndex()
{
    throw std::out_of_range("Grid index out of range");
}

}  // namespace

TAdvStringGrid::TAdvStringGrid(int colCount, int rowCount)
    : FArena(std::make_shared<TTextArena>())
{
    colCount = std::clamp(colCount, 1, kMaxColCount);
    rowCount = std::clamp(rowCount, 1, kMaxRowCount);
    FCols.resize(std::size_t(colCount));
    FWidths.assign(std::size_t(colCount), kDefaultColWidth);
    FRowCount = rowCount;
    FSlotCount = std::uint32_t(rowCount);
    FCol = std::min(1, colCount - 1);
    FRow = std::min(1, rowCount - 1);
    FSel = {FCol, FRow, FCol, FRow};
    FArenaCheckAt = kFirstArenaCheck;
}

TAdvStringGrid::TAdvStringGrid(const TAdvStringGrid&) = default;
TAdvStringGrid& TAdvStringGrid::operator=(const TAdvStringGrid&) = default;
TAdvStringGrid::TAdvStringGrid(TAdvStringGrid&&) noexcept = default;
TAdvStringGrid& TAdvStringGrid::operator=(TAdvStringGrid&&) noexcept = default;
TAdvStringGrid::~TAdvStringGrid() = default;

// ---------------------------------------------------------------------------
// Slots and pages

const gridstore::TCellRef* TAdvStringGrid::RefAt(int col, std::uint32_t slot) const
{
    const auto& pages = FCols[std::size_t(col)].pages;
    const std::size_t p = slot >> kPageBits;
    if (p >= pages.size() || !pages[p])
        return nullptr;
    return pages[p]->Find(slot & kPageMask);
}

gridstore::TCellRef& TAdvStringGrid::MutableRef(int col, std::uint32_t slot)
{
    auto& pages = FCols[std::size_t(col)].pages;
    const std::size_t p = slot >> kPageBits;
    if (p >= pages.size())
        pages.resize(p + 1);
    auto& page = pages[p];
    if (!page)
        page = std::make_shared<TCellPage>();
    else if (page.use_count() > 1)
        page = std::make_shared<TCellPage>(*page);
    return page->At(slot & kPageMask);
}

void TAdvStringGrid::ForEachCell(const std::function<void(int, int, QByteArrayView)>& visit) const
{
    // The slots that hold text in some column, and the columns that hold any.
    std::vector<bool> used(FSlotCount, false);
    std::vector<int> cols;
    for (int c = 0; c < ColCount(); ++c) {
        bool any = false;
        const auto& pages = FCols[std::size_t(c)].pages;
        for (std::size_t p = 0; p < pages.size(); ++p) {
            if (!pages[p])
                continue;
            const auto& cells = pages[p]->cells;
            for (std::size_t i = 0; i < cells.size(); ++i) {
                const std::size_t slot = (p << kPageBits) + i;
                if (cells[i].len != 0 && slot < used.size())
                    any = used[slot] = true;
            }
        }
        if (any)
            cols.push_back(c);
    }
    for (int r = 0; r < FRowCount; ++r) {
        const std::uint32_t s = Slot(r);
        if (s >= used.size() || !used[s])
            continue;
        for (const int c : cols) {
            const TCellRef* ref = RefAt(c, s);
            if (ref && ref->len != 0)
                visit(c, r, QByteArrayView(FArena->Data(ref->off), qsizetype(ref->len)));
        }
    }
}

void TAdvStringGrid::ClearRef(int col, std::uint32_t slot)
{
    const TCellRef* ref = RefAt(col, slot);
    if (ref && ref->len != 0)
        MutableRef(col, slot) = TCellRef();
}

void TAdvStringGrid::MaterializeRowMap()
{
    if (!FIdentity)
        return;
    FRowMap.resize(std::size_t(FRowCount));
    std::iota(FRowMap.begin(), FRowMap.end(), 0u);
    FIdentity = false;
}

void TAdvStringGrid::PrepareCellWrite()
{
    if (!FAliased)
        return;
    // Rows shown by reference may share a slot; give every repeat its own slot
    // (references only, the text stays shared) before any cell changes.
    std::vector<bool> seen(FSlotCount, false);
    for (int r = 0; r < FRowCount; ++r) {
        const std::uint32_t s = FRowMap[std::size_t(r)];
        if (!seen[s]) {
            seen[s] = true;
            continue;
        }
        const std::uint32_t fresh = FSlotCount++;
        for (int c = 0; c < ColCount(); ++c) {
            const TCellRef* ref = RefAt(c, s);
            if (ref && ref->len != 0) {
                const TCellRef copy = *ref;
                MutableRef(c, fresh) = copy;
            }
        }
        FRowMap[std::size_t(r)] = fresh;
    }
    FAliased = false;
}

void TAdvStringGrid::Compact()
{
    // Rebuilds the grid's own pages (identity row order) and a fresh arena
    // holding only the texts still in use.
    auto arena = std::make_shared<TTextArena>();
    std::vector<gridstore::TColumn> cols(FCols.size());
    for (std::size_t c = 0; c < FCols.size(); ++c) {
        auto& pages = cols[c].pages;
        for (int r = 0; r < FRowCount; ++r) {
            const TCellRef* ref = RefAt(int(c), Slot(r));
            if (!ref || ref->len == 0)
                continue;
            char* dst = arena->Reserve(ref->len);
            if (!dst)
                throw EDatasheetLimit("The datasheet cannot hold that much text");
            std::memcpy(dst, FArena->Data(ref->off), ref->len);
            const std::uint32_t off = arena->Commit(ref->len);
            const std::size_t p = std::size_t(r) >> kPageBits;
            if (p >= pages.size())
                pages.resize(p + 1);
            if (!pages[p])
                pages[p] = std::make_shared<TCellPage>();
            pages[p]->At(std::uint32_t(r) & kPageMask) = TCellRef{off, ref->len};
        }
    }
    FArena = std::move(arena);
    FCols = std::move(cols);
    FRowMap.clear();
    FRowMap.shrink_to_fit();
    FIdentity = true;
    FAliased = false;
    FSlotCount = std::uint32_t(FRowCount);
    FArenaCheckAt = FArena->Used() + std::max(FArena->Used(), kFirstArenaCheck);
}

void TAdvStringGrid::MaybeCompactSlots()
{
    if (!FIdentity && !FAliased && std::uint64_t(FSlotCount) > 2 * std::uint64_t(FRowCount) + 4 * kPageSize)
        Compact();
}

std::uint64_t TAdvStringGrid::LiveTextBytes() const
{
    std::uint64_t sum = 0;
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < FRowCount; ++r)
            if (const TCellRef* ref = RefAt(c, Slot(r)))
                sum += ref->len;
    return sum;
}

char* TAdvStringGrid::ReserveText(std::size_t maxLen)
{
    if (maxLen >= (std::size_t(1) << 31))
        throw EDatasheetLimit("A cell text is too long");
    char* p = FArena->Reserve(maxLen);
    if (!p) {
        Compact();
        p = FArena->Reserve(maxLen);
        if (!p)
            throw EDatasheetLimit("The datasheet cannot hold that much text");
    }
    return p;
}

void TAdvStringGrid::StoreText(int col, int row, char* reserved, std::size_t len)
{
    const std::uint32_t slot = Slot(row);
    const TCellRef* old = RefAt(col, slot);
    if (old && old->len == len && std::memcmp(FArena->Data(old->off), reserved, len) == 0)
        return;  // unchanged: keep the arena from growing
    const std::uint32_t off = FArena->Commit(len);
    MutableRef(col, slot) = TCellRef{off, std::uint32_t(len)};
    AfterTextAppend();
}

void TAdvStringGrid::AfterTextAppend()
{
    if (FArena->Used() < FArenaCheckAt)
        return;
    const std::uint64_t used = FArena->Used();
    if (LiveTextBytes() * 2 < used)
        Compact();
    else
        FArenaCheckAt = used + std::max(used, kFirstArenaCheck);
}

void TAdvStringGrid::EnsureCell(int col, int row)
{
    if (col < 0 || row < 0)
        ThrowIndex();
    if (col >= ColCount())
        SetColCount(col + 1);
    if (row >= FRowCount)
        SetRowCount(row + 1);
}

void TAdvStringGrid::ClampCurrent()
{
    FCol = std::clamp(FCol, 0, ColCount() - 1);
    FRow = std::clamp(FRow, 0, FRowCount - 1);
    SetSelection(FSel);
}

// ---------------------------------------------------------------------------
// Shape

void TAdvStringGrid::SetColCount(int count)
{
    if (count > kMaxColCount)
        throw EDatasheetLimit("Too many columns (the most a datasheet can have is " +
                                std::to_string(kMaxColCount) + ")");
    count = std::max(count, 1);
    FCols.resize(std::size_t(count));
    FWidths.resize(std::size_t(count), kDefaultColWidth);
    ClampCurrent();
}

void TAdvStringGrid::SetRowCount(int count)
{
    if (count > kMaxRowCount)
        throw EDatasheetLimit("Too many rows (the most a datasheet can have is " +
                                std::to_string(kMaxRowCount) + ")");
    count = std::max(count, 1);
    if (count == FRowCount)
        return;
    if (count > FRowCount) {
        const std::uint32_t added = std::uint32_t(count - FRowCount);
        if (!FIdentity) {
            FRowMap.reserve(std::size_t(count));
            for (std::uint32_t i = 0; i < added; ++i)
                FRowMap.push_back(FSlotCount + i);
        }
        FSlotCount += added;
        FRowCount = count;
        return;
    }
    if (FIdentity) {
        // Slots count..end leave the grid: empty them so that growing again
        // shows empty cells.
        const std::uint32_t n = std::uint32_t(count);
        const std::size_t keepPages = (std::size_t(n) + kPageMask) >> kPageBits;
        for (auto& col : FCols) {
            if (col.pages.size() > keepPages)
                col.pages.resize(keepPages);
            const std::size_t p = n >> kPageBits;
            if ((n & kPageMask) != 0 && p < col.pages.size() && col.pages[p]) {
                auto& page = col.pages[p];
                if (page.use_count() > 1)
                    page = std::make_shared<TCellPage>(*page);
                if ((n & kPageMask) < page->cells.size())
                    page->cells.resize(n & kPageMask);
            }
        }
        FSlotCount = n;
        FRowCount = count;
    } else {
        FRowMap.resize(std::size_t(count));
        FRowCount = count;
        MaybeCompactSlots();
    }
    ClampCurrent();
}

int TAdvStringGrid::ColWidth(int col) const
{
    if (col < 0 || col >= ColCount())
        return kDefaultColWidth;
    return FWidths[std::size_t(col)];
}

void TAdvStringGrid::SetColWidth(int col, int width)
{
    if (col < 0 || col >= ColCount())
        return;
    FWidths[std::size_t(col)] = std::clamp(width, 0, 32767);
}

// ---------------------------------------------------------------------------
// Cells

QByteArrayView TAdvStringGrid::CellUtf8(int col, int row) const
{
    if (col < 0 || row < 0 || col >= ColCount() || row >= FRowCount)
        return {};
    const TCellRef* ref = RefAt(col, Slot(row));
    if (!ref || ref->len == 0)
        return {};
    return QByteArrayView(FArena->Data(ref->off), qsizetype(ref->len));
}

QString TAdvStringGrid::Cells(int col, int row) const
{
    const QByteArrayView v = CellUtf8(col, row);
    return v.isEmpty() ? QString() : QString::fromUtf8(v);
}

void TAdvStringGrid::SetCell(int col, int row, QStringView text)
{
    EnsureCell(col, row);
    PrepareCellWrite();
    if (text.isEmpty()) {
        ClearRef(col, Slot(row));
        return;
    }
    char* dst = ReserveText(Utf8Room(text));
    const std::size_t n = EncodeUtf8(text, dst);
    StoreText(col, row, dst, n);
}

void TAdvStringGrid::SetCellUtf8(int col, int row, QByteArrayView utf8)
{
    EnsureCell(col, row);
    PrepareCellWrite();
    if (utf8.isEmpty()) {
        ClearRef(col, Slot(row));
        return;
    }
    char* dst = ReserveText(std::size_t(utf8.size()));
    std::memcpy(dst, utf8.data(), std::size_t(utf8.size()));
    StoreText(col, row, dst, std::size_t(utf8.size()));
}

void TAdvStringGrid::FillCells(int col, int firstRow, int count, QStringView text)
{
    if (count <= 0)
        return;
    if (firstRow < 0 || std::int64_t(firstRow) + count > kMaxRowCount)
        ThrowIndex();
    EnsureCell(col, firstRow + count - 1);
    PrepareCellWrite();
    TCellRef ref;
    if (!text.isEmpty()) {
        char* dst = ReserveText(Utf8Room(text));
        const std::size_t n = EncodeUtf8(text, dst);
        ref = TCellRef{FArena->Commit(n), std::uint32_t(n)};
    }
    for (int r = firstRow; r < firstRow + count; ++r) {
        if (ref.len == 0)
            ClearRef(col, Slot(r));
        else
            MutableRef(col, Slot(r)) = ref;
    }
    if (ref.len != 0)
        AfterTextAppend();
}

// ---------------------------------------------------------------------------
// Current cell and selection

void TAdvStringGrid::SetCol(int col)
{
    FCol = std::clamp(col, 0, ColCount() - 1);
}

void TAdvStringGrid::SetRow(int row)
{
    FRow = std::clamp(row, 0, FRowCount - 1);
}

void TAdvStringGrid::SetSelection(const TGridRect& rect)
{
    TGridRect r = rect;
    if (r.IsEmpty()) {
        FSel = r;
        return;
    }
    r.Left = std::clamp(r.Left, 0, ColCount() - 1);
    r.Right = std::clamp(r.Right, 0, ColCount() - 1);
    r.Top = std::clamp(r.Top, 0, FRowCount - 1);
    r.Bottom = std::clamp(r.Bottom, 0, FRowCount - 1);
    FSel = r;
}

// ---------------------------------------------------------------------------
// Row and column operations

void TAdvStringGrid::InsertRows(int index, int count)
{
    if (count <= 0)
        return;
    index = std::clamp(index, 0, FRowCount);
    if (std::int64_t(FRowCount) + count > kMaxRowCount)
        SetRowCount(int(std::int64_t(FRowCount) + count));  // throws the limit error
    if (FIdentity && index == FRowCount) {
        SetRowCount(FRowCount + count);
        return;
    }
    MaterializeRowMap();
    std::vector<std::uint32_t> fresh(static_cast<std::size_t>(count));
    std::iota(fresh.begin(), fresh.end(), FSlotCount);
    FRowMap.insert(FRowMap.begin() + index, fresh.begin(), fresh.end());
    FSlotCount += std::uint32_t(count);
    FRowCount += count;
}

void TAdvStringGrid::RemoveRows(int index, int count)
{
    if (count <= 0 || index < 0 || index >= FRowCount)
        return;
    count = std::min(count, FRowCount - index);
    if (count >= FRowCount) {
        // Nothing may be left without a row: one empty row stays.
        ClearRows(0, 1);
        RemoveRows(1, FRowCount - 1);
        return;
    }
    if (index + count == FRowCount) {
        SetRowCount(index);
        return;
    }
    MaterializeRowMap();
    FRowMap.erase(FRowMap.begin() + index, FRowMap.begin() + index + count);
    FRowCount -= count;
    MaybeCompactSlots();
    ClampCurrent();
}

void TAdvStringGrid::InsertCols(int index, int count)
{
    if (count <= 0)
        return;
    if (std::int64_t(ColCount()) + count > kMaxColCount)
        SetColCount(int(std::int64_t(ColCount()) + count));  // throws the limit error
    index = std::clamp(index, 0, ColCount());
    FCols.insert(FCols.begin() + index, std::size_t(count), gridstore::TColumn());
    FWidths.insert(FWidths.begin() + index, std::size_t(count), kDefaultColWidth);
}

void TAdvStringGrid::RemoveCols(int index, int count)
{
    if (count <= 0 || index < 0 || index >= ColCount())
        return;
    count = std::min(count, ColCount() - index);
    if (count >= ColCount()) {
        ClearCols(0, 1);
        RemoveCols(1, ColCount() - 1);
        return;
    }
    FCols.erase(FCols.begin() + index, FCols.begin() + index + count);
    FWidths.erase(FWidths.begin() + index, FWidths.begin() + index + count);
    ClampCurrent();
}

void TAdvStringGrid::ClearRows(int index, int count)
{
    const int first = std::max(index, 0);
    const int last = std::min<std::int64_t>(std::int64_t(index) + count, FRowCount) - 1;
    if (last < first)
        return;
    PrepareCellWrite();
    for (int c = 0; c < ColCount(); ++c)
        for (int r = first; r <= last; ++r)
            ClearRef(c, Slot(r));
}

void TAdvStringGrid::ClearCols(int index, int count)
{
    const int first = std::max(index, 0);
    const int last = std::min<std::int64_t>(std::int64_t(index) + count, ColCount()) - 1;
    for (int c = first; c <= last; ++c) {
        // Dropping the pages empties every slot of the column; pages another
        // grid still uses stay with it.
        FCols[std::size_t(c)].pages.clear();
    }
}

void TAdvStringGrid::ClearColumnFrom(int col, int firstRow)
{
    if (col < 0 || col >= ColCount())
        return;
    if (firstRow <= 0) {
        ClearCols(col, 1);
        return;
    }
    PrepareCellWrite();
    for (int r = firstRow; r < FRowCount; ++r)
        ClearRef(col, Slot(r));
}

void TAdvStringGrid::ClearRect(const TGridRect& rect)
{
    if (rect.IsEmpty())
        return;
    const int left = std::max(rect.Left, 0);
    const int right = std::min(rect.Right, ColCount() - 1);
    const int top = std::max(rect.Top, 0);
    const int bottom = std::min(rect.Bottom, FRowCount - 1);
    if (right < left || bottom < top)
        return;
    if (top == 0 && bottom == FRowCount - 1) {
        ClearCols(left, right - left + 1);
        return;
    }
    PrepareCellWrite();
    for (int c = left; c <= right; ++c)
        for (int r = top; r <= bottom; ++r)
            ClearRef(c, Slot(r));
}

void TAdvStringGrid::ClearAll()
{
    for (auto& col : FCols)
        col.pages.clear();
    // Every cell is empty now, so the row order no longer matters.
    FRowMap.clear();
    FRowMap.shrink_to_fit();
    FIdentity = true;
    FAliased = false;
    FSlotCount = std::uint32_t(FRowCount);
    FArena = std::make_shared<TTextArena>();
    FArenaCheckAt = kFirstArenaCheck;
}

void TAdvStringGrid::RowCopy(int dstRow, const TAdvStringGrid& src, int srcRow)
{
    if (dstRow < 0 || dstRow >= FRowCount || srcRow < 0 || srcRow >= src.FRowCount)
        ThrowIndex();
    if (&src == this && dstRow == srcRow)
        return;
    PrepareCellWrite();  // may renumber this grid's slots, so look them up after
    const std::uint32_t dslot = Slot(dstRow);
    const std::uint32_t sslot = src.Slot(srcRow);
    const bool sameArena = src.FArena == FArena;
    for (int c = 0; c < ColCount(); ++c) {
        const TCellRef* sref = c < src.ColCount() ? src.RefAt(c, sslot) : nullptr;
        if (!sref || sref->len == 0) {
            ClearRef(c, dslot);
        } else if (sameArena) {
            const TCellRef copy = *sref;
            MutableRef(c, dslot) = copy;
        } else {
            const std::uint32_t len = sref->len;
            const char* text = src.FArena->Data(sref->off);
            char* dst = ReserveText(len);
            std::memcpy(dst, text, len);
            StoreText(c, dstRow, dst, len);
        }
    }
}

void TAdvStringGrid::MoveRow(int from, int to)
{
    if (from < 0 || from >= FRowCount || to < 0 || to >= FRowCount || from == to)
        return;
    MaterializeRowMap();
    auto first = FRowMap.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
}

void TAdvStringGrid::MoveColumn(int from, int to)
{
    if (from < 0 || from >= ColCount() || to < 0 || to >= ColCount() || from == to)
        return;
    auto cols = FCols.begin();
    auto widths = FWidths.begin();
    if (from < to) {
        std::rotate(cols + from, cols + from + 1, cols + to + 1);
        std::rotate(widths + from, widths + from + 1, widths + to + 1);
    } else {
        std::rotate(cols + to, cols + from, cols + from + 1);
        std::rotate(widths + to, widths + from, widths + from + 1);
    }
}

void TAdvStringGrid::SortRows(int col, bool ascending, int firstRow, int lastRow)
{
    if (col < 0 || col >= ColCount())
        return;
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, FRowCount - 1);
    if (lastRow - firstRow < 1)
        return;
    MaterializeRowMap();
    gridsort::SortSlots(
        FRowMap.data() + firstRow, std::size_t(lastRow - firstRow + 1),
        [this, col](std::uint32_t slot) -> QByteArrayView {
            const TCellRef* ref = RefAt(col, slot);
            if (!ref || ref->len == 0)
                return {};
            return QByteArrayView(FArena->Data(ref->off), qsizetype(ref->len));
        },
        ascending);
}

// ---------------------------------------------------------------------------
// Rows by reference

void TAdvStringGrid::AssignRowsFrom(const TAdvStringGrid& src, std::vector<std::uint32_t> rows)
{
    if (&src == this) {
        const TAdvStringGrid copy(src);
        AssignRowsFrom(copy, std::move(rows));
        return;
    }
    if (rows.size() > std::size_t(kMaxRowCount))
        throw EDatasheetLimit("Too many rows (the most a datasheet can have is " + std::to_string(kMaxRowCount) + ")");
    for (auto& r : rows) {
        if (r >= std::uint32_t(src.FRowCount))
            ThrowIndex();
        r = src.Slot(int(r));
    }
    FArena = src.FArena;
    FCols = src.FCols;
    FWidths = src.FWidths;
    FSlotCount = src.FSlotCount;
    if (rows.empty())
        rows.push_back(FSlotCount++);  // one empty row
    FRowMap = std::move(rows);
    FIdentity = false;
    FAliased = true;
    FRowCount = int(FRowMap.size());
    FArenaCheckAt = src.FArenaCheckAt;
    ClampCurrent();
}

void TAdvStringGrid::AssignAllRowsFrom(const TAdvStringGrid& src)
{
    if (&src == this)
        return;
    const int col = FCol;
    const int row = FRow;
    const TGridRect sel = FSel;
    *this = src;
    FCol = col;
    FRow = row;
    FSel = sel;
    ClampCurrent();
}

// ---------------------------------------------------------------------------
// Introspection

std::size_t TAdvStringGrid::MemoryUsage() const
{
    std::size_t bytes = sizeof(*this) + FArena->Allocated() + FRowMap.capacity() * sizeof(std::uint32_t) +
                        FWidths.capacity() * sizeof(int) + FCols.capacity() * sizeof(gridstore::TColumn);
    for (const auto& col : FCols) {
        bytes += col.pages.capacity() * sizeof(gridstore::TPagePtr);
        for (const auto& page : col.pages)
            if (page)
                bytes += sizeof(TCellPage) + page->cells.capacity() * sizeof(TCellRef);
    }
    return bytes;
}

std::uint64_t TAdvStringGrid::ArenaBytes() const
{
    return FArena->Used();
}
