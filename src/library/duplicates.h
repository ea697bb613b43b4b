#pragma once

#include "library_catalogue.h"

#include <QSet>

// Duplicates are styles with equal names, equal sizes and equal bytes. Finding them goes in three
// steps, so that the reading in the middle can run on a pool, a file at a time, and be counted.

// The styles that look alike (equal names and sizes, more than one of each), grouped by file:
// only they are read, so a library without look-alikes costs nothing to check.
struct DuplicateCandidates {
    StyleFile file;     // holding only the candidate styles
    QList<int> rows;    // their rows in the library, in the same order
    QList<int> groups;  // and the look-alike group of each
};
[[nodiscard]] QList<DuplicateCandidates> lookAlikes(const LibraryCatalogue &library);

// A SHA-256 of one candidate's bytes, main part then supplementary.
struct StyleDigest {
    int row = 0;
    int group = 0;
    QByteArray digest;
};
// The digests of a file's candidates, each style's bytes read once; none when the file changed
// or went since it was listed (it proves nothing either way).
[[nodiscard]] QList<StyleDigest> styleDigests(
    const DuplicateCandidates &candidates, const FileService &files);

// The rows whose digest another style of their group shares.
[[nodiscard]] QSet<int> twins(const QList<QList<StyleDigest>> &digests);
