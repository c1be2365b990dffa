#include "engine/NameSorter.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

class tst_NameSorter : public QObject {
    Q_OBJECT

private slots:
    void sorts_data();
    void sorts();
    void orderDoesNotDependOnInput();
    void largeListInAscendingOrder();
};

void tst_NameSorter::sorts_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("sorted");

    QTest::newRow("case ignored, digits as text")
        << QStringList{"skin2", "Skin1", "skin10", "face"}
        << QStringList{"face", "Skin1", "skin10", "skin2"};
    QTest::newRow("empty") << QStringList{} << QStringList{};
    QTest::newRow("one") << QStringList{"Only"} << QStringList{"Only"};
    QTest::newRow("already sorted") << QStringList{"a", "b", "c"} << QStringList{"a", "b", "c"};
    QTest::newRow("reversed") << QStringList{"c", "B", "a"} << QStringList{"a", "B", "c"};
    QTest::newRow("names equal but for case: exact order decides")
        << QStringList{"b", "A", "a", "B", "foot1", "FOOT1"}
        << QStringList{"A", "a", "B", "b", "FOOT1", "foot1"};
    QTest::newRow("duplicates kept") << QStringList{"x", "a", "x"} << QStringList{"a", "x", "x"};
    QTest::newRow("empty names first")
        << QStringList{"b", "", "a", ""} << QStringList{"", "", "a", "b"};
}

void tst_NameSorter::sorts() {
    QFETCH(QStringList, names);
    QFETCH(QStringList, sorted);
    SortArray(names);
    QCOMPARE(names, sorted);
}

void tst_NameSorter::orderDoesNotDependOnInput() {
    const QStringList names{"Boss1", "boss1", "BOSS1", "boss1t_0", "Boss2", "boss10", "a", "A"};
    QStringList expected = names;
    SortArray(expected);
    QStringList shuffled = names;
    QRandomGenerator random(7);
    for (int round = 0; round < 20; ++round) {
        std::shuffle(shuffled.begin(), shuffled.end(), random);
        QStringList sorted = shuffled;
        SortArray(sorted);
        QCOMPARE(sorted, expected);
    }
}

void tst_NameSorter::largeListInAscendingOrder() {
    // Names of letters and digits only sort as a plain case-insensitive
    // comparison would; a quadratic sort would take minutes here.
    QRandomGenerator random(42);
    QStringList names;
    for (int i = 0; i < 100'000; ++i) {
        QString name;
        const int length = 3 + int(random.bounded(10));
        for (int k = 0; k < length; ++k) {
            const int pick = int(random.bounded(62));
            name += QChar(pick < 10 ? '0' + pick : pick < 36 ? 'a' + pick - 10 : 'A' + pick - 36);
        }
        names.append(name);
    }
    QStringList sorted = names;
    SortArray(sorted);
    QCOMPARE(sorted.size(), names.size());
    for (qsizetype i = 1; i < sorted.size(); ++i) {
        const int order = sorted[i - 1].compare(sorted[i], Qt::CaseInsensitive);
        QVERIFY2(order < 0 || (order == 0 && sorted[i - 1] <= sorted[i]),
                 qPrintable(sorted[i - 1] + QLatin1Char(' ') + sorted[i]));
    }
    std::sort(names.begin(), names.end());
    std::sort(sorted.begin(), sorted.end());
    QCOMPARE(sorted, names); // nothing lost or duplicated
}

QTEST_GUILESS_MAIN(tst_NameSorter)
#include "tst_NameSorter.moc"
