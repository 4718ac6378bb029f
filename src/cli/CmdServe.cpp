// tagmora-cli serve --labels DIR [--listen HOST:PORT] [--token-file F]: a
// print service over HTTP for order, stock and lab systems. It prints the
// .blf files of one folder with the rows a request sends, through the same
// print job as "tagmora-cli print", records every run in the print history
// and answers with the run's number (and the PDF for the printer "pdf").
//
// Requests are read and answered on the main thread; the runs they ask for
// are printed by worker threads, each through a printer of its own. Runs on
// one printer go one after the other, in the order they came; PDF runs go
// side by side. A run goes on when its client goes away. SIGTERM or SIGINT
// ends the service after the runs being printed; the runs still waiting are
// recorded as not started.
#include "cli/CliCommands.h"
#include "cli/CliFiles.h"
#include "cli/ServeGuard.h"
#include "cli/ServeRequest.h"
#include "document/CupsJob.h"
#include "document/CupsPrinter.h"
#include "document/PictureObject.h"
#include "document/StandInPrinter.h"
#include "engine/LabelDocument.h"
#include "engine/history/PrintRecord.h"
#include "engine/printing/DataBinding.h"
#include "engine/printing/PdfPrinter.h"
#include "engine/printing/PrintJob.h"
#include "engine/printing/ZplPrinter.h"

#include <QAbstractHttpServer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QHttpServerResponse>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QSet>
#include <QTcpSocket>
#include <QThread>
#include <QThreadPool>
#include <QTimer>
#include <QUrlQuery>

#include <list>
#include <memory>
#include <optional>
#include <shared_mutex>

namespace {

using TStatus = QHttpServerResponse::StatusCode;

// A request refused: its status and the reason, answered as {"error": ...}.
struct TRefusal {
    int Status;
    QString Message;
};

QHttpServerResponse Json(const QJsonObject& object, int status = 200)
{
    return QHttpServerResponse(QByteArrayLiteral("application/json"),
                               QJsonDocument(object).toJson(QJsonDocument::Compact), TStatus(status));
}

QHttpServerResponse Json(const QJsonArray& array)
{
    return QHttpServerResponse(QByteArrayLiteral("application/json"),
                               QJsonDocument(array).toJson(QJsonDocument::Compact), TStatus::Ok);
}

QHttpServerResponse Error(int status, const QString& message)
{
    return Json(QJsonObject{{QStringLiteral("error"), message}}, status);
}

struct TServeSettings {
    QString labels;
    QString history;
    QByteArray token;  // empty: no token asked for
    qint64 maxBody = 4 * 1024 * 1024;
    int maxRows = 5000;
    int workers = 2;   // runs printed at once
    int maxRuns = 64;  // runs taken at once, printing or waiting
};

// What a print or a reprint asks for.
struct TJob {
    QString printer;   // a queue's name, a socket:// address, or "pdf"
    TPrinterProfile profile;  // the printer's stored calibration and ZPL settings
    bool zpl = false;  // the printer takes ZPL II
    int copies = 1;
    std::pair<int64_t, int64_t> labels{0, 0};
};

// One run, from the request that asked for it to its answer. The main thread
// fills in what is asked; a worker thread prints it and fills in how it
// went; the main thread records it and answers.
struct TServeRun {
    TJob job;
    QString user;
    QString labelFile;         // a print: the label file
    bool haveRows = false;
    QByteArray rowsCsv;        // a print: the request's rows as CSV
    int rows = 0;
    bool reprint = false;
    THistoryCapture recorded;  // a reprint: what the run printed then
    // Where the answer goes; the socket is gone when the client went away.
    QPointer<QTcpSocket> socket;
    const QHttpServerRequest* request = nullptr;

    int status = 200;
    QString message;   // why it was refused, or how it ended
    bool record = false;
    THistoryCapture capture;
    TPrintOutcome outcome;
    QByteArray pdf;

    bool Pdf() const { return job.printer == QLatin1String("pdf"); }
    // Runs on one printer go one after the other; PDF runs need no order.
    QString Queue() const { return Pdf() ? QString() : job.printer; }
    QString Output() const { return Pdf() ? QStringLiteral("pdf (HTTP response)") : job.printer; }
    void Refuse(int code, const QString& text, bool recordIt)
    {
        status = code;
        message = text;
        record = recordIt;
        if (recordIt && outcome.Status == TPrintStatus::Printed)
            outcome.Status = TPrintStatus::Failed;
    }
};

QJsonObject RunJson(const THistoryRun& run)
{
    QJsonArray ranges;
    for (const auto& [first, last] : run.Labels)
        ranges.append(QJsonArray{qint64(first), qint64(last)});
    return QJsonObject{
        {QStringLiteral("id"), qint64(run.Id)},
        {QStringLiteral("started"), run.Started.toString(Qt::ISODateWithMs)},
        {QStringLiteral("finished"), run.Finished.toString(Qt::ISODateWithMs)},
        {QStringLiteral("user"), run.User},
        {QStringLiteral("label"), run.LabelPath},
        {QStringLiteral("data_source"), run.DataSource},
        {QStringLiteral("data_rows"), run.DataRows},
        {QStringLiteral("labels"), ranges},
        {QStringLiteral("painted"), qint64(run.LabelCount)},
        {QStringLiteral("pages"), run.Pages},
        {QStringLiteral("copies"), run.Copies},
        {QStringLiteral("output"), run.Output},
        {QStringLiteral("result"), HistoryResultName(run.Result)},
        {QStringLiteral("message"), run.Message},
        {QStringLiteral("reprint_of"), qint64(run.ReprintOf)},
    };
}

// A system printer for one run: runs on other threads have their own.
std::unique_ptr<TPrinter> NewSystemPrinter()
{
    if (qEnvironmentVariableIsSet("TAGMORA_PRINTERS"))
        return TStandInPrinter::FromPrinterList(qEnvironmentVariable("TAGMORA_PRINTERS"));
    return std::make_unique<TCupsPrinter>();
}

// Held shared by every run while it loads and draws its label, and alone
// while a run reads its pictures. A picture is read by a forked reader, and a fork copies only the
// thread that forks: a lock another run held in Qt's image code at that
// moment would stay locked in the reader for good, and the reader would
// stall until its time ran out.
std::shared_mutex gDrawing;

QString DataSourceOf(const TServeRun& run)
{
    return run.haveRows ? QStringLiteral("rows of the request") : QStringLiteral("datasheet of the label");
}

// Prints the run on the calling thread through a printer of its own. A run
// that does not print every label it should is refused and, once it has
// begun, recorded as it ended.
void PerformRun(TServeRun& run)
{
    std::unique_ptr<TPrinter> printer;
    TPdfPrinter* pdf = nullptr;
    if (run.Pdf()) {
        auto own = std::make_unique<TPdfPrinter>(600);
        own->SetInMemory(true);
        pdf = own.get();
        printer = std::move(own);
    } else if (run.job.zpl) {
        printer = std::make_unique<TZplPrinter>(run.job.profile.ZplSettings, run.job.printer);
    } else {
        printer = NewSystemPrinter();
    }
    // In place before the label opens, so the label takes its resolution and
    // paper from it (as print does).
    const TScopedPrinter scoped(*printer);
    std::shared_lock<std::shared_mutex> drawing(gDrawing);

    TLabelDocument document;
    try {
        if (run.reprint) {
            LoadRecordedRun(run.recorded, document);
            run.capture = run.recorded;
            run.capture.Started = QDateTime::currentDateTimeUtc();
        } else {
            cli::OpenLabel(document, run.labelFile);
            if (run.haveRows)
                LoadDataRowsCsv(run.rowsCsv, document.Data);
            document.FillFromCurrentRow();
            QFile labelFile(run.labelFile);
            const QByteArray bytes = labelFile.open(QIODevice::ReadOnly) ? labelFile.readAll() : QByteArray();
            run.capture = CaptureRun(document, run.labelFile, DataSourceOf(run), false, bytes);
        }
    } catch (const cli::Failure& e) {
        return run.Refuse(422, QString::fromUtf8(e.what()), false);
    } catch (const EHistoryError& e) {
        return run.Refuse(503, QString::fromUtf8(e.what()), false);
    } catch (const std::exception& e) {
        return run.Refuse(500, QString::fromUtf8(e.what()), false);
    }
    run.capture.User = run.user;
    run.outcome.Copies = run.job.copies;

    // Every picture is read before the run draws; a label printed without
    // one of its pictures would be a partial print.
    if (PictureCount(document.Plan()) > 0) {
        drawing.unlock();
        QStringList unreadable;
        {
            const std::unique_lock<std::shared_mutex> alone(gDrawing);
            unreadable = UnreadablePictures(document.Plan());
        }
        drawing.lock();
        if (!unreadable.isEmpty())
            return run.Refuse(422, unreadable.join(QStringLiteral("; ")), true);
    }

    const QStringList missing = MissingBoundColumns(document.Plan(), document.Data);
    if (!missing.isEmpty())
        return run.Refuse(422,
                          QStringLiteral("the data has no column %1, which the label is bound to")
                              .arg(QLatin1Char('\'') + missing.join(QStringLiteral("', '")) + QLatin1Char('\'')),
                          true);

    QString message;
    TPrintRequest print;
    print.Copies = run.job.copies;
    print.PrinterName = run.Pdf() ? QString() : run.job.printer;
    print.InvalidCodeProcess = 1;  // an invalid code aborts the run
    print.Title = QFileInfo(run.capture.LabelPath).completeBaseName();
    print.DiscardFileOnAbort = true;
    print.FirstLabel = run.job.labels.first;
    print.LastLabel = run.job.labels.second;
    print.OffsetMm = run.job.profile.OffsetMm;
    print.ScalePercent = run.job.profile.ScalePercent;
    print.Report = [&message](const QString& text, bool) { message = text.trimmed(); };
    print.Dialog = [](const TPrintDialogInfo& info, TPrintRequest&) {
        return info.Pages < 1 ? TPrintChoice::Cancel : TPrintChoice::Print;
    };
    try {
        run.outcome = PrintLabels(document.Plan(), document.Data, print);
    } catch (const std::exception& e) {
        return run.Refuse(500, QString::fromUtf8(e.what()), true);
    }
    const bool printed = run.outcome.Status == TPrintStatus::Printed && !run.outcome.Span.IsEmpty();
    if (!printed) {
        if (!run.outcome.AbortReason.isEmpty())
            message += QStringLiteral(" (%1)").arg(run.outcome.AbortReason);
        if (run.outcome.Status == TPrintStatus::Printed || run.outcome.Status == TPrintStatus::Cancelled) {
            run.outcome.Status = TPrintStatus::Failed;
            message = QStringLiteral("nothing to print (no labels)");
        }
        return run.Refuse(422, message.simplified().isEmpty() ? QStringLiteral("nothing printed") : message.simplified(),
                          true);
    }
    if (pdf) {
        run.pdf = pdf->Document();
        if (run.pdf.isEmpty())
            return run.Refuse(500, QStringLiteral("the PDF was not written"), true);
    }
    run.record = true;
}

class TPrintService : public QAbstractHttpServer {
public:
    explicit TPrintService(TServeSettings settings) : FSettings(std::move(settings))
    {
        FPool.setMaxThreadCount(FSettings.workers);
        FPool.setExpiryTimeout(-1);  // each worker keeps its fonts and caches
    }
    ~TPrintService() override { FPool.waitForDone(); }

    // Takes no more runs; those still waiting are recorded as not started
    // and answered so. The runs being printed go on to their end.
    void Stop()
    {
        FStopping = true;
        for (const std::shared_ptr<TServeRun>& run : FWaiting)
            NotStarted(*run);
        FWaiting.clear();
    }
    int Running() const { return FRunning; }

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override
    {
        std::optional<QHttpServerResponse> response = Answer(request, socket);
        if (response)
            response->write(makeResponder(request, socket));
        return true;
    }
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override
    {
        Error(404, QStringLiteral("no such resource")).write(makeResponder(request, socket));
    }

private:
    // The answer, or none when a run was queued that answers once printed.
    std::optional<QHttpServerResponse> Answer(const QHttpServerRequest& request, QTcpSocket* socket)
    {
        if (!FSettings.token.isEmpty() && !Authorized(request))
            return Error(401, QStringLiteral("a bearer token is required"));
        // The connection's guard has refused larger bodies unread; this
        // holds for any server in front of it.
        if (request.body().size() > FSettings.maxBody)
            return Error(413, QStringLiteral("the request is larger than %1 bytes").arg(FSettings.maxBody));
        const QString path = request.url().path();
        const bool get = request.method() == QHttpServerRequest::Method::Get;
        const bool post = request.method() == QHttpServerRequest::Method::Post;
        try {
            if (path == QLatin1String("/health") && get)
                return Json(QJsonObject{{QStringLiteral("status"), QStringLiteral("ok")}});
            if (path == QLatin1String("/labels") && get)
                return Json(QJsonArray::fromStringList(serve::LabelNames(FSettings.labels)));
            if (path == QLatin1String("/printers") && get)
                return Json(QJsonArray::fromStringList(Printer().Printers()));
            if (path == QLatin1String("/print") && post)
                return Queue(Print(request), request, socket);
            if (path.startsWith(QLatin1String("/runs/"))) {
                const QStringList parts = path.mid(6).split(QLatin1Char('/'));
                bool ok = false;
                const qint64 id = parts.front().toLongLong(&ok);
                if (!ok || id < 1)
                    return Error(404, QStringLiteral("no run '%1'").arg(parts.front()));
                if (parts.size() == 1 && get)
                    return Run(id);
                if (parts.size() == 2 && parts.back() == QLatin1String("reprint") && post)
                    return Queue(Reprint(request, id), request, socket);
            }
            return Error(404, QStringLiteral("no such resource: %1 %2")
                                  .arg(QString::fromLatin1(post ? "POST" : get ? "GET" : "request"), path));
        } catch (const TRefusal& r) {
            return Error(r.Status, r.Message);
        } catch (const EHistoryError& e) {
            return Error(503, QString::fromUtf8(e.what()));
        } catch (const std::exception& e) {
            return Error(500, QString::fromUtf8(e.what()));
        }
    }

    bool Authorized(const QHttpServerRequest& request) const
    {
        for (const auto& [name, value] : request.headers())
            if (name.compare("Authorization", Qt::CaseInsensitive) == 0)
                return value.startsWith("Bearer ") && serve::SameSecret(value.mid(7).trimmed(), FSettings.token);
        return false;
    }

    static bool IsCsv(const QHttpServerRequest& request)
    {
        for (const auto& [name, value] : request.headers())
            if (name.compare("Content-Type", Qt::CaseInsensitive) == 0)
                return value.trimmed().toLower().startsWith("text/csv");
        return false;
    }

    static QJsonObject JsonBody(const QHttpServerRequest& request, bool optional)
    {
        if (optional && request.body().trimmed().isEmpty())
            return QJsonObject();
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(request.body(), &error);
        if (error.error != QJsonParseError::NoError)
            throw TRefusal{400, QStringLiteral("bad JSON: %1 at offset %2").arg(error.errorString()).arg(error.offset)};
        if (!doc.isObject())
            throw TRefusal{400, QStringLiteral("bad JSON: the request is not an object")};
        return doc.object();
    }

    static QString Text(const QJsonObject& body, const char* key)
    {
        const QJsonValue v = body.value(QLatin1String(key));
        if (!v.isUndefined() && !v.isNull() && !v.isString())
            throw TRefusal{400, QStringLiteral("\"%1\" must be text").arg(QLatin1String(key))};
        return v.toString();
    }

    std::shared_ptr<TServeRun> Print(const QHttpServerRequest& request)
    {
        auto run = std::make_shared<TServeRun>();
        QString label;
        serve::TTable table;
        QString error;
        if (IsCsv(request)) {
            const QUrlQuery query = request.query();
            label = query.queryItemValue(QStringLiteral("label"), QUrl::FullyDecoded);
            run->job.printer = query.queryItemValue(QStringLiteral("printer"), QUrl::FullyDecoded);
            if (query.hasQueryItem(QStringLiteral("copies")))
                run->job.copies = Copies(QJsonValue(query.queryItemValue(QStringLiteral("copies")).toDouble()));
            if (!serve::TableFromCsv(request.body(), table, error))
                throw TRefusal{400, error};
            run->haveRows = true;
        } else {
            const QJsonObject body = JsonBody(request, false);
            label = Text(body, "label");
            run->job.printer = Text(body, "printer");
            if (body.contains(QLatin1String("copies")))
                run->job.copies = Copies(body.value(QLatin1String("copies")));
            if (body.contains(QLatin1String("rows"))) {
                const QJsonValue rows = body.value(QLatin1String("rows"));
                if (!rows.isArray())
                    throw TRefusal{400, QStringLiteral("\"rows\" must be a list of objects")};
                if (rows.toArray().size() > FSettings.maxRows)
                    throw TooManyRows(rows.toArray().size());
                if (!serve::TableFromJson(rows.toArray(), table, error))
                    throw TRefusal{400, error};
                run->haveRows = true;
            }
        }
        if (table.Rows.size() > size_t(FSettings.maxRows))
            throw TooManyRows(qsizetype(table.Rows.size()));
        if (run->job.printer.isEmpty())
            throw TRefusal{400, QStringLiteral("no printer named (\"printer\": a printer's name or \"pdf\")")};
        const serve::TLabelPath file = serve::ResolveLabel(FSettings.labels, label);
        if (file.Status != 200)
            throw TRefusal{file.Status, file.Error};
        CheckPrinter(run->job);
        run->labelFile = file.Path;
        if (run->haveRows) {
            run->rowsCsv = serve::TableCsv(table);
            run->rows = int(table.Rows.size());
        }
        return run;
    }

    std::shared_ptr<TServeRun> Reprint(const QHttpServerRequest& request, qint64 id)
    {
        const QJsonObject body = JsonBody(request, true);
        if (FSettings.history.isEmpty())
            throw TRefusal{404, QStringLiteral("the service records no print history")};
        const THistoryStore& store = Store();
        THistoryRun original;
        try {
            original = store.Run(id);
        } catch (const EHistoryError&) {
            throw TRefusal{404, QStringLiteral("no run %1").arg(id)};
        }
        auto run = std::make_shared<TServeRun>();
        TJob& job = run->job;
        job.copies = std::max(1, original.Copies);
        job.printer = Text(body, "printer");
        if (job.printer.isEmpty())
            job.printer = Printer().Printers().contains(original.Output) ? original.Output : QStringLiteral("pdf");
        if (body.contains(QLatin1String("copies")))
            job.copies = Copies(body.value(QLatin1String("copies")));
        const QString range = Text(body, "labels");
        if (!range.isEmpty()) {
            const qsizetype dash = range.indexOf(QLatin1Char('-'));
            bool okA = false, okB = true;
            const qint64 a = (dash < 0 ? range : range.left(dash)).trimmed().toLongLong(&okA);
            const qint64 b = dash < 0 ? a : range.mid(dash + 1).trimmed().toLongLong(&okB);
            if (!okA || !okB || a < 1 || b < a)
                throw TRefusal{400, QStringLiteral("\"labels\" takes A-B, label numbers from 1, not '%1'").arg(range)};
            job.labels = {a, b};
        } else if (!original.Labels.empty()) {
            job.labels = {original.Labels.front().first, original.Labels.back().second};
        }
        CheckPrinter(job);
        run->reprint = true;
        run->recorded = ReprintCapture(store, original);
        return run;
    }

    TRefusal TooManyRows(qsizetype rows) const
    {
        return TRefusal{413, QStringLiteral("%1 rows: more than %2 in one request").arg(rows).arg(FSettings.maxRows)};
    }

    static int Copies(const QJsonValue& v)
    {
        const double n = v.toDouble(-1);
        if (!v.isDouble() || n != double(int(n)) || n < 1 || n > 10000)
            throw TRefusal{400, QStringLiteral("\"copies\" takes a whole number from 1 to 10000")};
        return int(n);
    }

    // A printer's stored profile goes with every run on it, as with print.
    static void CheckPrinter(TJob& job)
    {
        if (job.printer == QLatin1String("pdf"))
            return;
        if (!TZplPrinter::IsSocketUri(job.printer) && !Printer().Printers().contains(job.printer))
            throw TRefusal{400, QStringLiteral("no printer named '%1'").arg(job.printer)};
        job.profile = LoadPrinterProfile(*OpenUserSettings(), job.printer);
        job.zpl = TZplPrinter::TakesZpl(job.printer, job.profile);
    }

    // Takes the run into its printer's queue; the answer comes once it is
    // printed. Refused when the service is stopping or has all the runs it
    // takes at once.
    std::optional<QHttpServerResponse> Queue(std::shared_ptr<TServeRun> run, const QHttpServerRequest& request,
                                             QTcpSocket* socket)
    {
        if (FStopping)
            return Error(503, QStringLiteral("the service is stopping"));
        if (int(FWaiting.size()) + FRunning >= FSettings.maxRuns) {
            QHttpServerResponse busy = Error(429, QStringLiteral("%1 runs are printing or waiting; try again shortly")
                                                      .arg(int(FWaiting.size()) + FRunning));
            busy.addHeader(QByteArrayLiteral("Retry-After"), QByteArrayLiteral("1"));
            return busy;
        }
        run->user = QStringLiteral("http %1").arg(request.remoteAddress().toString());
        run->request = &request;
        run->socket = socket;
        FWaiting.push_back(std::move(run));
        Dispatch();
        return std::nullopt;
    }

    // Starts the first waiting runs whose printer is free, while workers are.
    void Dispatch()
    {
        for (auto it = FWaiting.begin(); it != FWaiting.end() && FRunning < FSettings.workers;) {
            const QString queue = (*it)->Queue();
            if (!queue.isEmpty() && FBusy.contains(queue)) {
                ++it;
                continue;
            }
            std::shared_ptr<TServeRun> run = *it;
            it = FWaiting.erase(it);
            if (!queue.isEmpty())
                FBusy.insert(queue);
            ++FRunning;
            FPool.start([this, run] {
                // Nothing may leave a worker thread: that would end the service.
                try {
                    PerformRun(*run);
                } catch (const std::exception& e) {
                    run->Refuse(500, QString::fromUtf8(e.what()), false);
                } catch (...) {
                    run->Refuse(500, QStringLiteral("the run failed"), false);
                }
                QMetaObject::invokeMethod(this, [this, run] { Finished(*run); }, Qt::QueuedConnection);
            });
        }
    }

    void Finished(TServeRun& run)
    {
        --FRunning;
        FBusy.remove(run.Queue());
        const int64_t id =
            run.record ? Record(HistoryEntry(run.capture, run.outcome, run.Output(), run.message), run.capture) : 0;
        if (run.status != 200) {
            Reply(run, Error(run.status, run.message));
        } else if (run.Pdf()) {
            QHttpServerResponse response(QByteArrayLiteral("application/pdf"), run.pdf, TStatus::Ok);
            response.addHeader(QByteArrayLiteral("X-Tagmora-Run"), QByteArray::number(qint64(id)));
            Reply(run, std::move(response));
        } else {
            Reply(run, Json(QJsonObject{{QStringLiteral("run"), qint64(id)},
                                        {QStringLiteral("labels"), qint64(run.outcome.Painted)},
                                        {QStringLiteral("pages"), run.outcome.Pages}}));
        }
        if (!FStopping)
            Dispatch();
    }

    // A client that went away gets nothing; its run stands as recorded.
    void Reply(const TServeRun& run, QHttpServerResponse response)
    {
        if (run.socket)
            response.write(makeResponder(*run.request, run.socket));
    }

    void NotStarted(TServeRun& run)
    {
        int64_t id = 0;
        if (!FSettings.history.isEmpty()) {
            THistoryCapture capture = run.recorded;
            if (!run.reprint) {
                QFile labelFile(run.labelFile);
                if (labelFile.open(QIODevice::ReadOnly))
                    capture.LabelContent = labelFile.readAll();
                capture.LabelPath = run.labelFile;
                capture.DataSource = DataSourceOf(run);
                capture.DataCsv = run.rowsCsv;
                capture.DataRows = run.rows;
            }
            capture.User = run.user;
            capture.Started = QDateTime::currentDateTimeUtc();
            TPrintOutcome outcome;
            outcome.Copies = run.job.copies;
            THistoryRun entry = HistoryEntry(capture, outcome, run.Output(), QString());
            entry.Result = THistoryResult::NotStarted;
            entry.Message = QStringLiteral("the service stopped before the run began");
            id = Record(entry, capture);
        }
        QJsonObject answer{{QStringLiteral("error"), QStringLiteral("the service stopped before the run began")}};
        if (id > 0)
            answer.insert(QStringLiteral("run"), qint64(id));
        Reply(run, Json(answer, 503));
    }

    // The history, opened on first use and kept open; throws EHistoryError.
    THistoryStore& Store()
    {
        if (!FStore)
            FStore = std::make_unique<THistoryStore>(FSettings.history);
        return *FStore;
    }

    // Records the run in the history; 0 when the
    // service records none or could not (with a warning).
    int64_t Record(THistoryRun entry, const THistoryCapture& capture)
    {
        if (FSettings.history.isEmpty())
            return 0;
        QString warning;
        int64_t id = 0;
        try {
            id = RecordRun(Store(), entry, capture, warning);
        } catch (const std::exception& e) {
            warning = QString::fromUtf8(e.what());
        }
        if (id == 0) {
            // Opened afresh next time: a server may have gone and come back.
            FStore.reset();
            cli::Report(QStringLiteral("warning: the run was not recorded: %1").arg(warning));
        }
        return id;
    }

    QHttpServerResponse Run(qint64 id)
    {
        if (FSettings.history.isEmpty())
            throw TRefusal{404, QStringLiteral("the service records no print history")};
        const THistoryStore& store = Store();
        try {
            return Json(RunJson(store.Run(id)));
        } catch (const EHistoryError&) {
            throw TRefusal{404, QStringLiteral("no run %1").arg(id)};
        }
    }

    TServeSettings FSettings;
    std::unique_ptr<THistoryStore> FStore;
    QThreadPool FPool;
    std::list<std::shared_ptr<TServeRun>> FWaiting;  // in the order they came
    QSet<QString> FBusy;                             // printers with a run printing
    int FRunning = 0;
    bool FStopping = false;
};

}  // namespace

const cli::TOptions& ServeOptions()
{
    static const cli::TOptions options = {
        {nullptr, "labels", "DIR", "serve the label files (.blf) directly inside this folder (required)"},
        {nullptr, "listen", "HOST:PORT",
         "the address and port to listen on (default 127.0.0.1:8631); an address other than the loopback needs "
         "--token-file"},
        {nullptr, "token-file", "F",
         "every request must carry the token this file holds (its first line): Authorization: Bearer TOKEN"},
        {nullptr, "max-body", "BYTES", "refuse a larger request with 413, 1024 to 1073741824 (default 4194304)"},
        {nullptr, "max-rows", "N", "refuse a request with more data rows with 413, 1 to 1000000 (default 5000)"},
        {nullptr, "workers", "N", "print up to N runs at once, 1 to 64 (default: the processor cores, at least 2)"},
        {nullptr, "max-runs", "N",
         "take up to N runs at once, printing or waiting, and refuse more with 429, 1 to 100000 (default 64)"},
        {nullptr, "history", "URL|PATH", "the print history every run is recorded in, as for print"},
        {nullptr, "no-history", nullptr, "record nothing"},
    };
    return options;
}

int CmdServe(const cli::TArguments& args)
{
    if (!args.Positional.isEmpty())
        throw cli::UsageError(QStringLiteral("takes no arguments, only options"));
    TServeSettings settings;
    settings.labels = args.Value("labels");
    if (settings.labels.isEmpty())
        throw cli::UsageError(QStringLiteral("--labels DIR is required"));
    if (!QFileInfo(settings.labels).isDir())
        throw cli::Failure(settings.labels, QStringLiteral("no such folder"));
    settings.labels = QFileInfo(settings.labels).canonicalFilePath();
    settings.history = cli::HistoryLocation(args);
    if (args.IsSet("max-body"))
        settings.maxBody = cli::IntValue("max-body", args.Value("max-body"), 1024, 1073741824);
    if (args.IsSet("max-rows"))
        settings.maxRows = cli::IntValue("max-rows", args.Value("max-rows"), 1, 1000000);
    settings.workers = std::clamp(QThread::idealThreadCount(), 2, 64);
    if (args.IsSet("workers"))
        settings.workers = cli::IntValue("workers", args.Value("workers"), 1, 64);
    if (args.IsSet("max-runs"))
        settings.maxRuns = cli::IntValue("max-runs", args.Value("max-runs"), 1, 100000);

    const QString listen = args.IsSet("listen") ? args.Value("listen") : QStringLiteral("127.0.0.1:8631");
    const qsizetype colon = listen.lastIndexOf(QLatin1Char(':'));
    QString host = colon < 0 ? QString() : listen.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    const QHostAddress address(host);
    if (colon < 0 || address.isNull())
        throw cli::UsageError(QStringLiteral("--listen takes an address and a port, HOST:PORT, not '%1'").arg(listen));
    const int port = cli::IntValue("listen", listen.mid(colon + 1), 0, 65535);
    if (args.IsSet("token-file")) {
        QFile tokenFile(args.Value("token-file"));
        if (!tokenFile.open(QIODevice::ReadOnly))
            throw cli::Failure(tokenFile.fileName(), QStringLiteral("cannot read the token"));
        settings.token = tokenFile.readLine().trimmed();
        if (settings.token.size() < 16)
            throw cli::Failure(tokenFile.fileName(), QStringLiteral("the token is shorter than 16 characters"));
    }
    if (!address.isLoopback() && settings.token.isEmpty())
        throw cli::UsageError(
            QStringLiteral("--listen %1 is not the loopback: give --token-file to serve on it").arg(listen));

    // The system's printers are listed here, on the main thread, before
    // any run starts.
    Printer().Printers();
    TPrintService service(settings);
    auto* server = new TGuardedTcpServer(settings.maxBody, &service);
    if (!server->listen(address, quint16(port)))
        throw cli::Failure(listen, QStringLiteral("cannot listen: %1").arg(server->errorString()));
    service.bind(server);

    const cli::TStopSignals stop;

    // Once the signal is seen no connection is taken any more and the runs
    // still waiting are let go; when the last run being printed has been
    // answered, the answers get a moment to leave.
    QTimer poll;
    bool stopping = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!stop.Requested())
            return;
        if (!stopping) {
            stopping = true;
            server->close();
            service.Stop();
        }
        if (service.Running() > 0)
            return;
        poll.stop();
        QTimer::singleShot(300, [] { QCoreApplication::exit(0); });
    });
    poll.start(50);
    cli::Report(QStringLiteral("serving %1 on http://%2:%3/")
                    .arg(settings.labels, address.protocol() == QAbstractSocket::IPv6Protocol
                                              ? QLatin1Char('[') + address.toString() + QLatin1Char(']')
                                              : address.toString())
                    .arg(server->serverPort()));
    QCoreApplication::exec();
    cli::Report(QStringLiteral("stopped"));
    return cli::ExitOk;
}
