// The user settings kept between runs: the main window's placement, the four
// options of the options dialog and the recent files list, stored as strings
// in the per-user INI file of organisation "Tavix", application "Tagmora":
//
//   [Options]  WinStat, WinWidth, WinHeight, WinLeft, WinTop, DefSavePath,
//              RecentFileCount, InvalidCodeProcess, Units, PrintHistory
//   [Options/Recent Files]  0, 1, 2, ... (0 the most recent)
//   [Printers/<printer name, escaped>]  OffsetX, OffsetY (mm), ScaleX, ScaleY
//              (%), Zpl (0/1), ZplDpi, Darkness, Speed, Media (gap,
//              continuous, mark)
#pragma once

#include "engine/printing/PrinterProfile.h"

#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QSettings;

// The options the program reads everywhere.
struct TAppOptions {
    QString DefSavePath;         // first folder of the save dialog
    int RecentFileCount = 0;     // length of the recent list; below 2 nothing is recorded
    int InvalidCodeProcess = 1;  // 0 skip a label with an invalid code, else abort printing
    int Units = 0;               // 0 centimetre, 1 inch
    // The print history's store (an SQLite file or a postgresql:// URL);
    // empty: $TAGMORA_HISTORY, else the default file. Written only when set.
    QString PrintHistory;
};

// Window states as stored under "WinStat".
enum TWinStat { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

struct TWindowPlacement {
    int State = wsNormal;
    // Bounds of the normal window; a stored value missing leaves its field empty.
    std::optional<int> Left, Top, Width, Height;
};

// Reads what exists of the settings into the arguments. A value that is not a
// number stops the reading there, silently: what was read so far stays.
// Window bounds are read only when the (stored) state is normal. The recent
// list is read when RecentFileCount > 0, all stored entries in index order.
// Returns false when the reading stopped at a bad value.
bool LoadSettings(QSettings& store, TAppOptions& options, TWindowPlacement& window, QStringList& recent);

// Writes the settings. The recent list is rewritten only for a document with a
// file name and a RecentFileCount above 1: the file goes to the top, an entry
// equal to it (ignoring surrounding blanks) is removed, and the list is cut to
// RecentFileCount. The window bounds are written only for a normal window.
void StoreSettings(QSettings& store, const TAppOptions& options, const TWindowPlacement& window, bool hasFileName,
                   const QString& currentFileName);

