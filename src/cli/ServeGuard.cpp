#include "cli/ServeGuard.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTimer>

#include <sys/socket.h>

serve::THeadCheck serve::CheckHead(const QByteArray& head, qint64 maxBody)
{
    THeadCheck check;
    const QList<QByteArray> lines = head.split('\n');
    bool haveLength = false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "transfer-encoding" && value.toLower() != "identity")
            return {411, QStringLiteral("send the body with a Content-Length, not as %1")
                             .arg(QString::fromLatin1(value.left(40)))};
        if (name != "content-length")
            continue;
        bool ok = false;
        const qint64 length = value.toLongLong(&ok);
        if (!ok || length < 0 || (haveLength && length != check.BodyLength))
            return {400, QStringLiteral("bad Content-Length")};
        haveLength = true;
        check.BodyLength = length;
    }
    if (check.BodyLength > maxBody)
        return {413, QStringLiteral("the request is larger than %1 bytes").arg(maxBody)};
    return check;
}

serve::THeadCheck serve::TRequestFraming::Feed(const QByteArray& bytes)
{
    constexpr qint64 kMaxHead = TGuardedTcpServer::kMaxHead;
    qsizetype at = 0;
    while (at < bytes.size()) {
        if (FBodyLeft > 0) {
            const qint64 taken = std::min<qint64>(FBodyLeft, bytes.size() - at);
            FBodyLeft -= taken;
            at += taken;
            continue;
        }
        const qsizetype before = FHead.size();
        FHead += bytes.mid(at, kMaxHead + 4 - before);
        const qsizetype end = FHead.indexOf("\r\n\r\n");
        if (end < 0) {
            if (FHead.size() > kMaxHead)
                return {431, QStringLiteral("the request head is longer than %1 bytes").arg(kMaxHead)};
            return {};
        }
        const THeadCheck check = CheckHead(FHead.left(end), FMaxBody);
        if (check.Status != 0)
            return check;
        ++FRequests;
        at += end + 4 - before;
        FBodyLeft = check.BodyLength;
        FHead.clear();
    }
    return {};
}

namespace {

// Watches one connection: reads each request head as it arrives and refuses
// the request before the server sees it, or lets it through and counts its
// body to find the next head.
class TRequestGuard : public QObject {
public:
    TRequestGuard(QTcpSocket* socket, qint64 maxBody) : QObject(socket), FSocket(socket), FFraming(maxBody)
    {
        connect(socket, &QTcpSocket::readyRead, this, &TRequestGuard::Look);
    }

private:
    void Look()
    {
        if (FRefused) {
            // Thrown away, so the client can read the answer before the end.
            FSocket->readAll();
            return;
        }
        const serve::THeadCheck check = FFraming.Feed(FSocket->peek(FSocket->bytesAvailable()));
        if (check.Status != 0)
            Refuse(check.Status, check.Message);
    }

    // Answers in place of the server, which reads nothing more of this
    // connection, then ends it once the client has had the answer.
    void Refuse(int status, const QString& message)
    {
        FRefused = true;
        disconnect(FSocket, &QTcpSocket::readyRead, nullptr, nullptr);
        connect(FSocket, &QTcpSocket::readyRead, this, &TRequestGuard::Look);
        FSocket->readAll();
        static const struct {
            int status;
            const char* reason;
        } reasons[] = {{400, "Bad Request"},
                       {411, "Length Required"},
                       {413, "Payload Too Large"},
                       {431, "Request Header Fields Too Large"}};
        QByteArray reason = "Error";
        for (const auto& r : reasons)
            if (r.status == status)
                reason = r.reason;
        const QByteArray body =
            QJsonDocument(QJsonObject{{QStringLiteral("error"), message}}).toJson(QJsonDocument::Compact);
        FSocket->write("HTTP/1.1 " + QByteArray::number(status) + ' ' + reason +
                       "\r\nContent-Type: application/json\r\nConnection: close\r\nContent-Length: " +
                       QByteArray::number(body.size()) + "\r\n\r\n" + body);
        FSocket->flush();
        // The end of the answer goes out now; the rest of the body the client
        // still sends is read and dropped for a moment, as closing a socket
        // with unread data resets it and may take the answer with it.
        ::shutdown(int(FSocket->socketDescriptor()), SHUT_WR);
        QTimer::singleShot(2000, FSocket, [socket = FSocket] { socket->abort(); });
        connect(FSocket, &QTcpSocket::disconnected, FSocket, [socket = FSocket] { socket->abort(); });
    }

    QTcpSocket* FSocket;
    serve::TRequestFraming FFraming;
    bool FRefused = false;
};

}  // namespace

TGuardedTcpServer::TGuardedTcpServer(qint64 maxBody, QObject* parent) : QTcpServer(parent), FMaxBody(maxBody) {}

void TGuardedTcpServer::incomingConnection(qintptr socketDescriptor)
{
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(socketDescriptor)) {
        delete socket;
        return;
    }
    // Made before the HTTP server takes the connection, so the guard sees
    // every arrival first.
    new TRequestGuard(socket, FMaxBody);
    addPendingConnection(socket);
}
