#include "catalogue/SkinCatalogue.h"

#include "TestPaths.h"
#include "UtxBuilder.h"
#include "check/IntEntries.h"
#include "engine/WizardSession.h"

#include <QtTest>

Q_DECLARE_METATYPE(SkinFormat)

namespace {
using Skins = QList<SkinFormat>;

SkinFormat Skin(const QString& key) {
    return {key, "team", "1", "5", "4", "Example skins"};
}

const SkinFormat Before{"before", "b", "2", "6", "3", "Before"};
const SkinFormat Unknown{"Unknown", "Unknown", "Unknown", "Unknown", "Unknown", "Before"};

// The textures of an .int text, read as the game reads it; a described one
// with "=", and for a face or portrait (a name longer than five characters)
// its description.
QStringList Objects(const QString& text) {
    QStringList objects;
    for (const IntEntry& entry : ReadIntText(text).entries) {
        const QString name = ItemOf(entry.object).toLower();
        const QString shown = name.size() > 5 ? entry.description : QString();
        if (entry.isTexture())
            objects.append(entry.description.isEmpty() ? name : name + '=' + shown);
    }
    return objects;
}
} // namespace

class tst_SkinCatalogue : public QObject {
    Q_OBJECT

private slots:
    // A record is a key line, five value lines and a separator line.
    void parses_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<Skins>("catalogue");
        QTest::newRow("blank line")
            << SkinRecord(Skin("a")) + "\r\n" + SkinRecord(Skin("b")) << true << Skins{Skin("a")};
        QTest::newRow("cut short") << SkinRecord(Skin("a")) + SkinRecord(Skin("b")).chopped(2)
                                   << false << Skins{Skin("a"), Skin("b")};
    }
    void parses() {
        QFETCH(QByteArray, file);
        QFETCH(bool, complete);
        QFETCH(Skins, catalogue);
        Skins parsed{Skin("stale")};
        QCOMPARE(ParseSkins(file, parsed), complete);
        QCOMPARE(parsed, catalogue);
    }

    // The first record whose key begins the name wins, ignoring case; one
    // whose key is nowhere in the name makes the type Unknown, one whose key
    // is inside it changes nothing.
    void match_data() {
        QTest::addColumn<Skins>("catalogue");
        QTest::addColumn<QString>("name");
        QTest::addColumn<SkinFormat>("current");
        QTest::newRow("earlier") << Skins{Skin("sold"), Skin("soldierskins")} << "SoldierSkins"
                                 << Skin("sold");
        QTest::newRow("nowhere") << Skins{Skin("abcd"), Skin("efgh")} << "boss" << Unknown;
        QTest::newRow("inside") << Skins{Skin("abcd")} << "xxabcd" << Before;
    }
    void match() {
        QFETCH(Skins, catalogue);
        QFETCH(QString, name);
        QFETCH(SkinFormat, current);
        CatalogueState state{catalogue, Before, false};
        QCOMPARE(MatchSkinFormat(name, QString(), state), current != Before && current != Unknown);
        QCOMPARE(state.CurrentSkin, current);
    }

    void models_data() {
        QTest::addColumn<QString>("key");
        for (const char* key :
             {"SoldierSkins", "CommandoSkins", "FCommandoSkins", "SGirlSkins", "BossSkins",
              "TSkMSkins", "TNaliMeshSkins", "TCowMeshSkins", "Female1Skins", "Female2Skins",
              "Male1Skins", "Male2Skins", "Male3Skins", "SkTrooperSkins"})
            QTest::newRow(key) << QString(key);
    }
    // With the shipped SkinFormats.ini and unreal.flt, every model's packages get its type: nothing
    // ends the catalogue early, no key before it hides it. Where the game's .int is at hand,
    // keeping every found name, the program writes the textures it lists (from a package of them
    // where the game's package is not at hand), in the game's order for BossSkins.
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
        WizardSession session(BuiltBinDir());
        session.loadTypes();
        QVERIFY(session.openFile(path).typeFound);
        QCOMPARE(session.skin().Key, key);
        if (games.isEmpty())
            return;
        session.beginReview();
        QStringList ours = Objects(session.intText());
        if (key != "BossSkins") {
            ours.sort();
            games.sort();
        }
        QCOMPARE(ours, games);
    }
};

QTEST_GUILESS_MAIN(tst_SkinCatalogue)
#include "tst_SkinCatalogue.moc"
