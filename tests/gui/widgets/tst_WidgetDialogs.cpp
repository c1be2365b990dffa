#include "WindowTestState.h"
#include "widgets/WidgetDialogs.h"

constexpr int Escape = Qt::Key_Escape, CloseBox = 0;

// A message box asked for, what it shows, the key that closes it and the answer then.
struct Box {
    QString title; // none shows the program's name
    Dialogs::Buttons buttons;
    QMessageBox::StandardButtons shown;
    int key;
    Dialogs::Answer answer;
};
Q_DECLARE_METATYPE(Box)

class tst_WidgetDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); } // the dialog's memory

    // Escape and the close box press the safe button.
    void messageBoxShowsExactly_data() {
        QTest::addColumn<Box>("box");
        using B = Dialogs::Buttons;
        using A = Dialogs::Answer;
        const QMessageBox::StandardButtons ok = QMessageBox::Ok,
                                           yesNo = QMessageBox::Yes | QMessageBox::No;
        QTest::newRow("ok, Escape") << Box{"", B::Ok, ok, Escape, A::Ok};
        QTest::newRow("yes/no, Escape") << Box{"Replace", B::YesNo, yesNo, Escape, A::No};
        QTest::newRow("ok/cancel, closed")
            << Box{"Filter", B::OkCancel, ok | QMessageBox::Cancel, CloseBox, A::Cancel};
    }
    void messageBoxShowsExactly() {
        QFETCH(Box, box);
        const QString text = "Could not write /tmp/<b>x</b>.int\r\nTry again.";
        QWidget owner;
        bool seen = false;
        WhenModal([&](QWidget* modal) {
            auto* shown = qobject_cast<QMessageBox*>(modal);
            auto* label = modal->findChild<QLabel*>("qt_msgbox_label");
            QVERIFY(shown && label && shown->parentWidget() == &owner);
            QCOMPARE(label->text(), text);
            QCOMPARE(label->textFormat(), Qt::PlainText);
            QCOMPARE(shown->windowTitle(), box.title.isEmpty() ? "Varnwick" : box.title);
            QCOMPARE(shown->icon(), QMessageBox::NoIcon);
            QCOMPARE(shown->standardButtons(), box.shown);
            seen = true;
            if (box.key == CloseBox)
                modal->close();
            else
                QTest::keyClick(modal, Qt::Key(box.key));
        });
        QCOMPARE(WidgetDialogs(&owner).message(text, box.title, box.buttons), box.answer);
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
