#include "document/GuardedChild.h"

#ifdef TAGMORA_GUARDED_CHILD

#include <QFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::atomic<int> gStarted{0};

// The child may use `extra` bytes beyond what this process has mapped.
rlim_t AddressSpaceLimit(qint64 extra)
{
    if (extra <= 0)
        return 0;
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const qint64 pages = statm.readLine().split(' ').value(0).toLongLong();
    if (pages <= 0)
        return 0;
    return rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE)) + rlim_t(extra);
}

// Under valgrind the child runs many times slower in an address space of
// valgrind's making: the limits would stop every child, so they are lifted
// (memory) or stretched (time).
bool UnderValgrind()
{
    static const bool under = qgetenv("LD_PRELOAD").contains("vgpreload");
    return under;
}

int Stretched(int ms)
{
    return UnderValgrind() && ms > 0 ? ms * 20 : ms;
}

}  // namespace

void AppendFrameU32(std::string& out, quint32 v)
{
    const char b[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    out.append(b, 4);
}

quint32 FrameU32(const char* p)
{
    return quint32(quint8(p[0])) | (quint32(quint8(p[1])) << 8) | (quint32(quint8(p[2])) << 16) |
           (quint32(quint8(p[3])) << 24);
}

void TFrameWriter::Send(char kind, const char* data, size_t size)
{
    FBuffer.push_back(kind);
    AppendFrameU32(FBuffer, quint32(size));
    FBuffer.append(data, size);
    if (FBuffer.size() >= 65536)
        Flush();
}

void TFrameWriter::Flush()
{
    size_t done = 0;
    while (done < FBuffer.size()) {
        const ssize_t n = ::write(FFd, FBuffer.data() + done, FBuffer.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            _exit(3);  // the parent is gone
        done += size_t(n);
    }
    FBuffer.clear();
}

TGuardedChild::TGuardedChild(const std::function<void(TFrameWriter&)>& childMain, const TGuardedLimits& limits)
    : FStallTimeoutMs(Stretched(limits.StallTimeoutMs)),
      FDeadline(limits.TotalTimeoutMs > 0 ? QDeadlineTimer(Stretched(limits.TotalTimeoutMs)) : QDeadlineTimer::Forever)
{
    int fds[2];
    if (::pipe(fds) != 0)
        throw EGuardedChild(QStringLiteral("cannot start the reader"));
    const rlim_t addressLimit = UnderValgrind() ? 0 : AddressSpaceLimit(limits.ExtraAddressSpace);
    const int cpuSeconds = Stretched(limits.CpuSeconds);
    FPid = ::fork();
    if (FPid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        throw EGuardedChild(QStringLiteral("cannot start the reader"));
    }
    if (FPid == 0) {
        ::close(fds[0]);
        const int devNull = ::open("/dev/null", O_WRONLY);
        if (devNull >= 0) {
            ::dup2(devNull, 2);  // the library's warnings
            ::close(devNull);
        }
        // The reader holds nothing of the program's: no display connection,
        // no open documents, no sockets - only its end of the pipe.
        const unsigned keep = unsigned(fds[1]);
        if (keep > 3)
            ::close_range(3, keep - 1, 0);
        ::close_range(keep + 1, ~0U, 0);
        if (addressLimit) {
            // Never more room than this process has: a guarded child that
            // starts one of its own stays within its own limit.
            rlim_t cap = addressLimit;
            rlimit current{};
            if (::getrlimit(RLIMIT_AS, &current) == 0 && current.rlim_cur != RLIM_INFINITY)
                cap = std::min(cap, current.rlim_cur);
            const rlimit limit{cap, cap};
            ::setrlimit(RLIMIT_AS, &limit);
        }
        if (cpuSeconds > 0) {
            const rlimit limit{rlim_t(cpuSeconds), rlim_t(cpuSeconds) + 1};
            ::setrlimit(RLIMIT_CPU, &limit);
        }
        // Nothing may unwind out of here: the child would go on running the
        // caller's code as a copy of this process.
        try {
            TFrameWriter out(fds[1]);
            childMain(out);
            out.Send(frameDone, "", 0);
            out.Flush();
        } catch (...) {
            _exit(4);  // the parent reports the child's failure
        }
        _exit(0);
    }
    ::close(fds[1]);
    FFd = fds[0];
    FStall.setRemainingTime(FStallTimeoutMs);
    ++gStarted;
}

int TGuardedChild::StartedCount()
{
    return gStarted;
}

TGuardedChild::~TGuardedChild()
{
    Stop();
}

bool TGuardedChild::TakeBuffered(char& kind, QByteArray& payload)
{
    if (FBuffer.size() - FPos < 5)
        return false;
    const char* p = FBuffer.constData() + FPos;
    const quint32 len = FrameU32(p + 1);
    if (len > kMaxFrameBytes)
        return Damaged(QStringLiteral("malformed output"));
    if (FBuffer.size() - FPos < 5 + qsizetype(len))
        return false;
    kind = p[0];
    payload = QByteArray(p + 5, len);
    FPos += 5 + len;
    FReceived += 5 + len;
    if (FPos > (1 << 20)) {
        FBuffer.remove(0, FPos);
        FPos = 0;
    }
    return true;
}

bool TGuardedChild::Next(char& kind, QByteArray& payload)
{
    for (;;) {
        if (TakeBuffered(kind, payload))
            return true;
        const int got = Fill(FStallTimeoutMs);
        if (got < 0)
            return false;
        if (got == 0)
            return Damaged(QStringLiteral("took too long"));  // the child is stuck or too slow
    }
}

bool TGuardedChild::TryNext(char& kind, QByteArray& payload, bool* ended)
{
    *ended = false;
    for (;;) {
        if (TakeBuffered(kind, payload))
            return true;
        const int got = Fill(0);
        if (got < 0) {
            *ended = true;
            return false;
        }
        if (got == 0) {
            if (FDeadline.hasExpired() || FStall.hasExpired())
                return Damaged(QStringLiteral("took too long"));
            return false;
        }
    }
}

bool TGuardedChild::Finish()
{
    if (FPid <= 0)
        return true;
    int status = 0;
    const pid_t pid = FPid;
    FPid = -1;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    CloseFd();
    FEndSignal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool TGuardedChild::Damaged(const QString& why)
{
    Stop();
    throw EGuardedChild(why);
}

int TGuardedChild::Fill(int waitMs)
{
    if (FFd < 0)
        return -1;
    if (!FDeadline.isForever())
        waitMs = int(qMin<qint64>(waitMs, qMax<qint64>(0, FDeadline.remainingTime())));
    pollfd pfd{FFd, POLLIN, 0};
    const int ready = ::poll(&pfd, 1, waitMs);
    if (ready < 0 && errno == EINTR)
        return 1;  // nothing read, but no reason to give up yet
    if (ready <= 0)
        return 0;
    char chunk[65536];
    const ssize_t n = ::read(FFd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR)
        return 1;
    if (n <= 0) {
        CloseFd();
        return -1;
    }
    FBuffer.append(chunk, n);
    FStall.setRemainingTime(FStallTimeoutMs);
    return 1;
}

void TGuardedChild::CloseFd()
{
    if (FFd >= 0)
        ::close(FFd);
    FFd = -1;
}

void TGuardedChild::Stop()
{
    if (FPid > 0) {
        ::kill(FPid, SIGKILL);
        int status;
        while (::waitpid(FPid, &status, 0) < 0 && errno == EINTR) {
        }
        FPid = -1;
    }
    CloseFd();
}

#endif  // TAGMORA_GUARDED_CHILD
