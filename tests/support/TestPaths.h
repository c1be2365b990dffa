#pragma once

#include <QFile>
#include <QFileInfo>
#include <QString>

// Folders the tests read from. The real game packages are optional: tests
// that need them skip where the folder is absent. VARNWICK_FIXTURES_DIR in
// the environment points elsewhere (a worktree outside the shared layout).
inline QString FixturesDir() {
    return qEnvironmentVariable("VARNWICK_FIXTURES_DIR", QStringLiteral(VARNWICK_FIXTURES_DIR));
}
// Whole game packages (every table, texture and palette).
inline QString FullPackagesDir() {
    return FixturesDir() + QStringLiteral("/../ut-full");
}
inline QString SourceDataDir() {
    return QStringLiteral(VARNWICK_DATA_DIR);
}
inline QString BuiltBinDir() {
    return QStringLiteral(VARNWICK_BIN_DIR);
}

// The bytes of the file at `path`; none when it cannot be read.
inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Skips the current test when the named fixture file is not there.
#define REQUIRE_FIXTURE(name)                                                                      \
    do {                                                                                           \
        if (!QFileInfo::exists(FixturesDir() + QLatin1Char('/') + (name)))                         \
            QSKIP("game package fixtures are not available");                                      \
    } while (false)
