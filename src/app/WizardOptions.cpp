#include "WizardOptions.h"

#include "VarnwickVersion.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

const QString Program = QStringLiteral("varnwick");

QString HelpText() {
    return QStringLiteral("Usage: %1 [options] [PACKAGE.utx]\n"
                          "Writes the .int file for an Unreal Tournament player skin, in five "
                          "steps.\n\n"
                          "Arguments:\n"
                          "  PACKAGE.utx    Open this texture package in step one.\n\n"
                          "Options:\n"
                          "  -h, --help     Show this help and exit.\n"
                          "  -V, --version  Show the version and exit.\n\n"
                          "Qt's window options (-platform, -style, -reverse, ...) are accepted "
                          "too.\n")
        .arg(Program);
}

WizardCommandLine UsageError(const QString& reason) {
    return {false,
            {},
            QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(Program, reason),
            1};
}

// The options QGuiApplication and QApplication take away themselves; they
// are only let through here.
QList<QCommandLineOption> QtWindowOptions() {
    QList<QCommandLineOption> options;
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                             "qmljsdebugger", "qwindowgeometry", "qwindowicon", "qwindowtitle",
                             "session", "display", "geometry", "style", "stylesheet"})
        options << QCommandLineOption(QString::fromLatin1(name), QString(),
                                      QStringLiteral("value"));
    for (const char* name : {"reverse", "widgetcount"})
        options << QCommandLineOption(QString::fromLatin1(name));
    return options;
}

} // namespace

WizardCommandLine ParseWizardOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    // Qt's options have one dash and long names; ours are given either way.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("V"), QStringLiteral("version")});
    parser.addOptions({help, version});
    parser.addOptions(QtWindowOptions());

    if (!parser.parse(arguments))
        return UsageError(parser.errorText());
    if (parser.isSet(help))
        return {false, {}, HelpText(), 0};
    if (parser.isSet(version))
        return {false, {}, QStringLiteral("%1 %2\n").arg(Program, VarnwickVersion::Full), 0};
    const QStringList packages = parser.positionalArguments();
    if (packages.size() > 1)
        return UsageError(QStringLiteral("the wizard opens one package at a time."));
    if (packages.isEmpty())
        return {true, {}, {}, 0};
    if (packages.first().isEmpty())
        return UsageError(QStringLiteral("the package's name is empty."));
    return {true, QFileInfo(packages.first()).absoluteFilePath(), {}, 0};
}

QStringList ArgumentList(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}
