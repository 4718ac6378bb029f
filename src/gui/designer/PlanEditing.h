// The design surface's editing operations without any window: selection,
// alignment, stacking order, lock, delete, keyboard moves and the clipboard
// text. The design area wraps each in one undoable step.
#pragma once

#include <QList>
#include <QPoint>
#include <QString>

class TLabelObject;
class TLabelPlan;

// The first line of clipboard text that holds label objects.
inline constexpr char kClipboardMarker[] = "Barcode Label Object Data";

enum class TAlignment { Left, Right, Top, Bottom, HorzCenter, VertCenter };
enum class TStacking { SendBackward, BringForward, SendToBottom, BringToTop };

// The selected objects of the first layer, in list order.
QList<TLabelObject*> SelectedObjects(TLabelPlan& plan);
// Whether the object sits on a hidden or locked layer, or is locked itself.
bool IsLocked(const TLabelObject* object);
// The ordered rectangle of the object in plan units (a polygon's points' extent).
struct TPlanExtent {
    int left = 0, top = 0, right = 0, bottom = 0;
};
TPlanExtent PlanExtent(const TLabelObject* object);
// Moves the object and its children by (dx, dy) plan units.
void ShiftObject(TLabelObject* object, int dx, int dy);
// Plan units of an object that stay on the label whatever moves it (all of
// it when it is smaller), so that it can always be seen and picked again.
inline constexpr int kReachablePart = 10;
// Shifts the object (and its children) as little as needed for kReachablePart
// of it to lie on the label across and down; answers whether it moved.
bool KeepOnLabel(const TLabelPlan& plan, TLabelObject* object);
// Whether the object is still on one of the plan's layers (objects go away
// when undo rebuilds the plan).
bool IsOnPlan(TLabelPlan& plan, const TLabelObject* object);

// Clears every selection flag on every layer; answers whether one was set.
bool DeselectAll(TLabelPlan& plan);
// Selects every unlocked object of every layer whose bounds meet the pixel
// rectangle spanned by a and b.
void SelectInRect(TLabelPlan& plan, QPoint a, QPoint b);
// Selects every unlocked, visible object of the active layer; the top-most of
// them becomes the current object unless the current one is among them.
void SelectAllObjects(TLabelPlan& plan);

// Aligns the selected objects of the first layer (two at least): edges on the
// outermost edge, centres on the middle of the selection's extent. Answers
// whether anything moved.
bool AlignSelected(TLabelPlan& plan, TAlignment alignment);
// Restacks the object within its layer; answers whether the order changed.
bool Restack(TLabelObject* object, TStacking how);
// Locks the current object and every selected object of the first layer,
// unfocusing and deselecting them; no current object remains.
bool LockSelected(TLabelPlan& plan);
// Unlocks every object of the first layer.
bool UnlockAll(TLabelPlan& plan);
// Releases every selected or focused object of the first layer.
bool DeleteSelected(TLabelPlan& plan);
// Moves the selected and the current object, when unlocked, by (dx, dy) plan
// units, each kept on the label (KeepOnLabel).
bool MoveSelectedBy(TLabelPlan& plan, int dx, int dy);

// The clipboard text of the selected and focused objects of the first layer
// (the marker line, then their plan-text sections, CR LF after every line);
// empty when nothing is selected and there is no current object. Objects
// whose container is copied too travel inside it. `copied` receives the
// objects written.
QString ClipboardText(TLabelPlan& plan, QList<TLabelObject*>* copied = nullptr);
// Whether the text starts with the marker line.
bool IsClipboardText(const QString& text);
// Pastes clipboard text: unfocuses the current object and clears the
// selection, then (when the text carries the marker) creates its objects,
// each complete object selected and moved offsetPixels right and down.
// Containers keep their children. Throws ELabelPlanException ("Invalid
// object: " + name) for an unknown type; what was pasted before stays.
// Answers the number of objects pasted.
int PasteClipboardText(TLabelPlan& plan, const QString& text, int offsetPixels = 8);
