#pragma once

#include "platform/file_service.h"
#include "styles/style_file.h"
#include "styles/style_music.h"

#include <QCache>

#include <optional>

// The music of one style of a library, read from its file when it is first asked for, the last
// few styles' kept: moving back and forth over the rows costs nothing.
class StyleMusicCache {
public:
    explicit StyleMusicCache(const FileService &files) : mFiles(files) { }

    struct Found {
        std::optional<StyleMusic> music;
        QString why;  // why there is none: "The music of i-series styles is not known."
    };
    [[nodiscard]] Found find(const StyleFile &file, const StyleEntry &style);

private:
    const FileService &mFiles;
    QCache<QString, Found> mFound {8};
};
