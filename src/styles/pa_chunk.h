#pragma once

#include "stop_flag.h"

#include <QByteArrayView>

#include <optional>

constexpr int PaChunkHeaderLength = 8;

// A chunk inside a Pa-series style: an 8-byte header, the id and the payload's length (both
// big-endian), then the payload. The id packs the type, the major and minor version and flags.
struct PaChunk {
    quint32 id = 0;
    QByteArrayView payload;

    [[nodiscard]] int type() const { return int(id >> 24); }
    [[nodiscard]] int major() const { return int(id >> 16 & 0xFF); }
    [[nodiscard]] int minor() const { return int(id >> 8 & 0xFF); }
    // Data, not chunks nested in it.
    [[nodiscard]] bool isData() const { return id & 0x08; }
    [[nodiscard]] bool isCompressed() const { return id & 0x20; }
    [[nodiscard]] bool isEncrypted() const { return id & 0x40; }
    [[nodiscard]] bool holdsChunks() const { return !(id & (0x08 | 0x20 | 0x40)); }
};

// The chunk at the start of `bytes`, or none when its header or payload is cut short.
[[nodiscard]] std::optional<PaChunk> paChunkAt(QByteArrayView bytes);

// The chunks that fill some bytes, one after another: a style may hold millions, so none is
// kept. The chunks point into the bytes, which must outlive the cursor.
class PaChunkCursor {
public:
    explicit PaChunkCursor(QByteArrayView bytes) : mRest(bytes) { }

    // The next chunk; none at the end, or where what is left is no whole chunk.
    [[nodiscard]] std::optional<PaChunk> next();
    // Whether the chunks filled the bytes exactly, once next() gave none.
    [[nodiscard]] bool endedExactly() const { return mRest.isEmpty(); }

private:
    QByteArrayView mRest;
};

// Whether `bytes` are chunks that fill them exactly, and so are the payloads of those that hold
// chunks, to a depth no style has. A stop asked for gives false.
[[nodiscard]] bool holdsWellFormedChunks(QByteArrayView bytes, const StopFlag *stop = nullptr);

// The first chunk with that id among the chunks that fill `bytes`, depth first through those that
// hold chunks.
[[nodiscard]] std::optional<PaChunk> findPaChunk(QByteArrayView bytes, quint32 id);

// The first chunk that `matches` among the chunks that fill `bytes`, at that level only.
template <typename Matches>
[[nodiscard]] std::optional<PaChunk> firstPaChunk(QByteArrayView bytes, Matches matches)
{
    PaChunkCursor cursor(bytes);
    while (const std::optional<PaChunk> chunk = cursor.next()) {
        if (matches(*chunk))
            return chunk;
    }
    return std::nullopt;
}
