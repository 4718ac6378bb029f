// tagmora-cli serve --labels DIR [--listen HOST:PORT] [--token-file F]: a
// print service over HTTP for order, stock and lab systems. It prints the
// .blf files of one folder with the rows a request sends, through the same
// print job as "tagmora-cli print", records every run in the print history
// and answers with the run's number (and the PDF for the printer "pdf").
//
// Requests are served one at a time on the main thread: the print job uses
// the one current printer of the process, so runs never overlap, and a
// SIGTERM or SIGINT ends the service after the request in hand.
#include "cli/CliCommands.h"
#include "cli/CliFiles.h"
#include "cli/ServeRequest.h"
#include "document/CupsJob.h"
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
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrlQuery>

#include <memory>

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
};

// What a print or a reprint asks for.
struct TJob {
    QString printer;  // a queue's name, or "pdf"
    int copies = 1;
    std::pair<int64_t, int64_t> labels{0, 0};
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

class TPrintService : public QAbstractHttpServer {
public:
    explicit TPrintService(TServeSettings settings) : FSettings(std::move(settings)) {}

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override
    {
        QHttpServerResponse response = Answer(request);
        response.write(makeResponder(request, socket));
        return true;
    }
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override
    {
        Error(404, QStringLiteral("no such resource")).write(makeResponder(request, socket));
    }

private:
    QHttpServerResponse Answer(const QHttpServerRequest& request)
    {
        if (!FSettings.token.isEmpty() && !Authorized(request))
            return Error(401, QStringLiteral("a bearer token is required"));
        // Qt's server has read the whole body by now; a request over the
        // limit is refused before any of it is looked at.
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
                return Print(request);
            if (path.startsWith(QLatin1String("/runs/"))) {
                const QStringList parts = path.mid(6).split(QLatin1Char('/'));
                bool ok = false;
                const qint64 id = parts.front().toLongLong(&ok);
                if (!ok || id < 1)
                    return Error(404, QStringLiteral("no run '%1'").arg(parts.front()));
                if (parts.size() == 1 && get)
                    return Run(id);
                if (parts.size() == 2 && parts.back() == QLatin1String("reprint") && post)
                    return Reprint(request, id);
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

    QHttpServerResponse Print(const QHttpServerRequest& request)
    {
        QString label;
        TJob job;
        serve::TTable table;
        bool haveRows = false;
        QString error;
        if (IsCsv(request)) {
            const QUrlQuery query = request.query();
            label = query.queryItemValue(QStringLiteral("label"), QUrl::FullyDecoded);
            job.printer = query.queryItemValue(QStringLiteral("printer"), QUrl::FullyDecoded);
            if (query.hasQueryItem(QStringLiteral("copies")))
                job.copies = Copies(QJsonValue(query.queryItemValue(QStringLiteral("copies")).toDouble()));
            if (!serve::TableFromCsv(request.body(), table, error))
                throw TRefusal{400, error};
            haveRows = true;
        } else {
            const QJsonObject body = JsonBody(request, false);
            label = Text(body, "label");
            job.printer = Text(body, "printer");
            if (body.contains(QLatin1String("copies")))
                job.copies = Copies(body.value(QLatin1String("copies")));
            if (body.contains(QLatin1String("rows"))) {
                const QJsonValue rows = body.value(QLatin1String("rows"));
                if (!rows.isArray())
                    throw TRefusal{400, QStringLiteral("\"rows\" must be a list of objects")};
                if (rows.toArray().size() > FSettings.maxRows)
                    throw TooManyRows(rows.toArray().size());
                if (!serve::TableFromJson(rows.toArray(), table, error))
                    throw TRefusal{400, error};
                haveRows = true;
            }
        }
        if (table.Rows.size() > size_t(FSettings.maxRows))
            throw TooManyRows(qsizetype(table.Rows.size()));
        if (job.printer.isEmpty())
            throw TRefusal{400, QStringLiteral("no printer named (\"printer\": a printer's name or \"pdf\")")};
        const serve::TLabelPath file = serve::ResolveLabel(FSettings.labels, label);
        if (file.Status != 200)
            throw TRefusal{file.Status, file.Error};
        CheckPrinter(job.printer);

        return RunJob(job, request, [&](TLabelDocument& document) {
            cli::OpenLabel(document, file.Path);
            if (haveRows)
                LoadDataRowsCsv(serve::TableCsv(table), document.Data);
            document.FillFromCurrentRow();
            QFile labelFile(file.Path);
            const QByteArray bytes = labelFile.open(QIODevice::ReadOnly) ? labelFile.readAll() : QByteArray();
            THistoryCapture capture =
                CaptureRun(document, file.Path,
                           haveRows ? QStringLiteral("rows of the request") : QStringLiteral("datasheet of the label"),
                           false, bytes);
            return capture;
        });
    }

    QHttpServerResponse Reprint(const QHttpServerRequest& request, qint64 id)
    {
        const QJsonObject body = JsonBody(request, true);
        if (FSettings.history.isEmpty())
            throw TRefusal{404, QStringLiteral("the service records no print history")};
        auto store = std::make_unique<THistoryStore>(FSettings.history);
        THistoryRun original;
        try {
            original = store->Run(id);
        } catch (const EHistoryError&) {
            throw TRefusal{404, QStringLiteral("no run %1").arg(id)};
        }
        TJob job;
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
        CheckPrinter(job.printer);
        return RunJob(job, request, [&](TLabelDocument& document) {
            LoadRecordedRun(*store, original, document);
            return ReprintCapture(*store, original);
        });
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

    static void CheckPrinter(const QString& printer)
    {
        if (printer == QLatin1String("pdf") || TZplPrinter::IsSocketUri(printer))
            return;
        if (!Printer().Printers().contains(printer))
            throw TRefusal{400, QStringLiteral("no printer named '%1'").arg(printer)};
    }

    // Prints the document that load fills (and whose capture it returns)
    // onto the job's printer, records the run and answers with it. A run
    // that does not print every label it should is refused and recorded as
    // it ended.
    template <typename Load>
    QHttpServerResponse RunJob(const TJob& job, const QHttpServerRequest& request, Load load)
    {
        const bool pdf = job.printer == QLatin1String("pdf");
        QTemporaryDir tempDir;
        const QString pdfPath = tempDir.filePath(QStringLiteral("run.pdf"));
        // The printer is in place before the label opens, so the label takes
        // its resolution and paper from it (as print does).
        std::unique_ptr<TPrinter> own;
        if (pdf) {
            own = std::make_unique<TPdfPrinter>(600);
            own->SetOutputFileName(pdfPath);
        } else if (TZplPrinter::IsSocketUri(job.printer) || IsRawQueue(job.printer)) {
            own = std::make_unique<TZplPrinter>(TZplSettings(), job.printer);
        }
        std::unique_ptr<TScopedPrinter> guard;
        if (own)
            guard = std::make_unique<TScopedPrinter>(*own);

        TLabelDocument document;
        THistoryCapture capture;
        try {
            capture = load(document);
        } catch (const cli::Failure& e) {
            throw TRefusal{422, QString::fromUtf8(e.what())};
        }
        capture.User = QStringLiteral("http %1").arg(request.remoteAddress().toString());
        const QString output = pdf ? QStringLiteral("pdf (HTTP response)") : job.printer;
        auto record = [&](TPrintOutcome outcome, const QString& text) -> int64_t {
            if (FSettings.history.isEmpty())
                return 0;
            return cli::RecordInHistory(FSettings.history, HistoryEntry(capture, outcome, output, text), capture);
        };
        auto refuse = [&](int status, const QString& text) {
            TPrintOutcome failed;
            failed.Status = TPrintStatus::Failed;
            record(failed, text);
            return TRefusal{status, text};
        };

        const QStringList missing = MissingBoundColumns(document.Plan(), document.Data);
        if (!missing.isEmpty())
            throw refuse(422, QStringLiteral("the data has no column %1, which the label is bound to")
                                  .arg(QLatin1Char('\'') + missing.join(QStringLiteral("', '")) + QLatin1Char('\'')));

        QString message;
        TPrintRequest print;
        print.Copies = job.copies;
        print.PrinterName = pdf ? QString() : job.printer;
        print.InvalidCodeProcess = 1;  // an invalid code aborts the run
        print.Title = QFileInfo(capture.LabelPath).completeBaseName();
        print.DiscardFileOnAbort = true;
        print.FirstLabel = job.labels.first;
        print.LastLabel = job.labels.second;
        print.Report = [&message](const QString& text, bool) { message = text.trimmed(); };
        print.Dialog = [](const TPrintDialogInfo& info, TPrintRequest&) {
            return info.Pages < 1 ? TPrintChoice::Cancel : TPrintChoice::Print;
        };
        TPrintOutcome outcome;
        try {
            outcome = PrintLabels(document.Plan(), document.Data, print);
        } catch (const std::exception& e) {
            throw refuse(500, QString::fromUtf8(e.what()));
        }
        const bool printed = outcome.Status == TPrintStatus::Printed && !outcome.Span.IsEmpty();
        if (!printed) {
            if (!outcome.AbortReason.isEmpty())
                message += QStringLiteral(" (%1)").arg(outcome.AbortReason);
            if (outcome.Status == TPrintStatus::Printed || outcome.Status == TPrintStatus::Cancelled) {
                outcome.Status = TPrintStatus::Failed;
                message = QStringLiteral("nothing to print (no labels)");
            }
            const QString text = message.simplified().isEmpty() ? QStringLiteral("nothing printed") : message.simplified();
            record(outcome, text);
            throw TRefusal{422, text};
        }
        QByteArray bytes;
        if (pdf) {
            QFile file(pdfPath);
            if (!file.open(QIODevice::ReadOnly))
                throw refuse(500, QStringLiteral("the PDF was not written"));
            bytes = file.readAll();
        }
        const int64_t id = record(outcome, QString());
        if (pdf) {
            QHttpServerResponse response(QByteArrayLiteral("application/pdf"), bytes, TStatus::Ok);
            response.addHeader(QByteArrayLiteral("X-Tagmora-Run"), QByteArray::number(qint64(id)));
            return response;
        }
        return Json(QJsonObject{{QStringLiteral("run"), qint64(id)},
                                {QStringLiteral("labels"), qint64(outcome.Painted)},
                                {QStringLiteral("pages"), outcome.Pages}});
    }

    QHttpServerResponse Run(qint64 id)
    {
        if (FSettings.history.isEmpty())
            throw TRefusal{404, QStringLiteral("the service records no print history")};
        const THistoryStore store(FSettings.history);
        try {
            return Json(RunJson(store.Run(id)));
        } catch (const EHistoryError&) {
            throw TRefusal{404, QStringLiteral("no run %1").arg(id)};
        }
    }

    TServeSettings FSettings;
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

    TPrintService service(settings);
    auto* server = new QTcpServer(&service);
    if (!server->listen(address, quint16(port)))
        throw cli::Failure(listen, QStringLiteral("cannot listen: %1").arg(server->errorString()));
    service.bind(server);

    const cli::TStopSignals stop;

    // Requests are answered as they come, one at a time; the signal is seen
    // between them. Once it is, no connection is taken any more and the
    // answers already written get a moment to leave.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!stop.Requested())
            return;
        poll.stop();
        server->close();
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
