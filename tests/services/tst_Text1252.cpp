#include "services/Text1252.h"

#include <QTest>

class tst_Text1252 : public QObject {
    Q_OBJECT

private slots:
    void allBytesRoundTrip();
    void knownCharacters_data();
    void knownCharacters();
    void unencodableRefused_data();
    void unencodableRefused();
};

void tst_Text1252::allBytesRoundTrip() {
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));
    const QString text = FromWindows1252(bytes);
    QCOMPARE(text.size(), 256);
    QCOMPARE(ToWindows1252(text), bytes);
    QCOMPARE(FirstUnencodableCharacter(text), QString());
}

void tst_Text1252::knownCharacters_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("ASCII") << QByteArray("Skin1") << "Skin1";
    QTest::newRow("euro and S caron") << QByteArray("\x80\x8A") << "\u20AC\u0160";
    QTest::newRow("Latin-1 letters") << QByteArray("\xC0\xE9\xFF") << "\u00C0\u00E9\u00FF";
    QTest::newRow("bytes the code page leaves unassigned")
        << QByteArray("\x81\x8D\x8F\x90\x9D") << "\u0081\u008D\u008F\u0090\u009D";
    QTest::newRow("empty") << QByteArray() << "";
}

void tst_Text1252::knownCharacters() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(FromWindows1252(bytes), text);
    QCOMPARE(ToWindows1252(text), bytes);
}

void tst_Text1252::unencodableRefused_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("first");

    QTest::newRow("Greek") << "pal\u03A9tte\u03B1"
                           << "\u03A9";
    QTest::newRow("CJK at the start") << "\u4E2Dskin"
                                      << "\u4E2D";
    QTest::newRow("outside the basic plane") << "skin\U0001F600"
                                             << "\U0001F600";
}

void tst_Text1252::unencodableRefused() {
    QFETCH(QString, text);
    QFETCH(QString, first);
    QVERIFY(!ToWindows1252(text));
    QCOMPARE(FirstUnencodableCharacter(text), first);
}

QTEST_GUILESS_MAIN(tst_Text1252)
#include "tst_Text1252.moc"
