// Pieces the import loaders share: the error they raise, the text form of
// spreadsheet and database values, and a collector for sparse sheet cells.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <stdexcept>
#include <vector>

class TCellGridWriter;

// A file that cannot be imported; what() is the message for the user (UTF-8).
class EImportError : public std::runtime_error {
public:
    explicit EImportError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

[[noreturn]] void ThrowImportError(const QString& message);

// The largest sheet a spreadsheet import fills (rows x columns of its used
// range); bigger ranges are refused instead of being allocated. Empty cells
// inside the range cost nothing.
constexpr int kMaxSheetRows = 1048576;
constexpr int kMaxSheetCols = 16384;
constexpr qint64 kMaxSheetCells = 50'000'000;
// What one import may put into the datasheet, every repeated cell counted:
// cells that hold a value (a line of delimited text counts at least one), the
// characters of their text, and the characters of one cell.
constexpr qint64 kMaxImportCells = qint64(1) << 24;
constexpr qint64 kMaxSheetHeldChars = 128'000'000;
constexpr qint64 kMaxCellChars = 65536;
// The most bytes a spreadsheet part may unpack to.
constexpr qint64 kMaxUnpackedPartBytes = qint64(256) << 20;

// "There is nothing to import: the file holds no text."
[[noreturn]] void ThrowNothingToImport();

// Collects the warnings of the imports run on this thread while it lives
// (nested collectors: the innermost one). A warning is a note for the user
// about a file that was imported all the same.
class TImportWarnings {
public:
    TImportWarnings();
    ~TImportWarnings();
    TImportWarnings(const TImportWarnings&) = delete;
    TImportWarnings& operator=(const TImportWarnings&) = delete;
    const QStringList& List() const { return FList; }

private:
    friend void ImportWarning(const QString& text);
    QStringList FList;
    TImportWarnings* FOuter;
};

// Hands a warning to the current collector; without one it is dropped.
void ImportWarning(const QString& text);

// A number as a spreadsheet shows it in its General format: up to 15
// significant digits, no trailing zeros, integers without ".0"; the E notation
// ("1E+20", "1E-05") only below 0.0001 and from 1E+15 on. Always "." as the
// decimal separator.
QString NumberToText(double value, int significantDigits = 15);

// A money amount: at least two decimals, at most four (1234.5 -> "1234.50").
QString CurrencyToText(double value);

// What a number format shows of a serial date: nothing (a plain number), the
// date, the time of day, or both.
enum class TDateKind { dkNone, dkDate, dkTime, dkDateTime };

// The kind of a number format code: y, d and a month m make a date, h, s and
// elapsed [h]/[m]/[s] a time (m next to them is minutes); quoted text,
// escapes, bracketed colours and conditions, and sections after the first
// do not count.
TDateKind DateFormatKind(QStringView code);
// The kind of one of Excel's built-in number formats (by its id).
TDateKind BuiltinDateFormatKind(int formatId);

// A spreadsheet serial date (days since 1899-12-30 in the 1900 date system,
// keeping its 29 February 1900; since 1904-01-01 in the 1904 system) as ISO
// text: "2024-03-15" (a date, or a date-time at midnight), "2024-03-15 13:45:00",
// "13:45:00" (a time, or a date-time below 1). Serials outside the years
// 1900..9999 are shown as numbers.
QString SerialDateToText(double serial, TDateKind kind, bool date1904 = false);

// While alive, the C library on this thread formats and parses numbers with
// "." whatever the user's locale (for libraries that use printf and strtod).
class TCNumericLocaleScope {
public:
    TCNumericLocaleScope();
    ~TCNumericLocaleScope();
    TCNumericLocaleScope(const TCNumericLocaleScope&) = delete;
    TCNumericLocaleScope& operator=(const TCNumericLocaleScope&) = delete;

private:
    void* FLocale = nullptr;
    void* FPrevious = nullptr;
};

// Cells of one sheet gathered in any order, each possibly repeated over a
// block of rows and columns (as OpenDocument files repeat them). Texts are
// kept once in an arena and may be shared by many cells (shared strings); a
// repeated cell is counted, not expanded, until it is written out.
// Written out as the bounding block of the non-empty cells: the grid gets
// exactly that size and every cell of it, the top-left cell going to (0, 0).
class TSheetCells {
public:
    // Stores a text and returns its id. Throws EImportError for a text longer
    // than a cell may hold, or past a sane total.
    qint32 AddText(QStringView text);
    // Puts text `textId` at (row, col), repeated over rowRepeat x colRepeat
    // cells. Empty texts are skipped. Throws EImportError when the used range
    // grows past the sheet limits, or the cells or their text past what one
    // import may bring.
    void AddCell(qint64 row, qint64 col, qint32 textId, qint64 rowRepeat = 1, qint64 colRepeat = 1);
    // The same for a text not stored yet; a text longer than a cell may hold
    // is refused naming the cell.
    void AddCell(qint64 row, qint64 col, QStringView text, qint64 rowRepeat = 1, qint64 colRepeat = 1);

    bool IsEmpty() const { return FCells.empty(); }
    qint64 FirstRow() const { return IsEmpty() ? 0 : FFirstRow; }
    qint64 FirstCol() const { return IsEmpty() ? 0 : FFirstCol; }
    qint64 RowCount() const { return IsEmpty() ? 1 : FLastRow - FFirstRow + 1; }
    qint64 ColCount() const { return IsEmpty() ? 1 : FLastCol - FFirstCol + 1; }
    // Throws ThrowNothingToImport's error when no cell holds a value.
    void WriteTo(TCellGridWriter& grid) const;

private:
    struct TCell {
        qint64 row, col;
        qint32 rowRepeat, colRepeat;
        qint32 text;
    };
    struct TText {
        qint64 offset;
        qint32 length;
    };
    QStringView Text(qint32 id) const;

    std::vector<TCell> FCells;
    std::vector<TText> FTexts;
    std::vector<char16_t> FArena;
    qint64 FFirstRow = 0, FFirstCol = 0, FLastRow = -1, FLastCol = -1;
    qint64 FHeldCells = 0;
    qint64 FHeldChars = 0;
};
