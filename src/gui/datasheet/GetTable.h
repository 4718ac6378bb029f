// The table picker of an Access import ("Select Tabel from Access Database").
// The layout is the form GetTable.ui.
#pragma once

#include "engine/datasheet/Import.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TFM_GetTable;
}

class QComboBox;
class QLabel;
class QPushButton;

class TFM_GetTable : public QDialog {
    Q_OBJECT
public:
    explicit TFM_GetTable(QWidget* parent = nullptr);
    ~TFM_GetTable() override;

    // Fills the list; the first table is selected.
    void SetTables(const QStringList& tables);
    QString SelectedTable() const;

    // The form's controls.
    QLabel* Lab_Prompt;
    QComboBox* CBX_Table;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;

private:
    const std::unique_ptr<Ui::TFM_GetTable> FUi;
};

// A picker that shows TFM_GetTable modally over `parent` (may be null).
TTablePicker DialogTablePicker(QWidget* parent);
