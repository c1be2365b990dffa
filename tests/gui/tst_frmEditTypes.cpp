#include "catalogue/frmEditTypes.h"

#include "WindowTestState.h"
#include "catalogue/SkinCatalogue.h"

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QTest>

namespace {

const QByteArray Record = "[abcdskins]\r\naaaa=\"team\"\r\nbbbbb=\"1\"\r\ncccc=\"5\"\r\n"
                          "dddd=\"4\"\r\neeee=\"Example skins\"\r\n";
const QByteArray TwoRecords = Record + "\r\n" +
                              "[male]\r\naaaa=\"\"\r\nbbbbb=\"2\"\r\ncccc=\"3\"\r\n"
                              "dddd=\"4\"\r\neeee=\"Male skins\"\r\n\r\n";

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// The box's text with its line breaks as "\n", no-break spaces kept.
QString BoxText(const frmEditTypes& window) {
    return window.Text1->document()->toRawText().replace(QChar::ParagraphSeparator,
                                                         QLatin1Char('\n'));
}

QStringList Keys(const CatalogueState& catalogue) {
    QStringList keys;
    for (const SkinFormat& record : catalogue.SkinCatalogue)
        keys.append(record.Key);
    return keys;
}

void TypeAtEnd(frmEditTypes& window, const QString& text) {
    window.Text1->moveCursor(QTextCursor::End);
    window.Text1->insertPlainText(text); // as typed or pasted
}

// A catalogue that is certainly not the file's, to see it re-read.
void MakeStale(AppState& state) {
    SkinFormat stale;
    stale.Key = QStringLiteral("stale");
    state.catalogue.SkinCatalogue = {stale};
}

} // namespace

class tst_frmEditTypes : public QObject {
    Q_OBJECT

    struct Editing {
        WindowTestState t;
        QString ini = t.programFile(QStringLiteral("SkinFormats.ini"));
        std::unique_ptr<frmEditTypes> window;
        explicit Editing(const QByteArray& bytes) {
            WriteBytes(ini, bytes);
            window = std::make_unique<frmEditTypes>(t.state);
            window->show();
            MakeStale(t.state);
        }
    };

private slots:
    void showsTheFileAsItIs_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("CR LF lines") << QByteArray("[a]\r\nb\r\n") << "[a]\nb\n";
        QTest::newRow("LF and CR lines") << QByteArray("[a]\nb\rc") << "[a]\nb\nc";
        QTest::newRow("code page bytes")
            << QByteArray("caf\xe9\xa0\x80\r\n") << "caf\u00e9\u00a0\u20ac\n";
        QTest::newRow("empty") << QByteArray() << "";
    }
    void showsTheFileAsItIs() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        Editing e(bytes);
        QCOMPARE(BoxText(*e.window), shown);
        QVERIFY(e.window->mnuSave->isEnabled());
        QVERIFY(e.t.dialogs.messages.isEmpty());
        QCOMPARE(e.window->windowTitle(), QStringLiteral("Edit Types"));
    }

    void saveWritesTheBoxAndTwoLineBreaks_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("unchanged") << TwoRecords << "" << TwoRecords + "\r\n\r\n"
                                   << QStringList{"abcdskins", "male"};
        QTest::newRow("last line without a break") << Record.chopped(2) << "" << Record + "\r\n"
                                                   << QStringList{"abcdskins"};
        QTest::newRow("typed record")
            << Record + "\r\n"
            << "[female]\naaaa=\"\"\nbbbbb=\"1\"\ncccc=\"5\"\ndddd=\"4\"\neeee=\"Female\""
            << Record + "\r\n[female]\r\naaaa=\"\"\r\nbbbbb=\"1\"\r\ncccc=\"5\"\r\n"
                        "dddd=\"4\"\r\neeee=\"Female\"\r\n\r\n"
            << QStringList{"abcdskins", "female"};
        QTest::newRow("LF lines become CR LF")
            << QByteArray(Record).replace("\r\n", "\n") << "" << Record + "\r\n\r\n"
            << QStringList{"abcdskins"};
        QTest::newRow("code page bytes kept")
            << QByteArray("[caf\xe9\xa0]\r\n") << "" << QByteArray("[caf\xe9\xa0]\r\n\r\n\r\n")
            << QStringList{};
    }
    void saveWritesTheBoxAndTwoLineBreaks() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, typed);
        QFETCH(QByteArray, saved);
        QFETCH(QStringList, keys);
        Editing e(bytes);
        TypeAtEnd(*e.window, typed);
        e.window->mnuSave->trigger();
        QCOMPARE(ReadBytes(e.ini), saved);
        QVERIFY(e.t.dialogs.messages.isEmpty());
        QVERIFY(!e.window->isVisible());
        QCOMPARE(e.window->result(), int(QDialog::Accepted));
        if (!keys.isEmpty())
            QCOMPARE(Keys(e.t.state.catalogue), keys);
        else
            QVERIFY(Keys(e.t.state.catalogue) != QStringList{"stale"});
    }

    void reloadRestoresTheFile() {
        Editing e(TwoRecords);
        TypeAtEnd(*e.window, QStringLiteral("[half a record"));
        e.window->Text1->selectAll();
        QTest::keyClick(e.window->Text1, Qt::Key_Delete);
        e.window->mnuReload->trigger();
        QCOMPARE(BoxText(*e.window), QString::fromLatin1(TwoRecords).replace("\r\n", "\n"));
        QCOMPARE(ReadBytes(e.ini), TwoRecords);
        QVERIFY(e.window->isVisible());
    }

    void closingWithoutSavingKeepsTheFile() {
        Editing e(TwoRecords);
        TypeAtEnd(*e.window, QStringLiteral("[half a record"));
        // Escape is no way out: the window has no Cancel button.
        QTest::keyClick(e.window->Text1, Qt::Key_Escape);
        QVERIFY(e.window->isVisible());
        e.window->close();
        QVERIFY(!e.window->isVisible());
        QCOMPARE(ReadBytes(e.ini), TwoRecords);
        QCOMPARE(Keys(e.t.state.catalogue), (QStringList{"abcdskins", "male"}));
        QVERIFY(e.t.dialogs.messages.isEmpty());
    }

    void aMissingFileIsCreatedEmpty() {
        WindowTestState t;
        const QString ini = t.programFile(QStringLiteral("SkinFormats.ini"));
        frmEditTypes window(t.state);
        QVERIFY(QFileInfo(ini).isFile());
        QCOMPARE(ReadBytes(ini), QByteArray());
        QCOMPARE(BoxText(window), QString());
        QVERIFY(t.dialogs.messages.isEmpty());
        window.mnuSave->trigger();
        QCOMPARE(ReadBytes(ini), QByteArray("\r\n\r\n"));
        QCOMPARE(t.state.catalogue.SkinCatalogue, QList<SkinFormat>{SkinFormat{}});
    }

    void aFileThatCannotBeLoadedIsReported_data() {
        QTest::addColumn<bool>("folderInTheWay"); // else the program folder is missing
        QTest::addColumn<QString>("said");
        QTest::newRow("a folder where the file should be") << true << "Could not read";
        QTest::newRow("no program folder") << false << "Could not create";
    }
    void aFileThatCannotBeLoadedIsReported() {
        QFETCH(bool, folderInTheWay);
        QFETCH(QString, said);
        WindowTestState t;
        if (!folderInTheWay)
            t.state.programDir = t.folder.filePath(QStringLiteral("missing"));
        const QString ini = t.state.programDir + QStringLiteral("/SkinFormats.ini");
        if (folderInTheWay)
            QVERIFY(QDir().mkdir(ini));
        frmEditTypes window(t.state);
        QCOMPARE(t.dialogs.messages.size(), 1);
        QVERIFY2(t.dialogs.messages[0].text.startsWith(said),
                 qPrintable(t.dialogs.messages[0].text));
        QVERIFY(t.dialogs.messages[0].text.contains(ini));
        QCOMPARE(BoxText(window), QString());
        QVERIFY(!window.mnuSave->isEnabled());
        QCOMPARE(QFileInfo(ini).isDir(), folderInTheWay);

        // Once the file can be read, Reload brings it and Save back.
        QVERIFY(QDir().mkpath(t.state.programDir));
        QDir(ini).removeRecursively();
        QVERIFY(WriteBytes(ini, Record));
        window.mnuReload->trigger();
        QVERIFY(window.mnuSave->isEnabled());
        QCOMPARE(BoxText(window), QString::fromLatin1(Record).replace("\r\n", "\n"));
    }

    void aFailedSaveKeepsTheFileAndTheWindow_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("folderGone"); // the program folder was replaced by a file
        QTest::addColumn<QString>("said");
        QTest::newRow("cannot be written") << "[new]" << true << "Could not write";
        QTest::newRow("character outside the code page") << "[\u2605]" << false << "\u2605";
    }
    void aFailedSaveKeepsTheFileAndTheWindow() {
        QFETCH(QString, typed);
        QFETCH(bool, folderGone);
        QFETCH(QString, said);
        Editing e(TwoRecords);
        TypeAtEnd(*e.window, typed);
        QString ini = e.ini;
        if (folderGone) {
            const QString moved = e.t.folder.filePath(QStringLiteral("moved"));
            QVERIFY(QDir().rename(e.t.programDir, moved));
            QVERIFY(WriteBytes(e.t.programDir, "a file now"));
            ini = moved + QStringLiteral("/SkinFormats.ini");
        }
        e.window->mnuSave->trigger();
        QCOMPARE(e.t.dialogs.messages.size(), 1);
        QVERIFY2(e.t.dialogs.messages[0].text.contains(said),
                 qPrintable(e.t.dialogs.messages[0].text));
        QVERIFY(e.window->isVisible());
        QVERIFY(BoxText(*e.window).endsWith(typed));
        QCOMPARE(ReadBytes(ini), TwoRecords);
        QCOMPARE(Keys(e.t.state.catalogue), QStringList{"stale"});
    }

    void resizingKeepsTheBoxFillingTheWindow_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("as designed") << QSize();
        QTest::newRow("larger") << QSize(600, 450);
        QTest::newRow("smaller") << QSize(200, 150);
    }
    void resizingKeepsTheBoxFillingTheWindow() {
        QFETCH(QSize, size);
        Editing e(Record);
        if (size.isValid())
            e.window->resize(size);
        QVERIFY(QTest::qWaitForWindowExposed(e.window.get()));
        const QRect outer = e.window->frameGeometry();
        const QRect box = e.window->Text1->geometry();
        QCOMPARE(box.topLeft(), QPoint(2, 4));
        QCOMPARE(box.width(), outer.width() - 2 - 10);
        QCOMPARE(box.height(), outer.height() - 4 - 50);
    }
};

QTEST_MAIN(tst_frmEditTypes)
#include "tst_frmEditTypes.moc"
