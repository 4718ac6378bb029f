// TPlanText: a text from a constant, a datasheet column or a date/time
// function, stretched over its box (AutoFill) or laid out in it (formatted).
#pragma once

#include "document/DataOrigin.h"
#include "document/RectObject.h"

#include <QRectF>

#include <cstdint>
#include <memory>

class QDateTime;
struct TTextDrawCache;

class TPlanText : public TRectObject {
public:
    explicit TPlanText(TLabelPlan* plan);
    TPlanText(const TPlanText&) = delete;
    TPlanText& operator=(const TPlanText&) = delete;

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

    // The text shown at the given moment: for data origin 2 with a known
    // date/time function the date or time (also stored in DataValue), else
    // with FormatText DataValue through DataFormat (DataValue itself when it
    // is no number or the pattern is refused), else DataValue.
    QString DisplayedText(const QDateTime& now);
    // Where AutoFill stretches the one-line text: the box of the corner points
    // widened by 3 pixels on every side, [l - 3, r + 3) x [t - 3, b + 3).
    QRectF AutoFillTarget() const;
    // The pixel size formatted text is drawn with: the font height taken as
    // plan units, scaled to the surface (at least 1).
    int FormattedPixelSize() const;

    QString GetTypeName() const override;
    // The corners, then the font, alignment, data and format fields.
    void StoreProperties() override;
    TLabelObject* Duplicate(TLabelObject* parent) override;
    void Draw(QPainter& canvas) override;
    bool IsKnownProperty(const QString& key) const override;
    // As the rectangle's, with the top and bottom edge bands (3, 7) taken as
    // plain rectangles between the two x coordinates.
    bool HitHandle(int x, int y, int& handle) override;
    // The box's area and where the last drawing painted beyond it.
    void Invalidate() override;
    void LoadProperties() override;

    ~TPlanText() override;  // out of line: the draw cache is defined in the source

private:
    void DrawAutoFill(QPainter& canvas, const QString& text);
    void DrawFormatted(QPainter& canvas, const QString& text);
    void DrawPlaceholder(QPainter& canvas);

    // What drawing keeps from one time to the next: the AutoFill outlines and
    // their picture on screen, the formatted layout (TextObject.cpp).
    std::unique_ptr<TTextDrawCache> FCache;
    // Where the last screen drawing put ink beyond the box (overhanging
    // lines, turned text), repainted with the box.
    QRect FPaintedRect;
};
