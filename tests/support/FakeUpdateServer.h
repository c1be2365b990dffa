#pragma once

#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

// An update server on 127.0.0.1 inside the test process. It answers every
// request the same way, as set by the test, and keeps the requests it got.
class FakeUpdateServer {
public:
    enum class Behaviour {
        Reply,       // the status and body set by replyWith
        Silent,      // accepts and never answers
        CloseAtOnce, // accepts and closes without a byte
        Trickle,     // sends the headers, then one body byte every 100 ms, forever
    };

    FakeUpdateServer() {
        // A proxy in the environment must not stand between the program and this server.
        for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
            qunsetenv(name);
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection())
                accept(socket);
        });
    }

    void replyWith(const QByteArray& body, int status = 200) {
        mode = Behaviour::Reply;
        replyBody = body;
        replyStatus = status;
    }
    void behave(Behaviour behaviour) { mode = behaviour; }

    // The update address on this server.
    QUrl address() const { return AddressAt(server.serverPort()); }
    // Requests received so far, each its request line and headers.
    const QList<QByteArray>& requests() const { return received; }

    // An address on 127.0.0.1 where nothing listens. Its port stays bound, without listening,
    // while the tests run, so no server started later can take it.
    static QUrl ClosedAddress() {
        static const quint16 port = [] {
            const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            socklen_t length = sizeof address;
            if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
                ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
                return quint16(0);
            return ntohs(address.sin_port);
        }();
        return AddressAt(port);
    }

private:
    static QUrl AddressAt(quint16 port) {
        return QUrl(
            QStringLiteral("http://127.0.0.1:%1/cgi-bin/countdown.cgi?update.txt").arg(port));
    }

    void accept(QTcpSocket* socket) {
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        if (mode == Behaviour::CloseAtOnce) {
            socket->abort();
            return;
        }
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            const QByteArray request =
                socket->property("request").toByteArray() + socket->readAll();
            socket->setProperty("request", request);
            if (request.contains("\r\n\r\n")) {
                received.append(request);
                answer(socket);
            }
        });
    }

    void answer(QTcpSocket* socket) {
        if (mode == Behaviour::Silent)
            return;
        const bool trickle = mode == Behaviour::Trickle;
        const QByteArray length = QByteArray::number(trickle ? 100000 : replyBody.size());
        socket->write("HTTP/1.1 " + QByteArray::number(trickle ? 200 : replyStatus) +
                      " Canned\r\nContent-Length: " + length +
                      "\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n");
        if (!trickle) {
            socket->write(replyBody);
            socket->disconnectFromHost();
            return;
        }
        auto* drip = new QTimer(socket);
        QObject::connect(drip, &QTimer::timeout, socket, [socket] { socket->write("x"); });
        drip->start(100);
    }

    QTcpServer server;
    Behaviour mode = Behaviour::Reply;
    QByteArray replyBody;
    int replyStatus = 200;
    QList<QByteArray> received;
};
