// The whole load (open, header, walk, styles listed) of the largest legal files, of files whose
// styles are small or large, and of a typical small one, beside a raw read of the same file into
// one buffer. Each load also counts the bytes it read from the file.
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

QByteArray fileBytes(int which)
{
    switch (which) {
    case 0: return largestPaSeriesFile();
    case 1: return korgmFile(65535);
    case 2: return typicalSmallFile(0);
    case 3: return paSeriesFile(1024);
    case 4: return paSeriesFile(1024 * 1024);
    default: return korgmFile(1024);
    }
}

QString fileFor(int which)
{
    const QString path = folder().filePath(QStringLiteral("FILE%1.STY").arg(which));
    if (!QFile::exists(path)) {
        const QByteArray bytes = fileBytes(which);
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
    state.counters["bytes_read"]
        = benchmark::Counter(double(files.bytesRead()) / double(state.iterations()));
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

}  // namespace

// Argument 0: Pa-series 16 MB; 1: "KORGM" 48 x 65,535; 2: a small i3 file; 3 and 4: Pa-series,
// 32 styles of 1 KB and of 1 MB; 5: "KORGM" 48 x 1 KB.
BENCHMARK(Load)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);
BENCHMARK(RawRead)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
