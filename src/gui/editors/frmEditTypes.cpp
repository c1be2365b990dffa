#include "editors/frmEditTypes.h"

#include "catalogue/SkinCatalogue.h"
#include "services/DataFiles.h"
#include "services/Dialogs.h"
#include "services/SafeFile.h"
#include "services/Text1252.h"
#include "widgets/WidgetGeometry.h"
#include "widgets/WidgetKeys.h"
#include "widgets/WidgetText.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

const QString CrLf = QStringLiteral("\r\n");

// The box breaks lines its own way; the file's line breaks, CR LF, CR or LF,
// each become one break in the box and CR LF again when saved.
QString ForTheBox(QString text) {
    text.replace(CrLf, QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

frmEditTypes::frmEditTypes(const QString& programDir, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      dialogs_(dialogs), path_(programDir + QLatin1Char('/') + QLatin1String(SkinFormatsFileName)) {
    setObjectName(QStringLiteral("frmEditTypes"));
    setWindowTitle(QStringLiteral("Edit Types"));

    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    mnuSave = menuBar->addAction(QStringLiteral("Save"));
    mnuSave->setObjectName(QStringLiteral("mnuSave"));
    mnuReload = menuBar->addAction(QStringLiteral("Reload"));
    mnuReload->setObjectName(QStringLiteral("mnuReload"));

    // Text1's position is measured in the area below the menu bar.
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(client);

    Text1 = Named(new QPlainTextEdit(QStringLiteral("Text1"), client), QStringLiteral("Text1"),
                  TwipsRect(30, 60, 4815, 3225));
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setAccessibleName(QStringLiteral("Skin types"));

    resize(Px(4920), Px(3345) + menuBar->sizeHint().height());
    KeepFitted(*Text1, *this, 50, 10);

    connect(mnuSave, &QAction::triggered, this, &frmEditTypes::mnuSave_Click);
    connect(mnuReload, &QAction::triggered, this, &frmEditTypes::loadFile);
    UseDesktopKeys(*this);

    loadFile();
}

// A missing catalogue is created empty. A file that cannot be read or created
// is reported and "Save" stays unavailable until a "Reload" succeeds, so that
// the file is never replaced by a box that does not show it.
void frmEditTypes::loadFile() {
    QByteArray bytes;
    QString error;
    if (!QFileInfo::exists(path_)) {
        WriteFileAtomically(path_, bytes, &error);
    } else if (const std::optional<QByteArray> read = ReadWholeFile(path_, &error)) {
        bytes = *read;
    }
    Text1->setPlainText(error.isEmpty() ? ForTheBox(FromWindows1252(bytes)) : QString());
    mnuSave->setEnabled(error.isEmpty());
    if (!error.isEmpty())
        report(error);
}

// The text is written whole or not at all; on failure the old file stays as
// it was and the window stays open with the user's text.
void frmEditTypes::mnuSave_Click() {
    const QString text = BoxTextWithCrLf(*Text1) + CrLf + CrLf;
    const std::optional<QByteArray> bytes = ToWindows1252(text);
    if (!bytes) {
        report(QStringLiteral("The character \"%1\" cannot be stored in %2. Nothing was saved.")
                   .arg(FirstUnencodableCharacter(text), QFileInfo(path_).fileName()));
        return;
    }
    QString error;
    if (!WriteFileAtomically(path_, *bytes, &error)) {
        report(error + QStringLiteral(" Nothing was saved."));
        return;
    }
    accept();
}

void frmEditTypes::report(const QString& text) {
    dialogs_.message(text, QString(), Dialogs::Buttons::Ok);
}

// The window has no Cancel button: Escape must not throw the edits away.
void frmEditTypes::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
