#pragma once

#include <QByteArray>
#include <QList>

// What each fuzz target feeds through the load: arbitrary bytes, bytes made to look like a
// Pa-series file ("KORF" at offset 23), or an i-series file (one of the four tags first); for
// the details target, a style's two chunks (see detailsFuzzInput()); for the writers target,
// the names of a file and its styles (see writersFuzzInput()), which go through every report; for
// the music target, a style chunk's uncompressed contents, whose music is decoded and written.
enum class FuzzFamily { Any, PaSeries, ISeries, Details, Writers, Music };

// The i-series tags of the format table, in its order: the i target picks one by its first byte.
[[nodiscard]] QList<QByteArray> iSeriesTags();

// Runs the whole load path on the input and aborts when a result contradicts itself.
void loadFuzzInput(FuzzFamily family, const QByteArray &input);

// A style's two chunks as the details target takes them: the style chunk's length (two bytes,
// big-endian), the style chunk, the performance chunk.
[[nodiscard]] QByteArray detailsFuzzInput(
    const QByteArray &styleChunk, const QByteArray &performanceChunk);

// A file's name and its styles' names as the writers target takes them: one byte whose low three
// bits pick a format of the table and whose others count the styles, each name after its length
// (one byte), then the file's name.
[[nodiscard]] QByteArray writersFuzzInput(const QByteArray &fileName, const QByteArrayList &names);

// The bytes that family gives to the load for an input.
[[nodiscard]] QByteArray fuzzBytesFor(FuzzFamily family, const QByteArray &input);
