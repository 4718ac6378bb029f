// The table picker of an Access import ("Select Tabel from Access Database").
#pragma once

#include "engine/datasheet/Import.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

class TFM_GetTable : public QDialog {
    Q_OBJECT
public:
    explicit TFM_GetTable(QWidget* parent = nullptr);

    // Fills the list; the first table is selected.
    void SetTables(const QStringList& tables);
    QString SelectedTable() const;

    QLabel* Lab_Prompt;
    QComboBox* CBX_Table;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;
};

// A picker that shows TFM_GetTable modally over `parent` (may be null).
TTablePicker DialogTablePicker(QWidget* parent);
