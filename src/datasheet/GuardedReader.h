// Reading files through libraries that are not safe against damaged input.
//
// The library runs in a child process that sends its results back through a
// pipe as frames (a kind byte, a 32-bit little-endian length, the payload).
// A child that dies, stalls or sends a malformed frame is stopped, and the
// importer reports the file as damaged; this process never runs the
// library's code on the file.
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <functional>
#include <string>

#ifdef Q_OS_UNIX
#define TAGMORA_GUARDED_READER 1

#include <sys/types.h>

// The child's end of the pipe: frames are buffered and written in chunks.
class TFrameWriter {
public:
    explicit TFrameWriter(int fd) : FFd(fd) {}
    void Send(char kind, const char* data, size_t size);
    void Send(char kind, const std::string& s) { Send(kind, s.data(), s.size()); }
    // Writes what is buffered; ends the child when the importer is gone.
    void Flush();

private:
    int FFd;
    std::string FBuffer;
};

// A 32-bit length as the frames carry it, appended to `out`.
void AppendFrameU32(std::string& out, quint32 value);
// Reads a frame length at p (4 bytes).
quint32 FrameU32(const char* p);

// The importer's end: starts the child and hands out its frames.
class TGuardedReader {
public:
    // Forks a child that runs `childMain` with stderr silenced, an address
    // space limit 2 GB above this process's and the C locale's numbers; the
    // child sends `frameDone` ('Z') after `childMain` returns.
    TGuardedReader(const std::function<void(TFrameWriter&)>& childMain, int stallTimeoutMs);
    ~TGuardedReader();
    TGuardedReader(const TGuardedReader&) = delete;
    TGuardedReader& operator=(const TGuardedReader&) = delete;

    static constexpr char frameDone = 'Z';

    // Waits for the next frame; false at the end of the stream. Calls
    // Damaged() when the child stalls longer than the timeout or sends a
    // frame over 64 MB.
    bool Next(char& kind, QByteArray& payload);
    // Bytes received so far.
    qint64 Received() const { return FReceived; }
    // Waits for the child to end; true when it ended normally.
    bool Finish();
    // Stops the child and throws EImportError with an empty message: the
    // caller words what the user is told.
    [[noreturn]] bool Damaged();

private:
    bool Fill();
    void CloseFd();
    void Stop();

    pid_t FPid = -1;
    int FFd = -1;
    int FStallTimeoutMs;
    QByteArray FBuffer;
    qsizetype FPos = 0;
    qint64 FReceived = 0;
};

#endif  // Q_OS_UNIX
