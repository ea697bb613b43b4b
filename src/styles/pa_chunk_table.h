#pragma once

#include "byte_source.h"

#include <vector>

// Where the chunks of a Pa-series file lie, from the "KBEG"/"KEND" trailer in its last 320 bytes.
// Chunk k runs from starts[k] up to the next start, the last one up to end.
struct PaChunkTable {
    std::vector<qint32> starts;
    qint32 end = 0;

    [[nodiscard]] qint32 length(std::size_t k) const
    {
        return (k + 1 < starts.size() ? starts[k + 1] : end) - starts[k];
    }
};

constexpr int PaTailLength = 320;
constexpr int PaHeaderLength = 36;
constexpr int PaMaxChunks = 64;

// Throws DamagedFile when the trailer or the table does not describe chunks inside the file.
[[nodiscard]] PaChunkTable readPaChunkTable(ByteSource &file);
