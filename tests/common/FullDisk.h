// A folder on a full disk, for what writes do then. As root, a small tmpfs is
// mounted for the test and filled up (writes fail with "No space left on
// device"); where mounting is not possible, a file size limit makes writes
// fail instead ("File too large"): for tagmora-cli started through RunCli and
// for the code run through WhileFull.
#pragma once

#include "TestSupport.h"

#include <QString>
#include <QTemporaryDir>

#include <functional>

namespace testsupport {

class TFullDisk {
public:
    TFullDisk();
    ~TFullDisk();
    TFullDisk(const TFullDisk&) = delete;
    TFullDisk& operator=(const TFullDisk&) = delete;

    // Empty when ready, else why no full disk can be had here.
    QString Unavailable() const { return FUnavailable; }
    QString FilePath(const QString& name) const;
    // Fills the disk; files written before stay.
    void Fill();
    // The reason a failed write gives.
    QString Reason() const;
    // tagmora-cli writing onto the full disk.
    CliResult RunCli(const QStringList& args) const;
    // Code of this process writing onto the full disk.
    void WhileFull(const std::function<void()>& work) const;
    // The names in the folder besides the filler.
    QStringList Entries() const;

private:
    QTemporaryDir FDir;
    QString FMount;
    bool FMounted = false;
    QString FUnavailable;
};

}  // namespace testsupport
