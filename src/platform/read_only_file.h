#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <atomic>
#include <memory>
#include <sys/stat.h>

struct FileFacts {
    qint64 size = 0;
    QDateTime modified;  // in UTC; invalid when too far off to be known
};

// A regular file open for reading; it is closed when this goes. Its facts are those of the
// file as it was opened.
class ReadOnlyFile {
public:
    // Takes over `fd`, whose status is `status`; every byte read is added to `bytesRead`.
    ReadOnlyFile(int fd, const struct stat &status, QString path,
        std::shared_ptr<std::atomic<qint64>> bytesRead);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile &) = delete;
    ReadOnlyFile &operator=(const ReadOnlyFile &) = delete;

    [[nodiscard]] const FileFacts &facts() const { return mFacts; }
    // The `length` bytes from `offset`, or fewer when the file ends first. Throws FileError.
    [[nodiscard]] QByteArray readAt(qint64 offset, qint64 length) const;
    // Whether the file was written to since it was opened: its size, modification or change time
    // moved. (A file replaced by renaming another over it is not: we still read the one we opened.)
    [[nodiscard]] bool changedSinceOpened() const;

private:
    int mFd;
    struct stat mStatus;
    QString mPath;
    FileFacts mFacts;
    std::shared_ptr<std::atomic<qint64>> mBytesRead;
};
