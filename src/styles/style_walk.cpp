#include "style_walk.h"

#include "i_series_walker.h"
#include "pa_chunk.h"
#include "pa_series_walker.h"

#include <QtEndian>

namespace {

// Whether the style's main part is a chunk whose id says it is compressed.
bool startsCompressed(ByteSource &source, const StyleEntry &style)
{
    if (style.size < PaChunkHeaderLength)
        return false;
    const QByteArray id = source.read(style.offset, 4);
    return PaChunk {qFromBigEndian<quint32>(id.constData()), {}}.isCompressed();
}

}  // namespace

StyleWalk walkStyles(ByteSource &source)
{
    const StyleHeader header = readStyleHeader(source);
    if (header.format == nullptr)
        return {header, {}, {}};
    const KnownFormat &format = *header.format;
    StyleWalk walk = format.series == StyleSeries::Pa
        ? walkPaSeriesFile(source, format.generation == PaGeneration::NewerDirectory)
        : walkISeriesFile(source, format.layout);
    walk.header = header;
    // Where the header alone does not tell the family, the first style's chunk does.
    if (format.firstStyle != FirstStyleChunk::Any && !walk.styles.isEmpty()
        && startsCompressed(source, walk.styles.front()))
        walk.header = readStyleHeader(source, true);
    return walk;
}
