#include "TestPaths.h"
#include "engine/FilterList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

// The shipped unreal.flt: made from data/unreal-flt.lst by the build, and
// harmless to every texture name the game itself ships.

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList ListedEntries() {
    QStringList entries;
    const QString text =
        QString::fromUtf8(ReadAll(SourceDataDir() + QStringLiteral("/unreal-flt.lst")));
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString entry = line.trimmed();
        if (!entry.isEmpty() && !entry.startsWith(QLatin1Char('#')))
            entries.append(entry.toLower());
    }
    return entries;
}

QStringList ShippedEntries() {
    return DecodeFilterFile(ReadAll(BuiltBinDir() + QStringLiteral("/unreal.flt")));
}

} // namespace

class tst_FilterListData : public QObject {
    Q_OBJECT

private slots:
    void builtFileHoldsTheList();
    void entriesAreDistinct();
    void keepsEveryTextureTheGameShips_data();
    void keepsEveryTextureTheGameShips();
};

void tst_FilterListData::builtFileHoldsTheList() {
    const QStringList listed = ListedEntries();
    QVERIFY(listed.size() > 20);
    QCOMPARE(ShippedEntries(), listed);
}

void tst_FilterListData::entriesAreDistinct() {
    QStringList entries = ShippedEntries();
    const qsizetype count = entries.size();
    entries.removeDuplicates();
    QCOMPARE(entries.size(), count);
}

void tst_FilterListData::keepsEveryTextureTheGameShips_data() {
    QTest::addColumn<QString>("intFile");
    const QStringList files =
        QDir(FixturesDir()).entryList({QStringLiteral("*.int")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        QSKIP("game package fixtures are not available");
    for (const QString& file : files)
        QTest::newRow(qPrintable(file)) << file;
}

void tst_FilterListData::keepsEveryTextureTheGameShips() {
    // An entry removes every name containing it, so none may be part of a
    // real texture name.
    QFETCH(QString, intFile);
    const QString text = QString::fromLatin1(ReadAll(FixturesDir() + QLatin1Char('/') + intFile));
    static const QRegularExpression object(QStringLiteral(R"(Name=[^.]+\.([^,]+),)"));
    const QStringList entries = ShippedEntries();
    int textures = 0;
    for (auto it = object.globalMatch(text); it.hasNext(); ++textures) {
        const QString name = it.next().captured(1);
        for (const QString& entry : entries)
            QVERIFY2(!name.contains(entry, Qt::CaseInsensitive),
                     qPrintable(QStringLiteral("\"%1\" would drop %2").arg(entry, name)));
    }
    QVERIFY(textures > 0);
}

QTEST_GUILESS_MAIN(tst_FilterListData)
#include "tst_FilterListData.moc"
