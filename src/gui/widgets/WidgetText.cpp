#include "widgets/WidgetText.h"

#include <QPlainTextEdit>
#include <QTextDocument>

QString BoxTextWithCrLf(const QPlainTextEdit& box) {
    const QString crLf = QStringLiteral("\r\n");
    QString text = box.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, crLf);
    text.replace(QChar::LineSeparator, crLf);
    return text;
}
