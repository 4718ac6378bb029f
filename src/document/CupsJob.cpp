#include "document/CupsJob.h"

#include "document/OutputFile.h"
#include "document/Printer.h"
#include "document/Tr.h"

#include <QCoreApplication>

#include <cups/cups.h>

#include <stdexcept>

namespace {

// What the queue says about itself ("Paper jam", the reason given to
// cupsreject); empty when it says nothing.
QString QueueStateMessage(const QByteArray& queue)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                     queue.constData());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "printer-state-message");
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    QString message;
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT))
        message = QString::fromUtf8(ippGetString(a, 0, nullptr)).trimmed();
    ippDelete(response);
    return message;
}

[[noreturn]] void Refused(const QString& queue, const QByteArray& name)
{
    QString reason = QString::fromUtf8(cupsLastErrorString()).trimmed();
    const QString unreachable = CupsUnreachable();
    if (!unreachable.isEmpty()) {
        reason = unreachable;
    } else {
        const QString state = QueueStateMessage(name);
        if (!state.isEmpty() && !reason.contains(state))
            reason += QStringLiteral(" (") + state + QLatin1Char(')');
    }
    throw EPrinterError(Tr("CupsJob", "The printer %1 did not take the job: %2").arg(queue, reason));
}

}  // namespace

namespace {

int SendJob(const QString& queue, const QString& title, const TCupsOptions& options, const char* format,
            TCheckedWriter& data)
{
    // A queue's instance ("Queue/draft") only chooses options: the job goes to the queue.
    const QByteArray name = queue.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QByteArray jobTitle = title.toUtf8();
    cups_option_t* cupsOptions = nullptr;
    int count = 0;
    for (const auto& [key, value] : options)
        count = cupsAddOption(key.constData(), value.constData(), count, &cupsOptions);
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, name.constData(), jobTitle.constData(), count, cupsOptions);
    cupsFreeOptions(count, cupsOptions);
    if (job <= 0)
        Refused(queue, name);
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, name.constData(), job, jobTitle.constData(), format, 1) !=
        HTTP_STATUS_CONTINUE) {
        cupsCancelJob2(CUPS_HTTP_DEFAULT, name.constData(), job, 0);
        Refused(queue, name);
    }
    const bool sent = data.ReadBack([](const char* chunk, qint64 size) {
        return cupsWriteRequestData(CUPS_HTTP_DEFAULT, chunk, size_t(size)) == HTTP_STATUS_CONTINUE;
    });
    const bool finished = cupsFinishDocument(CUPS_HTTP_DEFAULT, name.constData()) == IPP_STATUS_OK;
    if (!sent || !finished) {
        cupsCancelJob2(CUPS_HTTP_DEFAULT, name.constData(), job, 0);
        if (data.Error())
            throw EOutputFileError(Tr("CupsJob", "the print job"), data.errorString());
        Refused(queue, name);
    }
    return job;
}

}  // namespace

int SendPdfJob(const QString& queue, const QString& title, const TCupsOptions& options, TCheckedWriter& pdf)
{
    return SendJob(queue, title, options, CUPS_FORMAT_PDF, pdf);
}

int SendRawJob(const QString& queue, const QString& title, TCheckedWriter& data)
{
    return SendJob(queue, title, {}, CUPS_FORMAT_RAW, data);
}

bool IsRawQueue(const QString& queue)
{
    const QByteArray name = queue.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                     name.constData());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-make-and-model");
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    bool raw = false;
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-make-and-model", IPP_TAG_TEXT))
        raw = qstrcmp(ippGetString(a, 0, nullptr), "Local Raw Printer") == 0;
    ippDelete(response);
    return raw;
}

QString CupsUnreachable()
{
    const char* server = cupsServer();
    http_t* http = httpConnect2(server, ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr);
    if (http) {
        httpClose(http);
        return QString();
    }
    const QString where = server[0] == '/' ? QString::fromLocal8Bit(server)
                                           : QStringLiteral("%1:%2").arg(QString::fromLocal8Bit(server)).arg(ippPort());
    return Tr("CupsJob", "cannot reach the print system at %1").arg(where);
}
