#pragma once

#include <QByteArrayView>
#include <QList>

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

// The chunks that fill `bytes` exactly, in order; none when they do not.
[[nodiscard]] std::optional<QList<PaChunk>> paChunksIn(QByteArrayView bytes);

// Whether `bytes` are chunks that fill them exactly, and so are the payloads of those that hold
// chunks, to a depth no style has.
[[nodiscard]] bool holdsWellFormedChunks(QByteArrayView bytes);

// The first chunk with that id below `chunks`, depth first, through the chunks that hold chunks.
[[nodiscard]] std::optional<PaChunk> findPaChunk(const QList<PaChunk> &chunks, quint32 id);
