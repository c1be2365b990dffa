#include "engine/UnwritableNames.h"

#include <QTest>

class tst_UnwritableNames : public QObject {
    Q_OBJECT

private slots:
    void reason_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason"); // a part of it; empty: the name can be a line
        QTest::newRow("plain") << u"body1"_qs << QString();
        QTest::newRow("blanks, brackets, accents") << u"a b[c];é€"_qs << QString();
        QTest::newRow("CR LF") << u"x\r\n[URL]"_qs << u"line break"_qs;
        for (const QString& c : {u"\""_qs, u","_qs, u"("_qs, u")"_qs, u"="_qs})
            QTest::newRow(qPrintable(c)) << "q" + c + "x"
                                         << "the character '" + c + "'";
        QTest::newRow("tab") << u"tab\tx"_qs << u"control character \\t"_qs;
        QTest::newRow("DEL") << u"del\x7f"_qs << u"control character \\x7f"_qs;
        QTest::newRow("C1 control") << u"nel\u0085"_qs << u"control character \\x85"_qs;
    }
    void reason() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        const QString given = UnwritableNameReason(name);
        QVERIFY2(reason.isEmpty() ? given.isEmpty() : given.contains(reason), qPrintable(given));
    }

    // Both lists keep their order; a left-out name can be shown on one line.
    void takesOutInOrder() {
        QStringList names = {u"a1"_qs, u"x\r\n[URL]"_qs, u"b2"_qs, u"q=x"_qs};
        const QList<LeftOutName> leftOut = TakeUnwritableNames(names);
        QCOMPARE(names, QStringList({u"a1"_qs, u"b2"_qs}));
        QCOMPARE(leftOut.size(), 2);
        QCOMPARE(PrintableName(leftOut[0].name), u"x\\r\\n[URL]"_qs);
        QCOMPARE(leftOut[1].name, u"q=x"_qs);
    }
};

QTEST_GUILESS_MAIN(tst_UnwritableNames)
#include "tst_UnwritableNames.moc"
