#include "read_only_file.h"

#include "file_error.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {
constexpr qint64 ReadBlock = 16 << 20;
}

ReadOnlyFile::ReadOnlyFile(int fd, QString path) : mFd(fd), mPath(std::move(path)) {}

ReadOnlyFile::~ReadOnlyFile() { close(); }

QByteArray ReadOnlyFile::readAt(qint64 offset, qint64 length) const
{
    QByteArray data;
    while (length > 0 && mFd >= 0) {
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
        if (got == 0)
            break;
        length -= got;
    }
    return data;
}

void ReadOnlyFile::close()
{
    if (mFd >= 0)
        ::close(mFd);
    mFd = -1;
}
