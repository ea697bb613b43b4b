#pragma once

#include "read_only_file.h"
#include "text_writer.h"

#include <QDateTime>
#include <QString>

#include <memory>

struct FileFacts {
    QString name;  // without folder
    qint64 size = 0;
    QDateTime modified;
};

// Every file access of the program; failures throw FileError. Reading is for regular files
// only, so that a folder, a FIFO or a device that happens to be called x.STY is refused at once
// instead of blocking the window.
class FileService {
public:
    virtual ~FileService() = default;

    [[nodiscard]] virtual FileFacts facts(const QString &path) const;
    [[nodiscard]] virtual std::unique_ptr<ReadOnlyFile> openForReading(const QString &path) const;
    [[nodiscard]] bool exists(const QString &path) const;
    // A report file that replaces `path` when it is committed.
    [[nodiscard]] std::unique_ptr<TextWriter> createTextFile(const QString &path) const;
};
