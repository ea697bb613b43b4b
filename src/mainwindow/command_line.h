#pragma once

#include <QStringList>

#include <functional>

struct CommandLineFile {
    QString path;        // empty when none is named
    QStringList unused;  // arguments that name nothing we open
};

// The style file that the window's command line names. The arguments are one path joined with
// blanks, so that an unquoted path with blanks still opens, and its double quotes are removed,
// unless the text as given names a file (a Linux file name may hold a double quote). When several
// arguments do not make one path but the first names a file, that one is opened and the rest
// are not used.
[[nodiscard]] CommandLineFile commandLineFile(
    const QStringList &arguments, const std::function<bool(const QString &)> &exists);
