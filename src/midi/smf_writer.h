#pragma once

#include "styles/style_music.h"

#include <QByteArray>

#include <optional>

// The MIDI channel (0-15) a track number plays on: Drum 10, Perc 11, Bass 9, Acc1-Acc5 12-16.
[[nodiscard]] int midiChannel(int trackNumber);

// One chord variation of one element as a Standard MIDI File, the way the instrument exports it:
// format 0, 384 ticks a quarter note; at tick 0 the tempo (where it is known) and the element's
// meter, then for each track number in order its expression, bank and program from the element's
// own settings (and the range controls CC114-CC119 where the settings have them); then every
// track's events on its channel, at their ticks; the end of the track at the chord variation's
// length. Running status throughout.
[[nodiscard]] QByteArray standardMidiFile(
    const ElementMusic &element, const ChordVariation &variation, std::optional<int> tempo);
