#include "CliConsole.h"
#include "CliDataFolder.h"
#include "CliOptions.h"
#include "CliRun.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>

int main(int argc, char* argv[]) {
    // A write past the file-size limit fails with a message instead of ending the run.
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication app(argc, argv);
    // The same per-user data folder as the wizard's.
    QCoreApplication::setOrganizationName(QStringLiteral("Varnwick"));
    QCoreApplication::setApplicationName(QStringLiteral("Varnwick"));

    const CliCommandLine commandLine = ParseCliOptions(QCoreApplication::arguments());
    if (!commandLine.options) {
        const QByteArray text = ForTerminal(commandLine.text);
        std::fwrite(text.constData(), 1, size_t(text.size()),
                    commandLine.isError ? stderr : stdout);
        return int(commandLine.isError ? CliStatus::Usage : CliStatus::Done);
    }
    const CliOptions& options = *commandLine.options;
    const QString dataDir = options.dataDir.isEmpty() ? DefaultDataFolder() : options.dataDir;
    return int(RunCli(options, dataDir));
}
