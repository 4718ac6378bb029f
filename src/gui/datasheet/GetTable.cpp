#include "gui/datasheet/GetTable.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

TFM_GetTable::TFM_GetTable(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FM_GetTable"));
    setWindowTitle(tr("Select Tabel from Access Database"));
    Lab_Prompt = new QLabel(tr("Please Select a Table to Import:"), this);
    CBX_Table = new QComboBox(this);
    CBX_Table->setObjectName(QStringLiteral("CBX_Table"));
    CBX_Table->setEditable(false);  // a choice from the list only
    CBX_Table->setMinimumWidth(240);
    Lab_Prompt->setBuddy(CBX_Table);
    Btn_OK = new QPushButton(tr("&OK"), this);
    Btn_Cancel = new QPushButton(tr("&Cancel"), this);
    Btn_OK->setDefault(true);
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Lab_Prompt);
    layout->addWidget(CBX_Table);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setModal(true);
}

void TFM_GetTable::SetTables(const QStringList& tables)
{
    CBX_Table->clear();
    CBX_Table->addItems(tables);
    CBX_Table->setCurrentIndex(tables.isEmpty() ? -1 : 0);
    Btn_OK->setEnabled(!tables.isEmpty());
}

QString TFM_GetTable::SelectedTable() const
{
    return CBX_Table->currentText();
}

TTablePicker DialogTablePicker(QWidget* parent)
{
    QPointer<QWidget> owner(parent);
    return [owner](const QStringList& tables, QString& chosen) {
        TFM_GetTable dialog(owner.data());
        dialog.SetTables(tables);
        const int index = tables.indexOf(chosen);
        if (index >= 0)
            dialog.CBX_Table->setCurrentIndex(index);
        if (dialog.exec() != QDialog::Accepted || dialog.CBX_Table->currentIndex() < 0)
            return false;
        chosen = dialog.SelectedTable();
        return true;
    };
}
