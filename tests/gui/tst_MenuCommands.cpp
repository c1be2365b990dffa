#include "shell/MenuCommands.h"

#include "WindowTestState.h"
#include "services/frmTutorial.h"
#include "settings/frmSettings.h"
#include "shell/frmWizard.h"

using Command = void (*)(AppState&);
Q_DECLARE_METATYPE(Command)

struct Running : WindowTestState {
    frmWizard wizard{state};
    explicit Running(QPoint at = QPoint(400, 200)) {
        state.wizard = &wizard;
        wizard.move(at);
        wizard.show();
    }
};

class tst_MenuCommands : public QObject {
    Q_OBJECT

private slots:
    void settingsDisablesTheWizardUntilClosed() {
        Running r;
        mnuSettings_Click(r.state);
        QVERIFY(r.state.settingsWindow->isVisible() && !r.state.settingsWindow->isModal());
        QVERIFY(!r.wizard.isEnabled());
        r.state.settingsWindow->close();
        QVERIFY(r.wizard.isEnabled());
    }

    // The tutorial shows tutorial.txt, else readme.txt, else a note, in its
    // one window, which the command brings forward again.
    void tutorial_data() {
        QTest::addColumn<QByteArray>("tutorial"); // "-": no such file
        QTest::addColumn<QByteArray>("readme");
        QTest::addColumn<QString>("shown");
        QTest::newRow("both") << QByteArray("\xe9\r\n") << QByteArray("R") << QString("\u00e9\n");
        QTest::newRow("readme only") << QByteArray("-") << QByteArray("R\r\n") << QString("R\n");
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

    void anUnreadableTutorialIsExplainedInOneLine() {
        const QTemporaryDir folder;
        const QString text = ReadTutorialFile(folder.path());
        QVERIFY2(text.startsWith("Could not read " + folder.path()) && !text.contains('\n'),
                 qPrintable(text));
    }

    void modalToTheWizard_data() {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QPoint>("wizardAt");
        QTest::addColumn<QString>("place"); // on the wizard's "corner", "left" of it, or anywhere
        QTest::newRow("types") << Command(mnuEditTypes_Click) << QPoint(300, 150) << "corner";
        QTest::newRow("filter") << Command(mnuEditFilter_Click) << QPoint(500, 120) << "left";
        QTest::newRow("at the edge") << Command(mnuEditFilter_Click) << QPoint(40, 60) << "left";
        QTest::newRow("about") << Command(mnuAbout_Click) << QPoint(300, 150) << "";
    }
    void modalToTheWizard() {
        QFETCH(Command, command);
        QFETCH(QPoint, wizardAt);
        QFETCH(QString, place);
        Running r(wizardAt);
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
