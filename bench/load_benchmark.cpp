// The whole load (open, header, walk, list filled) of the largest legal files and a small one,
// beside a raw read of the same file into one buffer: the physical limit on this machine.
#include "bench_files.h"
#include "styles/style_loader.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

class SilentDialogs : public Dialogs {
public:
    int MsgBox(const QString &, int, const QString &) override { return AnswerNo; }
    QString ChooseStyleFile() override { return {}; }
    QString ChooseReportFile(const QString &) override { return {}; }
};

class NoView : public LoadView {
public:
    void SetReportCommandsEnabled(bool) override {}
    void ShowFileInfo() override {}
};

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
        const QByteArray bytes = which == 0 ? LargestPaSeriesFile() : which == 1 ? LargestKorgmFile() : TypicalSmallFile(0);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            std::abort();
    }
    return path;
}

void Load(benchmark::State &state)
{
    const QString path = fileFor(int(state.range(0)));
    CurrentFile file = CurrentFile::withServices();
    SilentDialogs dialogs;
    NoView view;
    StyleLoader loader(file, dialogs, view);
    for (auto _ : state) {
        loader.OpenStyleFile(path);
        benchmark::DoNotOptimize(file.UsableCount);
    }
    if (file.UsableCount + file.GhostCount == 0)
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
