#pragma once

#include "styles/style_details.h"
#include "styles/style_file.h"

#include <QByteArray>

// The styles of style files as CSV (RFC 4180, UTF-8, lines ending in CR LF), one row per style:
// path, file name, tag, family, number, slot, name, size, supplementary size, ghost. Texts are
// escaped so that each has its own cell and a script can undo it: "\\" for a backslash, "\n",
// "\r", "\t", "\xHH" for the other C0 controls, DEL, a "'" that begins the text before "=",
// "+", "-" or "@", and a byte of a name that is not UTF-8; "\u00HH" for the C1 controls. A cell
// that would begin with "=", "+", "-" or "@" begins with "'" instead, so that no spreadsheet
// takes it for a formula.
// With the styles' details, four columns more: meter, tempo, damaged (the message) and elements
// (those that hold music, in the instrument's order: "V1 V2 IN1"), each empty where it is not
// known or does not apply.
[[nodiscard]] QByteArray csvHeaderLine(bool withDetails = false);
[[nodiscard]] QByteArray csvLine(const QString &path, const StyleFile &file,
    const StyleEntry &style, const StyleDetails *details = nullptr);
