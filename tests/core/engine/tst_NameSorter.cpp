#include "engine/NameSorter.h"

#include <QCollator>
#include <QLocale>
#include <QTest>
#include <algorithm>

class tst_NameSorter : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    // The order is the locale's case-insensitive collation with exact ties,
    // whatever the sort uses to get there, so names equal but for case sort
    // alike from either order of the input.
    void followsTheCollator_data() {
        QTest::addColumn<QString>("locale");
        for (const char* name : {"C", "en_US", "de_DE", "sv_SE", "tr_TR"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void followsTheCollator() {
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        QCollator collator{QLocale(locale)};
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        const QStringList names = {
            u"b"_qs,    u"B"_qs,          u"a"_qs,          u"A"_qs,          u"ä"_qs,   u"Ä"_qs,
            u"_x"_qs,   u"ab"_qs,         u"Ab"_qs,         u"a b"_qs,        u"a-b"_qs, u"z1"_qs,
            u"Z10"_qs,  u"z2"_qs,         u"é"_qs,          u"e"_qs,          u"ß"_qs,   u"ss"_qs,
            u"İ"_qs,    u"ı"_qs,          u"i"_qs,          u"µ"_qs,          u"μ"_qs,   QString(),
            u"\x01"_qs, u"\U00010410"_qs, u"\U00010428"_qs, u"\U0001E900"_qs, u"å"_qs,   u"z"_qs};
        QStringList expected = names;
        std::sort(expected.begin(), expected.end(),
                  [&collator](const QString& a, const QString& b) {
                      const int order = collator.compare(a, b);
                      return order != 0 ? order < 0 : a < b;
                  });
        for (QStringList sorted : {names, QStringList(names.crbegin(), names.crend())}) {
            SortArray(sorted);
            QCOMPARE(sorted, expected);
        }
    }
};

QTEST_GUILESS_MAIN(tst_NameSorter)
#include "tst_NameSorter.moc"
