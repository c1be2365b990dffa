#include "TestPaths.h"
#include "catalogue/SkinCatalogue.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

// The shipped tutorial: Windows text the viewer shows as it is, and in step
// with the shipped skin types it explains.

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_TutorialText : public QObject {
    Q_OBJECT

private slots:
    void isWindowsText();
    void builtCopyIsTheShippedFile();
    void exampleTypeMatchesTheCatalogue();
};

void tst_TutorialText::isWindowsText() {
    const QByteArray bytes = ReadAll(SourceDataDir() + QStringLiteral("/tutorial.txt"));
    QVERIFY(bytes.size() > 1000);
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
    // The five bytes Windows-1252 leaves unassigned show as boxes.
    for (const char unassigned : {'\x81', '\x8D', '\x8F', '\x90', '\x9D'})
        QVERIFY(!bytes.contains(unassigned));
}

void tst_TutorialText::builtCopyIsTheShippedFile() {
    QCOMPARE(ReadAll(BuiltBinDir() + QStringLiteral("/tutorial.txt")),
             ReadAll(SourceDataDir() + QStringLiteral("/tutorial.txt")));
}

void tst_TutorialText::exampleTypeMatchesTheCatalogue() {
    // The tutorial shows the SoldierSkins record line by line; after a change
    // of the catalogue it would teach the wrong values.
    const QString text = QString::fromLatin1(ReadAll(SourceDataDir() + "/tutorial.txt"));
    static const QRegularExpression recordLine(
        QStringLiteral(R"(^  (\[SoldierSkins\]|\w{4,5}="[^"]*") {2,})"),
        QRegularExpression::MultilineOption);
    QStringList lines;
    for (auto it = recordLine.globalMatch(text); it.hasNext();)
        lines.append(it.next().captured(1));

    CatalogueState catalogue;
    QVERIFY(ReadSkins(SourceDataDir(), catalogue));
    const SkinFormat& soldier = catalogue.SkinCatalogue.first();
    QCOMPARE(soldier.Key, QStringLiteral("SoldierSkins"));
    const QStringList expected{
        QLatin1Char('[') + soldier.Key + QLatin1Char(']'),
        QStringLiteral("Excl=\"%1\"").arg(soldier.ExcludeText),
        QStringLiteral("SkinC=\"%1\"").arg(soldier.SkinChar),
        QStringLiteral("Name=\"%1\"").arg(soldier.NamedChar),
        QStringLiteral("Grup=\"%1\"").arg(soldier.GroupEndChar),
        QStringLiteral("Desc=\"...\""), // left out of the example
    };
    QCOMPARE(lines, expected);
}

QTEST_GUILESS_MAIN(tst_TutorialText)
#include "tst_TutorialText.moc"
