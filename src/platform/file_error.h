#pragma once

#include "problem.h"

#include <QCoreApplication>
#include <QString>

#include <cerrno>
#include <cstring>
#include <exception>

// A failure of the file service: which file, and the system's reason in plain words. It stays
// inside the layers that read and write; what leaves them is its Problem.
class FileError : public std::exception {
    Q_DECLARE_TR_FUNCTIONS(FileError)

public:
    FileError(QString path, QString reason) : mPath(std::move(path)), mReason(std::move(reason)) { }

    // The system's reason for the call that failed last, in its words.
    [[nodiscard]] static QString systemReason()
    {
        return QString::fromLocal8Bit(std::strerror(errno));
    }

    [[nodiscard]] const char *what() const noexcept override { return "file error"; }
    [[nodiscard]] const QString &path() const { return mPath; }
    [[nodiscard]] const QString &reason() const { return mReason; }
    [[nodiscard]] Problem readProblem() const
    {
        return {Problem::Kind::CannotRead, mPath, mReason};
    }
    [[nodiscard]] Problem writeProblem() const
    {
        return {Problem::Kind::CannotWrite, mPath, mReason};
    }

private:
    QString mPath;
    QString mReason;
};
