#pragma once

#include "byte_source.h"

#include <QByteArray>

#include <vector>

// One record of a Pa-series directory: a style, or (kind 7) a style's performance data.
struct PaDirectoryRecord {
    bool isStyle = true;
    QByteArray name;  // 8-bit, or UTF-8 in the newer layout
    bool utf8Name = false;
};

constexpr quint8 PaPerformanceKind = 7;

// The first `count` records of the directory, which runs from offset 36 up to `end`, the first
// chunk; only the records are read. The older layout has 24-byte records (a record beyond the
// directory's end reads as short or empty, and so as a style); the newer one has variable-length
// records with properties. Throws DamagedFile.
[[nodiscard]] std::vector<PaDirectoryRecord> readPaDirectory(
    ByteSource &source, qint64 end, int count, bool newerLayout);
