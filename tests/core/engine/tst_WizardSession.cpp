#include "ScriptedDialogs.h"
#include "TestPaths.h"
#include "UtxBuilder.h"
#include "engine/WizardSession.h"
#include "services/clsCdlg.h"

#include <QtTest>
#include <sys/stat.h>

namespace {
// The example skins and a file that is no package. The game folder has a dot in it, as
// ~/.loki/ut has.
struct Rig {
    QTemporaryDir root;
    QString program = root.filePath("program"), game = root.filePath("U.T"),
            textures = game + "/Textures";
    ScriptedDialogs dialogs;
    clsCdlg cdlg{dialogs};
    WizardSession session{program};

    Rig() {
        QDir().mkpath(program);
        QDir().mkpath(textures);
        QDir().mkpath(game + "/System");
        WriteExampleSkins(program, textures);
        WriteBytes(textures + "/Broken.utx", "no package at all");
        session.loadTypes();
    }
    // Step one's button, its dialog answered with the package `name` ("": cancelled).
    OpenOutcome open(const QString& name) {
        dialogs.files.enqueue(name.isEmpty() ? std::nullopt : std::optional(textures + '/' + name));
        return session.open(dialogs, cdlg, textures + '/');
    }
    // The type entry, the rules in use and the package: what the steps show.
    auto shown() const {
        return std::tuple(session.typeIndex(), session.skin(), session.package().UTXPath,
                          session.package().PackageItems);
    }
};
} // namespace

class tst_WizardSession : public QObject {
    Q_OBJECT

private slots:
    // A pick applies its rules but keeps the key found; a file that is no
    // package changes nothing, a cancelled dialog only reads the types again.
    void opensAndChooses() {
        Rig rig;
        QCOMPARE(rig.session.typeKeys(), (QStringList{"SoldierSkins", "CommandoSkins"}));
        QVERIFY(rig.open("SoldierSkins_Foo.utx").typeFound);
        QCOMPARE(rig.dialogs.fileRequests.last().initialDir, rig.textures + '/');
        QCOMPARE(rig.session.package().PackageItems.Names,
                 (QStringList{"foot1", "foot4", "foot5bob", "foot5joe"}));
        rig.session.selectType(1);
        QCOMPARE(rig.session.skin().NamedChar + rig.session.skin().Key, "2SoldierSkins");
        const auto before = rig.shown();
        QVERIFY(!rig.open("Broken.utx").read);
        QVERIFY(rig.shown() == before);
        QCOMPARE(rig.dialogs.messages.last().text,
                 "Could not read this file as a package:\r\n" + rig.textures + "/Broken.utx");
        QCOMPARE(::mkfifo(QFile::encodeName(rig.textures + "/Pipe.utx").constData(), 0600), 0);
        QVERIFY(!rig.open("Pipe.utx").read); // never opened, so never waited on
        QCOMPARE(rig.dialogs.messages.last().text,
                 "Could not read " + rig.textures + "/Pipe.utx:\r\nit is not a regular file.");
        QVERIFY(rig.shown() == before);
        QVERIFY(rig.open("").cancelled);
        QCOMPARE(rig.session.typeIndex(), 0);
        QCOMPARE(rig.session.skin().NamedChar + rig.session.skin().Key, "5SoldierSkins");
        QCOMPARE(rig.session.package().UTXPath, std::get<2>(before));

        QVERIFY(!rig.open("Mystery_Pack.UTX").typeFound);
        QCOMPARE(rig.dialogs.titles(),
                 (QStringList{"Open Failed", "Open Failed", "Format Unknown"}));
        QCOMPARE(rig.dialogs.messages.last().text, "Select the correct skin type.");
        rig.session.selectType(1);
        rig.session.selectGuessedType(); // Unknown is in no entry: the first
        QCOMPARE(rig.session.typeIndex(), 0);
        QCOMPARE(rig.session.skin().Key, "Unknown");
    }

    // Names that could break their .int line are left out; the user is told which and why, in
    // the package's order.
    void leavesOutWhatCannotBeALine() {
        Rig rig;
        WriteBytes(rig.textures + "/SoldierSkins_Bad.utx",
                   BuildUtx64({"None", "foot1", "foot2\r\n[URL]\r\nHost=x", "foot3=x"}));
        QVERIFY(rig.open("SoldierSkins_Bad.utx").read);
        QCOMPARE(rig.session.package().PackageItems.Names, QStringList{"foot1"});
        QCOMPARE(rig.dialogs.titles(), QStringList{"Names Left Out"});
        const QString text = rig.dialogs.messages.last().text;
        QVERIFY2(text.contains("\"foot2\\r\\n[url]\\r\\nhost=x\": it holds a line break\r\n"
                               "\"foot3=x\": it holds the character '='"),
                 qPrintable(text));
    }

    // The text follows the reviewed list; restoring brings every name back.
    void reviews() {
        Rig rig;
        rig.session.openFile(rig.textures + "/SoldierSkins_Foo.utx");
        rig.session.beginReview();
        QVERIFY(rig.session.remove(1) && rig.session.remove(2) && !rig.session.remove(2));
        QCOMPARE(rig.session.reviewed(), (QStringList{"foot1", "foot5bob"}));
        const QString pruned = rig.session.intText();
        QVERIFY(pruned.contains(".foot5bob,") && !pruned.contains(".foot4,"));
        QCOMPARE(rig.session.text(), pruned);
        rig.session.restore();
        QCOMPARE(rig.session.reviewed(), rig.session.package().PackageItems.Names);
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
        QTest::newRow("folder at the target") << plain << QStringList{"Save Failed"};
        QTest::newRow("link loop at the target") << plain << QStringList{"Save Failed"};
        QTest::newRow("old, not Windows-1252") << "\u03a9" << QStringList{"Save Failed"};
    }
    void saves() {
        QFETCH(QString, text);
        QFETCH(QStringList, titles);
        Rig rig;
        const QString setup = QTest::currentDataTag(),
                      target = rig.game + "/System/SoldierSkins_Foo.int";
        QVERIFY(setup != "folder at the target" || QDir().mkpath(target));
        QVERIFY(setup != "empty file" || WriteBytes(target, ""));
        QVERIFY(!setup.startsWith("link") || QFile::link(target, target));
        QVERIFY(!setup.startsWith("old") || WriteBytes(target, QByteArray(20000, 'o')));
        rig.dialogs.answers.enqueue(setup.endsWith("yes") ? Dialogs::Answer::Yes
                                                          : Dialogs::Answer::No);
        rig.dialogs.files.enqueue(target);
        const QByteArray before = FileBytes(target);
        rig.session.openFile(rig.textures + "/SoldierSkins_Foo.utx");
        rig.session.setText(text);

        const bool saved = rig.session.save(rig.dialogs, rig.cdlg, rig.game);

        QCOMPARE(saved, titles.last().isEmpty());
        QCOMPARE(rig.dialogs.fileRequests.last().fileName, target);
        QCOMPARE(FileBytes(target), saved ? text.toLatin1() : before);
        QCOMPARE(rig.dialogs.titles(), titles);
        const QString first = rig.dialogs.messages[0].text;
        QVERIFY(titles[0] != "Save Failed" || first.contains(target));
        QVERIFY(!setup.startsWith("link") || first.endsWith("too many levels of symbolic links."));
        QVERIFY(titles[0] != "File Already Exists" ||
                first == "Are you sure you want to overwrite this file.");
    }
};

QTEST_GUILESS_MAIN(tst_WizardSession)
#include "tst_WizardSession.moc"
