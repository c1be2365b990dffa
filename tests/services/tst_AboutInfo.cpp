#include "services/AboutInfo.h"

#include <QTest>

class tst_AboutInfo : public QObject {
    Q_OBJECT

private slots:
    void newerThan2017_data() {
        QTest::addColumn<QString>("offered");
        QTest::addColumn<bool>("newer");
        QTest::newRow("2.1 beats 2.017 as a decimal") << "2.1\r" << true;
        QTest::newRow("same, trailing zero") << "2.0170" << false;
        QTest::newRow("not compared part by part") << "2.016.9" << false;
        QTest::newRow("not a number") << "new" << false;
    }
    void newerThan2017() {
        QFETCH(QString, offered);
        QFETCH(bool, newer);
        QCOMPARE(IsNewerVersion(u"2.017", offered), newer);
    }
};

QTEST_GUILESS_MAIN(tst_AboutInfo)
#include "tst_AboutInfo.moc"
