// Outputs written whole or not at all: what happens to links, folders and
// long names, and a full disk.
#include "common/FullDisk.h"
#include "common/TestSupport.h"
#include "document/OutputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// The reason a write to path fails with, empty when it succeeds.
QString WriteFails(const QString& path, const QByteArray& bytes)
{
    try {
        WriteWholeFile(path, bytes);
    } catch (const EOutputFileError& e) {
        EXPECT_EQ(e.Path, path);
        return e.Reason;
    }
    return QString();
}

}  // namespace

TEST(OutputFile, TargetsOfEveryKind)
{
    QTemporaryDir dir;
    QDir().mkdir(dir.filePath("folder"));
    ASSERT_TRUE(QFile::link("made/by/link.txt", dir.filePath("dangling")));
    QDir().mkpath(dir.filePath("made/by"));
    const QString longName = QString(255, QLatin1Char('n'));
    struct Case {
        QString name;
        QString reason;   // the failure, empty for success
        QString written;  // where the bytes land
    };
    const QList<Case> cases = {
        {"new.txt", "", "new.txt"},
        {"dangling", "", "made/by/link.txt"},
        {longName, "", longName},
        {"folder", QString::fromLocal8Bit(strerror(EISDIR)), ""},
        {"missing/x.txt", QString::fromLocal8Bit(strerror(ENOENT)), ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WriteFails(dir.filePath(c.name), "bytes"), c.reason) << c.name.toStdString();
        if (!c.written.isEmpty()) {
            EXPECT_EQ(ReadFile(dir.filePath(c.written)), "bytes") << c.name.toStdString();
        }
    }
    EXPECT_TRUE(QFileInfo(dir.filePath("dangling")).isSymLink());
    // A new file gets the rights the umask leaves.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(dir.filePath("new.txt")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666u & ~mask);
    EXPECT_EQ(Entries(dir.path()).filter(".tagmora-"), QStringList());
}

TEST(OutputFile, AFullDiskFailsWithTheSystemsReason)
{
    testsupport::TFullDisk disk;
    if (!disk.Unavailable().isEmpty())
        GTEST_SKIP() << disk.Unavailable().toStdString();
    const QString target = disk.FilePath("out.bin");
    ASSERT_TRUE(WriteFile(target, "old"));
    disk.Fill();
    // Small outputs fail when flushed at the end, large ones while written.
    for (qsizetype size : {qsizetype(100), qsizetype(3 << 20)}) {
        disk.WhileFull([&] { EXPECT_EQ(WriteFails(target, QByteArray(size, 'x')), disk.Reason()) << size; });
        EXPECT_EQ(ReadFile(target), "old");
        EXPECT_EQ(disk.Entries(), QStringList{"out.bin"});
    }
}
