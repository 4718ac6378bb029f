#include "engine/printing/PrinterProfile.h"

#include <QSettings>

#include <algorithm>
#include <cmath>

std::unique_ptr<QSettings> OpenUserSettings()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tavix"),
                                       QStringLiteral("Tagmora"));
}

QString PrinterProfileGroup(const QString& printerName)
{
    QString group = QStringLiteral("Printers/");
    if (printerName.isEmpty())
        return group + QLatin1Char('_');
    for (const char c : printerName.toUtf8()) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9'))
            group += QLatin1Char(c);
        else
            group += QStringLiteral("_%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    }
    return group;
}

namespace {

const char* const kMediaNames[] = {"gap", "continuous", "mark"};

// A stored number within [low, high]; anything else gives fallback.
double ReadNumber(QSettings& store, const QString& key, double low, double high, double fallback)
{
    bool ok = false;
    const double value = store.value(key).toString().trimmed().toDouble(&ok);
    return ok && std::isfinite(value) && value >= low && value <= high ? value : fallback;
}

int ReadWhole(QSettings& store, const QString& key, int low, int high, int fallback)
{
    bool ok = false;
    const int value = store.value(key).toString().trimmed().toInt(&ok);
    return ok && value >= low && value <= high ? value : fallback;
}

}  // namespace

TPrinterProfile LoadPrinterProfile(QSettings& store, const QString& printerName)
{
    TPrinterProfile p;
    const TPrinterProfile defaults;
    store.beginGroup(PrinterProfileGroup(printerName));
    p.OffsetMm.setX(ReadNumber(store, QStringLiteral("OffsetX"), -50, 50, defaults.OffsetMm.x()));
    p.OffsetMm.setY(ReadNumber(store, QStringLiteral("OffsetY"), -50, 50, defaults.OffsetMm.y()));
    p.ScalePercent.setX(ReadNumber(store, QStringLiteral("ScaleX"), 50, 150, defaults.ScalePercent.x()));
    p.ScalePercent.setY(ReadNumber(store, QStringLiteral("ScaleY"), 50, 150, defaults.ScalePercent.y()));
    p.Zpl = ReadWhole(store, QStringLiteral("Zpl"), 0, 1, 0) == 1;
    const int dpi = ReadWhole(store, QStringLiteral("ZplDpi"), 203, 600, defaults.ZplSettings.Dpi);
    p.ZplSettings.Dpi = dpi == 300 || dpi == 600 ? dpi : defaults.ZplSettings.Dpi;
    p.ZplSettings.Darkness = ReadWhole(store, QStringLiteral("Darkness"), -1, 30, defaults.ZplSettings.Darkness);
    p.ZplSettings.Speed = ReadWhole(store, QStringLiteral("Speed"), 0, 14, defaults.ZplSettings.Speed);
    const QString media = store.value(QStringLiteral("Media")).toString().trimmed();
    for (int i = 0; i < 3; ++i)
        if (media == QLatin1String(kMediaNames[i]))
            p.ZplSettings.Media = TMediaKind(i);
    store.endGroup();
    return p;
}

void StorePrinterProfile(QSettings& store, const QString& printerName, const TPrinterProfile& profile)
{
    const auto number = [](double v) { return QString::number(v, 'g', 10); };
    store.beginGroup(PrinterProfileGroup(printerName));
    store.setValue(QStringLiteral("OffsetX"), number(profile.OffsetMm.x()));
    store.setValue(QStringLiteral("OffsetY"), number(profile.OffsetMm.y()));
    store.setValue(QStringLiteral("ScaleX"), number(profile.ScalePercent.x()));
    store.setValue(QStringLiteral("ScaleY"), number(profile.ScalePercent.y()));
    store.setValue(QStringLiteral("Zpl"), QString::number(profile.Zpl ? 1 : 0));
    store.setValue(QStringLiteral("ZplDpi"), QString::number(profile.ZplSettings.Dpi));
    store.setValue(QStringLiteral("Darkness"), QString::number(profile.ZplSettings.Darkness));
    store.setValue(QStringLiteral("Speed"), QString::number(profile.ZplSettings.Speed));
    const int media = std::clamp(int(profile.ZplSettings.Media), 0, 2);
    store.setValue(QStringLiteral("Media"), QLatin1String(kMediaNames[media]));
    store.endGroup();
    store.sync();
}
