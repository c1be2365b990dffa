#pragma once

#include <QDateTime>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>

// The settings file `store` stands for, also when the store could not use it
// and keeps its values in memory.
QString SettingsFilePath(const QSettings& store);

// Where the program keeps its settings: ~/.config/Varnwick/Varnwick.conf
// (the user's configuration folder).
QString DefaultSettingsPath();

// Why `bytes` cannot be a settings file the program wrote or a person edited:
// not UTF-8 text, control characters, or a line that is neither a comment, a
// [section] nor a key=value. Empty when they can be one.
QString SettingsFileDamage(QByteArrayView bytes);

struct SettingsOpening {
    std::unique_ptr<QSettings> store;
    QStringList messages; // for the user, once, at start-up
};

// The settings store at `path`, after a look at the file. A file that cannot
// be settings (damaged, or far larger than any settings file) is moved aside
// to "<path>.bad-<date>" and the store starts empty. When nothing can be
// stored there (a folder or a pipe in the way, a file that cannot be read or
// moved), the store keeps its values for this run only. Each case gives one
// message naming the file.
SettingsOpening OpenSettingsStore(const QString& path, const QDateTime& now);
