// Reading import files through libraries that are not safe against damaged
// input: the library runs in a guarded child process (document/GuardedChild.h)
// and a child that dies, stalls or sends a malformed frame makes the importer
// report the file as damaged.
#pragma once

#include "document/GuardedChild.h"

#ifdef TAGMORA_GUARDED_CHILD
#define TAGMORA_GUARDED_READER 1

#include <memory>

// The importer's end: starts the child and hands out its frames.
class TGuardedReader {
public:
    // Forks a child that runs `childMain` with stderr silenced, the C
    // locale's numbers, an address space limit 1 GB above this process's and
    // kCpuSeconds of processor time; the child sends `frameDone` ('Z') after
    // `childMain` returns.
    TGuardedReader(const std::function<void(TFrameWriter&)>& childMain, int stallTimeoutMs);
    ~TGuardedReader();
    TGuardedReader(const TGuardedReader&) = delete;
    TGuardedReader& operator=(const TGuardedReader&) = delete;

    static constexpr char frameDone = TGuardedChild::frameDone;
    // The processor time a reader may take: far more than any file that
    // passed the importers' checks needs, so only a reader gone round in
    // circles meets it.
    static constexpr int kCpuSeconds = 10;

    // Waits for the next frame; false at the end of the stream. Calls
    // Damaged() when the child stalls longer than the timeout or sends a
    // frame over 64 MB.
    bool Next(char& kind, QByteArray& payload);
    // Bytes received so far.
    qint64 Received() const { return FChild->Received(); }
    // Waits for the child to end; true when it ended normally.
    bool Finish() { return FChild->Finish(); }
    // Stops the child and throws EImportError with an empty message: the
    // caller words what the user is told.
    [[noreturn]] bool Damaged();

private:
    std::unique_ptr<TGuardedChild> FChild;
};

#endif  // TAGMORA_GUARDED_CHILD
