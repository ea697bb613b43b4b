#include "style_header.h"

StyleHeader recogniseHeader(const QByteArray &sample, bool firstStyleCompressed)
{
    const auto byteAt
        = [&](qsizetype i) { return i < sample.size() ? int(quint8(sample[i])) : -1; };
    const PaGeneration generation = byteAt(28) == 5 && byteAt(29) == 1
        ? PaGeneration::NewerDirectory
        : byteAt(34) == 6 ? PaGeneration::Pa1X
                          : PaGeneration::Classic;
    const FirstStyleChunk firstStyle
        = firstStyleCompressed ? FirstStyleChunk::Compressed : FirstStyleChunk::NotCompressed;
    for (const KnownFormat &format : KnownFormats) {
        const QByteArrayView tag(format.tag);
        if (sample.mid(format.tagOffset, tag.size()) != tag
            || (format.series == StyleSeries::Pa && format.generation != generation)
            || (format.firstStyle != FirstStyleChunk::Any && format.firstStyle != firstStyle))
            continue;
        // The table's own bytes: a library holds thousands of files with one of a few tags.
        return {QByteArray::fromRawData(format.tag, tag.size()), &format,
            format.series == StyleSeries::Pa && byteAt(34) == 6};
    }
    return {sample.left(5), nullptr, false};
}

StyleHeader readStyleHeader(ByteSource &source, bool firstStyleCompressed)
{
    return recogniseHeader(
        source.read(0, qMin<qint64>(source.size(), HeaderSampleLength)), firstStyleCompressed);
}
