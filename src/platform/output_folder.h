#pragma once

#include <QByteArrayView>
#include <QString>

#include <sys/types.h>

// A folder that whole files are written into, made along with the folders above it that are not
// there yet. It stays open while it is written to, so that a file costs a few system calls
// however deep the folder lies. A file is written without a name (one that replaces another,
// under a name of its own beside it), flushed to its disk, then named in one step: nobody sees
// it half written, and a file already there is never overwritten by accident. Failures throw
// FileError.
class OutputFolder {
public:
    explicit OutputFolder(const QString &path);
    ~OutputFolder();
    OutputFolder(const OutputFolder &) = delete;
    OutputFolder &operator=(const OutputFolder &) = delete;

    [[nodiscard]] QString filePath(const QString &name) const;
    // The file `name` holding `bytes`. One already there stays unless `replace`; then it is
    // replaced whole, keeping its permissions.
    void write(const QString &name, QByteArrayView bytes, bool replace) const;

private:
    void replaceFile(const QString &path, const QByteArray &target, mode_t permissions,
        QByteArrayView bytes) const;

    QString mPath;
    int mFd = -1;
};
