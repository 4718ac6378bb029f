#include "document/SystemText.h"

#include <cstring>

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252; the rest is Latin-1.
const char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

bool IsValidUtf8(const char* data, qsizetype size)
{
    const auto* s = reinterpret_cast<const unsigned char*>(data);
    qsizetype i = 0;
    while (i < size) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (size - i <= extra)
            return false;
        for (int k = 1; k <= extra; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

QString DecodeWindows1252(const char* data, qsizetype size)
{
    QString out(size, Qt::Uninitialized);
    char16_t* d = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned char c = static_cast<unsigned char>(data[i]);
        d[i] = (c >= 0x80 && c <= 0x9F) ? kCp1252High[c - 0x80] : char16_t(c);
    }
    return out;
}

QString DecodeSystemText(const QByteArray& block)
{
    if (IsValidUtf8(block))
        return QString::fromUtf8(block);
    // Decided line by line: one stray byte must not turn the valid UTF-8 of
    // other lines into mojibake (which would then be saved that way).
    QString text;
    text.reserve(block.size());
    const char* data = block.constData();
    const qsizetype n = block.size();
    qsizetype start = 0;
    while (start < n) {
        const char* lf = static_cast<const char*>(std::memchr(data + start, '\n', size_t(n - start)));
        const qsizetype end = lf ? lf - data + 1 : n;
        if (IsValidUtf8(data + start, end - start))
            text += QString::fromUtf8(data + start, end - start);
        else
            text += DecodeWindows1252(data + start, end - start);
        start = end;
    }
    return text;
}

QByteArray EncodeSystemText(const QString& text)
{
    return text.toUtf8();
}
