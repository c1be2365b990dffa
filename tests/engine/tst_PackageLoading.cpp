#include "ScriptedDialogs.h"
#include "TestPaths.h"
#include "UtxBuilder.h"
#include "engine/FilterList.h"
#include "engine/PackageLoading.h"
#include "services/clsCdlg.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray SkinRecord(const QByteArray& key) {
    return "[" + key + "]\r\nExcl=\"t_\"\r\nSkinC=\"1\"\r\nName=\"4\"\r\nGrup=\"5\"\r\nDesc=\"" +
           key + " skins\"\r\n\r\n";
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString Congratulations = QStringLiteral(
    "Good job. You made a skin.\r\nNow exit this, fire up UT and check out your skin.");
const QString OverwriteQuestion = QStringLiteral("Are you sure you want to overwrite this file.");
} // namespace

class tst_PackageLoading : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> root;
    ScriptedDialogs dialogs;
    std::unique_ptr<clsCdlg> cdlg;
    PackageSession session;
    CatalogueState catalogue;
    const QStringList typeList{"Boss", "SoldierSkins", "CommandoSkins"};

    QString programDir() const { return root->filePath(QStringLiteral("program")); }
    QString gameDir() const { return root->filePath(QStringLiteral("UT")); }
    QString texturesDir() const { return gameDir() + QStringLiteral("/Textures/"); }
    QString systemDir() const { return gameDir() + QStringLiteral("/System"); }

    OpenOutcome open(const std::optional<QString>& chosen) {
        dialogs.files.enqueue(chosen);
        return LoadUTXfile(dialogs, *cdlg, texturesDir(), programDir(), session, catalogue,
                           typeList);
    }
    QString package(const QString& name, const QByteArray& bytes) const {
        const QString path = texturesDir() + name;
        return WriteBytes(path, bytes) ? path : QString();
    }
    bool save(const std::optional<QString>& chosen, const QString& text) {
        dialogs.files.enqueue(chosen);
        return SaveINTfile(dialogs, *cdlg, gameDir(), session.UTXPath, text);
    }

private slots:
    void init() {
        root = std::make_unique<QTemporaryDir>();
        QVERIFY(root->isValid());
        QDir dir(root->path());
        QVERIFY(dir.mkpath(QStringLiteral("program")));
        QVERIFY(dir.mkpath(QStringLiteral("UT/Textures")));
        QVERIFY(dir.mkpath(QStringLiteral("UT/System")));
        const std::optional<QByteArray> filter = EncodeFilterFile({"none", "palette", "color"});
        QVERIFY(filter);
        QVERIFY(WriteBytes(programDir() + QStringLiteral("/unreal.flt"), *filter));
        QVERIFY(WriteBytes(programDir() + QStringLiteral("/SkinFormats.ini"),
                           SkinRecord("Boss") + SkinRecord("SoldierSkins") +
                               SkinRecord("CommandoSkins")));
        dialogs = ScriptedDialogs();
        cdlg = std::make_unique<clsCdlg>(dialogs);
        session = PackageSession();
        catalogue = CatalogueState();
        // The wizard refills its type list from the catalogue before each open.
        QCOMPARE(LoadSkinInfo(programDir(), catalogue).keys, typeList);
    }

    void cancelledOpenChangesNothing() {
        session.UTXPath = QStringLiteral("/earlier/Boss.utx");
        session.PackageItems.Names = QStringList{"boss1"};
        catalogue.CurrentSkin.Key = QStringLiteral("Boss");

        const OpenOutcome outcome = open(std::nullopt);

        QVERIFY(!outcome.read);
        QCOMPARE(outcome.typeIndex, -1);
        QCOMPARE(session.UTXPath, QStringLiteral("/earlier/Boss.utx"));
        QCOMPARE(session.PackageItems.Names, QStringList{"boss1"});
        QCOMPARE(catalogue.CurrentSkin.Key, QStringLiteral("Boss"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void opensAPackageOfAKnownType() {
        const QString path = package(
            QStringLiteral("SoldierSkins_Foo.utx"),
            BuildUtx64({"None", "Foot2", "Palette3", "SoldierSkins_Foo", "Foot1", "Foot5Bob"}));

        const OpenOutcome outcome = open(path);

        QVERIFY(outcome.read);
        QVERIFY(outcome.typeFound);
        QCOMPARE(outcome.typeIndex, 1);
        QCOMPARE(session.UTXPath, path);
        QCOMPARE(session.PackageItems.Names, (QStringList{"foot1", "foot2", "foot5bob"}));
        QCOMPARE(catalogue.CurrentSkin.Key, QStringLiteral("SoldierSkins"));
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(cdlg->Filename(), QString()); // ready for the next open
    }

    void opensTheGamesOwnPackage() {
        REQUIRE_FIXTURE("BossSkins.utx");
        const QString path = FixturesDir() + QStringLiteral("/BossSkins.utx");
        const OpenOutcome outcome = open(path);
        QVERIFY(outcome.read);
        QCOMPARE(outcome.typeIndex, 0);
        QCOMPARE(session.UTXPath, path);
        QCOMPARE(session.PackageRead.NameCount, 63);
        QVERIFY(session.PackageItems.Names.contains(QStringLiteral("boss1")));
        QVERIFY(!session.PackageItems.Names.contains(QStringLiteral("none")));
        QVERIFY(dialogs.messages.isEmpty());
    }

    // The notice comes once, after the package has been read, filtered and
    // sorted, so the wizard shows the new package behind it.
    void unknownTypeIsToldOnceAfterReading() {
        const QString path =
            package(QStringLiteral("Mystery.utx"), BuildUtx60({"None", "Face", "Body"}));
        QString pathWhenTold;
        QStringList namesWhenTold;
        dialogs.onMessage = [&](const ScriptedDialogs::Message&) {
            pathWhenTold = session.UTXPath;
            namesWhenTold = session.PackageItems.Names;
        };

        const OpenOutcome outcome = open(path);

        QVERIFY(outcome.read);
        QVERIFY(!outcome.typeFound);
        QCOMPARE(outcome.typeIndex, -1);
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text, QStringLiteral("Select the correct skin type."));
        QCOMPARE(dialogs.messages[0].title, QStringLiteral("Format Unknown"));
        QCOMPARE(dialogs.messages[0].buttons, Dialogs::Buttons::Ok);
        QCOMPARE(pathWhenTold, path);
        QCOMPARE(namesWhenTold, (QStringList{"body", "face"}));
        QCOMPARE(catalogue.CurrentSkin.Key, QStringLiteral("Unknown"));
    }

    void unreadableFileKeepsThePackageOpenBefore_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // null: nothing is written there
        QTest::newRow("typed name of a missing file") << "SoldierSkins_Typo.utx" << QByteArray();
        QTest::newRow("empty file") << "SoldierSkins_Empty.utx" << QByteArray("");
        QTest::newRow("text file") << "SoldierSkins_Notes.utx" << QByteArray("not a package");
        QTest::newRow("no names") << "SoldierSkins_None.utx" << BuildUtx(0, 64, {});
    }
    void unreadableFileKeepsThePackageOpenBefore() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QVERIFY(open(package(QStringLiteral("Boss_Old.utx"), BuildUtx64({"None", "Boss1"}))).read);
        QVERIFY(dialogs.messages.isEmpty());
        const PackageSession before = session;
        const SkinFormat skinBefore = catalogue.CurrentSkin;
        const QString path = texturesDir() + name;
        if (!bytes.isNull())
            QVERIFY(WriteBytes(path, bytes));

        const OpenOutcome outcome = open(path);

        QVERIFY(!outcome.read);
        QCOMPARE(outcome.typeIndex, -1);
        QCOMPARE(session.UTXPath, before.UTXPath);
        QCOMPARE(session.PackageRead, before.PackageRead);
        QCOMPARE(session.PackageItems, before.PackageItems);
        QCOMPARE(session.FilterList, before.FilterList);
        QCOMPARE(catalogue.CurrentSkin, skinBefore);
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].text.contains(path));
        QVERIFY(dialogs.messages[0].text.contains(QStringLiteral("package")));
        QVERIFY(!dialogs.messages[0].title.isEmpty());
        QVERIFY(dialogs.messages[0].title != QStringLiteral("Format Unknown"));
        QCOMPARE(cdlg->Filename(), QString());
    }

    // Whatever the last dialog used, the open dialog starts in the Textures
    // folder and proposes no name.
    void openDialogStartsInTexturesEveryTime() {
        const QString path = package(QStringLiteral("Boss_A.utx"), BuildUtx64({"Boss1"}));
        open(path);
        cdlg->setInitDir(QStringLiteral("/elsewhere"));
        cdlg->setFilename(QStringLiteral("/elsewhere/Other.int"));
        cdlg->setFilter(QStringLiteral("INT Files|*.int"));
        open(std::nullopt);

        QCOMPARE(dialogs.fileRequests.size(), 2);
        for (const Dialogs::FileRequest& request : dialogs.fileRequests) {
            QVERIFY(!request.save);
            QCOMPARE(request.initialDir, texturesDir());
            QCOMPARE(request.fileName, QString());
            QCOMPARE(request.filter, QStringLiteral("UTX Files (*.utx);;All Files (*)"));
        }
    }

    void saveProposesTheSystemFolder_data() {
        QTest::addColumn<QString>("systemOnDisk");
        QTest::addColumn<QString>("gameSuffix");
        QTest::newRow("System") << "System"
                                << "";
        QTest::newRow("system") << "system"
                                << "";
        QTest::newRow("SYSTEM, trailing slash") << "SYSTEM"
                                                << "/";
    }
    void saveProposesTheSystemFolder() {
        QFETCH(QString, systemOnDisk);
        QFETCH(QString, gameSuffix);
        QVERIFY(QDir(systemDir()).removeRecursively());
        QVERIFY(QDir(gameDir()).mkdir(systemOnDisk));
        session.UTXPath = texturesDir() + QStringLiteral("SoldierSkins_Foo.utx");
        dialogs.files.enqueue(std::nullopt);

        QVERIFY(!SaveINTfile(dialogs, *cdlg, gameDir() + gameSuffix, session.UTXPath, "text"));

        QCOMPARE(dialogs.fileRequests.size(), 1);
        const Dialogs::FileRequest request = dialogs.fileRequests[0];
        const QString folder = gameDir() + QLatin1Char('/') + systemOnDisk;
        QVERIFY(request.save);
        QCOMPARE(request.initialDir, folder);
        QCOMPARE(request.fileName, folder + QStringLiteral("/SoldierSkins_Foo.int"));
        QCOMPARE(request.filter, QStringLiteral("INT Files (*.int);;All Files (*)"));
        QVERIFY(dialogs.messages.isEmpty());
        QVERIFY(QDir(folder).isEmpty());
    }

    void savesExactlyTheText() {
        session.UTXPath = texturesDir() + QStringLiteral("Boss_X.utx");
        const QString target = systemDir() + QStringLiteral("/Boss_X.int");
        const QString text = QStringLiteral(
            "[public]\r\nObject=(Name=Boss_X.boss1,Class=Texture,Description=\"Caf\u00e9 \u20ac\")"
            "\r\n\r\n\r\nmy own line\nno CR\r\n");

        QVERIFY(save(target, text));

        QCOMPARE(ReadBytes(target),
                 QByteArray("[public]\r\nObject=(Name=Boss_X.boss1,Class=Texture,Description="
                            "\"Caf\xe9 \x80\")\r\n\r\n\r\nmy own line\nno CR\r\n"));
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text, Congratulations);
        QCOMPARE(dialogs.messages[0].title, QString());
        QCOMPARE(dialogs.messages[0].buttons, Dialogs::Buttons::Ok);
    }

    void overwriteIsAskedForAFileWithContent_data() {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<Dialogs::Answer>("answer");
        QTest::addColumn<bool>("saved");
        QTest::newRow("empty file") << QByteArray("") << false << Dialogs::Answer::No << true;
        QTest::newRow("longer file, yes")
            << QByteArray(4000, 'x') << true << Dialogs::Answer::Yes << true;
        QTest::newRow("longer file, no")
            << QByteArray(4000, 'x') << true << Dialogs::Answer::No << false;
    }
    void overwriteIsAskedForAFileWithContent() {
        QFETCH(QByteArray, old);
        QFETCH(bool, asked);
        QFETCH(Dialogs::Answer, answer);
        QFETCH(bool, saved);
        const QString target = systemDir() + QStringLiteral("/Boss_X.int");
        QVERIFY(WriteBytes(target, old));
        if (asked)
            dialogs.answers.enqueue(answer);

        QCOMPARE(save(target, QStringLiteral("[public]\r\n")), saved);

        QCOMPARE(ReadBytes(target), saved ? QByteArray("[public]\r\n") : old);
        QList<ScriptedDialogs::Message> expected;
        if (asked)
            expected.append({OverwriteQuestion, "File Already Exists", Dialogs::Buttons::YesNo});
        if (saved)
            expected.append({Congratulations, QString(), Dialogs::Buttons::Ok});
        QCOMPARE(dialogs.messages.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QCOMPARE(dialogs.messages[i].text, expected[i].text);
            QCOMPARE(dialogs.messages[i].title, expected[i].title);
            QCOMPARE(dialogs.messages[i].buttons, expected[i].buttons);
        }
    }

    // A failed save says what failed and where, keeps the old file and does
    // not congratulate.
    void failedSaveIsReported_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("text");
        const QString plain = QStringLiteral("[public]\r\n");
        QTest::newRow("no System folder") << "no System" << plain;
        QTest::newRow("folder at the target") << "folder at target" << plain;
        QTest::newRow("System is a file") << "System file" << plain;
        QTest::newRow("character outside the code page")
            << "old file" << QStringLiteral("Description=\"\u03a9mega\"");
        QTest::newRow("character beyond the BMP")
            << "no old file" << QStringLiteral("Description=\"\U0001F600\"");
    }
    void failedSaveIsReported() {
        QFETCH(QString, setup);
        QFETCH(QString, text);
        session.UTXPath = texturesDir() + QStringLiteral("Boss_X.utx");
        QString target = systemDir() + QStringLiteral("/Boss_X.int");
        const QByteArray old("old contents");
        if (setup == QLatin1String("no System")) {
            QVERIFY(QDir(systemDir()).removeRecursively());
        } else if (setup == QLatin1String("folder at target")) {
            QVERIFY(QDir(systemDir()).mkdir(QStringLiteral("Boss_X.int")));
        } else if (setup == QLatin1String("System file")) {
            QVERIFY(QDir(systemDir()).removeRecursively());
            QVERIFY(WriteBytes(systemDir(), old));
        } else if (setup == QLatin1String("old file")) {
            QVERIFY(WriteBytes(target, old));
        }
        const QByteArray systemBefore = ReadBytes(systemDir());
        const QByteArray targetBefore = ReadBytes(target);

        QVERIFY(!save(target, text));

        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].title, QStringLiteral("Save Failed"));
        QCOMPARE(dialogs.messages[0].buttons, Dialogs::Buttons::Ok);
        QVERIFY2(dialogs.messages[0].text.contains(target), qPrintable(dialogs.messages[0].text));
        QCOMPARE(ReadBytes(systemDir()), systemBefore);
        QCOMPARE(ReadBytes(target), targetBefore);
        QCOMPARE(QFileInfo(target).isDir(), setup == QLatin1String("folder at target"));
        QCOMPARE(QFileInfo::exists(target),
                 setup == QLatin1String("old file") || setup == QLatin1String("folder at target"));
    }

    // A proposed name too long for the dialog's name buffer is saved without a
    // dialog, unless the last dialog was cancelled.
    void tooLongProposedNameSavesWithoutADialog_data() {
        QTest::addColumn<bool>("lastCancelled");
        QTest::newRow("after an open") << false;
        QTest::newRow("after a cancelled dialog") << true;
    }
    void tooLongProposedNameSavesWithoutADialog() {
        QFETCH(bool, lastCancelled);
        session.UTXPath = texturesDir() + QStringLiteral("Boss_X.utx");
        cdlg->setMaxFileSize(int(systemDir().size()));
        cdlg->setCancelError(lastCancelled);
        const QString target = systemDir() + QStringLiteral("/Boss_X.int");

        QCOMPARE(SaveINTfile(dialogs, *cdlg, gameDir(), session.UTXPath, "[public]"),
                 !lastCancelled);

        QVERIFY(dialogs.fileRequests.isEmpty());
        QCOMPARE(ReadBytes(target), lastCancelled ? QByteArray() : QByteArray("[public]"));
    }
};

QTEST_GUILESS_MAIN(tst_PackageLoading)
#include "tst_PackageLoading.moc"
