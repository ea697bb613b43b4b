// Writes the seed corpus of each fuzz target, made with the test builder:
// make_fuzz_seeds <folder>, which gets any/, pa/ and i/.
#include "fuzz_seeds.h"

#include <QDir>
#include <QFile>

int main(int argc, char **argv)
{
    const QDir root(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("seeds"));
    int written = 0;
    for (const FuzzSeed &seed : fuzzSeeds()) {
        root.mkpath(seed.target);
        QFile file(root.filePath(seed.target + QLatin1Char('/') + seed.name));
        if (!file.open(QIODevice::WriteOnly) || file.write(seed.bytes) != seed.bytes.size())
            return 1;
        ++written;
    }
    return written > 0 ? 0 : 1;
}
