// Access databases (.mdb): the table list and the first table, each read by
// the database library in its guarded child.
#include "FuzzSupport.h"

#include "engine/datasheet/AccessImport.h"
#include "engine/datasheet/StringGrid.h"

#include <exception>

TAGMORA_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = FuzzInputFile(data, size, ".mdb");
    TAdvStringGrid grid;
    try {
        const QStringList tables = AccessUserTables(path);
        if (!tables.isEmpty())
            LoadAccessTable(path, tables.first(), grid);
    } catch (const std::exception&) {
        // Refused with a message.
    }
    return 0;
}
