#include "engine/datasheet/GridSort.h"

#include <QString>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace gridsort {

namespace {

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
}

struct TNumKey {
    double value;
    std::uint32_t slot;
    bool plainInteger;
};

struct TTextKey {
    std::uint64_t prefix;  // first 8 bytes lower-cased, big-endian (ASCII texts)
    const char* text;
    std::uint32_t len;
    std::uint32_t slot;
    std::int32_t folded;  // index into the case-folded texts, -1 for ASCII text
};

// Compares two integer texts exactly (optional sign, digits, blanks around).
int CompareIntegerText(QByteArrayView a, QByteArrayView b)
{
    auto split = [](QByteArrayView t, bool& negative) {
        qsizetype i = 0;
        qsizetype end = t.size();
        while (i < end && IsBlank(t[i]))
            ++i;
        while (end > i && IsBlank(t[end - 1]))
            --end;
        negative = false;
        if (i < end && (t[i] == '+' || t[i] == '-')) {
            negative = t[i] == '-';
            ++i;
        }
        while (i < end - 1 && t[i] == '0')
            ++i;
        return t.sliced(i, end - i);
    };
    bool na = false;
    bool nb = false;
    const QByteArrayView da = split(a, na);
    const QByteArrayView db = split(b, nb);
    const bool zeroA = da == QByteArrayView("0");
    const bool zeroB = db == QByteArrayView("0");
    if (zeroA)
        na = false;
    if (zeroB)
        nb = false;
    if (na != nb)
        return na ? -1 : 1;
    int mag = 0;
    if (da.size() != db.size())
        mag = da.size() < db.size() ? -1 : 1;
    else if (const int c = std::memcmp(da.data(), db.data(), std::size_t(da.size())); c != 0)
        mag = c < 0 ? -1 : 1;
    return na ? -mag : mag;
}

bool IsAscii(QByteArrayView t)
{
    for (char c : t)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

}  // namespace

TSortClass ClassifyCell(QByteArrayView t, double& value, bool& plainInteger)
{
    qsizetype i = 0;
    qsizetype end = t.size();
    while (i < end && IsBlank(t[i]))
        ++i;
    while (end > i && IsBlank(t[end - 1]))
        --end;
    if (i == end)
        return TSortClass::scEmpty;
    const qsizetype start = i;
    if (t[i] == '+' || t[i] == '-')
        ++i;
    const qsizetype intStart = i;
    while (i < end && IsDigit(t[i]))
        ++i;
    qsizetype digits = i - intStart;
    plainInteger = digits > 0 && i == end;
    if (i < end && t[i] == '.') {
        ++i;
        const qsizetype fracStart = i;
        while (i < end && IsDigit(t[i]))
            ++i;
        digits += i - fracStart;
    }
    if (digits == 0)
        return TSortClass::scText;
    if (i < end && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < end && (t[i] == '+' || t[i] == '-'))
            ++i;
        const qsizetype expStart = i;
        while (i < end && IsDigit(t[i]))
            ++i;
        if (i == expStart)
            return TSortClass::scText;
    }
    if (i != end)
        return TSortClass::scText;
    // from_chars takes no leading plus sign.
    const char* first = t.data() + (t[start] == '+' ? start + 1 : start);
    const char* last = t.data() + end;
    double v = 0;
    const auto res = std::from_chars(first, last, v);
    if (res.ec == std::errc::result_out_of_range) {
        // Beyond double range: keep the sign and magnitude class.
        const bool negative = t[start] == '-';
        bool tiny = false;
        for (const char* p = first; p < last; ++p)
            if (*p == 'e' || *p == 'E') {
                tiny = p + 1 < last && p[1] == '-';
                break;
            }
        v = tiny ? 0.0 : (negative ? -HUGE_VAL : HUGE_VAL);
    } else if (res.ec != std::errc() || res.ptr != last) {
        return TSortClass::scText;
    }
    value = v;
    return TSortClass::scNumber;
}

void SortSlots(std::uint32_t* slots, std::size_t n, const std::function<QByteArrayView(std::uint32_t)>& textOf,
               bool ascending)
{
    std::vector<TNumKey> numbers;
    std::vector<TTextKey> texts;
    std::vector<std::uint32_t> empties;
    std::vector<QString> folded;
    QByteArrayView common;
    bool haveCommon = false;
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint32_t slot = slots[i];
        const QByteArrayView t = textOf(slot);
        double value = 0;
        bool plain = false;
        switch (ClassifyCell(t, value, plain)) {
        case TSortClass::scEmpty: empties.push_back(slot); break;
        case TSortClass::scNumber: numbers.push_back({value, slot, plain}); break;
        case TSortClass::scText: {
            TTextKey key{0, t.data(), std::uint32_t(t.size()), slot, -1};
            if (IsAscii(t)) {
                // The common start of all ASCII texts; the 8-byte keys begin after it.
                if (!haveCommon) {
                    common = t;
                    haveCommon = true;
                } else {
                    qsizetype k = 0;
                    const qsizetype m = std::min(common.size(), t.size());
                    while (k < m && LowerAscii(common[k]) == LowerAscii(t[k]))
                        ++k;
                    common.truncate(k);
                }
            } else {
                key.folded = std::int32_t(folded.size());
                folded.push_back(QString::fromUtf8(t).toCaseFolded());
            }
            texts.push_back(key);
            break;
        }
        }
    }

    // Every ASCII text starts with the same lower-cased `skip` bytes, so keys
    // and comparisons can start after them.
    const std::uint32_t skip = std::uint32_t(common.size());
    for (TTextKey& key : texts) {
        if (key.folded >= 0)
            continue;
        for (std::uint32_t k = skip; k < skip + 8; ++k) {
            key.prefix <<= 8;
            if (k < key.len)
                key.prefix |= static_cast<unsigned char>(LowerAscii(key.text[k]));
        }
    }

    auto numLess = [&textOf](const TNumKey& a, const TNumKey& b) {
        if (a.value != b.value)
            return a.value < b.value;
        // Long digit strings can round to the same double; order them exactly.
        if (a.plainInteger && b.plainInteger)
            return CompareIntegerText(textOf(a.slot), textOf(b.slot)) < 0;
        return false;
    };
    auto foldedOf = [&folded](const TTextKey& k) {
        if (k.folded >= 0)
            return folded[std::size_t(k.folded)];
        QString s = QString::fromLatin1(k.text, qsizetype(k.len));
        return s.toLower();
    };
    auto textLess = [&](const TTextKey& a, const TTextKey& b) {
        if (a.folded < 0 && b.folded < 0) {
            if (a.prefix != b.prefix)
                return a.prefix < b.prefix;
            const std::uint32_t m = std::min(a.len, b.len);
            for (std::uint32_t k = skip + 8; k < m; ++k) {
                const char ca = LowerAscii(a.text[k]);
                const char cb = LowerAscii(b.text[k]);
                if (ca != cb)
                    return static_cast<unsigned char>(ca) < static_cast<unsigned char>(cb);
            }
            return a.len < b.len;
        }
        return QStringView(foldedOf(a)).compare(QStringView(foldedOf(b))) < 0;
    };

    std::uint32_t* out = slots;
    auto emitNumbers = [&] {
        for (const auto& k : numbers)
            *out++ = k.slot;
    };
    auto emitTexts = [&] {
        for (const auto& k : texts)
            *out++ = k.slot;
    };
    if (ascending) {
        std::stable_sort(numbers.begin(), numbers.end(), numLess);
        std::stable_sort(texts.begin(), texts.end(), textLess);
        emitNumbers();
        emitTexts();
    } else {
        std::stable_sort(numbers.begin(), numbers.end(), [&](const TNumKey& a, const TNumKey& b) { return numLess(b, a); });
        std::stable_sort(texts.begin(), texts.end(), [&](const TTextKey& a, const TTextKey& b) { return textLess(b, a); });
        emitTexts();
        emitNumbers();
    }
    for (std::uint32_t s : empties)
        *out++ = s;
}

}  // namespace gridsort
