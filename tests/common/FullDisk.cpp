#include "FullDisk.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace testsupport {

namespace {

constexpr rlim_t kSizeLimit = 64;  // bytes a file may hold in the fallback
const QString kFiller = QStringLiteral("filler");

void LimitFileSize()
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = kSizeLimit;
    setrlimit(RLIMIT_FSIZE, &limit);
}

}  // namespace

TFullDisk::TFullDisk()
{
    if (!FDir.isValid()) {
        FUnavailable = QStringLiteral("no temporary folder");
        return;
    }
    FMount = FDir.filePath(QStringLiteral("disk"));
    QDir().mkpath(FMount);
    if (::geteuid() == 0)
        FMounted = ::mount("tmpfs", QFile::encodeName(FMount).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                           "size=512k,mode=0777") == 0;
    // Without a mount the size limit stands in: it needs nothing but a
    // limit the process can lower.
    rlimit limit{};
    if (!FMounted && (getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_max < kSizeLimit))
        FUnavailable = QStringLiteral("cannot mount a tmpfs (%1) nor limit file sizes").arg(strerror(errno));
}

TFullDisk::~TFullDisk()
{
    if (FMounted)
        ::umount2(QFile::encodeName(FMount).constData(), MNT_DETACH);
}

QString TFullDisk::FilePath(const QString& name) const
{
    return QDir(FMount).filePath(name);
}

void TFullDisk::Fill()
{
    if (!FMounted)
        return;
    QFile filler(FilePath(kFiller));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    // Rounding may leave a partial page: take that too.
    while (filler.write("f", 1) == 1) {
    }
}

QString TFullDisk::Reason() const
{
    return QString::fromLocal8Bit(strerror(FMounted ? ENOSPC : EFBIG));
}

CliResult TFullDisk::RunCli(const QStringList& args) const
{
    return testsupport::RunCli(args, QByteArray(), FMounted ? std::function<void()>() : LimitFileSize);
}

void TFullDisk::WhileFull(const std::function<void()>& work) const
{
    if (FMounted) {
        work();
        return;
    }
    struct TLimited {
        rlimit saved{};
        void (*handler)(int) = nullptr;
        TLimited()
        {
            getrlimit(RLIMIT_FSIZE, &saved);
            handler = std::signal(SIGXFSZ, SIG_IGN);
            LimitFileSize();
        }
        ~TLimited()
        {
            setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, handler);
        }
    } limited;
    work();
}

QStringList TFullDisk::Entries() const
{
    QStringList names = QDir(FMount).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.removeAll(kFiller);
    return names;
}

}  // namespace testsupport
