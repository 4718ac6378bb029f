// The print history window (File > Print History...): the recorded runs in a
// table, newest first, filtered by start date, printer, label and result;
// "Reprint..." prints the selected run again, whole or labels a-b;
// "Export CSV..." writes the runs shown into a CSV file.
#pragma once

#include "gui/printing/DesktopPrint.h"
#include "engine/history/PrintHistory.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;

class TFM_History : public QDialog {
    Q_OBJECT
public:
    TFM_History(const TDesktopPrintSettings& settings, QWidget* parent = nullptr);

    // Reads the runs anew with the filters as they stand.
    void Refresh();
    // The runs shown, in table order.
    const std::vector<THistoryRun>& Runs() const { return FRuns; }

    QCheckBox* Chk_Since;
    QDateEdit* Edt_Since;
    QLineEdit* Edt_Printer;
    QLineEdit* Edt_Label;
    QComboBox* Cmb_Result;
    QTableView* Grid_Runs;
    QLabel* Lbl_Status;
    QPushButton* Btn_Reprint;
    QPushButton* Btn_Export;
    QPushButton* Btn_Close;

private:
    void ReprintClick();
    void ExportClick();
    TDesktopPrintSettings FSettings;
    QStandardItemModel* FModel;
    std::vector<THistoryRun> FRuns;
};

// Asks which labels of a run of labels first..last to print again; false
// when cancelled. The whole run leaves first and last as they are.
bool AskReprintLabels(QWidget* parent, int64_t& first, int64_t& last);
