#include "services/AboutInfo.h"

#include <QtTest>

class tst_AboutInfo : public QObject {
    Q_OBJECT

private slots:
    void versionNumber_data();
    void versionNumber();
    void newerVersion_data();
    void newerVersion();
};

void tst_AboutInfo::versionNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("decimal") << "2.017" << 2.017;
    QTest::newRow("trailing CR") << "2.1\r" << 2.1;
    QTest::newRow("text after the number") << "3 beta" << 3.0;
    QTest::newRow("second point ends it") << "2.0.17" << 2.0;
    QTest::newRow("leading blanks") << " \t2.5" << 2.5;
    QTest::newRow("negative") << "-1.5" << -1.5;
    QTest::newRow("decimal comma is not a point") << "2,5" << 2.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("not a number") << "new" << 0.0;
    QTest::newRow("NUL characters") << QString(3, QChar(0)) << 0.0;
}

void tst_AboutInfo::versionNumber() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(VersionNumber(text), expected);
}

void tst_AboutInfo::newerVersion_data() {
    QTest::addColumn<QString>("offered");
    QTest::addColumn<bool>("newer");

    QTest::newRow("2.1 beats 2.017 as a decimal") << "2.1" << true;
    QTest::newRow("2.02") << "2.02" << true;
    QTest::newRow("same") << "2.017" << false;
    QTest::newRow("same, trailing zero") << "2.0170" << false;
    QTest::newRow("older") << "1.9" << false;
    QTest::newRow("not compared part by part") << "2.016.9" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("huge") << QString(400, QLatin1Char('9')) << true;
}

void tst_AboutInfo::newerVersion() {
    QFETCH(QString, offered);
    QFETCH(bool, newer);
    QCOMPARE(IsNewerVersion(RunningVersion(), offered), newer);
}

QTEST_GUILESS_MAIN(tst_AboutInfo)
#include "tst_AboutInfo.moc"
