#include "fuzz_seeds.h"

#include "fuzz_entries.h"
#include "oc31_encoder.h"
#include "pa_style_chunks.h"
#include "pa_style_music.h"
#include "styles/oc31.h"
#include "style_file_builder.h"

namespace {
// A compressed style chunk's contents, as the music target takes them.
QByteArray uncompressed(const QByteArray &styleChunk)
{
    QByteArray contents;
    (void)decompressOc31(QByteArrayView(styleChunk).sliced(8), contents);
    return contents;
}
}  // namespace

std::vector<FuzzSeed> fuzzSeeds()
{
    const QByteArray pa = PaFileBuilder()
                              .style("Pop", 40)
                              .performance(30)
                              .style("Rock", 20)
                              .performance(10)
                              .bytes();
    const QByteArray paHeader
        = PaFileBuilder().style("One", 44).performance(63).trailerChunkHeader().bytes();
    const QByteArray paNewer
        = PaFileBuilder().newerDirectory().style("1/4", 35).performance(10).bytes();
    const QByteArray pa600 = PaFileBuilder()
                                 .pa600Header()
                                 .record("Jig", 2, paStyleChunk(3, 8, 0, Generation::Pa600))
                                 .bytes();
    // The high byte of chunk 2's offset set: a reader that keeps three bytes of four finds a chunk.
    const auto built = PaFileBuilder().style("Pop", 40).performance(30).build();
    const QByteArray highByte = QByteArray(built.bytes).replace(built.tableStart + 4, 1, "\x01");
    const QByteArray small = ISeriesFileBuilder("KORG9")
                                 .slot(0)
                                 .slot(1200, "Usable")
                                 .slot(0)
                                 .slot(30, "Ghost")
                                 .build();
    const QByteArray large
        = ISeriesFileBuilder("KORGM").slot(20, "A").slot(0).slot(12, "B").build();
    // The i target puts the tag itself, chosen by the first byte.
    const auto forI = [](const QByteArray &file) {
        return QByteArray(1, char(iSeriesTags().indexOf(file.left(5)))) + file.mid(5);
    };
    return {
        {"any", "pa", pa},
        {"any", "korg9", small},
        {"any", "korgm", large},
        {"pa", "interleaved", pa},
        {"pa", "trailer-header", paHeader},
        {"pa", "newer-directory", paNewer},
        {"pa", "pa600", pa600},
        {"pa", "high-offset-byte", highByte},
        {"i", "korg9", forI(small)},
        {"i", "korgm", forI(large)},
        {"details", "v10",
            detailsFuzzInput(paStyleChunk(3, 4), paPerformanceChunk(TempoLayout::Version10, 72))},
        {"details", "v20",
            detailsFuzzInput(paStyleChunk(6, 8), paPerformanceChunk(TempoLayout::Version20, 120))},
        {"details", "v21",
            detailsFuzzInput(paStyleChunk(4, 4), paPerformanceChunk(TempoLayout::Version21, 90))},
        {"details", "oc31", oc31Compressed(QByteArray("0123456789abcdefghij").repeated(9) + "far")},
        {"music", "groove-4-4", uncompressed(grooveStyleChunk(4, 4))},
        {"music", "groove-6-8-pa600", uncompressed(grooveStyleChunk(6, 8, 3, Generation::Pa600))},
        {"writers", "names",
            writersFuzzInput("Caf\xe9\x1b]0;T\a",
                {"=SUM(A1)", "Tab\tNul", QByteArray("\0\x85\xc2\x85'", 5), "\\n"})},
    };
}
