#include "gui/OptionsDialog.h"

#include "gui/properties/PropertyUnits.h"

#include "gui/ui_OptionsDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

TFM_options::TFM_options(QWidget* parent) : QDialog(parent), FUi(std::make_unique<Ui::TFM_options>())
{
    FUi->setupUi(this);
    CBX_Units = FUi->CBX_Units;
    SEdt_RecentCount = FUi->SEdt_RecentCount;
    Edt_DefSavePath = FUi->Edt_DefSavePath;
    Btn_Browse = FUi->Btn_Browse;
    Rdio_Ignore = FUi->Rdio_Ignore;
    Rdio_Abort = FUi->Rdio_Abort;
    Btn_OK = FUi->Btn_OK;
    Btn_Cancel = FUi->Btn_Cancel;

    BrowseFolder = [this](const QString& title, const QString& start) {
        return QFileDialog::getExistingDirectory(this, title, start.isEmpty() ? QDir::homePath() : start);
    };
    connect(Btn_Browse, &QPushButton::clicked, this, &TFM_options::BrowseClick);
    connect(Btn_OK, &QPushButton::clicked, this, [this] {
        if (!TNumberRefusal::TakePendingRefusal(this))
            accept();
    });
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFM_options::~TFM_options() = default;

void TFM_options::Fill(const TAppOptions& options)
{
    CBX_Units->setCurrentIndex(options.Units == 1 ? 1 : 0);
    SEdt_RecentCount->setValue(options.RecentFileCount);
    Edt_DefSavePath->setText(options.DefSavePath);
    Rdio_Ignore->setChecked(options.InvalidCodeProcess == 0);
    Rdio_Abort->setChecked(options.InvalidCodeProcess != 0);
}

void TFM_options::Apply(TAppOptions& options) const
{
    options.DefSavePath = Edt_DefSavePath->text().trimmed();
    options.RecentFileCount = SEdt_RecentCount->value();
    options.Units = CBX_Units->currentIndex();
    options.InvalidCodeProcess = Rdio_Ignore->isChecked() ? 0 : 1;
}

bool TFM_options::Execute(TAppOptions& options)
{
    Fill(options);
    if (exec() != QDialog::Accepted)
        return false;
    Apply(options);
    return true;
}

void TFM_options::BrowseClick()
{
    const QString start = Edt_DefSavePath->text().trimmed();
    if (start.isEmpty() || !QFileInfo(start).isDir())
        Edt_DefSavePath->clear();
    const QString chosen = BrowseFolder(tr("Please Select Directory: "), Edt_DefSavePath->text());
    if (!chosen.isEmpty())
        Edt_DefSavePath->setText(QDir::toNativeSeparators(chosen));
}
