#include "gui/OptionsDialog.h"

#include "document/Printer.h"
#include "engine/printing/CalibrationSheet.h"
#include "gui/UserDialogs.h"
#include "gui/properties/PropertyUnits.h"

#include "gui/ui_OptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>
#include <QVBoxLayout>

#include <exception>

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
    SettingsStore = [] { return OpenUserSettings(); };
    BuildPrinterGroup();

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

    // The printers as installed now, with their stored profiles.
    FLoaded.clear();
    FEdited.clear();
    FShownPrinter.clear();
    const QStringList printers = Printer().Printers();
    const std::unique_ptr<QSettings> store = SettingsStore ? SettingsStore() : nullptr;
    for (const QString& name : printers)
        FLoaded[name] = store ? LoadPrinterProfile(*store, name) : TPrinterProfile();
    FEdited = FLoaded;
    {
        const QSignalBlocker block(CBX_Printer);
        CBX_Printer->clear();
        CBX_Printer->addItems(printers);
        CBX_Printer->setCurrentIndex(printers.isEmpty() ? -1 : std::max(0, Printer().PrinterIndex()));
    }
    const bool any = !printers.isEmpty();
    Lab_NoPrinter->setVisible(!any);
    for (QWidget* w : GRP_Printers->findChildren<QWidget*>())
        if (w != Lab_NoPrinter)
            w->setEnabled(any);
    if (any)
        PrinterChosen();
    else
        ShowProfile(TPrinterProfile());
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
    StoreProfiles();
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

namespace {

const int kZplDpis[] = {203, 300, 600};

TRealSpinBox* NumberBox(QWidget* parent, const char* name, double low, double high, double step)
{
    auto* box = new TRealSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setDecimals(2);
    box->setRange(low, high);
    box->setSingleStep(step);
    return box;
}

// A caption for a field in a form layout; the field takes it as its
// accessible name.
void AddField(QFormLayout* form, const QString& caption, QWidget* field)
{
    auto* label = new QLabel(caption, field->parentWidget());
    label->setBuddy(field);
    field->setAccessibleName(caption);
    form->addRow(label, field);
}

}  // namespace

void TFM_options::BuildPrinterGroup()
{
    GRP_Printers = new QGroupBox(tr(" Printers "), this);
    GRP_Printers->setObjectName(QStringLiteral("GRP_Printers"));
    auto* column = new QVBoxLayout(GRP_Printers);
    Lab_NoPrinter = new QLabel(tr("No printer is installed."), GRP_Printers);
    Lab_NoPrinter->setObjectName(QStringLiteral("Lab_NoPrinter"));
    column->addWidget(Lab_NoPrinter);

    auto* form = new QFormLayout;
    column->addLayout(form);
    CBX_Printer = new QComboBox(GRP_Printers);
    CBX_Printer->setObjectName(QStringLiteral("CBX_Printer"));
    AddField(form, tr("Printer:"), CBX_Printer);
    RSEdt_OffsetX = NumberBox(GRP_Printers, "RSEdt_OffsetX", -50, 50, 0.1);
    RSEdt_OffsetY = NumberBox(GRP_Printers, "RSEdt_OffsetY", -50, 50, 0.1);
    RSEdt_ScaleX = NumberBox(GRP_Printers, "RSEdt_ScaleX", 50, 150, 0.01);
    RSEdt_ScaleY = NumberBox(GRP_Printers, "RSEdt_ScaleY", 50, 150, 0.01);
    AddField(form, tr("Move right (mm):"), RSEdt_OffsetX);
    AddField(form, tr("Move down (mm):"), RSEdt_OffsetY);
    AddField(form, tr("Scale across (%):"), RSEdt_ScaleX);
    AddField(form, tr("Scale down (%):"), RSEdt_ScaleY);
    Btn_Calibration = new QPushButton(tr("Print Calibration Sheet"), GRP_Printers);
    Btn_Calibration->setObjectName(QStringLiteral("Btn_Calibration"));
    Btn_Calibration->setAccessibleName(tr("Print Calibration Sheet"));
    column->addWidget(Btn_Calibration);

    // What the user measured on the printed sheet.
    auto* measured = new QGroupBox(tr(" Measured on the Calibration Sheet "), GRP_Printers);
    measured->setObjectName(QStringLiteral("GRP_Measured"));
    auto* mform = new QFormLayout(measured);
    RSEdt_MeasuredAX = NumberBox(measured, "RSEdt_MeasuredAX", 0, 1000, 0.1);
    RSEdt_MeasuredAY = NumberBox(measured, "RSEdt_MeasuredAY", 0, 1000, 0.1);
    RSEdt_MeasuredAB = NumberBox(measured, "RSEdt_MeasuredAB", 0, 1000, 0.1);
    RSEdt_MeasuredAC = NumberBox(measured, "RSEdt_MeasuredAC", 0, 1000, 0.1);
    AddField(mform, tr("Crosshair A from the left edge (mm):"), RSEdt_MeasuredAX);
    AddField(mform, tr("Crosshair A from the top edge (mm):"), RSEdt_MeasuredAY);
    AddField(mform, tr("A to B (mm):"), RSEdt_MeasuredAB);
    AddField(mform, tr("A to C (mm):"), RSEdt_MeasuredAC);
    Btn_WorkOut = new QPushButton(tr("Work Out Move and Scale"), measured);
    Btn_WorkOut->setObjectName(QStringLiteral("Btn_WorkOut"));
    Btn_WorkOut->setAccessibleName(tr("Work Out Move and Scale"));
    mform->addRow(Btn_WorkOut);
    column->addWidget(measured);

    CHK_Zpl = new QCheckBox(tr("This printer takes ZPL II (thermal label printer)"), GRP_Printers);
    CHK_Zpl->setObjectName(QStringLiteral("CHK_Zpl"));
    CHK_Zpl->setAccessibleName(CHK_Zpl->text());
    column->addWidget(CHK_Zpl);
    auto* zform = new QFormLayout;
    column->addLayout(zform);
    CBX_ZplDpi = new QComboBox(GRP_Printers);
    CBX_ZplDpi->setObjectName(QStringLiteral("CBX_ZplDpi"));
    for (int dpi : kZplDpis)
        CBX_ZplDpi->addItem(tr("%1 dpi").arg(dpi), dpi);
    SEdt_Darkness = new TIntSpinBox(GRP_Printers);
    SEdt_Darkness->setObjectName(QStringLiteral("SEdt_Darkness"));
    SEdt_Darkness->setRange(-1, 30);
    SEdt_Darkness->setSpecialValueText(tr("Printer's own"));
    SEdt_Speed = new TIntSpinBox(GRP_Printers);
    SEdt_Speed->setObjectName(QStringLiteral("SEdt_Speed"));
    SEdt_Speed->setRange(0, 14);
    SEdt_Speed->setSpecialValueText(tr("Printer's own"));
    CBX_Media = new QComboBox(GRP_Printers);
    CBX_Media->setObjectName(QStringLiteral("CBX_Media"));
    CBX_Media->addItems({tr("Labels with gaps"), tr("Continuous roll"), tr("Black mark")});
    AddField(zform, tr("Resolution:"), CBX_ZplDpi);
    AddField(zform, tr("Darkness (0-30):"), SEdt_Darkness);
    AddField(zform, tr("Speed (inches per second):"), SEdt_Speed);
    AddField(zform, tr("Media:"), CBX_Media);
    column->addStretch(1);

    // The form's groups in a column on the left, the printers beside them.
    auto* outer = qobject_cast<QVBoxLayout*>(layout());
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    for (QWidget* group : {static_cast<QWidget*>(FUi->GRP_Units), static_cast<QWidget*>(FUi->GRP_Recent),
                           static_cast<QWidget*>(FUi->GRP_DefSavePath), static_cast<QWidget*>(FUi->GRP_InvalidCode)}) {
        outer->removeWidget(group);
        left->addWidget(group);
    }
    left->addStretch(1);
    columns->addLayout(left);
    columns->addWidget(GRP_Printers);
    outer->insertLayout(0, columns);
    setTabOrder(Rdio_Abort, CBX_Printer);
    setTabOrder(CBX_Media, Btn_OK);

    connect(CBX_Printer, &QComboBox::currentIndexChanged, this, &TFM_options::PrinterChosen);
    connect(CHK_Zpl, &QCheckBox::toggled, this, &TFM_options::ZplToggled);
    connect(Btn_Calibration, &QPushButton::clicked, this, &TFM_options::PrintCalibrationClick);
    connect(Btn_WorkOut, &QPushButton::clicked, this, &TFM_options::WorkOutClick);
    ZplToggled(false);
}

void TFM_options::ZplToggled(bool checked)
{
    for (QWidget* w : {static_cast<QWidget*>(CBX_ZplDpi), static_cast<QWidget*>(SEdt_Darkness),
                       static_cast<QWidget*>(SEdt_Speed), static_cast<QWidget*>(CBX_Media)})
        w->setEnabled(checked && CBX_Printer->count() > 0);
}

TPrinterProfile TFM_options::ShownProfile() const
{
    TPrinterProfile p;
    p.OffsetMm = QPointF(RSEdt_OffsetX->value(), RSEdt_OffsetY->value());
    p.ScalePercent = QPointF(RSEdt_ScaleX->value(), RSEdt_ScaleY->value());
    p.Zpl = CHK_Zpl->isChecked();
    p.ZplSettings.Dpi = CBX_ZplDpi->currentData().toInt();
    p.ZplSettings.Darkness = SEdt_Darkness->value();
    p.ZplSettings.Speed = SEdt_Speed->value();
    p.ZplSettings.Media = TMediaKind(std::max(0, CBX_Media->currentIndex()));
    return p;
}

void TFM_options::ShowProfile(const TPrinterProfile& p)
{
    RSEdt_OffsetX->setValue(p.OffsetMm.x());
    RSEdt_OffsetY->setValue(p.OffsetMm.y());
    RSEdt_ScaleX->setValue(p.ScalePercent.x());
    RSEdt_ScaleY->setValue(p.ScalePercent.y());
    CHK_Zpl->setChecked(p.Zpl);
    CBX_ZplDpi->setCurrentIndex(std::max(0, CBX_ZplDpi->findData(p.ZplSettings.Dpi)));
    SEdt_Darkness->setValue(p.ZplSettings.Darkness);
    SEdt_Speed->setValue(p.ZplSettings.Speed);
    CBX_Media->setCurrentIndex(int(p.ZplSettings.Media));
    ZplToggled(p.Zpl);
}

TPrinterProfile TFM_options::Profile(const QString& printerName) const
{
    if (printerName == FShownPrinter && !FShownPrinter.isEmpty())
        return ShownProfile();
    const auto it = FEdited.find(printerName);
    return it == FEdited.end() ? TPrinterProfile() : it->second;
}

void TFM_options::PrinterChosen()
{
    if (!FShownPrinter.isEmpty())
        FEdited[FShownPrinter] = ShownProfile();
    FShownPrinter.clear();
    const QString chosen = CBX_Printer->currentText();
    ShowProfile(Profile(chosen));
    FShownPrinter = chosen;
    ShowDesignedMarks();
}

void TFM_options::StoreProfiles()
{
    if (!FShownPrinter.isEmpty())
        FEdited[FShownPrinter] = ShownProfile();
    const std::unique_ptr<QSettings> store = SettingsStore ? SettingsStore() : nullptr;
    if (!store)
        return;
    const auto same = [](const TPrinterProfile& a, const TPrinterProfile& b) {
        return a.OffsetMm == b.OffsetMm && a.ScalePercent == b.ScalePercent && a.Zpl == b.Zpl &&
               a.ZplSettings.Dpi == b.ZplSettings.Dpi && a.ZplSettings.Darkness == b.ZplSettings.Darkness &&
               a.ZplSettings.Speed == b.ZplSettings.Speed && a.ZplSettings.Media == b.ZplSettings.Media;
    };
    for (const auto& [name, profile] : FEdited)
        if (!same(profile, FLoaded[name]))
            StorePrinterProfile(*store, name, profile);
    FLoaded = FEdited;
}

template <class F>
auto TFM_options::WithPrinter(int index, F f) const
{
    TPrinter& printer = Printer();
    struct TRestore {
        TPrinter& printer;
        const int index = printer.PrinterIndex();
        ~TRestore()
        {
            if (index >= 0 && index < printer.Printers().size())
                printer.SetPrinterIndex(index);
        }
    } restore{printer};
    printer.SetPrinterIndex(index);
    return f(printer);
}

double TFM_options::SpanOfChosenPrinter() const
{
    const int index = Printer().Printers().indexOf(CBX_Printer->currentText());
    if (index < 0)
        return CalibrationSpanMm(QSizeF(210, 297));
    return WithPrinter(index, [](TPrinter& printer) {
        const QSize dots = printer.PhysicalPageSize();
        const int dpi = UsableDpi(printer.ResolutionX());
        return CalibrationSpanMm(dots.isEmpty() ? QSizeF(210, 297)
                                                : QSizeF(dots.width() * 25.4 / dpi, dots.height() * 25.4 / dpi));
    });
}

void TFM_options::ShowDesignedMarks()
{
    const double span = SpanOfChosenPrinter();
    RSEdt_MeasuredAX->setValue(kCalibrationAMm);
    RSEdt_MeasuredAY->setValue(kCalibrationAMm);
    RSEdt_MeasuredAB->setValue(span);
    RSEdt_MeasuredAC->setValue(span);
}

void TFM_options::PrintCalibrationClick()
{
    const int index = Printer().Printers().indexOf(CBX_Printer->currentText());
    if (index < 0) {
        Dialogs().MessageDlg(tr("No printer is installed."), TMsgDlgType::mtWarning, mbOK);
        return;
    }
    try {
        WithPrinter(index, [](TPrinter&) {
            PrintCalibrationSheet(QDate::currentDate());
            return 0;
        });
    } catch (const std::exception& e) {
        Dialogs().MessageDlg(tr("The calibration sheet could not be printed: %1").arg(QString::fromUtf8(e.what())),
                             TMsgDlgType::mtError, mbOK);
    }
}

void TFM_options::WorkOutClick()
{
    TCalibrationMeasurement m;
    m.A = QPointF(RSEdt_MeasuredAX->value(), RSEdt_MeasuredAY->value());
    m.AB = RSEdt_MeasuredAB->value();
    m.AC = RSEdt_MeasuredAC->value();
    QPointF offset, scale;
    if (!CalibrationFromMeasurement(m, SpanOfChosenPrinter(), offset, scale)) {
        Dialogs().MessageDlg(tr("These measurements give no usable calibration: the sheet must move by at most "
                                "50 mm and scale between 50 and 150 %. Please measure again."),
                             TMsgDlgType::mtError, mbOK);
        return;
    }
    RSEdt_OffsetX->setValue(offset.x());
    RSEdt_OffsetY->setValue(offset.y());
    RSEdt_ScaleX->setValue(scale.x());
    RSEdt_ScaleY->setValue(scale.y());
}
