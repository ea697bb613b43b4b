#pragma once

#include "current_file.h"

// The part of a load that works on the bytes read: the header sample sets the tag, the tag is
// recognised, and the family's walker fills StyleList and the counters. Returns false for a tag
// we do not recognise (nothing is walked); throws DamagedFile for a damaged file.
[[nodiscard]] bool ReadStyleBytes(const QByteArray &bytes, CurrentFile &file);
