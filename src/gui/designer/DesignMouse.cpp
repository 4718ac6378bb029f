// TDesignArea's mouse and keyboard on the design surface: the two-click
// creation tools, the hit test, focus and selection, the rubber band, moving
// and resizing, cursors and the hover events.
#include "engine/LabelDocument.h"
#include "gui/designer/DesignArea.h"
#include "gui/designer/PlanEditing.h"
#include "gui/designer/PlanSurface.h"
#include "gui/designer/Ruler.h"
#include "document/LabelPlan.h"
#include "document/PlanObjects.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRubberBand>
#include <QScrollArea>
#include <QWheelEvent>

namespace {

TLabelObject* CreateToolObject(TObjectTool tool, TLabelPlan* plan)
{
    switch (tool) {
        case TObjectTool::Barcode:
            return new TPlanBarcode(plan);
        case TObjectTool::Text:
            return new TPlanText(plan);
        case TObjectTool::Line:
            return new TPlanLine(plan);
        case TObjectTool::Rectangle:
            return new TPlanBox(plan);
        case TObjectTool::Ellipse:
            return new TPlanCircle(plan);
        case TObjectTool::Picture:
            return new TPlanPicture(plan);
        case TObjectTool::Pointer:
            break;
    }
    return nullptr;
}

// The cursor of a handle id.
Qt::CursorShape HandleCursor(int handle)
{
    switch (handle) {
        case 1:
        case 5:
            return Qt::SizeHorCursor;
        case 2:
        case 6:
            return Qt::SizeFDiagCursor;
        case 3:
        case 7:
            return Qt::SizeVerCursor;
        case 4:
        case 8:
            return Qt::SizeBDiagCursor;
        case 9:
            return Qt::SizeAllCursor;
        default:
            return Qt::ArrowCursor;
    }
}

// An object's own cursor, stored as the classic cursor numbers.
Qt::CursorShape ObjectCursor(int cursor)
{
    switch (cursor) {
        case -2:
            return Qt::ArrowCursor;
        case -3:
            return Qt::CrossCursor;
        case -4:
            return Qt::IBeamCursor;
        case -6:
            return Qt::SizeBDiagCursor;
        case -7:
            return Qt::SizeVerCursor;
        case -8:
            return Qt::SizeFDiagCursor;
        case -9:
            return Qt::SizeHorCursor;
        case -10:
            return Qt::UpArrowCursor;
        case -11:
            return Qt::WaitCursor;
        case -12:
            return Qt::DragMoveCursor;
        case -13:
        case -18:
            return Qt::ForbiddenCursor;
        case -14:
            return Qt::SplitHCursor;
        case -15:
            return Qt::SplitVCursor;
        case -19:
            return Qt::BusyCursor;
        case -20:
            return Qt::WhatsThisCursor;
        case -21:
            return Qt::PointingHandCursor;
        case -22:
            return Qt::SizeAllCursor;
        default:
            return Qt::ArrowCursor;
    }
}

// What a new picture object shows until it gets a picture: a small 256-colour
// landscape bitmap.
TPlanPictureData PlaceholderPicture()
{
    static const TPlanPictureData picture = [] {
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(QColor(200, 230, 255));
        for (int x = 0; x < 16; ++x)
            for (int y = 0; y < 16; ++y) {
                if (y >= 11 - std::abs(x - 6) / 2 && y < 15)
                    image.setPixel(x, y, qRgb(60, 140, 60));
                if ((x - 12) * (x - 12) + (y - 4) * (y - 4) <= 4)
                    image.setPixel(x, y, qRgb(250, 200, 0));
                if (x == 0 || y == 0 || x == 15 || y == 15)
                    image.setPixel(x, y, qRgb(90, 90, 90));
            }
        return TPlanPictureData::FromImage(image.convertToFormat(QImage::Format_Indexed8), TPictureKind::Bitmap);
    }();
    return picture;
}

QString CreationText(TObjectTool tool)
{
    switch (tool) {
        case TObjectTool::Barcode:
            return TDesignArea::tr("New Barcode");
        case TObjectTool::Text:
            return TDesignArea::tr("New Text");
        case TObjectTool::Line:
            return TDesignArea::tr("New Line");
        case TObjectTool::Rectangle:
            return TDesignArea::tr("New Rectangle");
        case TObjectTool::Ellipse:
            return TDesignArea::tr("New Ellipse");
        case TObjectTool::Picture:
            return TDesignArea::tr("New Picture");
        case TObjectTool::Pointer:
            break;
    }
    return QString();
}

}  // namespace

// ----- Creation tools --------------------------------------------------------------

void TDesignArea::StartNewObject(TObjectTool tool)
{
    const bool wasCreating = FNewObject != nullptr;
    CancelNewObjectQuietly();
    TLabelPlan& plan = Plan();
    FNewObject = CreateToolObject(tool, &plan);
    if (FNewObject)
        FNewObject->Visible = false;
    const TObjectTool before = FTool;
    FTool = FNewObject ? tool : TObjectTool::Pointer;
    if (FTool != before || wasCreating != (FNewObject != nullptr))
        Q_EMIT ToolChanged(FTool);
}

void TDesignArea::CancelNewObject()
{
    const bool hadTool = FTool != TObjectTool::Pointer;
    CancelNewObjectQuietly();
    if (hadTool)
        Q_EMIT ToolChanged(FTool);
}

void TDesignArea::CancelNewObjectQuietly()
{
    TLabelPlan& plan = Plan();
    // A placed object may already be gone with the plan it was on (New, Open).
    if (FNewObject && (!FNewObjectPlaced || IsOnPlan(plan, FNewObject))) {
        try {
            FNewObject->Release();
        } catch (...) {
            // The object being created was never part of the label: nothing
            // of the user's is lost, and cancelling must not fail.
        }
    }
    FNewObject = nullptr;
    FNewObjectPlaced = false;
    plan.NewObjectClicks = 0;
    FTool = TObjectTool::Pointer;
    // The creation's step, if it began, leaves nothing behind.
    FEdit.reset();
}

void TDesignArea::FinishCreation()
{
    TLabelPlan& plan = Plan();
    TLabelObject* object = FNewObject;
    object->StoreProperties();
    object->Focus();
    // The kinds' content when they are placed.
    if (auto* text = dynamic_cast<TPlanText*>(object))
        text->SetText(QStringLiteral("Sample Text"));
    else if (auto* barcode = dynamic_cast<TPlanBarcode*>(object))
        barcode->SetHeightMM(20);
    else if (auto* picture = dynamic_cast<TPlanPicture*>(object)) {
        picture->Picture = PlaceholderPicture();
        picture->Invalidate();
    }
    object->StoreProperties();
    FNewObject = nullptr;
    FNewObjectPlaced = false;
    plan.NewObjectClicks = 0;
    CommitEdit();
    plan.AfterDrawNewObject(object);
    FTool = TObjectTool::Pointer;
    Q_EMIT ToolChanged(FTool);
    Q_EMIT SelectionChanged();
}

// ----- Events ----------------------------------------------------------------------

bool TDesignArea::eventFilter(QObject* watched, QEvent* event)
{
    TLabelPlan& plan = Plan();
    const QEvent::Type type = event->type();
    if (type == QEvent::Wheel) {
        auto* e = static_cast<QWheelEvent*>(event);
        if (e->modifiers() & Qt::ControlModifier) {
            if (e->angleDelta().y() > 0)
                ZoomIn();
            else if (e->angleDelta().y() < 0)
                ZoomOut();
            return true;
        }
        return false;
    }
    if (watched == SB_LabDes->viewport()) {
        if (type == QEvent::Resize)
            PlaceSurface();
        return false;
    }
    if (watched == FCanvas) {
        if (type == QEvent::MouseButtonDblClick)
            Q_EMIT GreyAreaDoubleClicked();
        if (type == QEvent::MouseMove)
            TrackHairlines(FCanvas, static_cast<QMouseEvent*>(event)->position().toPoint());
        return false;
    }
    if (watched != FSurface)
        return false;
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto* e = static_cast<QMouseEvent*>(event);
            // Outside the label's rounded corners the surface takes no clicks.
            if (!FSurface->mask().isEmpty() && !FSurface->mask().contains(e->position().toPoint()))
                return true;
            FSurface->setFocus(Qt::MouseFocusReason);
            PlanMousePress(e->position().toPoint(), e->button(), e->buttons(), e->modifiers());
            if (type == QEvent::MouseButtonDblClick)
                PlanDoubleClick();
            return true;
        }
        case QEvent::MouseMove: {
            auto* e = static_cast<QMouseEvent*>(event);
            TrackHairlines(FSurface, e->position().toPoint());
            PlanMouseMove(e->position().toPoint(), e->buttons());
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* e = static_cast<QMouseEvent*>(event);
            PlanMouseRelease(e->position().toPoint(), e->button(), e->modifiers());
            return true;
        }
        case QEvent::Leave:
            if (FPrevHover) {
                plan.ObjectMouseLeave(FPrevHover);
                FPrevHover = nullptr;
                Q_EMIT HoverChanged(nullptr);
            }
            return false;
        case QEvent::KeyPress: {
            auto* e = static_cast<QKeyEvent*>(event);
            return PlanKeyPress(e->key(), e->modifiers());
        }
        default:
            return false;
    }
}

TLabelObject* TDesignArea::ObjectAtMouse(QPoint pos, int& handle)
{
    handle = 0;
    TPlanLayer* layer = Plan().ActiveLayer();
    if (!layer || !layer->Visible())
        return nullptr;
    int h = 0;
    TLabelObject* hit = layer->ObjectAt(pos.x(), pos.y(), h);
    if (hit)
        handle = h;
    return hit;
}

void TDesignArea::PlanMousePress(QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
                                 Qt::KeyboardModifiers mods)
{
    TLabelPlan& plan = Plan();
    CheckStale();
    FLastMousePoint = pos;
    if (TLabelObject* current = plan.CurrentObject())
        current->Unfocus();
    int handle = 0;
    TLabelObject* hit = ObjectAtMouse(pos, handle);
    const bool locked = plan.ReadOnly() || (plan.ActiveLayer() && plan.ActiveLayer()->Locked());
    if (locked) {
        plan.SetCurrentObject(hit);
        plan.GrabbedHandle = 0;
        return;
    }

    // Shift+click adds the object to the selection, or takes it out.
    const bool extend = (mods & Qt::ShiftModifier) && !FNewObject && hit;
    if (extend) {
        TLabelObject* current = plan.CurrentObject();
        if (current && current != hit && !current->ReadOnly && IsOnPlan(plan, current))
            current->SetSelected(true);
        if (hit->Selected() || hit->ReadOnly) {
            hit->SetSelected(false);
            plan.SetCurrentObject(nullptr);
            FDragging = false;
            plan.GrabbedHandle = 0;
            Q_EMIT SelectionChanged();
            return;
        }
        hit->SetSelected(true);
    } else if (!hit || !hit->Selected()) {
        DeselectAll(plan);
    }

    if (FNewObject) {
        if (button != Qt::LeftButton && !FNewObjectPlaced)
            return;
        if (!FNewObjectPlaced) {
            BeginEdit(CreationText(FTool));
            FNewObject->Visible = true;
            TPlanLayer* layer = FNewObject->Layer();
            if (!layer || plan.Layers().IndexOf(layer) < 0)
                layer = plan.ActiveLayer();
            if (layer) {
                layer->Add(FNewObject);
                FNewObject->Properties.SetValue(QStringLiteral("Layer"), QString::number(layer->Index));
            }
            FNewObjectPlaced = true;
        }
        plan.SetCurrentObject(FNewObject);
        if (FNewObject->CreationStep(pos.x(), pos.y(), 0))
            ++plan.NewObjectClicks;
        else
            FinishCreation();
        return;
    }

    plan.SetCurrentObject(hit);
    plan.GrabbedHandle = handle;
    plan.DownPoint = pos;
    for (int l = 0; l < plan.Layers().Count(); ++l)
        for (TLabelObject* o : plan.Layers().Item(l)->Objects())
            if (o->Selected())
                o->SaveDragOrigin();
    FDragging = false;
    if (hit) {
        hit->Focus();
        FDragging = buttons & Qt::LeftButton;
    }
    Q_EMIT SelectionChanged();
}

void TDesignArea::UpdateCursor(TLabelObject* hover, int handle)
{
    TLabelPlan& plan = Plan();
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (hover)
        shape = IsLocked(hover) || plan.ReadOnly() ? ObjectCursor(hover->Cursor) : HandleCursor(handle);
    if (FSurface->cursor().shape() != shape)
        FSurface->setCursor(shape);
}

void TDesignArea::PlanMouseMove(QPoint pos, Qt::MouseButtons buttons)
{
    TLabelPlan& plan = Plan();
    CheckStale();
    FLastMousePoint = pos;
    int handle = 0;
    TLabelObject* hover = ObjectAtMouse(pos, handle);
    TLabelObject* current = plan.CurrentObject();
    const bool left = buttons & Qt::LeftButton;

    // The rubber band: the left button held down away from every object,
    // anchored where it went down.
    if (left && !current && !FNewObject) {
        if (!FBandActive) {
            FBandStart = plan.DownPoint;
            FBandActive = true;
        }
        ShowBand(FBandStart, pos);
    } else if (FBandActive) {
        HideBand();
    }

    if (hover != FPrevHover) {
        if (FPrevHover)
            plan.ObjectMouseLeave(FPrevHover);
        if (hover)
            plan.ObjectMouseEnter(hover);
        Q_EMIT HoverChanged(hover);
    }
    if (hover)
        plan.ObjectMouseMove(hover);
    FPrevHover = hover;

    const bool viewOnly = plan.ReadOnly() || (plan.ActiveLayer() && plan.ActiveLayer()->Locked());
    if (viewOnly || (current && IsLocked(current))) {
        FSurface->setCursor(hover ? ObjectCursor(hover->Cursor) : Qt::ArrowCursor);
        return;
    }
    if (FNewObject) {
        FSurface->setCursor(Qt::ArrowCursor);
        if (FNewObjectPlaced && !FNewObject->CreationStep(pos.x(), pos.y(), 1))
            FinishCreation();
        return;
    }
    if (!left || !current) {
        UpdateCursor(hover, handle);
        return;
    }
    if (plan.GrabbedHandle != 0) {
        BeginEdit(tr("Resize"));
        current->ResizeByHandle(pos);
    } else if (FDragging) {
        BeginEdit(tr("Move"));
        current->MoveTo(pos);
        for (int l = 0; l < plan.Layers().Count(); ++l)
            for (TLabelObject* o : plan.Layers().Item(l)->Objects())
                if (o != current && o->Selected() && !IsLocked(o))
                    o->MoveTo(pos);
    }
    FDragging = left;
}

void TDesignArea::PlanMouseRelease(QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers mods)
{
    TLabelPlan& plan = Plan();
    CheckStale();
    if (FNewObject) {
        if (!FNewObjectPlaced || FNewObject->CreationStep(pos.x(), pos.y(), 2))
            return;
        FinishCreation();
        plan.InvalidatePlan();
        Q_EMIT MouseReleased();
        return;
    }
    FLastMousePoint = pos;
    int handle = 0;
    if (TLabelObject* hit = ObjectAtMouse(pos, handle)) {
        plan.ObjectClick(hit, button, mods, pos.x(), pos.y());
        // A locked object is shown but never focused.
        if (IsOnPlan(plan, hit) && IsLocked(hit))
            hit->Unfocus();
    }
    FDragging = false;
    if (FBandActive) {
        SelectInRect(plan, FBandStart, pos);
        HideBand();
    }
    // A move or resize keeps the user's place, but nothing may leave the
    // label altogether: it could be neither seen nor picked again.
    if (FEdit)
        for (int l = 0; l < plan.Layers().Count(); ++l)
            for (TLabelObject* o : plan.Layers().Item(l)->Objects())
                if ((o->Selected() || o == plan.CurrentObject()) && !o->Parent() && !IsLocked(o))
                    KeepOnLabel(plan, o);
    CommitEdit();
    plan.InvalidatePlan();
    Q_EMIT SelectionChanged();
    Q_EMIT MouseReleased();
}

void TDesignArea::PlanDoubleClick()
{
    TLabelPlan& plan = Plan();
    if (FNewObject)
        return;
    if (TLabelObject* current = plan.CurrentObject())
        plan.ObjectDblClick(current);
}

bool TDesignArea::PlanKeyPress(int key, Qt::KeyboardModifiers mods)
{
    const int step = (mods & Qt::ShiftModifier) ? 10 : 1;
    switch (key) {
        case Qt::Key_Escape:
            if (!FNewObject)
                return false;
            CancelNewObject();
            return true;
        case Qt::Key_Left:
            MoveSelection(-step, 0);
            return true;
        case Qt::Key_Right:
            MoveSelection(step, 0);
            return true;
        case Qt::Key_Up:
            MoveSelection(0, -step);
            return true;
        case Qt::Key_Down:
            MoveSelection(0, step);
            return true;
        case Qt::Key_A:
            if (mods & Qt::ControlModifier) {
                SelectAll();
                return true;
            }
            return false;
        default:
            return false;
    }
}

void TDesignArea::ShowBand(QPoint a, QPoint b)
{
    FBand->setGeometry(QRect(a, b).normalized());
    if (!FBand->isVisible())
        FBand->show();
}

void TDesignArea::HideBand()
{
    FBandActive = false;
    if (FBand)
        FBand->hide();
}

void TDesignArea::CheckStale()
{
    // Others (opening a file, New, the properties panel) may rebuild the plan.
    if (FPrevHover && !IsOnPlan(Plan(), FPrevHover))
        FPrevHover = nullptr;
    if (FNewObject && FNewObjectPlaced && !IsOnPlan(Plan(), FNewObject)) {
        FNewObject = nullptr;
        FNewObjectPlaced = false;
        Plan().NewObjectClicks = 0;
        FEdit.reset();
        FTool = TObjectTool::Pointer;
        Q_EMIT ToolChanged(FTool);
    }
}
