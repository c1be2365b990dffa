#pragma once

#include "ScriptedDialogs.h"
#include "shell/AppState.h"

#include <QTest>
#include <QtWidgets>
#include <functional>

// A fresh program for one window test: an empty program folder, a settings
// store in a private file, scripted dialogs and the state that ties them
// together. Windows that outlive the test are deleted with it.
struct WindowTestState {
    QTemporaryDir folder;
    QString programDir = folder.filePath(QStringLiteral("program"));
    QSettings store{folder.filePath(QStringLiteral("store.conf")), QSettings::IniFormat};
    ScriptedDialogs dialogs;
    AppState state;

    WindowTestState() {
        QDir().mkpath(programDir);
        state.programDir = programDir;
        state.store = &store;
        state.dialogs = &dialogs;
    }
    ~WindowTestState() {
        for (QWidget* window : QApplication::topLevelWidgets())
            window->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QString programFile(const QString& name) const { return programDir + '/' + name; }
};

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// Clicks the button named `button`, or the close box when there is no name.
inline void CloseWith(QWidget* window, const QString& button) {
    if (button.isEmpty())
        window->close();
    else
        QTest::mouseClick(window->findChild<QAbstractButton*>(button), Qt::LeftButton);
}

// Clicks, then double-clicks the item shown as each of `texts`, in order.
inline void DoubleClickEach(QAbstractItemView* view, const QStringList& texts) {
    for (const QString& text : texts) {
        const QModelIndexList found = view->model()->match(
            view->model()->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchRecursive);
        QVERIFY2(!found.isEmpty(), qPrintable(text + QStringLiteral(" is not listed")));
        view->scrollTo(found[0]);
        const QPoint at = view->visualRect(found[0]).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
}

// Runs `act` on the modal window the next command brings up. One still open
// five seconds later is closed, so that a test fails instead of hanging.
inline void WhenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        const QPointer<QWidget> modal = QApplication::activeModalWidget();
        QVERIFY2(modal, "no modal window came up");
        act(modal);
        QTimer::singleShot(5000, modal, [modal] { modal && modal->close(); });
    });
}
