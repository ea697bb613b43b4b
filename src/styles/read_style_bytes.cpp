#include "read_style_bytes.h"

#include "header_sample.h"
#include "i_series_walker.h"
#include "pa_series_walker.h"

bool ReadStyleBytes(const QByteArray &bytes, CurrentFile &file)
{
    ExamineHeaderSample(bytes.left(HeaderSampleLength), file);
    file.UsableCount = 0;
    file.GhostCount = 0;
    if (!RecogniseFormat(file.FormatTag, file.FormatParameters))
        return false;
    if (file.FormatTag == "KORF")
        WalkPaSeriesFile(bytes, file);
    else
        WalkISeriesFile(bytes, file);
    return true;
}
