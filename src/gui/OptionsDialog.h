// TFM_options ("Configures Options"): units, recent list length, default save
// folder and what printing does with an invalid barcode value (the form
// OptionsDialog.ui), and beside them each installed printer's profile: its
// calibration, worked out from a printed calibration sheet, and whether it
// takes ZPL II.
#pragma once

#include "gui/Settings.h"

#include <QDialog>

#include <functional>
#include <map>
#include <memory>

namespace Ui {
class TFM_options;
}

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSettings;
class QSpinBox;
class TRealSpinBox;

class TFM_options : public QDialog {
    Q_OBJECT
public:
    explicit TFM_options(QWidget* parent = nullptr);
    ~TFM_options() override;

    // Fills the controls from options and shows the dialog modally; OK writes
    // the controls back into options and stores the printers' profiles. True
    // for OK.
    bool Execute(TAppOptions& options);

    // Fills the controls / reads them back (OK's rules). Fill also reads the
    // installed printers and their profiles from SettingsStore.
    void Fill(const TAppOptions& options);
    void Apply(TAppOptions& options) const;
    // Stores every profile edited since Fill.
    void StoreProfiles();

    // The user settings the profiles are kept in (OpenUserSettings unless
    // replaced).
    std::function<std::unique_ptr<QSettings>()> SettingsStore;

    // The profile as the printer controls show it, and showing one.
    TPrinterProfile ShownProfile() const;
    void ShowProfile(const TPrinterProfile& profile);
    // The profile of a printer as edited so far (the stored one until edited).
    TPrinterProfile Profile(const QString& printerName) const;
    // "Print Calibration Sheet": the sheet on the chosen printer; a failure
    // is told to the user.
    void PrintCalibrationClick();
    // "Work Out Calibration": offset and scale from the measured fields; a
    // measurement that gives no sound calibration is told to the user.
    void WorkOutClick();

    // "Browse...": a folder picker (title, start folder) returning the folder
    // or an empty string when cancelled. Replaceable for tests.
    std::function<QString(const QString& title, const QString& start)> BrowseFolder;
    void BrowseClick();

    // The form's controls.
    QComboBox* CBX_Units;
    QSpinBox* SEdt_RecentCount;
    QLineEdit* Edt_DefSavePath;
    QPushButton* Btn_Browse;
    QRadioButton* Rdio_Ignore;
    QRadioButton* Rdio_Abort;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;

    // The printers' group.
    QGroupBox* GRP_Printers;
    QLabel* Lab_NoPrinter;
    QComboBox* CBX_Printer;
    TRealSpinBox* RSEdt_OffsetX;
    TRealSpinBox* RSEdt_OffsetY;
    TRealSpinBox* RSEdt_ScaleX;
    TRealSpinBox* RSEdt_ScaleY;
    QPushButton* Btn_Calibration;
    TRealSpinBox* RSEdt_MeasuredAX;
    TRealSpinBox* RSEdt_MeasuredAY;
    TRealSpinBox* RSEdt_MeasuredAB;
    TRealSpinBox* RSEdt_MeasuredAC;
    QPushButton* Btn_WorkOut;
    QCheckBox* CHK_Zpl;
    QComboBox* CBX_ZplDpi;
    QSpinBox* SEdt_Darkness;
    QSpinBox* SEdt_Speed;
    QComboBox* CBX_Media;

private:
    void BuildPrinterGroup();
    void PrinterChosen();
    void ZplToggled(bool checked);
    // Selects printer index of Printer() for the call, then the one before.
    template <class F>
    auto WithPrinter(int index, F f) const;
    // A, B and C as the chosen printer's sheet has them: the measured fields
    // start there.
    void ShowDesignedMarks();
    double SpanOfChosenPrinter() const;

    const std::unique_ptr<Ui::TFM_options> FUi;
    // The profiles as loaded and as edited, by printer name.
    std::map<QString, TPrinterProfile> FLoaded, FEdited;
    QString FShownPrinter;
};
