#include "services/Links.h"

#include <QtTest>

class tst_Links : public QObject {
    Q_OBJECT

private slots:
    void openable_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QUrl>("expected"); // empty: refused
        QTest::newRow("http") << "http://a.example/new" << QUrl("http://a.example/new");
        QTest::newRow("HTTPS") << "HTTPS://a.example/" << QUrl("https://a.example/");
        QTest::newRow("mailto") << "mailto:me@a.example?subject=Varnwick Comments"
                                << QUrl("mailto:me@a.example?subject=Varnwick%20Comments");
        QTest::newRow("CR of a CR LF reply") << "http://a.example/\r" << QUrl("http://a.example/");
        QTest::newRow("local file") << "file:///etc/passwd" << QUrl();
        QTest::newRow("bare path") << "/usr/bin/xterm" << QUrl();
        QTest::newRow("javascript") << "javascript:alert(1)" << QUrl();
        QTest::newRow("smb share") << "smb://server/share" << QUrl();
        QTest::newRow("http without host") << "http:///etc/passwd" << QUrl();
        QTest::newRow("mailto without address") << "mailto:" << QUrl();
    }
    void openable() {
        QFETCH(QString, link);
        QFETCH(QUrl, expected);
        QCOMPARE(OpenableLink(link).value_or(QUrl()), expected);
    }
};

QTEST_GUILESS_MAIN(tst_Links)
#include "tst_Links.moc"
