#include "header_sample.h"

namespace {
// The tags we know, kept once: a library holds thousands of files with one of them.
const QByteArray KnownTags[] = {QByteArrayLiteral("KORF"), QByteArrayLiteral("KORG9"),
    QByteArrayLiteral("KORG<"), QByteArrayLiteral("KORGM"), QByteArrayLiteral("KORGI")};

QByteArray shared(const QByteArray &tag)
{
    for (const QByteArray &known : KnownTags) {
        if (tag == known)
            return known;
    }
    return tag;
}
}  // namespace

void examineHeaderSample(const QByteArray &sample, StyleFile &file)
{
    if (sample.mid(23, 4) == "KORF") {
        file.tag = KnownTags[0];
        file.pa1x = sample.size() > 34 && quint8(sample[34]) == 6;
        file.newerPaDirectory = sample.size() > 29 && sample[28] == 5 && sample[29] == 1;
    } else {
        file.tag = shared(sample.left(5));
    }
}
