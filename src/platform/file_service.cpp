#include "file_service.h"

#include "file_error.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemReason() { return QString::fromLocal8Bit(std::strerror(errno)); }

void requireRegular(const QString &path, const struct stat &st)
{
    if (S_ISDIR(st.st_mode))
        throw FileError(path, QStringLiteral("this is a folder, not a file"));
    if (!S_ISREG(st.st_mode))
        throw FileError(path, QStringLiteral("this is not a regular file"));
}

} // namespace

FileFacts FileService::facts(const QString &path) const
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        throw FileError(path, systemReason());
    requireRegular(path, st);

    FileFacts facts;
    facts.name = QFileInfo(path).fileName();
    facts.size = st.st_size;
    facts.modified = QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec);
    return facts;
}

std::unique_ptr<ReadOnlyFile> FileService::openForReading(const QString &path) const
{
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw FileError(path, systemReason());
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const QString reason = systemReason();
        ::close(fd);
        throw FileError(path, reason);
    }
    try {
        requireRegular(path, st);
    } catch (...) {
        ::close(fd);
        throw;
    }
    return std::make_unique<ReadOnlyFile>(fd, path);
}

bool FileService::exists(const QString &path) const { return QFileInfo::exists(path); }

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
