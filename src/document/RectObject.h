// TRectObject: the base of the label objects whose shape is the rectangle of
// their two corner points (rectangle, ellipse, composite, picture, text,
// barcode). It answers the geometry once for all of them: bounds, hit tests,
// the eight handles, moving, resizing, interactive creation, repainting, and
// the corner keys of the properties. It adds no virtual operations of its
// own; the slots are those of TLabelObject.
#pragma once

#include "document/LabelObject.h"

class TRectObject : public TLabelObject {
public:
    // Writes the base fields, then "X1", "Y1", "X2", "Y2".
    void StoreProperties() override;
    // The corner rectangle in pixels as NormalizedRect gives it (widened by
    // HandleTolerance), widened further by half the pen width.
    QRect GetBounds() override;
    // The first click sets both corners, later moves the second; done after
    // two clicks.
    bool CreationStep(int x, int y, int mode) override;
    bool IsContainer() const override { return false; }
    // Inside NormalizedRect of the corners (edges included).
    bool HitBody(int x, int y) override;
    // The base keys and the corner keys.
    bool IsKnownProperty(const QString& key) const override;
    // 2/4/6/8 at the corners, 3/5/7/1 on the edges.
    bool HitHandle(int x, int y, int& handle) override;
    void MoveTo(QPoint mouse) override;
    // NormalizedRect of the corners grown by the pen width and HandleTolerance
    // (nothing while Destroying).
    void Invalidate() override;
    // Moves the corner or edge of the plan's grabbed handle to the mouse
    // (nothing when not Resizable).
    void ResizeByHandle(QPoint mouse) override;

    // The four corner handles.
    void DrawRectHandles(QPainter& canvas) const;

protected:
    explicit TRectObject(TLabelPlan* plan) : TLabelObject(plan) {}
    ~TRectObject() override = default;

    // HitHandle's test; without widenTopBottom the top and bottom edge bands
    // (3, 7) are plain rectangles between the two x coordinates instead of
    // reaching HandleTolerance beyond them.
    bool RectHitHandle(int x, int y, int& handle, bool widenTopBottom);
};
