#pragma once

#include "styles/current_file.h"

#include <array>

using FileInfoCaptions = std::array<QString, 6>;

// The six values of the file information panel, each with one blank on the side away from its
// alignment: name, size, date, family, usable count, ghost count. The report repeats them.
[[nodiscard]] FileInfoCaptions FileInfoCaptionsFor(const CurrentFile &file);

// What the family caption shows for a tag we do not recognise.
inline const QString UnknownFamilyCaption = QStringLiteral(" Unknown format");
