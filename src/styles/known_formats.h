#pragma once

#include <QString>

enum class StyleSeries { Pa, I };

// The Pa-series header's variants: the newer directory layout (bytes 28 and 29 are 5 and 1), else
// Pa1X/Pro (byte 34 is 6), else the first models' fixed-record layout.
enum class PaGeneration { None, Classic, Pa1X, NewerDirectory };

// What a Pa-series row asks of the bank's first style chunk. The Pa600 generation kept the first
// models' header but stores its styles compressed, which no Pa50/60/80 did.
enum class FirstStyleChunk { Any, Compressed, NotCompressed };

// Where an i-series file keeps its slots: a header with a table of little-endian 16-bit data
// lengths, then the data blocks of the filled slots back to back; each block starts with its name.
struct ISeriesLayout {
    int headerLength = 0;
    int sizeTableOffset = 0;
    int sizeEntryLength = 0;
    int sizeOffset = 0;  // of the length inside its entry
    int slotCount = 0;
    int nameLength = 0;
};

constexpr ISeriesLayout FourSlots {96, 72, 6, 4, 4, 10};
constexpr ISeriesLayout FortyEightSlots {224, 24, 4, 0, 48, 11};

// One format that Quarv reads: a tag at its offset, the family it stands for, how its styles are
// laid out. Recognition, the family captions, the JSON, the window's widest captions, the MIME
// type, the fuzz targets and the style file builder all read this table and nothing else.
struct KnownFormat {
    const char *tag;
    int tagOffset;
    StyleSeries series;
    PaGeneration generation;     // Pa-series rows: the header variant the row stands for
    FirstStyleChunk firstStyle;  // Pa-series rows: what the first style chunk must be
    const char *family;          // shown with the tag: "i30" gives "i30 (KORGI)"
    ISeriesLayout layout;        // i-series rows
    bool detailsKnown;           // where each style keeps its meter, tempo and check byte

    // The family and tag, as the panel, the reports and the JSON show them: "i30 (KORGI)".
    [[nodiscard]] const QString &caption() const;
};

// "KORF" at offset 23 comes first: it wins over whatever the first five bytes say.
inline constexpr KnownFormat KnownFormats[] = {
    {"KORF", 23, StyleSeries::Pa, PaGeneration::NewerDirectory, FirstStyleChunk::Any, "Pa-series",
        {}, true},
    {"KORF", 23, StyleSeries::Pa, PaGeneration::Pa1X, FirstStyleChunk::Any, "Pa1X/Pro", {}, false},
    {"KORF", 23, StyleSeries::Pa, PaGeneration::Classic, FirstStyleChunk::Compressed, "Pa-series",
        {}, true},
    {"KORF", 23, StyleSeries::Pa, PaGeneration::Classic, FirstStyleChunk::NotCompressed,
        "Pa50/60/80", {}, false},
    {"KORG9", 0, StyleSeries::I, PaGeneration::None, FirstStyleChunk::Any, "i3,i2,i1,i4s",
        FourSlots, false},
    {"KORG<", 0, StyleSeries::I, PaGeneration::None, FirstStyleChunk::Any, "i5", FourSlots, false},
    {"KORGM", 0, StyleSeries::I, PaGeneration::None, FirstStyleChunk::Any, "iS40,iS50",
        FortyEightSlots, false},
    {"KORGI", 0, StyleSeries::I, PaGeneration::None, FirstStyleChunk::Any, "i30", FortyEightSlots,
        false},
};

// The row of an i-series tag, or nullptr.
[[nodiscard]] const KnownFormat *iSeriesFormat(QByteArrayView tag);
