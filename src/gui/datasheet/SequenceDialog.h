// TFM_Sdata ("Generate Sequence"): asks for a prefix, a number range, repeat,
// step and suffix, and produces SequenceValues on OK. Created once; it keeps
// its entries between uses.
#pragma once

#include "engine/datasheet/SequenceGenerator.h"

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QPushButton;
class QSpinBox;

class TFM_Sdata : public QDialog {
    Q_OBJECT
public:
    explicit TFM_Sdata(QWidget* parent = nullptr);

    // Shows the dialog modally; true when it closed with OK (SequenceValues
    // then holds the values).
    bool Execute();

    // The entries as a generation request.
    TSequenceSettings Settings() const;

    QStringList SequenceValues;

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
    void Edt_BeginChange();
    void Edt_EndChange();
    static void WarnNonDigits(const QString& text);
};
