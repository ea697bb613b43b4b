#pragma once

#include "platform/file_service.h"
#include "platform/problem.h"

#include <QStringList>

#include <functional>
#include <optional>

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

// A style file that an argument names, or a problem that an argument met: a folder below it that
// could not be read, or no style file at all.
struct NamedStyleFile {
    QString path;
    std::optional<Problem> problem;  // none for a style file to load
};

// The style files that command-line arguments name, in their order: a folder stands for the style
// files below it and the problems met on the way, in the byte order of their paths; every other
// name stays as it was given.
[[nodiscard]] QList<NamedStyleFile> styleFilesNamedBy(
    const QStringList &names, const FileService &files);

// Whether a file name ends in ".STY", in any letter case.
[[nodiscard]] bool isStyleFileName(const QString &name);
