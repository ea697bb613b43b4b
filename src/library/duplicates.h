#pragma once

#include "library_catalogue.h"

#include <QSet>

#include <functional>

// The styles of a library (by their place in it) that have a twin elsewhere in it: equal names,
// equal sizes and equal bytes. Only styles whose names and sizes match are read (their bytes,
// on demand from their files), so finding them costs nothing in a library without look-alikes.
// Stops early, with what it found so far, when `canceled` says so.
[[nodiscard]] QSet<int> findDuplicates(const LibraryCatalogue &library, const FileService &files,
    const std::function<bool()> &canceled);
