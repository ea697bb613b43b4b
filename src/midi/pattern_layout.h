#pragma once

#include "styles/style_music.h"

#include <QList>
#include <QString>

// A chord variation laid out to be drawn, in beats: one lane for each track that plays, notes as
// rectangles from their start to their end, on a row by pitch within the lane's own range (a
// drum lane has a row for each key it plays, its notes short hits).
struct PatternNote {
    double start = 0;   // in beats from the chord variation's start
    double length = 0;  // in beats
    int row = 0;        // from the lane's top
    int key = 0;
    int velocity = 0;
    double shade = 0;  // 0.25 for the softest note to 1 for the loudest
    quint32 startTick = 0;
    quint32 lengthTicks = 0;
};

struct PatternLane {
    int trackNumber = 0;
    bool drums = false;  // Drum and Perc: hits on rows by key
    int rows = 0;
    QList<int> keys;  // top row first: the lane's keys (drums) or its range, highest first
    QList<PatternNote> notes;
};

struct PatternLayout {
    Meter meter;             // 4/4 where the element's is not known
    int bars = 0;            // whole bars of the meter, at least one
    double beatsPerBar = 0;  // beats of the meter's own note value
    quint32 ticksPerBeat = 0;
    QList<PatternLane> lanes;

    [[nodiscard]] double beats() const { return bars * beatsPerBar; }
    [[nodiscard]] int notes() const;
};

// The lanes of the tracks that play a note, in track order.
[[nodiscard]] PatternLayout layoutPattern(
    const ElementMusic &element, const ChordVariation &variation);

// "Drum", "Perc", "Bass", "Acc1" ... "Acc5".
[[nodiscard]] QString trackName(int trackNumber);
// "Variation 1", "Intro 3", "Break", "Ending 2".
[[nodiscard]] QString elementTitle(StyleElement element);
// "C4" for key 60, "F#2" for key 42.
[[nodiscard]] QString keyName(int key);

// For screen readers: "Variation 1, chord variation 1: 4 bars of 4/4; Drum 32 notes, Bass 8
// notes, Acc1 16 notes".
[[nodiscard]] QString patternSummary(
    StyleElement element, int variation, const PatternLayout &layout);
// A note for its tooltip: "E4, velocity 100, 1:2:0, length 192" (bar:beat:tick from 1:1:0).
[[nodiscard]] QString noteText(const PatternNote &note, const PatternLayout &layout);
