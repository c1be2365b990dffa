#include "ScriptedDialogs.h"
#include "TestPaths.h"
#include "UtxBuilder.h"
#include "engine/FilterList.h"
#include "engine/PackageLoading.h"
#include "services/clsCdlg.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class tst_PackageLoading : public QObject {
    Q_OBJECT

    // The game folder has a dot in it, as ~/.loki/ut has.
    QTemporaryDir root;
    const QString textures = root.filePath("U.T/Textures/"), system = root.filePath("U.T/System");
    ScriptedDialogs dialogs;
    QStringList shown; // the title of every message
    PackageSession session;
    CatalogueState catalogue;

    OpenOutcome open(const std::optional<QString>& chosen) {
        clsCdlg cdlg(dialogs);
        dialogs.files.enqueue(chosen);
        return LoadUTXfile(dialogs, cdlg, textures, root.path(), session, catalogue,
                           {"Boss", "SoldierSkins"});
    }

private slots:
    void init() {
        QVERIFY(QDir(root.filePath("U.T")).removeRecursively() && QDir().mkpath(textures) &&
                QDir().mkpath(system));
        QVERIFY(WriteBytes(root.filePath("unreal.flt"), *EncodeFilterFile({"none", "palette"})));
        QVERIFY(WriteBytes(textures + "Boss_Old.utx", BuildUtx64({"None", "Boss1"})));
        dialogs = ScriptedDialogs();
        shown.clear();
        dialogs.onMessage = [this](auto m) { shown << m.title; };
        const SkinFormat boss{"Boss", "t_", "1", "5", "4", ""};
        catalogue = {{boss, {"SoldierSkins", "t_", "1", "5", "4", ""}}, {}, false};
        QVERIFY(open(textures + "Boss_Old.utx").read);
    }

    // A file that is no package leaves the one opened before and says why; a
    // package of no known type is shown, then the user told once.
    void opens_data() {
        QTest::addColumn<QByteArray>("bytes");  // of the file named; null: cancelled
        QTest::addColumn<QStringList>("items"); // empty: nothing opened
        QTest::addColumn<QStringList>("told");  // title|text|the names shown behind it
        QTest::newRow("cancelled") << QByteArray() << QStringList{} << QStringList{};
        QTest::newRow("SoldierSkins_Foo.utx")
            << BuildUtx64({"None", "Foot2", "Palette3", "SoldierSkins_Foo", "Foot1", "Foot5Bob"})
            << QStringList{"foot1", "foot2", "foot5bob"} << QStringList{};
        QTest::newRow("Mystery.utx")
            << BuildUtx60({"None", "Face", "Body"}) << QStringList{"body", "face"}
            << QStringList{"Format Unknown|Select the correct skin type.|body face"};
        QTest::newRow("NoPackage.utx")
            << QByteArray("text") << QStringList{}
            << QStringList{"Open Failed|Could not read this file as a package:\r\n" + textures +
                           "NoPackage.utx|boss1"};
    }
    void opens() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, items);
        QFETCH(QStringList, told);
        const QString file = QTest::currentDataTag();
        QVERIFY(bytes.isNull() || WriteBytes(textures + file, bytes));
        const PackageSession before = session;
        dialogs.onMessage = [&](auto m) {
            shown << m.title + '|' + m.text + '|' + session.PackageItems.Names.join(' ');
        };

        const OpenOutcome outcome =
            open(bytes.isNull() ? std::nullopt : std::optional(textures + file));

        QCOMPARE(outcome.read, !items.isEmpty());
        QCOMPARE(outcome.typeIndex, told.isEmpty() && outcome.read ? 1 : -1);
        QCOMPARE(session.UTXPath, items.isEmpty() ? before.UTXPath : textures + file);
        QCOMPARE(session.PackageItems.Names, items.isEmpty() ? before.PackageItems.Names : items);
        QVERIFY(!items.isEmpty() || session.PackageRead == before.PackageRead);
        QCOMPARE(shown, told);
    }

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
        QTest::newRow("no System") << plain << QStringList{"Save Failed"};
        QTest::newRow("folder at the target") << plain << QStringList{"Save Failed"};
        QTest::newRow("old, not Windows-1252") << "\u03a9" << QStringList{"Save Failed"};
    }
    void saves() {
        QFETCH(QString, text);
        QFETCH(QStringList, titles);
        const QString setup = QTest::currentDataTag(), target = system + "/SoldierSkins_Foo.int";
        QVERIFY(setup != "no System" || QDir(system).removeRecursively());
        QVERIFY(setup != "folder at the target" || QDir().mkpath(target));
        QVERIFY(setup != "empty file" || WriteBytes(target, ""));
        QVERIFY(!setup.startsWith("old") || WriteBytes(target, "old"));
        dialogs.answers.enqueue(setup.endsWith("yes") ? Dialogs::Answer::Yes : Dialogs::Answer::No);
        dialogs.files.enqueue(target);
        const QByteArray before = FileBytes(target);
        clsCdlg cdlg(dialogs);

        const bool saved = SaveINTfile(dialogs, cdlg, root.filePath("U.T"),
                                       textures + "SoldierSkins_Foo.utx", text);

        QCOMPARE(saved, titles.last().isEmpty());
        QCOMPARE(dialogs.fileRequests.last().fileName, target);
        QCOMPARE(FileBytes(target), saved ? text.toLatin1() : before);
        QCOMPARE(shown, titles);
        QVERIFY(titles[0] != "Save Failed" || dialogs.messages[0].text.contains(target));
    }
};

QTEST_GUILESS_MAIN(tst_PackageLoading)
#include "tst_PackageLoading.moc"
