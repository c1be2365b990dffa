#include "catalogue/SkinCatalogue.h"

#include <QTest>

Q_DECLARE_METATYPE(SkinFormat)

namespace {
using Skins = QList<SkinFormat>;

QByteArray Record(const QByteArray& key) {
    return "[" + key +
           "]\r\naaaa=\"team\"\r\nbbbbb=\"1\"\r\ncccc=\"5\"\r\n"
           "dddd=\"4\"\r\neeee=\"Example skins\"\r\n\r\n";
}

SkinFormat Skin(const QString& key) {
    return {key, "team", "1", "5", "4", "Example skins"};
}

const SkinFormat Before{"before", "b", "2", "6", "3", "Before"};
const SkinFormat Unknown{"Unknown", "Unknown", "Unknown", "Unknown", "Unknown", "Before"};
} // namespace

class tst_SkinCatalogue : public QObject {
    Q_OBJECT

private slots:
    // A record is a key line, five value lines and a separator line.
    void parses_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<Skins>("catalogue");
        QTest::newRow("worked example") << Record("abcdskins") << true << Skins{Skin("abcdskins")};
        QTest::newRow("blank line")
            << Record("a") + "\r\n" + Record("b") << true << Skins{Skin("a")};
        QTest::newRow("cut short")
            << Record("a") + Record("b").chopped(2) << false << Skins{Skin("a"), Skin("b")};
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
        QTest::newRow("example") << Skins{Skin("abcdskins")} << "abcdSkins_red"
                                 << Skin("abcdskins");
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
};

QTEST_GUILESS_MAIN(tst_SkinCatalogue)
#include "tst_SkinCatalogue.moc"
