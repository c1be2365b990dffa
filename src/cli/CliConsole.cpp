#include "CliConsole.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

void Report(const QString& prefix, const QString& text) {
    const QByteArray line = ForTerminal(QStringLiteral("varnwick-cli: ") + prefix + text + '\n');
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

} // namespace

void ReportError(const QString& text) {
    Report(QString(), text);
}

void ReportWarning(const QString& text) {
    Report(QStringLiteral("warning: "), text);
}

QByteArray ForTerminal(const QString& text) {
    return text.toLocal8Bit();
}

bool WriteStandardOutput(const QByteArray& bytes, QString* error) {
    const size_t written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    if (written == size_t(bytes.size()) && std::fflush(stdout) == 0)
        return true;
    if (error)
        *error = QStringLiteral("Could not write to standard output: %1")
                     .arg(QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}
