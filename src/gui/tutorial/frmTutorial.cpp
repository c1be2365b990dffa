#include "tutorial/frmTutorial.h"

#include "services/DataFiles.h"
#include "services/FilePaths.h"
#include "services/SafeFile.h"
#include "services/Text1252.h"
#include "widgets/WidgetGeometry.h"
#include "widgets/WidgetKeys.h"

#include <QPlainTextEdit>

QString ReadTutorialFile(const QString& path) {
    QString error;
    const std::optional<QByteArray> bytes = ReadWholeFile(path, &error);
    return bytes ? FromWindows1252(*bytes) : error;
}

QString TutorialText(const QString& programDir) {
    for (const char* name : {TutorialFileName, ReadmeFileName}) {
        const QString path = programDir + QLatin1Char('/') + QLatin1String(name);
        if (FileExists(path))
            return ReadTutorialFile(path);
    }
    return QStringLiteral("Hmm... wheres the tutorial.txt file?");
}

frmTutorial::frmTutorial(const QString& programDir, const QIcon& icon, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmTutorial"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tutorial"));
    setWindowIcon(icon);
    resize(Px(4785), Px(2850));

    txtTutorial = new QPlainTextEdit(this);
    txtTutorial->setObjectName(QStringLiteral("txtTutorial"));
    txtTutorial->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtTutorial->setGeometry(0, 0, width(), height());
    txtTutorial->setPlainText(TutorialText(programDir));
    txtTutorial->setAccessibleName(QStringLiteral("Tutorial"));
    KeepFitted(*txtTutorial, *this, 27, 8);
    UseDesktopKeys(*this);
}
