#include "datasheet/GuardedReader.h"

#ifdef TAGMORA_GUARDED_READER

#include "datasheet/ImportSupport.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr quint32 kMaxFrameBytes = 64u << 20;

// The child may use 2 GB beyond what this process has mapped.
rlim_t AddressSpaceLimit()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const qint64 pages = statm.readLine().split(' ').value(0).toLongLong();
    if (pages <= 0)
        return 0;
    return rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE)) + (rlim_t(2) << 30);
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
            _exit(3);  // the importer is gone
        done += size_t(n);
    }
    FBuffer.clear();
}

TGuardedReader::TGuardedReader(const std::function<void(TFrameWriter&)>& childMain, int stallTimeoutMs)
    : FStallTimeoutMs(stallTimeoutMs)
{
    int fds[2];
    if (::pipe(fds) != 0)
        ThrowImportError(QStringLiteral("Cannot start reading the file."));
    const rlim_t addressLimit = AddressSpaceLimit();
    FPid = ::fork();
    if (FPid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        ThrowImportError(QStringLiteral("Cannot start reading the file."));
    }
    if (FPid == 0) {
        ::close(fds[0]);
        const int devNull = ::open("/dev/null", O_WRONLY);
        if (devNull >= 0)
            ::dup2(devNull, 2);  // the library's warnings
        if (addressLimit) {
            const rlimit limit{addressLimit, addressLimit};
            ::setrlimit(RLIMIT_AS, &limit);
        }
        // Nothing may unwind out of here: the child would go on running the
        // importer's code as a copy of this process.
        try {
            TCNumericLocaleScope cLocale;
            TFrameWriter out(fds[1]);
            childMain(out);
            out.Send(frameDone, "", 0);
            out.Flush();
        } catch (...) {
            _exit(4);
        }
        _exit(0);
    }
    ::close(fds[1]);
    FFd = fds[0];
}

TGuardedReader::~TGuardedReader()
{
    Stop();
}

bool TGuardedReader::Next(char& kind, QByteArray& payload)
{
    for (;;) {
        if (FBuffer.size() - FPos >= 5) {
            const char* p = FBuffer.constData() + FPos;
            const quint32 len = FrameU32(p + 1);
            if (len > kMaxFrameBytes)
                return Damaged();
            if (FBuffer.size() - FPos >= 5 + qsizetype(len)) {
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
        }
        if (!Fill())
            return false;
    }
}

bool TGuardedReader::Finish()
{
    if (FPid <= 0)
        return true;
    int status = 0;
    const pid_t pid = FPid;
    FPid = -1;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    CloseFd();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool TGuardedReader::Damaged()
{
    Stop();
    throw EImportError(QString());
}

bool TGuardedReader::Fill()
{
    if (FFd < 0)
        return false;
    pollfd pfd{FFd, POLLIN, 0};
    const int ready = ::poll(&pfd, 1, FStallTimeoutMs);
    if (ready < 0 && errno == EINTR)
        return true;
    if (ready <= 0)
        return Damaged();  // the child is stuck
    char chunk[65536];
    const ssize_t n = ::read(FFd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR)
        return true;
    if (n <= 0) {
        CloseFd();
        return false;
    }
    FBuffer.append(chunk, n);
    return true;
}

void TGuardedReader::CloseFd()
{
    if (FFd >= 0)
        ::close(FFd);
    FFd = -1;
}

void TGuardedReader::Stop()
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

#endif  // TAGMORA_GUARDED_READER
