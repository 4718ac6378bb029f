#include "gui/printing/PrintDialog.h"

#include "gui/UserDialogs.h"
#include "document/Printer.h"
#include "gui/properties/PropertyUnits.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QString Plain(QString caption)
{
    return caption.remove(QLatin1Char('&')).trimmed();
}

template <class T>
T* Named(T* control, const QString& name)
{
    control->setAccessibleName(Plain(name));
    return control;
}

}  // namespace

TFM_Print::TFM_Print(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Print"));

    GRP_Printer = Named(new QGroupBox(tr(" Printer "), this), tr("Printer"));
    Lab_PrinterName = new QLabel(GRP_Printer);
    Lab_Quality = new QLabel(GRP_Printer);
    Btn_Setting = Named(new QPushButton(tr("&Setting ..."), GRP_Printer), tr("&Setting ..."));
    Btn_Properties = Named(new QPushButton(tr("P&roperties ..."), GRP_Printer), tr("P&roperties ..."));
    Btn_Properties->setToolTip(tr("The printer's own options"));
    auto* printerLayout = new QGridLayout(GRP_Printer);
    printerLayout->addWidget(Lab_PrinterName, 0, 0);
    printerLayout->addWidget(Lab_Quality, 1, 0);
    printerLayout->addWidget(Btn_Setting, 0, 1);
    printerLayout->addWidget(Btn_Properties, 1, 1);
    printerLayout->setColumnStretch(0, 1);

    GRP_Range = Named(new QGroupBox(tr(" Print Pages Range "), this), tr("Print Pages Range"));
    Rdio_All = Named(new QRadioButton(tr("All"), GRP_Range), tr("All"));
    Rdio_Pages = Named(new QRadioButton(tr("Pages From"), GRP_Range), tr("Pages From"));
    Edt_From = Named(new QLineEdit(QStringLiteral("1"), GRP_Range), tr("From"));
    Lab_To = new QLabel(tr("to"), GRP_Range);
    Edt_To = Named(new QLineEdit(GRP_Range), tr("to"));
    Lab_Pages = new QLabel(GRP_Range);
    for (QLineEdit* box : {Edt_From, Edt_To})
        box->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    Rdio_All->setChecked(true);
    auto* rangeLayout = new QGridLayout(GRP_Range);
    rangeLayout->addWidget(Rdio_All, 0, 0);
    rangeLayout->addWidget(Lab_Pages, 0, 1, 1, 4, Qt::AlignRight);
    rangeLayout->addWidget(Rdio_Pages, 1, 0);
    rangeLayout->addWidget(Edt_From, 1, 1);
    rangeLayout->addWidget(Lab_To, 1, 2);
    rangeLayout->addWidget(Edt_To, 1, 3);
    rangeLayout->setColumnStretch(4, 1);

    Lab_Copies = new QLabel(tr("Copies "), this);
    SEdt_Copies = Named(new TIntSpinBox(this), tr("Copies"));
    SEdt_Copies->setRange(1, 10000);
    SEdt_Copies->setValue(1);
    Lab_Copies->setBuddy(SEdt_Copies);

    Btn_OK = Named(new QPushButton(tr("&OK"), this), tr("&OK"));
    Btn_Cancel = Named(new QPushButton(tr("&Cancel"), this), tr("&Cancel"));
    Btn_Preview = Named(new QPushButton(tr("&Preview"), this), tr("&Preview"));
    Btn_PdfFile = Named(new QPushButton(tr("Print to PDF &file…"), this), tr("Print to PDF &file…"));
    Btn_PdfFile->setToolTip(tr("Print into a PDF file; no printer is needed"));
    Btn_OK->setDefault(true);

    auto* copiesRow = new QHBoxLayout;
    copiesRow->addWidget(Lab_Copies);
    copiesRow->addWidget(SEdt_Copies);
    copiesRow->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Btn_PdfFile);
    buttons->addStretch(1);
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Cancel);
    buttons->addWidget(Btn_Preview);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GRP_Printer);
    layout->addWidget(GRP_Range);
    layout->addLayout(copiesRow);
    layout->addLayout(buttons);

    connect(Rdio_All, &QRadioButton::toggled, this, &TFM_Print::RangeChanged);
    connect(Edt_From, &QLineEdit::textChanged, this, [this] { PageBoxChanged(Edt_From); });
    connect(Edt_To, &QLineEdit::textChanged, this, [this] { PageBoxChanged(Edt_To); });
    connect(Btn_Setting, &QPushButton::clicked, this, &TFM_Print::Btn_SettingClick);
    connect(Btn_Properties, &QPushButton::clicked, this, &TFM_Print::Btn_PropertiesClick);
    connect(Btn_OK, &QPushButton::clicked, this, [this] {
        if (!TNumberRefusal::TakePendingRefusal(this))
            accept();
    });
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Btn_Preview, &QPushButton::clicked, this, [this] { done(PreviewResult); });
    connect(Btn_PdfFile, &QPushButton::clicked, this, &TFM_Print::PdfFileClick);
    AskPdfFile = [] {
        return Dialogs().SaveFileName(tr("Print to PDF file"), QString(), tr("PDF File (*.pdf)"),
                                      QStringLiteral("pdf"));
    };

    SetLabelSetup({});
    RangeChanged();
}

void TFM_Print::SetLabelSetup(const std::function<bool()>& labelSetup)
{
    FLabelSetup = labelSetup;
    Btn_Setting->setVisible(bool(FLabelSetup));
}

void TFM_Print::ShowInfo(const TPrintDialogInfo& info)
{
    const bool printers = Printer().HasPrinters();
    if (printers || Lab_PrinterName->text().isEmpty())
        Lab_PrinterName->setText(tr("Name:           %1").arg(printers ? info.PrinterName : tr("(no printer)")));
    // Without a printer only the PDF file prints.
    Btn_OK->setEnabled(printers);
    Btn_OK->setDefault(printers);
    Btn_PdfFile->setDefault(!printers);
    Lab_Quality->setText(tr("Print Quality:  %1 DPI").arg(info.Dpi));
    Lab_Pages->setText(tr("[ %1 Pages ]").arg(info.Pages));
    Btn_Properties->setVisible(Printer().HasPropertiesDialog());
}

TPrintChoice TFM_Print::Execute(const TPrintDialogInfo& info, TPrintRequest& request)
{
    ShowInfo(info);
    FPdfFile.clear();
    const int result = exec();
    if (result != Accepted && result != PreviewResult && result != PdfFileResult)
        return TPrintChoice::Cancel;
    request.AllPages = AllPages();
    request.FromPage = FromPage();
    request.ToPage = ToPage();
    request.Copies = Copies();
    if (result == PdfFileResult)
        return TPrintChoice::Cancel;
    return result == PreviewResult ? TPrintChoice::Preview : TPrintChoice::Print;
}

void TFM_Print::PdfFileClick()
{
    if (TNumberRefusal::TakePendingRefusal(this))
        return;
    const QString file = AskPdfFile ? AskPdfFile() : QString();
    if (file.isEmpty())
        return;  // back in the dialog
    FPdfFile = file;
    done(PdfFileResult);
}

bool TFM_Print::AllPages() const
{
    return Rdio_All->isChecked();
}

QString TFM_Print::FromPage() const
{
    return Edt_From->text();
}

QString TFM_Print::ToPage() const
{
    return Edt_To->text();
}

int TFM_Print::Copies() const
{
    return SEdt_Copies->value();
}

void TFM_Print::RangeChanged()
{
    const bool pages = !Rdio_All->isChecked();
    Edt_From->setEnabled(pages);
    Lab_To->setEnabled(pages);
    Edt_To->setEnabled(pages);
}

// The page boxes hold digits only: blanks around the text go, and every other
// character is refused with a warning of its own.
void TFM_Print::PageBoxChanged(QLineEdit* box)
{
    if (FFiltering)
        return;
    const QString text = box->text();
    QString digits;
    int cursor = box->cursorPosition();
    const QString trimmed = text.trimmed();
    const int lead = int(text.indexOf(trimmed.isEmpty() ? text : trimmed));
    int refused = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool inside = i >= lead && i < lead + trimmed.size();
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9') && inside) {
            digits += c;
            continue;
        }
        if (i < cursor)
            ++refused;
        if (inside)
            Dialogs().MessageDlg(tr("Value must be numeric!"), TMsgDlgType::mtWarning, mbOK);
    }
    if (digits == text)
        return;
    FFiltering = true;
    box->setText(digits);
    box->setCursorPosition(std::max(0, cursor - refused));
    FFiltering = false;
}

void TFM_Print::Refresh()
{
    if (RefreshInfo)
        ShowInfo(RefreshInfo());
}

void TFM_Print::Btn_SettingClick()
{
    if (FLabelSetup)
        FLabelSetup();
    // The setup may have changed the printer, its paper or the layout even
    // when it says nothing changed (the printer setup applies at once).
    Refresh();
}

void TFM_Print::Btn_PropertiesClick()
{
    int copies = SEdt_Copies->value();
    if (!Printer().ExecutePropertiesDialog(this, copies))
        return;
    SEdt_Copies->setValue(copies);
    Refresh();
}
