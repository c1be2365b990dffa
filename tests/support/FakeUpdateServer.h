#pragma once

#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QTimer>
#include <QUrl>

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

    FakeUpdateServer();

    void replyWith(const QByteArray& body, int status = 200);
    void behave(Behaviour behaviour) { mode = behaviour; }

    // The update address on this server.
    QUrl address() const;
    // Requests received so far, each its request line and headers.
    const QList<QByteArray>& requests() const { return received; }

    // An address on 127.0.0.1 where nothing listens.
    static QUrl ClosedAddress();

private:
    void accept(QTcpSocket* socket);
    void answer(QTcpSocket* socket);

    QTcpServer server;
    Behaviour mode = Behaviour::Reply;
    QByteArray replyBody;
    int replyStatus = 200;
    QList<QByteArray> received;
};
