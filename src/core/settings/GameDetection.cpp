#include "settings/GameDetection.h"

#include "services/SafeFile.h"
#include "services/Text1252.h"
#include "settings/GameFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString SteamGame = QStringLiteral("steamapps/common/Unreal Tournament");

// Steam's own folders; each may list further library folders.
QStringList SteamRoots(const QString& home) {
    return {home + QStringLiteral("/.local/share/Steam"), home + QStringLiteral("/.steam/steam"),
            home + QStringLiteral("/.steam/debian-installation"),
            home + QStringLiteral("/.var/app/com.valvesoftware.Steam/.local/share/Steam")};
}

// The "path" values of a Steam library list (libraryfolders.vdf).
QStringList LibraryFolders(const QString& steamRoot) {
    const std::optional<QByteArray> bytes =
        ReadWholeFile(steamRoot + QStringLiteral("/steamapps/libraryfolders.vdf"));
    QStringList folders;
    if (!bytes)
        return folders;
    static const QRegularExpression path(QStringLiteral("\"path\"\\s*\"([^\"]*)\""));
    for (const QRegularExpressionMatch& match : path.globalMatch(FromWindows1252(*bytes)))
        folders.append(match.captured(1).replace(QStringLiteral("\\\\"), QStringLiteral("\\")));
    return folders;
}

// Name filters match ignoring case.
bool HasFileLike(const QString& folder, const QStringList& patterns) {
    return !QDir(folder).entryList(patterns, QDir::Files | QDir::Readable).isEmpty();
}

QString ExistingSubfolder(const QString& UTDir, const QString& name) {
    const QString folder = GameSubfolder(UTDir, name);
    return QFileInfo(folder).isDir() ? folder : QString();
}

// `folder` as spelled on disk when only its last part differs in case.
QString ExistingSpelling(const QString& folder) {
    if (QFileInfo(folder).isDir())
        return folder;
    const QFileInfo info(folder);
    return GameSubfolder(info.path(), info.fileName());
}

// The ini the game starts with: the 64-bit one when System64 has one.
QString GameIni(const QString& UTDir) {
    for (const QString& system : {QStringLiteral("System64"), QStringLiteral("System")}) {
        const QString folder = ExistingSubfolder(UTDir, system);
        if (folder.isEmpty())
            continue;
        const QStringList found =
            QDir(folder).entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
        for (const QString& name : found) {
            if (name.compare(QLatin1String("UnrealTournament.ini"), Qt::CaseInsensitive) == 0)
                return folder + QLatin1Char('/') + name;
        }
    }
    return {};
}

// The Paths= values of [Core.System] in an ini text.
QStringList PathsEntries(const QString& text) {
    QStringList paths;
    bool inCoreSystem = false;
    for (QString line : text.split(QRegularExpression(QStringLiteral("[\r\n]+")))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inCoreSystem = line.compare(QLatin1String("[Core.System]"), Qt::CaseInsensitive) == 0;
        else if (inCoreSystem && line.startsWith(QLatin1String("Paths="), Qt::CaseInsensitive))
            paths.append(line.mid(6).trimmed());
    }
    return paths;
}

} // namespace

QStringList GameFolderCandidates(const QString& home, const QString& root) {
    QStringList candidates{home + QStringLiteral("/.local/share/OldUnreal/UnrealTournament"),
                           root + QStringLiteral("/usr/local/games/ut"),
                           root + QStringLiteral("/usr/local/games/UnrealTournament"),
                           root + QStringLiteral("/opt/ut"),
                           root + QStringLiteral("/opt/UnrealTournament"),
                           home + QStringLiteral("/.loki/ut"),
                           home + QStringLiteral("/.utpg")};
    for (const QString& steam : SteamRoots(home)) {
        candidates.append(steam + QLatin1Char('/') + SteamGame);
        for (const QString& library : LibraryFolders(steam))
            candidates.append(library + QLatin1Char('/') + SteamGame);
    }
    candidates.append(home + QStringLiteral("/.wine/drive_c/UnrealTournament"));
    candidates.removeDuplicates();
    return candidates;
}

bool IsGameFolder(const QString& folder) {
    const QString system = ExistingSubfolder(folder, QStringLiteral("System"));
    return !system.isEmpty() && !ExistingSubfolder(folder, QStringLiteral("Textures")).isEmpty() &&
           HasFileLike(system, {QStringLiteral("*.int"), QStringLiteral("*.ini")});
}

QString FindGameFolder(const QString& home, const QString& root) {
    for (const QString& candidate : GameFolderCandidates(home, root)) {
        if (IsGameFolder(candidate))
            return candidate;
    }
    return {};
}

QString GameIntFolder(const QString& UTDir) {
    const QString system = GameSubfolder(UTDir, QStringLiteral("System"));
    const QString system64 = ExistingSubfolder(UTDir, QStringLiteral("System64"));
    const QStringList intFiles{QStringLiteral("*.int")};
    if (!system64.isEmpty() && !HasFileLike(system, intFiles) && HasFileLike(system64, intFiles))
        return system64;
    return system;
}

QStringList GameSearchFolders(const QString& UTDir, const QString& extension) {
    QStringList folders;
    const QString ini = GameIni(UTDir);
    if (const std::optional<QByteArray> bytes = ini.isEmpty() ? std::nullopt : ReadWholeFile(ini)) {
        const QDir iniFolder = QFileInfo(ini).dir();
        for (const QString& entry : PathsEntries(FromWindows1252(*bytes))) {
            const QString pattern = QString(entry).replace(QLatin1Char('\\'), QLatin1Char('/'));
            const QFileInfo info(pattern);
            if (info.suffix().compare(extension, Qt::CaseInsensitive) == 0)
                folders.append(
                    ExistingSpelling(QDir::cleanPath(iniFolder.absoluteFilePath(info.path()))));
        }
    }
    if (folders.isEmpty())
        folders.append(GameSubfolder(UTDir, QStringLiteral("Textures")));
    folders.removeDuplicates();
    return folders;
}
