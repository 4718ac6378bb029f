// Every file the programs write goes through here: written whole or not at
// all, every write checked.
//
// TOutputFile is a write-only device for one output. A regular file (or a name
// not taken yet) is written into a work file beside it, ".NAME.tagmora-XXXXXX",
// which Commit() flushes, syncs to disk, closes and renames over the target,
// keeping the replaced file's permissions, owner and group where the process
// may set them. A symbolic link is followed: the file it leads to is replaced,
// the link stays. A target that cannot be replaced (a device, a pipe, "-" for
// standard output) is written in place on Commit(); until then the output is
// kept in an anonymous temporary file.
//
// Until Commit() succeeds the target is untouched. The work file goes when the
// output is not committed, when Commit() fails, and when the program is ended
// by SIGINT, SIGTERM or SIGHUP (it then dies of that signal as usual); only
// SIGKILL or a crash can leave one behind, and its name says whose it is.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

// An output that could not be written. Path is the target as given
// ("standard output" for "-"), Reason the system's ("No space left on device").
class EOutputFileError : public std::runtime_error {
public:
    EOutputFileError(const QString& path, const QString& reason);
    QString Path;
    QString Reason;
};

// A write-only device over a file: writes are buffered and checked; the first
// failure is kept, and every write after it fails too.
class TCheckedWriter : public QIODevice {
public:
    ~TCheckedWriter() override;
    // errno of the first failed write or flush; 0 while all went well.
    int Error() const { return FError; }
    // Hands what was written to sink in chunks, from the start. False when a
    // write had failed, the file cannot be read or sink returns false.
    bool ReadBack(const std::function<bool(const char* data, qint64 size)>& sink);

    bool isSequential() const override { return false; }
    bool seek(qint64 pos) override;
    qint64 size() const override { return std::max(FSize, pos()); }
    // Flushes; the file itself stays until the owner is done with it.
    void close() override;

protected:
    TCheckedWriter() = default;
    void Attach(int fd);
    bool FlushBuffer();
    int Fd() const { return FFd; }
    // Closes the file; false (and Error() set) when closing reports a failure.
    bool CloseFd();
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool Fail(int error);

    int FFd = -1;
    int FError = 0;
    qint64 FSize = 0;
    QByteArray FBuffer;
};

// An anonymous temporary file in the temporary folder (nothing is left behind
// whatever happens), for output that goes elsewhere when complete.
class TSpoolFile : public TCheckedWriter {
public:
    // Throws EOutputFileError naming `shownAs` when no temporary file can be made.
    explicit TSpoolFile(const QString& shownAs);
};

class TOutputFile : public TCheckedWriter {
public:
    // Prepares the output; throws EOutputFileError when it cannot be written
    // (a folder, a missing folder, no right to create the work file).
    explicit TOutputFile(const QString& target);
    // Without a successful Commit() the work file goes; the target is untouched.
    ~TOutputFile() override;
    // Puts the output in place; throws EOutputFileError when any write, the
    // flush, the sync, the close or the rename failed, after removing the work
    // file (the target then is as it was).
    void Commit();
    // The target as messages name it.
    QString Target() const { return FShown; }
    // The work file beside the target; empty when the target is written in place.
    QString WorkPath() const;

private:
    [[noreturn]] void Fail(int error);
    void KeepOwnerAndMode();
    void WriteInPlace();
    void Discard();

    QString FShown;
    QByteArray FTarget;  // the file to replace, links followed
    QByteArray FWork;    // the work file; empty when written in place
    int FSlot = -1;      // its place in the list removed on signals
    bool FToStdout = false;
    bool FReplacing = false;  // a file was there
    struct stat FOld {};
    bool FDone = false;
};

// Writes bytes to target through a TOutputFile.
void WriteWholeFile(const QString& target, const QByteArray& bytes);
