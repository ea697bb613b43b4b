#pragma once

#include "platform/file_service.h"

#include <QStringList>

// The style files below a folder, as quarv-report and the library window list them.
struct StyleFolder {
    QStringList files;     // every file at any depth whose name ends in ".STY" in any letter case
    QStringList problems;  // "<folder>: <reason>" for each folder below that could not be read
};

// Walks `folder` and the folders below it; symbolic links to folders are followed, but no folder
// is entered twice, so links cannot loop. The files come in the byte order of their paths, the
// same whatever the locale; other files are passed over.
[[nodiscard]] StyleFolder findStyleFiles(const QString &folder, const FileService &files);

// Whether a file name ends in ".STY", in any letter case.
[[nodiscard]] bool isStyleFileName(const QString &name);
