#include "pa_series_walker.h"

#include "damaged_file.h"
#include "pa_chunk_table.h"
#include "pa_directory.h"

#include <algorithm>

namespace {

QList<StyleEntry> paSeriesStyles(ByteSource &source, bool newerDirectory)
{
    const PaChunkTable chunks = readPaChunkTable(source);
    if (chunks.starts.empty())
        return {};
    const std::vector<PaDirectoryRecord> records
        = readPaDirectory(source, chunks.starts.front(), int(chunks.starts.size()), newerDirectory);

    const auto styleCount = std::count_if(
        records.begin(), records.end(), [](const PaDirectoryRecord &r) { return r.isStyle; });
    int performancesSeen = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (!records[i].isStyle && ++performancesSeen > styleCount)
            throw DamagedFile(DamagedFile::tr(
                "directory record %1 holds performance data for a style the file does not have")
                                  .arg(i + 1));
    }

    QList<StyleEntry> styles;
    styles.reserve(qsizetype(styleCount));
    std::vector<std::size_t> performances;  // the chunks of the performance records, in order
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (!records[i].isStyle) {
            performances.push_back(i);
            continue;
        }
        StyleEntry style;
        style.number = int(styles.size()) + 1;
        style.slot = int(i) + 1;
        style.name = records[i].name;
        style.utf8Name = records[i].utf8Name;
        style.offset = chunks.starts[i];
        style.size = chunks.length(i);
        styles.append(std::move(style));
    }
    for (std::size_t k = 0; k < performances.size(); ++k) {
        StyleEntry &style = styles[qsizetype(k)];
        style.supplementaryOffset = chunks.starts[performances[k]];
        style.supplementarySize = chunks.length(performances[k]);
    }
    return styles;
}

}  // namespace

StyleWalk walkPaSeriesFile(ByteSource &source, bool newerDirectory)
{
    try {
        return {{}, paSeriesStyles(source, newerDirectory), {}};
    } catch (const DamagedFile &damage) {
        return {{}, {}, damage.problem()};
    }
}
