#include "FakeUpdateServer.h"
#include "services/UpdateCheck.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QtTest>

using namespace std::chrono_literals;

namespace {
constexpr auto ShortTimeout = 1000ms;
const QByteArray SevenLines = "a=1\nb=2\nc=3\nd=4\ne=5\nf=6\ng=7\n";
// How the row's last check fares, after each of its replies was received.
enum class Last { Replied, NoServer, ServerClosesAtOnce };
} // namespace

class tst_UpdateCheck : public QObject {
    Q_OBJECT

private slots:
    // A proxy in the environment must not stand between the test and its server.
    void initTestCase() {
        for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy"})
            qunsetenv(name);
    }

    // The replies reach one buffer one check after another, as in one run.
    void check_data() {
        QTest::addColumn<QByteArrayList>("replies");
        QTest::addColumn<Last>("last");
        QTest::addColumn<QString>("values"); // the seven, joined by "|"
        QTest::newRow("seven LF lines")
            << QByteArrayList{SevenLines} << Last::Replied << "1|2|3|4|5|6|7";
        QTest::newRow("CR LF keeps the CR")
            << QByteArrayList{"v=3\r\nb=B\r\nc=\r\nd=\r\ne=\r\nf=F\r\ng=G\r\n"} << Last::Replied
            << "3\r|B\r|\r|\r|\r|F\r|G\r";
        QTest::newRow("Windows-1252, after the first =")
            << QByteArrayList{"a=caf\xE9\nb=x=y\nc=\x80\nd=\ne=\nf=\ng=\n"} << Last::Replied
            << "caf\u00E9|x=y|\u20AC||||";
        QTest::newRow("over 1024 bytes")
            << QByteArrayList{SevenLines.chopped(2) + QByteArray(5000, 'x') + "\n"} << Last::Replied
            << "1|2|3|4|5|6|";
        QTest::newRow("fewer lines, first check")
            << QByteArrayList{"v=2.5\nb=B\n"} << Last::Replied << "2.5|B|||||";
        QTest::newRow("fewer lines reuse the earlier tail")
            << QByteArrayList{SevenLines, "x=9\ny=8\n"} << Last::Replied << "9|8|3|4|5|6|7";
        QTest::newRow("line without = stops")
            << QByteArrayList{"a=1\nnoequals\nc=3\nd=4\ne=5\nf=6\ng=7\n"} << Last::Replied
            << "1||||||";
        QTest::newRow("empty third line takes the next value")
            << QByteArrayList{"a=1\nb=2\n\nd=4\ne=5\nf=6\ng=7\nh=8\n"} << Last::Replied
            << "1|2|4|4|5|6|7";
        QTest::newRow("no server") << QByteArrayList{} << Last::NoServer << "||||||";
        QTest::newRow("no server repeats the last reply")
            << QByteArrayList{SevenLines} << Last::NoServer << "1|2|3|4|5|6|7";
        QTest::newRow("server closes at once")
            << QByteArrayList{} << Last::ServerClosesAtOnce << "||||||";
    }
    void check() {
        QFETCH(QByteArrayList, replies);
        QFETCH(Last, last);
        QFETCH(QString, values);
        FakeUpdateServer server;
        UpdateBuffer buffer;
        UpdateInfo info;
        for (const QByteArray& reply : replies) {
            server.replyWith(reply);
            info = ReadUpdate(buffer, server.address(), ShortTimeout);
        }
        server.behave(FakeUpdateServer::Behaviour::CloseAtOnce);
        if (last != Last::Replied)
            info = ReadUpdate(buffer,
                              last == Last::NoServer ? FakeUpdateServer::ClosedAddress()
                                                     : server.address(),
                              ShortTimeout);
        QCOMPARE(QStringList(info.Value.begin(), info.Value.end()).join('|'), values);
    }

    // The wait ends at the deadline, and the event loop keeps running meanwhile.
    void unansweredCheckEndsInTime_data() {
        QTest::addColumn<FakeUpdateServer::Behaviour>("behaviour");
        QTest::newRow("never answers") << FakeUpdateServer::Behaviour::Silent;
        QTest::newRow("trickles forever") << FakeUpdateServer::Behaviour::Trickle;
    }
    void unansweredCheckEndsInTime() {
        QFETCH(FakeUpdateServer::Behaviour, behaviour);
        FakeUpdateServer server;
        server.behave(behaviour);
        int ticks = 0;
        QTimer repaint;
        connect(&repaint, &QTimer::timeout, this, [&ticks] { ++ticks; });
        repaint.start(50ms);
        QElapsedTimer clock;
        clock.start();

        QVERIFY(!FetchUpdate(server.address(), ShortTimeout));

        const auto elapsed = std::chrono::milliseconds(clock.elapsed());
        QVERIFY2(elapsed >= ShortTimeout - 100ms && elapsed < ShortTimeout + 2s,
                 QByteArray::number(elapsed.count()));
        QVERIFY2(ticks >= 5, QByteArray::number(ticks));
    }

    // The address may come from the settings; only web servers are asked.
    void otherAddressesAreNotRead() {
        QVERIFY(!FetchUpdate(QUrl::fromLocalFile(QCoreApplication::applicationFilePath()),
                             ShortTimeout));
        QVERIFY(!FetchUpdate(QUrl("data:text/plain,a=9%0Ab=1%0A"), ShortTimeout));
    }
};

QTEST_GUILESS_MAIN(tst_UpdateCheck)
#include "tst_UpdateCheck.moc"
