#pragma once

#include "platform/file_service.h"
#include "style_file.h"

enum class StylePart { Main, Supplementary };

// The bytes of one part of a loaded style, read from its file now: a load reads only what it
// shows. Throws FileError when the file cannot be read, or is no longer the file that was
// loaded (its size or modification time differ, or it changes while being read).
[[nodiscard]] QByteArray readStyleBytes(
    const StyleFile &file, const StyleEntry &style, StylePart part, const FileService &files);
