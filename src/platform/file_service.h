#pragma once

#include "output_folder.h"
#include "read_only_file.h"
#include "text_writer.h"

#include <QString>

#include <atomic>
#include <memory>
#include <vector>

// One entry of a folder: its name, and what it is (a symbolic link counts as what it points to).
struct FolderEntry {
    enum Kind { Folder, File, Other };
    QString name;
    Kind kind = Other;
};

// A folder's entries, and its identity (device and inode), which tells a folder reached twice
// through symbolic links.
struct FolderListing {
    QString identity;
    std::vector<FolderEntry> entries;
};

// Every file access of the program; failures throw FileError. Paths may hold bytes that are
// not UTF-8 (see file_name.h). Reading is for regular files only, so that a folder, a FIFO or a
// device that happens to be called x.STY is refused at once instead of blocking the window.
class FileService {
public:
    virtual ~FileService() = default;

    [[nodiscard]] virtual std::unique_ptr<ReadOnlyFile> openForReading(const QString &path) const;
    [[nodiscard]] bool exists(const QString &path) const;
    [[nodiscard]] bool isFolder(const QString &path) const;
    // The entries of a folder, and its identity.
    [[nodiscard]] virtual FolderListing listFolder(const QString &path) const;
    // What tells one file or folder from another, whatever path leads to it: device and inode,
    // or empty text when there is nothing at `path`.
    [[nodiscard]] QString identity(const QString &path) const;
    // A report file that replaces `path` when it is committed.
    [[nodiscard]] std::unique_ptr<TextWriter> createTextFile(const QString &path) const;
    // A folder to write files into, made with those above it that are not there yet.
    [[nodiscard]] std::unique_ptr<OutputFolder> createFolder(const QString &path) const;

    // Bytes read so far through the files this service opened.
    [[nodiscard]] qint64 bytesRead() const { return *mBytesRead; }

private:
    // Shared with the files opened, which may outlive the service.
    std::shared_ptr<std::atomic<qint64>> mBytesRead = std::make_shared<std::atomic<qint64>>(0);
};
