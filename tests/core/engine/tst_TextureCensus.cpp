#include "UtxBuilder.h"
#include "engine/TextureCensus.h"

#include <QTest>

namespace {
QString Rows(const QList<SkinSetRow>& rows) {
    QStringList text;
    for (const SkinSetRow& row : rows)
        text.append(row.title + ':' + row.pieces.join(','));
    return text.join(' ');
}
} // namespace

class tst_TextureCensus : public QObject {
    Q_OBJECT

private slots:
    // Textures, the palette, an import and a bare name told apart; what the
    // found list lacks offered in sorted order; a skin's pieces by its base.
    void census() {
        QList<SyntheticTexture> textures;
        for (const char* name : {"Boss1", "Boss2", "boss1T_2", "Boss4Xan", "Boss5Xan",
                                 "blkt4engineer", "blkt5engineer"})
            textures.append({QLatin1String(name)});
        const auto package = UnrealPackage::fromBytes(
            BuildTexturePackage(textures, {QStringLiteral("bMasked")}), QStringLiteral("Pkg"));
        QVERIFY2(package, qPrintable(package.error()));
        const TextureCensus census(*package);
        QVERIFY(census.isTexture(QStringLiteral("boss1t_2")));
        QCOMPARE(census.textureExport(QStringLiteral("boss2")), 2);
        QCOMPARE(census.whatItIs(QStringLiteral("palette1")),
                 QStringLiteral("a palette (Engine.Palette)"));
        QVERIFY(census.whatItIs(QStringLiteral("texture")).startsWith("the class Texture"));
        QVERIFY(census.whatItIs(QStringLiteral("bmasked")).startsWith("a name in the package"));
        QVERIFY(!TextureCensus().whatItIs(QStringLiteral("palette1")).size());

        const QStringList found{"boss1", "boss2", "palette1"};
        QCOMPARE(TexturesOnly(found, census), QStringList({"boss1", "boss2"}));
        const QStringList missing = census.leftOut(found);
        QCOMPARE(missing, QStringList({"blkt4engineer", "blkt5engineer", "boss1t_2", "boss4xan",
                                       "boss5xan"}));
        QCOMPARE(MergedSorted({"aaa", "boss2"}, {"boss1t_2", "blkt4engineer"}),
                 QStringList({"aaa", "blkt4engineer", "boss1t_2", "boss2"}));

        QCOMPARE(Rows(SkinSetOf(QStringLiteral("boss2"), census)),
                 QStringLiteral(
                     "Body:Boss1,Boss2,Boss3,Boss4 "
                     "Team 1:Boss1T_0,Boss1T_1,boss1T_2,Boss1T_3 Face Xan:Boss4Xan,Boss5Xan"));
        QVERIFY(SkinSetOf(QStringLiteral("palette1"), census).isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_TextureCensus)
#include "tst_TextureCensus.moc"
