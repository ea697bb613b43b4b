// Writes N typical small style files into a folder, for timing quarv-report over many files, and
// LARGEST.STY, the largest Pa-series file: make_bench_files <folder> <count>.
#include "bench_files.h"

#include <QDir>
#include <QFile>

int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    dir.mkpath(QStringLiteral("."));
    const int count = QByteArray(argv[2]).toInt();
    for (int i = 0; i < count; ++i) {
        QFile out(dir.filePath(QStringLiteral("STYLE%1.STY").arg(i, 4, 10, QLatin1Char('0'))));
        const QByteArray bytes = typicalSmallFile(i);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            return 1;
    }
    QFile largest(dir.filePath(QStringLiteral("LARGEST.STY")));
    const QByteArray bytes = largestPaSeriesFile();
    return largest.open(QIODevice::WriteOnly) && largest.write(bytes) == bytes.size() ? 0 : 1;
}
