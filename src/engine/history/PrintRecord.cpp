#include "engine/history/PrintRecord.h"

#include "engine/datasheet/DelimitedText.h"

#include "document/LabelFile.h"
#include "engine/LabelDocument.h"
#include "engine/datasheet/Datasheet.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>

namespace {

QString OsUser()
{
    if (const passwd* pw = getpwuid(geteuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

// The rows of CSV written by AppendRow: fields split at commas outside
// quotes, rows at CR LF outside quotes.
std::vector<std::vector<QByteArray>> ParseCsv(const QByteArray& csv)
{
    std::vector<std::vector<QByteArray>> rows;
    std::vector<QByteArray> row;
    QByteArray field;
    bool quoted = false;
    for (qsizetype i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        if (quoted) {
            if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.push_back(std::move(field));
            field.clear();
        } else if (c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') {
            row.push_back(std::move(field));
            field.clear();
            rows.push_back(std::move(row));
            row.clear();
            ++i;
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.empty()) {
        row.push_back(std::move(field));
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace

QByteArray DataRowsCsv(const TLabelPlan& plan, const TDatasheet& data, bool currentRowOnly, int* rows)
{
    const TAdvStringGrid& grid = data.StrGrid_Data;
    QByteArray out;
    AppendCsvRow(out, grid, 0);
    int written = 0;
    if (currentRowOnly || plan.LabelCount >= 0) {
        const int row = std::max(1, grid.Row());
        if (row < grid.RowCount()) {
            AppendCsvRow(out, grid, row);
            written = 1;
        }
    } else {
        for (int r = 1; r < grid.RowCount(); ++r)
            AppendCsvRow(out, grid, r);
        written = std::max(0, grid.RowCount() - 1);
    }
    if (rows)
        *rows = written;
    return out;
}

void LoadDataRowsCsv(const QByteArray& csv, TDatasheet& data)
{
    const std::vector<std::vector<QByteArray>> rows = ParseCsv(csv);
    size_t cols = 1;
    for (const auto& row : rows)
        cols = std::max(cols, row.size());
    TAdvStringGrid& grid = data.StrGrid_Data;
    grid.SetColCount(int(cols) + 1);
    grid.SetRowCount(std::max<int>(2, int(rows.size())));
    grid.ClearCells();
    for (size_t r = 0; r < rows.size(); ++r) {
        if (r > 0)
            grid.SetCell(0, int(r), QString::number(r));
        for (size_t c = 0; c < rows[r].size(); ++c)
            grid.SetCellUtf8(int(c) + 1, int(r), rows[r][c]);
    }
    grid.SetCurrent(1, 1);
    data.BuildPrintGrid();
}

THistoryCapture CaptureRun(TLabelDocument& doc, const QString& labelPath, const QString& dataSource,
                           bool currentRowOnly, const QByteArray& fileBytes)
{
    THistoryCapture capture;
    capture.Started = QDateTime::currentDateTimeUtc();
    capture.LabelContent = fileBytes.isEmpty() ? LabelFileBytes(doc.Plan(), doc.Data) : fileBytes;
    capture.DataCsv = DataRowsCsv(doc.Plan(), doc.Data, currentRowOnly, &capture.DataRows);
    capture.LabelPath = labelPath.isEmpty() ? QString() : QFileInfo(labelPath).absoluteFilePath();
    capture.DataSource = dataSource;
    return capture;
}

THistoryResult HistoryResultOf(TPrintStatus status, bool stoppedByUser)
{
    switch (status) {
    case TPrintStatus::Printed: return THistoryResult::Done;
    case TPrintStatus::Cancelled: return THistoryResult::Cancelled;
    case TPrintStatus::Stopped: return stoppedByUser ? THistoryResult::Cancelled : THistoryResult::Stopped;
    case TPrintStatus::Aborted: return THistoryResult::Aborted;
    default: return THistoryResult::Failed;
    }
}

THistoryRun HistoryEntry(const THistoryCapture& capture, const TPrintOutcome& outcome, const QString& output,
                         const QString& message, bool stoppedByUser)
{
    THistoryRun run;
    run.Started = capture.Started.isValid() ? capture.Started : QDateTime::currentDateTimeUtc();
    run.Finished = QDateTime::currentDateTimeUtc();
    run.User = capture.User.isEmpty() ? OsUser() : capture.User;
    run.LabelPath = capture.LabelPath;
    run.DataSource = capture.DataSource;
    run.DataRows = capture.DataRows;
    run.ReprintOf = capture.ReprintOf;
    run.Output = output;
    run.Result = HistoryResultOf(outcome.Status, stoppedByUser);
    run.Message = run.Result == THistoryResult::Done ? QString() : message.simplified();
    run.LabelCount = outcome.Painted;
    run.Pages = outcome.Pages;
    run.Copies = outcome.Copies;
    if (!outcome.Span.IsEmpty() && outcome.LastPlaced >= outcome.Span.First)
        run.Labels.emplace_back(outcome.Span.First, std::min(outcome.LastPlaced, outcome.Span.Last));
    return run;
}

int64_t RecordRun(const QString& location, THistoryRun& run, const THistoryCapture& capture, QString& warning)
{
    try {
        THistoryStore store(location);
        return RecordRun(store, run, capture, warning);
    } catch (const std::exception& e) {
        warning = QString::fromUtf8(e.what());
        return 0;
    }
}

int64_t RecordRun(THistoryStore& store, THistoryRun& run, const THistoryCapture& capture, QString& warning)
{
    try {
        return store.Record(run, capture.LabelContent, capture.DataCsv);
    } catch (const std::exception& e) {
        warning = QString::fromUtf8(e.what());
        return 0;
    }
}

void LoadRecordedRun(const THistoryStore& store, const THistoryRun& run, TLabelDocument& doc)
{
    THistoryCapture recorded;
    recorded.LabelContent = store.LabelContent(run.LabelSha256);
    recorded.DataCsv = store.DataContent(run.DataSha256);
    recorded.LabelPath = run.LabelPath;
    recorded.ReprintOf = run.Id;
    LoadRecordedRun(recorded, doc);
}

void LoadRecordedRun(const THistoryCapture& recorded, TLabelDocument& doc)
{
    QTemporaryDir dir;
    const QString name =
        recorded.LabelPath.isEmpty() ? QStringLiteral("label.blf") : QFileInfo(recorded.LabelPath).fileName();
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly) ||
        file.write(recorded.LabelContent) != recorded.LabelContent.size())
        throw EHistoryError(QStringLiteral("print history: cannot write the label of run %1 to %2: %3")
                                .arg(recorded.ReprintOf)
                                .arg(path, file.errorString()));
    file.close();
    doc.Open(path);
    doc.SetFileName(recorded.LabelPath);
    LoadDataRowsCsv(recorded.DataCsv, doc.Data);
    doc.FillFromCurrentRow();
}

THistoryCapture ReprintCapture(const THistoryStore& store, const THistoryRun& run)
{
    THistoryCapture capture;
    capture.Started = QDateTime::currentDateTimeUtc();
    capture.LabelContent = store.LabelContent(run.LabelSha256);
    capture.DataCsv = store.DataContent(run.DataSha256);
    capture.DataRows = run.DataRows;
    capture.LabelPath = run.LabelPath;
    capture.DataSource = run.DataSource;
    capture.ReprintOf = run.Id;
    return capture;
}
