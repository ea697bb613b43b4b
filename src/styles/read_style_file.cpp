#include "read_style_file.h"

#include "header_sample.h"
#include "i_series_walker.h"
#include "pa_series_walker.h"

bool ReadStyleFile(ByteSource &source, CurrentFile &file)
{
    ExamineHeaderSample(source.read(0, qMin<qint64>(source.size(), HeaderSampleLength)), file);
    file.UsableCount = 0;
    file.GhostCount = 0;
    if (!RecogniseFormat(file.FormatTag, file.FormatParameters))
        return false;
    if (file.FormatTag == "KORF")
        WalkPaSeriesFile(source, file);
    else
        WalkISeriesFile(source, file);
    return true;
}
