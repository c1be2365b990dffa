#include "FakeUpdateServer.h"
#include "services/UpdateCheck.h"
#include "settings/SettingsStore.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace std::chrono_literals;

namespace {
constexpr auto ShortTimeout = 1000ms;

const QByteArray SevenLines = "Version=2.5\nb=B\nc=C\nd=D\ne=E\nLink=http://a.example/\nText=Go\n";
const QStringList SevenValues = {"2.5", "B", "C", "D", "E", "http://a.example/", "Go"};
const QStringList NoValues = {"", "", "", "", "", "", ""};

QStringList Values(const UpdateInfo& info) {
    return {info.Value.begin(), info.Value.end()};
}
} // namespace

class tst_UpdateCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void split_data();
    void split();
    void longReplyIsCutAtTheBuffer();
    void fetch_data();
    void fetch();
    void requestIsAGetWithTheAgent();
    void unreachableServerRepeatsTheLastReply();
    void silentServerCostsAtMostTheTimeout_data();
    void silentServerCostsAtMostTheTimeout();
    void waitingKeepsTheEventLoopRunning();
    void address_data();
    void address();
    void onlyWebAddressesAreAsked_data();
    void onlyWebAddressesAreAsked();

private:
    QTemporaryDir scratch;
};

void tst_UpdateCheck::initTestCase() {
    // A proxy in the environment must not stand between the test and its server.
    qunsetenv("http_proxy");
    qunsetenv("HTTP_PROXY");
    qunsetenv("all_proxy");
}

// Each row stores its replies one after the other into one buffer, as
// consecutive checks do, and splits the result.
void tst_UpdateCheck::split_data() {
    QTest::addColumn<QList<QByteArray>>("replies");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("seven lines") << QList<QByteArray>{SevenLines} << SevenValues;
    QTest::newRow("more lines are ignored")
        << QList<QByteArray>{SevenLines + "h=H\ni=I\n"} << SevenValues;
    QTest::newRow("CR LF keeps the CR")
        << QList<QByteArray>{"v=3\r\nb=B\r\nc=\r\nd=D\r\ne=E\r\nf=F\r\ng=G\r\n"}
        << QStringList{"3\r", "B\r", "\r", "D\r", "E\r", "F\r", "G\r"};
    QTest::newRow("value after the first =")
        << QList<QByteArray>{"a=x=y\nb=\nc==\nd=D\ne=E\nf=F\ng=G\n"}
        << QStringList{"x=y", "", "=", "D", "E", "F", "G"};
    QTest::newRow("Windows-1252 bytes")
        << QList<QByteArray>{"a=caf\xE9\nb=\x80\x81\xFF\nc=\x01\nd=D\ne=E\nf=F\ng=G\n"}
        << QStringList{QStringLiteral("caf\u00E9"),
                       QStringLiteral("\u20AC\u0081\u00FF"),
                       QStringLiteral("\u0001"),
                       "D",
                       "E",
                       "F",
                       "G"};
    QTest::newRow("fewer lines, first check")
        << QList<QByteArray>{"v=2.5\nb=B\n"} << QStringList{"2.5", "B", "", "", "", "", ""};
    QTest::newRow("last line without line feed, first check")
        << QList<QByteArray>{"a=1\nb=2\nc=3\nd=4\ne=5\nf=6\ng=7"}
        << QStringList{"1", "2", "3", "4", "5", "6", ""};
    QTest::newRow("fewer lines reuse the earlier tail")
        << QList<QByteArray>{"a=1\nb=2\nc=3\nd=4\ne=5\nf=6\ng=7\n", "x=9\ny=8\n"}
        << QStringList{"9", "8", "3", "4", "5", "6", "7"};
    QTest::newRow("earlier tail without = stops")
        << QList<QByteArray>{"v=2.5\nb=B\nc=C\nd=D\ne=E\nf=F\ng=G\n", "v=3\n"}
        << QStringList{"3", "", "", "", "", "", ""};
    QTest::newRow("line without = stops")
        << QList<QByteArray>{"a=1\nnoequals\nc=3\nd=4\ne=5\nf=6\ng=7\n"}
        << QStringList{"1", "", "", "", "", "", ""};
    QTest::newRow("empty third line takes the next value")
        << QList<QByteArray>{"a=1\nb=2\n\nd=4\ne=5\nf=6\ng=7\nh=8\n"}
        << QStringList{"1", "2", "4", "4", "5", "6", "7"};
    QTest::newRow("nothing received") << QList<QByteArray>{} << NoValues;
}

void tst_UpdateCheck::split() {
    QFETCH(QList<QByteArray>, replies);
    QFETCH(QStringList, expected);

    UpdateBuffer buffer;
    for (const QByteArray& reply : replies)
        StoreReply(buffer, reply);
    QCOMPARE(Values(SplitUpdate(buffer)), expected);
}

void tst_UpdateCheck::longReplyIsCutAtTheBuffer() {
    // The seventh line's line feed lies past the buffer, so the seventh value
    // cannot be split; a split reading past the buffer would find it.
    const QByteArray reply = "a=1\nb=2\nc=3\nd=4\ne=5\nf=6\ng=" + QByteArray(2000, 'x') + "\n";
    UpdateBuffer buffer;
    StoreReply(buffer, reply);
    QCOMPARE(QByteArrayView(buffer.Bytes.data(), buffer.Bytes.size()), reply.first(1024));
    QCOMPARE(Values(SplitUpdate(buffer)), (QStringList{"1", "2", "3", "4", "5", "6", ""}));
}

void tst_UpdateCheck::fetch_data() {
    QTest::addColumn<FakeUpdateServer::Behaviour>("behaviour");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("expected");

    using B = FakeUpdateServer::Behaviour;
    QTest::newRow("seven LF lines") << B::Reply << 200 << SevenLines << SevenValues;
    QTest::newRow("over 1024 bytes")
        << B::Reply << 200 << QByteArray("a=1\nb=2\nc=3\nd=4\ne=5\nf=6\ng=" + QByteArray(5000, 'x'))
        << QStringList{"1", "2", "3", "4", "5", "6", ""};
    QTest::newRow("error status") << B::Reply << 404 << SevenLines << NoValues;
    QTest::newRow("closes at once") << B::CloseAtOnce << 200 << QByteArray() << NoValues;
}

void tst_UpdateCheck::fetch() {
    QFETCH(FakeUpdateServer::Behaviour, behaviour);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QStringList, expected);

    FakeUpdateServer server;
    server.replyWith(body, status);
    server.behave(behaviour);
    UpdateBuffer buffer;
    QCOMPARE(Values(ReadUpdate(buffer, server.address(), ShortTimeout)), expected);
}

void tst_UpdateCheck::requestIsAGetWithTheAgent() {
    FakeUpdateServer server;
    server.replyWith(SevenLines);
    UpdateBuffer buffer;
    ReadUpdate(buffer, server.address(), ShortTimeout);

    QCOMPARE(server.requests().size(), 1);
    const QByteArray request = server.requests().first();
    QVERIFY2(request.startsWith("GET /cgi-bin/countdown.cgi?update.txt HTTP/1."), request);
    QVERIFY2(request.contains("\r\nUser-Agent: Varnwick Update Check\r\n"), request);
}

void tst_UpdateCheck::unreachableServerRepeatsTheLastReply() {
    UpdateBuffer buffer;
    QCOMPARE(Values(ReadUpdate(buffer, FakeUpdateServer::ClosedAddress(), ShortTimeout)), NoValues);

    FakeUpdateServer server;
    server.replyWith(SevenLines);
    QCOMPARE(Values(ReadUpdate(buffer, server.address(), ShortTimeout)), SevenValues);
    QCOMPARE(Values(ReadUpdate(buffer, FakeUpdateServer::ClosedAddress(), ShortTimeout)),
             SevenValues);
}

void tst_UpdateCheck::silentServerCostsAtMostTheTimeout_data() {
    QTest::addColumn<FakeUpdateServer::Behaviour>("behaviour");
    QTest::newRow("never answers") << FakeUpdateServer::Behaviour::Silent;
    QTest::newRow("trickles forever") << FakeUpdateServer::Behaviour::Trickle;
}

void tst_UpdateCheck::silentServerCostsAtMostTheTimeout() {
    QFETCH(FakeUpdateServer::Behaviour, behaviour);
    FakeUpdateServer server;
    server.behave(behaviour);

    QElapsedTimer clock;
    clock.start();
    const std::optional<QByteArray> received = FetchUpdate(server.address(), ShortTimeout);
    const std::chrono::milliseconds elapsed(clock.elapsed());

    QVERIFY(!received);
    QVERIFY2(elapsed >= ShortTimeout - 100ms, QByteArray::number(elapsed.count()));
    QVERIFY2(elapsed < ShortTimeout + 2s, QByteArray::number(elapsed.count()));
}

void tst_UpdateCheck::waitingKeepsTheEventLoopRunning() {
    FakeUpdateServer server;
    server.behave(FakeUpdateServer::Behaviour::Silent);
    int ticks = 0;
    QTimer repaint;
    connect(&repaint, &QTimer::timeout, this, [&ticks] { ++ticks; });
    repaint.start(50ms);
    FetchUpdate(server.address(), ShortTimeout);
    QVERIFY2(ticks >= 5, QByteArray::number(ticks));
}

void tst_UpdateCheck::address_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QUrl>("expected");

    const QUrl standard("http://varnwick.orrenby.example/cgi-bin/countdown.cgi?update.txt");
    QTest::newRow("not set") << QString() << standard;
    QTest::newRow("blank") << QStringLiteral("  ") << standard;
    QTest::newRow("replaces the whole address")
        << QStringLiteral("http://127.0.0.1:8080/other?x") << QUrl("http://127.0.0.1:8080/other?x");
}

void tst_UpdateCheck::address() {
    QFETCH(QString, setting);
    QFETCH(QUrl, expected);

    QTemporaryDir folder;
    QSettings store(folder.filePath("Varnwick.ini"), QSettings::IniFormat);
    if (!setting.isNull())
        SaveSetting(store, "Settings", "UpdateURL", setting);
    QCOMPARE(UpdateAddress(&store), expected);
    QCOMPARE(UpdateAddress(nullptr), DefaultUpdateAddress());
}

void tst_UpdateCheck::onlyWebAddressesAreAsked_data() {
    QTest::addColumn<QUrl>("address");

    // A file that would split into a newer version, were it read.
    QFile file(scratch.filePath("update.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(SevenLines);
    file.close();
    QTest::newRow("local file") << QUrl::fromLocalFile(file.fileName());
    QTest::newRow("data") << QUrl("data:text/plain,a=9%0Ab=1%0A");
    QTest::newRow("no scheme") << QUrl("127.0.0.1/cgi-bin/countdown.cgi");
    QTest::newRow("ftp") << QUrl("ftp://127.0.0.1/update.txt");
}

void tst_UpdateCheck::onlyWebAddressesAreAsked() {
    QFETCH(QUrl, address);
    QVERIFY(!FetchUpdate(address, ShortTimeout));
}

QTEST_GUILESS_MAIN(tst_UpdateCheck)
#include "tst_UpdateCheck.moc"
