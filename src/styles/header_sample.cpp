#include "header_sample.h"

void examineHeaderSample(const QByteArray &sample, StyleFile &file)
{
    if (sample.mid(23, 4) == "KORF") {
        file.tag = "KORF";
        file.pa1x = sample.size() > 34 && quint8(sample[34]) == 6;
        file.newerPaDirectory = sample.size() > 29 && sample[28] == 5 && sample[29] == 1;
    } else {
        file.tag = sample.left(5);
    }
}
