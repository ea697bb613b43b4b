#pragma once

#include <QCoreApplication>
#include <QString>

#include <stdexcept>

// A style file whose tables contradict themselves or the file's length; the text says what is
// wrong in plain words and becomes the "Damaged style file:" message.
class DamagedFile : public std::runtime_error {
    Q_DECLARE_TR_FUNCTIONS(DamagedFile)

public:
    explicit DamagedFile(const QString &problem) : std::runtime_error(problem.toStdString()) { }

    [[nodiscard]] QString problem() const { return QString::fromStdString(what()); }
};
