#pragma once

#include "meter.h"
#include "pa_chunk.h"

#include <optional>

// The style container inside an uncompressed style chunk: its first chunk, of type 1, holding
// the style info (type 1, data), then, in the layout of version 5, the track list and an element
// chunk for each element that has data, lowest bit of the info's mask first.
struct StyleContainer {
    PaChunk chunk;
    PaChunk info;
    // The elements with data (where the info has no such mask, the enabled ones), one bit each
    // from Variation 1 on; none when the info is cut short.
    std::optional<quint16> withData;

    [[nodiscard]] bool isVersion5() const { return chunk.major() == 5; }
};

// An element's chunk in the container, after the track list: its element info, track settings and
// chord variations.
constexpr quint32 ElementChunk = 0x03000000;

// The container at the start of `contents`, when it holds its style info.
[[nodiscard]] std::optional<StyleContainer> styleContainerIn(QByteArrayView contents);

// The meter of an element chunk's element info (its first chunk of type 1), where it is one the
// instruments offer: from version 1 on, byte 1 holds the numerator above the denominator's power.
[[nodiscard]] std::optional<Meter> elementMeter(const PaChunk &elementInfo);
