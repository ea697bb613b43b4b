#include "midi/pattern_layout.h"
#include "midi/smf_writer.h"
#include "pa_style_music.h"
#include "styles/style_details.h"
#include "test_support.h"

namespace {

// A Standard MIDI File read back: format, tracks and division, then each event of its one track
// as "tick: status data" in hex, running status written out.
QStringList readMidi(const QByteArray &file)
{
    QStringList events {file.left(14).toHex(' ')};
    qsizetype at = 22;  // past "MThd", its 6 bytes, "MTrk" and the track's length
    quint32 tick = 0;
    quint8 status = 0;
    while (at < file.size()) {
        quint32 delta = 0;
        do
            delta = delta << 7 | (quint8(file[at]) & 0x7F);
        while (quint8(file[at++]) & 0x80);
        tick += delta;
        if (quint8(file[at]) & 0x80)
            status = quint8(file[at++]);
        const qsizetype length = status == 0xFF                  ? 2 + quint8(file[at + 1])
            : (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1
                                                                 : 2;
        events << QString("%1: %2 %3")
                      .arg(tick)
                      .arg(status, 2, 16, QChar('0'))
                      .arg(QString(file.mid(at, length).toHex(' ')));
        at += length;
    }
    return events;
}

// Every event of the sheet's list on the track chunk `chunk`, played by the tracks that a test
// maps to it.
QList<StreamEvent> everyKind(quint32 from)
{
    return {{from, 0x01, QByteArray("\x40\x43", 2)}, {from + 7, 0x00, QByteArray("\x40\x4a", 2)},
        {from + 9, 0x0D, QByteArray("\x00\x01", 2)}, {from + 11, 0x0C, QByteArray("\x00\x40", 2)},
        {from + 13, 0x03, QByteArray("\x01\x7f", 2)}, {from + 13, 0x05, QByteArray("\x00", 1)},
        {from + 15, 0x06, QByteArray("\x00\x40", 2)}};
}

StyleMusic decoded(const QByteArray &styleChunk)
{
    const std::optional<StyleMusic> music = readStyle(styleChunk, {}).music;
    EXPECT_TRUE(music.has_value());
    return music.value_or(StyleMusic());
}

}  // namespace

// The stream encoding of the sheet's known answers, as the builder writes it (so the tests below
// read the sheet's bytes): delta bytes with bit 7 set, the type, the operands with bit 7 set on
// the last, and the end of track.
TEST(StyleMusic, TheBuilderWritesTheSheetsStreams)
{
    const std::pair<QList<StreamEvent>, const char *> streams[] = {
        {{{7, 0x01, "\x40\x43"}, {178, 0x00, "\x40\x4a"}}, "87 01 40 c3 81 ab 00 40 ca"},
        {{{2, 0x0D, QByteArray("\0\x01", 2)}, {121, 0x0C, QByteArray("\0\x40", 2)}},
            "82 0d 00 81 f7 0c 00 c0"},
        {{{1563, 0x03, "\x40\x40"}, {3071, 0x03, QByteArray("\x01\0", 2)},
             {3071, 0x03, QByteArray("\x40\0", 2)}},
            "8c 9b 03 40 c0 8b e4 03 01 80 03 40 80"},
    };
    for (const auto &[events, bytes] : streams)
        EXPECT_EQ(streamBytes(events, 0, false).toHex(' '), bytes);
    EXPECT_EQ(streamBytes({}, 3072).toHex(' '), "98 80 09 2f 00 00");
}

// What a style plays comes out of its file at the same ticks, on its track's channel: every kind
// of event, a track shared by two chord variations and two elements, the Pa700's set-up block
// (expression, bank, program for each track) and the Pa600's with its range controls.
TEST(StyleMusic, EachChordVariationAsTheInstrumentExportsIt)
{
    const QList<StreamTrack> tracks
        = {{0, 96, everyKind(0)}, {1, 96, {{0, 0x01, "\x28\x64"}, {48, 0x00, "\x28\x40"}}}};
    const QByteArray drum600
        = QByteArray::fromHex("647800051 56c").leftJustified(72, '\0') + '\x01';
    QList<StreamElement> elements = {
        {0, 4, 4, QByteArray::fromHex("73790b00156c"), {{384, {{0, 1}, {2, 2}}}, {96, {{3, 1}}}}},
        {6, 3, 8, {}, {{48, {{7, 2}}}}},
    };
    const StyleMusic pa700 = decoded(paMusicStyleChunk(tracks, elements));
    ASSERT_EQ(pa700.elements.size(), 2);
    EXPECT_EQ(elementNames(pa700.elementsWithMusic()), QStringList({"V1", "FI1"}));
    const ElementMusic &v1 = pa700.elements[0];
    EXPECT_EQ(readMidi(standardMidiFile(v1, v1.variations[0], 120)),
        QStringList({"4d 54 68 64 00 00 00 06 00 00 00 01 01 80", "0: ff 51 03 07 a1 20",
            "0: ff 58 04 04 02 18 08", "0: b9 0b 73", "0: b9 00 79", "0: b9 20 0b", "0: c9 00",
            "0: ba 0b 00", "0: ba 00 00", "0: ba 20 00", "0: ca 00", "0: b8 0b 00", "0: b8 00 00",
            "0: b8 20 00", "0: c8 00", "0: bb 0b 00", "0: bb 00 00", "0: bb 20 00", "0: cb 00",
            "0: bc 0b 00", "0: bc 00 00", "0: bc 20 00", "0: cc 00", "0: bd 0b 00", "0: bd 00 00",
            "0: bd 20 00", "0: cd 00", "0: be 0b 00", "0: be 00 00", "0: be 20 00", "0: ce 00",
            "0: bf 0b 00", "0: bf 00 00", "0: bf 20 00", "0: cf 00", "0: 99 40 43", "0: 98 28 64",
            "7: 89 40 4a", "9: 99 00 01", "11: 89 00 40", "13: b9 01 7f", "13: d9 00",
            "15: e9 00 40", "48: 88 28 40", "384: ff 2f 00"}));
    // The shared drum track on Acc1's channel; Fill 1's meter without a tempo known.
    EXPECT_EQ(readMidi(standardMidiFile(v1, v1.variations[1], 120)).mid(35, 3),
        QStringList({"0: 9b 40 43", "7: 8b 40 4a", "9: 9b 00 01"}));
    const ElementMusic &fill = pa700.elements[1];
    EXPECT_EQ(readMidi(standardMidiFile(fill, fill.variations[0], std::nullopt)).mid(1, 2),
        QStringList({"0: ff 58 04 03 03 18 08", "0: b9 0b 00"}));

    elements[0].settings = drum600;
    const StyleMusic pa600 = decoded(paMusicStyleChunk(tracks, elements, Generation::Pa600));
    const ElementMusic &v1pa600 = pa600.elements[0];
    EXPECT_EQ(standardMidiFile(v1pa600, v1pa600.variations[0], 120).mid(22, 47).toHex(' '),
        "00 ff 51 03 07 a1 20 00 ff 58 04 04 02 18 08 00 b9 0b 64 00 00 78 00 20 00 00 c9 05 00 b9 "
        "72 15 00 73 6c 00 74 00 00 75 00 00 76 00 00 77 01");
}

// Whatever the sheet calls never seen makes that chord variation damaged, and only that one.
TEST(StyleMusic, WhatIsNotKnownDamagesItsChordVariation)
{
    const QList<StreamEvent> notes = {{0, 0x01, "\x40\x43"}, {10, 0x00, "\x40\x40"}};
    const struct {
        const char *name;
        StreamTrack track;
        StreamVariation variation;
        const char *said;
    } cases[] = {
        {"an event type not listed", {0, 96, {{0, 0x0B, "\x40\x43"}}}, {96, {{0, 2}}},
            "style 1, V1 chord variation 2: its music holds an event not known"},
        {"a stream without its end", {0, 96, notes, true}, {96, {{0, 2}}},
            "style 1, V1 chord variation 2: its music does not end"},
        {"an event cut short", {0, 96, {{0, 0x01, "\x40"}}, true}, {96, {{0, 2}}},
            "style 1, V1 chord variation 2: its music is cut short"},
        {"a map entry past the track list", {0, 96, notes}, {96, {{0, 3}}},
            "style 1, V1 chord variation 2: its music plays a track the style does not have"},
        {"an event after the end", {0, 96, notes}, {5, {{0, 2}}},
            "style 1, V1 chord variation 2: its music plays past its end"},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        const StyleMusic music = decoded(paMusicStyleChunk({{1, 96, notes}, row.track},
            {{0, 4, 4, {}, {{96, {{2, 1}}}, {row.variation.length, row.variation.map}}}}));
        const QList<ChordVariation> &variations = music.elements.value(0).variations;
        ASSERT_EQ(variations.size(), 2);
        EXPECT_TRUE(variations[0].holdsMusic());
        EXPECT_EQ(
            musicProblemMessage(variations[1].problem, 1, StyleElement::Variation1, 2), row.said);
    }
}

namespace {
// A layout in a line: its bars and meter, then each lane's keys (top row first) and notes, each
// "key@start+length rRow sShade", start and length in beats.
QString described(const PatternLayout &layout)
{
    QStringList lanes;
    for (const PatternLane &lane : layout.lanes) {
        QStringList keys, notes;
        for (const int key : lane.keys)
            keys << QString::number(key);
        for (const PatternNote &note : lane.notes)
            notes << QString("%1@%2+%3r%4s%5")
                         .arg(note.key)
                         .arg(note.start)
                         .arg(note.length)
                         .arg(note.row)
                         .arg(note.shade, 0, 'f', 2);
        lanes << trackName(lane.trackNumber) + '[' + keys.join(' ') + "] " + notes.join(", ");
    }
    return QString("%1 bars of %2: ").arg(layout.bars).arg(layout.meter.text()) + lanes.join("; ");
}
}  // namespace

// A chord variation laid out to be drawn: a lane for each track that plays, in track order; a
// note from its ticks (in beats of the meter) at its pitch's row in the lane's range, highest
// first; drum notes short hits on rows by key; bars from the meter and the length; a shade from
// the velocity; nothing for a chord variation that plays nothing or is damaged.
TEST(Pattern, LanesAndNotesFromTheMusic)
{
    const QList<StreamEvent> drums = {{0, 0x01, "\x24\x7f"}, {10, 0x00, "\x24\x40"},
        {384, 0x01, QByteArray("\x26\x01", 2)}, {394, 0x00, "\x26\x40"}};
    const QList<StreamEvent> bass = {{0, 0x01, "\x28\x60"}, {192, 0x00, "\x28\x40"},
        {384, 0x01, "\x2b\x60"}, {768, 0x00, "\x2b\x40"}};
    const struct {
        const char *name;
        int numerator, denominator;
        quint32 length;
        QList<std::pair<int, int>> map;
        const char *laidOut;
    } cases[] = {
        {"drums and bass, in track order", 4, 4, 1536, {{2, 2}, {0, 1}},
            "1 bars of 4/4: Drum[38 36] 36@0+0.125r1s1.00, 38@1+0.125r0s0.26; "
            "Bass[43 42 41 40] 40@0+0.5r3s0.82, 43@1+1r0s0.82"},
        {"beats of an eighth, two bars", 6, 8, 2304, {{4, 2}},
            "2 bars of 6/8: Acc2[43 42 41 40] 40@0+1r3s0.82, 43@2+2r0s0.82"},
        {"nothing played", 3, 4, 1152, {}, "1 bars of 3/4: "},
        {"damaged", 4, 4, 1536, {{0, 3}}, "1 bars of 4/4: "},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        const StyleMusic music = decoded(paMusicStyleChunk({{0, 1536, drums}, {1, 1536, bass}},
            {{0, row.numerator, row.denominator, {}, {{row.length, row.map}}}}));
        const ElementMusic &element = music.elements.value(0);
        EXPECT_EQ(described(layoutPattern(element, element.variations.value(0))), row.laidOut);
    }
}
