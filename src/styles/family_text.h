#pragma once

#include "current_file.h"

// The instrument family and tag as the panel shows them (" Pa50/60/80 (KORF)"), or a null
// string for a tag we do not recognise.
[[nodiscard]] QString FamilyText(const CurrentFile &file);
