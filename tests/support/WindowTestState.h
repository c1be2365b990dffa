#pragma once

#include "ScriptedDialogs.h"
#include "TestPaths.h"
#include "UtxBuilder.h"
#include "engine/WizardSession.h"
#include "shell/AppState.h"

#include <QTest>
#include <QtWidgets>

// A fresh program for one window test: an empty program folder, a private
// settings store, scripted dialogs and a wizard session over them. Windows left open are deleted
// with it.
struct WindowTestState {
    QTemporaryDir folder;
    QString programDir = folder.filePath(QStringLiteral("program"));
    QSettings store{folder.filePath(QStringLiteral("store.conf")), QSettings::IniFormat};
    ScriptedDialogs dialogs;
    WizardSession session{programDir};
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

// Runs `act` on the next modal window, closed if still up 5 s later: no hang.
inline void WhenModal(std::function<void(QWidget*)> act, int triesLeft = 500) {
    QTimer::singleShot(10, [act, triesLeft] {
        const QPointer<QWidget> modal = QApplication::activeModalWidget();
        if (!modal)
            return triesLeft > 0 ? WhenModal(act, triesLeft - 1) : void();
        act(modal);
        QTimer::singleShot(5000, modal, [modal] { modal && modal->close(); });
    });
}
