#pragma once

#include <QCoreApplication>
#include <QString>

#include <stdexcept>

// A failure of the file service: which file, and the system's reason in plain words.
class FileError : public std::runtime_error {
    Q_DECLARE_TR_FUNCTIONS(FileError)

public:
    FileError(const QString &path, const QString &reason);

    [[nodiscard]] const QString &path() const { return mPath; }
    [[nodiscard]] const QString &reason() const { return mReason; }
    // "Cannot read <path>: <reason>." and "Cannot write ...", the path as people can read it.
    [[nodiscard]] QString readMessage() const;
    [[nodiscard]] QString writeMessage() const;

private:
    QString mPath;
    QString mReason;
};
