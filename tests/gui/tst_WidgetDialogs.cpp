#include "services/WidgetDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

Q_DECLARE_METATYPE(Dialogs::Buttons)
Q_DECLARE_METATYPE(Dialogs::Answer)
Q_DECLARE_METATYPE(QMessageBox::StandardButton)

namespace {
// Runs `act` on the modal window as soon as it is up. Should the window
// still be open after a while (a wrong button, an unexpected question), it
// is closed so that the test fails instead of hanging. Nothing outlives the
// window, so no later test is disturbed.
void WhenModal(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QElapsedTimer waited;
    waited.start();
    QObject::connect(poll, &QTimer::timeout, [poll, act, waited] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && waited.elapsed() < 5000)
            return;
        poll->stop();
        poll->deleteLater();
        if (!modal)
            return;
        QTimer::singleShot(5000, modal, [] {
            while (QWidget* open = QApplication::activeModalWidget())
                open->close();
        });
        act(modal);
    });
    poll->start();
}

struct SeenBox {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::Critical;
    QMessageBox::StandardButtons buttons;
    QString labelText;
    Qt::TextFormat labelFormat = Qt::AutoText;
    QWidget* parent = nullptr;
};

SeenBox Inspect(QWidget* modal) {
    SeenBox seen;
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box)
        return seen;
    seen.text = box->text();
    seen.title = box->windowTitle();
    seen.icon = box->icon();
    seen.buttons = box->standardButtons();
    seen.parent = box->parentWidget();
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        seen.labelText = label->text();
        seen.labelFormat = label->textFormat();
    }
    return seen;
}
} // namespace

class tst_WidgetDialogs : public QObject {
    Q_OBJECT

private slots:
    // The file dialog remembers its state in the user's settings.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void messageBoxShowsExactly_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<Dialogs::Buttons>("buttons");
        QTest::addColumn<QString>("shownTitle");
        QTest::addColumn<QMessageBox::StandardButtons>("shownButtons");
        QTest::addColumn<QMessageBox::StandardButton>("press");
        QTest::addColumn<Dialogs::Answer>("answer");

        QTest::newRow("format unknown")
            << "Select the correct skin type."
            << "Format Unknown" << Dialogs::Buttons::Ok << "Format Unknown"
            << QMessageBox::StandardButtons(QMessageBox::Ok) << QMessageBox::Ok
            << Dialogs::Answer::Ok;
        QTest::newRow("overwrite, yes")
            << "Are you sure you want to overwrite this file."
            << "File Already Exists" << Dialogs::Buttons::YesNo << "File Already Exists"
            << (QMessageBox::Yes | QMessageBox::No) << QMessageBox::Yes << Dialogs::Answer::Yes;
        QTest::newRow("ok or cancel, cancel") << "Replace the filter list?"
                                              << "Filter" << Dialogs::Buttons::OkCancel << "Filter"
                                              << (QMessageBox::Ok | QMessageBox::Cancel)
                                              << QMessageBox::Cancel << Dialogs::Answer::Cancel;
        QTest::newRow("no title of its own")
            << "Good job. You made a skin.\r\nNow exit this, fire up UT and check out your skin."
            << "" << Dialogs::Buttons::Ok << "Varnwick"
            << QMessageBox::StandardButtons(QMessageBox::Ok) << QMessageBox::Ok
            << Dialogs::Answer::Ok;
        QTest::newRow("markup stays text") << "Could not write /tmp/<b>x</b>.int"
                                           << "Save Failed" << Dialogs::Buttons::Ok << "Save Failed"
                                           << QMessageBox::StandardButtons(QMessageBox::Ok)
                                           << QMessageBox::Ok << Dialogs::Answer::Ok;
    }
    void messageBoxShowsExactly() {
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(Dialogs::Buttons, buttons);
        QFETCH(QString, shownTitle);
        QFETCH(QMessageBox::StandardButtons, shownButtons);
        QFETCH(QMessageBox::StandardButton, press);
        QFETCH(Dialogs::Answer, answer);
        QWidget owner;
        owner.show();
        WidgetDialogs dialogs(&owner);
        SeenBox seen;
        WhenModal([&](QWidget* modal) {
            seen = Inspect(modal);
            if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->button(press))
                box->button(press)->click();
        });

        QCOMPARE(dialogs.message(text, title, buttons), answer);

        QCOMPARE(seen.text, text);
        QCOMPARE(seen.labelText, text);
        QCOMPARE(seen.labelFormat, Qt::PlainText);
        QCOMPARE(seen.title, shownTitle);
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, shownButtons);
        QCOMPARE(seen.parent, &owner);
    }

    void escapeAndCloseAnswerTheSafeWay_data() {
        QTest::addColumn<Dialogs::Buttons>("buttons");
        QTest::addColumn<bool>("useEscape");
        QTest::addColumn<Dialogs::Answer>("answer");
        QTest::newRow("ok, escape") << Dialogs::Buttons::Ok << true << Dialogs::Answer::Ok;
        QTest::newRow("ok, close") << Dialogs::Buttons::Ok << false << Dialogs::Answer::Ok;
        QTest::newRow("ok/cancel, escape")
            << Dialogs::Buttons::OkCancel << true << Dialogs::Answer::Cancel;
        QTest::newRow("ok/cancel, close")
            << Dialogs::Buttons::OkCancel << false << Dialogs::Answer::Cancel;
        QTest::newRow("yes/no, escape") << Dialogs::Buttons::YesNo << true << Dialogs::Answer::No;
        QTest::newRow("yes/no, close") << Dialogs::Buttons::YesNo << false << Dialogs::Answer::No;
    }
    void escapeAndCloseAnswerTheSafeWay() {
        QFETCH(Dialogs::Buttons, buttons);
        QFETCH(bool, useEscape);
        QFETCH(Dialogs::Answer, answer);
        WidgetDialogs dialogs;
        bool closed = false;
        WhenModal([&](QWidget* modal) {
            if (useEscape)
                QTest::keyClick(modal, Qt::Key_Escape);
            else
                modal->close();
            closed = true;
        });
        QCOMPARE(dialogs.message(QStringLiteral("Sure?"), QString(), buttons), answer);
        QVERIFY(closed);
    }

    void enterPressesTheFirstButton_data() {
        QTest::addColumn<Dialogs::Buttons>("buttons");
        QTest::addColumn<Dialogs::Answer>("answer");
        QTest::newRow("ok/cancel") << Dialogs::Buttons::OkCancel << Dialogs::Answer::Ok;
        QTest::newRow("yes/no") << Dialogs::Buttons::YesNo << Dialogs::Answer::Yes;
    }
    void enterPressesTheFirstButton() {
        QFETCH(Dialogs::Buttons, buttons);
        QFETCH(Dialogs::Answer, answer);
        WidgetDialogs dialogs;
        WhenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); });
        QCOMPARE(dialogs.message(QStringLiteral("Sure?"), QString(), buttons), answer);
    }

    // The open dialog takes a typed name of a file that is not there; what it
    // holds is the caller's business.
    void openDialogAcceptsATypedPath() {
        QTemporaryDir dir;
        QFile existing(dir.filePath(QStringLiteral("Existing.utx")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();
        const QString typed = dir.filePath(QStringLiteral("Typed.utx"));
        WidgetDialogs dialogs;
        QStringList filters;
        QString startDir;
        bool nonNative = false;
        bool listed = false;
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            auto* model = modal->findChild<QFileSystemModel*>();
            if (!dialog || !edit || !model) {
                modal->close();
                return;
            }
            filters = dialog->nameFilters();
            startDir = dialog->directory().absolutePath();
            nonNative = dialog->testOption(QFileDialog::DontUseNativeDialog);
            // Typing before the folder is listed races with the dialog's own
            // selection of what it lists.
            listed = QTest::qWaitFor([&] { return model->rowCount(model->index(dir.path())) > 0; });
            edit->clear();
            edit->insert(typed); // pasted
            QTest::keyClick(edit, Qt::Key_Return);
        });

        const std::optional<QString> chosen = dialogs.chooseFile(
            {false, dir.path(), QStringLiteral("UTX Files (*.utx);;All Files (*)"), QString()});

        QCOMPARE(chosen, std::optional<QString>(typed));
        QCOMPARE(filters, (QStringList{"UTX Files (*.utx)", "All Files (*)"}));
        QCOMPARE(startDir, dir.path());
        QVERIFY(nonNative);
        QVERIFY(listed);
    }

    // The save step asks about replacing a file itself, so the dialog must
    // not ask as well.
    void saveDialogProposesTheNameAndDoesNotAsk() {
        QTemporaryDir dir;
        const QString proposed = dir.filePath(QStringLiteral("Skin.int"));
        QFile existing(proposed);
        QVERIFY(existing.open(QIODevice::WriteOnly) && existing.write("old") == 3);
        existing.close();
        WidgetDialogs dialogs;
        QString shownName;
        bool question = false;
        WhenModal([&](QWidget* modal) {
            auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (!edit) {
                modal->close();
                return;
            }
            shownName = edit->text();
            QTest::keyClick(edit, Qt::Key_Return);
            // A question would now be the modal window.
            question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr;
        });

        const std::optional<QString> chosen = dialogs.chooseFile(
            {true, dir.path(), QStringLiteral("INT Files (*.int);;All Files (*)"), proposed});

        QCOMPARE(chosen, std::optional<QString>(proposed));
        QCOMPARE(shownName, QStringLiteral("Skin.int"));
        QVERIFY(!question);
    }

    void cancelledFileDialogChoosesNothing() {
        QTemporaryDir dir;
        WidgetDialogs dialogs;
        WhenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        QCOMPARE(dialogs.chooseFile({true, dir.path(), QString(), dir.filePath("Skin.int")}),
                 std::optional<QString>());
    }
};

QTEST_MAIN(tst_WidgetDialogs)
#include "tst_WidgetDialogs.moc"
