#pragma once

#include "services/Dialogs.h"

#include <QString>
#include <optional>
#include <utility>

class QMimeData;

// The package a drag carries: the local path of its one file when that file's
// name ends with ".utx" (any letter case); empty for anything else.
QString DroppedPackagePath(const QMimeData& data);

// Opens a dropped package (or the one named on the command line) through the
// same steps as a chosen one: the file dialog is answered with its path, every
// message goes to the user.
class DroppedFileDialogs : public Dialogs {
public:
    DroppedFileDialogs(Dialogs& user, QString path) : user_(user), path_(std::move(path)) {}

    Answer message(const QString& text, const QString& title, Buttons buttons) override;
    std::optional<QString> chooseFile(const FileRequest& request) override;

private:
    Dialogs& user_;
    QString path_;
};
