#pragma once

#include "byte_source.h"
#include "current_file.h"

// Fills StyleList with the styles of a "KORF" file and sets the counters. Chunk i belongs to
// directory record i: a style's chunk is its main part, the k-th performance record's chunk the
// supplementary part of the k-th style. A damaged file throws DamagedFile and leaves the list
// empty and both counters 0.
void WalkPaSeriesFile(ByteSource &source, CurrentFile &file);
