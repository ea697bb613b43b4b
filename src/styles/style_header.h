#pragma once

#include "byte_source.h"
#include "known_formats.h"

#include <QByteArray>

// How many bytes of a file decide its format: the tags and the Pa-series header's variant bytes
// (28, 29, 34) lie in them.
constexpr qsizetype HeaderSampleLength = 36;

// What a style file's first bytes say it is.
struct StyleHeader {
    QByteArray tag;                       // a known format's tag, else the first five bytes
    const KnownFormat *format = nullptr;  // null for a format Quarv does not read
    bool pa1x = false;                    // a "KORF" file whose byte 34 is 6
};

// The first row of the format table whose tag stands at its offset in `sample` (and, for the
// Pa-series, whose header variant the sample has, and which allows the bank's first style chunk
// as it is: compressed or not).
[[nodiscard]] StyleHeader recogniseHeader(
    const QByteArray &sample, bool firstStyleCompressed = false);
// The same from the first bytes of a file.
[[nodiscard]] StyleHeader readStyleHeader(ByteSource &source, bool firstStyleCompressed = false);
