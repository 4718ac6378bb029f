// TPlanBarcode: the label object that shows a barcode. Its box is the
// rectangle of its corners in plan units; bar height and module width are
// pixels of the document's output resolution PntDPI. The symbology settings
// are plain fields named by their plan-text keys.
#pragma once

#include "document/DataOrigin.h"
#include "document/LabelObject.h"

#include <cstdint>

class TPlanBarcode : public TLabelObject {
public:
    // Takes the document's DefaultBarcodeType; Modul is 0.34 mm and BarHeight
    // 15 mm at PntDPI (4 and 177 pixels at 300 dpi).
    explicit TPlanBarcode(TLabelPlan* plan);

    TPlanFont Font;                 // human-readable text: "Verdana", 6 points
    QString DataValue;              // the code text
    QString DataExpression;         // column name (origin 1) or function name (origin 2)
    uint8_t DataOrigin = doConstant;
    bool AutoCenter = false;        // centre the symbol in the box

    // Barcode settings ("BarType", "BarHeight", ... keys).
    int32_t BarType = 3;            // symbology ordinal (0..24)
    int32_t BarHeight = 0;          // bar height, pixels at PntDPI
    double Angle = 0;               // degrees, counter-clockwise
    int32_t Left = 0, Top = 0;      // symbol origin, pixels (recomputed when drawn)
    int32_t Modul = 1;              // narrow element width, pixels; only 1..49 are taken
    double BarRatio = 2.0;          // wide / narrow element ratio
    int32_t Align = 3;              // human-readable text position ordinal (3 = bottom left)
    int32_t ShowText = 1;           // human-readable text option ordinal (1 = the code)
    bool CheckSum = false;          // add the optional check digits

    // Store the value when it differs, invalidating before and after.
    void SetDataValue(const QString& value);
    void SetDataExpression(const QString& expression);
    // Module width setter: values outside 1..49 are ignored.
    void SetModul(int modul);

    QString GetTypeName() const override;
    void StoreProperties() override;
    QRect GetBounds() override;
    bool CreationStep(int x, int y, int mode) override;
    bool IsContainer() const override { return false; }
    TLabelObject* Duplicate(TLabelObject* parent) override;
    void Draw(QPainter& canvas) override;
    bool HitBody(int x, int y) override;
    bool IsKnownProperty(const QString& key) const override;
    bool HitHandle(int x, int y, int& handle) override;
    void MoveTo(QPoint mouse) override;
    void Invalidate() override;
    void ResizeByHandle(QPoint mouse) override;
    void LoadProperties() override;
};
