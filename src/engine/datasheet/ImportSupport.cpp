#include "engine/datasheet/ImportSupport.h"

#include "document/Tr.h"
#include "engine/datasheet/CellGridWriter.h"

#include <QCoreApplication>
#include <QDate>

#include <clocale>
#include <cmath>

#include <locale.h>

void ThrowImportError(const QString& message)
{
    throw EImportError(message);
}

void ThrowNothingToImport()
{
    ThrowImportError(Tr("Import", "There is nothing to import: the file holds no text."));
}

namespace {
thread_local TImportWarnings* gWarnings = nullptr;
}

TImportWarnings::TImportWarnings() : FOuter(gWarnings)
{
    gWarnings = this;
}

TImportWarnings::~TImportWarnings()
{
    gWarnings = FOuter;
}

void ImportWarning(const QString& text)
{
    if (gWarnings)
        gWarnings->FList << text;
}

QString NumberToText(double value, int significantDigits)
{
    if (value == 0)
        return QStringLiteral("0");  // also for -0
    if (!std::isfinite(value))
        return QString();
    QString text = QString::number(value, 'g', significantDigits);
    const qsizetype e = text.indexOf(u'e');
    if (e >= 0)
        text[e] = u'E';
    return text;
}

QString CurrencyToText(double value)
{
    if (!std::isfinite(value))
        return QString();
    QString text = QString::number(value, 'f', 4);
    // Drop the third and fourth decimal when they are zeros.
    for (int i = 0; i < 2 && text.endsWith(u'0'); ++i)
        text.chop(1);
    if (text == QLatin1String("-0.00"))
        text.remove(0, 1);
    return text;
}

static QString TimeText(qint64 seconds)
{
    const qint64 h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
    return QStringLiteral("%1:%2:%3")
        .arg(h, 2, 10, QLatin1Char('0'))
        .arg(m, 2, 10, QLatin1Char('0'))
        .arg(s, 2, 10, QLatin1Char('0'));
}

QString SerialDateToText(double serial, TDateKind kind, bool date1904)
{
    // Beyond the year 9999 or before the epoch there is no date to show.
    if (!std::isfinite(serial) || serial < 0 || serial >= 2958466)
        return NumberToText(serial);
    double whole = std::floor(serial);
    qint64 seconds = std::llround((serial - whole) * 86400.0);
    if (seconds >= 86400) {
        whole += 1;
        seconds -= 86400;
    }
    if (kind == TDateKind::dkTime || (kind == TDateKind::dkDateTime && serial < 1))
        return TimeText(seconds);
    qint64 days = qint64(whole);
    QString date;
    if (date1904) {
        date = QDate(1904, 1, 1).addDays(days).toString(Qt::ISODate);
    } else if (days == 60) {
        // The 1900 date system counts a 29 February 1900 that never was.
        date = QStringLiteral("1900-02-29");
    } else {
        date = (days < 60 ? QDate(1899, 12, 31) : QDate(1899, 12, 30)).addDays(days).toString(Qt::ISODate);
    }
    if (kind == TDateKind::dkDate || seconds == 0)
        return date;
    return date + u' ' + TimeText(seconds);
}

TDateKind DateFormatKind(QStringView code)
{
    bool date = false, time = false, month = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const char16_t c = code[i].toLower().unicode();
        switch (c) {
        case u'"': {  // quoted literal text
            const qsizetype end = code.indexOf(u'"', i + 1);
            i = end < 0 ? code.size() : end;
            break;
        }
        case u'\\':
        case u'_':
        case u'*':  // escaped character, padding, fill
            ++i;
            break;
        case u'[': {  // colour, condition or locale; [h], [m], [s] are elapsed times
            const qsizetype end = code.indexOf(u']', i + 1);
            const QStringView inner = code.mid(i + 1, (end < 0 ? code.size() : end) - i - 1);
            if (!inner.isEmpty() && (inner[0].toLower() == u'h' || inner[0].toLower() == u's' ||
                                     (inner[0].toLower() == u'm' && inner.size() <= 2)))
                time = true;
            i = end < 0 ? code.size() : end;
            break;
        }
        case u';':  // only the first section decides
            i = code.size();
            break;
        case u'y':
        case u'd':
            date = true;
            break;
        case u'h':
        case u's':
            time = true;
            break;
        case u'm':
            month = true;
            break;
        case u'g':  // "General" is no date
            if (code.mid(i, 7).compare(QLatin1String("general"), Qt::CaseInsensitive) == 0)
                i += 6;
            break;
        case u'e':  // "E+00" scientific or era
            break;
        default:
            break;
        }
    }
    if (month && !time)
        date = true;
    if (date && time)
        return TDateKind::dkDateTime;
    if (date)
        return TDateKind::dkDate;
    if (time)
        return TDateKind::dkTime;
    return TDateKind::dkNone;
}

TDateKind BuiltinDateFormatKind(int formatId)
{
    if ((formatId >= 14 && formatId <= 17) || (formatId >= 27 && formatId <= 31) ||
        (formatId >= 34 && formatId <= 36) || (formatId >= 50 && formatId <= 58))
        return TDateKind::dkDate;
    if ((formatId >= 18 && formatId <= 21) || formatId == 32 || formatId == 33 || (formatId >= 45 && formatId <= 47))
        return TDateKind::dkTime;
    if (formatId == 22)
        return TDateKind::dkDateTime;
    return TDateKind::dkNone;
}

TCNumericLocaleScope::TCNumericLocaleScope()
{
    locale_t base = duplocale(uselocale(locale_t(0)));
    if (!base)
        return;
    locale_t numeric = newlocale(LC_NUMERIC_MASK, "C", base);
    if (!numeric) {
        freelocale(base);
        return;
    }
    FLocale = numeric;
    FPrevious = uselocale(numeric);
}

TCNumericLocaleScope::~TCNumericLocaleScope()
{
    if (!FLocale)
        return;
    uselocale(static_cast<locale_t>(FPrevious));
    freelocale(static_cast<locale_t>(FLocale));
}

// ---------------------------------------------------------------------------

namespace {

[[noreturn]] void ThrowTooLarge()
{
    ThrowImportError(Tr("Import",
                        "The sheet is too large to import (the datasheet takes at most %1 rows, "
                        "%2 columns and %3 cells).")
                         .arg(kMaxSheetRows)
                         .arg(kMaxSheetCols)
                         .arg(kMaxSheetCells));
}

[[noreturn]] void ThrowTooMuchText()
{
    ThrowImportError(
        Tr("Import", "The spreadsheet is too large: its cells hold more than %1 million characters of text.")
            .arg(kMaxSheetHeldChars / 1000000));
}

[[noreturn]] void ThrowLongCell(const QString& place)
{
    ThrowImportError(Tr("Import", "The spreadsheet is too large: %1 holds more than %2 characters of text.")
                         .arg(place)
                         .arg(kMaxCellChars));
}

// "B12" for row 11, column 1 (both from 0).
QString CellName(qint64 row, qint64 col)
{
    QString letters;
    for (qint64 c = col + 1; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(char16_t(u'A' + (c - 1) % 26)));
    return letters + QString::number(row + 1);
}

}  // namespace

qint32 TSheetCells::AddText(QStringView text)
{
    if (text.size() > kMaxCellChars)
        ThrowLongCell(Tr("Import", "a cell"));
    if (qint64(FArena.size()) + text.size() > kMaxSheetHeldChars || FTexts.size() >= size_t(INT32_MAX))
        ThrowTooMuchText();
    FTexts.push_back({qint64(FArena.size()), qint32(text.size())});
    FArena.insert(FArena.end(), text.utf16(), text.utf16() + text.size());
    return qint32(FTexts.size() - 1);
}

QStringView TSheetCells::Text(qint32 id) const
{
    const TText& t = FTexts[size_t(id)];
    return QStringView(FArena.data() + t.offset, t.length);
}

void TSheetCells::AddCell(qint64 row, qint64 col, QStringView text, qint64 rowRepeat, qint64 colRepeat)
{
    if (text.size() > kMaxCellChars)
        ThrowLongCell(Tr("Import", "cell %1").arg(CellName(row, col)));
    AddCell(row, col, AddText(text), rowRepeat, colRepeat);
}

void TSheetCells::AddCell(qint64 row, qint64 col, qint32 textId, qint64 rowRepeat, qint64 colRepeat)
{
    if (textId < 0 || size_t(textId) >= FTexts.size() || FTexts[size_t(textId)].length == 0)
        return;
    if (row < 0 || col < 0 || rowRepeat < 1 || colRepeat < 1 || row + rowRepeat > kMaxSheetRows ||
        col + colRepeat > kMaxSheetCols)
        ThrowTooLarge();
    const qint64 lastRow = row + rowRepeat - 1, lastCol = col + colRepeat - 1;
    qint64 firstRow = FFirstRow, firstCol = FFirstCol, endRow = FLastRow, endCol = FLastCol;
    if (FCells.empty()) {
        firstRow = row;
        firstCol = col;
        endRow = lastRow;
        endCol = lastCol;
    } else {
        firstRow = std::min(firstRow, row);
        firstCol = std::min(firstCol, col);
        endRow = std::max(endRow, lastRow);
        endCol = std::max(endCol, lastCol);
    }
    if ((endRow - firstRow + 1) * (endCol - firstCol + 1) > kMaxSheetCells)
        ThrowTooLarge();
    // Repeated cells are counted in full: the datasheet holds, and a label
    // file stores, every one of them.
    const qint64 cells = FHeldCells + rowRepeat * colRepeat;
    if (cells > kMaxImportCells)
        ThrowImportError(
            Tr("Import", "The spreadsheet is too large: more than %1 of its cells hold a value.").arg(kMaxImportCells));
    const qint64 held = FHeldChars + qint64(FTexts[size_t(textId)].length) * rowRepeat * colRepeat;
    if (held > kMaxSheetHeldChars)
        ThrowTooMuchText();
    FFirstRow = firstRow;
    FFirstCol = firstCol;
    FLastRow = endRow;
    FLastCol = endCol;
    FHeldCells = cells;
    FHeldChars = held;
    FCells.push_back({row, col, qint32(rowRepeat), qint32(colRepeat), textId});
}

void TSheetCells::WriteTo(TCellGridWriter& grid) const
{
    if (IsEmpty())
        ThrowNothingToImport();
    grid.SetColCount(int(ColCount()));
    grid.SetRowCount(int(RowCount()));
    // Only the cells that hold a value are written; the rest of the block is
    // emptied at once.
    grid.ClearCells();
    for (const TCell& cell : FCells) {
        const QStringView text = Text(cell.text);
        const int row = int(cell.row - FFirstRow);
        for (qint64 c = cell.col - FFirstCol, cEnd = c + cell.colRepeat; c < cEnd; ++c) {
            if (cell.rowRepeat == 1)
                grid.SetCell(int(c), row, text);
            else
                grid.FillCells(int(c), row, cell.rowRepeat, text);
        }
    }
}
