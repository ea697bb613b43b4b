#include "text_stream.h"

#include "file_error.h"

#include <QtGlobal>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {
constexpr qint64 ReadBlock = 16 << 20;
}

TextStream::TextStream(int fd, QString path) : mFd(fd), mPath(std::move(path)) {}

TextStream::~TextStream() { Close(); }

QByteArray TextStream::Read(qint64 n) { return readLoop(n, -1); }

QByteArray TextStream::ReadAt(qint64 offset, qint64 n) { return readLoop(n, offset); }

// Reads from the current position when offset is negative, else from offset without moving.
QByteArray TextStream::readLoop(qint64 n, qint64 offset)
{
    QByteArray data;
    while (n > 0 && mFd >= 0) {
        const qint64 want = qMin(n, ReadBlock);
        const qsizetype had = data.size();
        data.resize(had + want);
        const ssize_t got = offset < 0 ? ::read(mFd, data.data() + had, size_t(want))
                                       : ::pread(mFd, data.data() + had, size_t(want), off_t(offset + had));
        if (got < 0 && errno == EINTR) {
            data.resize(had);
            continue;
        }
        if (got < 0)
            throw FileError(mPath, QString::fromLocal8Bit(std::strerror(errno)));
        data.resize(had + got);
        if (got == 0)
            break;
        n -= got;
    }
    return data;
}

void TextStream::Skip(qint64 n)
{
    if (n > 0 && mFd >= 0 && ::lseek(mFd, off_t(n), SEEK_CUR) < 0)
        throw FileError(mPath, QString::fromLocal8Bit(std::strerror(errno)));
}

void TextStream::Close()
{
    if (mFd >= 0)
        ::close(mFd);
    mFd = -1;
}
