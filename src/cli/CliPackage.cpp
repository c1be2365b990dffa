#include "CliPackage.h"

#include "CliConsole.h"
#include "catalogue/SkinCatalogue.h"
#include "engine/PackageReader.h"
#include "engine/UnwritableNames.h"
#include "engine/WizardSession.h"
#include "services/FilePaths.h"
#include "services/SafeFile.h"
#include "services/Text1252.h"

#include <QFileInfo>
#include <optional>

namespace {

// The run so far, failed for `reason`. Its warnings stay: a name left out or a
// removal that found nothing may be what explains the failure.
PackageOutcome Failing(PackageOutcome outcome, CliStatus status, const QString& path,
                       const QString& reason) {
    outcome.status = status;
    outcome.error = QStringLiteral("%1: %2").arg(path, reason);
    return outcome;
}

PackageOutcome Failed(CliStatus status, const QString& path, const QString& reason) {
    return Failing({}, status, path, reason);
}

// Why a file cannot be a package at all; empty when it may be one.
QString UnusableFile(const QString& path) {
    if (const QString problem = RegularFileProblem(path); !problem.isEmpty())
        return problem;
    if (QFileInfo(path).size() == 0)
        return QStringLiteral("the file is empty.");
    return {};
}

// Step four's double clicks: each mention removes one entry.
void Remove(WizardSession& session, const QStringList& removals, const QString& path,
            QStringList& warnings) {
    for (const QString& removal : removals) {
        if (!session.remove(TypeListIndex(session.reviewed(), removal)))
            warnings.append(QStringLiteral("%1: \"%2\" is not among the found names; nothing "
                                           "removed for it.")
                                .arg(path, removal));
    }
}

// Step four's list, which does not depend on the type.
PackageOutcome Review(WizardSession& session, const CliOptions& options, const QString& path) {
    PackageOutcome outcome;
    outcome.contents = session.contents();
    for (const LeftOutName& name : session.leftOut())
        outcome.warnings.append(
            QStringLiteral(
                "%1: \"%2\" is left out of the .int text: %3, which would break its line.")
                .arg(path, PrintableName(name.name), name.reason));
    session.beginReview();
    Remove(session, options.removals, path, outcome.warnings);
    if (options.texturesOnly)
        session.removeNonTextures();
    if (!session.droppedTextures().isEmpty())
        outcome.warnings.append(path + QStringLiteral(": ") +
                                LeftOutNote(session.droppedTextures()));
    outcome.names = session.reviewed();
    return outcome;
}

// The reviewed outcome keeps the package's objects: an existing .int can still be checked.
PackageOutcome UnknownType(const QString& path, PackageOutcome reviewed) {
    return Failing(std::move(reviewed), CliStatus::UnknownType, path,
                   QStringLiteral("Format Unknown: no skin type of the catalogue begins the name "
                                  "\"%1\". Select the correct skin type with --type KEY "
                                  "('varnwick-cli --types' lists them).")
                       .arg(ShortUTXName(path, true, true)));
}

// The reviewed names under the type asked for, or else the guessed one, as
// .int bytes.
PackageOutcome WithIntText(WizardSession& session, const CliOptions& options, const QString& path,
                           PackageOutcome outcome) {
    session.selectGuessedType();
    if (!options.type.isEmpty())
        session.selectType(TypeListIndex(session.typeKeys(), options.type));
    outcome.typeKey = session.typeKeys().value(session.typeIndex());

    if (outcome.names.isEmpty())
        outcome.warnings.append(
            QStringLiteral("%1: no texture names are left; the .int lists none.").arg(path));
    const QString& text = session.intText();
    if (text.isEmpty())
        return Failing(std::move(outcome), CliStatus::UnknownType, path,
                       QStringLiteral("the texture names follow neither the UT nor the Unreal "
                                      "naming, so no .int text can be made for them."));
    const std::optional<QByteArray> bytes = ToWindows1252(text);
    if (!bytes)
        return Failing(std::move(outcome), CliStatus::NotWritten, path,
                       QStringLiteral("the .int text holds \"%1\", which an .int file "
                                      "(Windows-1252) cannot hold.")
                           .arg(FirstUnencodableCharacter(text)));
    outcome.intText = *bytes;
    return outcome;
}

} // namespace

PackageOutcome RunPackage(const QString& path, const CliOptions& options, const QString& dataDir) {
    if (const QString reason = UnusableFile(path); !reason.isEmpty())
        return Failed(CliStatus::Unreadable, path, reason);

    // The wizard's steps, every choice accepted but the type and the removals
    // the command line asks for.
    WizardSession session(dataDir);
    session.loadTypes();
    const OpenOutcome opened = session.openFile(path);
    if (!opened.read)
        return Failed(CliStatus::Unreadable, path,
                      QStringLiteral("not a package this program can read (its header or name "
                                     "table is damaged, or it is no Unreal package)."));
    PackageOutcome outcome = Review(session, options, path);
    if (options.names)
        return outcome;
    if (!opened.typeFound && options.type.isEmpty())
        return UnknownType(path, std::move(outcome));
    return WithIntText(session, options, path, std::move(outcome));
}

bool ReportOutcome(const PackageOutcome& outcome, CliStatus& worst) {
    for (const QString& warning : outcome.warnings)
        ReportWarning(warning);
    if (outcome.status == CliStatus::Done)
        return true;
    ReportError(outcome.error);
    worst = Worse(worst, outcome.status);
    return false;
}
