#pragma once

#include "byte_source.h"
#include "current_file.h"

// The part of a load that reads the file's content: the header sample sets the tag, the tag is
// recognised, and the family's walker fills StyleList and the counters. Returns false for a tag
// we do not recognise (nothing is walked); throws DamagedFile for a damaged file.
[[nodiscard]] bool ReadStyleFile(ByteSource &source, CurrentFile &file);
