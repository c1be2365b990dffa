#include "wizard/PackageDrop.h"

#include <QList>
#include <QMimeData>
#include <QUrl>

QString DroppedPackagePath(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return {};
    const QString path = urls.first().toLocalFile();
    if (!path.endsWith(QStringLiteral(".utx"), Qt::CaseInsensitive))
        return {};
    return path;
}

Dialogs::Answer DroppedFileDialogs::message(const QString& text, const QString& title,
                                            Buttons buttons) {
    return user_.message(text, title, buttons);
}

// Only the open dialog is answered here, and only once; a save dialog or a
// second question goes to the user as usual.
std::optional<QString> DroppedFileDialogs::chooseFile(const FileRequest& request) {
    if (request.save || path_.isEmpty())
        return user_.chooseFile(request);
    return std::exchange(path_, QString());
}
