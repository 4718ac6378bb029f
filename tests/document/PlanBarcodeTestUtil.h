// Helpers of the barcode object tests: a label surface sized for output at a
// resolution, barcode objects on it, and painting them into images.
#pragma once

#include "document/PlanBarcode.h"
#include "document/LabelPlan.h"
#include "document/MGraph.h"

#include <QImage>
#include <QPainter>

namespace testsupport {

// The label as the print job sizes it: ScaleX / 72 * dpi by ScaleY / 72 * dpi
// pixels, PntDPI = dpi.
class TOutputSurface {
public:
    // PntDPI may be set apart afterwards (the screen at 100 % zoom is the
    // surface at 72 dpi, the output resolution stays the printer's).
    TOutputSurface(int scaleX, int scaleY, int dpi, bool printing = false) : dpi(dpi)
    {
        plan.PntDPI = dpi;
        plan.Printing = printing;
        Resize(scaleX, scaleY);
    }
    void Resize(int scaleX, int scaleY)
    {
        plan.ScaleX = scaleX;
        plan.ScaleY = scaleY;
        plan.SetViewSize(Round(scaleX / 72.0 * dpi), Round(scaleY / 72.0 * dpi));
    }
    // A barcode object on the first layer with the given box (plan units).
    TPlanBarcode* Add(TBarcodeType type, const QString& code, int x1, int y1, int x2, int y2)
    {
        auto* b = new TPlanBarcode(&plan);
        b->LoadProperties();  // joins its layer, which frees it
        b->Barcode.SetTyp(type);
        b->DataValue = code;
        b->X1 = x1;
        b->Y1 = y1;
        b->X2 = x2;
        b->Y2 = y2;
        b->UpdateMillimetres();
        return b;
    }
    // The object drawn onto a white image of the surface's size.
    QImage Paint(TLabelObject& object, QImage::Format format = QImage::Format_RGB32)
    {
        QImage image(plan.ViewSize(), format);
        image.fill(Qt::white);
        QPainter painter(&image);
        object.Draw(painter);
        return image;
    }

    int dpi;  // of the surface
    TLabelPlan plan;
};

}  // namespace testsupport
