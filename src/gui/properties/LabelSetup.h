// The label setup page (PAG_Page) of the properties form: label size and
// corner radius, columns and rows (also worked out for the page), margins and
// gaps, crop marks, output order, copies or one label per datasheet row, and
// the printer and paper. It shows the sheet as a thumbnail.
//
//   if (TLabelSetupPage::EditLabelSetup(document, units, this)) ...
#pragma once

#include "document/LabelTemplates.h"

#include "document/Printer.h"

#include <QImage>
#include <QWidget>

#include <utility>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class TLabelDocument;
class TRealSpinBox;

// The page thumbnail with its black shadow, in a 170 x 250 pixel area.
class TPagePreview : public QWidget {
public:
    explicit TPagePreview(QWidget* parent = nullptr);
    void SetThumbnail(const QImage& image);
    const QImage& Thumbnail() const { return FImage; }
    QSize sizeHint() const override { return QSize(176, 256); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage FImage;
};

class TLabelSetupPage : public QWidget {
    Q_OBJECT
public:
    TLabelSetupPage(TLabelDocument& document, int units, QWidget* parent = nullptr);

    // Shows the label setup dialog for the document and applies it on OK as
    // one undoable step, keeping the design surface's zoom. Returns whether
    // it applied.
    static bool EditLabelSetup(TLabelDocument& document, int units, QWidget* parent);

    // Fills the page from the document (and puts the document's printer
    // settings into the printer).
    void Fill();
    // Writes the page into the document (no undo step of its own).
    void Apply();
    // The OK check: false (with a message) for a label of no width or height.
    bool Validate();

    // Columns and rows that fit on the page, -1 in a direction where the
    // label does not fit at all. Defined is false when a label size plus gap
    // of 0 dots leaves the count without a measure.
    struct TCapacity {
        int Cols = 0;
        int Rows = 0;
        bool ColsDefined = true;
        bool RowsDefined = true;
    };
    TCapacity CalcLayoutCapacity() const;
    // Redraws the thumbnail; with "Auto Calculate" the column and row boxes
    // then take the capacity.
    void DrawPagePreview();

    // The page in device dots and its resolution: the printer's, or without a
    // printer the paper chosen on the page at 300 dpi.
    struct TPageGeometry {
        int Width = 2479;
        int Height = 3508;
        int DpiX = 300;
        int DpiY = 300;
    };
    TPageGeometry PageGeometry() const;
    // The paper as the page holds it (the printer's while there is one).
    TPrinterDeviceSettings Paper() const { return FPaper; }

    // Fills the page from a label product: label size and corner, columns,
    // rows, margins, gaps and paper; what the sheet cannot hold shows below
    // the list.
    void ChooseTemplate(const TLabelTemplate& product);
    // Shows the products whose brand, part or description hold every word.
    void SearchTemplates(const QString& search);
    // "Save as Template...": the page's sheet into the user's templates.
    void SaveAsTemplate();

    // ----- Controls -----------------------------------------------------------
    QGroupBox* GroupBox11 = nullptr;
    QRadioButton* Rdio_onelab = nullptr;
    QSpinBox* SEdt_LabCopies = nullptr;
    QRadioButton* Rdio_ALLItem = nullptr;
    QPushButton* Button4 = nullptr;
    TPagePreview* IMG_Page = nullptr;
    QGroupBox* GBox_Lab = nullptr;
    QSpinBox* SEdt_Col = nullptr;
    QSpinBox* SEdt_Row = nullptr;
    TRealSpinBox* RSEdt_Width = nullptr;
    TRealSpinBox* RSEdt_Height = nullptr;
    TRealSpinBox* RSEdt_CR = nullptr;
    QCheckBox* CHK_Auto = nullptr;
    QGroupBox* GBox_Mar = nullptr;
    TRealSpinBox* RSEdt_ML = nullptr;
    TRealSpinBox* RSEdt_MT = nullptr;
    TRealSpinBox* RSEdt_MR = nullptr;
    TRealSpinBox* RSEdt_MB = nullptr;
    TRealSpinBox* RSEdt_VS = nullptr;
    TRealSpinBox* RSEdt_HS = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QComboBox* CBX_Start = nullptr;
    QComboBox* CBX_Direct = nullptr;
    QCheckBox* CHK_CutMark = nullptr;
    // The paper and its orientation, chosen here with or without a printer:
    // Qt's page sizes, "Custom..." (a size of the document's own, typed in
    // the width and length boxes in the page's units) and "Roll (one label
    // per page)" (a custom paper one label and the margins big, 1 x 1,
    // following the label's size).
    QGroupBox* GBox_Paper = nullptr;
    QComboBox* CBX_Paper = nullptr;
    QComboBox* CBX_Orientation = nullptr;
    QLabel* Lab_PaperWidth = nullptr;
    TRealSpinBox* RSEdt_PaperWidth = nullptr;
    QLabel* Lab_PaperLength = nullptr;
    TRealSpinBox* RSEdt_PaperLength = nullptr;
    // The paper combo's data for "Roll (one label per page)".
    static constexpr int kPaperRollEntry = -2;
    bool RollChosen() const { return FRoll; }
    // Label products: a search, the products found, and what the chosen one
    // approximates.
    QGroupBox* GBox_Template = nullptr;
    QLineEdit* Edt_Template = nullptr;
    QListWidget* LST_Template = nullptr;
    QLabel* Lab_TemplateNote = nullptr;
    QPushButton* Btn_SaveTemplate = nullptr;

private:
    void ShowPaper();
    // The margin and gap boxes from the plan's values (kept exact, see Apply).
    void ShowMargins(const TLabelPlan& plan);
    void PaperChosen();
    // The custom size typed in the width and length boxes.
    void CustomSizeTyped();
    // Roll media: the paper one label and the margins big, 1 x 1.
    void FollowRoll();
    // Puts the page's paper into the printer, when there is one.
    void PaperToPrinter();
    void CountChanged(QSpinBox* box, bool columns);
    void AutoToggled(bool checked);
    void PrinterSetupClicked();
    // Sets the column and row boxes to the capacity (1 to 200); reports a
    // count without a measure.
    void TakeCapacity();
    int Dots(double length, int dpi) const;

    TLabelDocument& FDocument;
    int FUnits = 0;
    double FB = 1;  // centimetres per display unit
    bool FFilling = false;
    TPrinterDeviceSettings FPaper;
    bool FRoll = false;
    std::vector<TLabelTemplate> FTemplates;  // the database, read when the page is filled
    std::vector<TLabelTemplate> FShownTemplates;
    // Margins and spaces as filled: the document's value and the box's.
    std::pair<double, double> FShownMargins[6];
};
