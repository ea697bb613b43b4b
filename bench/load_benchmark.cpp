// The whole load (open, header, walk, list filled) of the largest legal files and a small one,
// beside a raw read of the same file into one buffer: the physical limit on this machine.
#include "bench_files.h"
#include "styles/style_loader.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

QString fileFor(int which)
{
    static const char *const names[] = {"PA16MB.STY", "KORGM48.STY", "SMALL.STY"};
    const QString path = folder().filePath(QString::fromLatin1(names[which]));
    if (!QFile::exists(path)) {
        const QByteArray bytes = which == 0 ? largestPaSeriesFile() : which == 1 ? largestKorgmFile() : typicalSmallFile(0);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            std::abort();
    }
    return path;
}

void Load(benchmark::State &state)
{
    const QString path = fileFor(int(state.range(0)));
    const FileService files;
    qsizetype styles = 0;
    for (auto _ : state) {
        const LoadResult result = loadStyleFile(path, files);
        styles = result.file ? result.file->styles.size() : 0;
        benchmark::DoNotOptimize(styles);
    }
    if (styles == 0)
        state.SkipWithError("the file yielded no style");
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

void RawRead(benchmark::State &state)
{
    const QString path = fileFor(int(state.range(0)));
    for (auto _ : state) {
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot read");
        QByteArray bytes = in.readAll();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

} // namespace

// Argument 0: Pa-series 16 MB; 1: "KORGM" 48 x 65,535; 2: a small i3 file.
BENCHMARK(Load)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(RawRead)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
