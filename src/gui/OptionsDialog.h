// TFM_options ("Configures Options"): units, recent list length, default save
// folder and what printing does with an invalid barcode value. The layout is
// the form OptionsDialog.ui.
#pragma once

#include "gui/Settings.h"

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class TFM_options;
}

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

class TFM_options : public QDialog {
    Q_OBJECT
public:
    explicit TFM_options(QWidget* parent = nullptr);
    ~TFM_options() override;

    // Fills the controls from options and shows the dialog modally; OK writes
    // the controls back into options. True for OK.
    bool Execute(TAppOptions& options);

    // Fills the controls / reads them back (OK's rules).
    void Fill(const TAppOptions& options);
    void Apply(TAppOptions& options) const;

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

private:
    const std::unique_ptr<Ui::TFM_options> FUi;
};
