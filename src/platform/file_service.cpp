#include "file_service.h"

#include "file_error.h"
#include "file_name.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
QString systemReason() { return QString::fromLocal8Bit(std::strerror(errno)); }
}

std::unique_ptr<ReadOnlyFile> FileService::openForReading(const QString &path) const
{
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const int fd = ::open(encodeFileName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw FileError(path, systemReason());
    struct stat status {};
    QString problem;
    if (::fstat(fd, &status) != 0)
        problem = systemReason();
    else if (S_ISDIR(status.st_mode))
        problem = QStringLiteral("this is a folder, not a file");
    else if (!S_ISREG(status.st_mode))
        problem = QStringLiteral("this is not a regular file");
    if (!problem.isNull()) {
        ::close(fd);
        throw FileError(path, problem);
    }
    return std::make_unique<ReadOnlyFile>(fd, status, path, mBytesRead);
}

bool FileService::exists(const QString &path) const { return ::access(encodeFileName(path).constData(), F_OK) == 0; }

std::unique_ptr<TextWriter> FileService::createTextFile(const QString &path) const
{
    const QFileInfo target(path);
    constexpr auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (target.exists() && target.isFile() && !(target.permissions() & anyWrite))
        throw FileError(path, QStringLiteral("the file is read-only"));
    if (target.isDir())
        throw FileError(path, QStringLiteral("this is a folder, not a file"));
    return std::make_unique<TextWriter>(path);
}
