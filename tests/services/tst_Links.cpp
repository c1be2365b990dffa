#include "services/Links.h"

#include <QTest>

class tst_Links : public QObject {
    Q_OBJECT

private slots:
    void openable_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QUrl>("expected"); // empty: refused
        QTest::newRow("http") << "http://a.example/new" << QUrl("http://a.example/new");
        QTest::newRow("HTTPS, CR") << "HTTPS://a.example/\r" << QUrl("https://a.example/");
        QTest::newRow("mailto") << "mailto:me@a.example?subject=A B"
                                << QUrl("mailto:me@a.example?subject=A%20B");
        QTest::newRow("local file") << "file:///etc/passwd" << QUrl();
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
