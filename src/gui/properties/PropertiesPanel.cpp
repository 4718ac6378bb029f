#include "gui/properties/PropertiesPanel.h"

#include "engine/DocumentEdit.h"
#include "engine/LabelDocument.h"
#include "document/PlanBarcode.h"
#include "gui/designer/PlanEditing.h"
#include "document/MGraph.h"
#include "document/PictureObject.h"
#include "document/ShapeObjects.h"
#include "document/TextObject.h"
#include "gui/properties/PropertyUnits.h"
#include "gui/properties/StandardDialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <cmath>

// ----- TColorSwatch ---------------------------------------------------------

TColorSwatch::TColorSwatch(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(sizeHint());
}

void TColorSwatch::SetColor(const QColor& color)
{
    if (color == FColor)
        return;
    FColor = color;
    update();
}

void TColorSwatch::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), FColor);
    }
    QFrame::paintEvent(event);
}

void TColorSwatch::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isEnabled())
        Q_EMIT Pressed();
}

// ----- TStyleComboBox -------------------------------------------------------

namespace {

const char* const kPenStyleNames[] = {"Solid", "Dash", "Dot", "DashDot", "DashDotDot", "Clear"};
const char* const kBrushStyleNames[] = {"Solid",     "Clear",     "Horizontal", "Vertical",
                                        "FDiagonal", "BDiagonal", "Cross",      "DiagCross"};

Qt::BrushStyle BrushStyleToQt(int style)
{
    switch (style) {
        case bsSolid:
            return Qt::SolidPattern;
        case bsHorizontal:
            return Qt::HorPattern;
        case bsVertical:
            return Qt::VerPattern;
        case bsFDiagonal:
            return Qt::BDiagPattern;  // Qt names the diagonals the other way round
        case bsBDiagonal:
            return Qt::FDiagPattern;
        case bsCross:
            return Qt::CrossPattern;
        case bsDiagCross:
            return Qt::DiagCrossPattern;
        default:
            return Qt::NoBrush;
    }
}

// Draws the list's items with the combo box's own picture.
class TStyleItemDelegate : public QStyledItemDelegate {
public:
    explicit TStyleItemDelegate(TStyleComboBox* box) : QStyledItemDelegate(box), FBox(box) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        if (option.state & QStyle::State_Selected)
            painter->fillRect(option.rect, option.palette.highlight());
        FBox->PaintItem(*painter, option.rect.adjusted(0, 2, 0, -2), index.row());
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return QSize(90, 20); }

private:
    TStyleComboBox* FBox;
};

}  // namespace

TStyleComboBox::TStyleComboBox(TKind kind, QWidget* parent) : QComboBox(parent), FKind(kind)
{
    if (kind == PenStyles) {
        for (const char* name : kPenStyleNames)
            addItem(QString::fromLatin1(name));
    } else {
        for (const char* name : kBrushStyleNames)
            addItem(QString::fromLatin1(name));
    }
    setItemDelegate(new TStyleItemDelegate(this));
}

void TStyleComboBox::SetSolidColor(const QColor& color)
{
    FSolidColor = color;
    update();
}

QSize TStyleComboBox::sizeHint() const
{
    return QSize(100, QComboBox::sizeHint().height());
}

void TStyleComboBox::PaintItem(QPainter& painter, const QRect& rect, int style) const
{
    const QColor background = palette().color(QPalette::Window);
    painter.save();
    if (FKind == PenStyles) {
        painter.fillRect(rect.adjusted(3, 0, -3, 0), background);
        if (style != psClear) {
            QPen pen(Qt::black, 1, PenStyleToQt(style));
            painter.setPen(pen);
            const int y = rect.top() + rect.height() / 2;
            painter.drawLine(rect.left() + 3, y, rect.right() - 3, y);
        }
    } else {
        const QRect r = rect.adjusted(3, 1, -3, -1);
        painter.fillRect(r, background);
        if (style == bsSolid)
            painter.fillRect(r, FSolidColor);
        else if (style != bsClear)
            painter.fillRect(r, QBrush(palette().color(QPalette::WindowText), BrushStyleToQt(style)));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
    painter.restore();
}

void TStyleComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() >= 0)
        PaintItem(painter, field.adjusted(0, 2, 0, -2), currentIndex());
}

// ----- TPropertiesPanel -----------------------------------------------------

namespace {

TRealSpinBox* MakeSpin(QWidget* parent, const char* name, const QString& caption, double step)
{
    auto* spin = new TRealSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setAccessibleName(caption);
    spin->setDecimals(3);
    spin->setSingleStep(step);
    spin->setMinimumWidth(70);
    return spin;
}

bool HasPage(const TLabelObject* object)
{
    return dynamic_cast<const TPlanText*>(object) || dynamic_cast<const TPlanPicture*>(object) ||
           dynamic_cast<const TPlanBarcode*>(object);
}

// Rectangles and composites show a corner radius; pictures (also boxes) do not.
TPlanBox* CornerBox(TLabelObject* object)
{
    if (dynamic_cast<TPlanPicture*>(object))
        return nullptr;
    return dynamic_cast<TPlanBox*>(object);
}

}  // namespace

TPropertiesPanel::TPropertiesPanel(TLabelDocument& document, QWidget* parent) : QWidget(parent), FDocument(document)
{
    setObjectName(QStringLiteral("PNL_ProM"));

    auto* header = new QLabel(tr("    Properties"), this);
    header->setObjectName(QStringLiteral("Lab_Properties"));
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    Lab_PUnits = new QLabel(UnitCaption(0), this);
    Lab_PUnits->setObjectName(QStringLiteral("Lab_PUnits"));
    Lab_More = new QPushButton(tr("More ..."), this);
    Lab_More->setObjectName(QStringLiteral("Lab_More"));
    Lab_More->setAccessibleName(tr("More ..."));
    Lab_More->setFlat(true);
    Lab_More->setCursor(Qt::PointingHandCursor);
    Lab_More->setStyleSheet(
        QStringLiteral("QPushButton { color: palette(link); text-decoration: underline; "
                       "border: none; padding: 0 4px; }"));
    connect(Lab_More, &QPushButton::clicked, this, &TPropertiesPanel::MorePropertiesRequested);

    auto* headerRow = new QHBoxLayout;
    headerRow->addWidget(header);
    headerRow->addWidget(Lab_PUnits);
    headerRow->addStretch();
    headerRow->addWidget(Lab_More);

    PNL_Pro = new QWidget(this);
    PNL_Pro->setObjectName(QStringLiteral("PNL_Pro"));
    SHP_Pen = new TColorSwatch(PNL_Pro);
    SHP_Pen->setObjectName(QStringLiteral("SHP_Pen"));
    SHP_Pen->setAccessibleName(tr("Border Color"));
    SHP_Pen->setToolTip(tr("Border Color"));
    SHP_Brush = new TColorSwatch(PNL_Pro);
    SHP_Brush->setObjectName(QStringLiteral("SHP_Brush"));
    SHP_Brush->setAccessibleName(tr("Fill Color"));
    SHP_Brush->setToolTip(tr("Fill Color"));
    SHP_Brush->SetColor(Qt::white);

    SEDT_Left = MakeSpin(PNL_Pro, "SEDT_Left", tr("Left:"), 0.01);
    SEDT_Top = MakeSpin(PNL_Pro, "SEDT_Top", tr("Top:"), 0.01);
    SEDT_Width = MakeSpin(PNL_Pro, "SEDT_Width", tr("Width:"), 0.01);
    SEDT_Height = MakeSpin(PNL_Pro, "SEDT_Height", tr("Height:"), 0.01);
    SEDT_LineWid = MakeSpin(PNL_Pro, "SEDT_LineWid", tr("Border Width:"), 0.01);
    SEDT_CR = MakeSpin(PNL_Pro, "SEDT_CR", tr("Corner Radius:"), 0.1);
    SEDT_Width->setMinimum(0);
    SEDT_Height->setMinimum(0);
    SEDT_LineWid->setMinimum(0);
    SEDT_CR->setMinimum(0);
    CBX_LineStyle = new TStyleComboBox(TStyleComboBox::PenStyles, PNL_Pro);
    CBX_LineStyle->setObjectName(QStringLiteral("CBX_LineStyle"));
    CBX_LineStyle->setAccessibleName(tr("Border Style:"));
    CBX_FillStyle = new TStyleComboBox(TStyleComboBox::BrushStyles, PNL_Pro);
    CBX_FillStyle->setObjectName(QStringLiteral("CBX_FillStyle"));
    CBX_FillStyle->setAccessibleName(tr("Fill Style:"));

    auto* grid = new QGridLayout(PNL_Pro);
    grid->setContentsMargins(4, 0, 4, 4);
    auto label = [this](const QString& caption, QWidget* buddy) {
        auto* l = new QLabel(caption, PNL_Pro);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(SHP_Pen, 0, 0);
    grid->addWidget(SHP_Brush, 1, 0);
    grid->addWidget(label(tr("Left:"), SEDT_Left), 0, 1);
    grid->addWidget(SEDT_Left, 0, 2);
    grid->addWidget(label(tr("Top:"), SEDT_Top), 1, 1);
    grid->addWidget(SEDT_Top, 1, 2);
    grid->addWidget(label(tr("Width:"), SEDT_Width), 0, 3);
    grid->addWidget(SEDT_Width, 0, 4);
    grid->addWidget(label(tr("Height:"), SEDT_Height), 1, 3);
    grid->addWidget(SEDT_Height, 1, 4);
    grid->addWidget(label(tr("Border Style:"), CBX_LineStyle), 0, 5);
    grid->addWidget(CBX_LineStyle, 0, 6);
    grid->addWidget(label(tr("Fill Style:"), CBX_FillStyle), 1, 5);
    grid->addWidget(CBX_FillStyle, 1, 6);
    grid->addWidget(label(tr("Border Width:"), SEDT_LineWid), 0, 7);
    grid->addWidget(SEDT_LineWid, 0, 8);
    Lab_CR = label(tr("Corner Radius:"), SEDT_CR);
    Lab_CR->setObjectName(QStringLiteral("Lab_CR"));
    grid->addWidget(Lab_CR, 1, 7);
    grid->addWidget(SEDT_CR, 1, 8);
    grid->setColumnStretch(9, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(headerRow);
    layout->addWidget(PNL_Pro);

    auto spinEdit = [this](TRealSpinBox* spin, const QString& what, auto change) {
        connect(spin, &QDoubleSpinBox::valueChanged, this, [this, what, change](double value) {
            ApplyEdit(what, [&](TLabelObject& object) { change(object, value, UnitFactor(FUnits)); });
        });
    };
    // A place off the label altogether stops where part of the object stays on it.
    spinEdit(SEDT_Left, tr("Move"), [](TLabelObject& o, double v, double f) {
        o.SetLeftMM(v * 10 * f);
        KeepOnLabel(*o.Plan(), &o);
    });
    spinEdit(SEDT_Top, tr("Move"), [](TLabelObject& o, double v, double f) {
        o.SetTopMM(v * 10 * f);
        KeepOnLabel(*o.Plan(), &o);
    });
    spinEdit(SEDT_Width, tr("Resize"), [](TLabelObject& o, double v, double f) { o.SetWidthMM(v * 10 * f); });
    spinEdit(SEDT_Height, tr("Resize"), [](TLabelObject& o, double v, double f) { o.SetHeightMM(v * 10 * f); });
    spinEdit(SEDT_LineWid, tr("Border Width"), [](TLabelObject& o, double v, double f) {
        o.Invalidate();
        o.PenWidth = int(std::trunc(v / 2.54 * 72 * f));
        o.Invalidate();
    });
    spinEdit(SEDT_CR, tr("Corner Radius"), [](TLabelObject& o, double v, double f) {
        if (TPlanBox* box = CornerBox(&o))
            box->SetCornerRadius(int(std::trunc(v / 2.54 * 72 * f)));
    });
    connect(CBX_LineStyle, &QComboBox::activated, this, [this](int index) {
        ApplyEdit(tr("Border Style"), [index](TLabelObject& o) {
            TPlanPen pen = o.Pen;
            pen.Style = index;
            o.SetPen(pen);
        });
    });
    connect(CBX_FillStyle, &QComboBox::activated, this, [this](int index) {
        ApplyEdit(tr("Fill Style"), [index](TLabelObject& o) {
            TPlanBrush brush = o.Brush;
            brush.Style = index;
            o.SetBrush(brush);
        });
    });
    connect(SHP_Pen, &TColorSwatch::Pressed, this, &TPropertiesPanel::PenSwatchPressed);
    connect(SHP_Brush, &TColorSwatch::Pressed, this, &TPropertiesPanel::BrushSwatchPressed);

    connect(&FDocument, &TLabelDocument::SelectionChanged, this, &TPropertiesPanel::Refresh);
    connect(&FDocument, &TLabelDocument::Changed, this, &TPropertiesPanel::Refresh);
    connect(&FDocument.UndoStack(), &QUndoStack::indexChanged, this, &TPropertiesPanel::Refresh);
    Refresh();
}

void TPropertiesPanel::SetUnits(int units)
{
    FUnits = units == 1 ? 1 : 0;
    Lab_PUnits->setText(UnitCaption(FUnits));
    Refresh();
}

void TPropertiesPanel::SetPointerToolSelected(bool selected)
{
    FPointerTool = selected;
}

TLabelObject* TPropertiesPanel::EditableObject() const
{
    TLabelObject* object = FDocument.Plan().CurrentObject();
    if (!FPointerTool || !object || object->ReadOnly)
        return nullptr;
    return object;
}

template <class F>
void TPropertiesPanel::ApplyEdit(const QString& what, F change)
{
    if (FFilling)
        return;
    TLabelObject* object = EditableObject();
    if (!object)
        return;
    TDocumentEdit edit(FDocument, what);
    change(*object);
    object->UpdateMillimetres();
    edit.Commit();
    Fill(object);
}

void TPropertiesPanel::Refresh()
{
    TLabelObject* object = FDocument.Plan().CurrentObject();
    const bool editable = object && !object->ReadOnly;
    PNL_Pro->setEnabled(editable);
    Lab_More->setVisible(object && HasPage(object));
    CBX_FillStyle->SetSolidColor(ColorToQColor(FDocument.Plan().Brush.Color));
    if (editable)
        Fill(object);
}

void TPropertiesPanel::Fill(TLabelObject* object)
{
    if (!object || object->ReadOnly)
        return;
    FFilling = true;
    const double f = UnitFactor(FUnits);
    SHP_Pen->SetColor(ColorToQColor(object->Pen.Color));
    if (const auto* text = dynamic_cast<const TPlanText*>(object))
        SHP_Brush->SetColor(ColorToQColor(text->Font.Color));
    else
        SHP_Brush->SetColor(ColorToQColor(object->Brush.Color));
    CBX_LineStyle->setCurrentIndex(
        object->Pen.Style >= 0 && object->Pen.Style < CBX_LineStyle->count() ? object->Pen.Style : -1);
    CBX_FillStyle->setCurrentIndex(
        object->Brush.Style >= 0 && object->Brush.Style < CBX_FillStyle->count() ? object->Brush.Style : -1);
    SEDT_LineWid->setValue(RoundDecimals(object->PenWidth / 72.0 * 2.54 / f, 3));
    TPlanBox* box = CornerBox(object);
    if (box)
        SEDT_CR->setValue(RoundDecimals(box->CornerRadius / 72.0 * 2.54 / f, 3));
    SEDT_CR->setVisible(box);
    Lab_CR->setVisible(box);
    Lab_More->setVisible(HasPage(object));
    SEDT_Left->setValue(TruncRound3(object->LeftMM / 10 / f));
    SEDT_Top->setValue(TruncRound3(object->TopMM / 10 / f));
    SEDT_Width->setValue(TruncRound3(object->WidthMM / 10 / f));
    SEDT_Height->setValue(TruncRound3(object->HeightMM / 10 / f));
    FFilling = false;
}

void TPropertiesPanel::PenSwatchPressed()
{
    if (!FPointerTool)
        return;
    QColor color = SHP_Pen->Color();
    if (!ChooseColor(color, this))
        return;
    SHP_Pen->SetColor(color);
    ApplyEdit(tr("Border Color"), [color](TLabelObject& o) {
        TPlanPen pen = o.Pen;
        pen.Color = QColorToColor(color);
        o.SetPen(pen);
    });
}

void TPropertiesPanel::BrushSwatchPressed()
{
    if (!FPointerTool)
        return;
    QColor color = SHP_Brush->Color();
    if (!ChooseColor(color, this))
        return;
    SHP_Brush->SetColor(color);
    ApplyEdit(tr("Fill Color"), [color](TLabelObject& o) {
        if (auto* text = dynamic_cast<TPlanText*>(&o)) {
            text->Font.Color = QColorToColor(color);
            text->Invalidate();
            return;
        }
        TPlanBrush brush = o.Brush;
        brush.Color = QColorToColor(color);
        o.SetBrush(brush);
    });
}
