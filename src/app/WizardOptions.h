#pragma once

#include <QString>
#include <QStringList>

// What the wizard's command line asks for: start the wizard (with a package
// to open in step one, or none), or print a text and end with a status (help
// and version to standard output with 0, a usage error to standard error
// with 1).
struct WizardCommandLine {
    bool start = false;
    QString package; // absolute path; empty: step one waits for the user
    QString text;
    int status = 0;
};

// Reads the arguments (the program's name first) without an application
// object, so that help, version and usage errors need no display. Qt's own
// window options (-platform, -style, ...) are left for the application.
WizardCommandLine ParseWizardOptions(const QStringList& arguments);

// The process's arguments as text in the system's encoding.
QStringList ArgumentList(int argc, const char* const* argv);
