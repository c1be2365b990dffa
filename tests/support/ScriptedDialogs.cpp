#include "ScriptedDialogs.h"

#include <QTest>

Dialogs::Answer ScriptedDialogs::message(const QString& text, const QString& title,
                                         Buttons buttons) {
    messages.append({text, title, buttons});
    if (!answers.isEmpty())
        return answers.dequeue();
    // Ok-only notices need no scripted answer.
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    QTest::qFail(qPrintable(QStringLiteral("unexpected question: %1").arg(text)), __FILE__,
                 __LINE__);
    return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
}

std::optional<QString> ScriptedDialogs::chooseFile(const FileRequest& request) {
    fileRequests.append(request);
    if (!files.isEmpty())
        return files.dequeue();
    QTest::qFail("unexpected file dialog", __FILE__, __LINE__);
    return std::nullopt;
}

QStringList ScriptedDialogs::titles() const {
    QStringList titles;
    for (const Message& shown : messages)
        titles << shown.title;
    return titles;
}
