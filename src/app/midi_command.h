#pragma once

#include "platform/file_service.h"

#include <QStringList>

#include <cstdio>

// quarv-midi: the music of each style of each FILE, or of each style file below a FOLDER, as
// Standard MIDI Files the way the instrument exports them, below a folder (see
// exportStyleMusic()). Each path written is one line on `out`; each problem one line on `err`,
// and so is each style whose music is not known. Returns 0 when no file raised a problem, 1 when
// one did or when `out` could not be written to, 2 for a usage error.
int runMidiCommand(
    const QStringList &arguments, std::FILE *out, std::FILE *err, const FileService &files);
