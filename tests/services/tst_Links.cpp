#include "services/Links.h"

#include <QtTest>

class tst_Links : public QObject {
    Q_OBJECT

private slots:
    void openable_data();
    void openable();
};

void tst_Links::openable_data() {
    QTest::addColumn<QString>("link");
    QTest::addColumn<QUrl>("expected"); // empty: refused

    QTest::newRow("http") << "http://varnwick.example/new" << QUrl("http://varnwick.example/new");
    QTest::newRow("https, upper-case scheme")
        << "HTTPS://varnwick.example/" << QUrl("https://varnwick.example/");
    QTest::newRow("mailto with subject")
        << "mailto:me@varnwick.example?subject=Varnwick Comments"
        << QUrl("mailto:me@varnwick.example?subject=Varnwick%20Comments");
    QTest::newRow("CR of a CR LF reply")
        << "http://varnwick.example/\r" << QUrl("http://varnwick.example/");
    QTest::newRow("local file") << "file:///etc/passwd" << QUrl();
    QTest::newRow("bare path") << "/usr/bin/xterm" << QUrl();
    QTest::newRow("Windows program") << "C:\\Windows\\calc.exe" << QUrl();
    QTest::newRow("javascript") << "javascript:alert(1)" << QUrl();
    QTest::newRow("smb share") << "smb://server/share" << QUrl();
    QTest::newRow("http without host") << "http:///etc/passwd" << QUrl();
    QTest::newRow("mailto without address") << "mailto:" << QUrl();
    QTest::newRow("empty") << "" << QUrl();
}

void tst_Links::openable() {
    QFETCH(QString, link);
    QFETCH(QUrl, expected);
    QCOMPARE(OpenableLink(link).value_or(QUrl()), expected);
}

QTEST_GUILESS_MAIN(tst_Links)
#include "tst_Links.moc"
