// The listening socket of the print service, with a guard on every
// connection that reads each request's head before the HTTP server reads
// anything of it: a request whose body is declared larger than the limit, or
// that does not declare its length (chunked), or whose head is too long, is
// answered at once (413, 411, 431) and its bytes are thrown away as they
// come, so a client can never make the service hold more than the limit.
//
// The guard counts on the server reading all that has arrived whenever the
// socket says more is there (as Qt's HTTP server does); it looks at those
// bytes just before.
#pragma once

#include <QTcpServer>

class TGuardedTcpServer : public QTcpServer {
public:
    TGuardedTcpServer(qint64 maxBody, QObject* parent = nullptr);

    // The longest request head taken (request line and headers).
    static constexpr qint64 kMaxHead = 64 * 1024;

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    qint64 FMaxBody;
};

namespace serve {

// What the head of a request declares of its body.
struct THeadCheck {
    int Status = 0;  // 0: take it; else the status to refuse it with
    QString Message;
    qint64 BodyLength = 0;
};
// head: the request line and headers without the blank line.
THeadCheck CheckHead(const QByteArray& head, qint64 maxBody);

// Follows the requests of one connection through its bytes as they arrive,
// in pieces of any size: each head is checked once whole, each body counted
// to find the next head.
class TRequestFraming {
public:
    explicit TRequestFraming(qint64 maxBody) : FMaxBody(maxBody) {}
    // Takes the next bytes; a check with a Status refuses the request (the
    // bytes after it are not looked at).
    THeadCheck Feed(const QByteArray& bytes);
    // The heads taken so far.
    int Requests() const { return FRequests; }

private:
    qint64 FMaxBody;
    QByteArray FHead;     // of the request being read
    qint64 FBodyLeft = 0;
    int FRequests = 0;
};

}  // namespace serve
