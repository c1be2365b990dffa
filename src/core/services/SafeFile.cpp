#include "services/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// As many links as the system itself follows before it gives up.
constexpr int MaxLinkDepth = 40;
constexpr int MaxTempAttempts = 100;
constexpr qsizetype ReadChunk = 64 * 1024;

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

// Closes the descriptor it holds when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now; the error number of a failed close (a delayed write error), else 0.
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

QString NotRegular(mode_t mode) {
    return S_ISDIR(mode) ? QStringLiteral("it is a folder.")
                         : QStringLiteral("it is not a regular file.");
}

// A descriptor open for reading on the regular file at `path`, or -1 with
// `reason` set. The file is looked at before it is opened, so a device or a
// pipe is never opened.
int OpenRegular(const QString& path, QString& reason) {
    struct stat info;
    if (::stat(Native(path).constData(), &info) != 0) {
        reason = FileErrorReason(errno);
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        reason = NotRegular(info.st_mode);
        return -1;
    }
    const int fd = ::open(Native(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        reason = FileErrorReason(errno);
        return -1;
    }
    // The name may have been given to something else meanwhile.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        reason = NotRegular(info.st_mode);
        return -1;
    }
    return fd;
}

// The error number of writing all of `bytes` to `fd`, or 0.
int WriteAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (count < 0 && errno != EINTR)
            return errno;
        done += std::max<ssize_t>(count, 0);
    }
    return 0;
}

// Where the contents written for `path` belong: `path` itself, or the file
// its chain of symbolic links ends at (which need not exist yet). Nothing,
// with `err` set, when the chain loops or a folder on the way cannot be read.
std::optional<QString> FinalTarget(const QString& path, int& err) {
    QString current = path;
    for (int depth = 0; depth <= MaxLinkDepth; ++depth) {
        struct stat info;
        if (::lstat(Native(current).constData(), &info) != 0) {
            err = errno;
            // A missing name is where a new file goes.
            return err == ENOENT ? std::optional(current) : std::nullopt;
        }
        if (!S_ISLNK(info.st_mode))
            return current;
        QByteArray target(PATH_MAX, Qt::Uninitialized);
        const ssize_t length = ::readlink(Native(current).constData(), target.data(), PATH_MAX);
        if (length < 0) {
            err = errno;
            return std::nullopt;
        }
        const QString next = QFile::decodeName(target.left(length));
        current = QDir(QFileInfo(current).absolutePath()).filePath(next);
    }
    err = ELOOP;
    return std::nullopt;
}

// A new, empty file beside `target`, named so that nothing else uses it.
struct TempFile {
    QString path;
    int fd = -1;
};

std::optional<TempFile> CreateTempBeside(const QString& target, int& err) {
    const QFileInfo info(target);
    // The process number keeps writers forked from one process, whose random
    // generators run in step, from picking each other's names.
    const QString stem = info.absolutePath() + QStringLiteral("/.") + info.fileName() + u'.' +
                         QString::number(::getpid()) + u'.';
    for (int attempt = 0; attempt < MaxTempAttempts; ++attempt) {
        const QString path = stem + QString::number(QRandomGenerator::global()->generate64(), 36) +
                             QStringLiteral(".tmp");
        // 0666 lets the user's umask decide, as for any new file.
        const int fd =
            ::open(Native(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return TempFile{path, fd};
        if (errno != EEXIST) {
            err = errno;
            return std::nullopt;
        }
    }
    err = EEXIST;
    return std::nullopt;
}

// Puts the finished temporary file in place at `target`; the error number,
// or 0 when it is there. `moved` is set when the temporary name is gone: that
// name is free again then, and may already be another writer's.
using Commit = int (*)(const QString& temp, const QString& target, bool& moved);

int ReplaceCommit(const QString& temp, const QString& target, bool& moved) {
    moved = ::rename(Native(temp).constData(), Native(target).constData()) == 0;
    return moved ? 0 : errno;
}

// Replaces the empty regular file at `target`, unless another writer got
// there first: the writers take turns through a lock on the empty file, and
// each checks under the lock that the name still holds that same empty file.
int ReplaceEmptyCommit(const QString& temp, const QString& target, bool& moved) {
    const Descriptor held(
        ::open(Native(target).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (held.get() < 0 || ::flock(held.get(), LOCK_EX) != 0)
        return EEXIST;
    struct stat locked, named;
    const bool unchanged = ::fstat(held.get(), &locked) == 0 &&
                           ::lstat(Native(target).constData(), &named) == 0 &&
                           locked.st_dev == named.st_dev && locked.st_ino == named.st_ino &&
                           S_ISREG(locked.st_mode) && locked.st_size == 0;
    return unchanged ? ReplaceCommit(temp, target, moved) : EAGAIN;
}

bool IsEmptyRegularFile(const QString& path) {
    struct stat info;
    return ::lstat(Native(path).constData(), &info) == 0 && S_ISREG(info.st_mode) &&
           info.st_size == 0;
}

int NoReplaceCommit(const QString& temp, const QString& target, bool& moved) {
    for (;;) {
        int err = ::link(Native(temp).constData(), Native(target).constData()) == 0 ? 0 : errno;
        // File systems without hard links may still rename without replacing.
        if (err == EPERM || err == EOPNOTSUPP || err == EMLINK) {
            moved = ::renameat2(AT_FDCWD, Native(temp).constData(), AT_FDCWD,
                                Native(target).constData(), RENAME_NOREPLACE) == 0;
            err = moved ? 0 : errno;
        }
        // An empty file holds nothing to lose.
        if (err == EEXIST && IsEmptyRegularFile(target))
            err = ReplaceEmptyCommit(temp, target, moved);
        if (err != EAGAIN)
            return err;
    }
}

// Writes `bytes` to a temporary file beside `target` and commits it; the
// error number of the first step that failed, or 0. `keepMode` gives the new
// file the permissions of the one it replaces.
int WriteAndCommit(const QString& target, const QByteArray& bytes, Commit commit, bool keepMode) {
    int err = 0;
    const std::optional<TempFile> temp = CreateTempBeside(target, err);
    if (!temp)
        return err;
    Descriptor fd(temp->fd);
    struct stat old;
    if (keepMode && ::stat(Native(target).constData(), &old) == 0)
        ::fchmod(fd.get(), old.st_mode & 07777);
    err = WriteAll(fd.get(), bytes);
    if (err == 0 && ::fsync(fd.get()) != 0)
        err = errno;
    if (const int closed = fd.close(); err == 0)
        err = closed;
    bool moved = false;
    if (err == 0)
        err = commit(temp->path, target, moved);
    // After a link the temporary name is a second name of the new file.
    if (!moved)
        ::unlink(Native(temp->path).constData());
    return err;
}

QString WriteFailure(const QString& path, const QString& reason) {
    return QStringLiteral("Could not write %1: %2").arg(path, reason);
}

// The reason a write to `path` cannot begin, looking at what is there now;
// empty when it may. `final` receives where the bytes belong.
QString WriteTargetProblem(const QString& path, QString& final) {
    int err = 0;
    const std::optional<QString> resolved = FinalTarget(path, err);
    if (!resolved)
        return FileErrorReason(err);
    final = *resolved;
    struct stat info;
    if (::lstat(Native(final).constData(), &info) == 0 && !S_ISREG(info.st_mode))
        return S_ISDIR(info.st_mode) ? QStringLiteral("a folder of that name is in the way.")
                                     : NotRegular(info.st_mode);
    return {};
}

} // namespace

QString FileErrorReason(int errorNumber) {
    // The reasons a user meets most, in the words of the program's messages.
    static constexpr std::pair<int, const char*> Reasons[] = {
        {ENOENT, "there is no such file."},
        {EACCES, "permission denied."},
        {EPERM, "permission denied."},
        {ELOOP, "too many levels of symbolic links."},
        {ENOSPC, "no space left on the device."},
        {EDQUOT, "the disk quota is used up."},
        {EFBIG, "file too large."},
        {EROFS, "the file system is read-only."},
        {ENOTDIR, "a part of the path is not a folder."},
        {EISDIR, "it is a folder."},
        {ENAMETOOLONG, "the name is too long."},
        {EEXIST, "the file exists already."},
    };
    for (const auto& [number, reason] : Reasons)
        if (number == errorNumber)
            return QString::fromLatin1(reason);
    QString text = QString::fromLocal8Bit(std::strerror(errorNumber));
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text + u'.';
}

QString RegularFileProblem(const QString& path) {
    QString reason;
    const int fd = OpenRegular(path, reason);
    if (fd >= 0)
        ::close(fd);
    return reason;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    QString final, reason = WriteTargetProblem(path, final);
    if (reason.isEmpty()) {
        if (const int err = WriteAndCommit(final, bytes, ReplaceCommit, true); err != 0)
            reason = FileErrorReason(err);
    }
    if (error && !reason.isEmpty())
        *error = WriteFailure(path, reason);
    return reason.isEmpty();
}

NewFileOutcome WriteNewFileAtomically(const QString& path, const QByteArray& bytes,
                                      QString* error) {
    auto fail = [&](NewFileOutcome outcome, const QString& reason) {
        if (error)
            *error = WriteFailure(path, reason);
        return outcome;
    };
    QString final;
    if (const QString reason = WriteTargetProblem(path, final); !reason.isEmpty())
        return fail(NewFileOutcome::Failed, reason);
    const int err = WriteAndCommit(final, bytes, NoReplaceCommit, false);
    if (err == EEXIST)
        return fail(NewFileOutcome::Exists, FileErrorReason(err));
    if (err != 0)
        return fail(NewFileOutcome::Failed, FileErrorReason(err));
    return NewFileOutcome::Written;
}

bool WriteIntoDevice(const QString& path, const QByteArray& bytes, QString* error) {
    const Descriptor fd(::open(Native(path).constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    const int err = fd.get() < 0 ? errno : WriteAll(fd.get(), bytes);
    if (err != 0 && error)
        *error = WriteFailure(path, FileErrorReason(err));
    return err == 0;
}

std::optional<QByteArray> ReadWholeFile(const QString& path, QString* error) {
    auto fail = [&](const QString& reason) -> std::optional<QByteArray> {
        if (error)
            *error = QStringLiteral("Could not read %1: %2").arg(path, reason);
        return std::nullopt;
    };
    QString reason;
    const Descriptor fd(OpenRegular(path, reason));
    if (fd.get() < 0)
        return fail(reason);
    QByteArray bytes;
    for (;;) {
        const qsizetype start = bytes.size();
        bytes.resize(start + ReadChunk);
        const ssize_t count = ::read(fd.get(), bytes.data() + start, ReadChunk);
        if (count < 0 && errno == EINTR) {
            bytes.resize(start);
            continue;
        }
        if (count < 0)
            return fail(FileErrorReason(errno));
        bytes.resize(start + count);
        if (count == 0)
            return bytes;
    }
}
