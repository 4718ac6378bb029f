// Recording print runs in the print history and printing them again: what a
// run is recorded from (the label content and the data rows it read, taken
// before the run), the entry for its outcome, and a recorded run loaded back
// into a document.
//
// A program that prints (the command line, the desktop, a print service)
// takes a capture before the run, prints, then calls RecordRun with the
// outcome: recording never throws, so a history that cannot be written
// never fails the print; the caller shows the warning.
#pragma once

#include "engine/history/PrintHistory.h"
#include "engine/printing/PrintJob.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

class TDatasheet;
class TLabelDocument;
class TLabelPlan;

// What a run prints, as it will be kept.
struct THistoryCapture {
    QByteArray LabelContent;  // the label file as printed
    QByteArray DataCsv;       // the data rows the run reads (see DataRowsCsv)
    int DataRows = 0;
    QString LabelPath;        // as the caller names the label (absolute path of a file)
    QString DataSource;       // a data file's path, or a description
    QString User;             // empty: the OS user
    int64_t ReprintOf = 0;
    QDateTime Started;        // when the capture was taken
};

// Takes the capture of a run of the document: the label content is fileBytes
// when given (the label file exactly as read), else the document as a label
// file would hold it. currentRowOnly: the print grid was built from the
// datasheet's current row alone ("Print Current Row Directly").
THistoryCapture CaptureRun(TLabelDocument& doc, const QString& labelPath, const QString& dataSource,
                           bool currentRowOnly = false, const QByteArray& fileBytes = QByteArray());

// The data rows a run of the document reads, as CSV (RFC 4180, CR LF lines,
// the column names first, the row-number column left out): every data row of
// the datasheet, or the current one alone when the labels take the current
// row (a label count of the document, or currentRowOnly). rows: data rows
// written.
QByteArray DataRowsCsv(const TLabelPlan& plan, const TDatasheet& data, bool currentRowOnly, int* rows = nullptr);
// Puts rows written by DataRowsCsv into the datasheet, the first data row
// current, and builds the print grid.
void LoadDataRowsCsv(const QByteArray& csv, TDatasheet& data);

// The history's word for a print status; stoppedByUser: a stopped run was the
// user's Cancel.
THistoryResult HistoryResultOf(TPrintStatus status, bool stoppedByUser = false);

// The entry of a run that ended with outcome on output (a printer's name or
// a file's path); message: the job's message (with the refused value of an
// aborted run added).
THistoryRun HistoryEntry(const THistoryCapture& capture, const TPrintOutcome& outcome, const QString& output,
                         const QString& message, bool stoppedByUser = false);

// Records the entry in the store at location and returns its id; on any
// failure returns 0 and sets warning to a message naming the database.
int64_t RecordRun(const QString& location, THistoryRun& run, const THistoryCapture& capture, QString& warning);
// The same in a store already open (a program that records many runs).
int64_t RecordRun(THistoryStore& store, THistoryRun& run, const THistoryCapture& capture, QString& warning);

// Loads a recorded run into the document: its label content, then its data
// rows. Throws EHistoryError when the store lacks them, and passes on the
// errors of a label content that cannot be read.
void LoadRecordedRun(const THistoryStore& store, const THistoryRun& run, TLabelDocument& doc);
// The same from a reprint's capture (ReprintCapture), without the store: for
// a thread that has no connection to it.
void LoadRecordedRun(const THistoryCapture& recorded, TLabelDocument& doc);

// The capture of a reprint of run, from what the store kept of it.
THistoryCapture ReprintCapture(const THistoryStore& store, const THistoryRun& run);
