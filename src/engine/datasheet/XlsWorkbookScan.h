// What the ".XLS" loader reads from an Excel 97-2003 workbook beside the cell
// library: the active sheet, the sheets' declared sizes, and the cells the
// library leaves out (cached formula results, booleans, error values).
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include "engine/datasheet/ImportSupport.h"

// The streams of a compound document (OLE2 structured storage) file.
class TCompoundFile {
public:
    // Parses the container; false when it is not a sound compound document.
    bool Open(const QByteArray& file);
    // The content of the stream with this name (case ignored); false when
    // there is none or its sector chain is broken.
    bool ReadStream(const QString& name, QByteArray& content) const;

private:
    bool ReadChain(quint32 start, qint64 size, bool mini, QByteArray& out) const;
    QByteArray FFile;
    quint32 FSectorSize = 512;
    quint32 FMiniSectorSize = 64;
    quint32 FMiniCutoff = 4096;
    QList<quint32> FFat;
    QList<quint32> FMiniFat;
    QByteArray FMiniStream;
    struct TEntry {
        QString name;
        int type = 0;
        quint32 start = 0;
        qint64 size = 0;
    };
    QList<TEntry> FEntries;
};

// A cell value the sheet holds that is to replace what the library gives.
struct TXlsCellOverride {
    enum TKind { ckNumber, ckText, ckBoolean, ckError };
    TKind kind = ckError;
    double number = 0;
    QString text;
    int xf = 0;  // cell format index, for dates
};

struct TXlsWorkbookScan {
    struct TSheet {
        QString name;
        int type = 0;            // 0 worksheet, 1 macro sheet, 2 chart, 6 module
        quint32 streamPos = 0;   // offset of the sheet's BOF in the stream
        qint64 declaredCells = 0;  // rows x columns of its DIMENSIONS record
    };
    bool ok = false;             // the workbook stream was found and read
    bool encrypted = false;
    int biffVersion = 8;         // 5 or 8
    int activeTab = 0;           // index into sheets (the tab selected in the window)
    int scannedSheet = -1;       // index into sheets of the sheet whose cells were read
    bool date1904 = false;
    QList<TSheet> sheets;
    QList<int> xfFormats;        // number format id of each cell format
    QHash<int, QString> formats; // custom number format codes by id
    // Cells of the sheet asked for, by (row << 16) | column.
    QHash<qint64, TXlsCellOverride> cells;

    // The date kind a cell format shows, from built-in and custom formats.
    TDateKind DateKindOfXf(int xf) const;
};

// Reads the workbook's sheet list, active tab, date system and formats, and
// the cells of the sheet at sheetIndex (-1: the active one) that are not
// plain values. Never throws; `ok` is false when the file cannot be scanned.
TXlsWorkbookScan ScanXlsWorkbook(const QByteArray& file, int sheetIndex = -1);
