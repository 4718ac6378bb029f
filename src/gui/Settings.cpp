#include "gui/Settings.h"

#include <QSettings>

#include <algorithm>
#include <cmath>

namespace {
const QString kOptions = QStringLiteral("Options");
const QString kRecent = QStringLiteral("Options/Recent Files");

// Reads an integer value if present; false when present but not a number.
bool ReadInt(QSettings& store, const QString& key, int& target)
{
    if (!store.contains(key))
        return true;
    bool ok = false;
    const int value = store.value(key).toString().trimmed().toInt(&ok);
    if (!ok)
        return false;
    target = value;
    return true;
}

bool ReadBound(QSettings& store, const QString& key, std::optional<int>& target)
{
    int value = 0;
    if (!store.contains(key))
        return true;
    if (!ReadInt(store, key, value))
        return false;
    target = value;
    return true;
}

// The entries of the recent group in index order ("0", "1", ..., "10").
QStringList RecentKeys(QSettings& store)
{
    store.beginGroup(kRecent);
    QStringList keys = store.childKeys();
    store.endGroup();
    std::stable_sort(keys.begin(), keys.end(), [](const QString& a, const QString& b) {
        bool okA = false, okB = false;
        const int na = a.toInt(&okA), nb = b.toInt(&okB);
        if (okA && okB)
            return na < nb;
        if (okA != okB)
            return okA;
        return a < b;
    });
    return keys;
}
}  // namespace


bool LoadSettings(QSettings& store, TAppOptions& options, TWindowPlacement& window, QStringList& recent)
{
    store.sync();
    if (store.childGroups().contains(kOptions)) {
        store.beginGroup(kOptions);
        bool ok = ReadInt(store, QStringLiteral("WinStat"), window.State);
        if (ok && window.State == wsNormal)
            ok = ReadBound(store, QStringLiteral("WinWidth"), window.Width) &&
                 ReadBound(store, QStringLiteral("WinHeight"), window.Height) &&
                 ReadBound(store, QStringLiteral("WinLeft"), window.Left) &&
                 ReadBound(store, QStringLiteral("WinTop"), window.Top);
        options.PrintHistory = store.value(QStringLiteral("PrintHistory")).toString();
        if (ok && store.contains(QStringLiteral("DefSavePath")))
            options.DefSavePath = store.value(QStringLiteral("DefSavePath")).toString();
        ok = ok && ReadInt(store, QStringLiteral("RecentFileCount"), options.RecentFileCount) &&
             ReadInt(store, QStringLiteral("InvalidCodeProcess"), options.InvalidCodeProcess) &&
             ReadInt(store, QStringLiteral("Units"), options.Units);
        store.endGroup();
        if (!ok)
            return false;
    }
    if (options.RecentFileCount > 0) {
        QStringList paths;
        for (const QString& key : RecentKeys(store))
            paths << store.value(kRecent + QLatin1Char('/') + key).toString();
        recent = paths;
    }
    return true;
}

void StoreSettings(QSettings& store, const TAppOptions& options, const TWindowPlacement& window, bool hasFileName,
                   const QString& currentFileName)
{
    if (hasFileName && options.RecentFileCount > 1) {
        QStringList paths;
        const QStringList keys = RecentKeys(store);
        for (const QString& key : keys)
            paths << store.value(kRecent + QLatin1Char('/') + key).toString();
        store.remove(kRecent);
        const QString current = currentFileName.trimmed();
        const auto same =
            std::find_if(paths.begin(), paths.end(), [&](const QString& p) { return p.trimmed() == current; });
        if (same != paths.end())
            paths.erase(same);
        paths.prepend(currentFileName);
        while (paths.size() > options.RecentFileCount)
            paths.removeLast();
        for (int i = 0; i < paths.size(); ++i)
            store.setValue(kRecent + QLatin1Char('/') + QString::number(i), paths.at(i));
    }
    store.beginGroup(kOptions);
    store.setValue(QStringLiteral("WinStat"), QString::number(window.State));
    if (window.State == wsNormal) {
        const auto put = [&](const char* key, const std::optional<int>& v) {
            if (v)
                store.setValue(QLatin1String(key), QString::number(*v));
        };
        put("WinWidth", window.Width);
        put("WinHeight", window.Height);
        put("WinLeft", window.Left);
        put("WinTop", window.Top);
    }
    store.setValue(QStringLiteral("DefSavePath"), options.DefSavePath);
    store.setValue(QStringLiteral("RecentFileCount"), QString::number(options.RecentFileCount));
    store.setValue(QStringLiteral("InvalidCodeProcess"), QString::number(options.InvalidCodeProcess));
    store.setValue(QStringLiteral("Units"), QString::number(options.Units));
    if (!options.PrintHistory.isEmpty())
        store.setValue(QStringLiteral("PrintHistory"), options.PrintHistory);
    store.endGroup();
    store.sync();
}

