// A network label printer's raw port in tests: listens on the loopback,
// takes one connection and keeps what it receives. A held port takes the
// connection but reads nothing until released, like a printer out of labels.
#pragma once

#include <QByteArray>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace testsupport {

// Port 0 picks a free one.
class RawPort {
public:
    explicit RawPort(uint16_t port, bool held = false) : FHeld(held)
    {
        FSocket = ::socket(AF_INET, SOCK_STREAM, 0);
        const int on = 1;
        ::setsockopt(FSocket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        if (held) {
            const int small = 4096;
            ::setsockopt(FSocket, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        }
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(port);
        if (::bind(FSocket, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(FSocket, 1) != 0) {
            ::close(FSocket);
            FSocket = -1;
            return;
        }
        socklen_t size = sizeof a;
        ::getsockname(FSocket, reinterpret_cast<sockaddr*>(&a), &size);
        Port = ntohs(a.sin_port);
        FThread = std::thread([this] {
            const int c = ::accept(FSocket, nullptr, nullptr);
            if (c < 0)
                return;
            while (FHeld)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            char buffer[65536];
            for (ssize_t n; (n = ::read(c, buffer, sizeof buffer)) > 0;)
                FReceived.append(buffer, n);
            ::close(c);
            FDone = true;
        });
    }
    void Release() { FHeld = false; }
    ~RawPort()
    {
        FHeld = false;
        if (FSocket >= 0)
            ::shutdown(FSocket, SHUT_RDWR);
        if (FThread.joinable())
            FThread.join();
        if (FSocket >= 0)
            ::close(FSocket);
    }
    bool Listening() const { return FSocket >= 0; }
    // What arrived, once the sender has closed (waits up to timeoutMs).
    QByteArray Received(int timeoutMs)
    {
        for (int waited = 0; !FDone && waited < timeoutMs; waited += 50)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return FDone ? FReceived : QByteArray();
    }
    uint16_t Port = 0;

private:
    int FSocket = -1;
    std::thread FThread;
    QByteArray FReceived;
    std::atomic<bool> FDone{false};
    std::atomic<bool> FHeld;
};

}  // namespace testsupport
