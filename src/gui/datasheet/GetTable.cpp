#include "gui/datasheet/GetTable.h"

#include "gui/datasheet/ui_GetTable.h"

#include <QPointer>

TFM_GetTable::TFM_GetTable(QWidget* parent) : QDialog(parent), FUi(std::make_unique<Ui::TFM_GetTable>())
{
    FUi->setupUi(this);
    Lab_Prompt = FUi->Lab_Prompt;
    CBX_Table = FUi->CBX_Table;
    Btn_OK = FUi->Btn_OK;
    Btn_Cancel = FUi->Btn_Cancel;
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFM_GetTable::~TFM_GetTable() = default;

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
