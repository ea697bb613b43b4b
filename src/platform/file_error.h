#pragma once

#include <QString>

#include <stdexcept>

// A failure of the file service: which file, and the system's reason in plain words.
class FileError : public std::runtime_error {
public:
    FileError(const QString &path, const QString &reason);

    [[nodiscard]] const QString &path() const { return mPath; }
    [[nodiscard]] const QString &reason() const { return mReason; }
    // "<verb> <path>: <reason>.", the path as people can read it.
    [[nodiscard]] QString message(const QString &verb) const;

private:
    QString mPath;
    QString mReason;
};
