// Replays every fuzz seed and every input that ever failed through the load path, as a test of
// the ordinary build (where no fuzzer is linked): replay_fuzz_inputs <regressions folder>. A broken
// invariant aborts.
#include "fuzz_entries.h"
#include "fuzz_seeds.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace {
FuzzFamily familyOf(const QString &target)
{
    if (target == QLatin1String("pa"))
        return FuzzFamily::PaSeries;
    if (target == QLatin1String("details"))
        return FuzzFamily::Details;
    if (target == QLatin1String("writers"))
        return FuzzFamily::Writers;
    if (target == QLatin1String("music"))
        return FuzzFamily::Music;
    return target == QLatin1String("i") ? FuzzFamily::ISeries : FuzzFamily::Any;
}
}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    int replayed = 0;
    for (const FuzzSeed &seed : fuzzSeeds()) {
        loadFuzzInput(familyOf(seed.target), seed.bytes);
        ++replayed;
    }
    const QDir regressions(QFile::decodeName(argv[1]));
    for (const QString &target : regressions.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QDir folder(regressions.filePath(target));
        for (const QString &name : folder.entryList(QDir::Files)) {
            QFile input(folder.filePath(name));
            if (!input.open(QIODevice::ReadOnly))
                return 1;
            loadFuzzInput(familyOf(target), input.readAll());
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return replayed >= 8 ? 0 : 1;  // the regressions folder was found
}
