#include "output_folder.h"

#include "file_error.h"
#include "file_name.h"
#include "text_writer.h"

#include <QFile>

#include <atomic>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The folder, after those above it where they are missing: most often only the last is.
bool makeFolders(const QByteArray &folder)
{
    if (::mkdir(folder.constData(), 0777) == 0 || errno == EEXIST)
        return true;
    const qsizetype parent = folder.lastIndexOf('/');
    return errno == ENOENT && parent > 0 && makeFolders(folder.left(parent))
        && (::mkdir(folder.constData(), 0777) == 0 || errno == EEXIST);
}

struct Descriptor {
    int fd;
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Gives the open file `fd` the name `name` in `folder`; fails with EEXIST where one is there.
// Through the descriptor where the system lets every user do that (Linux 6.10 on), else through
// /proc, a longer way.
bool giveName(int fd, int folder, const QByteArray &name)
{
    static std::atomic<bool> byDescriptor = true;
    if (byDescriptor) {
        if (::linkat(fd, "", folder, name.constData(), AT_EMPTY_PATH) == 0)
            return true;
        if (errno != ENOENT)
            return false;
        byDescriptor = false;
    }
    const QByteArray file = "/proc/self/fd/" + QByteArray::number(fd);
    return ::linkat(AT_FDCWD, file.constData(), folder, name.constData(), AT_SYMLINK_FOLLOW) == 0;
}

// All of `bytes` into the file `fd`, flushed to its disk; false with errno set where not.
bool writeWhole(int fd, QByteArrayView bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (written > 0)
            done += written;
        else if (written == 0 || errno != EINTR)
            return false;
    }
    return ::fdatasync(fd) == 0;
}

// The permissions a new file is given: 0666 less the umask, as /proc tells it (Linux 4.7 on);
// umask() tells it only by changing it for a moment under the other threads. None where unknown.
std::optional<mode_t> newFilePermissions()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return std::nullopt;
    for (const QByteArray &line : status.readAll().split('\n')) {
        bool octal = false;
        const uint mask = line.startsWith("Umask:") ? line.mid(6).trimmed().toUInt(&octal, 8) : 0;
        if (octal)
            return 0666 & ~mask;
    }
    return std::nullopt;
}

// Whether a file is called `name` in `folder`, and the permissions to keep when one is (none
// when it is not a regular file): throws unless it may be replaced.
std::optional<mode_t> replaceable(
    int folder, const QByteArray &name, const QString &path, bool replace)
{
    struct stat there { };
    if (::fstatat(folder, name.constData(), &there, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    if (!replace)
        throw FileError(path, FileError::tr("the file is already there"));
    if (S_ISDIR(there.st_mode))
        throw FileError(path, FileError::tr("this is a folder, not a file"));
    if (S_ISREG(there.st_mode) && (there.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        throw FileError(path, FileError::tr("the file is read-only"));
    return S_ISREG(there.st_mode) ? there.st_mode & 07777 : 0;
}

}  // namespace

OutputFolder::OutputFolder(const QString &path) : mPath(path)
{
    const QByteArray folder = encodeFileName(path);
    if (!makeFolders(folder))
        throw FileError(path, FileError::systemReason());
    mFd = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (mFd < 0)
        throw FileError(path,
            errno == ENOTDIR ? FileError::tr("this is not a folder") : FileError::systemReason());
}

OutputFolder::~OutputFolder() { ::close(mFd); }

QString OutputFolder::filePath(const QString &name) const { return joinPath(mPath, name); }

void OutputFolder::write(const QString &name, QByteArrayView bytes, bool replace) const
{
    const QString path = filePath(name);
    const QByteArray target = encodeFileName(name);
    // Looked for first only when it may be replaced; otherwise naming the new file tells.
    std::optional<mode_t> old;
    if (replace)
        old = replaceable(mFd, target, path, replace);
    if (old)
        return replaceFile(path, target, *old, bytes);
    const Descriptor file {::openat(mFd, ".", O_WRONLY | O_TMPFILE | O_CLOEXEC, 0666)};
    if (file.fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR)) {
        // A file system without unnamed files (FAT, some network ones): written the way reports
        // are, under a name of its own until it is whole.
        (void)replaceable(mFd, target, path, replace);
        TextWriter writer(path);
        writer.write(bytes);
        writer.commit();
        return;
    }
    if (file.fd < 0 || !writeWhole(file.fd, bytes))
        throw FileError(path, FileError::systemReason());
    if (giveName(file.fd, mFd, target))
        return;
    if (errno != EEXIST)
        throw FileError(path, FileError::systemReason());
    if (!replace)
        throw FileError(path, FileError::tr("the file is already there"));
    write(name, bytes, replace);  // made by someone else meanwhile: replaced as any other
}

void OutputFolder::replaceFile(
    const QString &path, const QByteArray &target, mode_t permissions, QByteArrayView bytes) const
{
    // Written beside the old file under a name of this write's own (two banks of one name may be
    // written to one folder side by side), then moved over it in one step.
    static const QByteArray process = QByteArray::number(::getpid());
    static std::atomic<quint64> writes = 0;
    const QByteArray beside = target + ".quarv-" + process + '-' + QByteArray::number(writes++);
    const Descriptor file {
        ::openat(mFd, beside.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)};
    if (file.fd < 0)
        throw FileError(path, FileError::systemReason());
    static const std::optional<mode_t> created = newFilePermissions();
    if (permissions != 0 && permissions != created)
        ::fchmod(file.fd, permissions);
    if (!writeWhole(file.fd, bytes)
        || ::renameat(mFd, beside.constData(), mFd, target.constData()) != 0) {
        const QString reason = FileError::systemReason();
        ::unlinkat(mFd, beside.constData(), 0);
        throw FileError(path, reason);
    }
}
