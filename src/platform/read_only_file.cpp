#include "read_only_file.h"

#include "file_error.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

constexpr qint64 ReadBlock = 16 << 20;

bool sameStamp(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size
        && a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec
        && a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

}  // namespace

ReadOnlyFile::ReadOnlyFile(
    int fd, const struct stat &status, QString path, std::shared_ptr<std::atomic<qint64>> bytesRead)
    : mFd(fd), mStatus(status), mPath(std::move(path)), mBytesRead(std::move(bytesRead))
{
    mFacts.size = status.st_size;
    mFacts.modified = QDateTime::fromMSecsSinceEpoch(
        qint64(status.st_mtim.tv_sec) * 1000 + status.st_mtim.tv_nsec / 1000000, Qt::UTC);
}

ReadOnlyFile::~ReadOnlyFile() { ::close(mFd); }

QByteArray ReadOnlyFile::readAt(qint64 offset, qint64 length) const
{
    QByteArray data;
    while (length > 0) {
        const qint64 want = qMin(length, ReadBlock);
        const qsizetype had = data.size();
        data.resize(had + want);
        const ssize_t got = ::pread(mFd, data.data() + had, size_t(want), off_t(offset + had));
        if (got < 0 && errno == EINTR) {
            data.resize(had);
            continue;
        }
        if (got < 0)
            throw FileError(mPath, QString::fromLocal8Bit(std::strerror(errno)));
        data.resize(had + got);
        *mBytesRead += got;
        if (got == 0)
            break;
        length -= got;
    }
    return data;
}

bool ReadOnlyFile::changedSinceOpened() const
{
    struct stat now { };
    return ::fstat(mFd, &now) != 0 || !sameStamp(mStatus, now);
}
