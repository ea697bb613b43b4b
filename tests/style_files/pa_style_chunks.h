#pragma once

#include <QByteArray>

// The chunks of a Pa-series style as the instruments of the Pa600 generation and later write
// them, compressed with oc31Compressed(): ids and lengths big-endian, nested as the format note
// describes.

// One chunk: its id, its payload's length, its payload.
[[nodiscard]] QByteArray paChunk(quint32 id, const QByteArray &payload);

// An element info's meter byte: the numerator, then in three bits the denominator's power of 2.
[[nodiscard]] char meterByte(int numerator, int denominator);

// The style info chunk: the style's name and, twice, the mask of its elements with data.
[[nodiscard]] QByteArray styleInfoChunk(const QByteArray &name, quint16 mask);

// The generations that compress their chunks. The Pa600 writes its style chunk as version 0.0
// (id 0x06000030) and keeps the first models' header; the Pa700 and Pa1000 write version 1.0.
enum class Generation { Pa600, Pa700 };

// The style chunk (type 6): a style container of version 5.0 holding the style info (the mask
// of elements with data: Variation 1 and 2) and two element chunks, each with an element info of
// version 1.1 whose meter byte says numerator/denominator, and some bytes of track data, with
// `played` bytes more that hardly repeat, as a real style's do.
[[nodiscard]] QByteArray paStyleChunk(
    int numerator, int denominator, int played = 0, Generation generation = Generation::Pa700);

// The performance chunk (type 9) with the tempo in the layout of its version: 1.0 (the
// Pa600's), 2.0 (a one-byte part before the tempo), or 2.1 (a longer part with two names, and the
// tempo's copy, which is `copiedTempo` where that is given). In version 1.0 the tempo's chunk can
// stand `deeper` containers further down, or inside a chunk of another id, as no instrument writes
// it.
enum class TempoLayout { Version10, Version20, Version21 };
[[nodiscard]] QByteArray paPerformanceChunk(TempoLayout layout, int tempo, int copiedTempo = -1,
    int deeper = 0, quint32 container = 0x04000000);
