#pragma once

#include <QByteArray>
#include <QList>

// What each fuzz target feeds through the load: arbitrary bytes, bytes made to look like a
// Pa-series file ("KORF" at offset 23), or an i-series file (one of the four tags first).
enum class FuzzFamily { Any, PaSeries, ISeries };

// The i-series tags of the format table, in its order: the i target picks one by its first byte.
[[nodiscard]] QList<QByteArray> iSeriesTags();

// Runs the whole load path on the input and aborts when a result contradicts itself.
void loadFuzzInput(FuzzFamily family, const QByteArray &input);

// The bytes that family gives to the load for an input.
[[nodiscard]] QByteArray fuzzBytesFor(FuzzFamily family, const QByteArray &input);
