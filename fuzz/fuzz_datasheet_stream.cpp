// The datasheet block of a label file: read, written, and read again to the
// same grid.
#include "FuzzSupport.h"

#include "engine/datasheet/DatasheetStream.h"
#include "engine/datasheet/StringGrid.h"

#include <exception>

TAGMORA_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TAdvStringGrid grid;
    try {
        ReadDatasheetStream(grid, FuzzBytes(data, size));
    } catch (const std::exception&) {
        // Reported to the user; the grid keeps what was read.
    }
    const QByteArray once = WriteDatasheetStream(grid);
    TAdvStringGrid again;
    ReadDatasheetStream(again, once);
    if (WriteDatasheetStream(again) != once)
        abort();  // a datasheet would change each time its label is saved
    return 0;
}
