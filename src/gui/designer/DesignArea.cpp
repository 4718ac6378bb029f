#include "gui/designer/DesignArea.h"

#include "engine/DocumentEdit.h"
#include "engine/LabelDocument.h"
#include "gui/UserDialogs.h"
#include "gui/designer/ClipboardMonitor.h"
#include "gui/designer/PlanEditing.h"
#include "gui/designer/PlanSurface.h"
#include "gui/designer/Ruler.h"
#include "document/LabelPlan.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QRubberBand>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

TDesignArea::TDesignArea(TLabelDocument& document, QWidget* parent) : QWidget(parent), FDocument(document)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);

    Lab_Unit = new QLabel(tr("cm"), this);
    Lab_Unit->setAlignment(Qt::AlignCenter);
    Lab_Unit->setAutoFillBackground(true);
    Lab_Unit->setStyleSheet(QStringLiteral("background: white; font-family: Tahoma; font-size: 9px;"));
    Lab_Unit->setAccessibleName(tr("Ruler unit"));
    FHorzRuler = new TRuler(Qt::Horizontal, this);
    FVertRuler = new TRuler(Qt::Vertical, this);
    Lab_Unit->setFixedSize(FVertRuler->sizeHint().width(), FHorzRuler->sizeHint().height());

    SB_LabDes = new QScrollArea(this);
    SB_LabDes->setObjectName(QStringLiteral("SB_LabDes"));
    SB_LabDes->setAccessibleName(tr("Label design area"));
    SB_LabDes->setFrameShape(QFrame::NoFrame);
    SB_LabDes->setWidgetResizable(false);
    SB_LabDes->setBackgroundRole(QPalette::Dark);
    FCanvas = new QWidget;
    FCanvas->setMouseTracking(true);
    SB_LabDes->setWidget(FCanvas);
    SB_LabDes->viewport()->setMouseTracking(true);

    grid->addWidget(Lab_Unit, 0, 0);
    grid->addWidget(FHorzRuler, 0, 1);
    grid->addWidget(FVertRuler, 1, 0);
    grid->addWidget(SB_LabDes, 1, 1);

    FSurface = new TPlanSurface(FCanvas);
    FSurface->setObjectName(QStringLiteral("PlanSurface"));
    FSurface->setAccessibleName(tr("Label design surface"));
    FSurface->setMouseTracking(true);
    FSurface->setFocusPolicy(Qt::StrongFocus);
    FBand = new QRubberBand(QRubberBand::Rectangle, FSurface);
    FBand->hide();

    FSurface->installEventFilter(this);
    FCanvas->installEventFilter(this);
    SB_LabDes->viewport()->installEventFilter(this);

    AttachPlan();
    connect(&document, &TLabelDocument::PlanReplaced, this, [this] {
        AttachPlan();
        // What we point at went with the former design.
        CheckObjects();
    });
    connect(SB_LabDes->horizontalScrollBar(), &QScrollBar::valueChanged, this, &TDesignArea::PlaceSurface);
    connect(SB_LabDes->verticalScrollBar(), &QScrollBar::valueChanged, this, &TDesignArea::PlaceSurface);
    connect(&document.UndoStack(), &QUndoStack::indexChanged, this, [this] {
        if (!FOwnPush)
            CheckObjects();
    });

    // The tool actions: the pointer and the six creation tools, one radio group.
    auto* tools = new QActionGroup(this);
    const struct {
        TObjectTool tool;
        QString text;
    } toolTexts[] = {
        {TObjectTool::Pointer, tr("Pointer")},
        {TObjectTool::Barcode, tr("Create barcode object")},
        {TObjectTool::Text, tr("Create text object")},
        {TObjectTool::Line, tr("Create line object")},
        {TObjectTool::Rectangle, tr("Create rectangle object")},
        {TObjectTool::Ellipse, tr("Create ellipse object")},
        {TObjectTool::Picture, tr("Create picture object")},
    };
    for (const auto& t : toolTexts) {
        auto* action = new QAction(t.text, tools);
        action->setCheckable(true);
        action->setToolTip(t.text);
        action->setData(int(t.tool));
        const TObjectTool tool = t.tool;
        connect(action, &QAction::triggered, this, [this, tool] {
            if (tool == TObjectTool::Pointer)
                CancelNewObject();
            else
                StartNewObject(tool);
        });
        FToolActions[int(t.tool)] = action;
    }
    FToolActions[int(TObjectTool::Pointer)]->setChecked(true);
    connect(this, &TDesignArea::ToolChanged, this,
            [this](TObjectTool tool) { FToolActions[int(tool)]->setChecked(true); });

    auto* monitor = new TClipboardMonitor(this);
    connect(monitor, &TClipboardMonitor::Changed, this, &TDesignArea::UpdatePasteState);
    UpdatePasteState();
    PlaceSurface();
}

TDesignArea::~TDesignArea()
{
    CancelNewObjectQuietly();
    // The plan belongs to the document, not to this window.
    FDocument.Plan().disconnect(this);
    FDocument.disconnect(this);
    FDocument.UndoStack().disconnect(this);
    FSurface->removeEventFilter(this);
    FSurface->SetPlan(nullptr);
}

void TDesignArea::AttachPlan()
{
    TLabelPlan& plan = Plan();
    FSurface->SetPlan(&plan);
    connect(&plan, &TLabelPlan::Resized, this, &TDesignArea::PlaceSurface);
    connect(&plan, &TLabelPlan::ObjectDoubleClicked, this, &TDesignArea::ObjectDoubleClicked);
    connect(&plan, &TLabelPlan::ObjectClicked, this,
            [this](TLabelObject* object, Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
                Q_EMIT ObjectClicked(object, button, FSurface->mapToGlobal(QPoint(x, y)));
            });
    connect(&plan, &TLabelPlan::CurrentObjectChanged, this, &TDesignArea::SelectionChanged);
    PlaceSurface();
}

QAction* TDesignArea::ToolAction(TObjectTool tool) const
{
    return FToolActions[int(tool)];
}

TLabelPlan& TDesignArea::Plan() const
{
    return FDocument.Plan();
}

// ----- Placement and rulers ---------------------------------------------------

void TDesignArea::PlaceSurface()
{
    TLabelPlan& plan = Plan();
    QWidget* viewport = SB_LabDes->viewport();
    const QSize box = viewport->size();
    const QSize surface = plan.ViewSize();
    const int left = surface.width() < box.width() ? (box.width() - surface.width()) / 2 : 0;
    const int top = surface.height() < box.height() ? (box.height() - surface.height()) / 2 : 0;
    const QSize canvas(std::max(box.width(), surface.width()), std::max(box.height(), surface.height()));
    if (FCanvas->size() != canvas)
        FCanvas->resize(canvas);
    if (FSurface->pos() != QPoint(left, top))
        FSurface->move(left, top);

    // Both rulers read 0 at the label's top-left corner.
    const double unit = FUnits == 1 ? 72.0 : 28.346;
    const int divisions = FUnits == 1 ? 8 : 10;
    const QPoint origin = FSurface->mapTo(viewport, QPoint(0, 0));
    const double hUnit = plan.PixelsPerPointX() * unit;
    const double vUnit = plan.PixelsPerPointY() * unit;
    FHorzRuler->SetScale(hUnit, -origin.x() / hUnit, divisions);
    FVertRuler->SetScale(vUnit, -origin.y() / vUnit, divisions);
}

void TDesignArea::SetRulersVisible(bool visible)
{
    FHorzRuler->setVisible(visible);
    FVertRuler->setVisible(visible);
    Lab_Unit->setVisible(visible);
    PlaceSurface();
}

bool TDesignArea::RulersVisible() const
{
    return !FHorzRuler->isHidden();
}

void TDesignArea::SetUnits(int units)
{
    FUnits = units == 1 ? 1 : 0;
    Lab_Unit->setText(FUnits == 1 ? tr("in") : tr("cm"));
    PlaceSurface();
}

void TDesignArea::TrackHairlines(QWidget* from, QPoint pos)
{
    // The plan is a child of the grey canvas: map through the screen, which
    // works whichever of the two the point comes from.
    const QPoint global = from->mapToGlobal(pos);
    const QPoint p = SB_LabDes->viewport()->mapFromGlobal(global);
    FHorzRuler->SetHairline(p.x());
    FVertRuler->SetHairline(p.y());
    TLabelPlan& plan = Plan();
    const QPoint onPlan = FSurface->mapFromGlobal(global);
    Q_EMIT MousePositionChanged(QPointF(onPlan.x() / plan.PixelsPerPointX(), onPlan.y() / plan.PixelsPerPointY()));
}

// ----- Zoom ---------------------------------------------------------------------

bool TDesignArea::CanZoomIn() const
{
    return Plan().CanZoomIn();
}

bool TDesignArea::CanZoomOut() const
{
    return Plan().CanZoomOut();
}

int TDesignArea::ZoomPercent() const
{
    return Plan().ZoomPercent();
}

void TDesignArea::ZoomIn()
{
    CancelNewObject();
    if (!CanZoomIn())
        return;
    SB_LabDes->horizontalScrollBar()->setValue(0);
    SB_LabDes->verticalScrollBar()->setValue(0);
    Plan().ZoomIn();
    Q_EMIT ZoomChanged(ZoomPercent());
}

void TDesignArea::ZoomOut()
{
    CancelNewObject();
    if (!CanZoomOut())
        return;
    SB_LabDes->horizontalScrollBar()->setValue(0);
    SB_LabDes->verticalScrollBar()->setValue(0);
    Plan().ZoomOut();
    Q_EMIT ZoomChanged(ZoomPercent());
}

void TDesignArea::ActualSize()
{
    CancelNewObject();
    Plan().ActualSize();
    Q_EMIT ZoomChanged(ZoomPercent());
}

// ----- Editing commands ----------------------------------------------------

void TDesignArea::Align(int how, const QString& text)
{
    CancelNewObject();
    Edit(text, [&] { AlignSelected(Plan(), TAlignment(how)); });
}

void TDesignArea::AlignLeft()
{
    Align(int(TAlignment::Left), tr("Align Left"));
}

void TDesignArea::AlignRight()
{
    Align(int(TAlignment::Right), tr("Align Right"));
}

void TDesignArea::AlignTop()
{
    Align(int(TAlignment::Top), tr("Align Top"));
}

void TDesignArea::AlignBottom()
{
    Align(int(TAlignment::Bottom), tr("Align Bottom"));
}

void TDesignArea::AlignHorzCenter()
{
    Align(int(TAlignment::HorzCenter), tr("Align Horizontal Center"));
}

void TDesignArea::AlignVertCenter()
{
    Align(int(TAlignment::VertCenter), tr("Align Vertical Center"));
}

void TDesignArea::Restack(int how)
{
    CancelNewObject();
    TLabelObject* current = Plan().CurrentObject();
    if (!current)
        return;
    static const char* const kNames[] = {QT_TR_NOOP("Send to Back"), QT_TR_NOOP("Bring to Front"),
                                         QT_TR_NOOP("Send to Bottom"), QT_TR_NOOP("Bring to Top")};
    Edit(tr(kNames[how]), [&] { ::Restack(current, TStacking(how)); });
}

void TDesignArea::BringToFront()
{
    Restack(int(TStacking::BringToTop));
}

void TDesignArea::SendToBack()
{
    Restack(int(TStacking::SendToBottom));
}

void TDesignArea::BringForward()
{
    Restack(int(TStacking::BringForward));
}

void TDesignArea::SendBackward()
{
    Restack(int(TStacking::SendBackward));
}

void TDesignArea::LockSelected()
{
    CancelNewObject();
    Edit(tr("Lock"), [&] { ::LockSelected(Plan()); });
    Q_EMIT SelectionChanged();
}

void TDesignArea::UnlockAll()
{
    CancelNewObject();
    Edit(tr("Unlock All"), [&] { ::UnlockAll(Plan()); });
}

void TDesignArea::DeleteSelected()
{
    CancelNewObject();
    Edit(tr("Delete"), [&] { ::DeleteSelected(Plan()); });
    Q_EMIT SelectionChanged();
}

void TDesignArea::SelectAll()
{
    CancelNewObject();
    SelectAllObjects(Plan());
    Q_EMIT SelectionChanged();
}

void TDesignArea::MoveSelection(int dx, int dy)
{
    Edit(tr("Move"), [&] { MoveSelectedBy(Plan(), dx, dy); });
}

// ----- Clipboard -----------------------------------------------------------------

void TDesignArea::Copy()
{
    const QString text = ClipboardText(Plan());
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void TDesignArea::Cut()
{
    // The object being placed must not go to the clipboard half made.
    CancelNewObject();
    Edit(tr("Cut"), [&] {
        QList<TLabelObject*> copied;
        const QString text = ClipboardText(Plan(), &copied);
        if (text.isEmpty())
            return;
        QGuiApplication::clipboard()->setText(text);
        for (TLabelObject* o : copied)
            o->Release();
    });
    Q_EMIT SelectionChanged();
}

void TDesignArea::Paste()
{
    CancelNewObject();
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isNull())
        return;
    QString error;
    Edit(tr("Paste"), [&] {
        try {
            PasteClipboardText(Plan(), text, 8);
        } catch (const ELabelPlanException& e) {
            error = e.Message();
        }
    });
    Q_EMIT SelectionChanged();
    if (!error.isEmpty())
        Dialogs().MessageDlg(error, TMsgDlgType::mtError, mbOK);
}

void TDesignArea::UpdatePasteState()
{
    const QString text = QGuiApplication::clipboard()->text();
    const bool can = IsClipboardText(text);
    if (can == FCanPaste)
        return;
    FCanPaste = can;
    Q_EMIT PasteAvailableChanged(can);
}

// ----- Undo ---------------------------------------------------------------------

void TDesignArea::BeginEdit(const QString& text)
{
    if (!FEdit)
        FEdit = std::make_unique<TDocumentEdit>(FDocument, text);
}

void TDesignArea::CommitEdit()
{
    if (!FEdit)
        return;
    FOwnPush = true;
    FEdit->Commit();
    FOwnPush = false;
    FEdit.reset();
}

void TDesignArea::CheckObjects()
{
    // Undo and redo rebuild the plan from its text: what we point at is gone.
    TLabelPlan& plan = Plan();
    FEdit.reset();
    FDragging = false;
    HideBand();
    if (FPrevHover && !IsOnPlan(plan, FPrevHover)) {
        FPrevHover = nullptr;
        Q_EMIT HoverChanged(nullptr);
    }
    if (FNewObject) {
        if (FNewObjectPlaced && !IsOnPlan(plan, FNewObject)) {
            FNewObject = nullptr;
            FNewObjectPlaced = false;
            plan.NewObjectClicks = 0;
            FTool = TObjectTool::Pointer;
            Q_EMIT ToolChanged(FTool);
        } else if (!FNewObjectPlaced) {
            // Prepare it again on the rebuilt layers.
            const TObjectTool tool = FTool;
            StartNewObject(tool);
        }
    }
}
