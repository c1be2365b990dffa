#include "CliCheck.h"

#include "CliConsole.h"
#include "CliPackage.h"
#include "catalogue/ModelSlots.h"
#include "catalogue/SkinCatalogue.h"
#include "check/GameFiles.h"
#include "check/SkinCheck.h"
#include "engine/PackageReader.h"
#include "services/FilePaths.h"
#include "services/SafeFile.h"
#include "services/Text1252.h"
#include "settings/GameFolders.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The installed .int files, System/<Package>.int beside each package's
// folder, names matched ignoring case. Each game folder is listed once,
// however many of its packages are checked.
class InstalledIntFiles {
public:
    // Empty when the package has none.
    QString find(const QString& packagePath) {
        const QString gameDir = QFileInfo(QFileInfo(packagePath).absolutePath()).path();
        auto folder = folders_.find(gameDir);
        if (folder == folders_.end())
            folder = folders_.insert(gameDir, List(gameDir));
        return folder->value(ShortUTXName(packagePath, true, true).toLower() +
                             QStringLiteral(".int"));
    }

private:
    static QHash<QString, QString> List(const QString& gameDir) {
        QHash<QString, QString> files; // lower-case name -> path
        const QDir system(GameSubfolder(gameDir, QStringLiteral("System")));
        for (const QString& name : system.entryList({QStringLiteral("*.int")}, QDir::Files)) {
            if (!files.contains(name.toLower()))
                files.insert(name.toLower(), system.filePath(name));
        }
        return files;
    }

    QHash<QString, QHash<QString, QString>> folders_; // game folder -> its .int files
};

// The text to check for one package and the name to report it under.
struct CheckedText {
    QString fileName;
    QString text;
    QString error;
};

CheckedText TextFromFile(const QString& path) {
    QString error;
    const std::optional<QByteArray> bytes = ReadWholeFile(path, &error);
    return {path, bytes ? FromWindows1252(*bytes) : QString(), error};
}

CheckedText TextToCheck(const QString& package, const CliOptions& options,
                        const PackageOutcome& outcome, InstalledIntFiles& installedFiles) {
    if (!options.intFile.isEmpty())
        return TextFromFile(options.intFile);
    if (options.installed) {
        const QString installed = installedFiles.find(package);
        if (installed.isEmpty())
            return {{},
                    {},
                    QStringLiteral("%1: no System/%2.int beside its Textures folder.")
                        .arg(package, ShortUTXName(package, true, true))};
        return TextFromFile(installed);
    }
    return {ShortUTXName(package, true, true) + QStringLiteral(".int"),
            FromWindows1252(outcome.intText),
            {}};
}

// A package whose .int text comes from a file needs only its objects and its
// type, not the text the program would write: it is opened once, as --list
// opens it.
PackageOutcome ReadCheckedPackage(const QString& path, const CliOptions& options,
                                  const QString& dataDir, CatalogueState& catalogue,
                                  const QStringList& typeKeys) {
    PackageOutcome outcome;
    const PackageResult<UnrealPackage> package = UnrealPackage::open(path);
    if (package) {
        outcome.contents = std::make_shared<const PackageContents>(*package);
    } else if (ReadPackageNames(path)) {
        // Names without readable objects: the text is still worth checking.
        outcome.warnings.append(
            QStringLiteral("%1: %2; the checks against its objects are left out.")
                .arg(path, package.error()));
    } else {
        outcome.status = CliStatus::Unreadable;
        outcome.error = QStringLiteral("%1: %2.").arg(path, package.error());
        return outcome;
    }
    if (!options.type.isEmpty())
        outcome.typeKey = typeKeys.value(TypeListIndex(typeKeys, options.type));
    else if (MatchSkinFormat(ShortUTXName(path, true, true), dataDir, catalogue))
        outcome.typeKey = catalogue.CurrentSkin.Key;
    return outcome;
}

QString FindingLine(const QString& file, const Finding& finding) {
    const QString where =
        finding.line > 0 ? QStringLiteral("%1:%2").arg(file).arg(finding.line) : file;
    return QStringLiteral("%1: %2: %3\n").arg(where, SeverityName(finding.severity), finding.text);
}

QString PortraitState(const MenuFace& face) {
    if (!face.portraitFound)
        return QStringLiteral("portrait %1").arg(face.portrait);
    return QStringLiteral("portrait %1 %2")
        .arg(face.portrait,
             *face.portraitFound ? QStringLiteral("present") : QStringLiteral("missing"));
}

QString MenuText(const QList<MenuSkin>& menu, const std::optional<ModelSlots>& model) {
    if (!model)
        return QStringLiteral("Menu listing: unknown (no model for this skin type).\n");
    QString text = QStringLiteral("Menu listing for the %1 model:\n").arg(model->Mesh);
    if (menu.isEmpty())
        text += QStringLiteral("  (nothing)\n");
    for (const MenuSkin& skin : menu) {
        text += QStringLiteral("  %1  [%2]\n").arg(skin.description, skin.base);
        for (const MenuFace& face : skin.faces)
            text += QStringLiteral("    %1  [%2; %3]\n")
                        .arg(face.description, face.name, PortraitState(face));
    }
    return text;
}

bool Print(const QString& text) {
    QString error;
    if (WriteStandardOutput(ForTerminal(text), &error))
        return true;
    ReportError(error);
    return false;
}

// Without the slot table the checks that need a model are left out, and the
// user is told so.
QList<ModelSlots> ReadSlotTable(const QString& dataDir) {
    QString error;
    const QList<ModelSlots> table = ReadModelSlots(dataDir, &error);
    if (table.isEmpty())
        ReportWarning(
            QStringLiteral("%1; the menu listing and the body part checks are left out.")
                .arg(error.isEmpty() ? QStringLiteral("the slot table is empty") : error));
    return table;
}

// What the checks of every package share, read once for all of them.
struct CheckRun {
    CheckRun(const CliOptions& runOptions, const QString& dataFolder)
        : options(runOptions), dataDir(dataFolder), slotTable(ReadSlotTable(dataFolder)),
          game(runOptions.gameDir.isEmpty() ? GameFiles() : ReadGameFiles(runOptions.gameDir)) {
        if (textFromFile())
            typeKeys = LoadSkinInfo(dataDir, catalogue).keys;
    }

    // Whether the text checked is a file's rather than the one the program
    // would write.
    bool textFromFile() const { return options.installed || !options.intFile.isEmpty(); }
    const GameFiles* gameFiles() const { return options.gameDir.isEmpty() ? nullptr : &game; }

    const CliOptions& options;
    const QString& dataDir;
    const QList<ModelSlots> slotTable;
    const GameFiles game;
    CatalogueState catalogue;
    QStringList typeKeys;
    InstalledIntFiles installedFiles;
};

QString ReportText(const QString& fileName, const CheckResult& result,
                   const std::optional<ModelSlots>& model) {
    QString text;
    for (const Finding& finding : result.findings)
        text += FindingLine(fileName, finding);
    text += MenuText(result.menu, model);
    text += QStringLiteral("%1: %2\n").arg(fileName, FindingsSummary(result.findings));
    return text;
}

bool HasError(const QList<Finding>& findings) {
    return std::any_of(findings.cbegin(), findings.cend(),
                       [](const Finding& f) { return f.severity == Severity::Error; });
}

// Checks one package and folds its status into `worst`; false when the report
// cannot be written, which ends the run.
bool CheckPackage(const QString& package, CheckRun& run, CliStatus& worst) {
    const PackageOutcome outcome =
        run.textFromFile()
            ? ReadCheckedPackage(package, run.options, run.dataDir, run.catalogue, run.typeKeys)
            : RunPackage(package, run.options, run.dataDir);
    if (!ReportOutcome(outcome, worst))
        return true;
    const CheckedText checked = TextToCheck(package, run.options, outcome, run.installedFiles);
    if (!checked.error.isEmpty()) {
        ReportError(checked.error);
        worst = Worse(worst, CliStatus::Unreadable);
        return true;
    }
    const CheckSubject subject{ShortUTXName(package, true, true), outcome.contents,
                               FindModelSlots(run.slotTable, outcome.typeKey)};
    const CheckResult result = CheckSkin(checked.text, subject, run.gameFiles());
    if (!Print(ReportText(checked.fileName, result, subject.model))) {
        worst = Worse(worst, CliStatus::NotWritten);
        return false;
    }
    if (HasError(result.findings))
        worst = Worse(worst, CliStatus::CheckErrors);
    return true;
}

} // namespace

CliStatus RunCheck(const CliOptions& options, const QString& dataDir) {
    if (!options.gameDir.isEmpty() && !QFileInfo(options.gameDir).isDir()) {
        ReportError(QStringLiteral("%1: no such game folder.").arg(options.gameDir));
        return CliStatus::Usage;
    }
    CheckRun run(options, dataDir);
    CliStatus worst = CliStatus::Done;
    for (const QString& package : options.packages) {
        if (!CheckPackage(package, run, worst))
            break;
    }
    return worst;
}
