#pragma once

#include <QCoreApplication>
#include <QString>

#include <exception>

// A style file whose tables contradict themselves or the file's length; the text says what is
// wrong in plain words. It stays inside the walkers: the loader makes it a Problem.
class DamagedFile : public std::exception {
    Q_DECLARE_TR_FUNCTIONS(DamagedFile)

public:
    explicit DamagedFile(QString problem) : mProblem(std::move(problem)) { }

    [[nodiscard]] const char *what() const noexcept override { return "damaged style file"; }
    [[nodiscard]] const QString &problem() const { return mProblem; }

private:
    QString mProblem;
};
