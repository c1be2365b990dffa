#include "engine/NameSorter.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

class tst_NameSorter : public QObject {
    Q_OBJECT

private slots:
    // Case is ignored, and names equal but for it come in one fixed order, so
    // any order of the input sorts alike. A quadratic sort would take minutes.
    void sortsAlikeFromAnyOrder() {
        QStringList sorted;
        for (int i = 100'000; i < 150'000; ++i)
            sorted << "N" + QString::number(i) << "n" + QString::number(i);
        QStringList names = sorted;
        QRandomGenerator random(7);
        std::shuffle(names.begin(), names.end(), random);
        SortArray(names);
        QCOMPARE(names, sorted);
    }
};

QTEST_GUILESS_MAIN(tst_NameSorter)
#include "tst_NameSorter.moc"
