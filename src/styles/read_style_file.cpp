#include "read_style_file.h"

#include "header_sample.h"
#include "i_series_walker.h"
#include "pa_series_walker.h"

bool readStyleFile(ByteSource &source, StyleFile &file)
{
    examineHeaderSample(source.read(0, qMin<qint64>(source.size(), HeaderSampleLength)), file);
    if (file.tag == "KORF") {
        file.styles = walkPaSeriesFile(source, file.newerPaDirectory);
        return true;
    }
    const ISeriesLayout *layout = iSeriesLayoutFor(file.tag);
    if (layout == nullptr)
        return false;
    walkISeriesFile(source, *layout, file.styles);
    return true;
}
