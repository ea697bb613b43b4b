#pragma once

#include "styles/style_file.h"

#include <array>

using FileInfoCaptions = std::array<QString, 6>;

// The six values of the file information panel, each with one blank on the side away from its
// alignment: name, size, date, family, usable count, ghost count. The report repeats them.
[[nodiscard]] FileInfoCaptions fileInfoCaptions(const StyleFile &file);
