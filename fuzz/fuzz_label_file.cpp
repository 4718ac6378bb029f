// Label files (.blf): header, plan block, datasheet block.
#include "FuzzSupport.h"

#include "engine/datasheet/Datasheet.h"
#include "document/LabelFile.h"
#include "document/LabelPlan.h"

#include <exception>

TAGMORA_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static TLabelPlan* plan = new TLabelPlan;
    static TDatasheet* datasheet = new TDatasheet;
    plan->NewLabel();
    datasheet->ResetDatasheet();
    try {
        OpenLabelFile(FuzzInputFile(data, size, ".blf"), *plan, *datasheet);
    } catch (const std::exception&) {
        // Reported to the user; what was read stays.
    }
    plan->SavePlanToBytes();
    datasheet->WriteBlock();
    return 0;
}
