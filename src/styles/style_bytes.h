#pragma once

#include "platform/file_error.h"
#include "platform/file_service.h"
#include "style_file.h"

enum class StylePart { Main, Supplementary };

// A loaded style file open again, to read its styles' bytes now: a load reads only what it shows.
class StyleBytes {
public:
    // Throws FileError when the file cannot be read, or is no longer the file that was loaded
    // (its size or modification time differ).
    StyleBytes(const StyleFile &file, const FileService &files);

    // One part of one of its styles. Throws FileError when the bytes are not all there or the
    // file changes while they are read.
    [[nodiscard]] QByteArray read(const StyleEntry &style, StylePart part) const;

private:
    [[nodiscard]] FileError changed() const;

    const StyleFile &mFile;
    std::unique_ptr<ReadOnlyFile> mInput;
};
