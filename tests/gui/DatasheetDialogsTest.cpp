// The datasheet window's dialogs: generating a sequence, choosing the table
// of a database to import.
#include "common/DialogSupport.h"
#include "gui/datasheet/GetTable.h"
#include "gui/datasheet/SequenceDialog.h"

#include "common/DatasheetTestUtil.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

TEST(SequenceDialog, ControlsWarningsAndOk)
{
    testsupport::ScopedDialogs scoped;
    auto& dlg = scoped.dialogs;
    TFM_Sdata w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Generate Sequence"));
    EXPECT_EQ(w.RPT->minimum(), 1);
    EXPECT_EQ(w.RPT->maximum(), 100);
    EXPECT_EQ(w.SEdt_Step->value(), 1);
    EXPECT_EQ(w.Btn_OK->text(), QStringLiteral("&OK"));
    w.show();

    // Typing: every change of From, Prefix or Suffix checks From, one warning
    // per character that is not a digit; the text stays as typed.
    QTest::keyClicks(w.Edt_Begin, QStringLiteral("1a2"));
    EXPECT_EQ(dlg.messages.size(), 2);
    QTest::keyClicks(w.Edt_Head, QStringLiteral("P"));
    EXPECT_EQ(dlg.messages.size(), 3);
    QTest::keyClicks(w.Edt_End, QStringLiteral("-9"));
    EXPECT_EQ(dlg.messages.size(), 5);
    for (const auto& m : dlg.messages) {
        EXPECT_EQ(m.text, QStringLiteral("Value must be numeric!"));
        EXPECT_EQ(m.type, TMsgDlgType::mtWarning);
    }
    EXPECT_EQ(w.Edt_Begin->text(), QStringLiteral("1a2"));

    // OK with bad input reports and stays open.
    dlg.messages.clear();
    QTest::mouseClick(w.Btn_OK, Qt::LeftButton);
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(dlg.messages[0].text, QStringLiteral("'1a2' is not a valid integer value"));
    EXPECT_EQ(dlg.messages[0].type, TMsgDlgType::mtError);
    EXPECT_TRUE(w.isVisible());

    w.Edt_Begin->setText(QStringLiteral("3"));
    w.Edt_End->setText(QStringLiteral("1"));
    dlg.messages.clear();
    QTest::mouseClick(w.Btn_OK, Qt::LeftButton);
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(dlg.messages[0].text, QStringLiteral("Begine number must less than End number!"));
    EXPECT_TRUE(w.isVisible());

    w.Edt_End->setText(QStringLiteral("05"));
    w.Edt_Foot->setText(QStringLiteral("-z"));
    w.RPT->setValue(2);
    QTest::mouseClick(w.Btn_OK, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(w.SequenceValues, QStringList({"P03-z", "P03-z", "P04-z", "P04-z", "P05-z", "P05-z"}));

    // Esc closes like Cancel; the entries stay for the next use.
    w.show();
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_EQ(w.Edt_Head->text(), QStringLiteral("P"));
}

TEST(ImportDataFile, TablePickerDialog)
{
    TFM_GetTable dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Tabel from Access Database"));
    EXPECT_EQ(dialog.Lab_Prompt->text(), QStringLiteral("Please Select a Table to Import:"));
    EXPECT_EQ(dialog.Btn_OK->text(), QStringLiteral("&OK"));
    EXPECT_EQ(dialog.Btn_Cancel->text(), QStringLiteral("&Cancel"));
    EXPECT_FALSE(dialog.CBX_Table->isEditable());
    dialog.SetTables({"Products", "Customers"});
    EXPECT_EQ(dialog.SelectedTable(), QStringLiteral("Products"));
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), int(QDialog::Rejected));
    EXPECT_FALSE(dialog.isVisible());

    // The picker the window uses: shows the dialog modally and returns the choice.
    const TTablePicker pick = DialogTablePicker(nullptr);
    auto answer = [](int index, bool ok) {
        QTimer::singleShot(0, [=] {
            auto* shown = qobject_cast<TFM_GetTable*>(QApplication::activeModalWidget());
            ASSERT_NE(shown, nullptr);
            shown->CBX_Table->setCurrentIndex(index);
            if (ok)
                shown->Btn_OK->click();
            else
                QTest::keyClick(shown, Qt::Key_Escape);
        });
    };
    QString chosen = QStringLiteral("Products");
    answer(1, true);
    EXPECT_TRUE(pick({"Products", "Customers", "Empty"}, chosen));
    EXPECT_EQ(chosen, QStringLiteral("Customers"));
    answer(2, false);
    EXPECT_FALSE(pick({"Products", "Customers", "Empty"}, chosen));
    EXPECT_EQ(chosen, QStringLiteral("Customers"));
}
