#include "header_sample.h"

void ExamineHeaderSample(const QByteArray &sample, CurrentFile &file)
{
    if (sample.mid(23, 4) == "KORF") {
        file.Pa1XFlag = sample.size() > 34 && quint8(sample[34]) == 6;
        file.NewerPaDirectory = sample.size() > 29 && sample[28] == 5 && sample[29] == 1;
        file.FormatTag = "KORF";
    } else {
        file.FormatTag = sample.left(5);
    }
}
