#include "check/GameFiles.h"

#include "services/SafeFile.h"
#include "services/Text1252.h"
#include "settings/GameDetection.h"

#include <QDir>
#include <QFileInfo>

GameFiles ReadGameFiles(const QString& UTDir) {
    GameFiles game;
    game.intFolder = GameIntFolder(UTDir);
    const QDir intDir(game.intFolder);
    for (const QString& name :
         intDir.entryList({QStringLiteral("*.int")}, QDir::Files, QDir::Name)) {
        if (const std::optional<QByteArray> bytes = ReadWholeFile(intDir.filePath(name)))
            game.add({name, ReadIntText(FromWindows1252(*bytes)).entries});
    }
    for (const QString& folder : GameSearchFolders(UTDir, QStringLiteral("utx"))) {
        for (const QString& name : QDir(folder).entryList({QStringLiteral("*.utx")}, QDir::Files))
            game.packagesOnPath.insert(QFileInfo(name).completeBaseName().toLower());
    }
    return game;
}
