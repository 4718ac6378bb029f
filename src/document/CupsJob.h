// Jobs to the CUPS scheduler, checked: the job must be accepted, and when it
// is not, the scheduler's reason is told.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

class TCheckedWriter;

using TCupsOptions = QList<QPair<QByteArray, QByteArray>>;

// Sends the PDF written into pdf to the queue as one job with the options
// (name, value) and returns the job's number. Throws std::runtime_error
// naming the queue and the scheduler's reason when it refuses the job (a
// queue that rejects jobs, an unknown queue, no scheduler).
int SendPdfJob(const QString& queue, const QString& title, const TCupsOptions& options, TCheckedWriter& pdf);

// Sends what data holds to the queue untouched (no filters: a label
// printer's own language); as SendPdfJob otherwise.
int SendRawJob(const QString& queue, const QString& title, TCheckedWriter& data);

// Whether the queue passes jobs to its printer untouched (a queue made with
// "lpadmin -m raw"): its printer is sent its own language.
bool IsRawQueue(const QString& queue);

// Empty when the scheduler answers, else "cannot reach the print system at
// SERVER" (the scheduler's socket or host and port).
QString CupsUnreachable();
