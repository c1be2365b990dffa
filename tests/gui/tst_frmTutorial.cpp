#include "services/frmTutorial.h"

#include "WindowTestState.h"

class tst_frmTutorial : public QObject {
    Q_OBJECT

private slots:
    void showsTheFirstFileThere_data() {
        QTest::addColumn<QByteArray>("tutorial"); // "-": no such file
        QTest::addColumn<QByteArray>("readme");
        QTest::addColumn<QString>("shown");
        QTest::newRow("both") << QByteArray("Caf\xe9\r\n\x93q\x94") << QByteArray("R")
                              << QStringLiteral("Caf\u00e9\n\u201cq\u201d");
        QTest::newRow("readme only") << QByteArray("-") << QByteArray("R\r\n") << QString("R\n");
        QTest::newRow("empty tutorial") << QByteArray() << QByteArray("R") << QString("R");
        QTest::newRow("neither") << QByteArray("-") << QByteArray()
                                 << QString("Hmm... wheres the tutorial.txt file?");
    }
    void showsTheFirstFileThere() {
        QFETCH(QByteArray, tutorial);
        QFETCH(QByteArray, readme);
        QFETCH(QString, shown);
        WindowTestState t;
        QVERIFY(tutorial == "-" || WriteBytes(t.programFile("tutorial.txt"), tutorial));
        QVERIFY(readme == "-" || WriteBytes(t.programFile("readme.txt"), readme));
        QCOMPARE(frmTutorial(t.state).txtTutorial->toPlainText(), shown);
    }

    // A file that is there but cannot be read says so in one line.
    void anUnreadableFileIsExplained() {
        WindowTestState t;
        const QString path = t.programFile("tutorial.txt");
        QVERIFY(QDir().mkdir(path));
        const QString text = ReadTutorialFile(path);
        QVERIFY2(text.startsWith("Could not read " + path) && !text.contains('\n'),
                 qPrintable(text));
    }
};

QTEST_MAIN(tst_frmTutorial)
#include "tst_frmTutorial.moc"
