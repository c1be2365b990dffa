#include "FakeUpdateServer.h"

#include <QTcpSocket>

namespace {
constexpr char UpdatePath[] = "/cgi-bin/countdown.cgi?update.txt";

QUrl AddressAt(quint16 port) {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(QLatin1String(UpdatePath)));
}

QByteArray Headers(int status, const QByteArray& lengthHeader) {
    return "HTTP/1.1 " + QByteArray::number(status) + " Canned\r\n" + lengthHeader +
           "Content-Type: text/plain\r\nConnection: close\r\n\r\n";
}
} // namespace

FakeUpdateServer::FakeUpdateServer() {
    server.listen(QHostAddress::LocalHost);
    QObject::connect(&server, &QTcpServer::newConnection, &server, [this] {
        while (QTcpSocket* socket = server.nextPendingConnection())
            accept(socket);
    });
}

void FakeUpdateServer::replyWith(const QByteArray& body, int status) {
    mode = Behaviour::Reply;
    replyBody = body;
    replyStatus = status;
}

QUrl FakeUpdateServer::address() const {
    return AddressAt(server.serverPort());
}

QUrl FakeUpdateServer::ClosedAddress() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return AddressAt(port);
}

void FakeUpdateServer::accept(QTcpSocket* socket) {
    if (mode == Behaviour::CloseAtOnce) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    auto* request = new QByteArray;
    QObject::connect(socket, &QObject::destroyed, [request] { delete request; });
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
        *request += socket->readAll();
        if (!request->contains("\r\n\r\n"))
            return;
        received.append(*request);
        request->clear();
        answer(socket);
    });
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

void FakeUpdateServer::answer(QTcpSocket* socket) {
    switch (mode) {
    case Behaviour::Reply:
        socket->write(Headers(replyStatus,
                              "Content-Length: " + QByteArray::number(replyBody.size()) + "\r\n") +
                      replyBody);
        socket->disconnectFromHost();
        break;
    case Behaviour::Trickle: {
        socket->write(Headers(200, "Content-Length: 100000\r\n"));
        auto* drip = new QTimer(socket);
        QObject::connect(drip, &QTimer::timeout, socket, [socket] { socket->write("x"); });
        drip->start(100);
        break;
    }
    case Behaviour::Silent:
    case Behaviour::CloseAtOnce:
        break;
    }
}
