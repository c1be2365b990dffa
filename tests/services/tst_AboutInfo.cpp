#include "services/AboutInfo.h"

#include <QtTest>

class tst_AboutInfo : public QObject {
    Q_OBJECT

private slots:
    void newerVersion_data() {
        QTest::addColumn<QString>("running");
        QTest::addColumn<QString>("offered");
        QTest::addColumn<bool>("newer");
        QTest::newRow("2.1 beats 2.017 as a decimal") << "2.017" << QString("2.1") << true;
        QTest::newRow("same, trailing zero") << "2.017" << QString("2.0170") << false;
        QTest::newRow("not compared part by part") << "2.017" << QString("2.016.9") << false;
        QTest::newRow("CR of a CR LF reply") << "2.017" << QString("2.1\r") << true;
        QTest::newRow("text after the number") << "2" << QString(" 3 beta") << true;
        QTest::newRow("decimal comma is no point") << "2.1" << QString("2,5") << false;
        QTest::newRow("not a number") << "0.5" << QString("new") << false;
    }
    void newerVersion() {
        QFETCH(QString, running);
        QFETCH(QString, offered);
        QFETCH(bool, newer);
        QCOMPARE(IsNewerVersion(running, offered), newer);
    }
};

QTEST_GUILESS_MAIN(tst_AboutInfo)
#include "tst_AboutInfo.moc"
