#include "ScriptedDialogs.h"
#include "TestPaths.h"
#include "UtxBuilder.h"
#include "engine/PackageLoading.h"
#include "services/clsCdlg.h"

#include <QtTest>

// Saving a package's .int; opening one is tested through the wizard.
class tst_PackageLoading : public QObject {
    Q_OBJECT

private slots:
    // Saving proposes System/<package>.int, asks before replacing a file with
    // content and writes the exact text; a failed save says what failed and
    // where, leaves the old file whole and does not congratulate.
    void saves_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("titles"); // "" is the congratulation
        const QString plain = QStringLiteral("[public]\r\n");
        QTest::newRow("new file") << "[public]\r\nD=\"Caf\u00e9\")\r\n\r\nno CR\n"
                                  << QStringList{""};
        QTest::newRow("empty file") << plain << QStringList{""};
        QTest::newRow("old, yes") << plain << QStringList{"File Already Exists", ""};
        QTest::newRow("old, no") << plain << QStringList{"File Already Exists"};
        QTest::newRow("folder at the target") << plain << QStringList{"Save Failed"};
        QTest::newRow("old, not Windows-1252") << "\u03a9" << QStringList{"Save Failed"};
    }
    void saves() {
        QFETCH(QString, text);
        QFETCH(QStringList, titles);
        // The game folder has a dot in it, as ~/.loki/ut has.
        const QTemporaryDir root;
        const QString setup = QTest::currentDataTag(), game = root.filePath("U.T"),
                      target = game + "/System/SoldierSkins_Foo.int";
        QVERIFY(QDir().mkpath(setup == "folder at the target" ? target : game + "/System"));
        QVERIFY(setup != "empty file" || WriteBytes(target, ""));
        QVERIFY(!setup.startsWith("old") || WriteBytes(target, QByteArray(20000, 'o')));
        ScriptedDialogs dialogs;
        dialogs.answers.enqueue(setup.endsWith("yes") ? Dialogs::Answer::Yes : Dialogs::Answer::No);
        dialogs.files.enqueue(target);
        const QByteArray before = FileBytes(target);
        clsCdlg cdlg(dialogs);

        const bool saved =
            SaveINTfile(dialogs, cdlg, game, game + "/Textures/SoldierSkins_Foo.utx", text);

        QCOMPARE(saved, titles.last().isEmpty());
        QCOMPARE(dialogs.fileRequests.last().fileName, target);
        QCOMPARE(FileBytes(target), saved ? text.toLatin1() : before);
        QCOMPARE(dialogs.titles(), titles);
        const QString first = dialogs.messages[0].text;
        QVERIFY(titles[0] != "Save Failed" || first.contains(target));
        QVERIFY(titles[0] != "File Already Exists" ||
                first == "Are you sure you want to overwrite this file.");
    }
};

QTEST_GUILESS_MAIN(tst_PackageLoading)
#include "tst_PackageLoading.moc"
