#include "catalogue/frmEditTypes.h"

#include "WindowTestState.h"
#include "catalogue/SkinCatalogue.h"

namespace {

const QByteArray Record = "[abcd]\r\naaaa=\"team\"\r\nbbbbb=\"1\"\r\ncccc=\"5\"\r\n"
                          "dddd=\"4\"\r\neeee=\"Example skins\"\r\n";
const QByteArray TwoRecords = Record + "\r\n" + QByteArray(Record).replace("abcd", "male");

// The editor over SkinFormats.ini holding `bytes` (none: no file, "/": a
// folder in its place), with a catalogue in memory that is certainly not the
// file's, to see it re-read.
struct Editing : WindowTestState {
    QString ini = programFile("SkinFormats.ini");
    std::unique_ptr<frmEditTypes> window;
    explicit Editing(const QByteArray& bytes) {
        if (bytes == "/")
            QDir().mkdir(ini);
        else if (!bytes.isNull())
            WriteBytes(ini, bytes);
        window = std::make_unique<frmEditTypes>(state);
        window->show();
        state.catalogue.SkinCatalogue.resize(1);
    }
    QStringList keys() const {
        QStringList keys;
        for (const SkinFormat& record : state.catalogue.SkinCatalogue)
            keys.append(record.Key);
        return keys;
    }
};

} // namespace

class tst_frmEditTypes : public QObject {
    Q_OBJECT

private slots:
    // The box shows the file's bytes; Save writes it back, then two CR LF.
    void save_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<QStringList>("keys"); // as the catalogue reads them
        QTest::newRow("two records") << TwoRecords << TwoRecords + "\r\n\r\n"
                                     << QStringList{"abcd", "male"};
        QTest::newRow("no last break") << Record.chopped(2) << Record + "\r\n"
                                       << QStringList{"abcd"};
        QTest::newRow("LF, CR") << QByteArray("[a]\nb\rc") << QByteArray("[a]\r\nb\r\nc\r\n\r\n")
                                << QStringList{"a"};
        QTest::newRow("code page")
            << QByteArray("[\xe9\xa0\x80]") << QByteArray("[\xe9\xa0\x80]\r\n\r\n")
            << QStringList{"\u00e9\u00a0\u20ac"};
        QTest::newRow("no file") << QByteArray() << QByteArray("\r\n\r\n") << QStringList{""};
    }
    void save() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, saved);
        QFETCH(QStringList, keys);
        Editing e(bytes);
        QCOMPARE(ReadBytes(e.ini), bytes.isNull() ? "" : bytes); // a missing file is created
        e.window->mnuSave->trigger();
        QCOMPARE(ReadBytes(e.ini), saved);
        QVERIFY(e.dialogs.messages.isEmpty() && !e.window->isVisible());
        QCOMPARE(e.keys(), keys);
    }

    // Reload brings the file back; closing without saving leaves it whole.
    void reloadAndClose() {
        Editing e(TwoRecords);
        e.window->Text1->setPlainText("[half a record");
        e.window->mnuReload->trigger();
        QCOMPARE(e.window->Text1->toPlainText(), QString(TwoRecords).replace("\r\n", "\n"));
        e.window->Text1->setPlainText("[half a record");
        // Escape is no way out: the window has no Cancel button.
        QTest::keyClick(e.window->Text1, Qt::Key_Escape);
        QVERIFY(e.window->isVisible());
        e.window->close();
        QCOMPARE(ReadBytes(e.ini), TwoRecords);
        QCOMPARE(e.keys(), (QStringList{"abcd", "male"}));
    }

    // The old file stays whole and the window open with the text typed. A
    // file that cannot be read keeps Save unavailable, so that it is never
    // replaced by a box that does not show it.
    void failuresAreReported_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("said");
        QTest::newRow("cannot be read") << QString() << "Could not read";
        QTest::newRow("cannot be written") << "[new]"
                                           << "Could not write";
        QTest::newRow("outside the code page") << "[\u2605]"
                                               << "\u2605";
    }
    void failuresAreReported() {
        QFETCH(QString, typed);
        QFETCH(QString, said);
        const bool unreadable = typed.isEmpty();
        Editing e(unreadable ? QByteArray("/") : TwoRecords);
        e.window->Text1->setPlainText(typed);
        const QString moved = e.folder.filePath("moved");
        if (said == "Could not write")
            QVERIFY(QDir().rename(e.programDir, moved) && WriteBytes(e.programDir, ""));
        e.window->mnuSave->trigger();
        QCOMPARE(e.dialogs.messages.size(), 1);
        QVERIFY2(e.dialogs.messages[0].text.contains(said), qPrintable(e.dialogs.messages[0].text));
        QVERIFY(e.window->isVisible() && e.window->Text1->toPlainText() == typed);
        QCOMPARE(ReadBytes(said == "Could not write" ? moved + "/SkinFormats.ini" : e.ini),
                 unreadable ? "(unreadable)" : TwoRecords);
        QCOMPARE(e.keys(), QStringList{QString()});
    }
};

QTEST_MAIN(tst_frmEditTypes)
#include "tst_frmEditTypes.moc"
