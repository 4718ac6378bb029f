// TLabelObject: the abstract label object every kind derives from (line,
// rectangle, ellipse, polygon, composite, text, picture, barcode).
//
// Coordinates X1, Y1, X2, Y2 are plan units (points, 1/72 inch) and are not
// kept ordered. Pixel values are view pixels of the owning TLabelPlan: a plan
// point x maps to Round(plan width / ScaleX * x). Rectangles in pixels use
// QRect with inclusive edges (left() <= x <= right()).
//
// Objects are created with new and freed only through Release(), which unlinks
// them from their layer, their parent and the document's current object first.
#pragma once

#include "document/PlanValues.h"
#include "document/PropertyList.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

class QPainter;
class TLabelPlan;
class TPlanLayer;

// Widest outline drawn, in pixels (a pen width read from a file may be anything).
constexpr int kMaxPenPixels = 1 << 16;

// Pixel positions of the two corner points when the drag origin was last saved.
struct TDragOrigin {
    QPoint P1;
    QPoint P2;
};

class TLabelObject {
public:
    // ----- Virtual operations, in their fixed slot order -------------------
    virtual void SetPen(const TPlanPen& pen);                       // 0
    virtual void SetBrush(const TPlanBrush& brush);                 // 1
    virtual void SetLayer(TPlanLayer* layer);                       // 2
    virtual void SetFocused(bool value);                            // 3
    virtual void SetSelected(bool value);                           // 4
    // "Line", "Rectangle", "Ellipse", "Text", "Picture", "Barcode", "Polygon",
    // "Composite"; the base answers the "ObjectType" property.
    virtual QString GetTypeName() const;                            // 5
    // Writes the fields into Properties; subclasses call the base first.
    virtual void StoreProperties();                                 // 6
    // The area the object covers, in pixels.
    virtual QRect GetBounds() = 0;                                  // 7
    virtual void DrawChildren(QPainter& canvas);                    // 8
    // One mouse event of interactive creation (mode 0 down, 1 move, 2 up);
    // true when the object wants further events.
    virtual bool CreationStep(int x, int y, int mode) = 0;          // 9
    // A region equal to GetBounds (the line's is empty).
    virtual QRegion CreateRegion();                                 // 10
    // Appends the object's plan-text section, children included.
    virtual void WriteSection(int indent, QStringList& lines);      // 11
    virtual bool IsContainer() const = 0;                           // 12
    // A copy on the same document, attached to parent, 4 units right and down.
    virtual TLabelObject* Duplicate(TLabelObject* parent) = 0;      // 13
    // Slot 14 is the constructor: every class takes the document as its only
    // argument (TPlanLine(TLabelPlan* plan) ...). The destructor is protected:
    // use Release().
    virtual void Draw(QPainter& canvas) = 0;                        // 15
    virtual void Release();                                         // 16
    virtual bool HitBody(int x, int y) = 0;                         // 17
    // True when the upper-cased key is one the class reads or writes.
    virtual bool IsKnownProperty(const QString& key) const;         // 18
    virtual bool HitHandle(int x, int y, int& handle) = 0;          // 19
    // Moves the object so that its corners are DragOrigin + (mouse - plan's
    // DownPoint); the base moves the children.
    virtual void MoveTo(QPoint mouse);                              // 20
    // Asks the surface to repaint the object's area.
    virtual void Invalidate() = 0;                                  // 21
    virtual TLabelObject* HitChild(int x, int y, int& handle);      // 22
    virtual void Rescale();                                         // 23
    // Resizes by the plan's grabbed handle (TLabelPlan::GrabbedHandle).
    virtual void ResizeByHandle(QPoint mouse) = 0;                  // 24
    virtual void Focus();                                           // 25
    virtual void SetHighlightColor(TColor color);                   // 26
    virtual void Unfocus();                                         // 27
    virtual void ClearHighlight();                                  // 28
    // Reads the fields back from Properties; subclasses call the base first.
    virtual void LoadProperties();                                  // 29

    // ----- Fields ----------------------------------------------------------
    int32_t Index = 0;             // stored under "Index"; no other use
    QString Name;                  // stored under "Name"; no other use
    int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    TDragOrigin DragOrigin;
    // The ordered rectangle of the corners in millimetres, rounded to 0.001;
    // kept for the properties panel. Change them through the setters below.
    double LeftMM = 0, TopMM = 0, WidthMM = 0, HeightMM = 0;
    TPlanPen Pen;                  // outline; Width is the pixel width of the last drawing
    int32_t PenWidth = 1;          // outline width in plan units
    TPlanBrush Brush;
    TColor HighlightColor = -1;    // replaces the pen colour when not -1
    bool Visible = true;
    bool Resizable = true;
    bool Destroying = false;
    bool ReadOnly = false;         // change through SetReadOnly
    TPropertyList Properties;
    int16_t Cursor = 0;            // cursor shown over the object (0 = default)

    // ----- Non-virtual operations ------------------------------------------
    TLabelPlan* Plan() const { return FPlan; }
    // Expires when the object is freed: for a window that holds the object
    // across a modal loop, in which the label may be replaced.
    std::weak_ptr<const void> Lifetime() const { return FLifetime; }
    TLabelObject* Parent() const { return FParent; }
    TPlanLayer* Layer() const { return FLayer; }
    bool Focused() const { return FFocused; }
    bool Selected() const { return FSelected; }

    void SetReadOnly(bool value);
    // Moves the object from its parent's children to container's (none allowed).
    // A container that is the object itself or one of its descendants is refused.
    void SetParent(TLabelObject* container);
    int ChildCount() const { return int(FChildren.size()); }
    TLabelObject* Child(int index) const { return FChildren.value(index); }
    const QList<TLabelObject*>& Children() const { return FChildren; }

    // Corner points in view pixels.
    QPoint P1Pixels() const;
    QPoint P2Pixels() const;
    void SaveDragOrigin();
    // Set a corner from a pixel point; a coordinate equal to the current pixel
    // value is not converted back, so it does not drift by rounding.
    void SetP1FromPixels(QPoint p);
    void SetP2FromPixels(QPoint p);

    void SetX1(int value);
    void SetY1(int value);
    void SetX2(int value);
    void SetY2(int value);
    void SetLeftMM(double value);
    void SetTopMM(double value);
    void SetWidthMM(double value);
    void SetHeightMM(double value);
    // Recomputes the millimetre caches from the ordered corner rectangle.
    void UpdateMillimetres();

    // Stacking order within the layer.
    void SendBackward();
    void BringForward();
    void SendToBottom();
    void BringToTop();

    // The handle condition: handles are drawn when the document is neither
    // printing nor read-only, the object is focused or selected, its layer is
    // not locked and it is not read-only.
    bool ShowsHandles() const;
    // Paints handle squares (pixels x - 3 .. x + 2, y - 3 .. y + 2) around the
    // given pixel points when ShowsHandles()
    // holds: outline in the plan's SelectColor (solid, width 1), filled with
    // SelectFillColor for the current object (or always, with fillAsCurrent),
    // else white. The painter's pen and brush are restored.
    void DrawHandles(QPainter& canvas, const QList<QPoint>& points, bool fillAsCurrent = false) const;
    // Pixel width of the outline as drawn at the current view scale.
    int ScaledPenWidth() const;
    // The common start of every Draw: false while the document's update lock
    // is held, when the object's layer is hidden or the object is not Visible.
    bool DrawAllowed() const;

protected:
    explicit TLabelObject(TLabelPlan* plan);
    virtual ~TLabelObject();   // (slot 14's place in the table of operations)

    // Duplicate's common part: copy is a fresh object of the wanted class.
    // Stores this object's properties, attaches the copy to parent, copies the
    // lines without "Name" and with "ID=0", loads them and moves the copy's
    // corners by (4, 4).
    TLabelObject* DuplicateInto(TLabelObject* copy, TLabelObject* parent);
    // Orders the corners so that (X1, Y1) is top-left.
    void OrderCorners();
    // Removes the object from its layer's list / appends it.
    void DetachFromLayer();
    void AttachToLayer();
    // Called by SaveDragOrigin after it stored the corner pixels (the polygon
    // saves its vertex pixels too).
    virtual void DragOriginSaved() {}
    // Sets the Focused flag alone (containers focus their children themselves).
    void StoreFocused(bool value) { FFocused = value; }
    // Writes "X1", "Y1", "X2", "Y2" into Properties.
    void StoreCorners();
    static bool IsCornerKey(const QString& upperKey);

    // The handle square around a pixel point (HandleTolerance on every side).
    static QRect HandleSquare(QPoint p);
    static bool InHandleSquare(QPoint centre, int x, int y);

    // Geometry of the two corner points shared by the line and the rectangle
    // family (TRectObject): bounds, repainting, creation and the move.
    QRect RectGetBounds();
    void RectInvalidate();
    bool RectCreationStep(int x, int y);
    // Moves both corners to DragOrigin + (mouse - DownPoint), honouring the
    // parent's region under poChildrenClipping; then moves the children.
    void MoveCorners(QPoint mouse);

private:
    TLabelPlan* FPlan;
    const std::shared_ptr<const int> FLifetime = std::make_shared<const int>(0);
    TLabelObject* FParent = nullptr;
    QList<TLabelObject*> FChildren;
    TPlanLayer* FLayer = nullptr;
    bool FFocused = false;
    bool FSelected = false;
    bool FListed = false;  // a member of its layer's list

    friend class TLabelPlan;
    friend class TPlanLayer;
};
