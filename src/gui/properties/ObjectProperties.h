// The object properties dialog (TFM_ObjPro): where a text, barcode or picture
// object's content comes from (a constant, a datasheet column or a date/time
// function) and its barcode, text style or picture size. The same form holds
// the label setup page (LabelSetup.h). One page shows at a time; the tabs are
// not visible.
//
//   if (TFM_ObjPro::EditObject(document, document.Plan().CurrentObject(), units, this)) ...
#pragma once

#include <QDialog>
#include <QFont>
#include <QSize>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QToolButton;
class TLabelDocument;
class TLabelObject;
class TLabelSetupPage;
class TPlanBarcode;
class TPlanPicture;
class TPlanText;
class TRealSpinBox;
struct TSymbolOptions;

class TFM_ObjPro : public QDialog {
    Q_OBJECT
public:
    TFM_ObjPro(TLabelDocument& document, int units, QWidget* parent = nullptr);
    ~TFM_ObjPro() override;

    // Shows the dialog for a text, barcode or picture object and applies it
    // on OK as one undoable step. False (nothing shown) for other objects, a
    // null object, and when the dialog was cancelled.
    static bool EditObject(TLabelDocument& document, TLabelObject* object, int units, QWidget* parent);

    // Runs the filled dialog instead of exec() when set: tests drive the
    // controls and press OK or Cancel, and return the result.
    static std::function<int(QDialog& dialog)> ExecHook;
    // Opens the datasheet window for "..." (the main window's datasheet
    // command, which also refills the design). When empty, a datasheet window
    // is shown on the document's datasheet and the design is refilled from
    // its current row.
    static std::function<void(TLabelDocument& document, QWidget* parent)> DatasheetEditor;

    // Fills the page of the object and shows it; false for kinds without a page.
    bool FillFrom(TLabelObject* object);
    // The OK check: false (with a message) when an entry is wrong.
    bool Validate();
    // Writes the shown page into the object (no undo step of its own).
    void ApplyTo(TLabelObject* object);
    // Runs the dialog modally (or through ExecHook).
    int Execute();

    // The label setup page.
    TLabelSetupPage* LabelSetup() const { return PAG_Page; }
    void ShowLabelSetupPage();

    // The code text after inserting "\" + digits at caret position pos, and
    // the caret position after it.
    static QString InsertControlChar(const QString& text, int pos, const QString& digits, int& newPos);
    // The module width labels' texts for module m at dpi.
    static QString ModuleWidthMmText(int modul, int dpi);
    static QString ModuleWidthInText(int modul, int dpi);

    // ----- Controls ---------------------------------------------------------
    QStackedWidget* Pages = nullptr;
    QWidget* PAG_Barcode = nullptr;
    QWidget* PAG_Text = nullptr;
    QWidget* PAG_Picture = nullptr;
    TLabelSetupPage* PAG_Page = nullptr;
    QPushButton* Btn_Font = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;

    // barcode page
    QRadioButton* Rdio_Code = nullptr;
    QLineEdit* Edt_Code = nullptr;
    QToolButton* SBtn_Code = nullptr;
    QMenu* PMenu_Code = nullptr;
    QRadioButton* Rdio_CodeFrom = nullptr;
    QComboBox* CBX_BarDataOrigin = nullptr;
    QToolButton* SBtn_EditData = nullptr;
    QToolButton* SBtn_Check = nullptr;
    QRadioButton* Rdio_BarFun = nullptr;
    QComboBox* CBX_BarFun = nullptr;
    QComboBox* CBX_BarType = nullptr;
    QComboBox* CBX_BarTextAlign = nullptr;
    TRealSpinBox* SEdt_BarRatio = nullptr;
    QComboBox* CBX_BarAngle = nullptr;
    TRealSpinBox* SEdt_BarHeight = nullptr;
    QLabel* Lab_UnitBH = nullptr;
    QSpinBox* SEdt_BarModul = nullptr;
    QLabel* Lab_BarWid = nullptr;
    QLabel* Lab_BWin = nullptr;
    QCheckBox* CB_CheckSum = nullptr;
    QCheckBox* CB_ShowText = nullptr;
    QCheckBox* CB_BarCenter = nullptr;
    // the settings of 2D and stacked symbologies, shown for those that take any
    QGroupBox* GBox_2D = nullptr;
    QComboBox* CBX_Ecc = nullptr;         // item data: TSymbolOptions::Ecc
    QComboBox* CBX_SymbolSize = nullptr;  // item data: TSymbolOptions::Size
    QSpinBox* SEdt_Columns = nullptr;
    QCheckBox* CB_Gs1 = nullptr;
    QLabel* Lab_Preview = nullptr;

    // text page
    QRadioButton* Rdio_Text = nullptr;
    QLineEdit* Edt_Text = nullptr;
    QRadioButton* Rdio_TextFrom = nullptr;
    QComboBox* CBX_TextDataOrigin = nullptr;
    QToolButton* SBtn_EditDataTxt = nullptr;
    QRadioButton* Rdio_Fun = nullptr;
    QComboBox* CBX_Fun = nullptr;
    QCheckBox* CKBox_Fmt = nullptr;
    QComboBox* CBX_TxtAlign = nullptr;

    // picture page
    QRadioButton* Rdio_Picture = nullptr;
    QPushButton* Btn_LoadPic = nullptr;
    QLabel* Img_Sample = nullptr;
    QRadioButton* Rdio_CusSize = nullptr;
    QLineEdit* Edt_PicWidth = nullptr;
    QLineEdit* Edt_PicHeight = nullptr;
    QLabel* Lab_UnitPW = nullptr;
    QLabel* Lab_UnitPH = nullptr;
    QRadioButton* Rdio_RatioSize = nullptr;
    QSpinBox* SEdt_SX = nullptr;
    QSpinBox* SEdt_SY = nullptr;
    QPushButton* Button6 = nullptr;

private:
    void ShowPage(QWidget* page);
    QWidget* BuildBarcodePage();
    QWidget* BuildTextPage();
    QWidget* BuildPicturePage();
    void BuildControlCharMenu();
    void FillColumnLists();
    void SelectColumn(QComboBox* list, const QString& name);
    void UpdateOriginControls();
    void UpdateModuleLabels();
    void UpdatePreview();
    // Fills the 2D setting lists for the chosen symbology, keeping the values
    // that still apply, and enables the controls that apply to it.
    void UpdateSymbologyControls();
    TSymbolOptions SymbolOptions() const;
    void ShowSymbolOptions(const TSymbolOptions& options);
    void FillBarcode(TPlanBarcode& barcode);
    void FillText(TPlanText& text);
    void FillPicture(TPlanPicture& picture);
    void ApplyBarcode(TPlanBarcode& barcode);
    void ApplyText(TPlanText& text);
    void ApplyPicture(TPlanPicture& picture);
    // The value of a column in the datasheet's first data row.
    QString FirstRowValue(const QString& column) const;
    void FontClicked();
    void CheckColumnClicked();
    void EditDataClicked();
    void BrowsePictureClicked();
    void ResetSizeClicked();
    void ShowNaturalSize();
    void OkClicked();

    TLabelDocument& FDocument;
    int FUnits = 0;
    double FR = 1;  // centimetres per display unit
    QFont FFont;    // the font dialog's font
    bool FFontChanged = false;
    QString FPictureFile;   // chosen with "&Browse..." in this use
    QSize FNaturalSize;     // the picture's natural size in pixels
    QString FPreviewCode;   // what the preview shows for a column or function
    int FOptionsType = -1;  // the symbology the 2D settings are shown for
};
