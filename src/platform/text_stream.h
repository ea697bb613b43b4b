#pragma once

#include <QByteArray>
#include <QString>

// A reading stream on one regular file, 8-bit: every byte is one character.
class TextStream {
public:
    TextStream(int fd, QString path);
    ~TextStream();
    TextStream(const TextStream &) = delete;
    TextStream &operator=(const TextStream &) = delete;

    // The next n bytes, or fewer when the file ends first; nothing once the end is reached.
    [[nodiscard]] QByteArray Read(qint64 n);
    void Skip(qint64 n);
    // The n bytes from `offset`, or fewer when the file ends first; the position stays.
    [[nodiscard]] QByteArray ReadAt(qint64 offset, qint64 n);
    void Close();

private:
    [[nodiscard]] QByteArray readLoop(qint64 n, qint64 offset);

    int mFd;
    QString mPath;
};
