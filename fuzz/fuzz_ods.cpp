// OpenDocument spreadsheets (.ods): the zip package and its XML parts.
#include "FuzzSupport.h"

#include "datasheet/OfficeXmlImport.h"
#include "datasheet/StringGrid.h"

#include <exception>

TAGMORA_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TAdvStringGrid grid;
    try {
        LoadOdsSheet(FuzzInputFile(data, size, ".ods"), grid);
    } catch (const std::exception&) {
        // Refused with a message.
    }
    return 0;
}
