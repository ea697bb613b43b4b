#pragma once

#include "platform/file_service.h"

#include <QStringList>

#include <functional>

// A folder below that could not be read, and the system's reason.
struct FolderProblem {
    QString path;
    QString reason;
};

// The style files below a folder, as quarv-report and the library window list them.
struct StyleFolder {
    QStringList files;  // every file at any depth whose name ends in ".STY" in any letter case
    QList<FolderProblem> problems;
};

// Walks `folder` and the folders below it, each folder's entries in the byte order of their
// paths; symbolic links to folders are followed, but no folder is entered twice, so links cannot
// loop, and a folder reached by several paths is listed under the first in byte order, on every
// file system. The files come in the byte order of their paths, the same whatever the locale;
// other files are passed over. The walk ends early, with what it found, once `canceled` says so.
[[nodiscard]] StyleFolder findStyleFiles(
    const QString &folder, const FileService &files,
    const std::function<bool()> &canceled = [] { return false; });

// Whether a file name ends in ".STY", in any letter case.
[[nodiscard]] bool isStyleFileName(const QString &name);
