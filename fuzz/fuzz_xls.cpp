// Excel 97-2003 workbooks (.xls): the workbook scan here, the cell library in its guarded child.
#include "FuzzSupport.h"

#include "datasheet/SpreadsheetImport.h"
#include "datasheet/StringGrid.h"

#include <exception>

TAGMORA_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TAdvStringGrid grid;
    try {
        LoadSpreadsheet(FuzzInputFile(data, size, ".xls"), grid);
    } catch (const std::exception&) {
        // Refused with a message.
    }
    return 0;
}
