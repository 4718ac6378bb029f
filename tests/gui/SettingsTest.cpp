// Settings through a real INI file, and the options dialog's rules.
#include "gui/OptionsDialog.h"
#include "gui/Settings.h"
#include "common/DialogSupport.h"
#include "document/StandInPrinter.h"
#include "gui/properties/PropertyUnits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
struct Ini {
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("Tagmora.ini")); }
    QSettings store() const { return QSettings(path(), QSettings::IniFormat); }
};
}  // namespace

TEST(Settings, RoundTripThroughIniFile)
{
    Ini ini;
    TAppOptions out{QStringLiteral("/labels"), 4, 0, 1};
    TWindowPlacement win;
    win.Left = 10, win.Top = 20, win.Width = 800, win.Height = 600;
    {
        QSettings s(ini.path(), QSettings::IniFormat);
        StoreSettings(s, out, win, true, QStringLiteral("/a.blf"));
    }
    QSettings s(ini.path(), QSettings::IniFormat);
    EXPECT_EQ(s.value(QStringLiteral("Options/WinWidth")).toString(), QStringLiteral("800"));
    EXPECT_EQ(s.value(QStringLiteral("Options/Recent Files/0")).toString(), QStringLiteral("/a.blf"));
    TAppOptions in;
    TWindowPlacement back;
    QStringList recent;
    ASSERT_TRUE(LoadSettings(s, in, back, recent));
    EXPECT_EQ(in.DefSavePath, out.DefSavePath);
    EXPECT_EQ(in.RecentFileCount, 4);
    EXPECT_EQ(in.InvalidCodeProcess, 0);
    EXPECT_EQ(in.Units, 1);
    EXPECT_EQ(back.Width, 800);
    EXPECT_EQ(back.Top, 20);
    EXPECT_EQ(recent, QStringList{QStringLiteral("/a.blf")});
}

TEST(Settings, MaximisedWindowStoresOnlyItsState)
{
    Ini ini;
    QSettings s(ini.path(), QSettings::IniFormat);
    TWindowPlacement normal;
    normal.Width = 640;
    StoreSettings(s, TAppOptions(), normal, false, QString());
    TWindowPlacement maximised;
    maximised.State = wsMaximized;
    maximised.Width = 1920;
    StoreSettings(s, TAppOptions(), maximised, false, QString());
    EXPECT_EQ(s.value(QStringLiteral("Options/WinStat")).toString(), QStringLiteral("2"));
    EXPECT_EQ(s.value(QStringLiteral("Options/WinWidth")).toString(), QStringLiteral("640"));

    TWindowPlacement loaded;
    TAppOptions options;
    QStringList recent;
    LoadSettings(s, options, loaded, recent);
    EXPECT_EQ(loaded.State, wsMaximized);
    EXPECT_FALSE(loaded.Width.has_value());  // bounds are for a normal window only
}

TEST(Settings, NonNumberStopsTheLoadKeepingWhatWasRead)
{
    Ini ini;
    {
        QSettings s(ini.path(), QSettings::IniFormat);
        s.setValue(QStringLiteral("Options/DefSavePath"), QStringLiteral("/x"));
        s.setValue(QStringLiteral("Options/RecentFileCount"), QStringLiteral("3"));
        s.setValue(QStringLiteral("Options/InvalidCodeProcess"), QStringLiteral("many"));
        s.setValue(QStringLiteral("Options/Units"), QStringLiteral("1"));
    }
    QSettings s(ini.path(), QSettings::IniFormat);
    TAppOptions options;
    TWindowPlacement win;
    QStringList recent;
    EXPECT_FALSE(LoadSettings(s, options, win, recent));
    EXPECT_EQ(options.DefSavePath, QStringLiteral("/x"));
    EXPECT_EQ(options.RecentFileCount, 3);
    EXPECT_EQ(options.InvalidCodeProcess, 1);
    EXPECT_EQ(options.Units, 0);
}

TEST(Settings, RecentListRulesByCount)
{
    struct Case {
        int count;
        QStringList stored;
        QString current;
        QStringList expected;
    };
    const QString a = QStringLiteral("/l/a.blf"), b = QStringLiteral("/l/b.blf"), c = QStringLiteral("/l/c.blf");
    const Case cases[] = {
        {0, {}, a, {}},                                                         // off: nothing recorded
        {1, {b}, a, {b}},                                                       // shown, never rewritten
        {2, {b, c}, a, {a, b}},                                                 // new on top, cut to the count
        {3, {b, QStringLiteral("  /l/a.blf "), c}, a, {a, b, c}},               // duplicate ignoring blanks
        {3, {QStringLiteral("/L/A.blf")}, a, {a, QStringLiteral("/L/A.blf")}},  // letter case counts
        {-2, {b}, a, {}},                                                       // negative like 0
    };
    for (const Case& t : cases) {
        Ini ini;
        QSettings s(ini.path(), QSettings::IniFormat);
        for (int i = 0; i < t.stored.size(); ++i)
            s.setValue(QStringLiteral("Options/Recent Files/%1").arg(i), t.stored[i]);
        TAppOptions options;
        options.RecentFileCount = t.count;
        StoreSettings(s, options, TWindowPlacement(), true, t.current);
        TWindowPlacement win;
        QStringList recent;
        LoadSettings(s, options, win, recent);
        EXPECT_EQ(recent, t.expected) << "count " << t.count;
    }
}

TEST(Settings, RecentEntriesBeyondTenKeepTheirOrder)
{
    Ini ini;
    QSettings s(ini.path(), QSettings::IniFormat);
    QStringList paths;
    for (int i = 0; i < 12; ++i)
        paths << QStringLiteral("/f%1.blf").arg(i);
    TAppOptions options;
    options.RecentFileCount = 20;
    for (int i = 11; i >= 0; --i)
        StoreSettings(s, options, TWindowPlacement(), true, paths[i]);
    TWindowPlacement win;
    QStringList recent;
    LoadSettings(s, options, win, recent);
    EXPECT_EQ(recent, paths);
}

TEST(OptionsDialog, OkAppliesCancelKeepsAndBrowseEmptiesAMissingFolder)
{
    TFM_options dialog;
    TAppOptions options{QStringLiteral("/nowhere/at/all"), 5, 1, 0};
    dialog.Fill(options);
    QString startedAt = QStringLiteral("unset");
    dialog.BrowseFolder = [&](const QString& title, const QString& start) {
        EXPECT_EQ(title, QStringLiteral("Please Select Directory: "));
        startedAt = start;
        return QString();
    };
    dialog.BrowseClick();
    EXPECT_EQ(startedAt, QString());
    EXPECT_EQ(dialog.Edt_DefSavePath->text(), QString());

    dialog.Edt_DefSavePath->setText(QStringLiteral("  /tmp  "));
    dialog.SEdt_RecentCount->setValue(-3);
    dialog.CBX_Units->setCurrentIndex(1);
    dialog.Rdio_Ignore->setChecked(true);
    TAppOptions cancelled = options;
    QTimer::singleShot(0, &dialog, [&] { dialog.Btn_Cancel->click(); });
    EXPECT_FALSE(dialog.Execute(cancelled));
    EXPECT_EQ(cancelled.DefSavePath, options.DefSavePath);

    dialog.Edt_DefSavePath->setText(QStringLiteral("  /tmp  "));
    dialog.SEdt_RecentCount->setValue(-3);
    dialog.CBX_Units->setCurrentIndex(1);
    dialog.Rdio_Ignore->setChecked(true);
    dialog.Apply(options);
    EXPECT_EQ(options.DefSavePath, QStringLiteral("/tmp"));
    EXPECT_EQ(options.RecentFileCount, -3);
    EXPECT_EQ(options.Units, 1);
    EXPECT_EQ(options.InvalidCodeProcess, 0);
}

// Profiles by printer name: any name is a group of its own, values round
// trip, and what is missing, no number or out of range reads as the default.
TEST(Settings, PrinterProfilesRoundTripAndRefuseGarbage)
{
    Ini ini;
    QSettings s(ini.path(), QSettings::IniFormat);
    const QStringList names = {QStringLiteral("Zebra ZD420"), QStringLiteral("a/b\\c=d;[e]%20"),
                               QStringLiteral("Zebra_ZD420"), QString::fromUtf8("Étiquettes ünd 标签"), QString()};
    for (int i = 0; i < names.size(); ++i) {
        TPrinterProfile p;
        p.OffsetMm = QPointF(-1.25 - i, 0.5);
        p.ScalePercent = QPointF(99.5, 100.25 + i);
        p.Zpl = i % 2 == 0;
        p.ZplSettings = {i == 1 ? 600 : 300, i, 14 - i, TMediaKind(i % 3)};
        StorePrinterProfile(s, names[i], p);
    }
    QSettings back(ini.path(), QSettings::IniFormat);
    for (int i = 0; i < names.size(); ++i) {
        const TPrinterProfile p = LoadPrinterProfile(back, names[i]);
        EXPECT_EQ(p.OffsetMm, QPointF(-1.25 - i, 0.5)) << i;
        EXPECT_EQ(p.ScalePercent, QPointF(99.5, 100.25 + i)) << i;
        EXPECT_EQ(p.Zpl, i % 2 == 0) << i;
        EXPECT_EQ(p.ZplSettings.Dpi, i == 1 ? 600 : 300) << i;
        EXPECT_EQ(p.ZplSettings.Darkness, i) << i;
        EXPECT_EQ(p.ZplSettings.Speed, 14 - i) << i;
        EXPECT_EQ(int(p.ZplSettings.Media), i % 3) << i;
    }
    EXPECT_EQ(back.childGroups(), QStringList{QStringLiteral("Printers")});

    struct Case {
        const char *key, *value;
    } garbage[] = {{"OffsetX", "50.5"}, {"OffsetY", "nan"},    {"ScaleX", "49"},   {"ScaleY", "1e999"},
                   {"Zpl", "yes"},      {"ZplDpi", "204"},     {"Darkness", "31"}, {"Speed", "-1"},
                   {"Media", "ribbon"}};
    const QString group = PrinterProfileGroup(QStringLiteral("Bad"));
    for (const Case& c : garbage)
        back.setValue(group + QLatin1Char('/') + QLatin1String(c.key), QLatin1String(c.value));
    const TPrinterProfile bad = LoadPrinterProfile(back, QStringLiteral("Bad")), defaults;
    EXPECT_EQ(bad.OffsetMm, defaults.OffsetMm);
    EXPECT_EQ(bad.ScalePercent, defaults.ScalePercent);
    EXPECT_EQ(bad.Zpl, defaults.Zpl);
    EXPECT_EQ(bad.ZplSettings.Dpi, 203);
    EXPECT_EQ(bad.ZplSettings.Darkness, -1);
    EXPECT_EQ(bad.ZplSettings.Speed, 0);
    EXPECT_EQ(bad.ZplSettings.Media, TMediaKind::Gap);
}

// The printers' group: each printer shows its profile, ZPL fields follow the
// check box, measurements give offset and scale, OK stores what was edited;
// without printers the group says so and is disabled.
TEST(OptionsDialog, PrinterProfilesAreEditedPerPrinter)
{
    Ini ini;
    testsupport::ScopedDialogs dialogs;
    auto printers = TStandInPrinter::FromPrinterList(QStringLiteral("Office@600;Thermal@203"));
    TScopedPrinter use(*printers);
    {
        QSettings s = ini.store();
        TPrinterProfile thermal;
        thermal.OffsetMm = QPointF(1.5, -0.5);
        thermal.Zpl = true;
        StorePrinterProfile(s, QStringLiteral("Thermal"), thermal);
    }
    TFM_options dialog;
    dialog.SettingsStore = [&] { return std::make_unique<QSettings>(ini.path(), QSettings::IniFormat); };
    TAppOptions options;
    dialog.Fill(options);
    EXPECT_TRUE(dialog.Lab_NoPrinter->isHidden());
    EXPECT_EQ(dialog.CBX_Printer->currentText(), QStringLiteral("Office"));
    EXPECT_FALSE(dialog.CHK_Zpl->isChecked());
    EXPECT_FALSE(dialog.CBX_Media->isEnabled());
    dialog.RSEdt_ScaleX->setValue(101.5);

    dialog.CBX_Printer->setCurrentIndex(1);
    EXPECT_EQ(dialog.RSEdt_OffsetX->value(), 1.5);
    EXPECT_TRUE(dialog.CHK_Zpl->isChecked());
    EXPECT_TRUE(dialog.CBX_Media->isEnabled());
    // A4 at 203 dpi: A at 21 mm, B 102 mm from it, C where it belongs.
    EXPECT_EQ(dialog.RSEdt_MeasuredAB->value(), 100);
    dialog.RSEdt_MeasuredAX->setValue(21);
    dialog.RSEdt_MeasuredAB->setValue(102);
    dialog.Btn_WorkOut->click();
    EXPECT_EQ(dialog.RSEdt_OffsetX->value(), -0.59);
    EXPECT_EQ(dialog.RSEdt_ScaleX->value(), 98.04);
    EXPECT_EQ(dialog.RSEdt_ScaleY->value(), 100);
    dialog.CBX_Printer->setCurrentIndex(0);
    EXPECT_EQ(dialog.RSEdt_ScaleX->value(), 101.5);

    dialog.Btn_Calibration->click();
    ASSERT_EQ(printers->Pages.size(), 1);
    EXPECT_TRUE(dialogs.dialogs.messages.isEmpty());
    dialog.StoreProfiles();
    QSettings s = ini.store();
    EXPECT_EQ(LoadPrinterProfile(s, QStringLiteral("Office")).ScalePercent, QPointF(101.5, 100));
    const TPrinterProfile thermal = LoadPrinterProfile(s, QStringLiteral("Thermal"));
    EXPECT_EQ(thermal.OffsetMm, QPointF(-0.59, 0));
    EXPECT_EQ(thermal.ScalePercent, QPointF(98.04, 100));
    EXPECT_TRUE(thermal.Zpl);

    TStandInPrinter none;
    TScopedPrinter noPrinters(none);
    dialog.Fill(options);
    EXPECT_FALSE(dialog.Lab_NoPrinter->isHidden());
    EXPECT_FALSE(dialog.CBX_Printer->isEnabled());
    EXPECT_FALSE(dialog.Btn_Calibration->isEnabled());
}
