#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// What a failed file operation's error number means, in the words shown to the
// user ("permission denied.", "no space left on the device.", ...). Every
// reader and writer of files words its failures through this one routine.
QString FileErrorReason(int errorNumber);

// Why `path` cannot be opened for reading as a regular file ("there is no such
// file.", "it is not a regular file.", "too many levels of symbolic links.",
// "permission denied.", ...); empty when it can. A device, a pipe or a folder
// is never opened to find out, so asking never blocks.
QString RegularFileProblem(const QString& path);

// Replaces (or creates) the file at `path` with exactly `bytes`. The new
// contents appear only once every byte is on disk; on any failure the old file
// is left as it was and `error` (when given) says what failed and where. A
// symbolic link is written through to the file it names.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

enum class NewFileOutcome { Written, Exists, Failed };

// As WriteFileAtomically, but a file that is not empty is never replaced:
// whether one is there is decided in the same step that puts the new file in
// place, so of several writers racing for one name exactly one wins. `error`
// is set for Exists and Failed.
NewFileOutcome WriteNewFileAtomically(const QString& path, const QByteArray& bytes,
                                      QString* error = nullptr);

// Writes `bytes` into the device or pipe at `path` (/dev/null, a FIFO), which
// an atomic replace would turn into a regular file.
bool WriteIntoDevice(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// The whole contents of the regular file at `path`, or nothing with `error`
// (when given) saying "Could not read <path>: <reason>". Devices and pipes
// are refused: reading one might never end.
std::optional<QByteArray> ReadWholeFile(const QString& path, QString* error = nullptr);
