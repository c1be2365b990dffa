#include "TestPaths.h"
#include "UtxBuilder.h"
#include "VarnwickVersion.h"
#include "catalogue/SkinCatalogue.h"
#include "engine/PackageOpener.h"
#include "engine/ScriptWriter.h"
#include "services/Text1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A catalogue with the one type the examples below use.
const QByteArray ExampleCatalogue =
    "[SoldierSkins]\r\naaaa=\"team\"\r\nbbbbb=\"1\"\r\ncccc=\"5\"\r\n"
    "dddd=\"4\"\r\neeee=\"Example skins\"\r\n\r\n";

// What the wizard saves for a package when the user accepts every step.
QByteArray WizardBytes(const QString& packagePath, const QString& programDir) {
    CatalogueState catalogue;
    const SkinList list = LoadSkinInfo(programDir, catalogue);
    SelectSkin(list.selected, catalogue);
    PackageSession session;
    const OpenOutcome outcome =
        OpenPackageFile(packagePath, programDir, session, catalogue, list.keys);
    SelectSkin(outcome.typeIndex, catalogue);
    const QString text =
        BuildINTText(session.PackageItems.Names, session.PackageItems, catalogue.CurrentSkin);
    return ToWindows1252(text).value_or(QByteArray());
}

} // namespace

class tst_Cli : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void exitStatus_data();
    void exitStatus();
    void textAsTheWizardSavesIt_data();
    void textAsTheWizardSavesIt();
    void exampleTextExactly();
    void chosenTypeKeepsGuessedKey();
    void removalsTakeOneEntryEach();
    void existingFileNeedsForce_data();
    void existingFileNeedsForce();
    void outputDirTriesEveryPackage();
    void sameShortNameTwiceKeepsTheFirst();
    void packageItselfIsNeverReplaced();
    void pipeIsWrittenNotReplaced();
    void severalTextsToStandardOutput();
    void namesOfSeveralPackages();
    void typesListTheCatalogue();
    void defaultDataFolderIsTheProgramsFolder();
    void version();

private:
    CliRun run(const QStringList& arguments);
    QString tmp(const QString& name) const { return dir->filePath(name); }
    void makePackage(const QString& name, const QStringList& names);
    void makeExampleData();

    std::unique_ptr<QTemporaryDir> dir;
    QTemporaryDir home;
};

void tst_Cli::initTestCase() {
    QVERIFY(QFileInfo(BuiltBinDir() + QStringLiteral("/varnwick-cli")).isExecutable());
    QVERIFY(home.isValid());
}

void tst_Cli::init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    makePackage(QStringLiteral("SoldierSkins_Foo.utx"),
                {"None", "Core", "Texture", "SoldierSkins_Foo", "foot1", "foot2", "foot3", "foot4",
                 "foot5Bob", "foot5Joe", "foot1t_0", "foot4team"});
    makePackage(QStringLiteral("Mystery.utx"), {"None", "Mystery", "abcd1", "abcd2"});
}

void tst_Cli::cleanup() {
    dir.reset();
}

CliRun tst_Cli::run(const QStringList& arguments) {
    QProcess process;
    // Whatever the program does by default, it stays away from the real
    // user's folders.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(dir->path());
    process.start(BuiltBinDir() + QStringLiteral("/varnwick-cli"), arguments);
    CliRun result;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.status = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

void tst_Cli::makePackage(const QString& name, const QStringList& names) {
    QVERIFY(WriteBytes(tmp(name), BuildUtx64(names)));
}

// A data folder with the example catalogue and the shipped filter list.
void tst_Cli::makeExampleData() {
    QVERIFY(QDir().mkpath(tmp(QStringLiteral("data"))));
    QVERIFY(WriteBytes(tmp(QStringLiteral("data/SkinFormats.ini")), ExampleCatalogue));
    QVERIFY(QFile::copy(BuiltBinDir() + QStringLiteral("/unreal.flt"),
                        tmp(QStringLiteral("data/unreal.flt"))));
}

void tst_Cli::exitStatus_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");

    const QString pkg = QStringLiteral("SoldierSkins_Foo.utx");
    QTest::newRow("accepted") << QStringList{pkg} << 0 << QString();
    QTest::newRow("no package") << QStringList{} << 1 << "no package file given";
    QTest::newRow("unknown option") << QStringList{"--frobnicate", pkg} << 1 << "frobnicate";
    QTest::newRow("empty value") << QStringList{"--type=", pkg} << 1 << "--type needs a value";
    QTest::newRow("unknown type") << QStringList{"--type", "NoSuchSkins", pkg} << 1
                                  << "varnwick-cli --types";
    QTest::newRow("option twice") << QStringList{"-o", "a.int", "-o", "b.int", pkg} << 1
                                  << "only once";
    QTest::newRow("two files, one output")
        << QStringList{"-o", "all.int", pkg, "Mystery.utx"} << 1 << "--output-dir";
    QTest::newRow("two files, no output") << QStringList{pkg, "Mystery.utx"} << 1 << "-o -";
    QTest::newRow("output and folder")
        << QStringList{"-o", "a.int", "--output-dir", ".", pkg} << 1 << "not both";
    QTest::newRow("names into folder")
        << QStringList{"--names", "--output-dir", ".", pkg} << 1 << "--names";
    QTest::newRow("types with package") << QStringList{"--types", pkg} << 1 << "no package";
    QTest::newRow("no data folder")
        << QStringList{"--data-dir", "missing", pkg} << 1 << "no such data folder";
    QTest::newRow("data folder without filter")
        << QStringList{"--data-dir", "nofilter", pkg} << 1 << "unreal.flt";
    QTest::newRow("catalogue cut short")
        << QStringList{"--data-dir", "cut", pkg} << 1 << "SkinFormats.ini";
    QTest::newRow("missing package") << QStringList{"Nowhere.utx"} << 2 << "no such file";
    QTest::newRow("empty package") << QStringList{"Empty.utx"} << 2 << "empty";
    QTest::newRow("folder as package") << QStringList{"data"} << 2 << "folder";
    QTest::newRow("no package at all") << QStringList{"Junk.utx"} << 2 << "not a package";
    QTest::newRow("unreadable layout") << QStringList{"Layout48.utx"} << 2 << "layout";
    QTest::newRow("removal not found")
        << QStringList{"--remove", "nosuchname", pkg} << 0 << "warning: ";
    QTest::newRow("type unknown") << QStringList{"Mystery.utx"} << 3 << "Format Unknown";
    QTest::newRow("type unknown, chosen")
        << QStringList{"--type", "SoldierSkins", "Mystery.utx"} << 0 << QString();
    QTest::newRow("names fit no rule") << QStringList{"SoldierSkins_Six.utx"} << 3 << "neither";
    QTest::newRow("name outside Windows-1252")
        << QStringList{"SoldierSkins_\u0416.utx"} << 4 << "\u0416";
    QTest::newRow("output folder missing")
        << QStringList{"-o", "missing/x.int", pkg} << 4 << "missing/x.int";
    QTest::newRow("output exists") << QStringList{"-o", "Existing.int", pkg} << 4 << "--force";
    QTest::newRow("worst of several")
        << QStringList{"--output-dir", "out", "Empty.utx", "Mystery.utx", pkg} << 3 << "Empty.utx";
}

void tst_Cli::exitStatus() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);
    QVERIFY(QDir().mkpath(tmp(QStringLiteral("data"))));
    QVERIFY(QDir().mkpath(tmp(QStringLiteral("out"))));
    QVERIFY(QDir().mkpath(tmp(QStringLiteral("nofilter"))));
    QVERIFY(QFile::copy(BuiltBinDir() + QStringLiteral("/SkinFormats.ini"),
                        tmp(QStringLiteral("nofilter/SkinFormats.ini"))));
    QVERIFY(QDir().mkpath(tmp(QStringLiteral("cut"))));
    QVERIFY(WriteBytes(tmp(QStringLiteral("cut/SkinFormats.ini")), ExampleCatalogue.left(40)));
    QVERIFY(QFile::copy(BuiltBinDir() + QStringLiteral("/unreal.flt"),
                        tmp(QStringLiteral("cut/unreal.flt"))));
    QVERIFY(WriteBytes(tmp(QStringLiteral("Empty.utx")), {}));
    QVERIFY(WriteBytes(tmp(QStringLiteral("Junk.utx")), "This is no package at all."));
    QVERIFY(WriteBytes(tmp(QStringLiteral("Layout48.utx")),
                       BuildUtx(2, 48, Utx64Entry("Skin1") + Utx64Entry("Skin2"))));
    QVERIFY(WriteBytes(tmp(QStringLiteral("Existing.int")), "keep me"));
    makePackage(QStringLiteral("SoldierSkins_Six.utx"), {"None", "foot6", "foot7", "foot8"});
    makePackage(QStringLiteral("SoldierSkins_\u0416.utx"), {"None", "foot1", "foot2"});

    const CliRun result = run(arguments);
    QCOMPARE(result.status, status);
    if (message.isEmpty())
        QVERIFY2(result.err.isEmpty(), qPrintable(result.err));
    else
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
    // A failed package leaves no file behind, and nothing replaces one.
    QCOMPARE(ReadAll(tmp(QStringLiteral("Existing.int"))), QByteArray("keep me"));
    if (status != 0 && !arguments.contains(QStringLiteral("--output-dir")))
        QVERIFY(result.out.isEmpty());
    else if (status == 0)
        QVERIFY(result.out.startsWith("[public]\r\n"));
}

void tst_Cli::textAsTheWizardSavesIt_data() {
    QTest::addColumn<QString>("package");
    QTest::newRow("synthetic, UT rules") << QStringLiteral("SoldierSkins_Foo.utx");
    const QDir fixtures(FixturesDir());
    for (const QString& name :
         fixtures.entryList({QStringLiteral("*.utx")}, QDir::Files, QDir::Name)) {
        if (!name.startsWith(QLatin1String("Dacoma")))
            QTest::newRow(qPrintable(name)) << fixtures.filePath(name);
    }
}

void tst_Cli::textAsTheWizardSavesIt() {
    QFETCH(QString, package);
    const QString path = QFileInfo(package).isAbsolute() ? package : tmp(package);
    const QByteArray expected = WizardBytes(path, BuiltBinDir());
    QVERIFY(expected.startsWith("[public]\r\n"));
    QVERIFY(expected.contains(",Class=Texture"));

    const CliRun toStdout = run({path});
    QCOMPARE(toStdout.status, 0);
    QCOMPARE(toStdout.out, expected);

    const CliRun toFile = run({QStringLiteral("-o"), tmp(QStringLiteral("out.int")), path});
    QCOMPARE(toFile.status, 0);
    QVERIFY(toFile.out.isEmpty());
    QCOMPARE(ReadAll(tmp(QStringLiteral("out.int"))), expected);
}

void tst_Cli::exampleTextExactly() {
    makeExampleData();
    makePackage(QStringLiteral("SoldierSkins_Bar.utx"),
                {"None", "Core", "SoldierSkins_Bar", "foot5joe", "foot1", "foot3", "foot2",
                 "foot5bob", "foot4"});
    const CliRun result = run({QStringLiteral("--data-dir"), tmp(QStringLiteral("data")),
                               tmp(QStringLiteral("SoldierSkins_Bar.utx"))});
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
}

void tst_Cli::chosenTypeKeepsGuessedKey() {
    // Choosing CommandoSkins in step two takes its numbering (faces on 2) but
    // the key found for the package stays in the body's description.
    makePackage(QStringLiteral("SoldierSkins_Baz.utx"),
                {"None", "abcd1", "abcd2", "abcd2Kim", "abcd4Lee"});
    const CliRun result =
        run({QStringLiteral("--type"), QStringLiteral("commandoskins"), QStringLiteral("-o"),
             QStringLiteral("-"), tmp(QStringLiteral("SoldierSkins_Baz.utx"))});
    QCOMPARE(result.status, 0);
    QVERIFY(result.out.contains("abcd1,Class=Texture,Description=\"SoldierSkinsabcd1\")"));
    QVERIFY(result.out.contains("abcd2kim,Class=Texture,Description=\"Kim\")"));
    QVERIFY(result.out.contains("abcd4lee,Class=Texture)\r\n"));
}

void tst_Cli::removalsTakeOneEntryEach() {
    makePackage(QStringLiteral("SoldierSkins_Dup.utx"),
                {"None", "foot1", "foot2", "foot2", "foot3", "foot4"});
    const CliRun names =
        run({QStringLiteral("--names"), QStringLiteral("--remove"), QStringLiteral("FOOT2"),
             QStringLiteral("--remove"), QStringLiteral("foot4"),
             tmp(QStringLiteral("SoldierSkins_Dup.utx"))});
    QCOMPARE(names.status, 0);
    QCOMPARE(names.out, QByteArray("foot1\nfoot2\nfoot3\n"));

    const CliRun text = run({QStringLiteral("--remove"), QStringLiteral("foot3"),
                             tmp(QStringLiteral("SoldierSkins_Dup.utx"))});
    QCOMPARE(text.status, 0);
    QVERIFY(!text.out.contains(".foot3,"));
    QVERIFY(text.out.contains(".foot4,"));
}

void tst_Cli::existingFileNeedsForce_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("force");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("kept") << QByteArray("an older, longer text that must survive") << false << 4
                          << false;
    QTest::newRow("forced") << QByteArray("an older, longer text that must go") << true << 0
                            << true;
    QTest::newRow("empty file") << QByteArray() << false << 0 << true;
}

void tst_Cli::existingFileNeedsForce() {
    QFETCH(QByteArray, before);
    QFETCH(bool, force);
    QFETCH(int, status);
    QFETCH(bool, replaced);
    const QString target = tmp(QStringLiteral("SoldierSkins_Foo.int"));
    QVERIFY(WriteBytes(target, before));
    QStringList arguments{QStringLiteral("--output-dir"), dir->path(),
                          tmp(QStringLiteral("SoldierSkins_Foo.utx"))};
    if (force)
        arguments.prepend(QStringLiteral("--force"));

    const CliRun result = run(arguments);
    QCOMPARE(result.status, status);
    const QByteArray after = ReadAll(target);
    if (replaced) {
        QCOMPARE(after, WizardBytes(tmp(QStringLiteral("SoldierSkins_Foo.utx")), BuiltBinDir()));
    } else {
        QCOMPARE(after, before);
        QVERIFY(result.err.contains(target));
    }
}

void tst_Cli::outputDirTriesEveryPackage() {
    QVERIFY(QDir().mkpath(tmp(QStringLiteral("out"))));
    makePackage(QStringLiteral("CommandoSkins_Two.utx"), {"None", "abcd1", "abcd2", "abcd2Kim"});
    const CliRun result =
        run({QStringLiteral("--output-dir"), tmp(QStringLiteral("out")),
             tmp(QStringLiteral("Nowhere.utx")), tmp(QStringLiteral("Mystery.utx")),
             tmp(QStringLiteral("SoldierSkins_Foo.utx")),
             tmp(QStringLiteral("CommandoSkins_Two.utx"))});
    QCOMPARE(result.status, 3);
    QVERIFY(result.err.contains(tmp(QStringLiteral("Nowhere.utx"))));
    QVERIFY(result.err.contains(tmp(QStringLiteral("Mystery.utx"))));
    QCOMPARE(QDir(tmp(QStringLiteral("out"))).entryList(QDir::Files),
             QStringList({"CommandoSkins_Two.int", "SoldierSkins_Foo.int"}));
    QCOMPARE(ReadAll(tmp(QStringLiteral("out/CommandoSkins_Two.int"))),
             WizardBytes(tmp(QStringLiteral("CommandoSkins_Two.utx")), BuiltBinDir()));
}

void tst_Cli::sameShortNameTwiceKeepsTheFirst() {
    // Two packages of one name from different folders would both become
    // out/<name>.int; even --force must not let the second replace the first.
    QVERIFY(QDir().mkpath(tmp(QStringLiteral("other"))));
    QVERIFY(QDir().mkpath(tmp(QStringLiteral("out"))));
    QVERIFY(WriteBytes(tmp(QStringLiteral("other/SoldierSkins_Foo.utx")),
                       BuildUtx64({"None", "boot1", "boot2"})));
    const CliRun result =
        run({QStringLiteral("--force"), QStringLiteral("--output-dir"), tmp(QStringLiteral("out")),
             tmp(QStringLiteral("SoldierSkins_Foo.utx")),
             tmp(QStringLiteral("other/SoldierSkins_Foo.utx"))});
    QCOMPARE(result.status, 4);
    QVERIFY(result.err.contains(tmp(QStringLiteral("other/SoldierSkins_Foo.utx"))));
    QCOMPARE(ReadAll(tmp(QStringLiteral("out/SoldierSkins_Foo.int"))),
             WizardBytes(tmp(QStringLiteral("SoldierSkins_Foo.utx")), BuiltBinDir()));
}

void tst_Cli::packageItselfIsNeverReplaced() {
    const QString package = tmp(QStringLiteral("SoldierSkins_Foo.utx"));
    const QByteArray before = ReadAll(package);
    const CliRun result = run({QStringLiteral("--force"), QStringLiteral("-o"),
                               QStringLiteral("./SoldierSkins_Foo.utx"), package});
    QCOMPARE(result.status, 4);
    QCOMPARE(ReadAll(package), before);
}

void tst_Cli::pipeIsWrittenNotReplaced() {
    // "-o /dev/null" and the like: an atomic replace would put a regular
    // file where the device or pipe was.
    const QString pipe = tmp(QStringLiteral("pipe"));
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const int reader = ::open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(reader >= 0);
    const CliRun result = run({QStringLiteral("--force"), QStringLiteral("-o"), pipe,
                               tmp(QStringLiteral("SoldierSkins_Foo.utx"))});
    QByteArray received(4096, '\0');
    const ssize_t length = ::read(reader, received.data(), size_t(received.size()));
    ::close(reader);
    QCOMPARE(result.status, 0);
    struct stat info;
    QCOMPARE(::stat(QFile::encodeName(pipe).constData(), &info), 0);
    QVERIFY(S_ISFIFO(info.st_mode));
    QCOMPARE(received.left(length),
             WizardBytes(tmp(QStringLiteral("SoldierSkins_Foo.utx")), BuiltBinDir()));
}

void tst_Cli::severalTextsToStandardOutput() {
    makePackage(QStringLiteral("BossSkins_Two.utx"), {"None", "boss1", "boss2", "boss4Xan"});
    const CliRun result =
        run({QStringLiteral("-o"), QStringLiteral("-"), tmp(QStringLiteral("SoldierSkins_Foo.utx")),
             tmp(QStringLiteral("BossSkins_Two.utx"))});
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, WizardBytes(tmp(QStringLiteral("SoldierSkins_Foo.utx")), BuiltBinDir()) +
                             WizardBytes(tmp(QStringLiteral("BossSkins_Two.utx")), BuiltBinDir()));
}

void tst_Cli::namesOfSeveralPackages() {
    const CliRun result = run({QStringLiteral("--names"), tmp(QStringLiteral("Mystery.utx")),
                               tmp(QStringLiteral("SoldierSkins_Foo.utx"))});
    // Listing names needs no type.
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, QByteArray("abcd1\nabcd2\nfoot1\nfoot1t_0\nfoot2\nfoot3\nfoot4\n"
                                    "foot4team\nfoot5bob\nfoot5joe\n"));
}

void tst_Cli::typesListTheCatalogue() {
    CatalogueState catalogue;
    QVERIFY(ReadSkins(BuiltBinDir(), catalogue));
    QByteArray expected;
    for (const SkinFormat& record : catalogue.SkinCatalogue)
        expected +=
            (record.Key + QLatin1Char('\t') + record.Description + QLatin1Char('\n')).toUtf8();
    const CliRun result = run({QStringLiteral("--types")});
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, expected);

    makeExampleData();
    const CliRun custom =
        run({QStringLiteral("--types"), QStringLiteral("--data-dir"), tmp(QStringLiteral("data"))});
    QCOMPARE(custom.out, QByteArray("SoldierSkins\tExample skins\n"));
}

void tst_Cli::defaultDataFolderIsTheProgramsFolder() {
    // The example catalogue makes a different text of the same package, so
    // the text shows which data files were used.
    makeExampleData();
    const QString package = tmp(QStringLiteral("SoldierSkins_Foo.utx"));
    const CliRun byDefault = run({package});
    const CliRun shipped = run({QStringLiteral("--data-dir"), BuiltBinDir(), package});
    const CliRun example =
        run({QStringLiteral("--data-dir"), tmp(QStringLiteral("data")), package});
    QCOMPARE(byDefault.status, 0);
    QCOMPARE(byDefault.out, shipped.out);
    QVERIFY(byDefault.out != example.out);
    QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("data"))));
}

void tst_Cli::version() {
    const CliRun result = run({QStringLiteral("-V")});
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, QByteArray("varnwick-cli ") + VarnwickVersion::Full + '\n');
    const CliRun help = run({QStringLiteral("--help")});
    QCOMPARE(help.status, 0);
    QVERIFY(help.out.contains("--output-dir"));
}

QTEST_GUILESS_MAIN(tst_Cli)
#include "tst_Cli.moc"
