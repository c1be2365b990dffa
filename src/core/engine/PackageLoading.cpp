#include "engine/PackageLoading.h"

#include "engine/PackageReader.h"
#include "services/Dialogs.h"
#include "services/SafeFile.h"
#include "services/Text1252.h"
#include "services/clsCdlg.h"
#include "settings/GameFolders.h"

namespace {
const QString SaveFailedTitle = QStringLiteral("Save Failed");

// The file to write `text` to, confirmed by the user; empty when the user
// cancelled.
QString AskForTarget(clsCdlg& cdlg, const QString& UTDir, const QString& UTXPath) {
    const QString systemDir = GameSubfolder(UTDir, QStringLiteral("System"));
    cdlg.setInitDir(systemDir);
    cdlg.setFilename(systemDir + QLatin1Char('/') + ShortUTXName(UTXPath, true, true) +
                     QStringLiteral(".int"));
    cdlg.setFilter(QStringLiteral("INT Files|*.int|All Files|*.*"));
    cdlg.ShowSave();
    if (cdlg.CancelError())
        return {};
    return cdlg.Filename();
}
} // namespace

OpenOutcome LoadUTXfile(Dialogs& dialogs, clsCdlg& cdlg, const QString& TexturesDir,
                        const QString& programDir, PackageSession& session,
                        CatalogueState& catalogue, const QStringList& typeList) {
    cdlg.setInitDir(TexturesDir);
    cdlg.setFilter(QStringLiteral("UTX Files|*.utx|All Files|*.*"));
    cdlg.setFilename(QString());
    cdlg.ShowOpen();
    const QString path = cdlg.Filename();
    if (path.isEmpty())
        return {};
    cdlg.setFilename(QString());

    const OpenOutcome outcome = OpenPackageFile(path, programDir, session, catalogue, typeList);
    if (!outcome.read) {
        // The package shown before stays open; the user learns why nothing
        // changed.
        dialogs.message(QStringLiteral("Could not read this file as a package:\r\n%1").arg(path),
                        QStringLiteral("Open Failed"), Dialogs::Buttons::Ok);
        return outcome;
    }
    if (!outcome.typeFound) {
        dialogs.message(QStringLiteral("Select the correct skin type."),
                        QStringLiteral("Format Unknown"), Dialogs::Buttons::Ok);
    }
    return outcome;
}

bool SaveINTfile(Dialogs& dialogs, clsCdlg& cdlg, const QString& UTDir, const QString& UTXPath,
                 const QString& text) {
    const QString target = AskForTarget(cdlg, UTDir, UTXPath);
    if (target.isEmpty())
        return false;

    const std::optional<QByteArray> bytes = ToWindows1252(text);
    if (!bytes) {
        dialogs.message(QStringLiteral("Could not write %1: the character \"%2\" cannot be stored "
                                       "in an INT file (Windows-1252).")
                            .arg(target, FirstUnencodableCharacter(text)),
                        SaveFailedTitle, Dialogs::Buttons::Ok);
        return false;
    }
    // An empty file is replaced without asking. A folder standing at the
    // target is no file to replace: the write below reports it.
    if (FileExists(target) &&
        dialogs.message(QStringLiteral("Are you sure you want to overwrite this file."),
                        QStringLiteral("File Already Exists"),
                        Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes)
        return false;

    QString error;
    if (!WriteFileAtomically(target, *bytes, &error)) {
        dialogs.message(error, SaveFailedTitle, Dialogs::Buttons::Ok);
        return false;
    }
    dialogs.message(QStringLiteral("Good job. You made a skin.\r\n"
                                   "Now exit this, fire up UT and check out your skin."),
                    QString(), Dialogs::Buttons::Ok);
    return true;
}
