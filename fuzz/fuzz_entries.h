#pragma once

#include <QByteArray>
#include <QList>

// What each fuzz target feeds through the load: arbitrary bytes, bytes made to look like a
// Pa-series file ("KORF" at offset 23), or an i-series file (one of the four tags first); or,
// for the details target, a style's two chunks (see detailsFuzzInput()).
enum class FuzzFamily { Any, PaSeries, ISeries, Details };

// The i-series tags of the format table, in its order: the i target picks one by its first byte.
[[nodiscard]] QList<QByteArray> iSeriesTags();

// Runs the whole load path on the input and aborts when a result contradicts itself.
void loadFuzzInput(FuzzFamily family, const QByteArray &input);

// A style's two chunks as the details target takes them: the style chunk's length (two bytes,
// big-endian), the style chunk, the performance chunk.
[[nodiscard]] QByteArray detailsFuzzInput(
    const QByteArray &styleChunk, const QByteArray &performanceChunk);

// The bytes that family gives to the load for an input.
[[nodiscard]] QByteArray fuzzBytesFor(FuzzFamily family, const QByteArray &input);
