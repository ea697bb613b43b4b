#pragma once

#include "pa_style_chunks.h"

#include <QList>

// Styles with music, laid out as pa-style-midi.md describes: the builder encodes what a test
// means (events at ticks, maps of tracks) in the style's own stream encoding.

// One event of a stream: its tick from the stream's start, its type byte (0x01 note on, 0x00 note
// off, 0x0D and 0x0C noise on and off, 0x03 control change, 0x05 channel pressure, 0x06 pitch
// bend, or any other), its operands as 7-bit values (the builder sets bit 7 of the last).
struct StreamEvent {
    quint32 tick = 0;
    quint8 type = 0;
    QByteArray operands;
};

// A track chunk of the style's track list: its kind (0 drum, 1 bass, 2 accompaniment) and its
// events; its end of track comes at `length` unless `noEnd`.
struct StreamTrack {
    int kind = 0;
    quint32 length = 0;
    QList<StreamEvent> events;
    bool noEnd = false;
};

// A chord variation: its length, and its map, each entry a track number (0 Drum ... 7 Acc5) and
// the one-based track chunk it plays.
struct StreamVariation {
    quint32 length = 0;
    QList<std::pair<int, int>> map;
};

// An element with data: its bit in the data mask (0 Variation 1 ... 14 Fill 4), its meter, its
// track settings' bytes (6 a track: expression, bank MSB and LSB, program, range bottom and top;
// the rest zero), and its chord variations, numbered 1, 2 ... unless `flags` says otherwise.
struct StreamElement {
    int bit = 0;
    int numerator = 4, denominator = 4;
    QByteArray settings;
    QList<StreamVariation> variations;
    int flags = -1;
};

// The style chunk, compressed, of a style with these tracks and elements.
[[nodiscard]] QByteArray paMusicStyleChunk(const QList<StreamTrack> &tracks,
    const QList<StreamElement> &elements, Generation generation = Generation::Pa700);

// The bytes of one stream: each event after its delta time, the end of track at `length`.
[[nodiscard]] QByteArray streamBytes(
    const QList<StreamEvent> &events, quint32 length, bool end = true);

// A style that plays, as the demo bank and the benchmarks want one: a drum groove (kick, snare,
// hi-hats), a bass line and held chords, two bars of the meter, in Variation 1 and 2 (two chord
// variations each), Intro 1, Fill 1 and Ending 1; `seed` varies the notes.
[[nodiscard]] QByteArray grooveStyleChunk(
    int numerator, int denominator, int seed = 0, Generation generation = Generation::Pa700);
