#include "pa_style_chunks.h"

#include "oc31_encoder.h"
#include "style_file_builder.h"

namespace {

// Events of a track: a few patterns, each repeated with small changes, as music is; then
// `played` bytes of notes as a player varies them, which hardly repeat.
QByteArray trackData(int seed, int played = 0)
{
    QByteArray data;
    for (int bar = 0; bar < 24; ++bar) {
        for (int step = 0; step < 8; ++step)
            data += QByteArray::fromRawData("\x90\x24\x64\x00\x30\x80\x24\x00", 8)
                + char(seed + (bar % 3) * step);
    }
    quint32 state = quint32(seed) * 2654435761u + 1;
    for (int i = 0; i < played; ++i)
        data += char((state = state * 1103515245 + 12345) >> 24);
    return data;
}

QByteArray compressed(quint32 id, const QByteArray &contents)
{
    return paChunk(id, oc31Compressed(contents));
}

}  // namespace

QByteArray paChunk(quint32 id, const QByteArray &payload)
{
    return u32be(id) + u32be(quint32(payload.size())) + payload;
}

char meterByte(int numerator, int denominator)
{
    int power = 0;
    while ((1 << power) < denominator)
        ++power;
    return char(numerator << 3 | power);
}

QByteArray styleInfoChunk(const QByteArray &name, quint16 mask)
{
    return paChunk(0x01000308,
        char(name.size()) + name + QByteArray(3, '\0') + u16be(mask) + QByteArray(11, '\0')
            + u16be(mask));
}

QByteArray paStyleChunk(int numerator, int denominator, int played, Generation generation)
{
    QByteArray elements;
    for (int element = 0; element < 2; ++element) {
        const QByteArray elementInfo
            = QByteArray(1, '\0') + meterByte(numerator, denominator) + QByteArray(14, '\x01');
        elements += paChunk(0x03000000,
            paChunk(0x01010108, elementInfo)
                + paChunk(0x05000008, trackData(element + played, played)));
    }
    return compressed(generation == Generation::Pa600 ? 0x06000030 : 0x06010020,
        // The name is often stale: the directory has the style's.
        paChunk(0x01050000, styleInfoChunk("Copied from", 0x0003) + elements));
}

QByteArray paPerformanceChunk(
    TempoLayout layout, int tempo, int copiedTempo, int deeper, quint32 container)
{
    const QByteArray mixer = paChunk(0x08000008, trackData(7).left(300));
    if (layout == TempoLayout::Version10) {
        const QByteArray data
            = u32be(0x0000000F) + QByteArray(3, '\x02') + char(tempo) + QByteArray(20, '\0');
        QByteArray tempoChunk = paChunk(0x04000108, data);
        for (int level = 0; level <= deeper; ++level)
            tempoChunk = paChunk(container, tempoChunk);
        return compressed(0x09010030, tempoChunk + mixer);
    }
    // After the first u32: one byte that is not 0, or four bytes, two names and a block of bytes.
    const QByteArray names("Ballad\0Piano\0", 13);
    const QByteArray variable = layout == TempoLayout::Version20
        ? QByteArray(1, '\x05')
        : QByteArray(4, '\0') + names + u32be(3) + "abc";
    const QByteArray tempoChunk
        = paChunk(0x04020008, u32be(1) + variable + '\x7f' + char(tempo) + QByteArray(12, '\0'));
    if (layout == TempoLayout::Version20)
        return compressed(0x09020020, paChunk(0x04000000, tempoChunk) + mixer);
    const QByteArray copy = paChunk(0x04020200,
        paChunk(0x27000008,
            u32be(0x0000000F) + QByteArray(2, '\x03') + char(copiedTempo < 0 ? tempo : copiedTempo)
                + QByteArray(9, '\0')));
    return compressed(0x09020120, paChunk(0x04000000, tempoChunk + copy) + mixer);
}
