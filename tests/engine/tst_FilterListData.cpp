#include "TestPaths.h"
#include "engine/FilterList.h"

#include <QTest>

// The shipped unreal.flt, which the build makes from data/unreal-flt.lst (an
// entry a line; "#" comments and blank lines skipped).
class tst_FilterListData : public QObject {
    Q_OBJECT

private slots:
    void builtFileHoldsTheList() {
        QStringList listed;
        for (const QByteArray& line : FileBytes(SourceDataDir() + "/unreal-flt.lst").split('\n')) {
            if (!line.trimmed().isEmpty() && !line.startsWith('#'))
                listed.append(QString::fromUtf8(line.trimmed()).toLower());
        }
        QVERIFY(listed.size() > 20);
        QCOMPARE(DecodeFilterFile(FileBytes(BuiltBinDir() + "/unreal.flt")), listed);
    }
};

QTEST_GUILESS_MAIN(tst_FilterListData)
#include "tst_FilterListData.moc"
