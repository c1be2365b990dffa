#pragma once

#include "ScriptedDialogs.h"
#include "shell/AppState.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

// A fresh program for one window test: an empty program folder, a settings
// store in a private file, scripted dialogs and the state that ties them
// together. Windows that outlive the test are closed and deleted with it.
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

    QString programFile(const QString& name) const { return programDir + QLatin1Char('/') + name; }
};

// Runs `act` on the modal window as soon as one is up. Should no window come
// up, or the one acted on still be open after five seconds, the test fails
// instead of hanging.
inline void WhenModal(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    QObject::connect(poll, &QTimer::timeout, [poll, act, waited] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && !waited->hasExpired(5000))
            return;
        poll->stop();
        poll->deleteLater();
        if (!modal)
            return;
        const QPointer<QWidget> acted = modal;
        act(modal);
        QTimer::singleShot(5000, acted, [acted] {
            if (acted && acted->isVisible())
                acted->close();
        });
    });
    poll->start();
}
