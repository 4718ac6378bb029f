// What the program knows about one printer beyond what its queue tells: the
// calibration measured on a calibration sheet, and whether the printer is a
// thermal label printer spoken to in ZPL II (with its resolution, darkness,
// speed and media). Kept per printer name in the user settings; applied to
// every run on that printer and to the preview's placement, never to a label
// file.
#pragma once

#include <QPointF>
#include <QSettings>
#include <QString>

#include <memory>

// How the printer finds the next label.
enum class TMediaKind {
    Gap,         // labels on a liner with gaps between them (sensed)
    Continuous,  // a continuous roll: each label is cut or torn at its length
    Mark,        // labels with a black mark on the back
};

struct TZplSettings {
    int Dpi = 203;       // 203, 300 or 600 dots per inch
    int Darkness = -1;   // 0..30 (~SD); -1 leaves the printer's own
    int Speed = 0;       // inches per second (^PR), 1..14; 0 leaves the printer's own
    TMediaKind Media = TMediaKind::Gap;
};

struct TPrinterProfile {
    // The sheet moved right and down by OffsetMm and its positions scaled by
    // ScalePercent (100 = as designed).
    QPointF OffsetMm;
    QPointF ScalePercent{100.0, 100.0};
    // The printer takes ZPL II (its queue is raw or the user said so).
    bool Zpl = false;
    TZplSettings ZplSettings;

    bool Calibrated() const
    {
        return !OffsetMm.isNull() || ScalePercent != QPointF(100.0, 100.0);
    }
};

// The per-user INI file of organisation "Tavix", application "Tagmora",
// where the desktop program keeps its options and the printer profiles.
std::unique_ptr<QSettings> OpenUserSettings();

// A printer's profile by the printer's name. A value missing, not a number
// or out of range reads as its default: offsets within +-50 mm, scales within
// 50..150 %, a ZPL resolution of 203, 300 or 600, darkness -1..30, speed 0..14.
TPrinterProfile LoadPrinterProfile(QSettings& store, const QString& printerName);
void StorePrinterProfile(QSettings& store, const QString& printerName, const TPrinterProfile& profile);
// The settings group of a printer: its name with every character other than
// an ASCII letter or digit written as _XX (the UTF-8 bytes in hex), so any
// name, slashes and all, is one group of its own.
QString PrinterProfileGroup(const QString& printerName);
