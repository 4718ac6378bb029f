// What the print service reads of a request: the framing of a connection's
// bytes (heads and bodies, in pieces of any size) and the data rows of a
// body as CSV or JSON. Whatever the pieces, the framing decides the same;
// rows taken are written back as CSV that reads back as the same rows.
#include "FuzzSupport.h"

#include "cli/ServeGuard.h"
#include "cli/ServeRequest.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cstdlib>

TAGMORA_FUZZ_INIT

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

struct TFramed {
    int Status = 0;
    int Requests = 0;
};

// The stream fed in pieces of `piece` bytes (0: whole).
TFramed Frame(const QByteArray& stream, qsizetype piece)
{
    serve::TRequestFraming framing(4096);
    const qsizetype step = piece > 0 ? piece : std::max<qsizetype>(1, stream.size());
    for (qsizetype at = 0; at < stream.size(); at += step) {
        const serve::THeadCheck check = framing.Feed(stream.mid(at, step));
        if (check.Status != 0)
            return {check.Status, framing.Requests()};
    }
    return {0, framing.Requests()};
}

void RoundTrip(const serve::TTable& table)
{
    serve::TTable back;
    QString error;
    Require(serve::TableFromCsv(serve::TableCsv(table), back, error));
    Require(back.Columns == table.Columns && back.Rows == table.Rows);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const QByteArray input(reinterpret_cast<const char*>(data) + 2, qsizetype(size) - 2);
    switch (data[0] % 3) {
    case 0: {
        const TFramed whole = Frame(input, 0);
        for (const qsizetype piece : {qsizetype(1), qsizetype(1 + data[1] % 64)}) {
            const TFramed pieces = Frame(input, piece);
            Require(pieces.Status == whole.Status && pieces.Requests == whole.Requests);
        }
        break;
    }
    case 1: {
        serve::TTable table;
        QString error;
        if (serve::TableFromCsv(input, table, error))
            RoundTrip(table);
        break;
    }
    default: {
        const QJsonDocument doc = QJsonDocument::fromJson(input);
        serve::TTable table;
        QString error;
        if (doc.isArray() && serve::TableFromJson(doc.array(), table, error))
            RoundTrip(table);
        break;
    }
    }
    return 0;
}
