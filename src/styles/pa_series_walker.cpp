#include "pa_series_walker.h"

#include "damaged_file.h"
#include "pa_chunk_table.h"
#include "pa_directory.h"

#include <algorithm>

void WalkPaSeriesFile(ByteSource &source, CurrentFile &file)
{
    file.UsableCount = 0;
    file.GhostCount = 0;
    const PaChunkTable chunks = ReadPaChunkTable(source);
    if (chunks.starts.empty())
        return;
    const QByteArray directory = source.read(PaHeaderLength, chunks.starts.front() - PaHeaderLength);
    const auto records = ReadPaDirectory(directory, int(chunks.starts.size()), file.NewerPaDirectory);

    const auto styleCount = std::count_if(records.begin(), records.end(),
                                          [](const PaDirectoryRecord &r) { return r.isStyle; });
    int performanceSeen = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (!records[i].isStyle && ++performanceSeen > styleCount)
            throw DamagedFile(QStringLiteral("directory record %1 holds performance data for a style "
                                             "the file does not have").arg(i + 1));
    }

    std::vector<QByteArray> contents;
    for (std::size_t i = 0; i < records.size(); ++i)
        contents.push_back(source.read(chunks.starts[i], chunks.length(i)));

    // Only now that the whole file has been read does the list change.
    std::vector<Pa80Styles::Ref> styles;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].isStyle)
            styles.push_back(file.StyleList->Add(records[i].name, qint16(i + 1)));
    }
    std::size_t nextStyle = 0;
    std::size_t nextPerformance = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const QByteArray &content = contents[i];
        if (records[i].isStyle) {
            const auto &style = styles[nextStyle++];
            style->setStyleContent(content);
            style->setStyleSize(chunks.length(i));
        } else {
            const auto &style = styles[nextPerformance++];
            style->setStyleContentSupp(content);
            style->setStyleSizeSupp(chunks.length(i));
        }
    }
    file.UsableCount = qint16(styles.size());
}
