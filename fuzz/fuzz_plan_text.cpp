// Plan text as a label's first block or the clipboard carries it: read,
// drawn, written, and read again to the same text.
#include "FuzzSupport.h"

#include "document/LabelPlan.h"

#include <QImage>
#include <QPainter>

#include <exception>

TAGMORA_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static TLabelPlan* plan = new TLabelPlan;
    plan->NewLabel();
    try {
        plan->LoadPlanFromBytes(FuzzBytes(data, size));
    } catch (const std::exception&) {
        // Reported to the user; what was read stays and must still work.
    }
    plan->Printing = true;
    plan->SetViewSize(160, 120);
    QImage canvas(160, 120, QImage::Format_RGB32);
    {
        QPainter painter(&canvas);
        try {
            plan->PaintTo(painter);
        } catch (const std::exception&) {
            // A barcode whose text does not encode.
        }
    }
    plan->Printing = false;
    const QByteArray once = plan->SavePlanToBytes();
    plan->LoadPlanFromBytes(once);
    if (plan->SavePlanToBytes() != once)
        abort();  // a label would change each time it is saved
    return 0;
}
