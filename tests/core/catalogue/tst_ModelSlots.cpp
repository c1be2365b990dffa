#include "catalogue/ModelSlots.h"

#include "TestPaths.h"
#include "catalogue/SkinCatalogue.h"

#include <QtTest>

class tst_ModelSlots : public QObject {
    Q_OBJECT

private slots:
    // The shipped catalogue and slot table describe the same models: one row
    // per record, and each face model's record names faces and portraits on
    // the body parts the game loads them from.
    void shippedRecordsMatchTheSlotTable() {
        QList<SkinFormat> catalogue;
        QVERIFY(ParseSkins(FileBytes(SourceDataDir() + "/SkinFormats.ini"), catalogue));
        QStringList problems;
        const QList<ModelSlots> table =
            ParseModelSlots(FileBytes(SourceDataDir() + "/ModelSlots.ini"), &problems);
        QCOMPARE(problems, QStringList());
        QCOMPARE(table.size(), catalogue.size());
        for (const SkinFormat& record : catalogue) {
            const std::optional<ModelSlots> row = FindModelSlots(table, record.Key);
            QVERIFY2(row, qPrintable(record.Key));
            QVERIFY2(record.Key.startsWith(row->Mesh, Qt::CaseInsensitive), qPrintable(record.Key));
            const QString named = row->Faces ? QString::number(row->Face) : "Unknown";
            QCOMPARE(record.NamedChar, named);
            QCOMPARE(record.GroupEndChar, row->Faces ? "5" : "Unknown");
        }
    }

    void unusableRowsAreLeftOutAndTold() {
        QStringList problems;
        const QList<ModelSlots> table = ParseModelSlots("[A]\nMesh=A\nMenu=Faces\nFixed=9\n"
                                                        "[B]\nMesh=B\nMenu=Plain\nstray\n",
                                                        &problems);
        QCOMPARE(table.size(), 1);
        QCOMPARE(table[0].Key, QString("B"));
        QCOMPARE(problems.size(), 3); // Fixed=9, [A] incomplete, the stray line
    }
};

QTEST_GUILESS_MAIN(tst_ModelSlots)
#include "tst_ModelSlots.moc"
