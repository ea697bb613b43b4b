// Writes the files bench/run times: make_bench_files <folder> <count> [banks] gives <count>
// typical small style files in <folder>/small/, <count>/10 full 48-style banks in
// <folder>/banks/, as many newer Pa-series banks that keep meter and tempo in <folder>/pa700/,
// and the largest Pa-series and "KORGM" files, LARGEST.STY and KORGM48.STY, and the hostile
// ZEROS.STY and the busy BUSY.STY, in <folder>; with "banks", only the banks.
#include "bench_files.h"

#include <QDir>
#include <QFile>

namespace {
bool write(const QString &path, const QByteArray &bytes)
{
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
}
}  // namespace

int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const int count = QByteArray(argv[2]).toInt();
    const bool banksOnly = argc > 3 && QByteArray(argv[3]) == "banks";
    for (const char *folder : {"small", "banks", "pa700"})
        dir.mkpath(QLatin1String(folder));
    const auto each = [&](const char *name, int files, QByteArray (*file)(int)) {
        for (int i = 0; i < files; ++i) {
            if (!write(dir.filePath(QString::fromLatin1(name).arg(i, 5, 10, QLatin1Char('0'))),
                    file(i)))
                return false;
        }
        return true;
    };
    if (!each("banks/BANK%1.STY", count / 10, fullBankFile))
        return 1;
    if (banksOnly)
        return 0;
    return each("small/STYLE%1.STY", count, typicalSmallFile)
            && each("pa700/PA%1.STY", count / 10, detailedPaFile)
            && write(dir.filePath(QStringLiteral("LARGEST.STY")), largestPaSeriesFile())
            && write(dir.filePath(QStringLiteral("KORGM48.STY")), korgmFile(65535))
            && write(dir.filePath(QStringLiteral("ZEROS.STY")), zerosPaFile())
            && write(dir.filePath(QStringLiteral("BUSY.STY")), busyPaFile())
        ? 0
        : 1;
}
