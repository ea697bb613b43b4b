#pragma once

#include "platform/file_service.h"
#include "platform/problem.h"
#include "style_file.h"

#include <optional>

struct LoadResult {
    std::optional<StyleFile> file;   // what to show; none when the file could not be read at all
    std::optional<Problem> problem;  // what went wrong, if anything
};

// Opens a style file: names that do not end in ".STY" (any letter case) are refused, the rest
// read through `files`. A damaged file still gives its facts and the styles before the damage.
[[nodiscard]] LoadResult loadStyleFile(const QString &path, const FileService &files);
