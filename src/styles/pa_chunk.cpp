#include "pa_chunk.h"

#include <QtEndian>

#include <algorithm>

std::optional<PaChunk> paChunkAt(QByteArrayView bytes)
{
    if (bytes.size() < PaChunkHeaderLength)
        return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(bytes.data() + 4);
    if (length > quint64(bytes.size() - PaChunkHeaderLength))
        return std::nullopt;
    return PaChunk {
        qFromBigEndian<quint32>(bytes.data()), bytes.sliced(PaChunkHeaderLength, length)};
}

std::optional<QList<PaChunk>> paChunksIn(QByteArrayView bytes)
{
    QList<PaChunk> chunks;
    while (!bytes.isEmpty()) {
        const std::optional<PaChunk> chunk = paChunkAt(bytes);
        if (!chunk)
            return std::nullopt;
        chunks.append(*chunk);
        bytes = bytes.sliced(PaChunkHeaderLength + chunk->payload.size());
    }
    return chunks;
}

namespace {

// Deeper than any style holds: a damaged or hostile file could nest a chunk in each 8 bytes.
constexpr int MostLevels = 16;

std::optional<PaChunk> findBelow(const QList<PaChunk> &chunks, quint32 id, int levels)
{
    for (const PaChunk &chunk : chunks) {
        if (chunk.id == id)
            return chunk;
        if (!chunk.holdsChunks() || levels == 0)
            continue;
        if (const auto nested = paChunksIn(chunk.payload)) {
            if (const auto found = findBelow(*nested, id, levels - 1))
                return found;
        }
    }
    return std::nullopt;
}

bool wellFormed(QByteArrayView bytes, int levels)
{
    const std::optional<QList<PaChunk>> chunks = paChunksIn(bytes);
    return chunks && std::all_of(chunks->cbegin(), chunks->cend(), [&](const PaChunk &chunk) {
        return !chunk.holdsChunks() || levels == 0 || wellFormed(chunk.payload, levels - 1);
    });
}

}  // namespace

bool holdsWellFormedChunks(QByteArrayView bytes) { return wellFormed(bytes, MostLevels); }

std::optional<PaChunk> findPaChunk(const QList<PaChunk> &chunks, quint32 id)
{
    return findBelow(chunks, id, MostLevels);
}
