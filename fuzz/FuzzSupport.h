// Shared pieces of the libFuzzer targets: the application object every
// target needs (fonts and images on the offscreen platform) and inputs
// as files for the readers that take a path.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// Creates the QGuiApplication once, on the offscreen platform.
void FuzzStartApplication();

// The input as a file with the given suffix (".xls", ".mdb"); the same path
// is rewritten for every input of a run.
QString FuzzInputFile(const uint8_t* data, size_t size, const char* suffix);

inline QByteArray FuzzBytes(const uint8_t* data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Every target: the application is made before the first input.
#define TAGMORA_FUZZ_INIT                              \
    extern "C" int LLVMFuzzerInitialize(int*, char***) \
    {                                                  \
        FuzzStartApplication();                        \
        return 0;                                      \
    }
