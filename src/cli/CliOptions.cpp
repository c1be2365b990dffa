#include "CliOptions.h"

#include "VarnwickVersion.h"

#include <QCommandLineParser>
#include <variant>
#include <vector>

namespace {

const QString Program = QStringLiteral("varnwick-cli");

CliCommandLine UsageError(const QString& reason) {
    return {std::nullopt,
            QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(Program, reason),
            true};
}

QString ListingConflict(const CliOptions& options) {
    if (options.list && !options.extractDir.isEmpty())
        return QStringLiteral("give either --list or --extract, not both.");
    if (options.types || options.names || !options.output.isEmpty() ||
        !options.outputDir.isEmpty() || !options.type.isEmpty() || !options.removals.isEmpty())
        return QStringLiteral("--list and --extract take package files only (and --force).");
    return options.packages.isEmpty() ? QStringLiteral("no package file given.") : QString();
}

// The combinations that cannot be carried out; empty when the options fit.
QString CheckConflict(const CliOptions& options) {
    if (!options.check)
        return !options.intFile.isEmpty() || options.installed || !options.gameDir.isEmpty()
                   ? QStringLiteral("--int, --installed and --game-dir go with --check.")
                   : QString();
    if (options.names || options.types || options.list || !options.extractDir.isEmpty() ||
        !options.output.isEmpty() || !options.outputDir.isEmpty())
        return QStringLiteral(
            "--check prints its findings; it takes no --names, --types, --list, --extract, "
            "--output or --output-dir.");
    if (!options.intFile.isEmpty() && (options.installed || options.packages.size() > 1))
        return QStringLiteral("--int names the .int file of one package; with several packages "
                              "use --installed.");
    return {};
}

QString Conflict(const CliOptions& options) {
    if (const QString conflict = CheckConflict(options); !conflict.isEmpty())
        return conflict;
    if (options.check)
        return options.packages.isEmpty() ? QStringLiteral("no package file given.") : QString();
    if (options.list || !options.extractDir.isEmpty())
        return ListingConflict(options);
    if (options.types)
        return options.packages.isEmpty() ? QString()
                                          : QStringLiteral("--types takes no package files.");
    if (options.packages.isEmpty())
        return QStringLiteral("no package file given.");
    if (!options.output.isEmpty() && !options.outputDir.isEmpty())
        return QStringLiteral("give either --output or --output-dir, not both.");
    if (options.names && !options.outputDir.isEmpty())
        return QStringLiteral("--names prints to standard output or --output; "
                              "--output-dir is for .int files.");
    const bool several = options.packages.size() > 1;
    if (several && !options.output.isEmpty() && options.output != QLatin1String("-"))
        return QStringLiteral("several packages cannot share the one file %1; use --output-dir.")
            .arg(options.output);
    if (several && !options.names && options.output.isEmpty() && options.outputDir.isEmpty())
        return QStringLiteral("several packages need --output-dir DIR (one .int file each), "
                              "or '-o -' to print every text in turn.");
    return {};
}

// Where a parsed option lands in CliOptions: a switch, a single value, or
// every value given.
using OptionTarget =
    std::variant<bool CliOptions::*, QString CliOptions::*, QStringList CliOptions::*>;

struct CliOption {
    QCommandLineOption option;
    OptionTarget target;
};

// The options in the order the help text lists them.
std::vector<CliOption> OptionTable() {
    return {
        {QCommandLineOption(
             QStringLiteral("data-dir"),
             QStringLiteral("Folder holding SkinFormats.ini and unreal.flt (default: the "
                            "program's folder, as the wizard uses it)."),
             QStringLiteral("DIR")),
         &CliOptions::dataDir},
        {QCommandLineOption(
             QStringLiteral("type"),
             QStringLiteral("Use the catalogue's skin type KEY, as choosing it in step two "
                            "(the guessed key stays in the descriptions)."),
             QStringLiteral("KEY")),
         &CliOptions::type},
        {QCommandLineOption(
             QStringLiteral("remove"),
             QStringLiteral("Take one entry NAME off the reviewed list, as a double click in "
                            "step four (repeatable)."),
             QStringLiteral("NAME")),
         &CliOptions::removals},
        {QCommandLineOption(QStringLiteral("names"),
                            QStringLiteral("Print the reviewed names (filtered, sorted), one per "
                                           "line, instead of the .int text.")),
         &CliOptions::names},
        {QCommandLineOption(QStringLiteral("textures-only"),
                            QStringLiteral("Keep only the names that are textures of the package "
                                           "(Engine.Texture objects), as step four's \"Remove "
                                           "Marked\".")),
         &CliOptions::texturesOnly},
        {QCommandLineOption(QStringLiteral("types"),
                            QStringLiteral("Print the catalogue's keys and descriptions, "
                                           "tab-separated, one per line.")),
         &CliOptions::types},
        {QCommandLineOption({QStringLiteral("o"), QStringLiteral("output")},
                            QStringLiteral("Write the text to FILE ('-' is standard output, the "
                                           "default for one package)."),
                            QStringLiteral("FILE")),
         &CliOptions::output},
        {QCommandLineOption(QStringLiteral("output-dir"),
                            QStringLiteral("Write each package's text to DIR/<short name>.int."),
                            QStringLiteral("DIR")),
         &CliOptions::outputDir},
        {QCommandLineOption(QStringLiteral("force"),
                            QStringLiteral("Replace existing files (otherwise they are left alone "
                                           "and reported).")),
         &CliOptions::force},
        {QCommandLineOption(QStringLiteral("list"),
                            QStringLiteral("Print every object of each package, one per line: "
                                           "path, class and, for textures, width, height and "
                                           "format, tab-separated.")),
         &CliOptions::list},
        {QCommandLineOption(QStringLiteral("extract"),
                            QStringLiteral("Write every texture that can be decoded as "
                                           "DIR/<package>/<path>.png."),
                            QStringLiteral("DIR")),
         &CliOptions::extractDir},
        {QCommandLineOption(
             QStringLiteral("check"),
             QStringLiteral("Check each package's .int text the way the game reads it: print one "
                            "finding per line (FILE:LINE: SEVERITY: TEXT), then what the player "
                            "setup menu will list. Exit status 5 when an error is found.")),
         &CliOptions::check},
        {QCommandLineOption(
             QStringLiteral("int"),
             QStringLiteral("With --check: check FILE instead of the text the program would "
                            "write (one package)."),
             QStringLiteral("FILE")),
         &CliOptions::intFile},
        {QCommandLineOption(QStringLiteral("installed"),
                            QStringLiteral("With --check: check each package's "
                                           "System/<Package>.int, found beside the package's "
                                           "Textures folder (letter case ignored).")),
         &CliOptions::installed},
        {QCommandLineOption(
             QStringLiteral("game-dir"),
             QStringLiteral("With --check: the game folder, for entries named twice across "
                            "its .int files and for the folders the game finds packages in."),
             QStringLiteral("DIR")),
         &CliOptions::gameDir},
    };
}

QString LongName(const QCommandLineOption& option) {
    return option.names().last();
}

// An empty value would read as the option not given at all.
QString EmptyValue(const QCommandLineParser& parser, const std::vector<CliOption>& table) {
    for (const CliOption& entry : table) {
        if (!entry.option.valueName().isEmpty() && parser.values(entry.option).contains(QString()))
            return QStringLiteral("--%1 needs a value.").arg(LongName(entry.option));
    }
    return {};
}

// A repeated single-valued option would silently drop all but one value.
QString RepeatedValue(const QCommandLineParser& parser, const std::vector<CliOption>& table) {
    for (const CliOption& entry : table) {
        if (std::holds_alternative<QString CliOptions::*>(entry.target) &&
            parser.values(entry.option).size() > 1)
            return QStringLiteral("--%1 may be given only once.").arg(LongName(entry.option));
    }
    return {};
}

void Store(const QCommandLineParser& parser, const CliOption& entry, CliOptions& options) {
    if (const auto flag = std::get_if<bool CliOptions::*>(&entry.target))
        options.*(*flag) = parser.isSet(entry.option);
    else if (const auto value = std::get_if<QString CliOptions::*>(&entry.target))
        options.*(*value) = parser.value(entry.option);
    else if (const auto values = std::get_if<QStringList CliOptions::*>(&entry.target))
        options.*(*values) = parser.values(entry.option);
}

CliOptions Collect(const QCommandLineParser& parser, const std::vector<CliOption>& table) {
    CliOptions options;
    options.packages = parser.positionalArguments();
    for (const CliOption& entry : table)
        Store(parser, entry, options);
    return options;
}

void Describe(QCommandLineParser& parser, const QList<QCommandLineOption>& leading,
              const std::vector<CliOption>& table) {
    parser.setApplicationDescription(
        QStringLiteral("Writes the .int file of Unreal Tournament skin packages (.utx) the way the "
                       "Varnwick wizard does when every step is accepted as offered."));
    parser.addOptions(leading);
    for (const CliOption& entry : table)
        parser.addOption(entry.option);
    parser.addPositionalArgument(QStringLiteral("PACKAGE.utx"),
                                 QStringLiteral("The skin packages to write .int text for."),
                                 QStringLiteral("PACKAGE.utx..."));
}

} // namespace

CliCommandLine ParseCliOptions(const QStringList& arguments) {
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("V"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    const std::vector<CliOption> table = OptionTable();
    QCommandLineParser parser;
    Describe(parser, {help, version}, table);

    if (!parser.parse(arguments))
        return UsageError(parser.errorText());
    if (parser.isSet(help))
        return {std::nullopt, parser.helpText(), false};
    if (parser.isSet(version))
        return {std::nullopt, QStringLiteral("%1 %2\n").arg(Program, VarnwickVersion::Full), false};
    if (const QString problem = EmptyValue(parser, table); !problem.isEmpty())
        return UsageError(problem);
    if (const QString problem = RepeatedValue(parser, table); !problem.isEmpty())
        return UsageError(problem);
    const CliOptions options = Collect(parser, table);
    if (const QString conflict = Conflict(options); !conflict.isEmpty())
        return UsageError(conflict);
    return {options, {}, false};
}
