#include "engine/ScriptWriter.h"

#include <QTest>

namespace {
// A texture's line, with a description when one is given.
QString L(const QString& name, const QString& desc = {}) {
    const QString line = "Object=(Name=SoldierSkins_Foo." + name + ",Class=Texture";
    return line + (desc.isEmpty() ? ")\r\n" : ",Description=\"" + desc + "\")\r\n");
}

const QString Header = QStringLiteral("[public]\r\n");

QString Write(const QStringList& items, const QStringList& names, const QString& exclude) {
    PackageRecord package{"SoldierSkins_Foo.utx", "SoldierSkins_Foo", 0, names};
    return WriteScript(items, package, {"SoldierSkins", exclude, "1", "5", "4", "Soldiers"});
}
} // namespace

class tst_ScriptWriter : public QObject {
    Q_OBJECT

private slots:
    void writesScript_data() {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("exclude");
        QTest::addColumn<QString>("text");
        QTest::newRow("worked example")
            << QStringList{"foot1", "foot2", "foot3", "foot4", "foot5bob", "foot5joe"} << "team"
            << Header + L("foot1", "SoldierSkinsfoot1") + L("foot2") + L("foot3") + L("foot4") +
                   "\r\n" + L("foot5bob", "Bob") + L("foot5joe", "Joe");
        QTest::newRow("UT, no digit skipped while two follow")
            << QStringList{"alpha", "beta", "foot1", "foot2", "zeta"} << "team"
            << Header + L("beta") + L("foot1", "SoldierSkinsfoot1") + L("foot2") + L("zeta");
        QTest::newRow("UT, gap after a run, not before the last")
            << QStringList{"foot4", "hand4", "foot5a", "foot4", "foot5team"} << "TEAM"
            << Header + L("foot4") + L("hand4") + "\r\n" + L("foot5a", "A") + L("foot4") +
                   L("foot5team");
        QTest::newRow("U") << QStringList{"boss%1", "jmale2", "big boss"} << "male"
                           << Header + L("boss%1", "Boss%1") + L("jmale2") +
                                  L("big boss", "Big Boss");
        QTest::newRow("U, Unknown type")
            << QStringList{"boss", "face1"} << "unknown" << Header + L("boss") + L("face1");
        QTest::newRow("no rule set")
            << QStringList{"foot6", "foot7", "foot8"} << "team" << QString();
    }
    void writesScript() {
        QFETCH(QStringList, items);
        QFETCH(QString, exclude);
        QFETCH(QString, text);
        QCOMPARE(Write(items, items, exclude), text);
    }

    // Removed names still decide the rules; with all removed, only the header.
    void removalsKeepThePackagesRules() {
        QCOMPARE(Write({"boss", "face"}, {"foot1", "foot2", "boss"}, "x"),
                 Header + L("boss") + L("face"));
        PackageRecord package{"SoldierSkins_Foo.utx", "SoldierSkins_Foo", 1, {"boss"}};
        QCOMPARE(BuildINTText({}, package, {}), Header);
    }
};

QTEST_GUILESS_MAIN(tst_ScriptWriter)
#include "tst_ScriptWriter.moc"
