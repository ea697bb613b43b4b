// Writes the files bench/run times: make_bench_files <folder> <count> gives <count> typical small
// style files in <folder>/small/, <count>/10 full 48-style banks in <folder>/banks/, and the
// largest Pa-series and "KORGM" files, LARGEST.STY and KORGM48.STY, in <folder>.
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
    dir.mkpath(QStringLiteral("small"));
    dir.mkpath(QStringLiteral("banks"));
    const int count = QByteArray(argv[2]).toInt();
    for (int i = 0; i < count; ++i) {
        if (!write(
                dir.filePath(QStringLiteral("small/STYLE%1.STY").arg(i, 5, 10, QLatin1Char('0'))),
                typicalSmallFile(i)))
            return 1;
    }
    for (int i = 0; i < count / 10; ++i) {
        if (!write(dir.filePath(QStringLiteral("banks/BANK%1.STY").arg(i, 4, 10, QLatin1Char('0'))),
                fullBankFile(i)))
            return 1;
    }
    return write(dir.filePath(QStringLiteral("LARGEST.STY")), largestPaSeriesFile())
            && write(dir.filePath(QStringLiteral("KORGM48.STY")), korgmFile(65535))
        ? 0
        : 1;
}
