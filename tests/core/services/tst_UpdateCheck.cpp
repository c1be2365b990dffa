#include "FakeUpdateServer.h"
#include "services/UpdateCheck.h"

#include <QtTest>

using namespace std::chrono_literals;

namespace {
constexpr auto ShortTimeout = 1000ms;
const QByteArray SevenLines = "a=1\nb=2\nc=3\nd=4\ne=5\nf=6\ng=7\n";
using Behaviour = FakeUpdateServer::Behaviour;
} // namespace

class tst_UpdateCheck : public QObject {
    Q_OBJECT

private slots:
    // One buffer receives the replies one check after another, as in one run.
    void check_data() {
        QTest::addColumn<QByteArrayList>("replies"); // null: no server answers
        QTest::addColumn<QString>("values");         // the seven, joined by "|"
        QTest::newRow("CR LF keeps the CR, Windows-1252")
            << QByteArrayList{"v=caf\xE9\r\nb=x=y\r\nc=\r\nd=\x80\r\ne=\r\nf=F\r\ng=G\r\n"}
            << "caf\u00E9\r|x=y\r|\r|\u20AC\r|\r|F\r|G\r";
        QTest::newRow("1024 bytes and more")
            << QByteArrayList{SevenLines.chopped(2) + QByteArray(5000, 'x') + "\n"}
            << "1|2|3|4|5|6|";
        QTest::newRow("fewer lines, first check") << QByteArrayList{"v=2.5\nb=B\n"} << "2.5|B|||||";
        QTest::newRow("fewer lines reuse the earlier tail")
            << QByteArrayList{SevenLines, "x=9\ny=8\n"} << "9|8|3|4|5|6|7";
        QTest::newRow("no answer repeats the last reply")
            << QByteArrayList{SevenLines, QByteArray()} << "1|2|3|4|5|6|7";
    }
    void check() {
        QFETCH(QByteArrayList, replies);
        QFETCH(QString, values);
        FakeUpdateServer server;
        UpdateBuffer buffer;
        UpdateInfo info;
        for (const QByteArray& reply : replies) {
            server.replyWith(reply);
            const QUrl address =
                reply.isNull() ? FakeUpdateServer::ClosedAddress() : server.address();
            info = ReadUpdate(buffer, address, ShortTimeout);
        }
        QCOMPARE(QStringList(info.Value.begin(), info.Value.end()).join('|'), values);
    }

    // Nothing is received, and the wait ends at the deadline, also while bytes trickle in.
    void nothingReceived_data() {
        QTest::addColumn<Behaviour>("behaviour");
        QTest::addColumn<QUrl>("address"); // none: the server's
        QTest::newRow("never answers") << Behaviour::Silent << QUrl();
        QTest::newRow("trickles forever") << Behaviour::Trickle << QUrl();
        QTest::newRow("no server") << Behaviour::Reply << FakeUpdateServer::ClosedAddress();
        // The address may come from the settings; only web servers are asked.
        QTest::newRow("local file")
            << Behaviour::Reply << QUrl::fromLocalFile(QCoreApplication::applicationFilePath());
    }
    void nothingReceived() {
        QFETCH(Behaviour, behaviour);
        QFETCH(QUrl, address);
        FakeUpdateServer server;
        server.behave(behaviour);
        QElapsedTimer clock;
        clock.start();

        QVERIFY(!FetchUpdate(address.isEmpty() ? server.address() : address, ShortTimeout));

        const auto elapsed = std::chrono::milliseconds(clock.elapsed());
        const auto least = behaviour == Behaviour::Reply ? 0ms : ShortTimeout - 100ms;
        QVERIFY2(elapsed >= least && elapsed < ShortTimeout + 2s,
                 QByteArray::number(elapsed.count()));
    }
};

QTEST_GUILESS_MAIN(tst_UpdateCheck)
#include "tst_UpdateCheck.moc"
