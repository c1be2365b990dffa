#pragma once

#include "services/Dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <functional>

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

    // Called with each message as it is shown, to look at the state the
    // program is in at that moment.
    std::function<void(const Message&)> onMessage;

    Answer message(const QString& text, const QString& title, Buttons buttons) override;
    std::optional<QString> chooseFile(const FileRequest& request) override;
};
