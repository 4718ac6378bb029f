#include "gui/properties/ObjectProperties.h"

#include "engine/DocumentEdit.h"
#include "engine/LabelDocument.h"
#include "gui/UserDialogs.h"
#include "document/PlanBarcode.h"
#include "barcode/BarcodeDraw.h"
#include "gui/datasheet/DatasheetWindow.h"
#include "document/MGraph.h"
#include "document/PictureObject.h"
#include "document/Printer.h"
#include "document/TextObject.h"
#include "engine/printing/DataBinding.h"
#include "gui/properties/LabelSetup.h"
#include "gui/properties/PropertyUnits.h"
#include "gui/properties/StandardDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QTransform>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

std::function<int(QDialog&)> TFM_ObjPro::ExecHook;
std::function<void(TLabelDocument&, QWidget*)> TFM_ObjPro::DatasheetEditor;

namespace {

struct TFunctionItem {
    const char* Item;
    const char* Name;
};
const TFunctionItem kFunctions[] = {
    {"Date MM-DD-YYYY (12-26-2003)", "Fun_Date_MDY"}, {"Date DD-MM-YYYY (26-12-2003)", "Fun_Date_DMY"},
    {"Date YYYY-MM-DD (2003-12-26)", "Fun_Date_YMD"}, {"Time HH:MM:SS     (12:06:18)", "Fun_Time_HMS"},
    {"Time HH:MM           (12:06)", "Fun_Time_HM"},
};

const char* const kControlChars[32] = {
    "000 - NULL",
    "001 - [SOH] Start of Heading",
    "002 - [STX] Start of Text",
    "003 - [ETX]  End  of Text",
    "004 - [EOT] End of Transmission",
    "005 - [ENQ] Enquiry",
    "006 - [ACK] Acknowledgement",
    "007 - [BEL] Bell",
    "008 - [BS] Backspace",
    "009 - [HT] Horizontal Tab",
    "010 - [LF] Line Feed",
    "011 - [VT] Vertical Tab",
    "012 - [FF] Form Feed",
    "013 - [CR] Carriage Return",
    "014 - [SO] Shift Out",
    "015 - [SI] Shift In",
    "016 - [DLE] Data Link Escape",
    "017 - [DC1] Device Control 1 (XON)",
    "018 - [DC2] Device Control 2 ",
    "019 - [DC3] Device Control 3 (XOFF)",
    "020 - [DC4] Device Control 4",
    "021 - [NAK] Negative Acknowledgement",
    "022 - [SYN] Synchronous Idle",
    "023 - [ETB] End Transmission Block",
    "024 - [CAN] Cancel",
    "025 - [EM] End of Media",
    "026 - [SUB] Substitute",
    "027 - [ESC] Escape",
    "028 - [FS] Field Separator",
    "029 - [GS] Group Separator",
    "030 - [RS] Record Separator",
    "031 - [US] Unit Separator",
};

// The automatic Code 128 encoders read "\193" to "\196" as FNC1 to FNC4 and
// choose the code sets themselves, so the code set shifts are not offered.
struct TOtherItem {
    const char* Item;
    const char* Digits;
    bool Shown;
};
const TOtherItem kOthers[] = {
    {"FNC1", "193", true},   {"FNC2", "194", true},        {"FNC3", "195", true},        {"FNC4", "196", true},
    {"SHIFT", "098", false}, {"Shift to A", "103", false}, {"Shift to B", "104", false}, {"Shift to C", "105", false},
};

bool ShowsControlChars(int symbology)
{
    return symbology == bcCode128Auto || symbology == bcEAN128Auto;
}

QFont QFontOf(const TPlanFont& font)
{
    QFont f = font.ToQFont(-font.Height());
    f.setPointSize(std::max(1, font.Size));
    return f;
}

// The dialog's font into the object's font (colour and character set stay).
void AssignFont(TPlanFont& target, const QFont& font)
{
    target.Name = font.family();
    target.Size = font.pointSize() > 0 ? font.pointSize() : std::max(1, Round(font.pixelSize() * 72.0 / 96.0));
    TFontStyles style;
    if (font.italic())
        style |= fsItalic;
    if (font.bold())
        style |= fsBold;
    if (font.underline())
        style |= fsUnderline;
    if (font.strikeOut())
        style |= fsStrikeOut;
    target.Style = style;
}

// The font as the design surface's screen draws it (96 pixels per inch).
QFontMetrics ScreenMetrics(const TPlanFont& font)
{
    return QFontMetrics(font.ToQFont(std::abs(font.Height())));
}

QRadioButton* MakeRadio(QWidget* parent, const char* name, const QString& caption)
{
    auto* radio = new QRadioButton(caption, parent);
    radio->setObjectName(QLatin1String(name));
    return radio;
}

QComboBox* MakeList(QWidget* parent, const char* name, const QString& caption)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setAccessibleName(caption);
    return list;
}

QToolButton* MakeToolButton(QWidget* parent, const char* name, const QString& text, const QString& hint)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    return button;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption)
{
    auto* check = new QCheckBox(caption, parent);
    check->setObjectName(QLatin1String(name));
    return check;
}

QLabel* Buddy(QWidget* parent, const QString& caption, QWidget* buddy)
{
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    if (buddy->accessibleName().isEmpty())
        buddy->setAccessibleName(caption.trimmed());
    return label;
}

// Whether the size boxes are in use: "Custom:" or "By Ratio:" stays from one
// use of the dialog to the next.
bool gRatioSize = false;

}  // namespace

TFM_ObjPro::TFM_ObjPro(TLabelDocument& document, int units, QWidget* parent)
    : QDialog(parent), FDocument(document), FUnits(units == 1 ? 1 : 0), FR(UnitFactor(units))
{
    setObjectName(QStringLiteral("FM_ObjPro"));
    setModal(true);
    Pages = new QStackedWidget(this);
    Pages->setObjectName(QStringLiteral("PageControl"));
    PAG_Barcode = BuildBarcodePage();
    PAG_Text = BuildTextPage();
    PAG_Picture = BuildPicturePage();
    PAG_Page = new TLabelSetupPage(document, units, this);
    Pages->addWidget(PAG_Barcode);
    Pages->addWidget(PAG_Text);
    Pages->addWidget(PAG_Picture);
    Pages->addWidget(PAG_Page);

    Btn_Font = new QPushButton(tr("&Font..."), this);
    Btn_Font->setObjectName(QStringLiteral("Btn_Font"));
    Btn_OK = new QPushButton(tr("&OK"), this);
    Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
    Btn_OK->setDefault(true);
    Btn_Cancel = new QPushButton(tr("&Cancel"), this);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    connect(Btn_Font, &QPushButton::clicked, this, &TFM_ObjPro::FontClicked);
    connect(Btn_OK, &QPushButton::clicked, this, &TFM_ObjPro::OkClicked);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Btn_Font);
    buttons->addStretch();
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Pages);
    layout->addLayout(buttons);
    // The dialog takes the size of the page shown.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const QString unit = UnitCaption(FUnits);
    Lab_UnitBH->setText(unit);
    Lab_UnitPW->setText(unit);
    Lab_UnitPH->setText(unit);
}

TFM_ObjPro::~TFM_ObjPro() = default;

// ----- Pages ------------------------------------------------------------------

QWidget* TFM_ObjPro::BuildBarcodePage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PAG_Barcode"));

    auto* origin = new QGroupBox(tr(" Code Origin "), page);
    Rdio_Code = MakeRadio(origin, "Rdio_Code", tr("Constant Code:"));
    Edt_Code = new QLineEdit(origin);
    Edt_Code->setObjectName(QStringLiteral("Edt_Code"));
    Edt_Code->setAccessibleName(tr("Constant Code:"));
    SBtn_Code = MakeToolButton(origin, "SBtn_Code", QStringLiteral("\\"), tr("Choose Control Char"));
    SBtn_Code->setPopupMode(QToolButton::InstantPopup);
    BuildControlCharMenu();
    Rdio_CodeFrom = MakeRadio(origin, "Rdio_CodeFrom", tr("From DataGrid:"));
    CBX_BarDataOrigin = MakeList(origin, "CBX_BarDataOrigin", tr("From DataGrid:"));
    SBtn_EditData = MakeToolButton(origin, "SBtn_EditData", tr("..."), tr("Edit the datasheet"));
    SBtn_Check = MakeToolButton(origin, "SBtn_Check", QString(), tr("Check all codes of the column"));
    SBtn_Check->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    Rdio_BarFun = MakeRadio(origin, "Rdio_BarFun", tr("Date or Time"));
    CBX_BarFun = MakeList(origin, "CBX_BarFun", tr("Date or Time"));
    for (const TFunctionItem& f : kFunctions)
        CBX_BarFun->addItem(QString::fromLatin1(f.Item));
    CBX_BarFun->setCurrentIndex(0);
    Rdio_Code->setChecked(true);
    auto* originGroup = new QButtonGroup(page);
    originGroup->addButton(Rdio_Code);
    originGroup->addButton(Rdio_CodeFrom);
    originGroup->addButton(Rdio_BarFun);

    auto* og = new QGridLayout(origin);
    og->addWidget(Rdio_Code, 0, 0);
    og->addWidget(Edt_Code, 0, 1);
    og->addWidget(SBtn_Code, 0, 2);
    og->addWidget(Rdio_CodeFrom, 1, 0);
    og->addWidget(CBX_BarDataOrigin, 1, 1);
    auto* dataButtons = new QHBoxLayout;
    dataButtons->addWidget(SBtn_EditData);
    dataButtons->addWidget(SBtn_Check);
    og->addLayout(dataButtons, 1, 2);
    og->addWidget(Rdio_BarFun, 2, 0);
    og->addWidget(CBX_BarFun, 2, 1);
    og->setColumnStretch(1, 1);

    auto* bar = new QGroupBox(tr(" Bar code "), page);
    CBX_BarType = MakeList(bar, "CBX_BarType", tr("Symbology:"));
    for (const TSymbologyInfo& symbology : SymbologyTable)
        CBX_BarType->addItem(QString::fromLatin1(symbology.dialogItem));
    CBX_BarTextAlign = MakeList(bar, "CBX_BarTextAlign", tr("Human Readable Align:"));
    CBX_BarTextAlign->addItems({tr("Left"), tr("Right"), tr("Center")});
    SEdt_BarRatio = new TRealSpinBox(bar);
    SEdt_BarRatio->setObjectName(QStringLiteral("SEdt_BarRatio"));
    SEdt_BarRatio->setRange(1, 10);  // below 1 wide elements would be narrower than narrow ones
    SEdt_BarRatio->setSingleStep(1);
    CBX_BarAngle = MakeList(bar, "CBX_BarAngle", tr("Angle:"));
    CBX_BarAngle->addItems({QStringLiteral("0"), QStringLiteral("90"), QStringLiteral("180"), QStringLiteral("270")});
    SEdt_BarHeight = new TRealSpinBox(bar);
    SEdt_BarHeight->setObjectName(QStringLiteral("SEdt_BarHeight"));
    SEdt_BarHeight->setRange(0, 1000);
    SEdt_BarHeight->setSingleStep(0.1);
    Lab_UnitBH = new QLabel(bar);
    Lab_UnitBH->setObjectName(QStringLiteral("Lab_UnitBH"));
    SEdt_BarModul = new TIntSpinBox(bar);
    SEdt_BarModul->setObjectName(QStringLiteral("SEdt_BarModul"));
    // The barcode takes module widths of 1 to 49 dots only.
    SEdt_BarModul->setRange(1, 49);
    SEdt_BarModul->setValue(2);
    Lab_BarWid = new QLabel(bar);
    Lab_BarWid->setObjectName(QStringLiteral("Lab_BarWid"));
    Lab_BWin = new QLabel(bar);
    Lab_BWin->setObjectName(QStringLiteral("Lab_BWin"));
    CB_CheckSum = MakeCheck(bar, "CB_CheckSum", tr("CheckSum"));
    CB_ShowText = MakeCheck(bar, "CB_ShowText", tr("Show Human Readable Text"));
    CB_BarCenter = MakeCheck(bar, "CB_BarCenter", tr("Be Center while Variational Barcode Width "));

    auto* bg = new QGridLayout(bar);
    bg->addWidget(Buddy(bar, tr("Symbology:"), CBX_BarType), 0, 0);
    bg->addWidget(CBX_BarType, 0, 1);
    bg->addWidget(Buddy(bar, tr("Human Readable Align:"), CBX_BarTextAlign), 0, 3);
    bg->addWidget(CBX_BarTextAlign, 0, 4);
    bg->addWidget(Buddy(bar, tr("Bar Ratio:"), SEdt_BarRatio), 1, 0);
    bg->addWidget(SEdt_BarRatio, 1, 1);
    bg->addWidget(Buddy(bar, tr("Angle:"), CBX_BarAngle), 1, 3);
    bg->addWidget(CBX_BarAngle, 1, 4);
    bg->addWidget(Buddy(bar, tr("Bar Height:"), SEdt_BarHeight), 2, 0);
    bg->addWidget(SEdt_BarHeight, 2, 1);
    bg->addWidget(Lab_UnitBH, 2, 2);
    bg->addWidget(Buddy(bar, tr("Bar Modul:"), SEdt_BarModul), 2, 3);
    bg->addWidget(SEdt_BarModul, 2, 4);
    bg->addWidget(Lab_BarWid, 3, 0, 1, 3);
    bg->addWidget(Lab_BWin, 3, 3, 1, 2);
    bg->addWidget(CB_CheckSum, 4, 0, 1, 2);
    bg->addWidget(CB_ShowText, 4, 3, 1, 2);
    bg->addWidget(CB_BarCenter, 5, 0, 1, 5);
    bg->setColumnStretch(1, 1);
    bg->setColumnStretch(4, 1);

    GBox_2D = new QGroupBox(tr(" 2D code "), page);
    GBox_2D->setObjectName(QStringLiteral("GBox_2D"));
    CBX_Ecc = MakeList(GBox_2D, "CBX_Ecc", tr("Error correction:"));
    CBX_SymbolSize = MakeList(GBox_2D, "CBX_SymbolSize", tr("Size:"));
    SEdt_Columns = new QSpinBox(GBox_2D);
    SEdt_Columns->setObjectName(QStringLiteral("SEdt_Columns"));
    SEdt_Columns->setSpecialValueText(tr("Automatic"));
    CB_Gs1 = MakeCheck(GBox_2D, "CB_Gs1", tr("GS1 data (Application Identifiers)"));
    auto* g2 = new QGridLayout(GBox_2D);
    g2->addWidget(Buddy(GBox_2D, tr("Error correction:"), CBX_Ecc), 0, 0);
    g2->addWidget(CBX_Ecc, 0, 1);
    g2->addWidget(Buddy(GBox_2D, tr("Size:"), CBX_SymbolSize), 0, 3);
    g2->addWidget(CBX_SymbolSize, 0, 4);
    g2->addWidget(Buddy(GBox_2D, tr("Columns:"), SEdt_Columns), 1, 0);
    g2->addWidget(SEdt_Columns, 1, 1);
    g2->addWidget(CB_Gs1, 1, 3, 1, 2);
    g2->setColumnStretch(1, 1);
    g2->setColumnStretch(4, 1);
    g2->setColumnMinimumWidth(2, 12);

    auto* preview = new QGroupBox(tr(" Preview "), page);
    Lab_Preview = new QLabel(preview);
    Lab_Preview->setObjectName(QStringLiteral("Lab_Preview"));
    Lab_Preview->setAccessibleName(tr("Preview"));
    Lab_Preview->setAlignment(Qt::AlignCenter);
    Lab_Preview->setMinimumSize(360, 110);
    auto* pv = new QVBoxLayout(preview);
    pv->addWidget(Lab_Preview);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(origin);
    layout->addWidget(bar);
    layout->addWidget(GBox_2D);
    layout->addWidget(preview);

    for (QRadioButton* r : {Rdio_Code, Rdio_CodeFrom, Rdio_BarFun})
        connect(r, &QRadioButton::toggled, this, [this] {
            UpdateOriginControls();
            UpdatePreview();
        });
    connect(CBX_BarType, &QComboBox::currentIndexChanged, this, [this](int index) {
        SBtn_Code->setVisible(ShowsControlChars(index));
        UpdateSymbologyControls();
        UpdatePreview();
    });
    connect(SEdt_BarModul, &QSpinBox::valueChanged, this, [this] {
        UpdateModuleLabels();
        UpdatePreview();
    });
    connect(Edt_Code, &QLineEdit::textChanged, this, &TFM_ObjPro::UpdatePreview);
    for (QComboBox* list : {CBX_BarDataOrigin, CBX_BarFun, CBX_BarTextAlign, CBX_BarAngle, CBX_Ecc, CBX_SymbolSize})
        connect(list, &QComboBox::currentIndexChanged, this, &TFM_ObjPro::UpdatePreview);
    connect(SEdt_Columns, &QSpinBox::valueChanged, this, &TFM_ObjPro::UpdatePreview);
    for (QCheckBox* check : {CB_CheckSum, CB_ShowText, CB_Gs1})
        connect(check, &QCheckBox::toggled, this, &TFM_ObjPro::UpdatePreview);
    for (TRealSpinBox* spin : {SEdt_BarRatio, SEdt_BarHeight})
        connect(spin, &QDoubleSpinBox::valueChanged, this, &TFM_ObjPro::UpdatePreview);
    connect(SBtn_Check, &QToolButton::clicked, this, &TFM_ObjPro::CheckColumnClicked);
    connect(SBtn_EditData, &QToolButton::clicked, this, &TFM_ObjPro::EditDataClicked);
    UpdateSymbologyControls();
    return page;
}

namespace {

// Most data columns of the symbologies that take a column count.
int MaxColumns(TBarcodeType type)
{
    switch (type) {
    case bcPDF417:
        return 30;
    case bcMicroPDF417:
        return 4;
    case bcDataBarExpandedStacked:
        return 11;
    default:
        return 0;
    }
}

QString SquareSize(int modules)
{
    return QStringLiteral("%1 \u00d7 %1").arg(modules);
}

}  // namespace

void TFM_ObjPro::UpdateSymbologyControls()
{
    const int index = CBX_BarType->currentIndex();
    const TBarcodeType type = IsValidBarcodeType(index) ? TBarcodeType(index) : bcCode39;
    const TSymbologyInfo& info = SymbologyTable[size_t(type)];
    // A value stays where it means the same: the error correction levels of
    // QR Code and Micro QR, the sizes of both Data Matrix kinds, GS1 mode.
    const TSymbolOptions shown = SymbolOptions();
    const auto both = [&](TBarcodeType a, TBarcodeType b) {
        return (FOptionsType == a || FOptionsType == b) && (type == a || type == b);
    };
    TSymbolOptions kept;
    kept.Ecc = FOptionsType == type || both(bcQRCode, bcMicroQR) ? shown.Ecc : 0;
    kept.Size = FOptionsType == type || both(bcDataMatrix, bcGS1DataMatrix) ? shown.Size : 0;
    kept.Columns = FOptionsType == type ? shown.Columns : 0;
    kept.Gs1 = shown.Gs1;
    FOptionsType = type;

    {
        const QSignalBlocker block(CBX_Ecc);
        CBX_Ecc->clear();
        if (info.hasEcc) {
            CBX_Ecc->addItem(tr("Automatic"), 0);
            QStringList levels;
            if (type == bcQRCode)
                levels = {QStringLiteral("L (7 %)"), QStringLiteral("M (15 %)"), QStringLiteral("Q (25 %)"),
                          QStringLiteral("H (30 %)")};
            else if (type == bcMicroQR)
                levels = {QStringLiteral("L"), QStringLiteral("M"), QStringLiteral("Q")};
            else if (type == bcAztec)
                levels = {QStringLiteral("10 %"), QStringLiteral("23 %"), QStringLiteral("36 %"),
                          QStringLiteral("50 %")};
            else
                for (int level = 0; level <= 8; ++level)
                    levels << tr("Level %1").arg(level);
            for (int i = 0; i < levels.size(); ++i)
                CBX_Ecc->addItem(levels[i], i + 1);
        }
        CBX_Ecc->setCurrentIndex(info.hasEcc ? std::max(0, CBX_Ecc->findData(kept.Ecc)) : -1);
    }
    {
        const QSignalBlocker block(CBX_SymbolSize);
        CBX_SymbolSize->clear();
        if (type == bcQRCode) {
            CBX_SymbolSize->addItem(tr("Automatic"), 0);
            for (int version = 1; version <= 40; ++version)
                CBX_SymbolSize->addItem(tr("Version %1 (%2)").arg(version).arg(SquareSize(17 + 4 * version)),
                                        version);
        } else if (type == bcMicroQR) {
            CBX_SymbolSize->addItem(tr("Automatic"), 0);
            for (int version = 1; version <= 4; ++version)
                CBX_SymbolSize->addItem(QStringLiteral("M%1 (%2)").arg(version).arg(SquareSize(9 + 2 * version)),
                                        version);
        } else if (type == bcAztec) {
            // Compact symbols of 1 to 4 layers, then full-range ones of 1 to
            // 32 layers, whose reference grid adds lines as they grow.
            static const int kFull[32] = {19, 23, 27, 31, 37, 41, 45, 49, 53, 57, 61,
                                          67, 71, 75, 79, 83, 87, 91, 95, 101, 105, 109,
                                          113, 117, 121, 125, 131, 135, 139, 143, 147, 151};
            CBX_SymbolSize->addItem(tr("Automatic"), 0);
            for (int layers = 1; layers <= 4; ++layers)
                CBX_SymbolSize->addItem(tr("Compact %1 (%2)").arg(layers).arg(SquareSize(11 + 4 * layers)), layers);
            for (int layers = 1; layers <= 32; ++layers)
                CBX_SymbolSize->addItem(tr("Full %1 (%2)").arg(layers).arg(SquareSize(kFull[layers - 1])),
                                        layers + 4);
        } else if (type == bcDataMatrix || type == bcGS1DataMatrix) {
            // The library's size list: rows by columns, the square ones first.
            static const int kRows[30] = {10, 12, 14, 16, 18, 20, 22, 24, 26, 32, 36, 40, 44, 48, 52,
                                          64, 72, 80, 88, 96, 104, 120, 132, 144, 8, 8, 12, 12, 16, 16};
            static const int kColumns[6] = {18, 32, 26, 36, 36, 48};
            CBX_SymbolSize->addItem(tr("Automatic (square)"), 0);
            CBX_SymbolSize->addItem(tr("Automatic (square or rectangular)"), -1);
            for (int size = 1; size <= 30; ++size)
                CBX_SymbolSize->addItem(size <= 24 ? SquareSize(kRows[size - 1])
                                                   : QStringLiteral("%1 \u00d7 %2").arg(kRows[size - 1]).arg(
                                                         kColumns[size - 25]),
                                        size);
        }
        CBX_SymbolSize->setCurrentIndex(info.hasSize ? std::max(0, CBX_SymbolSize->findData(kept.Size)) : -1);
    }
    {
        const QSignalBlocker block(SEdt_Columns);
        SEdt_Columns->setRange(0, MaxColumns(type));
        SEdt_Columns->setValue(info.hasColumns ? kept.Columns : 0);
    }
    {
        const QSignalBlocker block(CB_Gs1);
        CB_Gs1->setChecked(info.hasGs1Option && kept.Gs1);
    }
    CBX_Ecc->setEnabled(info.hasEcc);
    CBX_SymbolSize->setEnabled(info.hasSize);
    SEdt_Columns->setEnabled(info.hasColumns);
    CB_Gs1->setEnabled(info.hasGs1Option);
    GBox_2D->setVisible(info.hasEcc || info.hasSize || info.hasColumns || info.hasGs1Option);
    // A matrix symbol's rows follow from its data and module size; the
    // library draws its symbologies' bars without our wide-to-narrow ratio.
    SEdt_BarHeight->setEnabled(!info.matrix);
    SEdt_BarRatio->setEnabled(info.library == 0);
}

TSymbolOptions TFM_ObjPro::SymbolOptions() const
{
    TSymbolOptions options;
    if (CBX_Ecc->isEnabledTo(GBox_2D) && CBX_Ecc->currentIndex() >= 0)
        options.Ecc = CBX_Ecc->currentData().toInt();
    if (CBX_SymbolSize->isEnabledTo(GBox_2D) && CBX_SymbolSize->currentIndex() >= 0)
        options.Size = CBX_SymbolSize->currentData().toInt();
    if (SEdt_Columns->isEnabledTo(GBox_2D))
        options.Columns = SEdt_Columns->value();
    options.Gs1 = CB_Gs1->isEnabledTo(GBox_2D) && CB_Gs1->isChecked();
    return options;
}

void TFM_ObjPro::ShowSymbolOptions(const TSymbolOptions& options)
{
    if (CBX_Ecc->isEnabledTo(GBox_2D))
        CBX_Ecc->setCurrentIndex(std::max(0, CBX_Ecc->findData(options.Ecc)));
    if (CBX_SymbolSize->isEnabledTo(GBox_2D))
        CBX_SymbolSize->setCurrentIndex(std::max(0, CBX_SymbolSize->findData(options.Size)));
    if (SEdt_Columns->isEnabledTo(GBox_2D))
        SEdt_Columns->setValue(options.Columns);
    CB_Gs1->setChecked(CB_Gs1->isEnabledTo(GBox_2D) && options.Gs1);
}

void TFM_ObjPro::BuildControlCharMenu()
{
    PMenu_Code = new QMenu(this);
    PMenu_Code->setObjectName(QStringLiteral("PMenu_Code"));
    auto add = [this](QMenu* menu, const QString& item, const QString& digits) {
        QAction* action = menu->addAction(item);
        connect(action, &QAction::triggered, this, [this, digits] {
            const int pos = Edt_Code->hasSelectedText() ? Edt_Code->selectionStart() : Edt_Code->cursorPosition();
            int newPos = 0;
            Edt_Code->setText(InsertControlChar(Edt_Code->text(), pos, digits, newPos));
            Edt_Code->setCursorPosition(newPos);
            Edt_Code->setFocus();
        });
        return action;
    };
    const int ranges[3][2] = {{0, 10}, {11, 20}, {21, 31}};
    const char* const titles[3] = {"ASCII 00-10", "ASCII 11-20", "ASCII 21-31"};
    for (int m = 0; m < 3; ++m) {
        QMenu* sub = PMenu_Code->addMenu(QString::fromLatin1(titles[m]));
        for (int c = ranges[m][0]; c <= ranges[m][1]; ++c)
            add(sub, QString::fromLatin1(kControlChars[c]), QStringLiteral("%1").arg(c, 3, 10, QLatin1Char('0')));
    }
    add(PMenu_Code, QStringLiteral("127- [DEL]"), QStringLiteral("127"));
    QMenu* others = PMenu_Code->addMenu(tr("Others"));
    for (const TOtherItem& o : kOthers) {
        QAction* action = add(others, QString::fromLatin1(o.Item), QString::fromLatin1(o.Digits));
        action->setVisible(o.Shown);
    }
    SBtn_Code->setMenu(PMenu_Code);
}

QWidget* TFM_ObjPro::BuildTextPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PAG_Text"));
    auto* origin = new QGroupBox(tr(" Text Origin "), page);
    Rdio_Text = MakeRadio(origin, "Rdio_Text", tr("Constant Text"));
    Edt_Text = new QLineEdit(origin);
    Edt_Text->setObjectName(QStringLiteral("Edt_Text"));
    Edt_Text->setAccessibleName(tr("Constant Text"));
    Rdio_TextFrom = MakeRadio(origin, "Rdio_TextFrom", tr("From DataGrid"));
    CBX_TextDataOrigin = MakeList(origin, "CBX_TextDataOrigin", tr("From DataGrid"));
    SBtn_EditDataTxt = MakeToolButton(origin, "SBtn_EditDataTxt", tr("..."), tr("Edit the datasheet"));
    Rdio_Fun = MakeRadio(origin, "Rdio_Fun", tr("Date or Time"));
    CBX_Fun = MakeList(origin, "CBX_Fun", tr("Date or Time"));
    for (const TFunctionItem& f : kFunctions)
        CBX_Fun->addItem(QString::fromLatin1(f.Item));
    CBX_Fun->setCurrentIndex(0);
    Rdio_Text->setChecked(true);
    auto* originGroup = new QButtonGroup(page);
    originGroup->addButton(Rdio_Text);
    originGroup->addButton(Rdio_TextFrom);
    originGroup->addButton(Rdio_Fun);
    auto* og = new QGridLayout(origin);
    og->addWidget(Rdio_Text, 0, 0);
    og->addWidget(Edt_Text, 0, 1, 1, 2);
    og->addWidget(Rdio_TextFrom, 1, 0);
    og->addWidget(CBX_TextDataOrigin, 1, 1);
    og->addWidget(SBtn_EditDataTxt, 1, 2);
    og->addWidget(Rdio_Fun, 2, 0);
    og->addWidget(CBX_Fun, 2, 1);
    og->setColumnStretch(1, 1);

    auto* style = new QGroupBox(tr(" Text Style"), page);
    CKBox_Fmt = MakeCheck(style, "CKBox_Fmt", tr("Formatted Text "));
    CBX_TxtAlign = MakeList(style, "CBX_TxtAlign", tr("Alignment:"));
    CBX_TxtAlign->addItems({tr("Left"), tr("Right"), tr("Center")});
    auto* sg = new QGridLayout(style);
    sg->addWidget(CKBox_Fmt, 0, 0, 1, 2);
    sg->addWidget(Buddy(style, tr("Alignment:"), CBX_TxtAlign), 1, 0);
    sg->addWidget(CBX_TxtAlign, 1, 1);
    sg->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(origin);
    layout->addWidget(style);
    layout->addStretch();

    for (QRadioButton* r : {Rdio_Text, Rdio_TextFrom, Rdio_Fun})
        connect(r, &QRadioButton::toggled, this, &TFM_ObjPro::UpdateOriginControls);
    connect(CKBox_Fmt, &QCheckBox::toggled, CBX_TxtAlign, &QWidget::setEnabled);
    connect(SBtn_EditDataTxt, &QToolButton::clicked, this, &TFM_ObjPro::EditDataClicked);
    return page;
}

QWidget* TFM_ObjPro::BuildPicturePage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PAG_Picture"));
    auto* origin = new QGroupBox(tr(" Picture Origin "), page);
    Rdio_Picture = MakeRadio(origin, "Rdio_Picture", tr("Embedded Picture:"));
    Rdio_Picture->setChecked(true);
    Btn_LoadPic = new QPushButton(tr("&Browse..."), origin);
    Btn_LoadPic->setObjectName(QStringLiteral("Btn_LoadPic"));
    Img_Sample = new QLabel(origin);
    Img_Sample->setObjectName(QStringLiteral("Img_Sample"));
    Img_Sample->setAccessibleName(tr("Picture"));
    Img_Sample->setFixedSize(65, 65);
    Img_Sample->setFrameStyle(QFrame::Box | QFrame::Plain);
    Img_Sample->setAlignment(Qt::AlignCenter);
    auto* og = new QHBoxLayout(origin);
    og->addWidget(Rdio_Picture);
    og->addWidget(Btn_LoadPic);
    og->addWidget(Img_Sample);
    og->addStretch();

    auto* size = new QGroupBox(tr(" Picture Size "), page);
    Rdio_CusSize = MakeRadio(size, "Rdio_CusSize", tr("Custom:"));
    Edt_PicWidth = new QLineEdit(size);
    Edt_PicWidth->setObjectName(QStringLiteral("Edt_PicWidth"));
    Edt_PicHeight = new QLineEdit(size);
    Edt_PicHeight->setObjectName(QStringLiteral("Edt_PicHeight"));
    Lab_UnitPW = new QLabel(size);
    Lab_UnitPW->setObjectName(QStringLiteral("Lab_UnitPW"));
    Lab_UnitPH = new QLabel(size);
    Lab_UnitPH->setObjectName(QStringLiteral("Lab_UnitPH"));
    Rdio_RatioSize = MakeRadio(size, "Rdio_RatioSize", tr("By Ratio:"));
    SEdt_SX = new TIntSpinBox(size);
    SEdt_SX->setObjectName(QStringLiteral("SEdt_SX"));
    SEdt_SY = new TIntSpinBox(size);
    SEdt_SY->setObjectName(QStringLiteral("SEdt_SY"));
    for (QSpinBox* s : {SEdt_SX, SEdt_SY}) {
        s->setRange(1, 100000);
        s->setValue(100);
    }
    Button6 = new QPushButton(tr("Reset Size"), size);
    Button6->setObjectName(QStringLiteral("Button6"));
    auto* sizeGroup = new QButtonGroup(page);
    sizeGroup->addButton(Rdio_CusSize);
    sizeGroup->addButton(Rdio_RatioSize);
    Rdio_CusSize->setChecked(true);

    auto* sg = new QGridLayout(size);
    sg->addWidget(Rdio_CusSize, 0, 0);
    sg->addWidget(Buddy(size, tr("Wdith:     "), Edt_PicWidth), 0, 1);
    sg->addWidget(Edt_PicWidth, 0, 2);
    sg->addWidget(Lab_UnitPW, 0, 3);
    sg->addWidget(Buddy(size, tr("height:     "), Edt_PicHeight), 1, 1);
    sg->addWidget(Edt_PicHeight, 1, 2);
    sg->addWidget(Lab_UnitPH, 1, 3);
    sg->addWidget(Rdio_RatioSize, 2, 0);
    sg->addWidget(Buddy(size, tr("X:"), SEdt_SX), 2, 1);
    sg->addWidget(SEdt_SX, 2, 2);
    sg->addWidget(new QLabel(QStringLiteral("%"), size), 2, 3);
    sg->addWidget(Buddy(size, tr("Y:"), SEdt_SY), 3, 1);
    sg->addWidget(SEdt_SY, 3, 2);
    sg->addWidget(new QLabel(QStringLiteral("%"), size), 3, 3);
    sg->addWidget(Button6, 4, 0);
    sg->setColumnStretch(4, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(origin);
    layout->addWidget(size);
    layout->addStretch();

    auto sizeChoice = [this] {
        const bool custom = Rdio_CusSize->isChecked();
        Edt_PicWidth->setEnabled(custom);
        Edt_PicHeight->setEnabled(custom);
        SEdt_SX->setEnabled(!custom);
        SEdt_SY->setEnabled(!custom);
    };
    connect(Rdio_CusSize, &QRadioButton::toggled, this, sizeChoice);
    sizeChoice();
    connect(Btn_LoadPic, &QPushButton::clicked, this, &TFM_ObjPro::BrowsePictureClicked);
    connect(Button6, &QPushButton::clicked, this, &TFM_ObjPro::ResetSizeClicked);
    return page;
}

// ----- Shared helpers -----------------------------------------------------------

QString TFM_ObjPro::InsertControlChar(const QString& text, int pos, const QString& digits, int& newPos)
{
    pos = std::clamp(pos, 0, int(text.size()));
    newPos = pos + 4;
    const QString joined = text.left(pos) + QLatin1Char('\\') + digits + text.mid(pos);
    return joined.trimmed();
}

QString TFM_ObjPro::ModuleWidthMmText(int modul, int dpi)
{
    return QStringLiteral("Base element bar width: ") + FormatNumber(RoundDecimals(modul / double(dpi) * 25.4, 2)) +
           QStringLiteral(" mm");
}

QString TFM_ObjPro::ModuleWidthInText(int modul, int dpi)
{
    return FormatNumber(RoundDecimals(modul / double(dpi), 3)) + QStringLiteral(" in");
}

void TFM_ObjPro::FillColumnLists()
{
    QStringList names;
    const TAdvStringGrid& grid = FDocument.Data.StrGrid_Data;
    for (int c = 1; c < grid.ColCount(); ++c)
        names << grid.Cells(c, 0);
    for (QComboBox* list : {CBX_BarDataOrigin, CBX_TextDataOrigin}) {
        const QSignalBlocker block(list);
        list->clear();
        list->addItems(names);
        list->setCurrentIndex(-1);
    }
}

void TFM_ObjPro::SelectColumn(QComboBox* list, const QString& name)
{
    const int col = FDocument.Data.FindPrintGridColumn(name);
    list->setCurrentIndex(col >= 1 && col - 1 < list->count() ? col - 1 : -1);
}

QString TFM_ObjPro::FirstRowValue(const QString& column) const
{
    return FDocument.Data.LookupCell(column, 1, TDatasheet::DataGridSource);
}

void TFM_ObjPro::UpdateOriginControls()
{
    CBX_BarDataOrigin->setEnabled(Rdio_CodeFrom->isChecked());
    SBtn_EditData->setEnabled(Rdio_CodeFrom->isChecked());
    SBtn_Check->setEnabled(Rdio_CodeFrom->isChecked());
    CBX_BarFun->setEnabled(Rdio_BarFun->isChecked());
    Edt_Code->setEnabled(Rdio_Code->isChecked());
    CBX_TextDataOrigin->setEnabled(Rdio_TextFrom->isChecked());
    SBtn_EditDataTxt->setEnabled(Rdio_TextFrom->isChecked());
    CBX_Fun->setEnabled(Rdio_Fun->isChecked());
    Edt_Text->setEnabled(Rdio_Text->isChecked());
}

void TFM_ObjPro::UpdateModuleLabels()
{
    const int dpi = UsableDpi(FDocument.Plan().PntDPI);
    Lab_BarWid->setText(ModuleWidthMmText(SEdt_BarModul->value(), dpi));
    Lab_BWin->setText(ModuleWidthInText(SEdt_BarModul->value(), dpi));
}

void TFM_ObjPro::UpdatePreview()
{
    if (!Lab_Preview || Pages->currentWidget() != PAG_Barcode)
        return;
    QString code;
    if (Rdio_Code->isChecked()) {
        code = Edt_Code->text();
    } else if (Rdio_CodeFrom->isChecked()) {
        code = CBX_BarDataOrigin->currentIndex() < 0 ? QString() : FirstRowValue(CBX_BarDataOrigin->currentText());
        if (code.isEmpty())
            code = QStringLiteral("1234");
    } else {
        const int f = std::max(0, CBX_BarFun->currentIndex());
        DateTimeFunctionValue(QString::fromLatin1(kFunctions[f].Name),
                              IsNumericSymbology(TBarcodeType(CBX_BarType->currentIndex())),
                              QDateTime::currentDateTime(), code);
    }
    const int dpi = UsableDpi(FDocument.Plan().PntDPI);
    TBarcode barcode;
    barcode.SetTextString(code.trimmed());
    barcode.SetTyp(TBarcodeType(std::max(0, CBX_BarType->currentIndex())));
    barcode.SetChecksum(CB_CheckSum->isChecked());
    barcode.SetOptions(SymbolOptions());
    barcode.SetModul(SEdt_BarModul->value());
    barcode.SetRatio(SEdt_BarRatio->value());
    barcode.SetHeight(std::clamp(Round(SEdt_BarHeight->value() * FR / 2.54 * dpi), 1, 4 * dpi));
    barcode.SetShowText(CB_ShowText->isChecked() ? bcoCode : bcoNone);
    barcode.SetShowTextPosition(TShowTextPosition(std::max(0, CBX_BarTextAlign->currentIndex()) + 3));
    const int textPixels = std::max(1, Round(FFont.pointSizeF() * dpi / 72.0 * 96.0 / 72.0));
    QFont textFont = FFont;
    textFont.setPixelSize(textPixels);
    barcode.SetShowTextFont(textFont);
    int width = 0;
    if (const char* error = barcode.TryWidth(width)) {
        Lab_Preview->setPixmap(QPixmap());
        Lab_Preview->setText(tr("The code cannot be printed: %1").arg(BarcodeErrorText(error)));
        return;
    }
    // The image holds everything drawn, the human-readable line too (it may
    // be wider than the bars, and a matrix symbol's rows follow from its data).
    const int pad = 4;
    QImage image(1, 1, QImage::Format_RGB32);
    {
        QRect painted;
        try {
            barcode.SetLeft(0);
            barcode.SetTop(0);
            painted = BarcodePaintedRect(barcode, &image);
        } catch (const BarcodeError& e) {
            Lab_Preview->setPixmap(QPixmap());
            Lab_Preview->setText(tr("The code cannot be printed: %1").arg(QString::fromUtf8(e.what())));
            return;
        }
        const qint64 area = (qint64(painted.width()) + 2 * pad) * (qint64(painted.height()) + 2 * pad);
        if (painted.isEmpty() || area > 40'000'000) {
            Lab_Preview->setPixmap(QPixmap());
            Lab_Preview->setText(tr("The symbol is too large to show."));
            return;
        }
        image = QImage(painted.width() + 2 * pad, painted.height() + 2 * pad, QImage::Format_RGB32);
        barcode.SetLeft(pad - painted.left());
        barcode.SetTop(pad - painted.top());
    }
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        try {
            barcode.DrawBarcode(painter);
        } catch (const BarcodeError& e) {
            painter.end();
            Lab_Preview->setPixmap(QPixmap());
            Lab_Preview->setText(tr("The code cannot be printed: %1").arg(QString::fromUtf8(e.what())));
            return;
        }
    }
    // Crop to the ink and turn by the angle.
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(line[x]) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0) {
        Lab_Preview->setPixmap(QPixmap());
        Lab_Preview->setText(QString());
        return;
    }
    QImage symbol = image.copy(QRect(QPoint(left, top), QPoint(right, bottom)).adjusted(-4, -4, 4, 4));
    symbol = symbol.transformed(QTransform().rotate(std::max(0, CBX_BarAngle->currentIndex()) * 90));
    const QSize box = Lab_Preview->contentsRect().size().boundedTo(QSize(360, 110)).expandedTo(QSize(120, 60));
    if (symbol.width() > box.width() || symbol.height() > box.height())
        symbol = symbol.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    Lab_Preview->setText(QString());
    Lab_Preview->setPixmap(QPixmap::fromImage(symbol));
}

// ----- Filling --------------------------------------------------------------------

bool TFM_ObjPro::FillFrom(TLabelObject* object)
{
    FillColumnLists();
    FFontChanged = false;
    FPictureFile.clear();
    if (!object)
        return false;
    QWidget* page = nullptr;
    if (auto* barcode = dynamic_cast<TPlanBarcode*>(object)) {
        page = PAG_Barcode;
        Pages->setCurrentWidget(page);
        FillBarcode(*barcode);
    } else if (auto* text = dynamic_cast<TPlanText*>(object)) {
        page = PAG_Text;
        Pages->setCurrentWidget(page);
        FillText(*text);
    } else if (auto* picture = dynamic_cast<TPlanPicture*>(object)) {
        page = PAG_Picture;
        Pages->setCurrentWidget(page);
        FillPicture(*picture);
    } else {
        return false;
    }
    setWindowTitle(tr("Modify Current %1").arg(object->GetTypeName()));
    UpdateOriginControls();
    UpdatePreview();
    ShowPage(page);
    return true;
}

namespace {

// Checks the origin radio of the object's data origin and selects its item.
template <class SelectColumn>
void FillOrigin(int origin, const QString& expression, QRadioButton* constant, QRadioButton* column,
                QRadioButton* function, QComboBox* functions, SelectColumn selectColumn)
{
    if (origin == doDataColumn) {
        column->setChecked(true);
        selectColumn(expression);
    } else if (origin == doDateTime) {
        function->setChecked(true);
        functions->setCurrentIndex(std::max(0, DateTimeFunctionIndex(expression) - 1));
    } else {
        constant->setChecked(true);
    }
}

}  // namespace

void TFM_ObjPro::FillBarcode(TPlanBarcode& barcode)
{
    Btn_Font->setVisible(true);
    FFont = QFontOf(barcode.Font);
    const TBarcode& b = barcode.Barcode;
    Edt_Code->setText(barcode.DataValue);
    CBX_BarType->setCurrentIndex(IsValidBarcodeType(b.Typ()) ? int(b.Typ()) : -1);
    const int align = int(b.ShowTextPosition()) - 3;
    CBX_BarTextAlign->setCurrentIndex(align >= 0 && align <= 2 ? align : -1);
    const int dpi = UsableDpi(FDocument.Plan().PntDPI);
    SEdt_BarHeight->setValue(RoundDecimals(b.Height() / double(dpi) * 2.54 / FR, 3));
    SEdt_BarModul->setValue(barcode.ModulAt(dpi));  // dots of the current printer
    SEdt_BarRatio->setValue(b.Ratio());
    CB_ShowText->setChecked(b.ShowText() == bcoCode);
    CB_CheckSum->setChecked(b.Checksum());
    const int angle = (Round(b.Angle()) / 90) % 4;
    CBX_BarAngle->setCurrentIndex(angle >= 0 ? angle : 0);
    CB_BarCenter->setChecked(barcode.AutoCenter);
    SBtn_Code->setVisible(ShowsControlChars(CBX_BarType->currentIndex()));
    UpdateSymbologyControls();
    ShowSymbolOptions(b.Options());
    UpdateModuleLabels();
    FillOrigin(barcode.DataOrigin, barcode.DataExpression, Rdio_Code, Rdio_CodeFrom, Rdio_BarFun, CBX_BarFun,
               [this](const QString& name) { SelectColumn(CBX_BarDataOrigin, name); });
}

void TFM_ObjPro::FillText(TPlanText& text)
{
    Btn_Font->setVisible(true);
    FFont = QFontOf(text.Font);
    Edt_Text->setText(text.DataValue);
    CBX_TxtAlign->setCurrentIndex(text.Alignment <= 2 ? text.Alignment : -1);
    CKBox_Fmt->setChecked(!text.AutoFill);
    CBX_TxtAlign->setEnabled(CKBox_Fmt->isChecked());
    FillOrigin(text.DataOrigin, text.DataExpression, Rdio_Text, Rdio_TextFrom, Rdio_Fun, CBX_Fun,
               [this](const QString& name) { SelectColumn(CBX_TextDataOrigin, name); });
}

void TFM_ObjPro::FillPicture(TPlanPicture& picture)
{
    Btn_Font->setVisible(false);
    FNaturalSize = picture.Picture.NaturalSize();
    Edt_PicWidth->setText(FormatNumber(RoundDecimals(picture.WidthMM / 10 / FR, 3)));
    Edt_PicHeight->setText(FormatNumber(RoundDecimals(picture.HeightMM / 10 / FR, 3)));
    auto percent = [](double mm, int pixels) {
        return pixels > 0 ? std::clamp(Round(mm / (pixels / 72.0 * 25.4) * 100), 1, 100000) : 100;
    };
    SEdt_SX->setValue(percent(picture.WidthMM, FNaturalSize.width()));
    SEdt_SY->setValue(percent(picture.HeightMM, FNaturalSize.height()));
    Rdio_Picture->setChecked(true);
    (gRatioSize ? Rdio_RatioSize : Rdio_CusSize)->setChecked(true);
    const std::shared_ptr<const TDecodedPicture> decoded = picture.Picture.Decoded();
    Img_Sample->setPixmap(QPixmap());
    if (decoded) {
        QImage image(65, 65, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        picture.Picture.Draw(painter, QPoint(0, 0), QPoint(65, 65));
        painter.end();
        Img_Sample->setPixmap(QPixmap::fromImage(image));
    }
}

// ----- Applying -------------------------------------------------------------------

void TFM_ObjPro::ApplyTo(TLabelObject* object)
{
    if (auto* barcode = dynamic_cast<TPlanBarcode*>(object))
        ApplyBarcode(*barcode);
    else if (auto* text = dynamic_cast<TPlanText*>(object))
        ApplyText(*text);
    else if (auto* picture = dynamic_cast<TPlanPicture*>(object))
        ApplyPicture(*picture);
    if (object)
        object->UpdateMillimetres();
    FDocument.Plan().InvalidatePlan();
}

void TFM_ObjPro::ApplyBarcode(TPlanBarcode& barcode)
{
    barcode.Invalidate();
    if (FFontChanged)
        AssignFont(barcode.Font, FFont);
    if (Rdio_Code->isChecked()) {
        barcode.SetDataValue(Edt_Code->text());
        barcode.DataOrigin = doConstant;
    } else if (Rdio_CodeFrom->isChecked()) {
        const QString column = CBX_BarDataOrigin->currentText();
        const QString value = FirstRowValue(column);
        barcode.DataOrigin = doDataColumn;
        barcode.SetDataExpression(column);
        barcode.SetDataValue(value.isEmpty() ? QStringLiteral("1234") : value);
    } else {
        barcode.DataOrigin = doDateTime;
        barcode.SetDataExpression(QString::fromLatin1(kFunctions[std::max(0, CBX_BarFun->currentIndex())].Name));
    }
    barcode.AutoCenter = CB_BarCenter->isChecked();
    TBarcode& b = barcode.Barcode;
    const int dpi = UsableDpi(FDocument.Plan().PntDPI);
    b.SetTextString(barcode.DataValue);
    b.SetTyp(TBarcodeType(std::max(0, CBX_BarType->currentIndex())));
    b.SetShowTextPosition(TShowTextPosition(std::max(0, CBX_BarTextAlign->currentIndex()) + 3));
    b.SetHeight(Round(SEdt_BarHeight->value() * FR / 2.54 * dpi));
    // Set for the current printer only when changed: a Modul set for another
    // resolution keeps its exact width.
    if (SEdt_BarModul->value() != std::clamp(barcode.ModulAt(dpi), 1, 49))
        barcode.SetModulAt(SEdt_BarModul->value(), dpi);
    b.SetRatio(SEdt_BarRatio->value());
    b.SetOptions(SymbolOptions());
    const int angle = std::max(0, CBX_BarAngle->currentIndex());
    b.SetAngle(angle * 90);

    // The box across the bars holds the bars and the human-readable line. A
    // matrix symbol's rows follow from its data: drawing fits its box.
    const int typ = CBX_BarType->currentIndex();
    if (!IsMatrixSymbology(b.Typ())) {
        const int a = ScreenMetrics(barcode.Font).height();
        const double k = (typ == bcCodeEAN13 || typ == bcCodeUPC_A) ? 0.5 : 1.3;
        const double extent = SEdt_BarHeight->value() * FR * 10 + a * k / 72 * 25.4;
        if (angle == 1 || angle == 3)
            barcode.SetWidthMM(extent);
        else
            barcode.SetHeightMM(extent);
    }

    b.SetShowText(CB_ShowText->isChecked() ? bcoCode : bcoNone);
    try {
        b.SetChecksum(CB_CheckSum->isChecked());
    } catch (const BarcodeError&) {
        // The flag is checked again when the code is drawn.
    }
    barcode.Invalidate();
}

void TFM_ObjPro::ApplyText(TPlanText& text)
{
    text.Invalidate();
    if (Rdio_Text->isChecked()) {
        text.SetText(Edt_Text->text());
        text.DataOrigin = doConstant;
    } else if (Rdio_TextFrom->isChecked()) {
        const QString column = CBX_TextDataOrigin->currentText();
        const QString value = FirstRowValue(column);
        text.DataOrigin = doDataColumn;
        text.SetDataExpression(column);
        text.SetText(value.isEmpty() ? QStringLiteral("Empty Text") : value);
    } else {
        text.DataOrigin = doDateTime;
        text.SetDataExpression(QString::fromLatin1(kFunctions[std::max(0, CBX_Fun->currentIndex())].Name));
    }
    if (FFontChanged) {
        AssignFont(text.Font, FFont);
        // A new font fits the box to the text: its width and the height of "A".
        const QFontMetrics metrics = ScreenMetrics(text.Font);
        text.SetWidthMM(metrics.horizontalAdvance(text.DataValue) / 72.0 * 25.4);
        text.SetHeightMM(metrics.height() / 72.0 * 25.4);
    }
    text.SetAlignment(uint8_t(std::max(0, CBX_TxtAlign->currentIndex())));
    text.AutoFill = !CKBox_Fmt->isChecked();
    text.Invalidate();
}

void TFM_ObjPro::ApplyPicture(TPlanPicture& picture)
{
    picture.Invalidate();
    if (!FPictureFile.isEmpty()) {
        picture.DataValue.clear();  // load the file even when it has the same name
        picture.SetFileName(FPictureFile);
        picture.DataOrigin = doConstant;
    }
    if (Rdio_CusSize->isChecked()) {
        double w = 0, h = 0;
        ParseNumber(Edt_PicWidth->text(), w);
        ParseNumber(Edt_PicHeight->text(), h);
        picture.SetWidthMM(w * 10 * FR);
        picture.SetHeightMM(h * 10 * FR);
    } else {
        const QSize natural = picture.Picture.NaturalSize();
        picture.SetWidthMM(RoundDecimals(natural.width() * SEdt_SX->value() / 100.0 / 72 * 25.4, 3));
        picture.SetHeightMM(RoundDecimals(natural.height() * SEdt_SY->value() / 100.0 / 72 * 25.4, 3));
    }
    picture.Invalidate();
}

// ----- Buttons ----------------------------------------------------------------------

bool TFM_ObjPro::Validate()
{
    QWidget* page = Pages->currentWidget();
    if (page == PAG_Barcode) {
        if (Rdio_Code->isChecked()) {
            const QString code = Edt_Code->text().trimmed();
            if (!IsValidCode(code, TBarcodeType(std::max(0, CBX_BarType->currentIndex())), CB_CheckSum->isChecked(),
                             SymbolOptions())) {
                Dialogs().MessageDlg(tr("Value '%1' is an invalid code for selected bar code format!").arg(code),
                                     TMsgDlgType::mtError, mbOK);
                Edt_Code->setFocus();
                return false;
            }
        } else if (Rdio_CodeFrom->isChecked() && CBX_BarDataOrigin->currentIndex() < 0) {
            Dialogs().MessageDlg(tr("Choose the datasheet column the code comes from."), TMsgDlgType::mtError, mbOK);
            CBX_BarDataOrigin->setFocus();
            return false;
        }
    } else if (page == PAG_Text) {
        if (Rdio_TextFrom->isChecked() && CBX_TextDataOrigin->currentIndex() < 0) {
            Dialogs().MessageDlg(tr("Choose the datasheet column the text comes from."), TMsgDlgType::mtError, mbOK);
            CBX_TextDataOrigin->setFocus();
            return false;
        }
    } else if (page == PAG_Picture && Rdio_CusSize->isChecked()) {
        const std::pair<QLineEdit*, QString> boxes[] = {{Edt_PicWidth, tr("width")}, {Edt_PicHeight, tr("height")}};
        for (const auto& [box, what] : boxes) {
            double value = 0;
            if (!ParseNumber(box->text(), value) || value < 0) {
                Dialogs().MessageDlg(
                    tr("'%1' is not a valid floating point value for the picture %2.").arg(box->text(), what),
                    TMsgDlgType::mtError, mbOK);
                box->setFocus();
                box->selectAll();
                return false;
            }
        }
    }
    return true;
}

void TFM_ObjPro::OkClicked()
{
    if (TNumberRefusal::TakePendingRefusal(this))
        return;
    if (Pages->currentWidget() == PAG_Page ? PAG_Page->Validate() : Validate())
        accept();
}

int TFM_ObjPro::Execute()
{
    if (ExecHook)
        return ExecHook(*this);
    return exec();
}

void TFM_ObjPro::FontClicked()
{
    QFont font = FFont;
    if (!ChooseFont(font, this))
        return;
    FFont = font;
    FFontChanged = true;
    UpdatePreview();
}

void TFM_ObjPro::CheckColumnClicked()
{
    if (CBX_BarDataOrigin->currentIndex() < 0)
        return;
    const QString column = CBX_BarDataOrigin->currentText();
    const TBarcodeType type = TBarcodeType(std::max(0, CBX_BarType->currentIndex()));
    const bool checksum = CB_CheckSum->isChecked();
    const TSymbolOptions options = SymbolOptions();
    // Every label the print run makes: the print grid's rows.
    const TAdvStringGrid& grid = FDocument.Data.StrGrid_Print;
    for (int n = 1; n < grid.RowCount(); ++n) {
        const QString value = FDocument.Data.LookupCell(column, n, TDatasheet::PrintGridSource);
        if (value == BlankLabelValue)
            continue;  // a label left blank on purpose
        if (!IsValidCode(value, type, checksum, options)) {
            Dialogs().MessageDlg(
                tr("Value '%1' in line %2 is a invalid code for bar code").arg(value, QString::number(n)),
                TMsgDlgType::mtError, mbOK);
            return;
        }
    }
    Dialogs().MessageDlg(tr("All codes are passed!"), TMsgDlgType::mtInformation, mbOK);
}

void TFM_ObjPro::EditDataClicked()
{
    const QString barColumn = CBX_BarDataOrigin->currentText();
    const QString textColumn = CBX_TextDataOrigin->currentText();
    if (DatasheetEditor) {
        DatasheetEditor(FDocument, this);
    } else {
        TFM_Data window(FDocument.Data, this);
        window.Execute();
        FDocument.FillFromCurrentRow();
        FDocument.MarkChanged();
    }
    FillColumnLists();
    auto reselect = [this](QComboBox* list, const QString& name) {
        const int col = name.isEmpty() ? -1 : FDocument.Data.FindPrintGridColumn(name);
        list->setCurrentIndex(col >= 1 && col - 1 < list->count() ? col - 1 : (list->count() > 0 ? 0 : -1));
    };
    reselect(CBX_BarDataOrigin, barColumn);
    reselect(CBX_TextDataOrigin, textColumn);
    UpdatePreview();
}

void TFM_ObjPro::BrowsePictureClicked()
{
    const QString path =
        Dialogs().OpenFileName(tr("Open Picture"), QString(),
                               tr("Pictures (*.bmp *.dib *.ico *.emf *.wmf *.jpg *.jpeg *.png *.gif);;All files (*)"));
    if (path.isEmpty())
        return;
    TPlanPictureData data;
    if (!data.LoadFromFile(path) || data.NaturalSize().isEmpty()) {
        Dialogs().MessageDlg(tr("The file \"%1\" holds no picture that can be shown.").arg(path), TMsgDlgType::mtError,
                             mbOK);
        return;
    }
    FPictureFile = path;
    FNaturalSize = data.NaturalSize();
    QImage image(65, 65, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    data.Draw(painter, QPoint(0, 0), QPoint(65, 65));
    painter.end();
    Img_Sample->setPixmap(QPixmap::fromImage(image));
    ShowNaturalSize();
}

void TFM_ObjPro::ResetSizeClicked()
{
    ShowNaturalSize();
}

void TFM_ObjPro::ShowNaturalSize()
{
    Edt_PicWidth->setText(FormatNumber(RoundDecimals(FNaturalSize.width() / 72.0 * 2.54 / FR, 3)));
    Edt_PicHeight->setText(FormatNumber(RoundDecimals(FNaturalSize.height() / 72.0 * 2.54 / FR, 3)));
    SEdt_SX->setValue(100);
    SEdt_SY->setValue(100);
}

void TFM_ObjPro::ShowPage(QWidget* page)
{
    // Only the shown page counts for the dialog's size.
    for (int i = 0; i < Pages->count(); ++i) {
        QWidget* p = Pages->widget(i);
        const QSizePolicy::Policy policy = p == page ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        p->setSizePolicy(policy, policy);
    }
    Pages->setCurrentWidget(page);
}

void TFM_ObjPro::ShowLabelSetupPage()
{
    Btn_Font->setVisible(false);
    setWindowTitle(tr("Label Setup "));
    ShowPage(PAG_Page);
}

bool TFM_ObjPro::EditObject(TLabelDocument& document, TLabelObject* object, int units, QWidget* parent)
{
    if (!object)
        return false;
    TFM_ObjPro dialog(document, units, parent);
    if (!dialog.FillFrom(object))
        return false;
    const std::weak_ptr<const void> alive = object->Lifetime();
    const int result = dialog.Execute();
    gRatioSize = dialog.Rdio_RatioSize->isChecked();
    // The datasheet window may have removed the object's binding; a label
    // opened meanwhile (a queued command run inside the dialog's loop) took
    // the object away altogether.
    if (result != QDialog::Accepted || alive.expired())
        return false;
    TDocumentEdit edit(document, tr("Properties"));
    dialog.ApplyTo(object);
    edit.Commit();
    return true;
}
