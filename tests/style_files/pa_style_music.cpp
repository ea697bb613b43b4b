#include "pa_style_music.h"

#include "oc31_encoder.h"
#include "style_file_builder.h"

namespace {

// A delta time: seven bits a byte with bit 7 set, most significant first; none for 0.
QByteArray delta(quint32 ticks)
{
    QByteArray bytes;
    for (; ticks > 0; ticks >>= 7)
        bytes.prepend(char(0x80 | (ticks & 0x7F)));
    return bytes;
}

// A stream's head (its length in ticks, 0, the count of its bytes) and its bytes.
QByteArray stream(quint32 length, const QByteArray &bytes)
{
    return u32be(length) + u16be(0) + u16be(quint16(bytes.size())) + bytes;
}

}  // namespace

QByteArray streamBytes(const QList<StreamEvent> &events, quint32 length, bool end)
{
    QByteArray bytes;
    quint32 tick = 0;
    for (const StreamEvent &event : events) {
        QByteArray operands = event.operands;
        if (event.type != 0x09 && !operands.isEmpty())
            operands.back() = char(operands.back() | 0x80);
        bytes += delta(event.tick - tick) + char(event.type) + operands;
        tick = event.tick;
    }
    if (end)
        bytes += delta(length - tick) + QByteArray::fromHex("092f0000");
    return bytes;
}

QByteArray paMusicStyleChunk(
    const QList<StreamTrack> &tracks, const QList<StreamElement> &elements, Generation generation)
{
    const bool pa600 = generation == Generation::Pa600;
    quint16 mask = 0;
    QByteArray index;
    QByteArray elementChunks;
    for (const StreamElement &element : elements) {
        mask |= quint16(1 << element.bit);
        const int flags = element.flags >= 0 ? element.flags : (1 << element.variations.size()) - 1;
        QByteArray parts = paChunk(pa600 ? 0x01010108 : 0x01010308,
            QByteArray(1, char(flags)) + meterByte(element.numerator, element.denominator)
                + char(24) + QByteArray(24, '\0'));
        parts += paChunk(
            pa600 ? 0x02000308 : 0x02000408, element.settings.leftJustified(pa600 ? 88 : 96, '\0'));
        for (const StreamVariation &variation : element.variations) {
            QList<StreamEvent> plays;
            QByteArray map(1, char(variation.map.size()));
            for (int entry = 0; entry < variation.map.size(); ++entry) {
                const auto [trackNumber, chunk] = variation.map[entry];
                plays.append(
                    {0, 0x09, QByteArray::fromHex("7e000403") + char(entry) + '\0' + '\0'});
                const int kind = chunk >= 1 && chunk <= tracks.size() ? tracks[chunk - 1].kind : 0;
                map += char(kind);
                map += char(trackNumber);
                index += u16be(quint16(chunk));
            }
            parts += paChunk(
                0x03000008, stream(variation.length, streamBytes(plays, variation.length)) + map);
        }
        elementChunks += paChunk(0x03000000, parts);
    }
    QByteArray list = paChunk(
        0x01000008, u16be(quint16(tracks.size())) + u16be(quint16(index.size() / 2)) + index);
    for (const StreamTrack &track : tracks) {
        const quint32 ids[] = {0x02000008, 0x03000008, 0x04000008};
        list += paChunk(ids[track.kind],
            stream(track.length, streamBytes(track.events, track.length, !track.noEnd))
                + (track.kind > 0 ? QByteArray(2, '\0') : QByteArray()));
    }
    const QByteArray container = paChunk(
        0x01050000, styleInfoChunk("Music", mask) + paChunk(0x02000000, list) + elementChunks);
    return paChunk(pa600 ? 0x06000030 : 0x06010020, oc31Compressed(container));
}

QByteArray grooveStyleChunk(int numerator, int denominator, int seed, Generation generation)
{
    const quint32 beat = 384 * 4 / quint32(denominator);
    const quint32 length = 2 * quint32(numerator) * beat;
    const auto note
        = [](QList<StreamEvent> &events, quint32 at, quint32 held, int key, int velocity) {
              events.append({at, 0x01, QByteArray(1, char(key)) + char(velocity)});
              events.append({at + held, 0x00, QByteArray(1, char(key)) + char(64)});
          };
    QList<StreamEvent> drums, bass, chords;
    for (quint32 at = 0; at < length; at += beat / 2) {
        const bool onBeat = at % beat == 0;
        const quint32 inBar = at % (quint32(numerator) * beat);
        if (inBar == 0)
            note(drums, at, 24, 36, 110);  // kick
        if (onBeat && inBar == beat * quint32(numerator / 2))
            note(drums, at, 24, 38, 100);                                       // snare
        note(drums, at, 12, 42, onBeat ? 90 : 60 + (seed * 7 + int(at)) % 20);  // hi-hat
        if (onBeat)
            note(bass, at, beat - 20, 36 + (seed + int(at / beat) * 5) % 12, 96);
    }
    for (quint32 bar = 0; bar < length; bar += quint32(numerator) * beat) {
        for (const int key : {60, 64, 67})
            note(chords, bar, quint32(numerator) * beat - 10, key + seed % 5, 70);
    }
    const auto byTick = [](QList<StreamEvent> events) {
        std::stable_sort(events.begin(), events.end(),
            [](const StreamEvent &a, const StreamEvent &b) { return a.tick < b.tick; });
        return events;
    };
    const QList<StreamTrack> tracks
        = {{0, length, byTick(drums)}, {1, length, byTick(bass)}, {2, length, byTick(chords)}};
    // Drums on Drum, bass on Bass, chords on Acc1; standard sounds, full expression.
    const QByteArray settings = QByteArray::fromHex("7f7800000000"
                                                    "7f7800000000"
                                                    "7f0000210000"
                                                    "7f0000000000");
    const StreamVariation full {length, {{0, 1}, {2, 2}, {3, 3}}};
    const StreamVariation drumsAndBass {length, {{0, 1}, {2, 2}}};
    return paMusicStyleChunk(tracks,
        {{0, numerator, denominator, settings, {full, drumsAndBass}},
            {1, numerator, denominator, settings, {drumsAndBass, full}},
            {4, numerator, denominator, settings, {{length, {{0, 1}}}}},
            {6, numerator, denominator, settings, {{length, {{0, 1}, {3, 3}}}}},
            {8, numerator, denominator, settings, {full}}},
        generation);
}
