#include "settings/frmBrowse.h"

#include "widgets/WidgetFonts.h"
#include "widgets/WidgetGeometry.h"
#include "widgets/WidgetKeys.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QStorageInfo>
#include <QStyle>
#include <QTreeWidget>

namespace {

const QString RootPath = QStringLiteral("/");
constexpr int PathRole = Qt::UserRole;

// The root folders of the mounted file systems, "/" first.
QStringList DriveRoots() {
    QStringList roots{RootPath};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = QDir::cleanPath(volume.rootPath());
        if (volume.isValid() && volume.isReady() && QFileInfo(root).isDir() &&
            !roots.contains(root))
            roots.append(root);
    }
    std::sort(roots.begin() + 1, roots.end());
    return roots;
}

// "/", "/home", "/home/user" for "/home/user".
QStringList PathChain(const QString& path) {
    QStringList chain{RootPath};
    QString sofar;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        sofar += QLatin1Char('/') + part;
        chain.append(sofar);
    }
    return chain;
}

QTreeWidgetItem* FolderItem(const QString& path, const QString& text, const QIcon& icon) {
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, PathRole, path);
    item->setIcon(0, icon);
    return item;
}

} // namespace

frmBrowse::frmBrowse(const QIcon& icon, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmBrowse"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Select Directory"));
    setWindowIcon(icon);
    setFixedSize(Px(3795), Px(3795));
    // Laid out for the design type; a larger desktop font would not fit.
    setFont(DesignFont());

    buildFolderFrame();
    buildButtons();
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, cmdCancel);
    setTabOrder(cmdCancel, cmdOK);

    // The lists are filled when the picker is first shown: asking every
    // mounted file system for its state can take long (a stale network mount
    // blocks) and the desktop's icon theme is slow to load. It starts at the
    // root folder either way.
    dirPath_ = RootPath;

    connect(Drive1, &QComboBox::activated, this, &frmBrowse::Drive1_Change);
    connect(Dir1, &QTreeWidget::itemDoubleClicked, this, &frmBrowse::Dir1_DblClick);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    UseDesktopKeys(*this);
}

// The drive box above the folder list, framed.
void frmBrowse::buildFolderFrame() {
    Frame1 = Named(new QGroupBox(QStringLiteral("Select Directory"), this),
                   QStringLiteral("Frame1"), TwipsRect(90, 90, 3615, 3195));

    Drive1 = Named(new QComboBox(Frame1), QStringLiteral("Drive1"), TwipsRect(180, 300, 3285, 315));
    Drive1->setAccessibleName(QStringLiteral("Drive"));

    Dir1 = Named(new QTreeWidget(Frame1), QStringLiteral("Dir1"), TwipsRect(180, 660, 3255, 2340));
    Dir1->setHeaderHidden(true);
    Dir1->setRootIsDecorated(false);
    Dir1->setItemsExpandable(false);
    Dir1->setExpandsOnDoubleClick(false);
    Dir1->setIndentation(Px(150));
    Dir1->setAccessibleName(QStringLiteral("Folders"));
    // Enter opens the highlighted folder, as a double click does, rather
    // than take the open one.
    Dir1->installEventFilter(this);
}

void frmBrowse::buildButtons() {
    cmdOK = Named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("cmdOK"),
                  TwipsRect(1470, 3390, 1095, 315));
    cmdCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), QStringLiteral("cmdCancel"),
                      TwipsRect(2610, 3390, 1095, 315));
    // Enter takes the folder that is open.
    cmdOK->setDefault(true);
}

bool frmBrowse::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Dir1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Dir1_DblClick(Dir1->currentItem());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmBrowse::showEvent(QShowEvent* event) {
    if (!listsFilled_) {
        listsFilled_ = true;
        fillDrives();
        setDir1Path(dirPath_);
    }
    QDialog::showEvent(event);
}

void frmBrowse::fillDrives() {
    const QIcon icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const QString& root : DriveRoots())
        Drive1->addItem(icon, root, root);
}

// Lists `path`'s chain of parent folders and its subfolders; a folder that
// cannot be listed leaves the list as it was and returns false.
bool frmBrowse::setDir1Path(const QString& path) {
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QDir dir(clean);
    if (path.isEmpty() || !dir.exists() || !dir.isReadable())
        return false;

    Dir1->clear();
    QTreeWidgetItem* parent = nullptr;
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    for (const QString& folder : PathChain(clean)) {
        const QString text = folder == RootPath ? RootPath : QFileInfo(folder).fileName();
        QTreeWidgetItem* item = FolderItem(folder, text, openIcon);
        if (parent)
            parent->addChild(item);
        else
            Dir1->addTopLevelItem(item);
        parent = item;
    }
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QFileInfoList subfolders =
        dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& folder : subfolders)
        parent->addChild(FolderItem(folder.absoluteFilePath(), folder.fileName(), closedIcon));
    Dir1->expandAll();
    Dir1->setCurrentItem(parent);

    dirPath_ = clean;
    showDriveOf(clean);
    return true;
}

// Selects the drive list's entry for the file system that holds `path`.
void frmBrowse::showDriveOf(const QString& path) {
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < Drive1->count(); ++i) {
        const QString root = Drive1->itemData(i).toString();
        const bool holds =
            root == RootPath || path == root || path.startsWith(root + QLatin1Char('/'));
        if (holds && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    Drive1->setCurrentIndex(best);
}

// A drive that cannot be listed falls back to the root folder without a word.
void frmBrowse::Drive1_Change(int index) {
    if (!setDir1Path(Drive1->itemData(index).toString()))
        setDir1Path(RootPath);
}

void frmBrowse::Dir1_DblClick(QTreeWidgetItem* item) {
    if (item)
        setDir1Path(item->data(0, PathRole).toString());
}

QString BrowseForDir(const QIcon& icon, const QString& startText, QWidget* owner) {
    auto* picker = new frmBrowse(icon, owner);
    QString chosen = startText;
    QObject::connect(picker, &QDialog::accepted, picker,
                     [&chosen, picker] { chosen = picker->Dir1Path(); });
    picker->exec(); // destroys the picker
    return chosen;
}
