#include "gui/OptionsDialog.h"

#include "gui/properties/PropertyUnits.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <climits>

namespace {
template <typename W>
W* Named(W* widget, const QString& name)
{
    widget->setAccessibleName(name);
    return widget;
}
}  // namespace

TFM_options::TFM_options(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Configures Options"));
    setObjectName(QStringLiteral("TFM_options"));
    auto* layout = new QVBoxLayout(this);

    auto* units = new QGroupBox(tr(" System Units"), this);
    auto* unitsRow = new QHBoxLayout(units);
    auto* unitsLabel = new QLabel(tr("Units : "), units);
    CBX_Units = Named(new QComboBox(units), tr("Units : "));
    CBX_Units->addItems({tr("centimeter"), tr("inch ")});
    unitsLabel->setBuddy(CBX_Units);
    unitsRow->addWidget(unitsLabel);
    unitsRow->addWidget(CBX_Units, 1);
    layout->addWidget(units);

    auto* recent = new QGroupBox(tr(" Recent Files"), this);
    auto* recentRow = new QHBoxLayout(recent);
    auto* recentLabel = new QLabel(tr("Count of Recent Files Listed in File Menu"), recent);
    SEdt_RecentCount = Named(new TIntSpinBox(recent), recentLabel->text());
    SEdt_RecentCount->setRange(INT_MIN, INT_MAX);
    recentLabel->setBuddy(SEdt_RecentCount);
    recentRow->addWidget(recentLabel, 1);
    recentRow->addWidget(SEdt_RecentCount);
    layout->addWidget(recent);

    auto* folder = new QGroupBox(tr(" Default Save Directory "), this);
    auto* folderRow = new QHBoxLayout(folder);
    Edt_DefSavePath = Named(new QLineEdit(folder), tr("Default Save Directory"));
    Btn_Browse = Named(new QPushButton(tr("Browse..."), folder), tr("Browse..."));
    folderRow->addWidget(Edt_DefSavePath, 1);
    folderRow->addWidget(Btn_Browse);
    layout->addWidget(folder);

    auto* invalid = new QGroupBox(tr(" While Bar Code Encode a Invalid Code "), this);
    auto* invalidCol = new QVBoxLayout(invalid);
    Rdio_Ignore = Named(new QRadioButton(tr("Ignore error, continue print ext label"), invalid),
                        tr("Ignore error, continue print ext label"));
    Rdio_Abort = Named(new QRadioButton(tr("Abort printing"), invalid), tr("Abort printing"));
    invalidCol->addWidget(Rdio_Ignore);
    invalidCol->addWidget(Rdio_Abort);
    layout->addWidget(invalid);

    auto* buttons = new QHBoxLayout;
    Btn_OK = Named(new QPushButton(tr("&OK"), this), tr("OK"));
    Btn_Cancel = Named(new QPushButton(tr("&Cancel"), this), tr("Cancel"));
    Btn_OK->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Cancel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

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
