#include "WindowTestState.h"
#include "widgets/WidgetDialogs.h"

using Shown = QMessageBox::StandardButtons;
constexpr int Escape = Qt::Key_Escape, CloseBox = 0;

class tst_WidgetDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); } // the dialog's memory

    // Escape and the close box press the safe button.
    void messageBoxShowsExactly_data() {
        QTest::addColumn<QString>("title"); // none shows the program's name
        QTest::addColumn<Dialogs::Buttons>("buttons");
        QTest::addColumn<Shown>("shown");
        QTest::addColumn<int>("key");
        QTest::addColumn<Dialogs::Answer>("answer");
        using B = Dialogs::Buttons;
        using A = Dialogs::Answer;
        const Shown ok = QMessageBox::Ok, yesNo = QMessageBox::Yes | QMessageBox::No;
        QTest::newRow("ok, Escape") << "" << B::Ok << ok << Escape << A::Ok;
        QTest::newRow("yes/no, Escape") << "Replace" << B::YesNo << yesNo << Escape << A::No;
        QTest::newRow("ok/cancel, closed")
            << "Filter" << B::OkCancel << (ok | QMessageBox::Cancel) << CloseBox << A::Cancel;
    }
    void messageBoxShowsExactly() {
        QFETCH(QString, title);
        QFETCH(Dialogs::Buttons, buttons);
        QFETCH(Shown, shown);
        QFETCH(int, key);
        QFETCH(Dialogs::Answer, answer);
        const QString text = "Could not write /tmp/<b>x</b>.int\r\nTry again.";
        QWidget owner;
        bool seen = false;
        WhenModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            auto* label = modal->findChild<QLabel*>("qt_msgbox_label");
            QVERIFY(box && label && box->parentWidget() == &owner);
            QCOMPARE(label->text(), text);
            QCOMPARE(label->textFormat(), Qt::PlainText);
            QCOMPARE(box->windowTitle(), title.isEmpty() ? "Varnwick" : title);
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(box->standardButtons(), shown);
            seen = true;
            if (key == CloseBox)
                modal->close();
            else
                QTest::keyClick(modal, Qt::Key(key));
        });
        QCOMPARE(WidgetDialogs(&owner).message(text, title, buttons), answer);
        QVERIFY(seen);
    }

    // A save shows the filter and folder, keeps the proposed name and asks nothing.
    void saveKeepsTheProposedName() {
        QTemporaryDir dir;
        const QString proposed = dir.filePath("Skin.int");
        QVERIFY(WriteBytes(proposed, "old"));
        const QString filter = "INT Files (*.int);;All Files (*)";
        QStringList seen;
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            auto* edit = modal->findChild<QLineEdit*>("fileNameEdit");
            auto* model = modal->findChild<QFileSystemModel*>();
            QVERIFY(dialog && edit && model);
            // Typing races with the dialog's own choice until the folder is listed.
            QVERIFY(QTest::qWaitFor([&] { return model->rowCount(model->index(dir.path())); }));
            seen << dialog->nameFilters().join(";;") << dialog->directory().absolutePath()
                 << edit->text();
            // A question about replacing the file, should one come up, is closed: No.
            QTimer::singleShot(1000, edit, [] { QApplication::activeModalWidget()->close(); });
            QTest::keyClick(edit, Qt::Key_Return);
        });
        QCOMPARE(WidgetDialogs().chooseFile({true, dir.path(), filter, proposed}),
                 std::optional(proposed));
        QCOMPARE(seen, (QStringList{filter, dir.path(), "Skin.int"}));
    }
};

QTEST_MAIN(tst_WidgetDialogs)
#include "tst_WidgetDialogs.moc"
