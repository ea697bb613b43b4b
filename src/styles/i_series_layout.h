#pragma once

#include <QByteArray>

// Where an i-series file keeps its slots: a header with a table of little-endian 16-bit data
// lengths, then the data blocks of the filled slots back to back; each block starts with its name.
struct ISeriesLayout {
    int headerLength;
    int sizeTableOffset;
    int sizeEntryLength;
    int sizeOffset;  // of the length inside its entry
    int slotCount;
    int nameLength;
};

// The layout of an i-series tag, or nullptr for any other tag.
[[nodiscard]] const ISeriesLayout *iSeriesLayoutFor(const QByteArray &tag);
