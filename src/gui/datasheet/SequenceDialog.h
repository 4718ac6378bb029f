// TFM_Sdata ("Generate Sequence"): asks for a prefix, a number range, repeat,
// step and suffix, and produces SequenceValues on OK. Created once; it keeps
// its entries between uses. The layout is the form SequenceDialog.ui.
#pragma once

#include "engine/datasheet/SequenceGenerator.h"

#include <QDialog>
#include <QStringList>

#include <memory>

namespace Ui {
class TFM_Sdata;
}

class QLineEdit;
class QPushButton;
class QSpinBox;

class TFM_Sdata : public QDialog {
    Q_OBJECT
public:
    explicit TFM_Sdata(QWidget* parent = nullptr);
    ~TFM_Sdata() override;

    // Shows the dialog modally; true when it closed with OK (SequenceValues
    // then holds the values).
    bool Execute();

    // The entries as a generation request.
    TSequenceSettings Settings() const;

    QStringList SequenceValues;

    // The form's controls.
    QLineEdit* Edt_Head;
    QLineEdit* Edt_Begin;
    QLineEdit* Edt_End;
    QSpinBox* RPT;
    QSpinBox* SEdt_Step;
    QLineEdit* Edt_Foot;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;

public Q_SLOTS:
    void accept() override;

private:
    const std::unique_ptr<Ui::TFM_Sdata> FUi;

    void Edt_BeginChange();
    void Edt_EndChange();
    static void WarnNonDigits(const QString& text);
};
