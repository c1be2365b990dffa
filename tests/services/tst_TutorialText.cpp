#include "TestPaths.h"

#include <QTest>

class tst_TutorialText : public QObject {
    Q_OBJECT

private slots:
    // The viewer shows the shipped tutorial as it is: Windows text.
    void isWindowsText() {
        const QByteArray bytes = FileBytes(SourceDataDir() + "/tutorial.txt");
        QVERIFY(bytes.size() > 1000);
        // Every CR and every LF belongs to a CR LF pair.
        QCOMPARE(bytes.count('\r') + bytes.count('\n'), 2 * bytes.count("\r\n"));
        // The five bytes Windows-1252 leaves unassigned would show as boxes.
        for (const char unassigned : {'\x81', '\x8D', '\x8F', '\x90', '\x9D'})
            QVERIFY(!bytes.contains(unassigned));
    }
};

QTEST_GUILESS_MAIN(tst_TutorialText)
#include "tst_TutorialText.moc"
