// Shape objects: line, rectangle, ellipse and the composite container.
#pragma once

#include "document/LabelObject.h"
#include "document/RectObject.h"

// A straight line from (X1, Y1) to (X2, Y2).
class TPlanLine : public TLabelObject {
public:
    explicit TPlanLine(TLabelPlan* plan);
    QString GetTypeName() const override;
    void StoreProperties() override;
    QRect GetBounds() override;
    bool CreationStep(int x, int y, int mode) override;
    QRegion CreateRegion() override;  // empty
    bool IsContainer() const override { return false; }
    TLabelObject* Duplicate(TLabelObject* parent) override;
    void Draw(QPainter& canvas) override;
    bool HitBody(int x, int y) override;
    bool IsKnownProperty(const QString& key) const override;
    // 1/3 at the first end point, 5/7 at the second (by which lies left).
    bool HitHandle(int x, int y, int& handle) override;
    void MoveTo(QPoint mouse) override;
    void Invalidate() override;
    void ResizeByHandle(QPoint mouse) override;
};

// A rectangle, optionally with rounded corners; base of picture and composite.
class TPlanBox : public TRectObject {
public:
    explicit TPlanBox(TLabelPlan* plan);
    int32_t CornerRadius = 0;  // plan units; 0 or less = square corners
    void SetCornerRadius(int radius);

    QString GetTypeName() const override;
    // The corners, then "CornerRadius".
    void StoreProperties() override;
    TLabelObject* Duplicate(TLabelObject* parent) override;
    void Draw(QPainter& canvas) override;
    void LoadProperties() override;
};

// An ellipse filling the rectangle of its corner points.
class TPlanCircle : public TRectObject {
public:
    explicit TPlanCircle(TLabelPlan* plan);
    QString GetTypeName() const override;
    TLabelObject* Duplicate(TLabelObject* parent) override;
    void Draw(QPainter& canvas) override;
};

// A rectangular container; its children follow in its plan-text section.
// Pen, brush, focus and highlight go to the children.
class TPlanCompositeObject : public TPlanBox {
public:
    explicit TPlanCompositeObject(TLabelPlan* plan);
    void SetPen(const TPlanPen& pen) override;
    void SetBrush(const TPlanBrush& brush) override;
    void SetFocused(bool value) override;
    QString GetTypeName() const override;
    bool IsContainer() const override { return true; }
    // A composite with copies of its children.
    TLabelObject* Duplicate(TLabelObject* parent) override;
    void Draw(QPainter& canvas) override;
    void Focus() override;
    void SetHighlightColor(TColor color) override;
    void Unfocus() override;
    void ClearHighlight() override;
};
