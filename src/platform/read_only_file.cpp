#include "read_only_file.h"

#include "file_error.h"

#include <limits>
#include <tuple>
#include <unistd.h>

namespace {

// What changes when a file is written to.
auto stamp(const struct stat &s)
{
    return std::tie(s.st_dev, s.st_ino, s.st_size, s.st_mtim.tv_sec, s.st_mtim.tv_nsec,
        s.st_ctim.tv_sec, s.st_ctim.tv_nsec);
}

}  // namespace

ReadOnlyFile::ReadOnlyFile(
    int fd, const struct stat &status, QString path, std::shared_ptr<std::atomic<qint64>> bytesRead)
    : mFd(fd), mStatus(status), mPath(std::move(path)), mBytesRead(std::move(bytesRead))
{
    mFacts.size = status.st_size;
    // A time further off than milliseconds in 64 bits reach (292 million years) is not known:
    // no date rather than a wrong one.
    constexpr qint64 MostSeconds = std::numeric_limits<qint64>::max() / 1000 - 1;
    const qint64 seconds = status.st_mtim.tv_sec;
    if (seconds >= -MostSeconds && seconds <= MostSeconds)
        mFacts.modified = QDateTime::fromMSecsSinceEpoch(
            seconds * 1000 + status.st_mtim.tv_nsec / 1000000, Qt::UTC);
}

ReadOnlyFile::~ReadOnlyFile() { ::close(mFd); }

QByteArray ReadOnlyFile::readAt(qint64 offset, qint64 length) const
{
    QByteArray data(length, Qt::Uninitialized);
    qint64 done = 0;
    while (done != length) {
        const ssize_t got
            = ::pread(mFd, data.data() + done, size_t(length - done), off_t(offset + done));
        if (got > 0)
            done += got;
        else if (got == 0)
            break;  // the file ends here
        else if (errno != EINTR)
            throw FileError(mPath, FileError::systemReason());
    }
    *mBytesRead += done;
    return data.left(done);
}

bool ReadOnlyFile::changedSinceOpened() const
{
    struct stat now { };
    return ::fstat(mFd, &now) != 0 || stamp(mStatus) != stamp(now);
}
