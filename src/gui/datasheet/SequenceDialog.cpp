#include "gui/datasheet/SequenceDialog.h"

#include "gui/UserDialogs.h"
#include "gui/properties/PropertyUnits.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

TFM_Sdata::TFM_Sdata(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FM_Sdata"));
    setWindowTitle(tr("Generate Sequence"));
    setModal(true);

    auto makeEdit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    auto makeSpin = [this](const char* name) {
        auto* s = new TIntSpinBox(this);
        s->setObjectName(QLatin1String(name));
        s->setRange(1, 100);
        s->setValue(1);
        return s;
    };
    Edt_Head = makeEdit("Edt_Head");
    Edt_Begin = makeEdit("Edt_Begin");
    Edt_End = makeEdit("Edt_End");
    RPT = makeSpin("RPT");
    SEdt_Step = makeSpin("SEdt_Step");
    Edt_Foot = makeEdit("Edt_Foot");

    auto* form = new QFormLayout;
    form->addRow(tr("Prefix:"), Edt_Head);
    form->addRow(tr("From:"), Edt_Begin);
    form->addRow(tr("To:"), Edt_End);
    form->addRow(tr("Repeat :"), RPT);
    form->addRow(tr("Step :"), SEdt_Step);
    form->addRow(tr("Suffix:"), Edt_Foot);

    Btn_OK = new QPushButton(tr("&OK"), this);
    Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
    Btn_OK->setDefault(true);
    Btn_Cancel = new QPushButton(tr("&Cancel"), this);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(Btn_OK, &QPushButton::clicked, this, &TFM_Sdata::accept);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFM_Sdata::reject);
    connect(Edt_Begin, &QLineEdit::textChanged, this, &TFM_Sdata::Edt_BeginChange);
    connect(Edt_Head, &QLineEdit::textChanged, this, &TFM_Sdata::Edt_BeginChange);
    connect(Edt_Foot, &QLineEdit::textChanged, this, &TFM_Sdata::Edt_BeginChange);
    connect(Edt_End, &QLineEdit::textChanged, this, &TFM_Sdata::Edt_EndChange);
}

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
