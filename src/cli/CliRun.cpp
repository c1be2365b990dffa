#include "CliRun.h"

#include "CliCheck.h"
#include "CliConsole.h"
#include "CliListing.h"
#include "CliOutput.h"
#include "CliPackage.h"
#include "catalogue/SkinCatalogue.h"
#include "engine/FilterList.h"
#include "engine/PackageReader.h"
#include "services/DataFiles.h"
#include "services/FilePaths.h"
#include "services/SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

namespace {

// The data folder must hold a complete catalogue and a filter list: without
// them every package would come out unfiltered or without a type, which the
// wizard passes over but a batch run should not.
CliStatus CheckDataFolder(const QString& dataDir, bool needFilter, CatalogueState& catalogue) {
    if (!QFileInfo(dataDir).isDir()) {
        ReportError(QStringLiteral("%1: no such data folder.").arg(dataDir));
        return CliStatus::Usage;
    }
    const QString catalogueFile = QDir(dataDir).filePath(QLatin1String(SkinFormatsFileName));
    if (LoadSkinInfo(dataDir, catalogue).selected < 0) {
        // A file that is there but cannot be read says why.
        const QString unreadable = RegularFileProblem(catalogueFile);
        ReportError(unreadable.isEmpty() || unreadable == FileErrorReason(ENOENT)
                        ? QStringLiteral("%1: the skin type catalogue is missing, empty or cut "
                                         "short inside a record.")
                              .arg(catalogueFile)
                        : QStringLiteral("%1: %2").arg(catalogueFile, unreadable));
        return CliStatus::Usage;
    }
    const QString filterFile = QDir(dataDir).filePath(QLatin1String(FilterFileName));
    if (needFilter && !FileExists(filterFile)) {
        ReportError(
            QStringLiteral("%1: the filter list is missing or empty; the packages' engine names "
                           "would be kept.")
                .arg(filterFile));
        return CliStatus::Usage;
    }
    if (const QString problem = FilterListProblem(dataDir, QLatin1String(FilterFileName));
        needFilter && !problem.isEmpty()) {
        ReportError(problem);
        return CliStatus::Usage;
    }
    return CliStatus::Done;
}

bool KnowsType(const CatalogueState& catalogue, const QString& key) {
    return std::any_of(catalogue.SkinCatalogue.cbegin(), catalogue.SkinCatalogue.cend(),
                       [&key](const SkinFormat& record) {
                           return record.Key.compare(key, Qt::CaseInsensitive) == 0;
                       });
}

CliStatus PrintTypes(const CatalogueState& catalogue) {
    QString text;
    for (const SkinFormat& record : catalogue.SkinCatalogue)
        text += record.Key + QLatin1Char('\t') + record.Description + QLatin1Char('\n');
    QString error;
    if (WriteStandardOutput(ForTerminal(text), &error))
        return CliStatus::Done;
    ReportError(error);
    return CliStatus::NotWritten;
}

QByteArray NamesText(const QStringList& names) {
    QString text;
    for (const QString& name : names)
        text += name + QLatin1Char('\n');
    return ForTerminal(text);
}

CliStatus Deliver(const QString& package, const QByteArray& bytes, const CliOptions& options,
                  CliOutput& output) {
    QString error;
    CliStatus status;
    if (options.toStandardOutput()) {
        status = output.toStandardOutput(bytes, &error);
    } else {
        const QString target =
            options.outputDir.isEmpty() ? options.output : IntFileIn(options.outputDir, package);
        if (target.isEmpty()) {
            error = QStringLiteral("%1: its file name gives no short name to name the .int after.")
                        .arg(package);
            status = CliStatus::NotWritten;
        } else {
            status = output.toFile(target, package, bytes, &error);
        }
    }
    if (status != CliStatus::Done)
        ReportError(error);
    return status;
}

} // namespace

CliStatus RunCli(const CliOptions& options, const QString& dataDir) {
    if (options.list)
        return ListPackages(options.packages);
    if (!options.extractDir.isEmpty())
        return ExtractPackages(options.extractDir, options.packages, options.force);
    CatalogueState catalogue;
    if (const CliStatus status = CheckDataFolder(dataDir, !options.types, catalogue);
        status != CliStatus::Done)
        return status;
    if (options.types)
        return PrintTypes(catalogue);
    if (!options.type.isEmpty() && !KnowsType(catalogue, options.type)) {
        ReportError(
            QStringLiteral("the catalogue %1 has no skin type \"%2\"; 'varnwick-cli "
                           "--types' lists the types it knows.")
                .arg(QDir(dataDir).filePath(QLatin1String(SkinFormatsFileName)), options.type));
        return CliStatus::Usage;
    }

    if (options.check)
        return RunCheck(options, dataDir);

    CliStatus worst = CliStatus::Done;
    CliOutput output(options.force);
    for (const QString& package : options.packages) {
        const PackageOutcome outcome = RunPackage(package, options, dataDir);
        if (!ReportOutcome(outcome, worst))
            continue;
        const QByteArray bytes = options.names ? NamesText(outcome.names) : outcome.intText;
        worst = Worse(worst, Deliver(package, bytes, options, output));
    }
    return worst;
}
