#include "TestPaths.h"
#include "UtxBuilder.h"
#include "catalogue/SkinCatalogue.h"
#include "engine/PackageOpener.h"
#include "engine/ScriptWriter.h"
#include "services/Text1252.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// varnwick-cli as a user runs it: the built program on synthetic packages and
// the game's own, checked by exit status, standard output, standard error and
// the files it leaves.

namespace {

struct CliRun {
    int status = -1;
    QByteArray out;
    QString err;
};

// What the wizard saves for a package when the user accepts every step.
QByteArray WizardBytes(const QString& packagePath) {
    CatalogueState catalogue;
    const SkinList list = LoadSkinInfo(BuiltBinDir(), catalogue);
    SelectSkin(list.selected, catalogue);
    PackageSession session;
    SelectSkin(OpenPackageFile(packagePath, BuiltBinDir(), session, catalogue, list.keys).typeIndex,
               catalogue);
    PackageRecord& items = session.PackageItems;
    return ToWindows1252(BuildINTText(items.Names, items, catalogue.CurrentSkin))
        .value_or(QByteArray());
}

} // namespace

class tst_Cli : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QTemporaryDir home;

    QString tmp(const QString& name) const { return QDir(dir->path()).filePath(name); }
    void makePackage(const QString& name, const QStringList& names) {
        QVERIFY(WriteBytes(tmp(name), BuildUtx64(names)));
    }

    // Runs in the scratch folder, away from the real user's folders.
    CliRun run(const QStringList& arguments) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home.path());
        environment.insert("XDG_DATA_HOME", home.filePath("data"));
        environment.insert("LC_ALL", "C.UTF-8");
        QProcess process; // killed when it outlives the wait
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir->path());
        process.start(BuiltBinDir() + "/varnwick-cli", arguments);
        if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
            return {};
        return {process.exitCode(), process.readAllStandardOutput(),
                process.readAllStandardError()};
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(tmp("out")) && QDir().mkpath(tmp("data")));
        makePackage("SoldierSkins_Foo.utx",
                    {"None", "Core", "Texture", "SoldierSkins_Foo", "foot1", "foot2", "foot3",
                     "foot4", "foot5Bob", "foot5Joe", "foot1t_0", "foot4team"});
        makePackage("Mystery.utx", {"None", "Mystery", "abcd1", "abcd2"});
        makePackage("SoldierSkins_Six.utx", {"None", "foot6", "foot7", "foot8"});
        makePackage("SoldierSkins_\u0416.utx", {"None", "foot1", "foot2"});
        QVERIFY(WriteBytes(tmp("Empty.utx"), "") &&
                WriteBytes(tmp("Junk.utx"), "This is no package."));
        QVERIFY(WriteBytes(tmp("Existing.int"), "keep me"));
        // A data folder with a catalogue of one type and the shipped filter list.
        QVERIFY(WriteBytes(tmp("data/SkinFormats.ini"),
                           "[SoldierSkins]\r\naaaa=\"team\"\r\nbbbbb=\"1\"\r\n"
                           "cccc=\"5\"\r\ndddd=\"4\"\r\neeee=\"Example\"\r\n\r\n"));
        QVERIFY(QFile::copy(BuiltBinDir() + "/unreal.flt", tmp("data/unreal.flt")));
    }

    void exitStatus_data() {
        QTest::addColumn<QString>("command"); // the arguments, separated by blanks
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message"); // on standard error; none: it stays empty
        QTest::newRow("accepted") << "SoldierSkins_Foo.utx" << 0 << QString();
        QTest::newRow("no package") << "" << 1 << "no package file given";
        QTest::newRow("unknown option") << "--frobnicate SoldierSkins_Foo.utx" << 1 << "frobnicate";
        QTest::newRow("unknown type")
            << "--type NoSuchSkins SoldierSkins_Foo.utx" << 1 << "varnwick-cli --types";
        QTest::newRow("two files, one output")
            << "-o a.int Mystery.utx SoldierSkins_Foo.utx" << 1 << "--output-dir";
        QTest::newRow("no data folder")
            << "--data-dir missing SoldierSkins_Foo.utx" << 1 << "no such data folder";
        QTest::newRow("no catalogue")
            << "--data-dir out SoldierSkins_Foo.utx" << 1 << "SkinFormats.ini";
        QTest::newRow("missing package") << "Nowhere.utx" << 2 << "no such file";
        QTest::newRow("empty package") << "Empty.utx" << 2 << "empty";
        QTest::newRow("folder as package") << "data" << 2 << "folder";
        QTest::newRow("no package at all") << "Junk.utx" << 2 << "not a package";
        QTest::newRow("removal not found")
            << "--remove nosuchname SoldierSkins_Foo.utx" << 0 << "warning: ";
        QTest::newRow("type unknown") << "Mystery.utx" << 3 << "Format Unknown";
        QTest::newRow("type unknown, chosen")
            << "--type SoldierSkins Mystery.utx" << 0 << QString();
        QTest::newRow("names fit no rule") << "SoldierSkins_Six.utx" << 3 << "neither";
        QTest::newRow("name outside Windows-1252") << "SoldierSkins_\u0416.utx" << 4 << "\u0416";
        QTest::newRow("output folder missing")
            << "-o missing/x.int SoldierSkins_Foo.utx" << 4 << "missing/x.int";
        QTest::newRow("output exists") << "-o Existing.int SoldierSkins_Foo.utx" << 4 << "--force";
        QTest::newRow("package itself")
            << "--force -o ./SoldierSkins_Foo.utx SoldierSkins_Foo.utx" << 4 << "package itself";
        QTest::newRow("worst of several")
            << "--output-dir out Empty.utx Mystery.utx SoldierSkins_Foo.utx" << 3 << "Empty.utx";
    }
    void exitStatus() {
        QFETCH(QString, command);
        QFETCH(int, status);
        QFETCH(QString, message);
        const QByteArray package = FileBytes(tmp("SoldierSkins_Foo.utx"));
        const CliRun result = run(command.split(' ', Qt::SkipEmptyParts));
        QCOMPARE(result.status, status);
        QVERIFY2(message.isEmpty() ? result.err.isEmpty() : result.err.contains(message),
                 qPrintable(result.err));
        // A failed package leaves no file behind, and nothing replaces one.
        QCOMPARE(FileBytes(tmp("Existing.int")) + FileBytes(tmp("SoldierSkins_Foo.utx")),
                 "keep me" + package);
        if (status == 0)
            QVERIFY(result.out.startsWith("[public]\r\n"));
        else if (!command.contains("--output-dir"))
            QVERIFY(result.out.isEmpty());
    }

    void textAsTheWizardSavesIt_data() {
        QTest::addColumn<QString>("package");
        QTest::newRow("synthetic") << "SoldierSkins_Foo.utx";
        for (const QFileInfo& file :
             QDir(FixturesDir()).entryInfoList({"*.utx"}, QDir::Files, QDir::Name)) {
            if (!file.fileName().startsWith("Dacoma")) // of no known type
                QTest::newRow(qPrintable(file.fileName())) << file.filePath();
        }
    }
    void textAsTheWizardSavesIt() {
        QFETCH(QString, package);
        const QByteArray expected = WizardBytes(tmp(package));
        QVERIFY(expected.contains(",Class=Texture"));
        const CliRun toStdout = run({tmp(package)});
        QCOMPARE(toStdout.status, 0);
        QCOMPARE(toStdout.out, expected);
        // --force replaces an older, longer text.
        QVERIFY(WriteBytes(tmp("Existing.int"), QByteArray(100000, 'x')));
        const CliRun toFile = run({"--force", "-o", "Existing.int", tmp(package)});
        QCOMPARE(toFile.status, 0);
        QCOMPARE(toFile.out + FileBytes(tmp("Existing.int")), expected);
    }

    void exampleTextExactly() {
        makePackage("SoldierSkins_Bar.utx", {"None", "Core", "SoldierSkins_Bar", "foot5joe",
                                             "foot1", "foot3", "foot2", "foot5bob", "foot4"});
        const CliRun result = run({"--data-dir", "data", "SoldierSkins_Bar.utx"});
        QCOMPARE(result.status, 0);
        QCOMPARE(result.out,
                 QByteArray("[public]\r\n"
                            "Object=(Name=SoldierSkins_Bar.foot1,Class=Texture,Description="
                            "\"SoldierSkinsfoot1\")\r\n"
                            "Object=(Name=SoldierSkins_Bar.foot2,Class=Texture)\r\n"
                            "Object=(Name=SoldierSkins_Bar.foot3,Class=Texture)\r\n"
                            "Object=(Name=SoldierSkins_Bar.foot4,Class=Texture)\r\n"
                            "\r\n"
                            "Object=(Name=SoldierSkins_Bar.foot5bob,Class=Texture,Description="
                            "\"Bob\")\r\n"
                            "Object=(Name=SoldierSkins_Bar.foot5joe,Class=Texture,Description="
                            "\"Joe\")\r\n"));
        QCOMPARE(run({"--types", "--data-dir", "data"}).out, QByteArray("SoldierSkins\tExample\n"));
    }

    void chosenTypeKeepsGuessedKey() {
        // CommandoSkins numbers faces 2, but the description keeps the key found for the package.
        makePackage("SoldierSkins_Baz.utx", {"None", "abcd1", "abcd2", "abcd2Kim", "abcd4Lee"});
        const CliRun result = run({"--type", "commandoskins", "-o", "-", "SoldierSkins_Baz.utx"});
        QCOMPARE(result.status, 0);
        for (const char* line :
             {"abcd1,Class=Texture,Description=\"SoldierSkinsabcd1\")",
              "abcd2kim,Class=Texture,Description=\"Kim\")", "abcd4lee,Class=Texture)\r\n"})
            QVERIFY2(result.out.contains(line), line);
    }

    void namesAfterRemovals() {
        // Each removal takes one entry; listing names needs no type.
        makePackage("SoldierSkins_Dup.utx", {"None", "foot1", "foot2", "foot2", "foot3", "foot4"});
        const CliRun result = run({"--names", "--remove", "FOOT2", "--remove", "foot4",
                                   "SoldierSkins_Dup.utx", "Mystery.utx"});
        QCOMPARE(result.status, 0);
        QCOMPARE(result.out, QByteArray("foot1\nfoot2\nfoot3\nabcd1\nabcd2\n"));
    }

    void outputDirTriesEveryPackage() {
        makePackage("CommandoSkins_Two.utx", {"None", "abcd1", "abcd2", "abcd2Kim"});
        QVERIFY(QDir().mkpath(tmp("other")));
        makePackage("other/SoldierSkins_Foo.utx", {"None", "boot1", "boot2"});
        // The second SoldierSkins_Foo would go to the same file: even --force keeps the first.
        const CliRun result =
            run({"--force", "--output-dir", "out", "Nowhere.utx", "Mystery.utx",
                 "SoldierSkins_Foo.utx", "CommandoSkins_Two.utx", "other/SoldierSkins_Foo.utx"});
        QCOMPARE(result.status, 4);
        for (const char* failed : {"Nowhere.utx", "Mystery.utx", "other/SoldierSkins_Foo.utx"})
            QVERIFY2(result.err.contains(failed), qPrintable(result.err));
        QCOMPARE(QDir(tmp("out")).entryList(QDir::Files),
                 (QStringList{"CommandoSkins_Two.int", "SoldierSkins_Foo.int"}));
        for (const QString name : {"CommandoSkins_Two", "SoldierSkins_Foo"})
            QCOMPARE(FileBytes(tmp("out/" + name + ".int")), WizardBytes(tmp(name + ".utx")));
    }

    void pipeIsWrittenNotReplaced() {
        // As with -o /dev/null: an atomic replace would put a regular file in its place.
        const QByteArray pipe = QFile::encodeName(tmp("pipe"));
        QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
        const int reader = ::open(pipe.constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
        const CliRun result = run({"--force", "-o", "pipe", "SoldierSkins_Foo.utx"});
        QByteArray received(4096, '\0');
        received.truncate(std::max<ssize_t>(0, ::read(reader, received.data(), 4096)));
        ::close(reader);
        QCOMPARE(result.status, 0);
        QVERIFY(!QFileInfo(tmp("pipe")).isFile());
        QCOMPARE(received, WizardBytes(tmp("SoldierSkins_Foo.utx")));
    }
};

QTEST_GUILESS_MAIN(tst_Cli)
#include "tst_Cli.moc"
