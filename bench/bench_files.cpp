#include "bench_files.h"

#include "style_file_builder.h"

QByteArray paSeriesFile(qint32 styleBytes)
{
    PaFileBuilder builder;
    for (int k = 0; k < 32; ++k)
        builder.style("Style " + QByteArray::number(k), styleBytes).performance(styleBytes / 4);
    return builder.trailerChunkHeader().build().bytes;
}

QByteArray largestPaSeriesFile()
{
    PaFileBuilder builder;
    for (int k = 0; k < 32; ++k)
        builder.style("Style " + QByteArray::number(k), 400000 + k).performance(120000 + k);
    return builder.trailerChunkHeader().build().bytes;
}

QByteArray korgmFile(qint32 blockBytes)
{
    ISeriesFileBuilder builder("KORGM");
    for (int k = 0; k < 48; ++k)
        builder.slot(blockBytes, "Style " + QByteArray::number(k));
    return builder.build();
}

QByteArray typicalSmallFile(int variant)
{
    return ISeriesFileBuilder("KORG9")
        .slot(5000 + variant % 100, "Pop Ballad")
        .slot(0)
        .slot(900, "Old Disco ")
        .slot(6000, "Swing     ")
        .build();
}
