#pragma once

#include "services/Dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

// Answers questions and file dialogs from queues filled by the test, and
// records every request. An unexpected request (empty queue) fails the
// current test and answers as if the user cancelled.
class ScriptedDialogs : public Dialogs {
public:
    struct Message {
        QString text;
        QString title;
        Buttons buttons;
    };

    QQueue<Answer> answers;
    QQueue<std::optional<QString>> files;

    QList<Message> messages;
    QList<FileRequest> fileRequests;

    // The title of every message shown so far.
    QStringList titles() const;

    Answer message(const QString& text, const QString& title, Buttons buttons) override;
    std::optional<QString> chooseFile(const FileRequest& request) override;
};
