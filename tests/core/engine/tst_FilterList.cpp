#include "ScriptedDialogs.h"
#include "TestPaths.h"
#include "UtxBuilder.h"
#include "engine/FilterList.h"

#include <QtTest>

namespace {
// unreal.flt bytes made by hand: a 16-bit length, then each byte xor 0x6B.
QByteArray Entry(QByteArrayView text) {
    QByteArray bytes;
    bytes.append(char(text.size() & 0xFF)).append(char(text.size() >> 8));
    for (char c : text)
        bytes.append(char(c ^ 0x6B));
    return bytes;
}

const QString Longest(65'535, 'q');
} // namespace

class tst_FilterList : public QObject {
    Q_OBJECT

private slots:
    // Entries are read lower-cased, with a last slot for the package's name; an empty entry ends
    // the list. A file whose shape is no list of names is refused, naming it; the list stays.
    void reads_data() {
        QTest::addColumn<QByteArray>("file");     // null: none
        QTest::addColumn<QStringList>("entries"); // empty: the list stays
        QTest::newRow("lower-cased") << Entry("TEX") + Entry("\xC0\x80") + Entry(Longest.toLatin1())
                                     << QStringList{"tex", "\u00E0\u20AC", Longest};
        QTest::newRow("empty entry ends")
            << Entry("a") + Entry("") + Entry("b\x01") << QStringList{"a"};
        QTest::newRow("no file") << QByteArray() << QStringList();
        const QStringList refused;
        QTest::newRow("odd byte at the end") << Entry("a") + 'x' << refused;
        QTest::newRow("CR bytes") << QByteArray(64, '\r') << refused;
        QTest::newRow("NUL bytes") << QByteArray(65536, '\0') << refused;
        QTest::newRow("10 MB") << QByteArray(10 << 20, 'A') << refused;
        QTest::newRow("control character") << Entry("a") + Entry("b\tc") << refused;
    }
    void reads() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, entries);
        QTemporaryDir dir;
        QVERIFY(file.isNull() || WriteBytes(dir.filePath("unreal.flt"), file));
        QStringList filterList{"kept"};
        ReadFilter(nullptr, dir.path(), "unreal.flt", filterList);
        QCOMPARE(filterList, entries.isEmpty() ? QStringList{"kept"} : entries + QStringList{""});
        const QString problem = FilterListProblem(dir.path(), "unreal.flt");
        QCOMPARE(problem.contains(dir.filePath("unreal.flt")), !file.isNull() && entries.isEmpty());
        QVERIFY(problem.isEmpty() || problem.contains("To get the shipped list back, delete"));
    }

    // The list is stored as given after the question and a backup of the old one; entries it
    // cannot hold are refused, leaving the old whole. (Cancelling and a failed backup: through the
    // editor window.)
    void writes_data() {
        QTest::addColumn<QStringList>("source");
        QTest::addColumn<QString>("error");
        QTest::newRow("replaced") << QStringList{"TEX", "\u00C0\u20AC", Longest} << "";
        QTest::newRow("no list") << QStringList{"TEX"} << "";
        QTest::newRow("outside 1252") << QStringList{"tex", "pal\u03A9tte"} << "\u03A9";
        QTest::newRow("too long") << QStringList{Longest + 'q'} << "65535";
        QTest::newRow("empty entry") << QStringList{"tex", ""} << "empty";
        QTest::newRow("control character") << QStringList{"t\x7Fx"} << "control character";
    }
    void writes() {
        QFETCH(QStringList, source);
        QFETCH(QString, error);
        const QString tag = QTest::currentDataTag();
        const bool replaced = tag == "replaced";
        const QByteArray old = Entry("none") + Entry("internaltime");
        QTemporaryDir dir;
        QVERIFY(tag == "no list" || WriteBytes(dir.filePath("unreal.flt"), old));
        const QByteArray before = FileBytes(dir.filePath("unreal.flt"));
        ScriptedDialogs dialogs;
        dialogs.answers.enqueue(Dialogs::Answer::Ok);
        QString reason = "stale";
        QCOMPARE(WriteFilter(source, dir.path(), "unreal.flt", dialogs, &reason), replaced);
        QVERIFY2(error.isEmpty() ? reason.isEmpty() : reason.contains(error), qPrintable(reason));
        QCOMPARE(dialogs.messages.size(), replaced ? 1 : 0);
        QVERIFY(!replaced || dialogs.messages[0].text == "Are you sure you\r\nwant to overwrite?");
        const QByteArray written = Entry("TEX") + Entry("\xC0\x80") + Entry(Longest.toLatin1());
        QCOMPARE(FileBytes(dir.filePath("unreal.flt")), replaced ? written : before);
        QCOMPARE(FileBytes(dir.filePath("oldunreal.flt")), replaced ? old : QByteArray());
    }

    // The shipped unreal.flt, which the build makes from data/unreal-flt.lst (an entry a line;
    // "#" comments and blank lines skipped).
    void shippedListIsBuiltWhole() {
        QStringList listed;
        for (const QByteArray& line : FileBytes(SourceDataDir() + "/unreal-flt.lst").split('\n'))
            if (!line.trimmed().isEmpty() && !line.startsWith('#'))
                listed.append(QString::fromUtf8(line.trimmed()).toLower());
        QVERIFY(listed.size() > 20);
        QCOMPARE(DecodeFilterFile(FileBytes(BuiltBinDir() + "/unreal.flt")), listed);
    }
};

QTEST_GUILESS_MAIN(tst_FilterList)
#include "tst_FilterList.moc"
