#pragma once

#include <QByteArray>
#include <QString>

// A regular file open for reading; it is closed when this goes.
class ReadOnlyFile {
public:
    ReadOnlyFile(int fd, QString path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile &) = delete;
    ReadOnlyFile &operator=(const ReadOnlyFile &) = delete;

    // The `length` bytes from `offset`, or fewer when the file ends first. Throws FileError.
    [[nodiscard]] QByteArray readAt(qint64 offset, qint64 length) const;
    void close();

private:
    int mFd;
    QString mPath;
};
