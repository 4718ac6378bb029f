#include "gui/printing/PrintDialog.h"

#include "gui/UserDialogs.h"
#include "document/Printer.h"
#include "gui/properties/PropertyUnits.h"

#include "gui/printing/ui_PrintDialog.h"

namespace {

QString Plain(QString caption)
{
    return caption.remove(QLatin1Char('&')).trimmed();
}

}  // namespace

TFM_Print::TFM_Print(QWidget* parent) : QDialog(parent), FUi(std::make_unique<Ui::TFM_Print>())
{
    FUi->setupUi(this);
    GRP_Printer = FUi->GRP_Printer;
    Lab_PrinterName = FUi->Lab_PrinterName;
    Lab_Quality = FUi->Lab_Quality;
    Btn_Setting = FUi->Btn_Setting;
    Btn_Properties = FUi->Btn_Properties;
    GRP_Range = FUi->GRP_Range;
    Rdio_All = FUi->Rdio_All;
    Rdio_Pages = FUi->Rdio_Pages;
    Edt_From = FUi->Edt_From;
    Lab_To = FUi->Lab_To;
    Edt_To = FUi->Edt_To;
    Lab_Pages = FUi->Lab_Pages;
    Lab_Copies = FUi->Lab_Copies;
    SEdt_Copies = FUi->SEdt_Copies;
    Btn_OK = FUi->Btn_OK;
    Btn_Cancel = FUi->Btn_Cancel;
    Btn_Preview = FUi->Btn_Preview;
    Btn_PdfFile = FUi->Btn_PdfFile;
    // A button's name for screen readers is its caption without the
    // mnemonic; the page boxes are as wide as seven digits.
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        button->setAccessibleName(Plain(button->text()));
    for (QLineEdit* box : {Edt_From, Edt_To})
        box->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);

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

TFM_Print::~TFM_Print() = default;

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
