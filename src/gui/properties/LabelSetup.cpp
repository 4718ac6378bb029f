#include "gui/properties/LabelSetup.h"

#include "document/OutputFile.h"

#include "engine/DocumentEdit.h"
#include "engine/LabelDocument.h"
#include "gui/UserDialogs.h"
#include "document/LabelFile.h"
#include "document/MGraph.h"
#include "document/Printer.h"
#include "document/CupsPrinter.h"
#include "engine/printing/PrintJob.h"
#include "engine/printing/SheetLayout.h"
#include "gui/properties/ObjectProperties.h"
#include "gui/properties/PropertyUnits.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QPageSize>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kPreviewWidth = 170;
constexpr int kPreviewHeight = 250;
constexpr int kMaxCount = 200;

}  // namespace

// ----- TPagePreview -----------------------------------------------------------

TPagePreview::TPagePreview(QWidget* parent) : QWidget(parent)
{
    setFixedSize(kPreviewWidth + 6, kPreviewHeight + 6);
}

void TPagePreview::SetThumbnail(const QImage& image)
{
    FImage = image;
    update();
}

void TPagePreview::paintEvent(QPaintEvent*)
{
    if (FImage.isNull())
        return;
    QPainter painter(this);
    const int x = Round((kPreviewWidth - FImage.width()) / 2.0);
    const int y = Round((kPreviewHeight - FImage.height()) / 2.0);
    painter.fillRect(QRect(x + 3, y + 3, FImage.width(), FImage.height()), Qt::black);
    painter.drawImage(x, y, FImage);
}

// ----- TLabelSetupPage ----------------------------------------------------------

namespace {

TRealSpinBox* MakeReal(QWidget* parent, const char* name, double step)
{
    auto* spin = new TRealSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setSingleStep(step);
    spin->setRange(0, 10000);
    return spin;
}

QSpinBox* MakeCount(QWidget* parent, const char* name, int max, int value)
{
    auto* spin = new TIntSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(0, max);
    spin->setValue(value);
    spin->setKeyboardTracking(false);
    return spin;
}

void AddRow(QGridLayout* grid, int row, int col, const QString& caption, QWidget* field)
{
    auto* label = new QLabel(caption, field->parentWidget());
    label->setBuddy(field);
    field->setAccessibleName(caption);
    grid->addWidget(label, row, col);
    grid->addWidget(field, row, col + 1);
}

QString LabelGroupCaption(int units)
{
    return QStringLiteral(" Label Setup  ( ") + UnitName(units) + QStringLiteral(" ) ");
}

// The papers offered: Qt's page sizes that have a paper code.
const QPageSize::PageSizeId kPapers[] = {
    QPageSize::A3,     QPageSize::A4,        QPageSize::A5,       QPageSize::A6,        QPageSize::B4,
    QPageSize::B5,     QPageSize::Letter,    QPageSize::Legal,    QPageSize::Executive, QPageSize::Tabloid,
    QPageSize::Ledger, QPageSize::Envelope10, QPageSize::EnvelopeDL, QPageSize::EnvelopeC5, QPageSize::Folio,
};

// The paper's size in tenths of a millimetre, portrait.
QSize PaperTenths(const TPrinterDeviceSettings& paper)
{
    const QPageSize size = TCupsPrinter::PageSizeOfCode(paper.PaperSize, paper.PaperWidth, paper.PaperLength);
    if (!size.isValid())
        return QSize(2100, 2970);
    const QSizeF mm = size.size(QPageSize::Millimeter);
    return QSize(Round(mm.width() * 10), Round(mm.height() * 10));
}

QString MarginGroupCaption(int units)
{
    return QStringLiteral(" Margins ( ") + UnitName(units) + QStringLiteral(" ) ");
}

}  // namespace

TLabelSetupPage::TLabelSetupPage(TLabelDocument& document, int units, QWidget* parent)
    : QWidget(parent), FDocument(document), FUnits(units == 1 ? 1 : 0), FB(UnitFactor(units))
{
    setObjectName(QStringLiteral("PAG_Page"));

    GroupBox11 = new QGroupBox(tr(" Output Labels Range "), this);
    GroupBox11->setObjectName(QStringLiteral("GroupBox11"));
    Rdio_onelab = new QRadioButton(tr("Number of Copies for Current Label :"), GroupBox11);
    Rdio_onelab->setObjectName(QStringLiteral("Rdio_onelab"));
    SEdt_LabCopies = MakeCount(GroupBox11, "SEdt_LabCopies", 10000, 1);
    SEdt_LabCopies->setMinimum(1);
    SEdt_LabCopies->setAccessibleName(tr("Number of Copies for Current Label :"));
    Rdio_ALLItem = new QRadioButton(tr("All Items From Datasheet"), GroupBox11);
    Rdio_ALLItem->setObjectName(QStringLiteral("Rdio_ALLItem"));
    Rdio_ALLItem->setChecked(true);
    auto* rangeGroup = new QButtonGroup(this);
    rangeGroup->addButton(Rdio_onelab);
    rangeGroup->addButton(Rdio_ALLItem);
    auto* rg = new QGridLayout(GroupBox11);
    rg->addWidget(Rdio_onelab, 0, 0);
    rg->addWidget(SEdt_LabCopies, 0, 1);
    rg->addWidget(Rdio_ALLItem, 1, 0, 1, 2);
    rg->setColumnStretch(2, 1);

    GBox_Paper = new QGroupBox(tr(" Paper "), this);
    GBox_Paper->setObjectName(QStringLiteral("GBox_Paper"));
    CBX_Paper = new QComboBox(GBox_Paper);
    CBX_Paper->setObjectName(QStringLiteral("CBX_Paper"));
    for (QPageSize::PageSizeId id : kPapers)
        CBX_Paper->addItem(QPageSize::name(id), QPageSize::windowsId(id));
    CBX_Paper->addItem(tr("Custom..."), kPaperCustom);
    CBX_Paper->addItem(tr("Roll (one label per page)"), kPaperRollEntry);
    CBX_Orientation = new QComboBox(GBox_Paper);
    CBX_Orientation->setObjectName(QStringLiteral("CBX_Orientation"));
    CBX_Orientation->addItems({tr("Portrait"), tr("Landscape")});
    RSEdt_PaperWidth = MakeReal(GBox_Paper, "RSEdt_PaperWidth", 0.1);
    RSEdt_PaperLength = MakeReal(GBox_Paper, "RSEdt_PaperLength", 0.1);
    auto* pg = new QGridLayout(GBox_Paper);
    AddRow(pg, 0, 0, tr("Paper:"), CBX_Paper);
    AddRow(pg, 1, 0, tr("Orientation:"), CBX_Orientation);
    AddRow(pg, 2, 0, tr("Paper Width:"), RSEdt_PaperWidth);
    AddRow(pg, 3, 0, tr("Paper Length:"), RSEdt_PaperLength);
    Lab_PaperWidth = qobject_cast<QLabel*>(pg->itemAtPosition(2, 0)->widget());
    Lab_PaperLength = qobject_cast<QLabel*>(pg->itemAtPosition(3, 0)->widget());
    Button4 = new QPushButton(tr("Printer and Paper Setup"), this);
    Button4->setObjectName(QStringLiteral("Button4"));
    IMG_Page = new TPagePreview(this);
    IMG_Page->setObjectName(QStringLiteral("IMG_Page"));
    IMG_Page->setAccessibleName(tr("Page"));

    GBox_Template = new QGroupBox(tr(" Label Products "), this);
    GBox_Template->setObjectName(QStringLiteral("GBox_Template"));
    Edt_Template = new QLineEdit(GBox_Template);
    Edt_Template->setObjectName(QStringLiteral("Edt_Template"));
    Edt_Template->setPlaceholderText(tr("Search: maker, part number or description"));
    Edt_Template->setAccessibleName(tr("Search label products"));
    Edt_Template->setClearButtonEnabled(true);
    LST_Template = new QListWidget(GBox_Template);
    LST_Template->setObjectName(QStringLiteral("LST_Template"));
    LST_Template->setAccessibleName(tr("Label products"));
    LST_Template->setMinimumHeight(110);
    Lab_TemplateNote = new QLabel(GBox_Template);
    Lab_TemplateNote->setObjectName(QStringLiteral("Lab_TemplateNote"));
    Lab_TemplateNote->setWordWrap(true);
    Btn_SaveTemplate = new QPushButton(tr("Save as Template..."), GBox_Template);
    Btn_SaveTemplate->setObjectName(QStringLiteral("Btn_SaveTemplate"));
    auto* tg = new QVBoxLayout(GBox_Template);
    tg->addWidget(Edt_Template);
    tg->addWidget(LST_Template);
    tg->addWidget(Lab_TemplateNote);
    tg->addWidget(Btn_SaveTemplate);

    GBox_Lab = new QGroupBox(LabelGroupCaption(FUnits), this);
    GBox_Lab->setObjectName(QStringLiteral("GBox_Lab"));
    SEdt_Col = MakeCount(GBox_Lab, "SEdt_Col", kMaxCount, 2);
    SEdt_Row = MakeCount(GBox_Lab, "SEdt_Row", kMaxCount, 5);
    RSEdt_Width = MakeReal(GBox_Lab, "RSEdt_Width", 0.1);
    RSEdt_Height = MakeReal(GBox_Lab, "RSEdt_Height", 1);
    RSEdt_CR = MakeReal(GBox_Lab, "RSEdt_CR", 0.02);
    CHK_Auto = new QCheckBox(tr("Auto Calculate"), GBox_Lab);
    CHK_Auto->setObjectName(QStringLiteral("CHK_Auto"));
    auto* lg = new QGridLayout(GBox_Lab);
    AddRow(lg, 0, 0, tr("Columns:"), SEdt_Col);
    AddRow(lg, 1, 0, tr("Rows:"), SEdt_Row);
    lg->addWidget(CHK_Auto, 2, 0, 1, 2);
    AddRow(lg, 0, 2, tr("Width:"), RSEdt_Width);
    AddRow(lg, 1, 2, tr("Height:"), RSEdt_Height);
    AddRow(lg, 2, 2, tr("Corner Radius:"), RSEdt_CR);

    GBox_Mar = new QGroupBox(MarginGroupCaption(FUnits), this);
    GBox_Mar->setObjectName(QStringLiteral("GBox_Mar"));
    RSEdt_ML = MakeReal(GBox_Mar, "RSEdt_ML", 0.1);
    RSEdt_MT = MakeReal(GBox_Mar, "RSEdt_MT", 0.1);
    RSEdt_MR = MakeReal(GBox_Mar, "RSEdt_MR", 0.1);
    RSEdt_MB = MakeReal(GBox_Mar, "RSEdt_MB", 0.1);
    RSEdt_VS = MakeReal(GBox_Mar, "RSEdt_VS", 0.1);
    RSEdt_HS = MakeReal(GBox_Mar, "RSEdt_HS", 0.1);
    auto* mg = new QGridLayout(GBox_Mar);
    AddRow(mg, 0, 0, tr("Left:"), RSEdt_ML);
    AddRow(mg, 1, 0, tr("Top:"), RSEdt_MT);
    AddRow(mg, 2, 0, tr("V Space:"), RSEdt_VS);
    AddRow(mg, 0, 2, tr("Right:"), RSEdt_MR);
    AddRow(mg, 1, 2, tr("Bottom:"), RSEdt_MB);
    AddRow(mg, 2, 2, tr("H Space:"), RSEdt_HS);

    GroupBox3 = new QGroupBox(tr(" Output order "), this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    CBX_Start = new QComboBox(GroupBox3);
    CBX_Start->setObjectName(QStringLiteral("CBX_Start"));
    CBX_Start->addItems({tr("TopLeft"), tr("BottomLeft"), tr("TopRight"), tr("BottomRight")});
    CBX_Direct = new QComboBox(GroupBox3);
    CBX_Direct->setObjectName(QStringLiteral("CBX_Direct"));
    CBX_Direct->addItems({tr("Horizontal"), tr("Vertical")});
    auto* og = new QGridLayout(GroupBox3);
    AddRow(og, 0, 0, tr("Start:"), CBX_Start);
    AddRow(og, 0, 2, tr("Direction:"), CBX_Direct);
    CHK_CutMark = new QCheckBox(tr("Corner Crop Marks"), this);
    CHK_CutMark->setObjectName(QStringLiteral("CHK_CutMark"));

    auto* left = new QVBoxLayout;
    left->addWidget(GBox_Template);
    left->addWidget(IMG_Page);
    left->addWidget(GBox_Paper);
    left->addWidget(Button4);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(GBox_Lab);
    right->addWidget(GBox_Mar);
    right->addWidget(GroupBox3);
    right->addWidget(CHK_CutMark);
    right->addWidget(GroupBox11);
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    for (TRealSpinBox* spin :
         {RSEdt_Width, RSEdt_Height, RSEdt_CR, RSEdt_ML, RSEdt_MT, RSEdt_MR, RSEdt_MB, RSEdt_VS, RSEdt_HS})
        connect(spin, &QDoubleSpinBox::valueChanged, this, [this] {
            if (FFilling)
                return;
            // A roll is one label big: it follows the label and its margins.
            if (FRoll)
                FollowRoll();
            DrawPagePreview();
        });
    for (TRealSpinBox* spin : {RSEdt_PaperWidth, RSEdt_PaperLength})
        connect(spin, &QDoubleSpinBox::valueChanged, this, [this] {
            if (!FFilling && !FRoll)
                CustomSizeTyped();
        });
    connect(CHK_CutMark, &QCheckBox::toggled, this, [this] {
        if (!FFilling)
            DrawPagePreview();
    });
    connect(SEdt_Col, &QSpinBox::valueChanged, this, [this] { CountChanged(SEdt_Col, true); });
    connect(SEdt_Row, &QSpinBox::valueChanged, this, [this] { CountChanged(SEdt_Row, false); });
    connect(CHK_Auto, &QCheckBox::toggled, this, &TLabelSetupPage::AutoToggled);
    connect(Button4, &QPushButton::clicked, this, &TLabelSetupPage::PrinterSetupClicked);
    connect(CBX_Paper, &QComboBox::activated, this, &TLabelSetupPage::PaperChosen);
    connect(CBX_Orientation, &QComboBox::activated, this, &TLabelSetupPage::PaperChosen);
    connect(Rdio_onelab, &QRadioButton::toggled, SEdt_LabCopies, &QWidget::setEnabled);
    connect(Edt_Template, &QLineEdit::textChanged, this, &TLabelSetupPage::SearchTemplates);
    connect(LST_Template, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && size_t(row) < FShownTemplates.size())
            ChooseTemplate(FShownTemplates[size_t(row)]);
    });
    connect(Btn_SaveTemplate, &QPushButton::clicked, this, &TLabelSetupPage::SaveAsTemplate);
    SEdt_LabCopies->setEnabled(false);
}

TLabelSetupPage::TPageGeometry TLabelSetupPage::PageGeometry() const
{
    TPageGeometry page;
    if (Printer().HasPrinters()) {
        page.Width = PaperMetric(QStringLiteral("Width"));
        page.Height = PaperMetric(QStringLiteral("Length"));
        page.DpiX = UsableDpi(Printer().ResolutionX());
        page.DpiY = UsableDpi(Printer().ResolutionY());
        return page;
    }
    // No printer: the paper chosen here, at 300 dots per inch (A4 is 2479 x
    // 3508 dots).
    QPageSize paper = TCupsPrinter::PageSizeOfCode(FPaper.PaperSize, FPaper.PaperWidth, FPaper.PaperLength);
    if (!paper.isValid())
        paper = QPageSize(QPageSize::A4);
    const QSize dots = paper.sizePixels(page.DpiX);
    page.Width = dots.width();
    page.Height = dots.height();
    if (FPaper.Orientation == poLandscape)
        std::swap(page.Width, page.Height);
    return page;
}

void TLabelSetupPage::ShowPaper()
{
    const QSignalBlocker blockPaper(CBX_Paper), blockOrientation(CBX_Orientation);
    const QSignalBlocker blockWidth(RSEdt_PaperWidth), blockLength(RSEdt_PaperLength);
    const int code = FRoll ? kPaperRollEntry : FPaper.PaperSize;
    int index = CBX_Paper->findData(code);
    if (index < 0)
        index = CBX_Paper->findData(kPaperCustom);
    CBX_Paper->setCurrentIndex(index);
    CBX_Orientation->setCurrentIndex(FPaper.Orientation == poLandscape ? 1 : 0);
    // The size boxes for a paper of the document's own; a roll's size shows
    // there but follows the label.
    const bool own = CBX_Paper->currentData().toInt() == kPaperCustom || FRoll;
    const QSize tenths = PaperTenths(FPaper);
    RSEdt_PaperWidth->setValue(tenths.width() / 100.0 / FB);
    RSEdt_PaperLength->setValue(tenths.height() / 100.0 / FB);
    for (QWidget* w : {static_cast<QWidget*>(Lab_PaperWidth), static_cast<QWidget*>(RSEdt_PaperWidth),
                       static_cast<QWidget*>(Lab_PaperLength), static_cast<QWidget*>(RSEdt_PaperLength)})
        w->setVisible(own);
    RSEdt_PaperWidth->setEnabled(!FRoll);
    RSEdt_PaperLength->setEnabled(!FRoll);
    CBX_Orientation->setEnabled(!FRoll);
}

void TLabelSetupPage::PaperToPrinter()
{
    // With a printer the choice is the printer's at once, as its own setup
    // dialog's would be.
    if (Printer().HasPrinters() && Printer().HasDeviceSettings())
        Printer().SetDeviceSettings(FPaper);
}

void TLabelSetupPage::PaperChosen()
{
    const int code = CBX_Paper->currentData().toInt();
    FRoll = code == kPaperRollEntry;
    FPaper.Orientation = CBX_Orientation->currentIndex() == 1 ? poLandscape : poPortrait;
    if (FRoll) {
        FollowRoll();
        DrawPagePreview();
        return;
    }
    if (code != kPaperCustom) {
        FPaper.PaperSize = code;
        const QSize tenths = PaperTenths(FPaper);
        FPaper.PaperWidth = tenths.width();
        FPaper.PaperLength = tenths.height();
    } else if (FPaper.PaperSize != kPaperCustom) {
        // Custom starts from the paper chosen so far.
        const QSize tenths = PaperTenths(FPaper);
        FPaper.PaperSize = kPaperCustom;
        FPaper.PaperWidth = tenths.width();
        FPaper.PaperLength = tenths.height();
    }
    ShowPaper();
    PaperToPrinter();
    DrawPagePreview();
}

void TLabelSetupPage::CustomSizeTyped()
{
    FPaper.PaperSize = kPaperCustom;
    FPaper.PaperWidth = std::max(1, Round(RSEdt_PaperWidth->value() * FB * 100));
    FPaper.PaperLength = std::max(1, Round(RSEdt_PaperLength->value() * FB * 100));
    PaperToPrinter();
    DrawPagePreview();
}

void TLabelSetupPage::FollowRoll()
{
    const auto points = [this](const TRealSpinBox* box) { return std::max(1, Round(FB * box->value() / 2.54 * 72)); };
    const QSize tenths = RollPaperTenths(points(RSEdt_Width), points(RSEdt_Height), FB * RSEdt_ML->value(),
                                         FB * RSEdt_MT->value(), FB * RSEdt_MR->value(), FB * RSEdt_MB->value());
    FPaper.PaperSize = kPaperCustom;
    FPaper.PaperWidth = tenths.width();
    FPaper.PaperLength = tenths.height();
    FPaper.Orientation = poPortrait;
    const bool filling = FFilling;
    FFilling = true;
    CHK_Auto->setChecked(false);
    SEdt_Col->setEnabled(true);
    SEdt_Row->setEnabled(true);
    SEdt_Col->setValue(1);
    SEdt_Row->setValue(1);
    FFilling = filling;
    ShowPaper();
    PaperToPrinter();
}

int TLabelSetupPage::Dots(double length, int dpi) const
{
    return Round(length / 2.54 * FB * dpi);
}

TLabelSetupPage::TCapacity TLabelSetupPage::CalcLayoutCapacity() const
{
    const TPageGeometry page = PageGeometry();
    const int lw = Dots(RSEdt_Width->value(), page.DpiX), lh = Dots(RSEdt_Height->value(), page.DpiY);
    const int ml = Dots(RSEdt_ML->value(), page.DpiX), mr = Dots(RSEdt_MR->value(), page.DpiX);
    const int mt = Dots(RSEdt_MT->value(), page.DpiY), mb = Dots(RSEdt_MB->value(), page.DpiY);
    const int hs = Dots(RSEdt_HS->value(), page.DpiX), vs = Dots(RSEdt_VS->value(), page.DpiY);
    TCapacity capacity;
    const qint64 across = qint64(page.Width) - ml - mr, down = qint64(page.Height) - mt - mb;
    if (across < lw)
        capacity.Cols = -1;
    else if (qint64(lw) + hs <= 0)
        capacity.ColsDefined = false;
    else
        capacity.Cols = int(std::min<qint64>((across + hs) / (qint64(lw) + hs), INT_MAX));
    if (down < lh)
        capacity.Rows = -1;
    else if (qint64(lh) + vs <= 0)
        capacity.RowsDefined = false;
    else
        capacity.Rows = int(std::min<qint64>((down + vs) / (qint64(lh) + vs), INT_MAX));
    return capacity;
}

void TLabelSetupPage::TakeCapacity()
{
    const TCapacity capacity = CalcLayoutCapacity();
    if (!capacity.ColsDefined || !capacity.RowsDefined) {
        Dialogs().MessageDlg(tr("A label of no width or height cannot be laid out on the page: give the label a size "
                                "or a space between labels."),
                             TMsgDlgType::mtWarning, mbOK);
    }
    const QSignalBlocker blockCols(SEdt_Col), blockRows(SEdt_Row);
    if (capacity.ColsDefined)
        SEdt_Col->setValue(std::clamp(capacity.Cols, 1, kMaxCount));
    if (capacity.RowsDefined)
        SEdt_Row->setValue(std::clamp(capacity.Rows, 1, kMaxCount));
}

void TLabelSetupPage::DrawPagePreview()
{
    const TPageGeometry page = PageGeometry();
    const int s = std::max(1, page.Width < page.Height ? Round(page.Height / 225.0) : Round(page.Width / 170.0));
    const int W = std::max(1, Round(double(page.Width) / s)), H = std::max(1, Round(double(page.Height) / s));
    QImage image(W, H, QImage::Format_RGB32);
    image.fill(Qt::white);
    auto thumb = [s, this](double length, int dpi) { return Round(double(Dots(length, dpi)) / s); };
    const int w = thumb(RSEdt_Width->value(), page.DpiX), h = thumb(RSEdt_Height->value(), page.DpiY);
    const int c = thumb(RSEdt_CR->value(), page.DpiX);
    const int ml = thumb(RSEdt_ML->value(), page.DpiX), mr = thumb(RSEdt_MR->value(), page.DpiX);
    const int mt = thumb(RSEdt_MT->value(), page.DpiY), mb = thumb(RSEdt_MB->value(), page.DpiY);
    const int hs = thumb(RSEdt_HS->value(), page.DpiX), vs = thumb(RSEdt_VS->value(), page.DpiY);
    {
        QPainter painter(&image);
        const QPen tick(QColor(255, 0, 0), 2);
        const QPen outline(QColor(192, 192, 192), 1);
        const bool marks = CHK_CutMark->isChecked();
        const int cols = SEdt_Col->value(), rows = SEdt_Row->value();
        for (int i = 0; i < cols; ++i) {
            const int x = ml + i * (w + hs);
            if (x > W)
                break;
            for (int j = 0; j < rows; ++j) {
                const int y = mt + j * (h + vs);
                if (y > H)
                    break;
                if (marks) {
                    painter.setPen(tick);
                    for (int tx : {x, x + w}) {
                        painter.drawLine(tx, mt - 1, tx, mt - 3);
                        painter.drawLine(tx, H - mb + 1, tx, H - mb + 3);
                    }
                    for (int ty : {y, y + h}) {
                        painter.drawLine(ml - 1, ty, ml - 3, ty);
                        painter.drawLine(W - mr + 1, ty, W - mr + 3, ty);
                    }
                }
                painter.setPen(outline);
                painter.setBrush(Qt::NoBrush);
                painter.drawRoundedRect(QRect(x, y, w, h), c / 2.0, c / 2.0);
            }
        }
    }
    IMG_Page->SetThumbnail(image);
    if (CHK_Auto->isChecked())
        TakeCapacity();
}

void TLabelSetupPage::CountChanged(QSpinBox* box, bool columns)
{
    if (FFilling)
        return;
    // More than one label a page is no roll: the paper stays as a custom one.
    if (FRoll && (SEdt_Col->value() != 1 || SEdt_Row->value() != 1)) {
        FRoll = false;
        ShowPaper();
    }
    {
        const QSignalBlocker block(box);
        if (box->value() < 1)
            box->setValue(1);
        if (!CHK_Auto->isChecked()) {
            const TCapacity capacity = CalcLayoutCapacity();
            const bool defined = columns ? capacity.ColsDefined : capacity.RowsDefined;
            const int fits = columns ? capacity.Cols : capacity.Rows;
            if (!defined) {
                Dialogs().MessageDlg(tr("A label of no width or height cannot be laid out on the page: give the "
                                        "label a size or a space between labels."),
                                     TMsgDlgType::mtWarning, mbOK);
            } else if (fits < box->value() || fits < 0) {
                Dialogs().MessageDlg(columns ? tr("Too many columns out of page! ") : tr("Too many rows out of page! "),
                                     TMsgDlgType::mtWarning, mbOK);
                box->setValue(std::max(1, box->value() - 1));
            }
        }
    }
    DrawPagePreview();
}

void TLabelSetupPage::AutoToggled(bool checked)
{
    if (checked && FRoll && !FFilling) {
        FRoll = false;
        ShowPaper();
    }
    SEdt_Col->setEnabled(!checked);
    SEdt_Row->setEnabled(!checked);
    if (!FFilling && checked)
        DrawPagePreview();
}

void TLabelSetupPage::PrinterSetupClicked()
{
    if (!Printer().HasPrinters()) {
        Dialogs().MessageDlg(tr("No printer is installed."), TMsgDlgType::mtWarning, mbOK);
        return;
    }
    if (!Printer().ExecuteSetupDialog(this))
        return;
    FPaper = Printer().DeviceSettings();
    FRoll = false;
    ShowPaper();
    DrawPagePreview();
    TakeCapacity();
    CHK_Auto->setChecked(false);
    DrawPagePreview();
}

void TLabelSetupPage::Fill()
{
    TLabelPlan& plan = FDocument.Plan();
    FFilling = true;
    GBox_Lab->setTitle(LabelGroupCaption(FUnits));
    GBox_Mar->setTitle(MarginGroupCaption(FUnits));
    RSEdt_Width->setValue(RoundDecimals(plan.ScaleX / 72.0 * 2.54 / FB, 2));
    RSEdt_Height->setValue(RoundDecimals(plan.ScaleY / 72.0 * 2.54 / FB, 2));
    RSEdt_CR->setValue(RoundDecimals(plan.LabCR / 72.0 * 2.54 / FB, 2));
    SEdt_Row->setValue(std::clamp(plan.LayoutRows, 1, kMaxCount));
    SEdt_Col->setValue(std::clamp(plan.LayoutCols, 1, kMaxCount));
    CHK_Auto->setChecked(plan.AutoCalcLayout);
    SEdt_Col->setEnabled(!plan.AutoCalcLayout);
    SEdt_Row->setEnabled(!plan.AutoCalcLayout);
    CHK_CutMark->setChecked(plan.CutMark);
    ShowMargins(plan);
    if (plan.LabelCount == -1) {
        Rdio_ALLItem->setChecked(true);
    } else {
        Rdio_onelab->setChecked(true);
        SEdt_LabCopies->setValue(plan.LabelCount);
    }
    SEdt_LabCopies->setEnabled(Rdio_onelab->isChecked());
    FFilling = false;
    ApplyPrinterSettings(plan);
    if (Printer().HasPrinters() && Printer().HasDeviceSettings()) {
        FPaper = Printer().DeviceSettings();
    } else {
        FPaper.PaperSize = plan.PaperSize;
        FPaper.PaperWidth = plan.PaperWidth;
        FPaper.PaperLength = plan.PaperLength;
        FPaper.Orientation = plan.PaperOrientation ? poPortrait : poLandscape;
    }
    FRoll = IsRollPaper(plan);
    ShowPaper();
    if (FTemplates.empty())
        FTemplates = LoadLabelTemplates().Products;
    SearchTemplates(Edt_Template->text());
    Lab_TemplateNote->clear();
    const int order = plan.OutputOrder;
    CBX_Start->setCurrentIndex(order >= 0 && order <= 7 ? order % 4 : 0);
    CBX_Direct->setCurrentIndex(order >= 0 && order <= 7 ? order / 4 : 0);
    DrawPagePreview();
}

void TLabelSetupPage::ShowMargins(const TLabelPlan& plan)
{
    const double margins[6] = {plan.MarginLeft,   plan.MarginTop,     plan.MarginRight,
                               plan.MarginBottom, plan.VerticalSpace, plan.HorizontalSpace};
    TRealSpinBox* boxes[6] = {RSEdt_ML, RSEdt_MT, RSEdt_MR, RSEdt_MB, RSEdt_VS, RSEdt_HS};
    for (int i = 0; i < 6; ++i) {
        boxes[i]->setValue(margins[i] / FB);
        FShownMargins[i] = {margins[i], boxes[i]->value()};
    }
}

void TLabelSetupPage::SearchTemplates(const QString& search)
{
    FShownTemplates = FindLabelTemplates(FTemplates, search);
    const QSignalBlocker block(LST_Template);
    LST_Template->clear();
    for (const TLabelTemplate& t : FShownTemplates) {
        const QString text = tr("%1 - %2: %3 x %4, %5 x %6 mm, %7")
                                 .arg(t.Name(), t.Description)
                                 .arg(t.Columns)
                                 .arg(t.Rows)
                                 .arg(t.Label.width() / 72.0 * 25.4, 0, 'f', 1)
                                 .arg(t.Label.height() / 72.0 * 25.4, 0, 'f', 1)
                                 .arg(t.PaperId == QLatin1String("Other") ? tr("own paper") : t.PaperId);
        auto* item = new QListWidgetItem(text, LST_Template);
        item->setToolTip(text);  // the list is narrower than most lines
    }
}

void TLabelSetupPage::ChooseTemplate(const TLabelTemplate& product)
{
    TLabelPlan sheet;
    ApplyLabelTemplate(sheet, product);
    FFilling = true;
    RSEdt_Width->setValue(RoundDecimals(sheet.ScaleX / 72.0 * 2.54 / FB, 2));
    RSEdt_Height->setValue(RoundDecimals(sheet.ScaleY / 72.0 * 2.54 / FB, 2));
    RSEdt_CR->setValue(RoundDecimals(sheet.LabCR / 72.0 * 2.54 / FB, 2));
    CHK_Auto->setChecked(false);
    SEdt_Col->setEnabled(true);
    SEdt_Row->setEnabled(true);
    SEdt_Col->setValue(std::clamp(sheet.LayoutCols, 1, kMaxCount));
    SEdt_Row->setValue(std::clamp(sheet.LayoutRows, 1, kMaxCount));
    ShowMargins(sheet);
    FFilling = false;
    FPaper.PaperSize = sheet.PaperSize;
    FPaper.PaperWidth = sheet.PaperWidth;
    FPaper.PaperLength = sheet.PaperLength;
    FPaper.Orientation = poPortrait;
    FRoll = false;
    ShowPaper();
    PaperToPrinter();
    Lab_TemplateNote->setText(product.Approximations.isEmpty()
                                  ? tr("%1: %2 labels a sheet.").arg(product.Name()).arg(product.PerSheet())
                                  : tr("%1 is approximated: %2.")
                                        .arg(product.Name(), product.Approximations.join(QStringLiteral("; "))));
    DrawPagePreview();
}

void TLabelSetupPage::SaveAsTemplate()
{
    QString name;
    if (!Dialogs().InputQuery(tr("Save as Template"), tr("Maker and part number, as in \"Tavix T-21\":"), name))
        return;
    name = name.simplified();
    const QString brand = name.section(QLatin1Char(' '), 0, 0);
    const QString part = name.section(QLatin1Char(' '), 1);
    if (brand.isEmpty() || part.isEmpty()) {
        Dialogs().MessageDlg(tr("A template needs a maker and a part number."), TMsgDlgType::mtError, mbOK);
        return;
    }
    // The sheet as the page shows it now.
    TLabelPlan sheet;
    sheet.ScaleX = std::max(1, Round(FB * RSEdt_Width->value() / 2.54 * 72));
    sheet.ScaleY = std::max(1, Round(FB * RSEdt_Height->value() / 2.54 * 72));
    sheet.LabCR = Round(FB * RSEdt_CR->value() / 2.54 * 72);
    sheet.LayoutCols = SEdt_Col->value();
    sheet.LayoutRows = SEdt_Row->value();
    sheet.MarginLeft = FB * RSEdt_ML->value();
    sheet.MarginTop = FB * RSEdt_MT->value();
    sheet.HorizontalSpace = FB * RSEdt_HS->value();
    sheet.VerticalSpace = FB * RSEdt_VS->value();
    const QSize tenths = PaperTenths(FPaper);
    sheet.PaperWidth = tenths.width();
    sheet.PaperLength = tenths.height();
    sheet.PaperOrientation = FPaper.Orientation != poLandscape;
    const TLabelTemplate product = LabelTemplateOf(sheet, brand, part, tr("Saved from Tagmora"));
    const QString folder = LabelTemplateFolders().value(1, LabelTemplateFolders().value(0));
    QString file = (brand + QLatin1Char('-') + part).toLower();
    file.replace(QRegularExpression(QStringLiteral("[^a-z0-9._-]")), QStringLiteral("_"));
    const QString path = folder + QLatin1Char('/') + file + QStringLiteral(".xml");
    try {
        QDir().mkpath(folder);
        TOutputFile out(path);
        if (out.write(LabelTemplateXml(product)) < 0)
            throw EOutputFileError(path, out.errorString());
        out.Commit();
    } catch (const std::exception& e) {
        Dialogs().MessageDlg(tr("Cannot save the template %1: %2").arg(path, QString::fromUtf8(e.what())),
                             TMsgDlgType::mtError, mbOK);
        return;
    }
    FTemplates = LoadLabelTemplates().Products;
    Edt_Template->setText(name);
    SearchTemplates(name);
}

bool TLabelSetupPage::Validate()
{
    if (Round(FB * RSEdt_Width->value() / 2.54 * 72) < 1 || Round(FB * RSEdt_Height->value() / 2.54 * 72) < 1) {
        Dialogs().MessageDlg(tr("The label needs a width and a height."), TMsgDlgType::mtError, mbOK);
        return false;
    }
    return true;
}

void TLabelSetupPage::Apply()
{
    TLabelPlan& plan = FDocument.Plan();
    plan.BeginUpdate();
    const double zoom = plan.ScaleX > 0 && plan.ViewWidth() > 0 ? double(plan.ViewWidth()) / plan.ScaleX : 1.0;
    plan.LabCR = Round(FB * RSEdt_CR->value() / 2.54 * 72);
    const int scaleX = Round(FB * RSEdt_Width->value() / 2.54 * 72);
    const int scaleY = Round(FB * RSEdt_Height->value() / 2.54 * 72);
    if (scaleX > 0)
        plan.ScaleX = scaleX;
    if (scaleY > 0)
        plan.ScaleY = scaleY;
    plan.LayoutRows = SEdt_Row->value();
    plan.LayoutCols = SEdt_Col->value();
    plan.AutoCalcLayout = CHK_Auto->isChecked();
    plan.CutMark = CHK_CutMark->isChecked();
    if (Printer().HasPrinters()) {
        ReadPrinterSettings(plan);
        plan.PntDPI = UsableDpi(Printer().ResolutionX());
        // A paper of the document's own keeps the size typed (the printer's
        // dots would round it).
        if (FPaper.PaperSize == kPaperCustom && plan.PaperSize == kPaperCustom) {
            plan.PaperWidth = FPaper.PaperWidth;
            plan.PaperLength = FPaper.PaperLength;
        }
    } else {
        // The paper chosen without a printer, for the printer of tomorrow.
        plan.PaperSize = FPaper.PaperSize;
        plan.PaperWidth = FPaper.PaperWidth;
        plan.PaperLength = FPaper.PaperLength;
        plan.PaperOrientation = FPaper.Orientation == poPortrait;
    }
    // A box left as filled keeps the exact value (inches show it rounded).
    auto margin = [this](int i, const TRealSpinBox* box) {
        return box->value() == FShownMargins[i].second ? FShownMargins[i].first : FB * box->value();
    };
    plan.MarginLeft = margin(0, RSEdt_ML);
    plan.MarginTop = margin(1, RSEdt_MT);
    plan.MarginRight = margin(2, RSEdt_MR);
    plan.MarginBottom = margin(3, RSEdt_MB);
    plan.VerticalSpace = margin(4, RSEdt_VS);
    plan.HorizontalSpace = margin(5, RSEdt_HS);
    plan.LabelCount = Rdio_onelab->isChecked() ? SEdt_LabCopies->value() : -1;
    plan.OutputOrder =
        TOutputOrder(std::max(0, CBX_Start->currentIndex()) + 4 * std::max(0, CBX_Direct->currentIndex()));
    plan.EndUpdate();
    plan.SetViewSize(std::max(1, Round(plan.ScaleX * zoom)), std::max(1, Round(plan.ScaleY * zoom)));
    plan.InvalidatePlan();
}

bool TLabelSetupPage::EditLabelSetup(TLabelDocument& document, int units, QWidget* parent)
{
    // A printer added since the last look is offered.
    Printer().Refresh();
    TFM_ObjPro dialog(document, units, parent);
    TLabelSetupPage& page = *dialog.LabelSetup();
    page.Fill();
    dialog.ShowLabelSetupPage();
    if (dialog.Execute() != QDialog::Accepted)
        return false;
    TDocumentEdit edit(document, tr("Label Setup"));
    page.Apply();
    if (!edit.Commit())
        document.MarkChanged();
    return true;
}
