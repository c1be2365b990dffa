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
};

QTEST_GUILESS_MAIN(tst_UnwritableNames)
#include "tst_UnwritableNames.moc"
