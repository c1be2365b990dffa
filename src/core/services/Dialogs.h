#pragma once

#include <QString>
#include <optional>

// Every question, notice and file dialog the program shows goes through this
// interface, so that routines outside the windows can ask the user and tests
// can answer in advance. The program's implementation shows real modal boxes
// (WidgetDialogs); tests use ScriptedDialogs.
class Dialogs {
public:
    enum class Buttons { Ok, OkCancel, YesNo };
    enum class Answer { Ok, Cancel, Yes, No };

    // A file dialog request. `filter` is in Qt's form,
    // "UTX Files (*.utx);;All Files (*)".
    struct FileRequest {
        bool save = false;
        QString initialDir;
        QString filter;
        QString fileName;
    };

    virtual ~Dialogs() = default;

    // A modal message box without an icon; an empty title shows "Varnwick".
    // Closing the box without a button counts as Cancel (OkCancel), No (YesNo)
    // or Ok (Ok).
    virtual Answer message(const QString& text, const QString& title, Buttons buttons) = 0;

    // A modal open or save dialog; the chosen path, or nothing when cancelled.
    virtual std::optional<QString> chooseFile(const FileRequest& request) = 0;
};
