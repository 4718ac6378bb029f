#include "common/ZplDecode.h"


namespace testsupport {

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace

QByteArray DecodeGraphicField(const QByteArray& field, int& bytesPerRow, int& rows)
{
    const QList<QByteArray> parts = field.split(',');
    if (parts.size() < 4)
        return {};
    const int total = parts[0].toInt();
    bytesPerRow = parts[2].toInt();
    if (bytesPerRow <= 0 || total % bytesPerRow != 0)
        return {};
    rows = total / bytesPerRow;
    // Everything after the third comma is data (commas inside it end rows).
    const QByteArray data = field.mid(parts[0].size() + parts[1].size() + parts[2].size() + 3);
    const int digitsPerRow = bytesPerRow * 2;
    QByteArray hex;
    QByteArray row;
    int repeat = 0;
    auto endRow = [&](char fill) {
        if (row.size() > digitsPerRow)
            return false;
        row += QByteArray(digitsPerRow - row.size(), fill);
        hex += row;
        row.clear();
        return true;
    };
    for (const char c : data) {
        if (c >= 'G' && c <= 'Y') {
            repeat += c - 'G' + 1;
        } else if (c >= 'g' && c <= 'z') {
            repeat += (c - 'g' + 1) * 20;
        } else if (c == ',' || c == '!') {
            if (!endRow(c == ',' ? '0' : 'F'))
                return {};
        } else if (c == ':') {
            if (hex.size() < digitsPerRow || !row.isEmpty())
                return {};
            hex += hex.right(digitsPerRow);
        } else if (HexValue(c) >= 0) {
            row += QByteArray(repeat > 0 ? repeat : 1, c);
            repeat = 0;
            if (row.size() == digitsPerRow && !endRow('0'))
                return {};
            if (row.size() > digitsPerRow)
                return {};
        } else if (c != '\n' && c != '\r') {
            return {};
        }
    }
    if (!row.isEmpty() || hex.size() != qsizetype(rows) * digitsPerRow)
        return {};
    QByteArray bytes(hex.size() / 2, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(HexValue(hex[2 * i]) << 4 | HexValue(hex[2 * i + 1]));
    return bytes;
}

ZplJob DecodeZpl(const QByteArray& zpl)
{
    ZplJob job;
    ZplLabel label;
    bool inFormat = false;
    QPoint origin;
    qsizetype i = 0;
    auto fail = [&job](const QByteArray& why) {
        job.error = why;
        return job;
    };
    while (i < zpl.size()) {
        const char lead = zpl[i];
        if (lead != '^' && lead != '~') {
            ++i;
            continue;
        }
        const QByteArray command = zpl.mid(i + 1, 2);
        qsizetype end = i + 3;
        while (end < zpl.size() && zpl[end] != '^' && zpl[end] != '~')
            ++end;
        const QByteArray arg = zpl.mid(i + 3, end - i - 3).trimmed();
        i = end;
        if (lead == '~') {
            if (command == "SD")
                job.darkness = arg.toInt();
            continue;
        }
        if (command == "XA") {
            if (inFormat)
                return fail("^XA inside a format");
            inFormat = true;
            label = ZplLabel();
        } else if (command == "XZ") {
            if (!inFormat)
                return fail("^XZ without ^XA");
            inFormat = false;
            job.labels << label;
        } else if (!inFormat) {
            return fail("^" + command + " outside a format");
        } else if (command == "PW") {
            label.printWidth = arg.toInt();
        } else if (command == "LL") {
            label.labelLength = arg.toInt();
        } else if (command == "PQ") {
            label.copies = arg.split(',').value(0).toInt();
        } else if (command == "MN") {
            label.media = arg;
        } else if (command == "PR") {
            label.speed = arg.split(',').value(0).toInt();
        } else if (command == "FO") {
            const QList<QByteArray> xy = arg.split(',');
            origin = QPoint(xy.value(0).toInt(), xy.value(1).toInt());
        } else if (command == "GF") {
            if (!arg.startsWith("A,"))
                return fail("graphic field not in ASCII hex");
            int bytesPerRow = 0, rows = 0;
            const QByteArray bits = DecodeGraphicField(arg.mid(2), bytesPerRow, rows);
            if (bits.isEmpty())
                return fail("malformed graphic field");
            if (label.image.isNull()) {
                label.image = QImage(label.printWidth, label.labelLength, QImage::Format_Grayscale8);
                label.image.fill(255);
            }
            for (int y = 0; y < rows; ++y) {
                const int py = origin.y() + y;
                if (py < 0 || py >= label.image.height())
                    continue;
                uchar* line = label.image.scanLine(py);
                for (int x = 0; x < bytesPerRow * 8; ++x) {
                    const int px = origin.x() + x;
                    if (px >= 0 && px < label.image.width() && (uchar(bits[y * bytesPerRow + x / 8]) & (0x80 >> (x % 8))))
                        line[px] = 0;
                }
            }
        }
    }
    if (inFormat)
        return fail("format without ^XZ");
    return job;
}

}  // namespace testsupport
