#include "FuzzSupport.h"

#include "engine/Headless.h"

#include <QGuiApplication>
#include <QDir>
#include <QFile>

#include <cstdlib>
#include <unistd.h>

namespace {

QString gInputFile;

void RemoveInputFile()
{
    if (!gInputFile.isEmpty())
        QFile::remove(gInputFile);
}

}  // namespace

void FuzzStartApplication()
{
    static int argc = 1;
    static char name[] = "tagmora-fuzz";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance())
        return;
    PrepareHeadlessEnvironment(true);
    new QGuiApplication(argc, argv);
}

QString FuzzInputFile(const uint8_t* data, size_t size, const char* suffix)
{
    // One file per process (libFuzzer's -jobs run several side by side), in
    // memory where the machine has it.
    const QString folder = QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    const QString path = QStringLiteral("%1/tagmora-fuzz-%2%3").arg(folder).arg(::getpid()).arg(QLatin1String(suffix));
    if (gInputFile.isEmpty()) {
        gInputFile = path;
        std::atexit(RemoveInputFile);
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        abort();
    return path;
}
