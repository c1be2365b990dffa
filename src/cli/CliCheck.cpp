#include "CliCheck.h"

#include "CliConsole.h"
#include "CliPackage.h"
#include "catalogue/ModelSlots.h"
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
                        const PackageOutcome& outcome) {
    if (!options.intFile.isEmpty())
        return TextFromFile(options.intFile);
    if (options.installed) {
        const QString installed = InstalledIntFile(package);
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

QString MenuText(const QList<MenuSkin>& menu, const ModelSlots* model) {
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

} // namespace

QString InstalledIntFile(const QString& packagePath) {
    const QString gameDir = QFileInfo(QFileInfo(packagePath).absolutePath()).path();
    const QDir system(GameSubfolder(gameDir, QStringLiteral("System")));
    const QString wanted = ShortUTXName(packagePath, true, true) + QStringLiteral(".int");
    for (const QString& name : system.entryList({wanted}, QDir::Files)) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return system.filePath(name);
    }
    return {};
}

CliStatus RunCheck(const CliOptions& options, const QString& dataDir) {
    if (!options.gameDir.isEmpty() && !QFileInfo(options.gameDir).isDir()) {
        ReportError(QStringLiteral("%1: no such game folder.").arg(options.gameDir));
        return CliStatus::Usage;
    }
    QString slotsError;
    const QList<ModelSlots> table = ReadModelSlots(dataDir, &slotsError);
    if (table.isEmpty())
        ReportWarning(QStringLiteral("%1; the menu listing and the body part checks are left out.")
                          .arg(slotsError.isEmpty() ? QStringLiteral("the slot table is empty")
                                                    : slotsError));
    const GameFiles game = options.gameDir.isEmpty() ? GameFiles() : ReadGameFiles(options.gameDir);

    CliStatus worst = CliStatus::Done;
    for (const QString& package : options.packages) {
        const PackageOutcome outcome = RunPackage(package, options, dataDir);
        for (const QString& warning : outcome.warnings)
            ReportWarning(warning);
        const bool typeUnknown = outcome.status == CliStatus::UnknownType;
        if (outcome.status != CliStatus::Done &&
            !(typeUnknown && (options.installed || !options.intFile.isEmpty()))) {
            ReportError(outcome.error);
            worst = Worse(worst, outcome.status);
            continue;
        }
        const CheckedText checked = TextToCheck(package, options, outcome);
        if (!checked.error.isEmpty()) {
            ReportError(checked.error);
            worst = Worse(worst, CliStatus::Unreadable);
            continue;
        }
        const ModelSlots* model = FindModelSlots(table, outcome.typeKey);
        const CheckSubject subject{ShortUTXName(package, true, true), outcome.contents,
                                   model ? std::optional(*model) : std::nullopt};
        const CheckResult result =
            CheckSkin(checked.text, subject, options.gameDir.isEmpty() ? nullptr : &game);
        QString text;
        for (const Finding& finding : result.findings)
            text += FindingLine(checked.fileName, finding);
        text += MenuText(result.menu, model);
        text += QStringLiteral("%1: %2\n").arg(checked.fileName, FindingsSummary(result.findings));
        if (!Print(text))
            return Worse(worst, CliStatus::NotWritten);
        const bool hasError =
            std::any_of(result.findings.cbegin(), result.findings.cend(),
                        [](const Finding& f) { return f.severity == Severity::Error; });
        if (hasError)
            worst = Worse(worst, CliStatus::CheckErrors);
    }
    return worst;
}
