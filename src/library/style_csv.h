#pragma once

#include "styles/style_details.h"
#include "styles/style_file.h"

#include <QByteArray>

// The styles of style files as CSV (RFC 4180, UTF-8, lines ending in CR LF), one row per style:
// path, file name, tag, family, number, slot, name, size, supplementary size, ghost. Texts are
// escaped ("\\", "\n", "\r", "\t", "\xHH" for other control characters and for bytes of a
// file name that are not UTF-8), and a cell that would begin with "=", "+", "-" or "@" begins
// with "'" instead, so that no spreadsheet takes it for a formula.
// With the styles' details, three columns more: meter, tempo, damaged (the message), each empty
// where it is not known or does not apply.
[[nodiscard]] QByteArray csvHeaderLine(bool withDetails = false);
[[nodiscard]] QByteArray csvLine(const QString &path, const StyleFile &file,
    const StyleEntry &style, const StyleDetails *details = nullptr);
