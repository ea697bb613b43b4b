#include "bench_files.h"

#include "oc31_encoder.h"
#include "pa_style_chunks.h"
#include "pa_style_music.h"
#include "style_file_builder.h"

QByteArray largestPaSeriesFile()
{
    PaFileBuilder builder;
    for (int k = 0; k < 32; ++k)
        builder.style("Style " + QByteArray::number(k), 400000 + k).performance(120000 + k);
    return builder.trailerChunkHeader().bytes();
}

QByteArray typicalSmallFile(int variant)
{
    // A user's own variants of three styles: names and sizes differ from bank to bank.
    const QByteArray number = QByteArray::number(variant).rightJustified(5, '0');
    return ISeriesFileBuilder("KORG9")
        .slot(5000 + variant % 100, "Pop" + number)
        .slot(0)
        .slot(900 + variant % 200, "Disco" + number)
        .slot(6000 + variant % 300, "Swing" + number)
        .build();
}

QByteArray fullBankFile(int variant)
{
    ISeriesFileBuilder builder("KORGM");
    for (int k = 0; k < 48; ++k)
        builder.slot(1200 + (variant + k) % 300,
            "B" + QByteArray::number(variant).rightJustified(4, '0') + " S"
                + QByteArray::number(k));
    return builder.build();
}

QByteArray detailedPaFile(int variant)
{
    const int meters[][2] = {{4, 4}, {3, 4}, {6, 8}, {2, 4}, {12, 8}};
    const TempoLayout layouts[]
        = {TempoLayout::Version10, TempoLayout::Version20, TempoLayout::Version21};
    PaFileBuilder builder;
    builder.newerDirectory();
    for (int k = 0; k < 32; ++k) {
        const int *meter = meters[(variant + k) % 5];
        builder.record("P" + QByteArray::number(variant) + " S" + QByteArray::number(k), 2,
            k % 2 == 0 ? grooveStyleChunk(meter[0], meter[1], variant + k)
                       : paStyleChunk(meter[0], meter[1], 3000 + (variant * 7 + k * 131) % 2000));
    }
    for (int k = 0; k < 32; ++k)
        builder.record({}, 7, paPerformanceChunk(layouts[k % 3], 60 + (variant + k) % 120));
    return builder.trailerChunkHeader().bytes();
}

QByteArray zerosPaFile()
{
    const QByteArray zeros = paChunk(0x06010020, oc31Zeros(16 << 20));
    PaFileBuilder builder;
    builder.newerDirectory();
    for (int k = 0; k < 64; ++k)
        builder.record("Z" + QByteArray::number(k), 2, zeros);
    return builder.trailerChunkHeader().bytes();
}

QByteArray busyPaFile()
{
    constexpr quint32 Sixteenth = 96;
    constexpr quint32 Length = 16 * 16 * Sixteenth;
    // On each of the eight tracks, notes every sixteenth (two keys in turn), 2,000 in all.
    QList<StreamTrack> tracks;
    QList<std::pair<int, int>> map;
    for (int track = 0; track < 8; ++track) {
        StreamTrack stream {track < 2 ? 0 : track == 2 ? 1 : 2, Length, {}};
        for (quint32 at = 0; at < Length && at / Sixteenth * 8 + quint32(track) < 2000;
             at += Sixteenth) {
            const char key = char(36 + track * 8 + (at / Sixteenth) % 2 * 4);
            stream.events.append({at, 0x01, QByteArray(1, key) + char(64 + at / Sixteenth % 60)});
            stream.events.append({at + Sixteenth / 2, 0x00, QByteArray(1, key) + char(64)});
        }
        tracks.append(stream);
        map.append({track, track + 1});
    }
    const StreamVariation all {Length, map};
    return PaFileBuilder()
        .newerDirectory()
        .record("Busy", 2, paMusicStyleChunk(tracks, {{0, 4, 4, {}, {all}}}))
        .bytes();
}
