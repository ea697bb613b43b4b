#pragma once

#include "platform/file_service.h"
#include "platform/problem.h"
#include "styles/style_file.h"

#include <optional>

// One style file of a library as it was read: its styles, or the problem it raised (damaged,
// unknown format, unreadable).
struct CatalogueFile {
    QString path;
    std::optional<StyleFile> file;
    std::optional<Problem> problem;
};

// Loads one file of a library: the same header-only load as everywhere.
[[nodiscard]] CatalogueFile catalogueFile(const QString &path, const FileService &files);
