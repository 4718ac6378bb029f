// Running library code that is not safe against damaged input.
//
// The code runs in a child process that sends its results back through a
// pipe as frames (a kind byte, a 32-bit little-endian length, the payload).
// A child that dies, stalls, overruns its time or sends a malformed frame is
// stopped and the caller gets EGuardedChild; this process never runs the
// library's code on the untrusted bytes.
#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <stdexcept>
#include <string>

#ifdef Q_OS_UNIX
#define TAGMORA_GUARDED_CHILD 1

#include <sys/types.h>

// A guarded child was stopped; what() says why in a few words.
class EGuardedChild : public std::runtime_error {
public:
    explicit EGuardedChild(const QString& why) : std::runtime_error(why.toStdString()) {}
};

// The child's end of the pipe: frames are buffered and written in chunks.
class TFrameWriter {
public:
    explicit TFrameWriter(int fd) : FFd(fd) {}
    void Send(char kind, const char* data, size_t size);
    void Send(char kind, const std::string& s) { Send(kind, s.data(), s.size()); }
    void Send(char kind, const QByteArray& b) { Send(kind, b.constData(), size_t(b.size())); }
    // Writes what is buffered; ends the child when the parent is gone.
    void Flush();

private:
    int FFd;
    std::string FBuffer;
};

// A 32-bit length as the frames carry it, appended to `out`.
void AppendFrameU32(std::string& out, quint32 value);
// Reads a frame length at p (4 bytes).
quint32 FrameU32(const char* p);

struct TGuardedLimits {
    // Address space the child may map beyond what this process has mapped;
    // never more than this process's own limit.
    qint64 ExtraAddressSpace = qint64(2) << 30;
    // Processor seconds (0 = no limit).
    int CpuSeconds = 0;
    // Longest wait for the next frame.
    int StallTimeoutMs = 10000;
    // Longest the whole run may take (0 = no limit).
    int TotalTimeoutMs = 0;
};

// The parent's end: starts the child and hands out its frames.
class TGuardedChild {
public:
    // Forks a child that runs `childMain` with stderr silenced and the given
    // limits; the child sends `frameDone` ('Z') after `childMain` returns.
    TGuardedChild(const std::function<void(TFrameWriter&)>& childMain, const TGuardedLimits& limits);
    ~TGuardedChild();
    TGuardedChild(const TGuardedChild&) = delete;
    TGuardedChild& operator=(const TGuardedChild&) = delete;

    static constexpr char frameDone = 'Z';
    // Frames larger than this are taken as a sign of a confused child.
    static constexpr quint32 kMaxFrameBytes = 64u << 20;

    // Waits for the next frame; false at the end of the stream. Throws
    // EGuardedChild when the child stalls or overruns its time, or sends a
    // frame over kMaxFrameBytes.
    bool Next(char& kind, QByteArray& payload);
    // The same without waiting, for a caller that watches Fd() for input:
    // false when no whole frame has arrived yet; *ended turns true at the
    // end of the stream. Throws like Next when the child overran its time
    // or has sent nothing for longer than the stall timeout.
    bool TryNext(char& kind, QByteArray& payload, bool* ended);
    // The pipe the frames arrive on (-1 once it is closed).
    int Fd() const { return FFd; }
    // Bytes received so far.
    qint64 Received() const { return FReceived; }
    // Children started by this process so far.
    static int StartedCount();
    // Waits for the child to end; true when it ended normally.
    bool Finish();
    // After Finish(): the signal that ended the child (SIGXCPU when it ran
    // out of processor time), 0 when it exited.
    int EndSignal() const { return FEndSignal; }
    // Stops the child and throws EGuardedChild(why).
    [[noreturn]] bool Damaged(const QString& why = QString());

private:
    bool TakeBuffered(char& kind, QByteArray& payload);
    // Reads what arrives within waitMs: 1 when something came, 0 when
    // nothing did, -1 at the end of the stream.
    int Fill(int waitMs);
    void CloseFd();
    void Stop();

    pid_t FPid = -1;
    int FFd = -1;
    int FStallTimeoutMs;
    QDeadlineTimer FDeadline;
    QDeadlineTimer FStall;  // renewed by every read
    QByteArray FBuffer;
    qsizetype FPos = 0;
    qint64 FReceived = 0;
    int FEndSignal = 0;
};

#endif  // Q_OS_UNIX
