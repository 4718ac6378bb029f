// TPlanText: a text from a constant, a datasheet column or a date/time
// function, stretched over its box (AutoFill) or laid out in it (formatted).
#pragma once

#include "document/DataOrigin.h"
#include "document/LabelObject.h"

#include <cstdint>

class TPlanText : public TLabelObject {
public:
    explicit TPlanText(TLabelPlan* plan);

    TPlanFont Font;                // a copy of the document's font at construction
    uint8_t Alignment = 2;         // 0 left, 1 right, 2 centre (formatted text)
    bool AutoFill = true;          // stretch the one-line text over the box
    QString DataValue;             // the text shown
    QString DataExpression;        // column caption or date/time function name
    uint8_t DataOrigin = doConstant;
    int32_t Angle = 0;             // degrees, clockwise on screen (formatted text)
    QString DataFormat;            // pattern applied with FormatText
    bool FormatText = false;       // show DataValue as a number through DataFormat

    // Each does nothing when the value is unchanged, else stores and invalidates.
    void SetText(const QString& text);
    void SetDataExpression(const QString& expression);
    void SetDataFormat(const QString& format);
    void SetAlignment(uint8_t alignment);
    void SetAngle(int angle);

    QString GetTypeName() const override;
    void StoreProperties() override;
    QRect GetBounds() override;
    bool CreationStep(int x, int y, int mode) override;
    bool IsContainer() const override { return false; }
    TLabelObject* Duplicate(TLabelObject* parent) override;
    void Draw(QPainter& canvas) override;
    bool HitBody(int x, int y) override;
    bool IsKnownProperty(const QString& key) const override;
    // As the rectangle's, with the top and bottom edge bands (3, 7) taken as
    // plain rectangles between the two x coordinates.
    bool HitHandle(int x, int y, int& handle) override;
    void MoveTo(QPoint mouse) override;
    void Invalidate() override;
    void ResizeByHandle(QPoint mouse) override;
    void LoadProperties() override;
};
