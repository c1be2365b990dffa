#include "services/Text1252.h"

#include <QTest>

class tst_Text1252 : public QObject {
    Q_OBJECT

private slots:
    void allBytesRoundTripOthersAreRefused() {
        QByteArray bytes;
        for (int b = 0; b < 256; ++b)
            bytes.append(char(b));
        const QString text = FromWindows1252(bytes);
        QCOMPARE(text.size(), 256);
        // The euro sign, a byte the code page leaves unassigned, a quote, a Latin-1 letter.
        QCOMPARE(text.mid(0x80, 3) + text[0xE9], QStringLiteral("\u20AC\u0081\u201A\u00E9"));
        QCOMPARE(ToWindows1252(text), bytes);
        QCOMPARE(FirstUnencodableCharacter(text), QString());

        const QString greek = QStringLiteral("pal\u03A9tte"), emoji = QStringLiteral("\U0001F600!");
        QVERIFY(!ToWindows1252(greek) && !ToWindows1252(emoji));
        QCOMPARE(FirstUnencodableCharacter(greek) + FirstUnencodableCharacter(emoji),
                 QStringLiteral("\u03A9\U0001F600"));
    }
};

QTEST_GUILESS_MAIN(tst_Text1252)
#include "tst_Text1252.moc"
