#include "services/frmTutorial.h"

#include "WindowTestState.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTest>

namespace {

const QString Missing = QStringLiteral("Hmm... wheres the tutorial.txt file?");

// "absent" leaves the file out; anything else is written as Windows-1252.
void Place(const QString& path, const QByteArray& bytes) {
    if (bytes == "absent")
        return;
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class tst_frmTutorial : public QObject {
    Q_OBJECT

private slots:
    void showsTheFirstFileThere_data() {
        QTest::addColumn<QByteArray>("tutorial");
        QTest::addColumn<QByteArray>("readme");
        QTest::addColumn<QString>("shown");
        QTest::newRow("both") << QByteArray("Tutorial\r\ntext") << QByteArray("Readme")
                              << "Tutorial\ntext";
        QTest::newRow("tutorial only")
            << QByteArray("Tutorial") << QByteArray("absent") << "Tutorial";
        QTest::newRow("readme only")
            << QByteArray("absent") << QByteArray("Readme\r\n") << "Readme\n";
        QTest::newRow("empty tutorial") << QByteArray() << QByteArray("Readme") << "Readme";
        QTest::newRow("neither") << QByteArray("absent") << QByteArray("absent") << Missing;
        QTest::newRow("both empty") << QByteArray() << QByteArray() << Missing;
        QTest::newRow("code page bytes") << QByteArray("Caf\xe9 \x93quoted\x94") << QByteArray()
                                         << "Caf\u00e9 \u201cquoted\u201d";
    }
    void showsTheFirstFileThere() {
        QFETCH(QByteArray, tutorial);
        QFETCH(QByteArray, readme);
        QFETCH(QString, shown);
        WindowTestState t;
        Place(t.programFile(QStringLiteral("tutorial.txt")), tutorial);
        Place(t.programFile(QStringLiteral("readme.txt")), readme);
        frmTutorial window(t.state);
        QCOMPARE(window.txtTutorial->toPlainText(), shown);
        QCOMPARE(window.windowTitle(), QStringLiteral("Tutorial"));
        QVERIFY(t.dialogs.messages.isEmpty());
    }

    // A file that is there but cannot be read says so in one line.
    void anUnreadableFileIsExplained() {
        WindowTestState t;
        const QString folder = t.programFile(QStringLiteral("tutorial.txt"));
        QVERIFY(QDir().mkdir(folder));
        const QString text = ReadTutorialFile(folder);
        QVERIFY2(text.startsWith(QStringLiteral("Could not read ") + folder), qPrintable(text));
        QVERIFY(!text.contains(QLatin1Char('\n')));
    }

    void anUnreadableTutorialInTheWindow() {
        WindowTestState t;
        const QString path = t.programFile(QStringLiteral("tutorial.txt"));
        Place(path, "Tutorial");
        Place(t.programFile(QStringLiteral("readme.txt")), "Readme");
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
        QFile probe(path);
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("this user reads files regardless of their permissions");
        frmTutorial window(t.state);
        const QString text = window.txtTutorial->toPlainText();
        QVERIFY2(text.startsWith(QStringLiteral("Could not read ") + path), qPrintable(text));
        QVERIFY(!text.contains(QLatin1Char('\n')));
    }

    void resizingKeepsTheTextFillingTheWindow_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("as designed") << QSize();
        QTest::newRow("larger") << QSize(640, 480);
        QTest::newRow("smaller") << QSize(120, 90);
    }
    void resizingKeepsTheTextFillingTheWindow() {
        QFETCH(QSize, size);
        WindowTestState t;
        frmTutorial window(t.state);
        if (size.isValid())
            window.resize(size);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect outer = window.frameGeometry();
        const QRect box = window.txtTutorial->geometry();
        QCOMPARE(box.topLeft(), QPoint(0, 0));
        QCOMPARE(box.width(), outer.width() - 8);
        QCOMPARE(box.height(), outer.height() - 27);
    }
};

QTEST_MAIN(tst_frmTutorial)
#include "tst_frmTutorial.moc"
