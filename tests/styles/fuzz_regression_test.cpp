#include "fuzz_entries.h"
#include "fuzz_seeds.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {
FuzzFamily familyOf(const QString &target)
{
    if (target == QLatin1String("pa"))
        return FuzzFamily::PaSeries;
    return target == QLatin1String("i") ? FuzzFamily::ISeries : FuzzFamily::Any;
}
} // namespace

// Every seed and every input that ever failed goes through the load path again; a broken
// invariant aborts the test program.
TEST(FuzzRegressions, SeedsAndFormerFindingsLoadCleanly)
{
    int replayed = 0;
    for (const FuzzSeed &seed : fuzzSeeds()) {
        loadFuzzInput(familyOf(seed.target), seed.bytes);
        ++replayed;
    }
    const QDir regressions(QStringLiteral(QUARV_SOURCE_DIR "/fuzz/regressions"));
    for (const QString &target : regressions.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QDir folder(regressions.filePath(target));
        for (const QString &name : folder.entryList(QDir::Files)) {
            QFile input(folder.filePath(name));
            ASSERT_TRUE(input.open(QIODevice::ReadOnly)) << name.toStdString();
            loadFuzzInput(familyOf(target), input.readAll());
            ++replayed;
        }
    }
    EXPECT_GE(replayed, 8);
}
