#include "TestPaths.h"
#include "UtxBuilder.h"

#include <QtTest>
#include <sys/stat.h>

// varnwick-cli as a user runs it; tst_frmWizard shows it writes what the wizard saves.

class tst_Cli : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString tmp(const QString& name) const { return QDir(dir->path()).filePath(name); }

    // Exit status, standard output and standard error of a run away from the user's folders.
    std::tuple<int, QByteArray, QString> run(const QStringList& arguments) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", tmp("home"));
        environment.insert("XDG_DATA_HOME", tmp("home/data"));
        environment.insert("LC_ALL", "C.UTF-8");
        QProcess cli; // killed when it outlives the wait
        cli.setProcessEnvironment(environment);
        cli.setWorkingDirectory(dir->path());
        cli.start(BuiltBinDir() + "/varnwick-cli", arguments);
        if (!cli.waitForFinished(30000) || cli.exitStatus() != QProcess::NormalExit)
            return {-1, {}, {}};
        return {cli.exitCode(), cli.readAllStandardOutput(), cli.readAllStandardError()};
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(tmp("data")) && QDir().mkpath(tmp("looped")));
        const std::pair<QString, QStringList> packages[] = {
            {"SoldierSkins_Foo.utx",
             {"None", "foot1", "foot2", "foot5Joe", "foot1t_0", "foot4team"}},
            {"data/SoldierSkins_Foo.utx", {"None", "boot1", "boot2"}},
            {"Mystery.utx", {"None", "Mystery", "abcd1", "abcd2"}},
            {"SoldierSkins_\u0416.utx", {"None", "foot1", "foot2"}},
            {"Sk_Bar.utx", {"None", "foot5joe", "foot1", "foot2Kim", "foot6", "foot7", "foot2t_0"}},
            {"Sk_Dup.utx", {"None", "foot1", "foot2", "foot2", "foot3", "foot4"}},
            {"Sk_Bad.utx", {"None", "foot1", "foot2\r\n[URL]\r\nHost=x", "foot3,x"}},
        };
        for (const auto& [name, names] : packages)
            QVERIFY(WriteBytes(tmp(name), BuildUtx64(names)));
        PackageBuilder whole; // a palette, a group, a masked texture in it and one in RGBA7
        const qint32 palette = whole.palette("Pal", QByteArray(1024, '\x40'));
        whole.texture("Face", TextureShape{0, 2, 2, QByteArray(4, '\1'), palette, true},
                      whole.group("Faces"));
        whole.texture("Odd", TextureShape{1, 4, 4, QByteArray(64, '\0')});
        QVERIFY(WriteBytes(tmp("Whole.utx"), whole.build()));
        QVERIFY(WriteBytes(tmp("Cut.utx"), BuildUtx64({"None", "foot1", "foot2"}).chopped(6)));
        QVERIFY(WriteBytes(tmp("SoldierSkins_Tex.utx"),
                           BuildTexturePackage({{"foot1"}, {"foot4engine"}}, {"footnote"})));
        QVERIFY(WriteBytes(tmp("Empty.utx"), "") && WriteBytes(tmp("Existing.int"), "keep me"));
        QVERIFY(WriteBytes(tmp("data/SkinFormats.ini"),
                           SkinRecord({"Sk", "team", "1", "5", "4", "Example"}) +
                               SkinRecord({"Co", "t_", "1", "2", "5", "Other"})));
        QVERIFY(QFile::copy(BuiltBinDir() + "/unreal.flt", tmp("data/unreal.flt")));
        // Hostile places: a pipe, a link loop, a damaged filter list, a catalogue behind a loop.
        QCOMPARE(::mkfifo(QFile::encodeName(tmp("pipe.utx")).constData(), 0600), 0);
        QVERIFY(QFile::link("loop.utx", tmp("loop.utx")) && QDir().mkpath(tmp("bad")));
        QVERIFY(QFile::copy(tmp("data/SkinFormats.ini"), tmp("bad/SkinFormats.ini")));
        QVERIFY(WriteBytes(tmp("bad/unreal.flt"), QByteArray(64, '\r')));
        QVERIFY(QFile::link("SkinFormats.ini", tmp("looped/SkinFormats.ini")));
    }

    // Every run leaves the package and any older .int as they were; the output goes to stdout.
    void runs_data() {
        QTest::addColumn<QString>("command"); // the arguments, separated by blanks
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QString>("message"); // on standard error; none: it stays empty
        const QString foo = " SoldierSkins_Foo.utx", other = " data/SoldierSkins_Foo.utx";
        // Each removal takes one entry, a removal that finds none is told; names need no type.
        QTest::newRow("names after removals")
            << "--names --remove FOOT2 --remove foot4 Sk_Dup.utx Mystery.utx" << 0
            << QByteArray("foot1\nfoot2\nfoot3\nabcd1\nabcd2\n") << "not among the found names";
        // The package's own objects: names that are no textures go, dropped textures are told.
        QTest::newRow("textures only")
            << "--names --textures-only SoldierSkins_Tex.utx" << 0 << QByteArray("foot1\n")
            << "SoldierSkins_Tex.utx: 1 texture was left out by the filter list: foot4engine";
        // A name that could break its line is left out of the text; standard error says why.
        QTest::newRow("unwritable name")
            << "--data-dir data Sk_Bad.utx" << 0
            << QByteArray("[public]\r\n"
                          "Object=(Name=Sk_Bad.foot1,Class=Texture,Description=\"Foot1\")\r\n")
            << "\"foot2\\r\\n[url]\\r\\nhost=x\" is left out of the .int text: it holds a line "
               "break";
        QTest::newRow("types") << "--types --data-dir data" << 0
                               << QByteArray("Sk\tExample\nCo\tOther\n") << QString();
        // Runs that write nothing on standard output.
        const auto quiet = [](const char* tag, const QString& command, int status,
                              const char* message) {
            QTest::newRow(tag) << command << status << QByteArray() << message;
        };
        quiet("no package", "", 1, "no package file given");
        quiet("unknown type", "--type NoSuchSkins" + foo, 1, "varnwick-cli --types");
        quiet("missing package", "Nowhere.utx", 2, "no such file");
        QTest::newRow("list") << "--list Whole.utx Sk_Bar.utx" << 0
                              << QByteArray("# Whole.utx\nPal\tEngine.Palette\t\t\t\n"
                                            "Faces\tCore.Package\t\t\t\n"
                                            "Faces.Face\tEngine.Texture\t2\t2\tP8\n"
                                            "Odd\tEngine.Texture\t4\t4\tRGBA7\n# Sk_Bar.utx\n")
                              << QString();
        quiet("list, cut short", "--list Cut.utx", 2, "cut short");
        quiet("extract", "--extract out Whole.utx", 0,
              "Odd: its format RGBA7 cannot be decoded; skipped");
        quiet("list and names", "--list --names Whole.utx", 1, "package files only");
        quiet("cut inside its name table", "Cut.utx", 2, "name table is damaged");
        quiet("catalogue a link loop", "--types --data-dir looped", 1,
              "looped/SkinFormats.ini: too many levels of symbolic links.");
        quiet("damaged filter list", "--data-dir bad" + foo, 1, "bad/unreal.flt cannot be used");
        quiet("package a pipe", "pipe.utx", 2, "is not a regular file");
        quiet("package a link loop", "loop.utx", 2, "levels of symbolic");
        quiet("output a link loop", "-o loop.utx" + foo, 4,
              "loop.utx: too many levels of symbolic links");
        quiet("disk full", "-o /dev/full" + foo, 4, "no space left on the device");
        // A failed package still tells what may explain the failure.
        quiet("type unknown", "--remove zzz Mystery.utx", 3,
              "nothing removed for it.\nvarnwick-cli: Mystery.utx: Format Unknown");
        quiet("outside Windows-1252", "SoldierSkins_\u0416.utx", 4, "\u0416");
        quiet("output exists", "-o Existing.int" + foo, 4, "--force");
        quiet("itself", "--force -o ./" + foo.trimmed() + foo, 4, "package itself");
        QTest::newRow("check a line the game skips")
            << "--check --int Existing.int Sk_Bar.utx" << 5
            << QByteArray("Existing.int: note: No model is known for this skin type, so the menu "
                          "listing and the body part checks are left out.\nExisting.int:1: error: "
                          "The game skips this line: it is neither a [section] header (at the "
                          "very start and end of the line) nor a Key=Value line.\nMenu listing: "
                          "unknown (no model for this skin type).\nExisting.int: 1 error, 1 "
                          "note\n")
            << QString();
        quiet("check, nothing installed", "--check --installed Sk_Bar.utx", 2,
              "no System/Sk_Bar.int");
        // All are tried, the worst wins; even --force keeps a first .int of the same name.
        quiet("several", "--force --output-dir . Empty.utx Mystery.utx" + foo + other, 4,
              "already written");
    }
    void runs() {
        QFETCH(QString, command);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QString, message);
        const QByteArray package = FileBytes(tmp("SoldierSkins_Foo.utx"));
        const auto [code, output, err] = run(command.split(' ', Qt::SkipEmptyParts));
        QCOMPARE(code, status);
        QCOMPARE(output, out);
        QVERIFY2(message.isEmpty() ? err.isEmpty() : err.contains(message), qPrintable(err));
        QCOMPARE(FileBytes(tmp("Existing.int")) + FileBytes(tmp("SoldierSkins_Foo.utx")),
                 "keep me" + package);
        QVERIFY(QFileInfo(tmp("loop.utx")).isSymLink());
    }

    // An RGBA PNG per decodable texture, named by its path inside the package.
    void extractWritesPngs() {
        QCOMPARE(std::get<int>(run({"--extract", "out", "Whole.utx"})), 0);
        const QByteArray png = FileBytes(tmp("out/Whole/Faces.Face.png"));
        QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n"));
        QCOMPARE(png.mid(16, 10), QByteArray("\0\0\0\2\0\0\0\2\x08\x06", 10)); // 2 × 2, RGBA
        QCOMPARE(QDir(tmp("out/Whole")).entryList(QDir::Files), QStringList{"Faces.Face.png"});
    }

    // Its own standard output (/dev/stdout), a pipe, is written to: an atomic replace would put
    // a regular file in its place.
    void pipeIsWrittenNotReplaced() {
        const auto written = run({"SoldierSkins_Foo.utx"});
        QVERIFY(std::get<QByteArray>(written).contains(",Class=Texture"));
        QCOMPARE(run({"-o", "/proc/self/fd/1", "SoldierSkins_Foo.utx"}), written);
    }
};

QTEST_GUILESS_MAIN(tst_Cli)
#include "tst_Cli.moc"
