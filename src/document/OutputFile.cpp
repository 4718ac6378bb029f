#include "document/OutputFile.h"

#include "document/Tr.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

QString Reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error ? error : EIO));
}

// Writes everything or sets errno and returns false.
bool WriteAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// ----- Work files removed when a signal ends the program ----------------------
//
// The handler may only call async-signal-safe functions: the paths are kept
// as plain bytes in fixed slots, each claimed and released atomically.

constexpr int kSlots = 32;
enum : int { slotFree, slotFilling, slotInUse };

struct TWorkSlot {
    std::atomic<int> State{slotFree};
    char Path[PATH_MAX];
};

TWorkSlot gWorkSlots[kSlots];
// Only the process that made the work files removes them: a forked reader
// that gets the same signal leaves them to its parent.
std::atomic<pid_t> gWorkOwner{0};
constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RemoveWorkFilesAndDie(int signal)
{
    if (::getpid() == gWorkOwner.load()) {
        for (TWorkSlot& slot : gWorkSlots) {
            if (slot.State.load() == slotInUse)
                ::unlink(slot.Path);
        }
    }
    // Die of the signal as the program would have without this handler.
    struct sigaction usual {};
    usual.sa_handler = SIG_DFL;
    sigemptyset(&usual.sa_mask);
    ::sigaction(signal, &usual, nullptr);
    ::raise(signal);
}

void InstallCleanupHandlers()
{
    static const bool installed = [] {
        for (int signal : kCleanupSignals) {
            struct sigaction old {};
            ::sigaction(signal, nullptr, &old);
            // An ignored signal stays ignored (nohup), and a handler someone
            // else installed stays theirs.
            if ((old.sa_flags & SA_SIGINFO) || old.sa_handler != SIG_DFL)
                continue;
            struct sigaction action {};
            action.sa_handler = RemoveWorkFilesAndDie;
            sigemptyset(&action.sa_mask);
            for (int other : kCleanupSignals)
                sigaddset(&action.sa_mask, other);
            ::sigaction(signal, &action, nullptr);
        }
        return true;
    }();
    Q_UNUSED(installed);
}

// Holds the cleanup signals back for its lifetime, so that a work file is
// never made or renamed without its slot telling.
class TSignalsHeld {
public:
    TSignalsHeld()
    {
        sigset_t held;
        sigemptyset(&held);
        for (int signal : kCleanupSignals)
            sigaddset(&held, signal);
        ::pthread_sigmask(SIG_BLOCK, &held, &FPrevious);
    }
    ~TSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &FPrevious, nullptr); }
    TSignalsHeld(const TSignalsHeld&) = delete;
    TSignalsHeld& operator=(const TSignalsHeld&) = delete;

private:
    sigset_t FPrevious;
};

// The slot now naming path, or -1 when all are taken (the file then is only
// removed by the program's own cleanup).
int ClaimSlot(const QByteArray& path)
{
    if (path.size() >= PATH_MAX)
        return -1;
    InstallCleanupHandlers();
    gWorkOwner.store(::getpid());
    for (int i = 0; i < kSlots; ++i) {
        int expected = slotFree;
        if (gWorkSlots[i].State.compare_exchange_strong(expected, slotFilling)) {
            std::memcpy(gWorkSlots[i].Path, path.constData(), size_t(path.size()) + 1);
            gWorkSlots[i].State.store(slotInUse);
            return i;
        }
    }
    return -1;
}

void ReleaseSlot(int slot)
{
    if (slot >= 0)
        gWorkSlots[slot].State.store(slotFree);
}

// ----- Paths ---------------------------------------------------------------------

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// The file a path leads to: symbolic links followed to their end (a dangling
// link leads to the file it names, which the output creates). A link into
// /proc (/dev/stdout) names an open file of a process, not a place in a
// folder: inProc tells, and that path is written in place.
QByteArray FollowLinks(QByteArray path, int& error, bool& inProc)
{
    inProc = path.startsWith("/proc/");
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (inProc || ::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), target, sizeof target - 1);
        if (n <= 0)
            return path;
        const QByteArray next(target, n);
        path = next.startsWith('/') ? next : FolderOf(path) + '/' + next;
        inProc = path.startsWith("/proc/");
    }
    error = ELOOP;
    return path;
}

// ".NAME.tagmora-XXXXXX" beside the target, the name shortened when the whole
// would be too long for the folder.
QByteArray WorkTemplate(const QByteArray& target)
{
    constexpr qsizetype kNameMax = NAME_MAX;
    const QByteArray suffix = QByteArrayLiteral(".tagmora-XXXXXX");
    const qsizetype slash = target.lastIndexOf('/');
    QByteArray name = target.mid(slash + 1);
    name.truncate(kNameMax - 1 - suffix.size());
    return FolderOf(target) + '/' + '.' + name + suffix;
}

mode_t CurrentUmask()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    return mode_t(mask);
            }
        }
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

}  // namespace

EOutputFileError::EOutputFileError(const QString& path, const QString& reason)
    : std::runtime_error(Tr("OutputFile", "Cannot write %1: %2").arg(path, reason).toStdString()),
      Path(path),
      Reason(reason)
{
}

// ----- TCheckedWriter ------------------------------------------------------------

namespace {
constexpr qsizetype kBufferSize = 256 * 1024;
}

TCheckedWriter::~TCheckedWriter()
{
    if (FFd >= 0)
        ::close(FFd);
}

void TCheckedWriter::Attach(int fd)
{
    FFd = fd;
    FBuffer.reserve(kBufferSize);
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool TCheckedWriter::Fail(int error)
{
    if (!FError) {
        FError = error ? error : EIO;
        setErrorString(Reason(FError));
    }
    return false;
}

bool TCheckedWriter::FlushBuffer()
{
    if (FError)
        return false;
    if (FBuffer.isEmpty())
        return true;
    const bool ok = WriteAll(FFd, FBuffer.constData(), FBuffer.size());
    const int error = errno;
    FBuffer.clear();
    return ok || Fail(error);
}

qint64 TCheckedWriter::writeData(const char* data, qint64 size)
{
    if (FError || FFd < 0)
        return -1;
    FSize = std::max(FSize, pos() + size);
    if (FBuffer.size() + size > kBufferSize) {
        if (!FlushBuffer())
            return -1;
        if (size >= kBufferSize)
            return WriteAll(FFd, data, size) ? size : (Fail(errno), -1);
    }
    FBuffer.append(data, size);
    return size;
}

bool TCheckedWriter::seek(qint64 pos)
{
    if (!FlushBuffer())
        return false;
    if (::lseek(FFd, off_t(pos), SEEK_SET) < 0)
        return Fail(errno);
    return QIODevice::seek(pos);
}

void TCheckedWriter::close()
{
    FlushBuffer();
    QIODevice::close();
}

bool TCheckedWriter::CloseFd()
{
    if (FFd < 0)
        return true;
    const int fd = FFd;
    FFd = -1;
    // Linux closes the descriptor also when close() reports a failure.
    return ::close(fd) == 0 || Fail(errno);
}

bool TCheckedWriter::ReadBack(const std::function<bool(const char*, qint64)>& sink)
{
    if (!FlushBuffer())
        return false;
    if (::lseek(FFd, 0, SEEK_SET) < 0)
        return Fail(errno);
    QByteArray chunk(kBufferSize, Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::read(FFd, chunk.data(), size_t(chunk.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Fail(errno);
        if (n == 0)
            return true;
        if (!sink(chunk.constData(), n))
            return false;
    }
}

// ----- TSpoolFile ----------------------------------------------------------------

namespace {

// An unnamed file in the temporary folder, gone with its descriptor.
int OpenSpool(const QString& shownAs)
{
    const QByteArray folder = QFile::encodeName(QDir::tempPath());
    int fd = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) {
        // A file system without unnamed files: a named one, unlinked at once.
        QByteArray name = folder + "/tagmora-spool-XXXXXX";
        TSignalsHeld held;
        fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd >= 0)
            ::unlink(name.constData());
    }
    if (fd < 0)
        throw EOutputFileError(shownAs, Tr("OutputFile", "no room for a temporary copy in %1: %2")
                                            .arg(QDir::toNativeSeparators(QDir::tempPath()), Reason(errno)));
    return fd;
}

}  // namespace

TSpoolFile::TSpoolFile(const QString& shownAs)
{
    Attach(OpenSpool(shownAs));
}

// ----- TOutputFile ---------------------------------------------------------------

TOutputFile::TOutputFile(const QString& target)
    : FShown(target == QLatin1String("-") ? Tr("OutputFile", "standard output") : target),
      FToStdout(target == QLatin1String("-"))
{
    if (!FToStdout) {
        int error = 0;
        bool inProc = false;
        FTarget = FollowLinks(QFile::encodeName(target), error, inProc);
        if (error)
            throw EOutputFileError(FShown, Reason(error));
        struct stat st {};
        const bool exists = ::stat(FTarget.constData(), &st) == 0;
        if (exists && S_ISDIR(st.st_mode))
            throw EOutputFileError(FShown, Reason(EISDIR));
        if (!inProc && (!exists || S_ISREG(st.st_mode))) {
            FReplacing = exists;
            FOld = st;
            QByteArray work = WorkTemplate(FTarget);
            TSignalsHeld held;
            const int fd = ::mkostemp(work.data(), O_CLOEXEC);
            if (fd < 0)
                throw EOutputFileError(FShown, Reason(errno));
            FWork = work;
            FSlot = ClaimSlot(FWork);
            Attach(fd);
            return;
        }
    }
    // Standard output, a device or a pipe: kept aside until complete.
    Attach(OpenSpool(FShown));
}

TOutputFile::~TOutputFile()
{
    if (!FDone)
        Discard();
}

QString TOutputFile::WorkPath() const
{
    return QFile::decodeName(FWork);
}

void TOutputFile::Discard()
{
    CloseFd();
    if (!FWork.isEmpty()) {
        TSignalsHeld held;
        ::unlink(FWork.constData());
        ReleaseSlot(FSlot);
        FSlot = -1;
        FWork.clear();
    }
    FDone = true;
}

void TOutputFile::Fail(int error)
{
    Discard();
    throw EOutputFileError(FShown, Reason(error));
}

void TOutputFile::KeepOwnerAndMode()
{
    if (!FReplacing) {
        ::fchmod(Fd(), 0666 & ~CurrentUmask());
        return;
    }
    // Who may not give the file its owner may still give it its group. The
    // new content never inherits set-user or set-group rights.
    if (::fchown(Fd(), FOld.st_uid, FOld.st_gid) != 0)
        (void)::fchown(Fd(), uid_t(-1), FOld.st_gid);
    ::fchmod(Fd(), FOld.st_mode & (S_ISVTX | 0777));
}

void TOutputFile::WriteInPlace()
{
    int out = STDOUT_FILENO;
    if (FToStdout) {
        std::fflush(stdout);
    } else {
        // The device or pipe as it is: never created. An open file reached
        // through /proc is written from its start.
        out = ::open(FTarget.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (out < 0)
            Fail(errno);
        struct stat st {};
        if (::fstat(out, &st) == 0 && S_ISREG(st.st_mode) && ::ftruncate(out, 0) != 0) {
            const int error = errno;
            ::close(out);
            Fail(error);
        }
    }
    int error = 0;
    const bool copied = ReadBack([&](const char* data, qint64 size) {
        if (WriteAll(out, data, size))
            return true;
        error = errno;
        return false;
    });
    if (!copied && !error)
        error = Error();
    if (out != STDOUT_FILENO && ::close(out) != 0 && !error)
        error = errno;
    if (error)
        Fail(error);
}

void TOutputFile::Commit()
{
    if (FDone)
        throw EOutputFileError(FShown, Tr("OutputFile", "the output was already closed"));
    if (!FlushBuffer())
        Fail(Error());
    if (FWork.isEmpty()) {
        WriteInPlace();
        Discard();
        return;
    }
    if (::fsync(Fd()) != 0)
        Fail(errno);
    KeepOwnerAndMode();
    if (!CloseFd())
        Fail(Error());
    {
        TSignalsHeld held;
        if (::rename(FWork.constData(), FTarget.constData()) != 0)
            Fail(errno);
        ReleaseSlot(FSlot);
        FSlot = -1;
        FWork.clear();
    }
    FDone = true;
    // The rename itself reaches the disk with its folder.
    const int folder = ::open(FolderOf(FTarget).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void WriteWholeFile(const QString& target, const QByteArray& bytes)
{
    TOutputFile file(target);
    file.write(bytes);
    file.Commit();
}
