#include "output_folder.h"

#include "file_error.h"
#include "file_name.h"
#include "text_writer.h"

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

QString OutputFolder::filePath(const QString &name) const
{
    return mPath.endsWith(QLatin1Char('/')) ? mPath + name : mPath + QLatin1Char('/') + name;
}

void OutputFolder::write(const QString &name, QByteArrayView bytes, bool replace) const
{
    const QString path = filePath(name);
    const QByteArray target = encodeFileName(name);
    // Looked for first only when it may be replaced; otherwise naming the new file tells.
    std::optional<mode_t> old;
    if (replace)
        old = replaceable(mFd, target, path, replace);
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
    const auto fail = [&path] { throw FileError(path, FileError::systemReason()); };
    if (file.fd < 0)
        fail();
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = ::write(file.fd, bytes.data() + done, size_t(bytes.size() - done));
        if (written > 0)
            done += written;
        else if (written == 0 || errno != EINTR)
            fail();
    }
    if (::fdatasync(file.fd) != 0)
        fail();
    if (!old) {
        if (giveName(file.fd, mFd, target))
            return;
        if (errno != EEXIST)
            fail();
        if (!replace)
            throw FileError(path, FileError::tr("the file is already there"));
    }
    if (old && *old != 0)
        ::fchmod(file.fd, *old);
    // Named beside the old file first, then moved over it in one step. The name is this write's
    // own: two banks of the same name may be written to one folder side by side.
    static const QByteArray process = QByteArray::number(::getpid());
    static std::atomic<quint64> writes = 0;
    const QByteArray beside = target + ".quarv-" + process + '-' + QByteArray::number(writes++);
    if (!giveName(file.fd, mFd, beside))
        fail();
    if (::renameat(mFd, beside.constData(), mFd, target.constData()) != 0) {
        const QString reason = FileError::systemReason();
        ::unlinkat(mFd, beside.constData(), 0);
        throw FileError(path, reason);
    }
}
