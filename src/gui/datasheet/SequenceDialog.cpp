#include "gui/datasheet/SequenceDialog.h"

#include "gui/UserDialogs.h"
#include "gui/properties/PropertyUnits.h"

#include "gui/datasheet/ui_SequenceDialog.h"

TFM_Sdata::TFM_Sdata(QWidget* parent) : QDialog(parent), FUi(std::make_unique<Ui::TFM_Sdata>())
{
    FUi->setupUi(this);
    Edt_Head = FUi->Edt_Head;
    Edt_Begin = FUi->Edt_Begin;
    Edt_End = FUi->Edt_End;
    RPT = FUi->RPT;
    SEdt_Step = FUi->SEdt_Step;
    Edt_Foot = FUi->Edt_Foot;
    Btn_OK = FUi->Btn_OK;
    Btn_Cancel = FUi->Btn_Cancel;

    connect(Btn_OK, &QPushButton::clicked, this, &TFM_Sdata::accept);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFM_Sdata::reject);
    connect(Edt_Begin, &QLineEdit::textChanged, this, &TFM_Sdata::Edt_BeginChange);
    connect(Edt_Head, &QLineEdit::textChanged, this, &TFM_Sdata::Edt_BeginChange);
    connect(Edt_Foot, &QLineEdit::textChanged, this, &TFM_Sdata::Edt_BeginChange);
    connect(Edt_End, &QLineEdit::textChanged, this, &TFM_Sdata::Edt_EndChange);
}

TFM_Sdata::~TFM_Sdata() = default;

bool TFM_Sdata::Execute()
{
    return exec() == QDialog::Accepted;
}

TSequenceSettings TFM_Sdata::Settings() const
{
    TSequenceSettings settings;
    settings.Prefix = Edt_Head->text();
    settings.From = Edt_Begin->text();
    settings.To = Edt_End->text();
    settings.Suffix = Edt_Foot->text();
    settings.Repeat = RPT->value();
    settings.Step = SEdt_Step->value();
    return settings;
}

void TFM_Sdata::WarnNonDigits(const QString& text)
{
    // One warning per offending character; the text itself stays as typed.
    const int bad = NonDigitCount(text);
    for (int i = 0; i < bad; ++i)
        Dialogs().MessageDlg(tr("Value must be numeric!"), TMsgDlgType::mtWarning, mbOK);
}

void TFM_Sdata::Edt_BeginChange()
{
    WarnNonDigits(Edt_Begin->text());
}

void TFM_Sdata::Edt_EndChange()
{
    WarnNonDigits(Edt_End->text());
}

void TFM_Sdata::accept()
{
    if (TNumberRefusal::TakePendingRefusal(this))
        return;
    const QString error = GenerateSequence(Settings(), SequenceValues);
    if (!error.isEmpty()) {
        Dialogs().MessageDlg(error, TMsgDlgType::mtError, mbOK);
        return;  // stays open
    }
    QDialog::accept();
}
