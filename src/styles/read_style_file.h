#pragma once

#include "byte_source.h"
#include "style_file.h"

// The part of a load that reads the file's bytes: the header sample sets the tag, and the walker
// of a recognised format fills the styles. Returns false for a tag we do not recognise; throws
// DamagedFile, leaving the styles found before the damage.
[[nodiscard]] bool readStyleFile(ByteSource &source, StyleFile &file);
