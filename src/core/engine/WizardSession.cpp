#include "engine/WizardSession.h"

#include "engine/FilterList.h"
#include "engine/NameSorter.h"
#include "engine/PackageReader.h"
#include "engine/ScriptWriter.h"
#include "services/Dialogs.h"
#include "services/FilePaths.h"
#include "services/SafeFile.h"
#include "services/Text1252.h"
#include "services/clsCdlg.h"
#include "settings/GameDetection.h"

#include <algorithm>
#include <optional>

namespace {

const QString SaveFailedTitle = QStringLiteral("Save Failed");
constexpr int LeftOutShown = 10;

// The package the user picks in texturesDir; nothing when cancelled.
std::optional<QString> AskForPackage(clsCdlg& cdlg, const QString& texturesDir) {
    cdlg.setInitDir(texturesDir);
    cdlg.setFilter(QStringLiteral("UTX Files|*.utx|All Files|*.*"));
    cdlg.setFilename(QString());
    cdlg.ShowOpen();
    const QString path = cdlg.Filename();
    if (path.isEmpty())
        return std::nullopt;
    cdlg.setFilename(QString());
    return path;
}

// The file to write the text to, confirmed by the user; empty when the user
// cancelled.
QString AskForTarget(clsCdlg& cdlg, const QString& UTDir, const QString& UTXPath) {
    const QString systemDir = GameIntFolder(UTDir);
    cdlg.setInitDir(systemDir);
    cdlg.setFilename(systemDir + QLatin1Char('/') + ShortUTXName(UTXPath, true, true) +
                     QStringLiteral(".int"));
    cdlg.setFilter(QStringLiteral("INT Files|*.int|All Files|*.*"));
    cdlg.ShowSave();
    if (cdlg.CancelError())
        return {};
    return cdlg.Filename();
}

// The names left out, the first few of a long list, each on its own line.
QString LeftOutMessage(const QList<LeftOutName>& leftOut) {
    QString message = QStringLiteral("These names in the package would break their lines in an "
                                     ".int file, so they are left out of the text:\r\n");
    for (const LeftOutName& name : leftOut.first(std::min<qsizetype>(leftOut.size(), LeftOutShown)))
        message += QStringLiteral("\r\n\"%1\": %2").arg(PrintableName(name.name), name.reason);
    if (leftOut.size() > LeftOutShown)
        message += QStringLiteral("\r\n... and %1 more.").arg(leftOut.size() - LeftOutShown);
    return message;
}

// A file that cannot be opened at all is told in so many words.
void TellOpenFailed(Dialogs& dialogs, const QString& path) {
    const QString problem = RegularFileProblem(path);
    dialogs.message(problem.isEmpty()
                        ? QStringLiteral("Could not read this file as a package:\r\n%1").arg(path)
                        : QStringLiteral("Could not read %1:\r\n%2").arg(path, problem),
                    QStringLiteral("Open Failed"), Dialogs::Buttons::Ok);
}

// What the user has to know of a package just read before going on.
void TellOpened(Dialogs& dialogs, const OpenOutcome& outcome, const QList<LeftOutName>& leftOut) {
    if (!leftOut.isEmpty())
        dialogs.message(LeftOutMessage(leftOut), QStringLiteral("Names Left Out"),
                        Dialogs::Buttons::Ok);
    if (!outcome.typeFound)
        dialogs.message(QStringLiteral("Select the correct skin type."),
                        QStringLiteral("Format Unknown"), Dialogs::Buttons::Ok);
}

} // namespace

void WizardSession::loadTypes() {
    const SkinList list = LoadSkinInfo(programDir_, catalogue_);
    typeKeys_ = list.keys;
    typeIndex_ = -1;
    if (list.selected >= 0)
        selectType(list.selected);
}

OpenOutcome WizardSession::openFile(const QString& path) {
    OpenOutcome outcome;
    if (!ReadUTXFile(path, package_.PackageRead))
        return outcome;
    outcome.read = true;
    package_.UTXPath = path;
    filteritems(path, programDir_, package_.FilterList, package_.PackageRead,
                package_.PackageItems);
    leftOut_ = TakeUnwritableNames(package_.PackageItems.Names);
    package_.PackageItems.NameCount = qint32(package_.PackageItems.Names.size());
    SortArray(package_.PackageItems.Names);
    readObjects(path);

    outcome.typeFound = MatchSkinFormat(ShortUTXName(path, true, true), programDir_, catalogue_);
    if (outcome.typeFound)
        outcome.typeIndex = TypeListIndex(typeKeys_, catalogue_.CurrentSkin.Key);
    if (outcome.typeIndex >= 0)
        selectType(outcome.typeIndex);
    return outcome;
}

OpenOutcome WizardSession::open(Dialogs& dialogs, clsCdlg& cdlg, const QString& texturesDir) {
    const int previousIndex = typeIndex_;
    const QString previousKey = previousIndex >= 0 ? typeKeys_[previousIndex] : QString();
    const SkinFormat previousSkin = catalogue_.CurrentSkin;

    loadTypes();
    const std::optional<QString> path = AskForPackage(cdlg, texturesDir);
    if (!path)
        return OpenOutcome{.cancelled = true};
    const OpenOutcome outcome = openFile(*path);
    if (!outcome.read) {
        // The package shown before stays open, the type chosen before
        // included, although the list has been read again; the user learns
        // why nothing changed.
        typeIndex_ = previousIndex;
        if (typeIndex_ < 0 || typeIndex_ >= typeKeys_.size() ||
            typeKeys_[typeIndex_] != previousKey)
            typeIndex_ = int(typeKeys_.indexOf(previousKey));
        catalogue_.CurrentSkin = previousSkin;
        TellOpenFailed(dialogs, *path);
        return outcome;
    }
    TellOpened(dialogs, outcome, leftOut_);
    return outcome;
}

void WizardSession::selectType(int index) {
    if (index < 0 || index >= typeKeys_.size() || index >= catalogue_.SkinCatalogue.size())
        return;
    typeIndex_ = index;
    SelectSkin(index, catalogue_);
}

void WizardSession::selectGuessedType() {
    if (!typeKeys_.isEmpty())
        selectType(std::max(TypeListIndex(typeKeys_, catalogue_.CurrentSkin.Key), 0));
}

void WizardSession::beginReview() {
    reviewed_ = package_.PackageItems.Names;
    backup_ = reviewed_;
    droppedTextures_ = census_.leftOut(reviewed_);
}

bool WizardSession::remove(int row) {
    if (row < 0 || row >= reviewed_.size())
        return false;
    reviewed_.removeAt(row);
    return true;
}

void WizardSession::restore() {
    reviewed_ = backup_;
}

void WizardSession::readObjects(const QString& path) {
    const PackageResult<UnrealPackage> package = UnrealPackage::open(path);
    objects_ = package ? std::optional<UnrealPackage>(*package) : std::nullopt;
    census_ = objects_ ? TextureCensus(*objects_) : TextureCensus();
    contents_ = objects_ ? std::make_shared<const PackageContents>(*objects_) : nullptr;
    droppedTextures_.clear();
}

qsizetype WizardSession::removeNonTextures() {
    const qsizetype before = reviewed_.size();
    reviewed_ = TexturesOnly(reviewed_, census_);
    return before - reviewed_.size();
}

void WizardSession::addBackDropped() {
    reviewed_ = MergedSorted(reviewed_, droppedTextures_);
    backup_ = MergedSorted(backup_, droppedTextures_);
    droppedTextures_.clear();
}

const QString& WizardSession::intText() {
    text_ = BuildINTText(reviewed_, package_.PackageItems, catalogue_.CurrentSkin);
    return text_;
}

bool WizardSession::save(Dialogs& dialogs, clsCdlg& cdlg, const QString& UTDir) const {
    const QString target = AskForTarget(cdlg, UTDir, package_.UTXPath);
    if (target.isEmpty())
        return false;

    const std::optional<QByteArray> bytes = ToWindows1252(text_);
    if (!bytes) {
        dialogs.message(QStringLiteral("Could not write %1: the character \"%2\" cannot be stored "
                                       "in an INT file (Windows-1252).")
                            .arg(target, FirstUnencodableCharacter(text_)),
                        SaveFailedTitle, Dialogs::Buttons::Ok);
        return false;
    }
    // An empty file is replaced without asking. A folder standing at the
    // target is no file to replace: the write below reports it.
    const bool replace = FileExists(target);
    if (replace && dialogs.message(QStringLiteral("Are you sure you want to overwrite this file."),
                                   QStringLiteral("File Already Exists"),
                                   Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes)
        return false;

    // Without the user's yes, a file that appears meanwhile is not replaced.
    QString error;
    const bool written =
        replace ? WriteFileAtomically(target, *bytes, &error)
                : WriteNewFileAtomically(target, *bytes, &error) == NewFileOutcome::Written;
    if (!written) {
        dialogs.message(error, SaveFailedTitle, Dialogs::Buttons::Ok);
        return false;
    }
    dialogs.message(QStringLiteral("Good job. You made a skin.\r\n"
                                   "Now exit this, fire up UT and check out your skin."),
                    QString(), Dialogs::Buttons::Ok);
    return true;
}
