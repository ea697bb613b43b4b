#pragma once

#include "meter.h"
#include "pa_chunk.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

// The music inside a Pa-series style chunk, as pa-style-midi.md describes it: elements (Variation
// 1 to Ending 3), each with its meter, its track settings and its chord variations; a chord
// variation plays tracks from the style's shared track list on its own map. Nothing is guessed:
// whatever the note calls never seen makes that chord variation damaged.

// The elements by the bit of their data mask.
enum class StyleElement : quint8 {
    Variation1,
    Variation2,
    Variation3,
    Variation4,
    Intro1,
    Intro2,
    Fill1,
    Fill2,
    Ending1,
    Ending2,
    Break,
    Intro3,
    Ending3,
    Fill3,
    Fill4
};
constexpr int StyleElementCount = 15;

// The elements in the instrument's order: V1-V4, IN1-IN3, FI1-FI4, BR, EN1-EN3.
[[nodiscard]] const std::array<StyleElement, StyleElementCount> &elementsInOrder();
// "V1", "IN3", "BR": as the instrument names its exports ("V1-CV1.MID").
[[nodiscard]] QString elementName(StyleElement element);
// The names of the elements in a mask of data-mask bits, in the instrument's order.
[[nodiscard]] QStringList elementNames(quint16 mask);

constexpr int StyleTrackCount = 8;  // Drum, Perc, Bass, Acc1-Acc5

// One event of a track, as MIDI says it but for its channel: the status's upper half (0x80 note
// off, 0x90 note on, 0xB0 control change, 0xD0 channel pressure, 0xE0 pitch bend) and its data
// bytes, at its tick (384 to a quarter note) from the chord variation's start.
struct MusicEvent {
    quint32 tick = 0;
    quint8 status = 0;
    quint8 data1 = 0;
    quint8 data2 = 0;  // none for channel pressure

    [[nodiscard]] bool isNoteOn() const { return status == 0x90; }
};

// A track as a chord variation plays it: the track number it plays on (0 Drum ... 7 Acc5), and
// its events in the order they sound, ticks from the chord variation's start.
struct PlayedTrack {
    int trackNumber = 0;
    QList<MusicEvent> events;
};

enum class MusicProblem : quint8 {
    None,
    CutShort,         // an event or a chunk runs past its bytes
    UnknownEvent,     // an event of a type the note does not list
    NoEnd,            // a stream without its end of track
    PastTrackList,    // a map entry past the index list or the track chunks
    PlaysPastItsEnd,  // an event after the chord variation's length
};

struct ChordVariation {
    int number = 0;  // from 1
    quint32 length = 0;
    QList<PlayedTrack> tracks;
    MusicProblem problem = MusicProblem::None;

    // A map that plays a track with a note.
    [[nodiscard]] bool holdsMusic() const;
};

// Per track number: expression, bank select MSB and LSB, program, range bottom and top; and, in
// version 0.3 settings (the Pa600's), the bytes that its export sends as CC116 to CC119.
struct TrackSetting {
    quint8 expression = 0, bankMsb = 0, bankLsb = 0, program = 0, rangeBottom = 0, rangeTop = 0;
    std::array<quint8, 4> extra {};
};

struct ElementMusic {
    StyleElement element = StyleElement::Variation1;
    std::optional<Meter> meter;
    std::array<TrackSetting, StyleTrackCount> settings {};
    bool rangeControls = false;  // version 0.3 settings: CC114 to CC119 follow each program
    QList<ChordVariation> variations;

    [[nodiscard]] bool holdsMusic() const;
};

struct StyleMusic {
    QList<ElementMusic> elements;  // those with data, in the order of their mask bits

    // The data-mask bits of the elements that hold music.
    [[nodiscard]] quint16 elementsWithMusic() const;
};

// The music in a style chunk's uncompressed contents; none when its layout is not the one the
// note describes (the style container 5.0, its track list, its element chunks).
[[nodiscard]] std::optional<StyleMusic> decodeStyleMusic(QByteArrayView contents);

// What failed in a chord variation, named by style, element and chord variation: "style 3, V1
// chord variation 2: a stream does not end".
[[nodiscard]] QString musicProblemMessage(
    MusicProblem problem, int style, StyleElement element, int variation);
