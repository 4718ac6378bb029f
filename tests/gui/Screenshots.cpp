// Pictures of the windows for the README and for looking them over:
// TAGMORA_SCREENSHOTS=DIR build/tests/test_gui --gtest_filter=Screenshots.*
// (under xvfb-run for the desktop's style). Skipped without the variable.
#include "gui/AboutWindow.h"
#include "gui/HelpWindow.h"
#include "gui/MainWindow.h"
#include "gui/OptionsDialog.h"
#include "common/DialogSupport.h"
#include "common/TestSupport.h"
#include "gui/datasheet/DatasheetWindow.h"
#include "gui/printing/HistoryWindow.h"
#include "engine/history/PrintRecord.h"

#include "gui/properties/LabelSetup.h"
#include "gui/properties/ObjectProperties.h"
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>

TEST(Screenshots, Capture)
{
    const QString out = qEnvironmentVariable("TAGMORA_SCREENSHOTS");
    if (out.isEmpty())
        GTEST_SKIP() << "set TAGMORA_SCREENSHOTS to a folder to take the pictures";
    QDir().mkpath(out);
    QTemporaryDir config;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
    testsupport::ScopedDialogs guard;
    const auto save = [&](QWidget* w, const QString& name) {
        QTest::qWait(50);
        EXPECT_TRUE(w->grab().save(out + QLatin1Char('/') + name + QStringLiteral(".png")));
    };

    TFM_Main window;
    window.resize(1000, 720);
    window.OpenAtStart(testsupport::SourcePath(QStringLiteral("examples/shipping.blf")));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    save(&window, QStringLiteral("main"));
    const QList<QMenu*> menus = {window.MN_File,      window.MN_Edit,     window.MN_Object, window.MN_Position,
                                 window.MN_Arrange,   window.MN_Data,     window.MN_View,   window.MN_Help,
                                 window.MN_Symbology, window.PMenu_Object};
    for (QMenu* menu : menus) {
        menu->popup(window.mapToGlobal(QPoint(40, 40)));
        QTest::qWait(50);
        QString name = menu->title().remove(QLatin1Char('&')).toLower();
        save(menu, QStringLiteral("menu-") +
                       (name.isEmpty() ? menu->objectName() + QString::number(menus.indexOf(menu)) : name));
        menu->hide();
    }
    window.OptionsDialog()->Fill(window.Options);
    window.OptionsDialog()->show();
    save(window.OptionsDialog(), QStringLiteral("options"));
    window.OptionsDialog()->hide();

    // Label Setup with a label product chosen.
    TFM_ObjPro::ExecHook = [&](QDialog& d) {
        TLabelSetupPage& page = *static_cast<TFM_ObjPro&>(d).LabelSetup();
        page.Edt_Template->setText(QStringLiteral("avery 5163"));
        if (page.LST_Template->count() > 0)
            page.LST_Template->setCurrentRow(0);
        d.show();
        save(&d, QStringLiteral("label-setup"));
        d.reject();
        return int(QDialog::Rejected);
    };
    TLabelSetupPage::EditLabelSetup(window.Document(), 0, &window);
    TFM_ObjPro::ExecHook = nullptr;

    QTimer::singleShot(300, window.DatasheetWindow(), [&] {
        save(window.DatasheetWindow(), QStringLiteral("datasheet"));
        window.DatasheetWindow()->reject();
    });
    window.DatasheetsClick();

    // The print history with a few runs of the example.
    {
        TDesktopPrintSettings settings;
        settings.History = config.filePath(QStringLiteral("history.sqlite"));
        const THistoryCapture capture = CaptureRun(window.Document(), window.Document().CurrentFileName(),
                                                   QStringLiteral("datasheet of the label"));
        const struct {
            TPrintStatus status;
            int painted;
            const char* output;
            const char* message;
        } runs[] = {{TPrintStatus::Printed, 3, "Zebra-ZD421", ""},
                    {TPrintStatus::Aborted, 1, "/home/clerk/labels.pdf", "A value in line 2 is a invalid code"},
                    {TPrintStatus::Printed, 3, "Zebra-ZD421", ""}};
        for (const auto& r : runs) {
            TPrintOutcome outcome;
            outcome.Status = r.status;
            outcome.Painted = r.painted;
            outcome.Pages = 1;
            outcome.Span = {1, 3};
            outcome.LastPlaced = r.painted;
            THistoryRun run = HistoryEntry(capture, outcome, QLatin1String(r.output), QLatin1String(r.message));
            QString warning;
            EXPECT_NE(RecordRun(settings.History, run, capture, warning), 0) << warning.toStdString();
        }
        TFM_History history(settings, &window);
        history.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&history));
        save(&history, QStringLiteral("print-history"));
    }

    const QString qch = QFileInfo(QStringLiteral(TAGMORA_GUI_PATH)).absolutePath() + QStringLiteral("/tagmora.qch");
    THelpWindow help(qch);
    help.ShowTopic(QStringLiteral("tagmora.htm"));
    help.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    save(&help, QStringLiteral("help"));

    TFM_About about;
    QTimer::singleShot(300, &about, [&] {
        save(&about, QStringLiteral("about"));
        about.accept();
    });
    about.ExecAbout();
    TFM_About splash;
    splash.ShowSplash(100000);
    save(&splash, QStringLiteral("splash"));
    splash.close();
}
