#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What one run of varnwick-cli is asked to do.
struct CliOptions {
    QStringList packages;
    QString dataDir;      // folder of SkinFormats.ini and unreal.flt; empty: the program's folder
    QString type;         // catalogue key picked instead of the guessed one; empty: keep the guess
    QStringList removals; // names taken off the reviewed list, one entry per mention
    bool names = false;   // print the reviewed names instead of the .int text
    bool texturesOnly = false; // keep only the names the package has textures of
    bool types = false;        // print the catalogue's keys and descriptions
    QString output;            // -o: a file, "-" for standard output; empty when not given
    QString outputDir;         // --output-dir: one DIR/<short name>.int per package
    bool force = false;        // replace existing files
    bool list = false;         // --list: print each package's objects
    QString extractDir;        // --extract: write its textures as PNG files under DIR
    bool check = false;        // --check: check each package's .int as the game reads it
    QString intFile;           // --int: the .int file to check (one package)
    bool installed = false;    // --installed: check System/<Package>.int beside each package
    QString gameDir;           // --game-dir: the game folder for duplicates and search folders

    bool toStandardOutput() const {
        return output == QLatin1String("-") || (output.isEmpty() && outputDir.isEmpty());
    }
};

// The command line read: options to run, or a text to show and the status to
// end with (help, version and usage errors). An error's text goes to standard
// error, the others to standard output.
struct CliCommandLine {
    std::optional<CliOptions> options;
    QString text;
    bool isError = false;
};

CliCommandLine ParseCliOptions(const QStringList& arguments);
