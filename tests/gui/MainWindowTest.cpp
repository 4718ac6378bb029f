// The main window driven as a user would: lifecycle, recent files, command
// enabling, shortcuts, help. Settings live in a temporary folder and every
// question is answered through the scripted dialog layer.
#include "gui/HelpWindow.h"
#include "gui/MainWindow.h"
#include "gui/designer/DesignArea.h"
#include "gui/designer/PlanSurface.h"
#include "common/DialogSupport.h"
#include "common/TestSupport.h"
#include "gui/datasheet/DatasheetWindow.h"
#include "document/LabelObject.h"
#include "document/PlanLayer.h"

#include <QAccessible>
#include <QLabel>
#include <QToolButton>
#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "barcode/Barcode.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.filePath(QStringLiteral("config")));
        window = std::make_unique<TFM_Main>();
    }
    void TearDown() override
    {
        if (window)
            window->Document().SetModified(false);
        window.reset();
    }
    // A copy of the example label in the temporary folder.
    QString Example(const QString& name = QStringLiteral("label.blf"))
    {
        const QString path = dir.filePath(name);
        QFile::remove(path);
        QFile::copy(SourcePath(QStringLiteral("examples/shipping.blf")), path);
        return path;
    }
    QString PlanText() { return window->Document().Plan().PlanStrings().join(QLatin1Char('\n')); }
    QSettings Store() { return QSettings(QSettings::IniFormat, QSettings::UserScope, "Tavix", "Tagmora"); }
    TLabelObject* Object(int i) { return window->Document().Plan().Layers().Item(0)->Item(i); }
    int Prompts() const
    {
        int n = 0;
        for (const auto& m : guard.dialogs.messages)
            n += m.text == QLatin1String("Current file has been modified, Save it?");
        return n;
    }

    QTemporaryDir dir;
    ScopedDialogs guard;
    ScriptedDialogs& dialogs = guard.dialogs;
    std::unique_ptr<TFM_Main> window;
};
}  // namespace

TEST_F(MainWindow, StartsUntitledWithTitleAndCommandsInPlace)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tagmora 4.2  [ Untitled ]"));
    EXPECT_FALSE(window->Document().Modified());
    EXPECT_TRUE(window->SBtn_Pointer->isChecked());
    EXPECT_FALSE(window->MN_Recent->menuAction()->isVisible());
    const QList<QAction*> items = window->MN_Symbology->actions();
    ASSERT_EQ(items.size(), kBarcodeTypeCount + 1);  // the 2D and GS1 codes after a separator
    EXPECT_TRUE(items[kFirstLibrarySymbology]->isSeparator());
    EXPECT_EQ(items[kFirstLibrarySymbology + 1]->text(), QStringLiteral("QR Code"));
    EXPECT_TRUE(items[3]->isChecked());
    EXPECT_EQ(items[3]->text(), QStringLiteral("Code39"));
    EXPECT_FALSE(items[24]->isCheckable());  // "EAN128Auto" never takes the check
    EXPECT_EQ(window->PNL_ProM->height(), 88);
    window->SetPanelExpanded(false);
    EXPECT_EQ(window->PNL_ProM->maximumHeight(), 25);
    EXPECT_FALSE(window->MI_ViewPanel->isChecked());
}

TEST_F(MainWindow, ModifiedPromptAnswersDecideTheCommand)
{
    struct Case {
        int answer;
        QString saveAs;  // the save dialog's answer when Yes asks for a name
        bool goesOn;
        bool stillModified;
    };
    const QString target = dir.filePath(QStringLiteral("saved.blf"));
    const Case cases[] = {
        {mbCancel, {}, false, true},
        {mbNo, {}, true, false},
        {mbYes, {}, false, true},  // save dialog cancelled: nothing is discarded
        {mbYes, target, true, false},
    };
    for (const Case& c : cases) {
        window->NewClick();
        window->Document().MarkChanged();
        dialogs.buttonAnswers = {c.answer};
        dialogs.fileAnswers = {c.saveAs};
        EXPECT_EQ(window->NewClick(), c.goesOn) << c.answer;
        EXPECT_EQ(window->Document().Modified(), c.stillModified) << c.answer;
        EXPECT_EQ(window->Document().HasFileName(), false);
    }
    EXPECT_TRUE(QFile::exists(target));
    const int before = Prompts();
    window->NewClick();  // not modified: no question
    EXPECT_EQ(Prompts(), before);
}

TEST_F(MainWindow, FailedSaveKeepsModifiedAndAbandonsClosing)
{
    window->Document().MarkChanged();
    dialogs.buttonAnswers = {mbYes};
    dialogs.fileAnswers = {dir.filePath(QStringLiteral("no/such/folder/x.blf"))};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->Document().Modified());
    EXPECT_EQ(dialogs.messages.back().type, TMsgDlgType::mtError);
    EXPECT_FALSE(Store().contains(QStringLiteral("Options/WinStat")));  // closing stopped before storing

    // Save on a named document writes in place, without a dialog.
    const QString path = Example();
    dialogs.buttonAnswers = {mbNo};
    ASSERT_TRUE(window->OpenFile(path));
    window->Document().MarkChanged();
    dialogs.fileAnswers = {QStringLiteral("/must/not/be/asked.blf")};
    EXPECT_TRUE(window->SaveClick());
    EXPECT_EQ(dialogs.fileAnswers.size(), 1u);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tagmora 4.2  [ %1 ]").arg(path));
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(Store().contains(QStringLiteral("Options/WinStat")));
}

// Exit with unsaved edits answered No: the window goes, and with it the
// document and its undo steps, without calling into the panes already gone.
TEST_F(MainWindow, ExitDiscardingEditsEndsCleanly)
{
    ASSERT_TRUE(window->OpenFile(Example()));
    TLabelPlan& plan = window->Document().Plan();
    plan.SetCurrentObject(Object(0));
    QTest::keyClick(window->Design->Surface(), Qt::Key_Right);
    ASSERT_TRUE(window->Document().Modified());
    ASSERT_GT(window->Document().UndoStack().count(), 0);
    dialogs.buttonAnswers = {mbNo};
    window->MI_Exit->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(Prompts(), 1);
    window.reset();
}

TEST_F(MainWindow, UnreadableOrVanishedFileKeepsThePreviousDocument)
{
    const QString good = Example();
    ASSERT_TRUE(window->OpenFile(good));
    window->Document().MarkChanged();
    const QString plan = PlanText();

    const QString broken = dir.filePath(QStringLiteral("broken.blf"));
    QByteArray bytes = ReadFile(good);
    bytes.chop(bytes.size() / 3);
    ASSERT_TRUE(WriteFile(broken, bytes));
    for (const QString& path : {broken, dir.filePath(QStringLiteral("vanished.blf"))}) {
        dialogs.buttonAnswers = {mbNo};
        dialogs.messages.clear();
        EXPECT_FALSE(window->OpenFile(path));
        ASSERT_FALSE(dialogs.messages.isEmpty());
        EXPECT_EQ(dialogs.messages.back().type, TMsgDlgType::mtError);
        EXPECT_EQ(window->Document().CurrentFileName(), good);
        EXPECT_TRUE(window->Document().Modified());
        EXPECT_EQ(PlanText(), plan);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Tagmora 4.2  [ %1 ]").arg(good));
    }
}

TEST_F(MainWindow, RecentFilesListMovesOpenedFilesToTheTop)
{
    window->Options.RecentFileCount = 3;
    const QString a = Example(QStringLiteral("a.blf"));
    const QString b = Example(QStringLiteral("b & c.blf"));
    ASSERT_TRUE(window->OpenFile(a));
    ASSERT_TRUE(window->OpenFile(b));
    EXPECT_EQ(window->RecentFiles(), (QStringList{b, a}));
    EXPECT_TRUE(window->MN_Recent->menuAction()->isVisible());
    // "&" is part of the path, shown as such and opened.
    EXPECT_EQ(window->MN_Recent->actions().first()->text(), QString(b).replace("&", "&&"));
    ASSERT_TRUE(window->OpenRecent(1));
    EXPECT_EQ(window->Document().CurrentFileName(), a);
    ASSERT_TRUE(window->OpenRecent(1));
    EXPECT_EQ(window->Document().CurrentFileName(), b);
    EXPECT_EQ(window->RecentFiles(), (QStringList{b, a}));

    // The open file itself: nothing happens, not even the prompt.
    window->Document().MarkChanged();
    EXPECT_FALSE(window->OpenRecent(0));
    EXPECT_EQ(Prompts(), 0);

    // A missing file: the message, and the entry stays.
    QFile::remove(a);
    EXPECT_FALSE(window->OpenRecent(1));
    EXPECT_EQ(dialogs.messages.back().text, QStringLiteral("File %1 does not exist, Please check it! ").arg(a));
    EXPECT_EQ(window->RecentFiles().size(), 2);
    EXPECT_EQ(window->Document().CurrentFileName(), b);
}

TEST_F(MainWindow, ToolBarsAreStricterThanMenusForALockedCurrentObject)
{
    ASSERT_TRUE(window->OpenFile(Example()));
    TLabelPlan& plan = window->Document().Plan();
    ASSERT_GT(plan.Layers().Item(0)->Count(), 1);
    TLabelObject* object = Object(0);

    plan.SetCurrentObject(nullptr);
    window->RefreshCommands();
    EXPECT_FALSE(window->MI_Delete->isEnabled());
    EXPECT_FALSE(window->MI_UnlockAll->isEnabled());

    plan.SetCurrentObject(object);
    window->RefreshCommands();
    EXPECT_TRUE(window->MI_Delete->isEnabled());
    EXPECT_TRUE(window->SBtn_Delete->isEnabled());

    object->ReadOnly = true;  // a locked object that is current
    plan.SetCurrentObject(object);
    window->RefreshCommands();
    EXPECT_TRUE(window->MI_Delete->isEnabled());
    EXPECT_FALSE(window->SBtn_Delete->isEnabled());
    EXPECT_FALSE(window->SBtn_ObjPro->isEnabled());
    EXPECT_TRUE(window->MI_UnlockAll->isEnabled());
    EXPECT_TRUE(window->SBtn_UnlockAll->isEnabled());

    window->SBtn_UnlockAll->trigger();
    EXPECT_FALSE(object->ReadOnly);
    EXPECT_FALSE(window->SBtn_UnlockAll->isEnabled());
    EXPECT_TRUE(window->Document().Modified());
}

TEST_F(MainWindow, EveryKindOfChangeMarksTheDocumentModified)
{
    ASSERT_TRUE(window->OpenFile(Example()));
    TLabelDocument& doc = window->Document();
    const int objects = doc.Plan().Layers().Item(0)->Count();
    const auto changed = [&](const char* what, const std::function<void()>& step) {
        doc.SetModified(false);
        step();
        EXPECT_TRUE(doc.Modified()) << what;
    };
    changed("lock", [&] {
        Object(0)->Focus();
        window->PM_Lock->trigger();
    });
    changed("unlock from the popup", [&] { window->PM_UnlockAll->trigger(); });
    changed("delete", [&] {
        Object(0)->Focus();
        window->MI_Delete->trigger();
    });
    EXPECT_EQ(doc.Plan().Layers().Item(0)->Count(), objects - 1);
    changed("undo", [&] { window->MI_Undo->trigger(); });
    EXPECT_EQ(doc.Plan().Layers().Item(0)->Count(), objects);
    changed("redo", [&] { window->MI_Redo->trigger(); });
    changed("align", [&] {
        window->MI_SelectAll->trigger();
        window->MI_AlignLeft->trigger();
    });
    changed("datasheet window", [&] {
        QTimer::singleShot(0, window->DatasheetWindow(), [this] {
            window->DatasheetWindow()->Datasheet().StrGrid_Data.SetCell(1, 1, u"changed");
            window->DatasheetWindow()->accept();
        });
        window->DatasheetsClick();
    });
    // Opening the datasheet and closing it is no change, nor is a cancelled edit.
    for (const bool edit : {false, true}) {
        doc.SetModified(false);
        QTimer::singleShot(0, window->DatasheetWindow(), [this, edit] {
            if (edit)
                window->DatasheetWindow()->Datasheet().StrGrid_Data.SetCell(1, 1, u"thrown away");
            window->DatasheetWindow()->reject();
        });
        window->DatasheetsClick();
        EXPECT_FALSE(doc.Modified()) << edit;
    }
    window->LabelSetup = [](TLabelDocument&, int) { return true; };
    changed("label setup", [&] { window->LabelSetupClick(); });
}

TEST_F(MainWindow, ShortcutsRunTheirCommandOnce)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QStringList topics;
    window->ShowHelp = [&](const QString& topic) {
        topics << topic;
        return true;
    };
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(topics, QStringList{QStringLiteral("tagmora.htm")});

    window->Document().MarkChanged();
    dialogs.buttonAnswers = {mbCancel};
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Prompts(), 1);
    dialogs.buttonAnswers = {mbCancel};
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(Prompts(), 2);

    dialogs.buttonAnswers = {mbNo};
    ASSERT_TRUE(window->OpenFile(Example()));
    const int objects = window->Document().Plan().Layers().Item(0)->Count();
    Object(0)->Focus();
    QTest::keyClick(window.get(), Qt::Key_Delete);
    EXPECT_EQ(window->Document().Plan().Layers().Item(0)->Count(), objects - 1);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window->Document().Plan().Layers().Item(0)->Count(), objects);
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(window->Document().Plan().Layers().Item(0)->Count(), objects - 1);
}

TEST(Help, MissingFilesGiveAClearErrorAndTheCompiledHelpHasBothTopics)
{
    ScopedDialogs guard;
    QStandardPaths::setTestModeEnabled(true);
    // The test program's folder holds no help.
    ASSERT_TRUE(HelpFilePath().isEmpty());
    EXPECT_FALSE(ShowHelpTopic(QStringLiteral("tagmora.htm"), nullptr));
    ASSERT_EQ(guard.dialogs.messages.size(), 1);
    EXPECT_EQ(guard.dialogs.messages[0].text, HelpMissingMessage(QString()));

    const QString built = QStringLiteral(TAGMORA_GUI_PATH);
    const QString qch = QFileInfo(built).absolutePath() + QStringLiteral("/tagmora.qch");
    if (!QFileInfo::exists(qch))
        GTEST_SKIP() << "help not compiled (qhelpgenerator missing)";
    THelpWindow help(qch);
    ASSERT_TRUE(help.IsValid());
    EXPECT_TRUE(help.ShowTopic(QStringLiteral("tagmora.htm")));
    EXPECT_TRUE(help.Browser->toPlainText().contains(QStringLiteral("main window")));
    EXPECT_TRUE(help.ShowTopic(QStringLiteral("datasheet.htm")));
    EXPECT_FALSE(help.ShowTopic(QStringLiteral("missing.htm")));
}

TEST_F(MainWindow, CreatingAnObjectWithTheMouseMarksTheDocumentModified)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    TLabelPlan& plan = window->Document().Plan();
    const int before = plan.Layers().Item(0)->Count();
    window->SBtn_Rect->trigger();
    QTest::mouseClick(window->Design->Surface(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(window->Design->Surface(), QPoint(60, 50));
    QTest::mouseClick(window->Design->Surface(), Qt::LeftButton, {}, QPoint(80, 60));
    EXPECT_EQ(plan.Layers().Item(0)->Count(), before + 1);
    EXPECT_TRUE(window->Document().Modified());
    EXPECT_TRUE(window->SBtn_Pointer->isChecked());
}

// A tool button switched on without being triggered (as assistive tools do)
// starts its tool; the pointer button ends it again.
TEST_F(MainWindow, ToggledToolButtonsStartTheirTool)
{
    window->SBtn_Rect->setChecked(true);
    EXPECT_EQ(window->Design->Tool(), TObjectTool::Rectangle);
    window->SBtn_Pointer->setChecked(true);
    EXPECT_EQ(window->Design->Tool(), TObjectTool::Pointer);
}

// Assistive tools hear the status values, and reach the symbology menu
// behind the barcode tool's arrow as a child of that button.
TEST_F(MainWindow, StatusValuesAndTheSymbologyMenuAreAccessible)
{
    window->Design->ActualSize();
    EXPECT_EQ(window->Stat_Zoom->accessibleName(), QStringLiteral("Zoom: 100%"));
    EXPECT_EQ(window->Stat_Size->accessibleName(), QStringLiteral("Label Size Width: 6.35 cm Height: 4.59 cm"));

    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(window->SBtn_Symbology);
    ASSERT_NE(button, nullptr);
    ASSERT_EQ(button->childCount(), 1);
    QAccessibleInterface* menu = button->child(0);
    EXPECT_EQ(menu->object(), window->MN_Symbology);
    EXPECT_EQ(button->indexOfChild(menu), 0);
    ASSERT_EQ(menu->childCount(), window->MN_Symbology->actions().size());
    EXPECT_EQ(menu->child(23)->text(QAccessible::Name), QStringLiteral("Code128Auto"));
}
