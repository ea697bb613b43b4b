#pragma once

#include "text_stream.h"
#include "text_writer.h"

#include <QDateTime>
#include <QString>

#include <memory>

struct FileFacts {
    QString Name;  // without folder
    qint64 Size = 0;
    QDateTime DateLastModified;
};

// Every file access of the program. Reading is for regular files only, so that a folder, a FIFO
// or a device that happens to be called x.STY is refused at once instead of blocking the window.
class FileService {
public:
    virtual ~FileService() = default;

    [[nodiscard]] virtual FileFacts GetFile(const QString &path) const;
    [[nodiscard]] virtual std::unique_ptr<TextStream> OpenTextFile(const QString &path) const;
    [[nodiscard]] bool FileExists(const QString &path) const;
    [[nodiscard]] std::unique_ptr<TextWriter> CreateTextFile(const QString &path) const;
};
