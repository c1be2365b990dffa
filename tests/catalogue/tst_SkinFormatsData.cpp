#include "TestPaths.h"
#include "UtxBuilder.h"
#include "catalogue/SkinCatalogue.h"
#include "engine/PackageOpener.h"
#include "engine/ScriptWriter.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
// The textures of an .int text; a described one with "=", and for a face or
// portrait (a name longer than five characters) its description.
QStringList Objects(const QString& text) {
    static const QRegularExpression line(
        "^Object=\\(Name=[^.]+\\.([^,]+),Class=Texture(,Description=\"?([^\"]*?)\"?)?\\)\\r?$",
        QRegularExpression::MultilineOption);
    QStringList objects;
    for (const QRegularExpressionMatch& m : line.globalMatch(text)) {
        const QString name = m.captured(1).toLower();
        objects.append(m.hasCaptured(2) ? name + '=' + (name.size() > 5 ? m.captured(3) : "")
                                        : name);
    }
    return objects;
}
} // namespace

// The shipped SkinFormats.ini and unreal.flt against the game's own files.
class tst_SkinFormatsData : public QObject {
    Q_OBJECT

private slots:
    void models_data() {
        QTest::addColumn<QString>("key");
        for (const char* key :
             {"SoldierSkins", "CommandoSkins", "FCommandoSkins", "SGirlSkins", "BossSkins",
              "TSkMSkins", "TNaliMeshSkins", "TCowMeshSkins", "Female1Skins", "Female2Skins",
              "Male1Skins", "Male2Skins", "Male3Skins", "SkTrooperSkins"})
            QTest::newRow(key) << QString(key);
    }
    // Every model's packages get its type: nothing ends the catalogue early,
    // no key before it hides it. Keeping every found name, the program writes
    // the textures the game's .int lists (a package of them where the game's
    // is not at hand), in the game's order for BossSkins.
    void models() {
        QFETCH(QString, key);
        QStringList games = Objects(FileBytes(FixturesDir() + '/' + key + ".int"));
        QString path = FixturesDir() + '/' + key + ".utx";
        QTemporaryDir dir;
        if (games.isEmpty() || !QFileInfo::exists(path)) {
            path = dir.filePath(key + "_Mine.utx");
            const QStringList textures =
                QStringList(games).replaceInStrings(QRegularExpression("=.*"), "");
            QVERIFY(WriteBytes(
                path, BuildUtx64(QStringList{"None", "Palette3", key + "_Mine"} + textures)));
        }
        CatalogueState catalogue;
        QVERIFY(ReadSkins(BuiltBinDir(), catalogue));
        PackageSession session;
        QVERIFY(OpenPackageFile(path, BuiltBinDir(), session, catalogue, {}).typeFound);
        QCOMPARE(catalogue.CurrentSkin.Key, key);
        QStringList ours = Objects(
            BuildINTText(session.PackageItems.Names, session.PackageItems, catalogue.CurrentSkin));
        if (key != "BossSkins") {
            ours.sort();
            games.sort();
        }
        QCOMPARE(ours, games);
    }
};

QTEST_GUILESS_MAIN(tst_SkinFormatsData)
#include "tst_SkinFormatsData.moc"
