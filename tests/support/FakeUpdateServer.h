#pragma once

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

// An update server on 127.0.0.1 inside the test process. It answers every
// request the same way, as set by the test.
class FakeUpdateServer {
public:
    enum class Behaviour {
        Reply,   // the body set by replyWith
        Silent,  // accepts and never answers
        Trickle, // sends the headers, then one body byte every 100 ms, forever
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

    void replyWith(const QByteArray& body) {
        mode = Behaviour::Reply;
        replyBody = body;
    }
    void behave(Behaviour behaviour) { mode = behaviour; }

    // The update address on this server.
    QUrl address() const { return AddressAt(server.serverPort()); }

    // An address on 127.0.0.1 where nothing listens. Its port stays bound, without listening,
    // while the tests run, so no server started later can take it.
    static QUrl ClosedAddress() {
        static QTcpSocket* const bound = [] {
            auto* socket = new QTcpSocket;
            socket->bind(QHostAddress::LocalHost);
            return socket;
        }();
        return AddressAt(bound->localPort());
    }

private:
    static QUrl AddressAt(quint16 port) {
        return QUrl(
            QStringLiteral("http://127.0.0.1:%1/cgi-bin/countdown.cgi?update.txt").arg(port));
    }

    void accept(QTcpSocket* socket) {
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        // Answered once the request's headers are all in.
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            if (mode != Behaviour::Silent && socket->peek(1 << 16).contains("\r\n\r\n"))
                answer(socket);
        });
    }

    void answer(QTcpSocket* socket) {
        socket->readAll();
        const bool trickle = mode == Behaviour::Trickle;
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n"
                      "Content-Length: " +
                      QByteArray::number(trickle ? 100000 : replyBody.size()) + "\r\n\r\n");
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
};
