// Files and values shared by the tagmora-cli commands: inputs that must exist,
// outputs written whole or not at all ("-" is standard output), data read from
// standard input, numbers and barcode types from option values.
#pragma once

#include <csignal>

#include "cli/Cli.h"
#include "barcode/Barcode.h"
#include "barcode/Outcome.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>

class EOutputFileError;
class TLabelDocument;
struct THistoryCapture;
struct THistoryRun;

namespace cli {

// Throws Failure(path, "no such file") unless the file exists.
void RequireFile(const QString& path);
// Opens a label file into the document; any error becomes a Failure naming it.
void OpenLabel(TLabelDocument& document, const QString& path);
// Throws UsageError when the output is one of the inputs (same file after
// following links). "-" is never a file.
void RequireDistinctOutput(const QString& output, const QStringList& inputs);

// Writes the bytes to the file whole or not at all (TOutputFile); "-" writes
// them to standard output. A failure names the file.
void WriteOutput(const QString& path, const QByteArray& bytes);
// Saves the document as a label file; a failure names the file.
void SaveLabel(TLabelDocument& document, const QString& path);
// A failure to write an output, as the commands report it.
Failure WriteFailure(const EOutputFileError& error);

// The output's format: the --format value when given, else the file's suffix
// ("-" needs --format). Throws UsageError for anything but the allowed ones.
QString OutputFormat(const QString& output, const QString& formatOption, const QStringList& allowed);

// A data file for import: the path itself, or for "-" standard input copied
// into a file of the --data-format's type (csv or txt) in `dir`.
QString DataInput(const QString& path, const QString& format, const QTemporaryDir& dir);
// The 2D settings of --option: comma-separated KEY=VALUE pairs, ecc=L|M|Q|H
// (QR Code, Micro QR) or 1-9, size=N (a version or size number; for Data
// Matrix also ROWSxCOLUMNS or "rectangular"), columns=N, gs1=on|off.
// Settings the symbology does not have are usage errors.
TSymbolOptions SymbolOptionsValue(const QString& value, TBarcodeType type);
// Fails naming the data file when its import was refused: with the reason,
// or as holding nothing to import.
void CheckImported(const TDone& imported, const QString& dataName);
// True for data files that hold tables to choose from (workbooks, databases).
bool HasTables(const QString& path);

// The print history a command uses: --history, else $TAGMORA_HISTORY, else
// the default store; empty with --no-history (for the commands that take it).
QString HistoryLocation(const TArguments& args);
// Records the run in the history at location and returns its id; when the
// history cannot be written, warns on stderr and returns 0.
int64_t RecordInHistory(const QString& location, THistoryRun run, const THistoryCapture& capture);

// SIGTERM and SIGINT asking a long-running command (watch, serve) to end
// after the work in hand, for the guard's lifetime: Requested() tells
// whether one came. The former handlers come back with the guard's end.
class TStopSignals {
public:
    TStopSignals();
    ~TStopSignals();
    TStopSignals(const TStopSignals&) = delete;
    TStopSignals& operator=(const TStopSignals&) = delete;
    static bool Requested();

private:
    struct sigaction FOldTerm {}, FOldInt {};
};

// Whole number from lo to hi, else UsageError naming the option.
int IntValue(const char* option, const QString& value, int lo, int hi);
// Number (with "."), else UsageError naming the option.
double RealValue(const char* option, const QString& value);
// A symbology by number, name, enumeration name or common alias, ignoring case
// and the separators " ", "-" and "_"; UsageError otherwise.
TBarcodeType BarcodeTypeValue(const QString& value);
// The other names a symbology is known by ("EAN-13"), for the types list.
QStringList BarcodeTypeAliases(TBarcodeType type);

}  // namespace cli
