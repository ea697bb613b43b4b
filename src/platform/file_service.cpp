#include "file_service.h"

#include "file_error.h"
#include "file_name.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Device and inode: the same for every path that leads to a file or folder.
QString identityOf(const struct stat &status)
{
    return QStringLiteral("%1:%2").arg(status.st_dev).arg(status.st_ino);
}

}  // namespace

std::unique_ptr<ReadOnlyFile> FileService::openForReading(const QString &path) const
{
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const int fd = ::open(encodeFileName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw FileError(path, FileError::systemReason());
    struct stat status { };
    QString problem;
    if (::fstat(fd, &status) != 0)
        problem = FileError::systemReason();
    else if (S_ISDIR(status.st_mode))
        problem = FileError::tr("this is a folder, not a file");
    else if (!S_ISREG(status.st_mode))
        problem = FileError::tr("this is not a regular file");
    if (!problem.isNull()) {
        ::close(fd);
        throw FileError(path, problem);
    }
    return std::make_unique<ReadOnlyFile>(fd, status, path, mBytesRead);
}

bool FileService::exists(const QString &path) const
{
    return ::access(encodeFileName(path).constData(), F_OK) == 0;
}

bool FileService::isFolder(const QString &path) const
{
    struct stat status { };
    return ::stat(encodeFileName(path).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

FolderListing FileService::listFolder(const QString &path) const
{
    const int fd = ::open(encodeFileName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *folder = fd < 0 ? nullptr : ::fdopendir(fd);
    if (folder == nullptr) {
        const QString reason = FileError::systemReason();
        if (fd >= 0)
            ::close(fd);
        throw FileError(path, reason);
    }
    FolderListing listing;
    struct stat status { };
    if (::fstat(fd, &status) == 0)
        listing.identity = identityOf(status);
    errno = 0;
    while (const dirent *entry = ::readdir(folder)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        FolderEntry found {decodeFileName(name), FolderEntry::Other};
        if (entry->d_type == DT_DIR || entry->d_type == DT_REG) {
            found.kind = entry->d_type == DT_DIR ? FolderEntry::Folder : FolderEntry::File;
        } else if (::fstatat(fd, entry->d_name, &status, 0) == 0) {
            // A link counts as what it points to; some file systems do not say what an entry is.
            found.kind = S_ISDIR(status.st_mode) ? FolderEntry::Folder
                : S_ISREG(status.st_mode)        ? FolderEntry::File
                                                 : FolderEntry::Other;
        }
        listing.entries.push_back(found);
        errno = 0;
    }
    const QString reason = errno != 0 ? FileError::systemReason() : QString();
    ::closedir(folder);
    if (!reason.isNull())
        throw FileError(path, reason);
    return listing;
}

std::unique_ptr<TextWriter> FileService::createTextFile(const QString &path) const
{
    struct stat status { };
    if (::stat(encodeFileName(path).constData(), &status) == 0) {
        if (S_ISDIR(status.st_mode))
            throw FileError(path, FileError::tr("this is a folder, not a file"));
        if (S_ISREG(status.st_mode) && (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            throw FileError(path, FileError::tr("the file is read-only"));
    }
    return std::make_unique<TextWriter>(path);
}

QString FileService::identity(const QString &path) const
{
    struct stat status { };
    return ::stat(encodeFileName(path).constData(), &status) == 0 ? identityOf(status) : QString();
}

std::unique_ptr<OutputFolder> FileService::createFolder(const QString &path) const
{
    return std::make_unique<OutputFolder>(path);
}
