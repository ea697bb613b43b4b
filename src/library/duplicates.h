#pragma once

#include "library_catalogue.h"
#include "styles/stop_flag.h"

#include <QSet>

#include <array>

// Duplicates are styles with equal names, equal sizes and equal bytes. Only look-alikes (equal
// names and sizes) are read; within each group of them, a fast hash sorts the styles, and the
// styles whose hashes agree are compared byte for byte, so that no collision of the hash,
// accidental or made on purpose, can ever call two different styles duplicates.

// One style of a look-alike group, with what it takes to read it again.
struct LookAlike {
    int row = 0;
    StyleFile file;  // its file's facts, without the file's styles
    StyleEntry style;
};
using LookAlikeGroup = QList<LookAlike>;

// The groups of look-alikes in the library, each of two styles or more.
[[nodiscard]] QList<LookAlikeGroup> lookAlikes(const LibraryCatalogue &library);

// Hands a style's bytes over, main part then supplementary, a piece at a time.
using StylePieces = std::function<void(const std::function<void(QByteArrayView)> &take)>;
// A 128-bit hash of a style's bytes.
using StyleHash = std::array<quint64, 2>;
using StyleHasher = StyleHash (*)(const StylePieces &pieces);
// XXH3, 128 bits.
[[nodiscard]] StyleHash fastHash(const StylePieces &pieces);

// What one group came to: its rows that have a twin of equal bytes (a style whose file changed or
// went since it was listed proves nothing either way), and whether it was stopped before every
// style was checked.
struct GroupResult {
    QSet<int> duplicates;
    bool stopped = false;
};

// The duplicates of one group. Once `stop` is set the group ends where it is.
[[nodiscard]] GroupResult duplicatesIn(const LookAlikeGroup &group, const FileService &files,
    const StopFlag *stop, StyleHasher hash = fastHash);
