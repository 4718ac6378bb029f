// Delimited text imports (.txt, .csv).
#include "FuzzSupport.h"

#include "engine/datasheet/DelimitedText.h"
#include "engine/datasheet/StringGrid.h"

#include <exception>

TAGMORA_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TAdvStringGrid grid;
    try {
        LoadDelimitedTextBytes(reinterpret_cast<const char*>(data), qsizetype(size), grid);
    } catch (const std::exception&) {
        // Refused with a message.
    }
    return 0;
}
