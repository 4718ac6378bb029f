// TDesignArea: the label design surface as the main window hosts it. The
// document's design, shown by a TPlanSurface, sits in the scroll area SB_LabDes (centred while
// smaller, scrolling when larger) between two rulers; the mouse creates,
// selects, moves and resizes objects on it; the editing commands, the
// clipboard and the zoom are calls the main window connects to its menus.
// Every change to the design is one undoable step on the document's undo
// stack, which also marks the document modified.
#pragma once

#include <QPointF>
#include <QPointer>
#include <QWidget>

#include <memory>

class QAction;
class QActionGroup;
class QLabel;
class QRubberBand;
class QScrollArea;
class TDocumentEdit;
class TLabelDocument;
class TLabelObject;
class TLabelPlan;
class TPlanSurface;
class TRuler;

enum class TObjectTool { Pointer, Barcode, Text, Line, Rectangle, Ellipse, Picture };

class TDesignArea : public QWidget {
    Q_OBJECT
public:
    explicit TDesignArea(TLabelDocument& document, QWidget* parent = nullptr);
    ~TDesignArea() override;

    TLabelDocument& Document() const { return FDocument; }
    TLabelPlan& Plan() const;
    // The widget showing the document's design.
    TPlanSurface* Surface() const { return FSurface; }
    QScrollArea* ScrollBox() const { return SB_LabDes; }
    TRuler* HorizontalRuler() const { return FHorzRuler; }
    TRuler* VerticalRuler() const { return FVertRuler; }

    // ----- Creation tools ----------------------------------------------------
    // Prepares an object of the tool's kind (barcodes take the plan's
    // DefaultBarcodeType); the next two clicks on the label place it. Pointer
    // cancels a creation in progress.
    void StartNewObject(TObjectTool tool);
    // Discards the object being created, if any; the tool returns to Pointer.
    void CancelNewObject();
    TObjectTool Tool() const { return FTool; }
    // The checkable tool actions, one radio group in sync with Tool(): the
    // pointer and "Create barcode object", "Create text object", ... for the
    // main window's tool bar and Object menu.
    QAction* ToolAction(TObjectTool tool) const;
    // The object being created (none in the pointer tool).
    TLabelObject* NewObject() const { return FNewObject; }

    // ----- Editing commands (each one undoable step) -------------------------
    void AlignLeft();
    void AlignRight();
    void AlignTop();
    void AlignBottom();
    void AlignHorzCenter();  // "Align Horizontal Center": centres on one horizontal line
    void AlignVertCenter();  // "Align Vertical Center": centres on one vertical line
    // Stacking order of the current object: "Bring to Top", "Send to Bottom",
    // "Bring to Front" (one step up) and "Send to Back" (one step down).
    void BringToFront();
    void SendToBack();
    void BringForward();
    void SendBackward();
    void LockSelected();
    void UnlockAll();
    void DeleteSelected();
    // Selects every unlocked object of the active layer.
    void SelectAll();
    // Moves the selected unlocked objects by (dx, dy) label units.
    void MoveSelection(int dx, int dy);

    // ----- Clipboard -------------------------------------------------------------
    void Copy();
    void Cut();
    void Paste();
    // Whether the clipboard holds label objects.
    bool CanPaste() const { return FCanPaste; }

    // ----- Zoom and units -------------------------------------------------------
    void ZoomIn();
    void ZoomOut();
    void ActualSize();
    bool CanZoomIn() const;
    bool CanZoomOut() const;
    int ZoomPercent() const;
    // 0 centimetres, 1 inches: the rulers and the corner caption ("cm", "in").
    void SetUnits(int units);
    int Units() const { return FUnits; }
    // Shows or hides both rulers and their corner caption.
    void SetRulersVisible(bool visible);
    bool RulersVisible() const;
    // Places the surface in the scroll box and brings the rulers in step.
    void PlaceSurface();

    // ----- Undo -----------------------------------------------------------------
    // Runs change as one undoable step named text (nothing is recorded when
    // the plan text stays the same). The properties panel and dialogs may use
    // it too.
    template <typename F>
    bool Edit(const QString& text, F&& change);

Q_SIGNALS:
    void ToolChanged(TObjectTool tool);
    // The selection or the current object changed.
    void SelectionChanged();
    // A click released on an object (also each pasted object, at the
    // label's origin): the right button opens the object's popup menu at
    // globalPos. A locked object is not focused afterwards.
    void ObjectClicked(TLabelObject* object, Qt::MouseButton button, QPoint globalPos);
    void ObjectDoubleClicked(TLabelObject* object);
    // The object under the mouse; null when the mouse left it.
    void HoverChanged(TLabelObject* object);
    // The mouse position over the surface or the grey area, in label units.
    void MousePositionChanged(QPointF labelUnits);
    // An ordinary mouse release on the surface (not one that ends a creation
    // step); the main window refreshes its commands.
    void MouseReleased();
    void ZoomChanged(int percent);
    void PasteAvailableChanged(bool available);
    // A double click on the grey area around the label.
    void GreyAreaDoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows the document's design (at start and after Open replaced it).
    void AttachPlan();
    // Mouse and keys on the surface (DesignMouse.cpp).
    void PlanMousePress(QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods);
    void PlanMouseMove(QPoint pos, Qt::MouseButtons buttons);
    void PlanMouseRelease(QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers mods);
    void PlanDoubleClick();
    bool PlanKeyPress(int key, Qt::KeyboardModifiers mods);
    TLabelObject* ObjectAtMouse(QPoint pos, int& handle);
    void FinishCreation();
    void CancelNewObjectQuietly();
    // Forgets pointers to objects that someone else took off the plan.
    void CheckStale();
    void UpdateCursor(TLabelObject* hover, int handle);
    void ShowBand(QPoint a, QPoint b);
    void HideBand();
    // Forgets objects that left the plan (undo and redo rebuild it).
    void CheckObjects();
    void TrackHairlines(QWidget* from, QPoint pos);

    void Restack(int how);
    void Align(int how, const QString& text);
    void UpdatePasteState();
    void BeginEdit(const QString& text);
    void CommitEdit();

    TLabelDocument& FDocument;
    QScrollArea* SB_LabDes = nullptr;
    QWidget* FCanvas = nullptr;  // the grey area inside the scroll box
    TPlanSurface* FSurface = nullptr;  // the label on it
    TRuler* FHorzRuler = nullptr;
    TRuler* FVertRuler = nullptr;
    QLabel* Lab_Unit = nullptr;
    QRubberBand* FBand = nullptr;
    QAction* FToolActions[7] = {};
    int FUnits = 0;

    TObjectTool FTool = TObjectTool::Pointer;
    TLabelObject* FNewObject = nullptr;
    bool FNewObjectPlaced = false;
    bool FDragging = false;
    bool FBandActive = false;
    QPoint FBandStart;
    QPoint FLastMousePoint;
    TLabelObject* FPrevHover = nullptr;
    std::unique_ptr<TDocumentEdit> FEdit;  // the step a drag or a creation makes
    bool FOwnPush = false;
    bool FCanPaste = false;
};

// ----- Template implementation ------------------------------------------------

#include "engine/DocumentEdit.h"

template <typename F>
bool TDesignArea::Edit(const QString& text, F&& change)
{
    TDocumentEdit edit(FDocument, text);
    change();
    FOwnPush = true;
    const bool pushed = edit.Commit();
    FOwnPush = false;
    return pushed;
}
