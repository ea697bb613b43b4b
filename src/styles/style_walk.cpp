#include "style_walk.h"

#include "i_series_walker.h"
#include "pa_series_walker.h"

StyleWalk walkStyles(ByteSource &source, const KnownFormat &format)
{
    if (format.series == StyleSeries::Pa)
        return walkPaSeriesFile(source, format.generation == PaGeneration::NewerDirectory);
    return walkISeriesFile(source, format.layout);
}
