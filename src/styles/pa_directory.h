#pragma once

#include <QByteArray>

#include <vector>

// One record of a Pa-series directory: a style, or (kind 7) a style's performance data.
struct PaDirectoryRecord {
    bool isStyle = true;
    QByteArray name;  // 8-bit
};

constexpr quint8 PaPerformanceKind = 7;

// The first `count` records of the directory (the bytes from offset 36 up to the first chunk). The older layout has 24-byte
// records (a record beyond the directory's end reads as short or empty, and so as a style);
// the newer one has variable-length records with properties. Throws DamagedFile.
[[nodiscard]] std::vector<PaDirectoryRecord> readPaDirectory(const QByteArray &directory, int count,
                                                             bool newerLayout);
