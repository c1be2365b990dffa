#include "shell/ItemReview.h"

#include <QListWidget>
#include <QTest>

namespace {
const QStringList Twelve{
    QStringLiteral("soldier1"), QStringLiteral("soldier2"),    QStringLiteral("soldier3"),
    QStringLiteral("soldier4"), QStringLiteral("soldier4bob"), QStringLiteral("soldier5bob"),
    QStringLiteral("zzz1"),     QStringLiteral("zzz2"),        QStringLiteral("zzz3"),
    QStringLiteral("zzz4"),     QStringLiteral("zzz4ann"),     QStringLiteral("zzz5ann")};
} // namespace

class tst_ItemReview : public QObject {
    Q_OBJECT

private slots:
    void fillReplacesWithFoundNamesInOrder_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("twelve names") << QStringList() << Twelve;
        QTest::newRow("unsorted order is kept")
            << QStringList() << QStringList{QStringLiteral("b"), QStringLiteral("a")};
        QTest::newRow("duplicates stay separate")
            << QStringList() << QStringList{QStringLiteral("foot1"), QStringLiteral("foot1")};
        QTest::newRow("earlier entries are dropped")
            << QStringList{QStringLiteral("old1"), QStringLiteral("old2")}
            << QStringList{QStringLiteral("new1")};
        QTest::newRow("no names empties the list")
            << QStringList{QStringLiteral("old1")} << QStringList();
    }
    void fillReplacesWithFoundNamesInOrder() {
        QFETCH(QStringList, before);
        QFETCH(QStringList, names);
        QListWidget list;
        list.addItems(before);
        FillItemList(&list, names);
        QCOMPARE(ListEntries(&list), names);
    }

    void removeTakesTheSelectedEntry_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("selected");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QStringList>("remaining");
        const QString a = QStringLiteral("a"), b = QStringLiteral("b"), c = QStringLiteral("c");
        QTest::newRow("middle entry") << QStringList{a, b, c} << 1 << true << QStringList{a, c};
        QTest::newRow("first entry") << QStringList{a, b, c} << 0 << true << QStringList{b, c};
        QTest::newRow("last entry") << QStringList{a, b, c} << 2 << true << QStringList{a, b};
        QTest::newRow("only entry") << QStringList{a} << 0 << false << QStringList();
        QTest::newRow("one of two duplicates")
            << QStringList{a, a, b} << 1 << true << QStringList{a, b};
        QTest::newRow("nothing selected") << QStringList{a, b} << -1 << false << QStringList{a, b};
        QTest::newRow("empty list") << QStringList() << -1 << false << QStringList();
    }
    void removeTakesTheSelectedEntry() {
        QFETCH(QStringList, entries);
        QFETCH(int, selected);
        QFETCH(bool, result);
        QFETCH(QStringList, remaining);
        QListWidget list;
        list.addItems(entries);
        list.setCurrentRow(selected);
        if (selected < 0)
            list.clearSelection();
        QCOMPARE(RemoveListItem(&list), result);
        QCOMPARE(ListEntries(&list), remaining);
    }

    void restoreBringsBackTheFilledNames() {
        QListWidget items;
        QListWidget backup;
        FillItemList(&items, Twelve);
        FillItemList(&backup, Twelve);
        for (int row : {7, 3, 0}) {
            items.setCurrentRow(row);
            QVERIFY(RemoveListItem(&items));
        }
        QCOMPARE(items.count(), Twelve.size() - 3);

        RestoreItemList(&items, &backup);
        QCOMPARE(ListEntries(&items), Twelve);
        QCOMPARE(ListEntries(&backup), Twelve);

        // Restoring a list that was not pruned changes nothing.
        RestoreItemList(&items, &backup);
        QCOMPARE(ListEntries(&items), Twelve);
    }

    void countCaptionHasNoSingular_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("caption");
        QTest::newRow("none") << 0 << QStringLiteral("0 Items found.");
        QTest::newRow("one") << 1 << QStringLiteral("1 Items found.");
        QTest::newRow("twelve") << 12 << QStringLiteral("12 Items found.");
        QTest::newRow("thousands") << 12345 << QStringLiteral("12345 Items found.");
    }
    void countCaptionHasNoSingular() {
        QFETCH(int, count);
        QFETCH(QString, caption);
        QCOMPARE(CountCaption(count), caption);
    }
};

QTEST_MAIN(tst_ItemReview)
#include "tst_ItemReview.moc"
