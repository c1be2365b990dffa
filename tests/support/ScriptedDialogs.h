#pragma once

#include "services/Dialogs.h"

#include <QQueue>
#include <QStringList>
#include <QTest>

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
    QStringList titles() const {
        QStringList titles;
        for (const Message& shown : messages)
            titles << shown.title;
        return titles;
    }

    Answer message(const QString& text, const QString& title, Buttons buttons) override {
        messages.append({text, title, buttons});
        if (!answers.isEmpty())
            return answers.dequeue();
        if (buttons == Buttons::Ok) // notices need no scripted answer
            return Answer::Ok;
        QTest::qFail(qPrintable("unexpected question: " + text), __FILE__, __LINE__);
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }

    std::optional<QString> chooseFile(const FileRequest& request) override {
        fileRequests.append(request);
        if (!files.isEmpty())
            return files.dequeue();
        QTest::qFail("unexpected file dialog", __FILE__, __LINE__);
        return std::nullopt;
    }
};
