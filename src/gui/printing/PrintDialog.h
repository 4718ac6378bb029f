// TFM_Print ("Print"): the dialog the print job shows before printing. It
// shows the printer and its resolution, lets the user open the label setup and
// the printer's own options, and chooses the pages and the copies. It closes
// with OK (print), Cancel (nothing), Preview (open the preview instead) or
// "Print to PDF file…" (after asking for the file), which needs no printer.
// The layout is the form PrintDialog.ui.
#pragma once

#include "engine/printing/PrintJob.h"

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class TFM_Print;
}

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

class TFM_Print : public QDialog {
    Q_OBJECT
public:
    // The dialog's third and fourth results, beside Accepted and Rejected.
    static constexpr int PreviewResult = 2;
    static constexpr int PdfFileResult = 3;

    explicit TFM_Print(QWidget* parent = nullptr);
    ~TFM_Print() override;

    // Shows the printer and the page count of info, then the dialog modally.
    // OK, Preview and "Print to PDF file…" write the range and the copies
    // into request; Cancel leaves it alone. The PDF file answers Cancel for
    // the printer, with the file's name in PdfFile().
    TPrintChoice Execute(const TPrintDialogInfo& info, TPrintRequest& request);
    // The file "Print to PDF file…" chose; empty otherwise.
    QString PdfFile() const { return FPdfFile; }
    // Asks for the PDF file's name (empty: cancelled); Dialogs()'s save
    // dialog unless replaced.
    std::function<QString()> AskPdfFile;

    // Fills the printer group and the page count; the name changes only when
    // a printer is installed.
    void ShowInfo(const TPrintDialogInfo& info);

    // "&Setting ...": the label setup; true when it changed anything. Empty:
    // the button is hidden.
    void SetLabelSetup(const std::function<bool()>& labelSetup);
    // Asked for the printer and page count again after the label setup or the
    // printer's options changed them.
    std::function<TPrintDialogInfo()> RefreshInfo;

    // The range and copies as the controls hold them.
    bool AllPages() const;
    QString FromPage() const;
    QString ToPage() const;
    int Copies() const;

    // The form's controls.
    QGroupBox* GRP_Printer;
    QLabel* Lab_PrinterName;
    QLabel* Lab_Quality;
    QPushButton* Btn_Setting;
    QPushButton* Btn_Properties;
    QGroupBox* GRP_Range;
    QRadioButton* Rdio_All;
    QRadioButton* Rdio_Pages;
    QLineEdit* Edt_From;
    QLabel* Lab_To;
    QLineEdit* Edt_To;
    QLabel* Lab_Pages;
    QLabel* Lab_Copies;
    QSpinBox* SEdt_Copies;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;
    QPushButton* Btn_Preview;
    QPushButton* Btn_PdfFile;

    void Btn_SettingClick();
    void Btn_PropertiesClick();

private:
    const std::unique_ptr<Ui::TFM_Print> FUi;

    void RangeChanged();
    void PageBoxChanged(QLineEdit* box);
    void Refresh();

    void PdfFileClick();

    std::function<bool()> FLabelSetup;
    QString FPdfFile;
    bool FFiltering = false;
};
