#include "shell/MenuCommands.h"

#include "WindowTestState.h"
#include "tutorial/frmTutorial.h"
#include "wizard/frmWizard.h"

using Command = void (*)(AppState&);
Q_DECLARE_METATYPE(Command)

struct Running : WindowTestState {
    frmWizard wizard{session, state};
    Running() {
        state.wizard = &wizard;
        ConnectMenuCommands(wizard, state);
        wizard.move(400, 200);
        wizard.show();
    }
};

class tst_MenuCommands : public QObject {
    Q_OBJECT

private slots:
    // The tutorial shows tutorial.txt, else readme.txt, else a note, in its
    // one window, which the command brings forward again.
    void tutorial_data() {
        QTest::addColumn<QByteArray>("tutorial"); // "-": no such file
        QTest::addColumn<QByteArray>("readme");
        QTest::addColumn<QString>("shown");
        QTest::newRow("both") << QByteArray("\xe9\r\n") << QByteArray("R") << QString("\u00e9\n");
        QTest::newRow("empty tutorial") << QByteArray() << QByteArray("R") << QString("R");
        QTest::newRow("neither") << QByteArray("-") << QByteArray()
                                 << QString("Hmm... wheres the tutorial.txt file?");
    }
    void tutorial() {
        QFETCH(QByteArray, tutorial);
        QFETCH(QByteArray, readme);
        QFETCH(QString, shown);
        Running r;
        QVERIFY(tutorial == "-" || WriteBytes(r.programFile("tutorial.txt"), tutorial));
        QVERIFY(readme == "-" || WriteBytes(r.programFile("readme.txt"), readme));
        mnuTutorial_Click(r.state);
        const QPointer<frmTutorial> first = r.state.tutorial.data();
        QCOMPARE(first->txtTutorial->toPlainText(), shown);
        first->hide();
        mnuTutorial_Click(r.state);
        QCOMPARE(r.state.tutorial.data(), first.data());
        QVERIFY(first->isVisible() && !first->isModal() && r.wizard.isEnabled());
    }

    // The shipped tutorial is Windows text: every CR and every LF belongs to a CR LF pair, and
    // none of the five bytes Windows-1252 leaves unassigned, which would show as boxes.
    void shippedTutorialIsWindowsText() {
        const QByteArray bytes = FileBytes(SourceDataDir() + "/tutorial.txt");
        QVERIFY(bytes.size() > 1000);
        QCOMPARE(bytes.count('\r') + bytes.count('\n'), 2 * bytes.count("\r\n"));
        for (const char unassigned : {'\x81', '\x8D', '\x8F', '\x90', '\x9D'})
            QVERIFY(!bytes.contains(unassigned));
    }

    void anUnreadableTutorialIsExplainedInOneLine() {
        const QTemporaryDir folder;
        const QString text = ReadTutorialFile(folder.path());
        QVERIFY2(text.startsWith("Could not read " + folder.path()) && !text.contains('\n'),
                 qPrintable(text));
    }

    void modalToTheWizard_data() {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("place"); // on the wizard's "corner", "left" of it, or anywhere
        QTest::newRow("types") << Command(mnuEditTypes_Click) << "corner";
        QTest::newRow("filter") << Command(mnuEditFilter_Click) << "left";
        QTest::newRow("about") << Command(mnuAbout_Click) << "";
    }
    void modalToTheWizard() {
        QFETCH(Command, command);
        QFETCH(QString, place);
        Running r;
        QWidget* owner = nullptr;
        WhenModal([&](QWidget* modal) {
            owner = modal->parentWidget();
            const QRect outer = modal->frameGeometry(), wizard = r.wizard.frameGeometry();
            if (place == "corner")
                QCOMPARE(outer.topLeft(), wizard.topLeft());
            if (place == "left")
                QCOMPARE(outer.topRight(), wizard.topLeft() - QPoint(1, 0));
            modal->close();
        });
        command(r.state);
        QCOMPARE(owner, &r.wizard);
    }
};

QTEST_MAIN(tst_MenuCommands)
#include "tst_MenuCommands.moc"
