#include "WizardOptions.h"
#include "shell/Program.h"

#include <csignal>
#include <cstdio>

int main(int argc, char* argv[]) {
    const WizardCommandLine commandLine = ParseWizardOptions(ArgumentList(argc, argv));
    if (!commandLine.start) {
        const QByteArray text = commandLine.text.toLocal8Bit();
        std::fwrite(text.constData(), 1, size_t(text.size()),
                    commandLine.status == 0 ? stdout : stderr);
        return commandLine.status;
    }
    // A save past the file-size limit fails with a message instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    return RunProgram(argc, argv, commandLine.package);
}
