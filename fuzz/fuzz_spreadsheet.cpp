// Spreadsheets, one target per format (TAGMORA_FUZZ_LOADER reads files of
// suffix TAGMORA_FUZZ_SUFFIX): .xls (the workbook scan here, the cell library
// in its guarded child), .xlsx and .ods (zip packages of XML parts).
#include "FuzzSupport.h"

#include "engine/datasheet/OfficeXmlImport.h"
#include "engine/datasheet/SpreadsheetImport.h"
#include "engine/datasheet/StringGrid.h"

#include <exception>

TAGMORA_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TAdvStringGrid grid;
    try {
        TAGMORA_FUZZ_LOADER(FuzzInputFile(data, size, TAGMORA_FUZZ_SUFFIX), grid);
    } catch (const std::exception&) {
        // Refused with a message.
    }
    return 0;
}
