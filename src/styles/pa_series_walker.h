#pragma once

#include "byte_source.h"
#include "style_walk.h"

// The styles of a "KORF" file, from its trailer's chunk table and its directory; the chunks
// themselves are not read. Chunk i belongs to directory record i: a style's chunk is its main
// part, the k-th performance record's chunk the supplementary part of the k-th style. A damaged
// file lists nothing.
[[nodiscard]] StyleWalk walkPaSeriesFile(ByteSource &source, bool newerDirectory);
