#include "gui/printing/HistoryWindow.h"

#include "gui/UserDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Names a widget for tests and screen readers alike.
template <typename W>
W* Named(W* widget, const char* objectName, const QString& accessibleName)
{
    widget->setObjectName(QLatin1String(objectName));
    widget->setAccessibleName(accessibleName);
    return widget;
}

}  // namespace

TFM_History::TFM_History(const TDesktopPrintSettings& settings, QWidget* parent)
    : QDialog(parent), FSettings(settings)
{
    setObjectName(QStringLiteral("TFM_History"));
    setWindowTitle(tr("Print History"));
    setAccessibleName(tr("Print History"));
    resize(900, 480);

    Chk_Since = Named(new QCheckBox(tr("&Since:"), this), "Chk_Since", tr("Only runs since a date"));
    Edt_Since = Named(new QDateEdit(QDate::currentDate().addDays(-30), this), "Edt_Since", tr("Since"));
    Edt_Since->setCalendarPopup(true);
    Edt_Since->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    Edt_Since->setEnabled(false);
    Edt_Printer = Named(new QLineEdit(this), "Edt_Printer", tr("Printer"));
    Edt_Printer->setPlaceholderText(tr("any printer"));
    Edt_Label = Named(new QLineEdit(this), "Edt_Label", tr("Label"));
    Edt_Label->setPlaceholderText(tr("any label"));
    Cmb_Result = Named(new QComboBox(this), "Cmb_Result", tr("Result"));
    Cmb_Result->addItem(tr("any result"), QString());
    const std::pair<THistoryResult, QString> results[] = {
        {THistoryResult::Done, tr("done")},       {THistoryResult::Cancelled, tr("cancelled")},
        {THistoryResult::Failed, tr("failed")},   {THistoryResult::Stopped, tr("stopped")},
        {THistoryResult::Aborted, tr("aborted")}, {THistoryResult::NotStarted, tr("not started")},
    };
    for (const auto& [result, text] : results)
        Cmb_Result->addItem(text, HistoryResultName(result));

    auto* filters = new QHBoxLayout;
    filters->addWidget(Chk_Since);
    filters->addWidget(Edt_Since);
    auto* printerLabel = new QLabel(tr("&Printer:"), this);
    printerLabel->setBuddy(Edt_Printer);
    filters->addWidget(printerLabel);
    filters->addWidget(Edt_Printer, 1);
    auto* labelLabel = new QLabel(tr("&Label:"), this);
    labelLabel->setBuddy(Edt_Label);
    filters->addWidget(labelLabel);
    filters->addWidget(Edt_Label, 1);
    auto* resultLabel = new QLabel(tr("&Result:"), this);
    resultLabel->setBuddy(Cmb_Result);
    filters->addWidget(resultLabel);
    filters->addWidget(Cmb_Result);

    FModel = new QStandardItemModel(this);
    FModel->setHorizontalHeaderLabels({tr("Run"), tr("Started (UTC)"), tr("User"), tr("Label"), tr("Labels"),
                                       tr("Painted"), tr("Pages"), tr("Copies"), tr("Printer or file"),
                                       tr("Result"), tr("Reprint of"), tr("Message")});
    Grid_Runs = Named(new QTableView(this), "Grid_Runs", tr("Recorded print runs"));
    Grid_Runs->setModel(FModel);
    Grid_Runs->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid_Runs->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid_Runs->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid_Runs->verticalHeader()->hide();
    Grid_Runs->horizontalHeader()->setStretchLastSection(true);

    Lbl_Status = Named(new QLabel(this), "Lbl_Status", tr("History status"));
    Lbl_Status->setWordWrap(true);
    Lbl_Status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Btn_Reprint = Named(new QPushButton(tr("&Reprint..."), this), "Btn_Reprint", tr("Reprint"));
    Btn_Export = Named(new QPushButton(tr("&Export CSV..."), this), "Btn_Export", tr("Export CSV"));
    Btn_Close = Named(new QPushButton(tr("&Close"), this), "Btn_Close", tr("Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Lbl_Status, 1);
    buttons->addWidget(Btn_Reprint);
    buttons->addWidget(Btn_Export);
    buttons->addWidget(Btn_Close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(Grid_Runs, 1);
    layout->addLayout(buttons);

    connect(Chk_Since, &QCheckBox::toggled, Edt_Since, &QWidget::setEnabled);
    connect(Chk_Since, &QCheckBox::toggled, this, &TFM_History::Refresh);
    connect(Edt_Since, &QDateEdit::dateChanged, this, &TFM_History::Refresh);
    connect(Edt_Printer, &QLineEdit::textChanged, this, &TFM_History::Refresh);
    connect(Edt_Label, &QLineEdit::textChanged, this, &TFM_History::Refresh);
    connect(Cmb_Result, &QComboBox::currentIndexChanged, this, &TFM_History::Refresh);
    connect(Btn_Reprint, &QPushButton::clicked, this, &TFM_History::ReprintClick);
    connect(Btn_Export, &QPushButton::clicked, this, &TFM_History::ExportClick);
    connect(Btn_Close, &QPushButton::clicked, this, &QDialog::accept);
    connect(Grid_Runs, &QTableView::doubleClicked, this, &TFM_History::ReprintClick);
    Refresh();
}

void TFM_History::Refresh()
{
    THistoryFilter filter;
    if (Chk_Since->isChecked())
        filter.Since = QDateTime(Edt_Since->date(), QTime(0, 0), Qt::UTC);
    filter.Output = Edt_Printer->text().trimmed();
    filter.Label = Edt_Label->text().trimmed();
    filter.Result = Cmb_Result->currentData().toString();
    const QString location = HistoryLocationOf(FSettings);
    try {
        const THistoryStore store(location);
        FRuns = store.Runs(filter);
        Lbl_Status->setText(tr("Runs shown: %1 (%2)").arg(FRuns.size()).arg(THistoryStore::DisplayName(location)));
    } catch (const std::exception& e) {
        FRuns.clear();
        Lbl_Status->setText(QString::fromUtf8(e.what()));
    }
    FModel->removeRows(0, FModel->rowCount());
    for (const THistoryRun& run : FRuns) {
        const QStringList texts{QString::number(run.Id),
                                run.Started.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                run.User,
                                run.LabelPath,
                                run.LabelRangesText(),
                                QString::number(run.LabelCount),
                                QString::number(run.Pages),
                                QString::number(run.Copies),
                                run.Output,
                                // The result in the words of the filter.
                                Cmb_Result->itemText(Cmb_Result->findData(HistoryResultName(run.Result))),
                                run.ReprintOf > 0 ? QString::number(run.ReprintOf) : QString(),
                                run.Message};
        QList<QStandardItem*> row;
        for (const QString& text : texts)
            row << new QStandardItem(text);
        FModel->appendRow(row);
    }
    Grid_Runs->resizeColumnsToContents();
    Btn_Reprint->setEnabled(!FRuns.empty());
    Btn_Export->setEnabled(!FRuns.empty());
    if (!FRuns.empty())
        Grid_Runs->selectRow(0);
}

void TFM_History::ReprintClick()
{
    const QModelIndex current = Grid_Runs->currentIndex();
    if (!current.isValid() || size_t(current.row()) >= FRuns.size())
        return;
    const THistoryRun run = FRuns[size_t(current.row())];
    int64_t first = run.Labels.empty() ? 1 : run.Labels.front().first;
    int64_t last = run.Labels.empty() ? 1 : run.Labels.back().second;
    if (!AskReprintLabels(this, first, last))
        return;
    ReprintRun(run.Id, first, last, FSettings, this);
    Refresh();
}

void TFM_History::ExportClick()
{
    const QString path = Dialogs().SaveFileName(tr("Export the print history"), QString(),
                                                tr("CSV File (*.csv)"), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    QFile file(path);
    const QByteArray csv = HistoryCsv(FRuns);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(csv) != csv.size() || !file.flush())
        Dialogs().MessageDlg(tr("Cannot write the file %1: %2").arg(path, file.errorString()), TMsgDlgType::mtError,
                             mbOK);
}

bool AskReprintLabels(QWidget* parent, int64_t& first, int64_t& last)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("TFM_Reprint"));
    dialog.setWindowTitle(TFM_History::tr("Reprint"));
    dialog.setAccessibleName(TFM_History::tr("Reprint"));
    auto* whole = Named(new QRadioButton(TFM_History::tr("The &whole run (labels %1-%2)").arg(first).arg(last), &dialog),
                        "Rdio_Whole", TFM_History::tr("The whole run"));
    auto* some = Named(new QRadioButton(TFM_History::tr("&Labels"), &dialog), "Rdio_Labels", TFM_History::tr("Labels"));
    auto* from = Named(new QSpinBox(&dialog), "SEdt_From", TFM_History::tr("First label"));
    auto* to = Named(new QSpinBox(&dialog), "SEdt_To", TFM_History::tr("Last label"));
    for (QSpinBox* box : {from, to}) {
        box->setRange(1, int(std::min<int64_t>(last, INT32_MAX)));
        box->setEnabled(false);
        QObject::connect(some, &QRadioButton::toggled, box, &QWidget::setEnabled);
    }
    from->setValue(int(first));
    to->setValue(int(std::min<int64_t>(last, INT32_MAX)));
    whole->setChecked(true);
    auto* range = new QHBoxLayout;
    range->addWidget(some);
    range->addWidget(from);
    range->addWidget(new QLabel(TFM_History::tr("to"), &dialog));
    range->addWidget(to);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(whole);
    layout->addLayout(range);
    layout->addWidget(box);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (some->isChecked()) {
        first = std::min(from->value(), to->value());
        last = std::max(from->value(), to->value());
    }
    return true;
}
