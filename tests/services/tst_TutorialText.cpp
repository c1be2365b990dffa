#include "TestPaths.h"
#include "catalogue/SkinCatalogue.h"

#include <QTest>

// The shipped tutorial: Windows text the viewer shows as it is, in step with
// the shipped skin type it takes as its example.
class tst_TutorialText : public QObject {
    Q_OBJECT

    const QByteArray bytes = FileBytes(SourceDataDir() + "/tutorial.txt");

private slots:
    void isWindowsText() {
        QVERIFY(bytes.size() > 1000);
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
        // The five bytes Windows-1252 leaves unassigned would show as boxes.
        for (const char unassigned : {'\x81', '\x8D', '\x8F', '\x90', '\x9D'})
            QVERIFY(!bytes.contains(unassigned));
    }

    void exampleTypeMatchesTheCatalogue() {
        CatalogueState catalogue;
        QVERIFY(ReadSkins(SourceDataDir(), catalogue));
        const SkinFormat& s = catalogue.SkinCatalogue.first();
        const QString lines =
            QStringLiteral("[%1]  |Excl=\"%2\"  |SkinC=\"%3\"  |Name=\"%4\"  |Grup=\"%5\"  ")
                .arg(s.Key, s.ExcludeText, s.SkinChar, s.NamedChar, s.GroupEndChar);
        for (const QString& line : lines.split('|'))
            QVERIFY2(bytes.contains(("\r\n  " + line).toLatin1()), qPrintable(line));
    }
};

QTEST_GUILESS_MAIN(tst_TutorialText)
#include "tst_TutorialText.moc"
