#pragma once

#include "byte_source.h"
#include "current_file.h"

// Fills StyleList with one record per slot of an i-series file, using the file's
// FormatParameters, and counts usable and ghost styles. A file shorter than its header throws
// DamagedFile with nothing listed; a block cut short by the end of the file throws DamagedFile
// after the slots before it have been listed and counted.
void WalkISeriesFile(ByteSource &source, CurrentFile &file);

// Largest block that still makes a ghost style.
constexpr qint32 GhostStyleMaxSize = 1176;
