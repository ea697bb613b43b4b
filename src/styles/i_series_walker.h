#pragma once

#include "byte_source.h"
#include "known_formats.h"
#include "style_walk.h"

// Largest block that still makes a ghost style.
constexpr qint32 GhostStyleMaxSize = 1176;

// One entry per filled slot of an i-series file, numbered by slot; empty slots have no entry. Of
// each block only the name at its start is read. A file shorter than its header lists nothing; a
// block cut short by the end of the file ends the walk, the whole blocks before it listed.
[[nodiscard]] StyleWalk walkISeriesFile(ByteSource &source, const ISeriesLayout &layout);
