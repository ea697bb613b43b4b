#include "pa_chunk.h"

#include <QtEndian>

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

std::optional<PaChunk> PaChunkCursor::next()
{
    const std::optional<PaChunk> chunk = paChunkAt(mRest);
    if (chunk)
        mRest = mRest.sliced(PaChunkHeaderLength + chunk->payload.size());
    return chunk;
}

namespace {

// Deeper than any style holds: a damaged or hostile file could nest a chunk in each 8 bytes.
constexpr int MostLevels = 16;
// How many chunks are walked between two looks at the stop flag.
constexpr int ChunksBetweenStops = 4096;

bool wellFormed(QByteArrayView bytes, int levels, const StopFlag *stop, int &sinceStop)
{
    PaChunkCursor cursor(bytes);
    while (const std::optional<PaChunk> chunk = cursor.next()) {
        if (++sinceStop == ChunksBetweenStops) {
            sinceStop = 0;
            if (stopAsked(stop))
                return false;
        }
        if (chunk->holdsChunks() && levels > 0
            && !wellFormed(chunk->payload, levels - 1, stop, sinceStop))
            return false;
    }
    return cursor.endedExactly();
}

std::optional<PaChunk> findBelow(QByteArrayView bytes, quint32 id, int levels)
{
    PaChunkCursor cursor(bytes);
    while (const std::optional<PaChunk> chunk = cursor.next()) {
        if (chunk->id == id)
            return chunk;
        if (!chunk->holdsChunks() || levels == 0)
            continue;
        if (const auto found = findBelow(chunk->payload, id, levels - 1))
            return found;
    }
    return std::nullopt;
}

}  // namespace

bool holdsWellFormedChunks(QByteArrayView bytes, const StopFlag *stop)
{
    int sinceStop = 0;
    return wellFormed(bytes, MostLevels, stop, sinceStop);
}

std::optional<PaChunk> findPaChunk(QByteArrayView bytes, quint32 id)
{
    return findBelow(bytes, id, MostLevels);
}
